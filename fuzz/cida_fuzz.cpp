// Shell ID list arrays ("Shell IDList Array") from another process.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "controls/dragdrop/drop_blocks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<dropblocks::Bytes> lists;
    if (dropblocks::ReadCida(data, size, lists)) {
        // What was read must write back to a block that reads the same.
        const dropblocks::Bytes again = dropblocks::WriteCida(lists);
        std::vector<dropblocks::Bytes> back;
        if (!dropblocks::ReadCida(again.data(), again.size(), back) || back != lists) __builtin_trap();
        // The lists taken as absolute ones: one parent and a remainder each.
        if (dropblocks::SplitCommonParent(lists).size() != lists.size() + 1) __builtin_trap();
    }
    return 0;
}
