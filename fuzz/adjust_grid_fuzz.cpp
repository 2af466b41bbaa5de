// The AdjustGrid text from arbitrary bytes: a malformed text is refused, an
// accepted one gives sizes never below the size and a second-line height
// within 50..100, at any screen resolution.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "grids/row_kind.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const int ppi = 48 + data[0];
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    int fontSize = 0;
    double factor = 0;
    if (!ParseAdjustGrid(text, fontSize, factor)) return 0;
    FUZZ_CHECK(fontSize > 0 && factor > 0);
    const TAdjustedSizes sizes = AdjustedFontSizes(fontSize, factor, ppi);
    FUZZ_CHECK(sizes.Scaled >= fontSize && sizes.Final >= fontSize);
    const int height = AdjustedMaxSecondHeight(100, factor, ppi);
    FUZZ_CHECK(height >= 50 && height <= 100);
    (void)RowKindLookOf(text);
    return 0;
}
