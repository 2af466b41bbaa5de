// Text and value blocks of the clipboard formats, and the RTF writer.
#include <cstddef>
#include <cstdint>
#include <string>

#include "controls/dragdrop/drop_blocks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text = dropblocks::ReadAnsiText(data, size, false);
    dropblocks::ReadAnsiText(data, size, true);
    dropblocks::ReadUnicodeText(data, size);
    dropblocks::ReadStringListText(data, size);
    uint32_t value = 0;
    dropblocks::ReadDword(data, size, value);
    dropblocks::PlainTextToRtf(text);
    return 0;
}
