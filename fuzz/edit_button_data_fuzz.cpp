// Reads arbitrary bytes as an edit-button "Data" stream. A stream that is
// accepted must write back to bytes that read as the same buttons.
#include <cstdint>

#include "editors/tools/edit_button_data.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto buttons = DecodeEditButtonData(data, size);
    if (!buttons) return 0;
    auto again = DecodeEditButtonData(EncodeEditButtonData(*buttons));
    FUZZ_CHECK(again && *again == *buttons);
    return 0;
}
