// Styled texts from arbitrary bytes: every text token lies inside the text
// and is never empty.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "editors/tools/styled_text_codes.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const StyledToken& t : TokenizeStyledText(text)) {
        if (t.kind != StyledTokenKind::Text) continue;
        FUZZ_CHECK(t.length > 0 && t.start <= size && t.length <= size - t.start);
    }
    return 0;
}
