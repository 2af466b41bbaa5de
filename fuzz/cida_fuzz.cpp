// Shell ID list arrays ("Shell IDList Array") from another process.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "controls/dragdrop/drop_blocks.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<dropblocks::Bytes> lists;
    if (dropblocks::ReadCida(data, size, lists)) {
        // What was read must write back to a block that reads the same.
        const dropblocks::Bytes again = dropblocks::WriteCida(lists);
        std::vector<dropblocks::Bytes> back;
        FUZZ_CHECK(dropblocks::ReadCida(again.data(), again.size(), back) && back == lists);
        // The lists taken as absolute ones: one parent and a remainder each.
        FUZZ_CHECK(dropblocks::SplitCommonParent(lists).size() == lists.size() + 1);
    }
    return 0;
}
