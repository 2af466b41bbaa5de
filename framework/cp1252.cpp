#include "framework/cp1252.h"

namespace {

// 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr unsigned short kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

wchar_t Cp1252ToWide(unsigned char c) {
    if (c >= 0x80 && c <= 0x9F) return static_cast<wchar_t>(kHigh[c - 0x80]);
    return static_cast<wchar_t>(c);
}

std::wstring WidenCp1252(const std::string& s) {
    std::wstring out;
    out.reserve(s.size());
    for (char c : s) out.push_back(Cp1252ToWide(static_cast<unsigned char>(c)));
    return out;
}

std::string NarrowCp1252(const std::wstring& s) {
    std::string out;
    out.reserve(s.size());
    for (wchar_t w : s) {
        const unsigned long u = static_cast<unsigned long>(w);
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.push_back(static_cast<char>(u));
            continue;
        }
        char mapped = '?';
        for (int i = 0; i < 32; ++i)
            if (kHigh[i] == u) mapped = static_cast<char>(0x80 + i);
        out.push_back(mapped);
    }
    return out;
}
