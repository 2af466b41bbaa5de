#include "controls/dragdrop/drop_blocks.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <utility>

#include "framework/cp1252.h"

namespace dropblocks {

namespace {

uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

void Put32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

void Append16(Bytes& b, wchar_t c) {
    const auto u = static_cast<uint32_t>(c);
    b.push_back(static_cast<uint8_t>(u & 0xFF));
    b.push_back(static_cast<uint8_t>((u >> 8) & 0xFF));
}

// A wide string from UTF-16 units [data, data + units), ending at the first zero.
std::wstring Wide16(const uint8_t* data, size_t units) {
    std::wstring s;
    for (size_t i = 0; i < units; ++i) {
        const uint16_t c = Le16(data + 2 * i);
        if (c == 0) break;
        s.push_back(static_cast<wchar_t>(c));
    }
    return s;
}

Bytes DropFilesHeader(bool wide) {
    Bytes b(kDropFilesHeaderSize, 0);
    Put32(b, 0, static_cast<uint32_t>(kDropFilesHeaderSize));
    Put32(b, 16, wide ? 0xFFFFFFFFu : 0u);
    return b;
}

}  // namespace

std::vector<std::string> ReadNameList8(const uint8_t* data, size_t size) {
    std::vector<std::string> names;
    size_t pos = 0;
    while (pos < size && data[pos] != 0) {
        const void* zero = std::memchr(data + pos, 0, size - pos);
        const size_t end = zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - data) : size;
        names.emplace_back(reinterpret_cast<const char*>(data + pos), end - pos);
        pos = end + 1;
    }
    return names;
}

std::vector<std::wstring> ReadNameList16(const uint8_t* data, size_t size) {
    std::vector<std::wstring> names;
    const size_t units = size / 2;
    size_t pos = 0;
    while (pos < units && Le16(data + 2 * pos) != 0) {
        std::wstring name = Wide16(data + 2 * pos, units - pos);
        pos += name.size() + 1;
        names.push_back(std::move(name));
    }
    return names;
}

Bytes WriteNameList8(const std::vector<std::string>& names) {
    Bytes b;
    for (const auto& n : names) {
        b.insert(b.end(), n.begin(), n.end());
        b.push_back(0);
    }
    b.push_back(0);
    // An empty list ends with two zeros: readers step over the first name
    // before they look for the end, and would read past a lone zero.
    if (names.empty()) b.push_back(0);
    return b;
}

Bytes WriteNameList16(const std::vector<std::wstring>& names) {
    Bytes b;
    for (const auto& n : names) {
        for (wchar_t c : n) Append16(b, c);
        Append16(b, 0);
    }
    Append16(b, 0);
    if (names.empty()) Append16(b, 0);
    return b;
}

bool ReadDropFiles(const uint8_t* data, size_t size, DropFiles& out) {
    out = DropFiles{};
    if (size <= kDropFilesHeaderSize) return false;
    const uint32_t offset = Le32(data);
    if (offset < kDropFilesHeaderSize || offset >= size) return false;
    out.wide = Le32(data + 16) != 0;
    if (out.wide)
        out.wideNames = ReadNameList16(data + offset, size - offset);
    else
        out.ansiNames = ReadNameList8(data + offset, size - offset);
    return out.Count() > 0;
}

Bytes WriteDropFilesWide(const std::vector<std::wstring>& names) {
    Bytes b = DropFilesHeader(true);
    const Bytes list = WriteNameList16(names);
    b.insert(b.end(), list.begin(), list.end());
    return b;
}

Bytes WriteDropFilesAnsi(const std::vector<std::string>& names) {
    Bytes b = DropFilesHeader(false);
    const Bytes list = WriteNameList8(names);
    b.insert(b.end(), list.begin(), list.end());
    return b;
}

size_t IdListSize(const uint8_t* data, size_t avail) {
    size_t pos = 0;
    for (;;) {
        if (avail - pos < 2) return 0;
        const uint16_t cb = Le16(data + pos);
        if (cb == 0) return pos + 2;
        if (cb < 2 || cb > avail - pos) return 0;
        pos += cb;
    }
}

bool ReadCida(const uint8_t* data, size_t size, std::vector<Bytes>& lists) {
    lists.clear();
    if (size < 4) return false;
    const uint64_t n = Le32(data);
    if (static_cast<uint64_t>(size) < 4 * (n + 2)) return false;
    // Sized first, copied after: offsets that all name one long list must
    // not make the reader ask for many times the block.
    std::vector<std::pair<uint32_t, size_t>> found;
    found.reserve(static_cast<size_t>(n) + 1);
    uint64_t copied = 0;
    for (uint64_t i = 0; i <= n; ++i) {
        const uint32_t offset = Le32(data + 4 + 4 * i);
        if (offset >= size) return false;
        const size_t len = IdListSize(data + offset, size - offset);
        if (len == 0) return false;
        copied += len;
        if (copied > kCidaCopyFactor * static_cast<uint64_t>(size)) return false;
        found.emplace_back(offset, len);
    }
    if (found.size() < 2) return false;
    // Each item's path is made from the parent joined with the item.
    const uint64_t joined = n * (found[0].second - 2) + (copied - found[0].second);
    if (joined > kCidaJoinFactor * static_cast<uint64_t>(size)) return false;
    lists.reserve(found.size());
    for (const auto& [offset, len] : found) lists.emplace_back(data + offset, data + offset + len);
    return true;
}

