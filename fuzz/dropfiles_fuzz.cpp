// CF_HDROP blocks and plain zero-separated name lists from another process.
#include <cstddef>
#include <cstdint>

#include "controls/dragdrop/drop_blocks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    dropblocks::DropFiles files;
    dropblocks::ReadDropFiles(data, size, files);
    dropblocks::ReadNameList8(data, size);
    dropblocks::ReadNameList16(data, size);
    return 0;
}
