// Drop-format blocks: exact bytes written, names read back, and malformed
// blocks refused without reading outside them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "controls/dragdrop/drop_blocks.h"

using namespace dropblocks;

namespace {

void Put32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

Bytes DropFilesBlock(uint32_t offset, uint32_t wideFlag, const Bytes& list) {
    Bytes b(20 + list.size(), 0);
    Put32(b, 0, offset);
    Put32(b, 16, wideFlag);
    std::copy(list.begin(), list.end(), b.begin() + 20);
    return b;
}

// The block copied into a heap buffer of exactly its size, so that the
// sanitizer sees any read past it.
std::unique_ptr<uint8_t[]> Exact(const Bytes& b) {
    auto p = std::make_unique<uint8_t[]>(b.size() ? b.size() : 1);
    if (!b.empty()) std::memcpy(p.get(), b.data(), b.size());
    return p;
}

}  // namespace

TEST(DropFilesBlock, WrittenSizesAndBytes) {
    const Bytes wide = WriteDropFilesWide({L"ab", L"c"});
    EXPECT_EQ(wide.size(), 32u);  // (3 + 2) * 2 + 22
    const Bytes expected = {20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF,
                            'a', 0, 'b', 0, 0, 0, 'c', 0, 0, 0, 0, 0};
    EXPECT_EQ(wide, expected);
    EXPECT_EQ(WriteDropFilesAnsi({"ab", "c"}).size(), 26u);
    // An empty list ends with two zeros, so a reader that steps over the
    // first name before it looks for the end stays inside.
    EXPECT_EQ(WriteDropFilesWide({}).size(), 24u);
    EXPECT_EQ(WriteDropFilesAnsi({}).size(), 22u);
}

TEST(DropFilesBlock, MalformedBlocksStayInside) {
    struct Case {
        const char* what;
        Bytes block;
        std::wstring first;  // empty: the block is refused
    };
    const Case cases[] = {
        {"header only", Bytes(20, 0), L""},
        {"offset past end", DropFilesBlock(4000, 0, Bytes{'a', 0, 0}), L""},
        {"offset at end", DropFilesBlock(23, 0, Bytes{'a', 0, 0}), L""},
        {"offset inside header", DropFilesBlock(4, 0, Bytes{'a', 0, 0}), L""},
        {"empty list", DropFilesBlock(20, 0, Bytes{0, 0}), L""},
        {"unterminated last name", DropFilesBlock(20, 0, Bytes{'a', 'b'}), L"ab"},
        {"odd wide tail", DropFilesBlock(20, 1, Bytes{'a', 0, 'b'}), L"a"},
    };
    for (const auto& c : cases) {
        auto p = Exact(c.block);
        DropFiles f;
        EXPECT_EQ(ReadDropFiles(p.get(), c.block.size(), f), !c.first.empty()) << c.what;
        EXPECT_EQ(f.Count(), c.first.empty() ? 0u : 1u) << c.what;
        if (f.Count() == 1) {
            EXPECT_EQ(f.wide ? f.wideNames[0] : std::wstring(f.ansiNames[0].begin(), f.ansiNames[0].end()), c.first);
        }
    }
}

namespace {

// An ID list of items with the given payload sizes, with its terminator.
Bytes IdList(std::initializer_list<uint8_t> payloads, uint8_t fill) {
    Bytes b;
    for (uint8_t n : payloads) {
        b.insert(b.end(), {static_cast<uint8_t>(n + 2), 0});
        b.insert(b.end(), n, fill);
    }
    b.insert(b.end(), {0, 0});
    return b;
}

}  // namespace

TEST(CidaBlock, WritesCountPlusTwoOffsetsAndReadsBack) {
    const std::vector<Bytes> lists = {IdList({4, 3}, 'p'), IdList({5}, 'a'), IdList({1}, 'b'), IdList({2}, 'c')};
    const Bytes b = WriteCida(lists);
    size_t sum = 0;
    for (const auto& l : lists) sum += l.size();
    ASSERT_EQ(b.size(), 5 * 4 + sum);  // (3 + 2) * 4 + the lists
    EXPECT_EQ(b[0], 3);
    EXPECT_EQ(b[4], 20);  // the parent follows the offsets
    auto p = Exact(b);
    std::vector<Bytes> back;
    ASSERT_TRUE(ReadCida(p.get(), b.size(), back));
    EXPECT_EQ(back, lists);
}

TEST(CidaBlock, MalformedBlocksRefused) {
    const Bytes good = WriteCida({IdList({2}, 'p'), IdList({3}, 'a')});
    auto with = [&](size_t at, uint32_t v) {
        Bytes b = good;
        Put32(b, at, v);
        return b;
    };
    Bytes shortItem = good;
    shortItem[18] = 1;  // the item list's first cb below 2
    struct Case {
        const char* what;
        Bytes block;
    };
    const Case cases[] = {
        {"count 0 in 4 bytes", Bytes{0, 0, 0, 0}},
        {"only a parent", WriteCida({IdList({2}, 'p')})},
        {"huge count", with(0, 0xFFFFFFFFu)},
        {"count past the offsets", with(0, 0x40000000u)},
        {"offset past end", with(8, 5000)},
        {"offset at end", with(8, static_cast<uint32_t>(good.size()))},
        {"list runs past end", Bytes(good.begin(), good.end() - 1)},
        {"cb below 2", shortItem},
    };
    for (const auto& c : cases) {
        auto p = Exact(c.block);
        std::vector<Bytes> lists;
        EXPECT_FALSE(ReadCida(p.get(), c.block.size(), lists)) << c.what;
    }
}

