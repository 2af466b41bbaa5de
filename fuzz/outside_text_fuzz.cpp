// Pasted and dropped text against a field's rules, for any mask, field text,
// selection and outside bytes: a one-line field never takes a line break,
// no result is longer than the limit, a drop is the whole text or nothing
// (unmasked: exactly the text), a paste keeps the text outside the
// selection, and a masked result always fits its mask.
#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <string>

#include "editors/edits/outside_text.h"
#include "fuzz/fuzz_support.h"

namespace {
bool HasLineBreak(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }
}  // namespace

// Input: a flags byte, the limit, the selection's two ends, then the mask,
// the field's text and the outside text separated by NUL bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    const bool multiLine = (data[0] & 1) != 0;
    const bool useMask = (data[0] & 2) != 0;
    const int maxLength = data[1] % 64;
    std::string parts[3];
    int part = 0;
    for (size_t i = 4; i < size; ++i) {
        if (data[i] == 0 && part < 2) {
            ++part;
            continue;
        }
        parts[part] += static_cast<char>(data[i]);
    }
    if (parts[0].size() > 200 || parts[1].size() > 400 || parts[2].size() > 400) return 0;
    TMaskPositions mask;
    if (useMask) CompileEditMask(parts[0], mask);
    OutsideTextField field;
    field.text = parts[1];
    field.sel_start = data[2] % (field.text.size() + 1);
    field.sel_end = data[3] % (field.text.size() + 1);
    field.multi_line = multiLine;
    field.max_length = maxLength;
    field.mask = useMask ? &mask : nullptr;
    const bool masked = useMask && mask.Count() > 0;
    const std::string& text = parts[2];

    for (TOutsideText how : {TOutsideText::Paste, TOutsideText::Drop}) {
        const auto r = FitOutsideText(field, text, how);
        if (!r) continue;
        FUZZ_CHECK(maxLength == 0 || r->text.size() <= static_cast<size_t>(maxLength));
        FUZZ_CHECK(r->caret >= 0 && static_cast<size_t>(r->caret) <= r->text.size());
        // (A mask may show a line break as a literal of its own.)
        if (!multiLine && !HasLineBreak(field.text) && !(masked && HasLineBreak(parts[0])))
            FUZZ_CHECK(!HasLineBreak(r->text));
        if (how == TOutsideText::Drop) {
            FUZZ_CHECK(!text.empty());
            FUZZ_CHECK(r->inserted == text);
            if (!masked) FUZZ_CHECK(r->text == text);
        } else if (!masked) {
            const size_t a = std::min(field.sel_start, field.sel_end), b = std::max(field.sel_start, field.sel_end);
            FUZZ_CHECK(r->text == field.text.substr(0, a) + r->inserted + field.text.substr(b));
            FUZZ_CHECK(!r->inserted.empty());
        }
        if (masked && how == TOutsideText::Drop) {
            std::string again = r->text;
            int passed = 0, reached = 0;
            FUZZ_CHECK(ApplyEditMask(again, mask, false, passed, false, reached) >= 0);
        }
    }
    return 0;
}
