// "FileGroupDescriptor" and "FileGroupDescriptorW" blocks: a block is read
// exactly when it holds its count of records, each record comes out whole
// and each name is the record's name field up to its first zero (at most 260
// characters). Records written from the input read back to the same names
// and fields, also through the 8-bit form, and every shorter cut of a
// written block is refused.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "controls/dragdrop/drop_blocks.h"
#include "framework/cp1252.h"
#include "fuzz/fuzz_support.h"

namespace {

using dropblocks::kFileDescriptorNameChars;
using dropblocks::kFileDescriptorNameOffset;

uint64_t Count(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    return data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<uint64_t>(data[3]) << 24);
}

// Whether the name read from a record's field is what the field holds.
template <class Name>
bool NameOfField(const Name& name, const uint8_t* field, size_t unit) {
    if (name.size() > kFileDescriptorNameChars) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        uint32_t c = field[i * unit];
        if (unit == 2) c |= static_cast<uint32_t>(field[i * unit + 1]) << 8;
        if (c == 0 || static_cast<uint32_t>(static_cast<std::make_unsigned_t<typename Name::value_type>>(name[i])) != c)
            return false;
    }
    if (name.size() == kFileDescriptorNameChars) return true;
    const size_t at = name.size() * unit;
    return field[at] == 0 && (unit == 1 || field[at + 1] == 0);
}

template <class Name, class Read>
void Check(const uint8_t* data, size_t size, size_t record, size_t unit, Read read) {
    std::vector<Name> names{Name(1, 'x')};  // the reader starts from an empty list
    const bool ok = read(data, size, names);
    const uint64_t count = Count(data, size);
    FUZZ_CHECK(ok == (size >= 4 && static_cast<uint64_t>(size) >= 4 + count * record));
    FUZZ_CHECK(names.size() == (ok ? count : 0));
    for (size_t i = 0; i < names.size(); ++i)
        FUZZ_CHECK(NameOfField(names[i], data + 4 + i * record + kFileDescriptorNameOffset, unit));
}

using dropblocks::Bytes;

// Whole records match the block's slices and their names the name readers.
void CheckRecords(const uint8_t* data, size_t size) {
    std::vector<Bytes> wide, ansi;
    std::vector<std::wstring> wideNames;
    std::vector<std::string> ansiNames;
    const bool okW = dropblocks::ReadFileDescriptorRecords(data, size, dropblocks::kFileDescriptorWSize, wide);
    FUZZ_CHECK(okW == dropblocks::ReadFileGroupDescriptorW(data, size, wideNames));
    FUZZ_CHECK(wide.size() == wideNames.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        FUZZ_CHECK(wide[i].size() == dropblocks::kFileDescriptorWSize);
        FUZZ_CHECK(std::memcmp(wide[i].data(), data + 4 + i * dropblocks::kFileDescriptorWSize, wide[i].size()) == 0);
        FUZZ_CHECK(dropblocks::FileDescriptorNameW(wide[i]) == wideNames[i]);
    }
    const bool okA = dropblocks::ReadFileDescriptorRecords(data, size, dropblocks::kFileDescriptorASize, ansi);
    FUZZ_CHECK(okA == dropblocks::ReadFileGroupDescriptorA(data, size, ansiNames));
    FUZZ_CHECK(ansi.size() == ansiNames.size());
    // A wide record keeps its name's terminator: 259 characters at most.
    for (size_t i = 0; i < ansi.size(); ++i)
        FUZZ_CHECK(dropblocks::FileDescriptorNameW(dropblocks::FileDescriptorAToW(ansi[i])) ==
                   WidenCp1252(ansiNames[i]).substr(0, kFileDescriptorNameChars - 1));
}

// Records cut from the input (zero-padded), each named by its own first
// bytes taken as UTF-16; the block written from them reads back to them,
// and no shorter cut of it is read.
void CheckRoundTrip(const uint8_t* data, size_t size) {
    constexpr size_t kRecord = dropblocks::kFileDescriptorWSize;
    std::vector<Bytes> records;
    std::vector<std::wstring> names;
    for (size_t at = 0; at < size && records.size() < 8; at += kRecord) {
        Bytes record(data + at, data + std::min(size, at + kRecord));
        record.resize(kRecord, 0);
        std::wstring name;
        for (size_t k = 0; k + 1 < std::min<size_t>(record.size(), 2 * 300); k += 2) {
            const auto c = static_cast<wchar_t>(record[k] | (record[k + 1] << 8));
            if (c == 0) break;
            name.push_back(c);
        }
        dropblocks::SetFileDescriptorNameW(record, name);
        names.push_back(name.substr(0, dropblocks::kFileDescriptorNameChars - 1));
        FUZZ_CHECK(dropblocks::FileDescriptorNameW(record) == names.back());
        // Through the 8-bit record: the other fields kept, the name narrowed.
        const Bytes back = dropblocks::FileDescriptorAToW(dropblocks::FileDescriptorWToA(record));
        FUZZ_CHECK(std::equal(back.begin(), back.begin() + kFileDescriptorNameOffset, record.begin()));
        FUZZ_CHECK(dropblocks::FileDescriptorNameW(back) == WidenCp1252(NarrowCp1252(names.back())));
        records.push_back(std::move(record));
    }
    const Bytes block = dropblocks::WriteFileGroupDescriptor(records, kRecord);
    std::vector<Bytes> read;
    std::vector<std::wstring> readNames;
    FUZZ_CHECK(dropblocks::ReadFileDescriptorRecords(block.data(), block.size(), kRecord, read));
    FUZZ_CHECK(read == records);
    FUZZ_CHECK(dropblocks::ReadFileGroupDescriptorW(block.data(), block.size(), readNames));
    FUZZ_CHECK(readNames == names);
    // The contents of a file travel as they are.
    FUZZ_CHECK(dropblocks::ReadAnsiText(data, size, false) == std::string(reinterpret_cast<const char*>(data), size));
    if (records.empty()) return;
    const size_t cut = size % block.size();  // always short of the whole block
    auto exact = std::make_unique<uint8_t[]>(cut ? cut : 1);
    std::memcpy(exact.get(), block.data(), cut);
    FUZZ_CHECK(!dropblocks::ReadFileDescriptorRecords(exact.get(), cut, kRecord, read));
    FUZZ_CHECK(!dropblocks::ReadFileGroupDescriptorW(exact.get(), cut, readNames));
    FUZZ_CHECK(read.empty() && readNames.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Check<std::string>(data, size, dropblocks::kFileDescriptorASize, 1, dropblocks::ReadFileGroupDescriptorA);
    Check<std::wstring>(data, size, dropblocks::kFileDescriptorWSize, 2, dropblocks::ReadFileGroupDescriptorW);
    CheckRecords(data, size);
    CheckRoundTrip(data, size);
    return 0;
}