Bytes WriteCida(const std::vector<Bytes>& lists) {
    if (lists.empty()) return {};
    const size_t count = lists.size() - 1;
    size_t offset = (count + 2) * 4;
    size_t total = offset;
    for (const auto& l : lists) total += l.size();
    Bytes b(total, 0);
    Put32(b, 0, static_cast<uint32_t>(count));
    for (size_t i = 0; i < lists.size(); ++i) {
        Put32(b, 4 + 4 * i, static_cast<uint32_t>(offset));
        std::memcpy(b.data() + offset, lists[i].data(), lists[i].size());
        offset += lists[i].size();
    }
    return b;
}

namespace {

// Where the items of an ID list start and, last, where its terminator
// starts; an item too short or running past the list ends the walk.
std::vector<size_t> ItemStarts(const Bytes& l) {
    std::vector<size_t> starts;
    size_t pos = 0;
    while (pos + 2 <= l.size()) {
        const size_t cb = Le16(l.data() + pos);
        if (cb < 2 || cb > l.size() - pos) break;
        starts.push_back(pos);
        pos += cb;
    }
    starts.push_back(pos);
    return starts;
}

}  // namespace

std::vector<Bytes> SplitCommonParent(const std::vector<Bytes>& absolute) {
    if (absolute.empty()) return {};
    std::vector<std::vector<size_t>> starts;
    size_t common = SIZE_MAX;
    for (const auto& l : absolute) {
        starts.push_back(ItemStarts(l));
        const size_t items = starts.back().size() - 1;
        common = std::min(common, items > 0 ? items - 1 : 0);  // a list without items shares none
    }
    size_t shared = 0;
    for (; shared < common; ++shared) {
        const size_t from = starts[0][shared], to = starts[0][shared + 1];
        bool same = true;
        for (size_t k = 1; k < absolute.size() && same; ++k)
            same = starts[k][shared] == from && starts[k][shared + 1] == to &&
                   std::equal(absolute[0].begin() + from, absolute[0].begin() + to, absolute[k].begin() + from);
        if (!same) break;
    }
    std::vector<Bytes> lists;
    for (size_t k = 0; k <= absolute.size(); ++k) {
        // lists[0] is the parent: the shared items of the first list.
        const Bytes& l = absolute[k == 0 ? 0 : k - 1];
        const auto& at = starts[k == 0 ? 0 : k - 1];
        Bytes part(l.begin() + (k == 0 ? 0 : at[shared]), l.begin() + (k == 0 ? at[shared] : at.back()));
        part.insert(part.end(), {0, 0});
        lists.push_back(std::move(part));
    }
    return lists;
}

namespace {

// The names of all records; fails when the block is shorter than 4 + count *
// record (in 64 bits, so no count wraps around).
template <class Name, class ReadName>
bool ReadDescriptorNames(const uint8_t* data, size_t size, size_t record, std::vector<Name>& names, ReadName read) {
    names.clear();
    if (size < 4) return false;
    const uint64_t count = Le32(data);
    if (static_cast<uint64_t>(size) < 4 + count * record) return false;
    for (uint64_t i = 0; i < count; ++i) names.push_back(read(data + 4 + i * record + kFileDescriptorNameOffset));
    return true;
}

}  // namespace

bool ReadFileGroupDescriptorA(const uint8_t* data, size_t size, std::vector<std::string>& names) {
    return ReadDescriptorNames(data, size, kFileDescriptorASize, names,
                               [](const uint8_t* p) { return ReadAnsiText(p, kFileDescriptorNameChars, true); });
}

bool ReadFileGroupDescriptorW(const uint8_t* data, size_t size, std::vector<std::wstring>& names) {
    return ReadDescriptorNames(data, size, kFileDescriptorWSize, names,
                               [](const uint8_t* p) { return Wide16(p, kFileDescriptorNameChars); });
}

bool ReadFileDescriptorRecords(const uint8_t* data, size_t size, size_t record, std::vector<Bytes>& records) {
    records.clear();
    if (size < 4 || record == 0) return false;
    const uint64_t count = Le32(data);
    if (static_cast<uint64_t>(size) < 4 + count * record) return false;
    records.reserve(static_cast<size_t>(count));
    for (uint64_t i = 0; i < count; ++i) {
        const uint8_t* start = data + 4 + i * record;
        records.emplace_back(start, start + record);
    }
    return true;
}

