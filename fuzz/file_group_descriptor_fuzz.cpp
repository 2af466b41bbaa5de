// "FileGroupDescriptor" and "FileGroupDescriptorW" blocks: a block is read
// exactly when it holds its count of records, and each name is the record's
// name field up to its first zero (at most 260 characters).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "controls/dragdrop/drop_blocks.h"
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Check<std::string>(data, size, dropblocks::kFileDescriptorASize, 1, dropblocks::ReadFileGroupDescriptorA);
    Check<std::wstring>(data, size, dropblocks::kFileDescriptorWSize, 2, dropblocks::ReadFileGroupDescriptorW);
    return 0;
}
