// Masks and texts from arbitrary bytes: "mask \0 text \0 typed" plus two
// selection bytes in front. Compiling, fitting, typing and deleting must
// stay in bounds whatever the selection, and what comes out fitted fits
// again unchanged: fitting twice is fitting once.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "editors/tools/edit_mask.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const int selA = static_cast<int8_t>(data[0]);
    const int selB = static_cast<int8_t>(data[1]);
    const bool flags = data[2] & 1;
    std::string_view rest(reinterpret_cast<const char*>(data + 3), size - 3);
    const size_t cut1 = rest.find('\0');
    const std::string mask(rest.substr(0, cut1));
    std::string_view tail = cut1 == std::string_view::npos ? std::string_view() : rest.substr(cut1 + 1);
    const size_t cut2 = tail.find('\0');
    std::string text(tail.substr(0, cut2));
    const std::string typed(cut2 == std::string_view::npos ? std::string_view() : tail.substr(cut2 + 1));
    if (text.size() > 256) text.resize(256);

    TMaskPositions positions;
    CompileEditMask(mask, positions);
    FUZZ_CHECK(positions.Count() <= kMaxMaskPositions);

    // The same fit again: the text stays as it is.
    auto fitsUnchanged = [&](const std::string& fitted, bool skip, bool complete) {
        std::string again = fitted;
        int passed = 0, reached = 0;
        FUZZ_CHECK(ApplyEditMask(again, positions, skip, passed, complete, reached) >= 0);
        FUZZ_CHECK(again == fitted);
    };

    std::string fitted = text;
    int passed = 0, reached = 0;
    const int start = ApplyEditMask(fitted, positions, flags, passed, !flags, reached);
    // A refused text stays; a fitted one keeps its length.
    FUZZ_CHECK(start >= 0 ? fitted.size() == text.size() : fitted == text);
    if (start >= 0) fitsUnchanged(fitted, flags, !flags);

    std::string edited = text;
    int a = selA, b = selB;
    if (InsertMaskedText(edited, typed, positions, a, b)) {
        FUZZ_CHECK(a == b && a >= 0 && a <= static_cast<int>(edited.size()));
    } else {
        FUZZ_CHECK(edited == text && a == selA && b == selB);
    }

    std::string deleted = text;
    const int index = DeleteMaskedRange(deleted, positions, selA, selB);
    // The rest of a deletion is a fitted text.
    fitsUnchanged(deleted, false, false);
    AppendMaskLiterals(deleted, positions, index, a, b);
    TrimMaskLiterals(deleted, positions, index);
    TrimMaskLiterals(deleted, positions, selA);
    FreeEditMask(positions);
    return 0;
}