TEST(CidaBlock, WhatABlockBuildsStaysAFewTimesItsSize) {
    // An ID list of `items` items of `payload` bytes each.
    auto Deep = [](int items, uint8_t payload, uint8_t fill) {
        Bytes b;
        for (int i = 0; i < items; ++i) {
            b.insert(b.end(), {static_cast<uint8_t>(payload + 2), 0});
            b.insert(b.end(), payload, fill);
        }
        b.insert(b.end(), {0, 0});
        return b;
    };
    // A thousand offsets naming one list of 4 KB: 4 MB of copies from 8 KB.
    const Bytes shared = Deep(16, 250, 's');
    Bytes sharing(4 * 1002, 0);
    Put32(sharing, 0, 1000);
    for (size_t i = 1; i <= 1001; ++i) Put32(sharing, 4 * i, static_cast<uint32_t>(sharing.size()));
    sharing.insert(sharing.end(), shared.begin(), shared.end());
    // A parent of 60 KB joined with each of 2,000 one-item lists: 120 MB of
    // paths from 78 KB.
    std::vector<Bytes> longParent = {Deep(240, 250, 'p')};
    for (int i = 0; i < 2000; ++i) longParent.push_back(Deep(1, 1, static_cast<uint8_t>(i)));
    // A real drop of a deep folder's files: a parent of twelve items, a
    // thousand files.
    std::vector<Bytes> deepFolder = {Deep(12, 98, 'p')};
    for (int i = 0; i < 1000; ++i) deepFolder.push_back(Deep(1, 98, static_cast<uint8_t>(i)));
    struct Case {
        const char* what;
        Bytes block;
        bool read;
    } cases[] = {
        {"offsets sharing one long list", sharing, false},
        {"a long parent joined with many items", WriteCida(longParent), false},
        {"a deep folder's files", WriteCida(deepFolder), true},
    };
    for (const auto& c : cases) {
        std::vector<Bytes> lists;
        EXPECT_EQ(ReadCida(c.block.data(), c.block.size(), lists), c.read) << c.what;
        EXPECT_EQ(lists.size(), c.read ? 1001u : 0u) << c.what;
    }
}

