// Case handling of CP1252 text. One table serves every case-insensitive
// compare, search and replace of the library, so that grids, lists and edits
// agree on what "the same text" is:
//   a-z <-> A-Z, 0xE0-0xFE <-> 0xC0-0xDE (not 0xF7/0xD7), 0x9A <-> 0x8A,
//   0x9C <-> 0x8C, 0x9E <-> 0x8E, 0xFF <-> 0x9F. 0xDF (sharp s) has no pair.
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace ansi_detail {
constexpr std::array<unsigned char, 256> MakeUpperTable() {
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i) t[static_cast<size_t>(i)] = static_cast<unsigned char>(i);
    for (int c = 'a'; c <= 'z'; ++c) t[static_cast<size_t>(c)] = static_cast<unsigned char>(c - 32);
    for (int c = 0xE0; c <= 0xFE; ++c)
        if (c != 0xF7) t[static_cast<size_t>(c)] = static_cast<unsigned char>(c - 32);
    t[0x9A] = 0x8A;
    t[0x9C] = 0x8C;
    t[0x9E] = 0x8E;
    t[0xFF] = 0x9F;
    return t;
}
constexpr std::array<unsigned char, 256> MakeLowerTable() {
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i) t[static_cast<size_t>(i)] = static_cast<unsigned char>(i);
    const auto up = MakeUpperTable();
    for (int i = 0; i < 256; ++i)
        if (up[static_cast<size_t>(i)] != i) t[up[static_cast<size_t>(i)]] = static_cast<unsigned char>(i);
    return t;
}
inline constexpr std::array<unsigned char, 256> kUpper = MakeUpperTable();
inline constexpr std::array<unsigned char, 256> kLower = MakeLowerTable();
}  // namespace ansi_detail

// The 256-byte upper-case table (index = byte).
inline const unsigned char* AnsiUpperTable() { return ansi_detail::kUpper.data(); }
inline const unsigned char* AnsiLowerTable() { return ansi_detail::kLower.data(); }

constexpr unsigned char AnsiUpperChar(unsigned char c) { return ansi_detail::kUpper[c]; }
constexpr unsigned char AnsiLowerChar(unsigned char c) { return ansi_detail::kLower[c]; }

std::string AnsiUpperCase(const std::string& S);
std::string AnsiLowerCase(const std::string& S);

// Byte order after upper-casing both sides: <0, 0 or >0.
int AnsiCompareText(const std::string& S1, const std::string& S2);
bool AnsiSameText(const std::string& S1, const std::string& S2);
// Plain byte order (bytes unsigned): <0, 0 or >0.
int AnsiCompareStr(const std::string& S1, const std::string& S2);
bool AnsiSameStr(const std::string& S1, const std::string& S2);

// 0-based position of the first case-insensitive occurrence of Sub in S, or
// std::string::npos (also for an empty Sub).
size_t AnsiPosText(const std::string& Sub, const std::string& S, size_t From = 0);
bool AnsiContainsText(const std::string& S, const std::string& Sub);
bool AnsiStartsText(const std::string& Sub, const std::string& S);
bool AnsiEndsText(const std::string& Sub, const std::string& S);

// Every case-insensitive occurrence of From replaced by To, left to right,
// without overlaps. An empty From leaves S unchanged.
std::string AnsiReplaceText(const std::string& S, const std::string& From, const std::string& To);
// The same in place; returns whether S differs afterwards.
bool AnsiReplaceTextInPlace(std::string& S, const std::string& From, const std::string& To);
