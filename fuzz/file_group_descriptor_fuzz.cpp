// "FileGroupDescriptor" and "FileGroupDescriptorW" blocks.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "controls/dragdrop/drop_blocks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> names;
    dropblocks::ReadFileGroupDescriptorA(data, size, names);
    std::vector<std::wstring> wide;
    dropblocks::ReadFileGroupDescriptorW(data, size, wide);
    return 0;
}
