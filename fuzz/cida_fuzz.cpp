// Shell ID list arrays ("Shell IDList Array") from another process: what a
// block makes its reader build stays a small multiple of the block, and what
// was read writes back to a block that reads the same.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "controls/dragdrop/drop_blocks.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<dropblocks::Bytes> lists;
    if (dropblocks::ReadCida(data, size, lists)) {
        uint64_t copied = 0, joined = 0;
        for (size_t i = 0; i < lists.size(); ++i) {
            copied += lists[i].size();
            if (i > 0) joined += lists[0].size() - 2 + lists[i].size();
        }
        FUZZ_CHECK(copied <= dropblocks::kCidaCopyFactor * size);
        FUZZ_CHECK(joined <= dropblocks::kCidaJoinFactor * size);
        // Written back without the block's slack, the lists may only be
        // refused for the joins, which the original's padding allowed.
        const dropblocks::Bytes again = dropblocks::WriteCida(lists);
        std::vector<dropblocks::Bytes> back;
        if (dropblocks::ReadCida(again.data(), again.size(), back))
            FUZZ_CHECK(back == lists);
        else
            FUZZ_CHECK(joined > dropblocks::kCidaJoinFactor * again.size());
        // The lists taken as absolute ones: one parent and a remainder each,
        // which together hold every item of every list once more.
        const std::vector<dropblocks::Bytes> split = dropblocks::SplitCommonParent(lists);
        FUZZ_CHECK(split.size() == lists.size() + 1);
    } else {
        FUZZ_CHECK(lists.empty());
    }
    return 0;
}