Bytes WriteFileGroupDescriptor(const std::vector<Bytes>& records, size_t record) {
    Bytes b(4 + records.size() * record, 0);
    Put32(b, 0, static_cast<uint32_t>(records.size()));
    for (size_t i = 0; i < records.size(); ++i)
        std::memcpy(b.data() + 4 + i * record, records[i].data(), std::min(record, records[i].size()));
    return b;
}

std::wstring FileDescriptorNameW(const Bytes& record) {
    if (record.size() <= kFileDescriptorNameOffset) return {};
    const size_t units = std::min(kFileDescriptorNameChars, (record.size() - kFileDescriptorNameOffset) / 2);
    return Wide16(record.data() + kFileDescriptorNameOffset, units);
}

void SetFileDescriptorNameW(Bytes& record, const std::wstring& name) {
    if (record.size() < kFileDescriptorWSize) record.resize(kFileDescriptorWSize, 0);
    uint8_t* field = record.data() + kFileDescriptorNameOffset;
    std::memset(field, 0, 2 * kFileDescriptorNameChars);
    const size_t n = std::min(name.size(), kFileDescriptorNameChars - 1);
    for (size_t k = 0; k < n; ++k) {
        const auto c = static_cast<uint32_t>(name[k]);
        field[2 * k] = static_cast<uint8_t>(c & 0xFF);
        field[2 * k + 1] = static_cast<uint8_t>((c >> 8) & 0xFF);
    }
}

Bytes FileDescriptorAToW(const Bytes& record) {
    Bytes w(kFileDescriptorWSize, 0);
    std::memcpy(w.data(), record.data(), std::min(kFileDescriptorNameOffset, record.size()));
    std::string name;
    if (record.size() > kFileDescriptorNameOffset)
        name = ReadAnsiText(record.data() + kFileDescriptorNameOffset,
                            std::min(kFileDescriptorNameChars, record.size() - kFileDescriptorNameOffset), true);
    SetFileDescriptorNameW(w, WidenCp1252(name));
    return w;
}

Bytes FileDescriptorWToA(const Bytes& record) {
    Bytes a(kFileDescriptorASize, 0);
    std::memcpy(a.data(), record.data(), std::min(kFileDescriptorNameOffset, record.size()));
    const std::string name = NarrowCp1252(FileDescriptorNameW(record));
    std::memcpy(a.data() + kFileDescriptorNameOffset, name.data(), std::min(name.size(), kFileDescriptorNameChars - 1));
    return a;
}

std::string ReadAnsiText(const uint8_t* data, size_t size, bool cutAtZero) {
    if (size == 0) return {};
    size_t len = size;
    if (cutAtZero) {
        const void* zero = std::memchr(data, 0, size);
        if (zero) len = static_cast<size_t>(static_cast<const uint8_t*>(zero) - data);
    }
    return std::string(reinterpret_cast<const char*>(data), len);
}

std::wstring ReadUnicodeText(const uint8_t* data, size_t size) { return Wide16(data, size / 2); }

std::string ReadStringListText(const uint8_t* data, size_t size) {
    if (size == 0) return {};
    return ReadAnsiText(data, size - 1, true);
}

bool ReadDword(const uint8_t* data, size_t size, uint32_t& value) {
    if (size < 4) return false;
    value = Le32(data);
    return true;
}

void WriteDword(uint8_t* data, uint32_t value) {
    for (int i = 0; i < 4; ++i) data[i] = static_cast<uint8_t>(value >> (8 * i));
}

std::string PlainTextToRtf(const std::string& text) {
    static const char kPrefix[] = "{\\rtf";
    if (text.size() >= 5) {
        bool rtf = true;
        for (size_t i = 0; i < 5 && rtf; ++i) {
            char c = text[i];
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            rtf = c == kPrefix[i];
        }
        if (rtf) return text;
    }
    std::string out = "{\\rtf1\\ansi {\\*\\generator Velmora}";
    char buf[24];
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '{' || c == '}' || c == '\\') {
            out.push_back('\\');
            out.push_back(ch);
        } else if (c == 9) {
            out += "\\tab ";
        } else if (c == 13) {
            out += "\\par ";
        } else if ((c >= 1 && c <= 31) || c == 127) {
            static const char kHex[] = "0123456789abcdef";
            out += "\\'";
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 15]);
        } else if (c > 127) {
            long u = static_cast<long>(Cp1252ToWide(c));
            if (u > 32767) u -= 65536;
            std::snprintf(buf, sizeof buf, "\\u%ld", u);
            out += buf;
            out.push_back(ch);
        } else {
            out.push_back(ch);
        }
    }
    out.push_back('}');
    return out;
}

}  // namespace dropblocks
