// Readers and writers of the memory blocks that travel in drag-and-drop and
// clipboard data: file name lists (DROPFILES), shell ID list arrays (CIDA),
// file group descriptors, text and small value blocks, and RTF for plain
// text. Pure functions over bytes: every reader stays inside [data, data +
// size) whatever the block holds, and none writes into the block.
//
// Wide text is UTF-16 on the wire and held one code unit per wchar_t.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dropblocks {

using Bytes = std::vector<uint8_t>;

// --- zero-separated name lists ------------------------------------------
// Names one after another, each ended by a zero character, the list ended by
// one more zero. Reading stops at the empty name or the end of the block; a
// last name without its zero ends at the end of the block.
std::vector<std::string> ReadNameList8(const uint8_t* data, size_t size);
std::vector<std::wstring> ReadNameList16(const uint8_t* data, size_t size);
// The list with every terminator and the closing zero.
Bytes WriteNameList8(const std::vector<std::string>& names);
Bytes WriteNameList16(const std::vector<std::wstring>& names);

// --- DROPFILES (CF_HDROP) ------------------------------------------------
inline constexpr size_t kDropFilesHeaderSize = 20;

struct DropFiles {
    bool wide = false;  // any non-zero wide flag means UTF-16 names
    std::vector<std::string> ansiNames;
    std::vector<std::wstring> wideNames;
    size_t Count() const { return wide ? wideNames.size() : ansiNames.size(); }
};

// Needs the header, a list offset with 20 <= offset < size, and one name.
bool ReadDropFiles(const uint8_t* data, size_t size, DropFiles& out);
// Header (list offset 20, point 0,0, non-client 0, wide flag 0xFFFFFFFF)
// followed by the UTF-16 list; size = (sum of lengths + count + 1) * 2 + 20.
Bytes WriteDropFilesWide(const std::vector<std::wstring>& names);
Bytes WriteDropFilesAnsi(const std::vector<std::string>& names);

// --- shell ID list arrays (CIDA) -------------------------------------------
// Size in bytes of the ID list at data (its items and the 16-bit zero that
// ends it), or 0 when an item is shorter than its size field or the list
// runs past avail bytes.
size_t IdListSize(const uint8_t* data, size_t avail);
// What a block may make its reader build, in multiples of its size: the
// copied lists (each offset may name the same long list), and the items
// joined with the parent as their paths are made (a deep parent with many
// short items, as a real drop of one folder's files has, stays far below).
inline constexpr uint64_t kCidaCopyFactor = 2;
inline constexpr uint64_t kCidaJoinFactor = 64;
// The n + 1 ID lists of the block (parent first), each copied with its
// terminator. Fails unless size >= 4 * (n + 2), every offset lies inside the
// block and every list ends inside it, or when fewer than two lists come out;
// fails too when the lists copied exceed kCidaCopyFactor * size bytes or n *
// (parent without terminator) + the n items exceed kCidaJoinFactor * size.
bool ReadCida(const uint8_t* data, size_t size, std::vector<Bytes>& lists);
// lists[0] is the parent; each list must include its terminator. Block size
// (count + 2) * 4 + sum of the list sizes with count = lists.size() - 1.
Bytes WriteCida(const std::vector<Bytes>& lists);

// The longest run of leading items that all absolute ID lists share, each
// list keeping one item at least where it has one: the parent list first,
// then each list's remainder, all with their terminators.
std::vector<Bytes> SplitCommonParent(const std::vector<Bytes>& absolute);

// --- file group descriptors -----------------------------------------------
inline constexpr size_t kFileDescriptorASize = 332;
inline constexpr size_t kFileDescriptorWSize = 592;
// Byte offset of cFileName in both records (36 UTF-16 units in the wide one).
inline constexpr size_t kFileDescriptorNameOffset = 72;
inline constexpr size_t kFileDescriptorNameChars = 260;
// The names of all descriptors; fails when the block is shorter than
// 4 + count * record size (computed without overflow).
bool ReadFileGroupDescriptorA(const uint8_t* data, size_t size, std::vector<std::string>& names);
bool ReadFileGroupDescriptorW(const uint8_t* data, size_t size, std::vector<std::wstring>& names);
// The whole records (`record` bytes each, copied), refused as the name
// readers refuse a block.
bool ReadFileDescriptorRecords(const uint8_t* data, size_t size, size_t record, std::vector<Bytes>& records);
// The count, then each record cut or zero-padded to `record` bytes.
Bytes WriteFileGroupDescriptor(const std::vector<Bytes>& records, size_t record);
// The name of a wide record: from UTF-16 unit 36 (byte 72) up to its first
// zero, at most 260 characters; a record too short to hold it gives what it
// holds.
std::wstring FileDescriptorNameW(const Bytes& record);
// A wide record (zero-padded to its size) with its name field replaced: the
// name cut to 259 characters, the rest of the field zero.
void SetFileDescriptorNameW(Bytes& record, const std::wstring& name);
// An 8-bit record as a wide one and back: the fields before the name copied,
// the name converted from or to CP1252 ('?' for characters outside it).
Bytes FileDescriptorAToW(const Bytes& record);
Bytes FileDescriptorWToA(const Bytes& record);

// --- text and values --------------------------------------------------------
// The block as 8-bit text, cut at its first zero byte when cutAtZero.
std::string ReadAnsiText(const uint8_t* data, size_t size, bool cutAtZero);
// size / 2 characters, cut at the first zero character.
std::wstring ReadUnicodeText(const uint8_t* data, size_t size);
// The text of a string-list block: the bytes before the last one, up to the
// first zero; an empty block is an empty text.
std::string ReadStringListText(const uint8_t* data, size_t size);
// The first four bytes, little-endian; false for a shorter block.
bool ReadDword(const uint8_t* data, size_t size, uint32_t& value);
void WriteDword(uint8_t* data, uint32_t value);

// Plain CP1252 text to RTF. A text starting with "{\rtf" (any case) is
// returned unchanged. Bytes above 127 are written as \uN with N the UTF-16
// value of the character (negative above 32767) and the byte as fallback.
std::string PlainTextToRtf(const std::string& text);

}  // namespace dropblocks