TEST(CidaBlock, CommonParentOfAbsoluteLists) {
    // An ID list of one-byte items, each named by its byte.
    auto L = [](std::string items) {
        Bytes b;
        for (char c : items) b.insert(b.end(), {3, 0, static_cast<uint8_t>(c)});
        b.insert(b.end(), {0, 0});
        return b;
    };
    struct Case {
        const char* what;
        std::vector<Bytes> absolute, split;
    };
    const Case cases[] = {
        {"two files of one folder", {L("XYa"), L("XYb")}, {L("XY"), L("a"), L("b")}},
        {"one file twice keeps an item", {L("XY"), L("XY")}, {L("X"), L("Y"), L("Y")}},
        {"files of different drives", {L("Xa"), L("Zb")}, {L(""), L("Xa"), L("Zb")}},
        {"the desktop itself", {L("")}, {L(""), L("")}},
        {"the desktop and a file", {L("Xa"), L("")}, {L(""), L("Xa"), L("")}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitCommonParent(c.absolute), c.split) << c.what;
}

TEST(FileGroupDescriptorBlock, NamesAtTheirOffsetsAndCountsBounded) {
    Bytes a(4 + 2 * kFileDescriptorASize, 0);
    Put32(a, 0, 2);
    std::memcpy(&a[4 + 72], "one.txt", 7);
    std::memcpy(&a[4 + 332 + 72], "two.txt", 7);
    std::vector<std::string> names;
    ASSERT_TRUE(ReadFileGroupDescriptorA(a.data(), a.size(), names));
    EXPECT_EQ(names, (std::vector<std::string>{"one.txt", "two.txt"}));

    Bytes w(4 + kFileDescriptorWSize, 0);
    Put32(w, 0, 1);
    w[4 + 72] = 'x';
    w[4 + 74] = 'y';
    std::vector<std::wstring> wide;
    ASSERT_TRUE(ReadFileGroupDescriptorW(w.data(), w.size(), wide));
    EXPECT_EQ(wide, std::vector<std::wstring>{L"xy"});

    for (uint32_t count : {3u, 0xFFFFFFFFu, 0x00C5C5C6u}) {
        Put32(a, 0, count);
        auto p = Exact(a);
        EXPECT_FALSE(ReadFileGroupDescriptorA(p.get(), a.size(), names)) << count;
        Put32(w, 0, count);
        auto q = Exact(w);
        EXPECT_FALSE(ReadFileGroupDescriptorW(q.get(), w.size(), wide)) << count;
    }
}

TEST(FileGroupDescriptorBlock, RecordsWholeAndNamesConverted) {
    // Two wide records: fields before the name kept, names at byte 72.
    Bytes first(kFileDescriptorWSize, 0), second(kFileDescriptorWSize, 0);
    for (size_t i = 0; i < kFileDescriptorNameOffset; ++i) first[i] = static_cast<uint8_t>(i + 1);
    SetFileDescriptorNameW(first, L"Bestellung.QTF");
    SetFileDescriptorNameW(second, std::wstring(L"\x20AC") + std::wstring(300, L'z'));
    EXPECT_EQ(first[72], 'B');
    EXPECT_EQ(first[73], 0);
    EXPECT_EQ(second[72], 0xAC);
    EXPECT_EQ(second[73], 0x20);
    EXPECT_EQ(FileDescriptorNameW(second), L"\x20AC" + std::wstring(258, L'z'));
    EXPECT_EQ(second[72 + 2 * 259], 0);  // the field keeps its terminator

    const Bytes block = WriteFileGroupDescriptor({first, second}, kFileDescriptorWSize);
    ASSERT_EQ(block.size(), 4 + 2 * kFileDescriptorWSize);
    EXPECT_EQ(block[0], 2);
    std::vector<Bytes> records;
    ASSERT_TRUE(ReadFileDescriptorRecords(block.data(), block.size(), kFileDescriptorWSize, records));
    EXPECT_EQ(records, (std::vector<Bytes>{first, second}));
    // Any block shorter than its count of records is refused, read from an
    // exactly sized buffer.
    for (size_t size = 0; size < block.size(); ++size) {
        const Bytes cut(block.begin(), block.begin() + size);
        auto p = Exact(cut);
        EXPECT_FALSE(ReadFileDescriptorRecords(p.get(), size, kFileDescriptorWSize, records)) << size;
        EXPECT_TRUE(records.empty());
    }

    // 8-bit and back: the fields before the name as they are, the name in
    // CP1252 with '?' for what it lacks.
    Bytes ansi = FileDescriptorWToA(first);
    ASSERT_EQ(ansi.size(), kFileDescriptorASize);
    EXPECT_TRUE(std::equal(ansi.begin(), ansi.begin() + 72, first.begin()));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&ansi[72])), "Bestellung.QTF");
    EXPECT_EQ(FileDescriptorAToW(ansi), first);
    Bytes greek(kFileDescriptorWSize, 0);
    SetFileDescriptorNameW(greek, L"\x03A9\x00E4\x20AC");
    ansi = FileDescriptorWToA(greek);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&ansi[72])), "?\xE4\x80");
    EXPECT_EQ(FileDescriptorNameW(FileDescriptorAToW(ansi)), L"?\x00E4\x20AC");
    // A record too short for its name field gives what it holds.
    EXPECT_EQ(FileDescriptorNameW(Bytes(first.begin(), first.begin() + 78)), L"Bes");
    EXPECT_EQ(FileDescriptorNameW(Bytes(10, 1)), L"");
}

TEST(TextBlocks, CutsAndSizes) {
    const Bytes seven = {'a', 0, 'b', 0, 'c', 0, 'd'};
    EXPECT_EQ(ReadUnicodeText(seven.data(), seven.size()), L"abc");
    const Bytes name = {'n', 0, 0, 0, 'x', 0};  // terminator and slack
    EXPECT_EQ(ReadUnicodeText(name.data(), name.size()), L"n");
    const Bytes ansi = {'a', 'b', 0, 'c'};
    EXPECT_EQ(ReadAnsiText(ansi.data(), ansi.size(), true), "ab");
    EXPECT_EQ(ReadAnsiText(ansi.data(), ansi.size(), false), std::string("ab\0c", 4));
    EXPECT_EQ(ReadStringListText(nullptr, 0), "");
    const Bytes list = {'a', '\r', '\n', 'b', 'Z'};  // the last byte is never text
    EXPECT_EQ(ReadStringListText(list.data(), list.size()), "a\r\nb");
    uint32_t v = 7;
    const Bytes two = {5, 0};
    EXPECT_FALSE(ReadDword(two.data(), two.size(), v));
    EXPECT_EQ(v, 7u);
}

TEST(RtfWriter, EscapesAndCodePage) {
    struct Case {
        std::string in;
        std::string out;
    };
    const std::string head = "{\\rtf1\\ansi {\\*\\generator Velmora}";
    const Case cases[] = {
        {"a{b}\\c\t\r", head + "a\\{b\\}\\\\c\\tab \\par }"},
        {"{\\RTF1 x}", "{\\RTF1 x}"},
        {"\x01", head + "\\'01}"},
        {"\n", head + "\\'0a}"},
        {"\x7F", head + "\\'7f}"},
        {"\xE4", head + "\\u228\xE4}"},
        {"\x80", head + "\\u8364\x80}"},
        {"\x84\x93\x96", head + "\\u8222\x84\\u8220\x93\\u8211\x96}"},
    };
    for (const auto& c : cases) EXPECT_EQ(PlainTextToRtf(c.in), c.out) << c.in;
}
