// CF_HDROP blocks and plain zero-separated name lists from another process.
#include <cstddef>
#include <cstdint>

#include "controls/dragdrop/drop_blocks.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    dropblocks::DropFiles files;
    if (dropblocks::ReadDropFiles(data, size, files)) {
        // The names read must write back to a block that reads the same.
        const dropblocks::Bytes again = files.wide ? dropblocks::WriteDropFilesWide(files.wideNames)
                                                   : dropblocks::WriteDropFilesAnsi(files.ansiNames);
        dropblocks::DropFiles back;
        FUZZ_CHECK(dropblocks::ReadDropFiles(again.data(), again.size(), back));
        FUZZ_CHECK(back.wide == files.wide && back.wideNames == files.wideNames && back.ansiNames == files.ansiNames);
    }
    dropblocks::ReadNameList8(data, size);
    dropblocks::ReadNameList16(data, size);
    return 0;
}
