#include "editors/edits/outside_text.h"

#include <algorithm>

namespace {

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

bool Masked(const OutsideTextField& f) { return f.mask && f.mask->Count() > 0; }

// The masked field's empty text: the literals before its first input
// position, the caret after them.
OutsideTextResult BlankTemplate(const TMaskPositions& mask) {
    OutsideTextResult r;
    int a = 0, b = 0;
    AppendMaskLiterals(r.text, mask, 0, a, b);
    r.caret = a;
    return r;
}

// Every character of text typed in turn into the empty masked field; nothing
// when one of them is refused.
std::optional<OutsideTextResult> TypedThroughMask(const std::string& text, const TMaskPositions& mask) {
    OutsideTextResult r = BlankTemplate(mask);
    for (char c : text) {
        int s = r.caret, e = r.caret;
        if (!InsertMaskedText(r.text, std::string(1, c), mask, s, e)) return std::nullopt;
        r.caret = s;
    }
    return r;
}

std::optional<OutsideTextResult> Drop(const OutsideTextField& f, const std::string& text) {
    if (text.empty()) return std::nullopt;
    if (!f.multi_line && std::any_of(text.begin(), text.end(), IsLineBreak)) return std::nullopt;
    if (f.max_length > 0 && text.size() > static_cast<size_t>(f.max_length)) return std::nullopt;
    if (!Masked(f)) return OutsideTextResult{text, static_cast<int>(text.size()), text};
    // Every character takes a position of its own.
    if (text.size() > static_cast<size_t>(f.mask->Count())) return std::nullopt;
    // As it stands, the mask's literals included (a text from a field with the same mask).
    std::string fitted = text;
    int passed = 0, reached = 0;
    if (ApplyEditMask(fitted, *f.mask, false, passed, false, reached) == 0) {
        int a = static_cast<int>(fitted.size()), b = a;
        AppendMaskLiterals(fitted, *f.mask, reached, a, b);
        if (f.max_length > 0 && fitted.size() > static_cast<size_t>(f.max_length)) return std::nullopt;
        return OutsideTextResult{fitted, a, text};
    }
    std::optional<OutsideTextResult> typed = TypedThroughMask(text, *f.mask);
    if (!typed || (f.max_length > 0 && typed->text.size() > static_cast<size_t>(f.max_length))) return std::nullopt;
    typed->inserted = text;
    return typed;
}

std::optional<OutsideTextResult> Paste(const OutsideTextField& f, const std::string& text) {
    std::string taken = text;
    if (!f.multi_line) std::erase_if(taken, IsLineBreak);
    const int size = static_cast<int>(f.text.size());
    int a = std::clamp(std::min(f.sel_start, f.sel_end), 0, size);
    int b = std::clamp(std::max(f.sel_start, f.sel_end), 0, size);
    if (f.max_length > 0) {
        const int room = std::max(0, f.max_length - (size - (b - a)));
        if (taken.size() > static_cast<size_t>(room)) taken.resize(static_cast<size_t>(room));
    }
    if (taken.empty()) return std::nullopt;
    if (!Masked(f)) {
        OutsideTextResult r;
        r.text = f.text.substr(0, static_cast<size_t>(a)) + taken + f.text.substr(static_cast<size_t>(b));
        r.caret = a + static_cast<int>(taken.size());
        r.inserted = taken;
        return r;
    }
    OutsideTextResult r;
    r.text = f.text;
    if (!InsertMaskedText(r.text, taken, *f.mask, a, b)) return std::nullopt;
    if (f.max_length > 0 && r.text.size() > static_cast<size_t>(f.max_length)) return std::nullopt;
    r.caret = a;
    r.inserted = taken;
    return r;
}

}  // namespace

std::optional<OutsideTextResult> FitOutsideText(const OutsideTextField& f, const std::string& text, TOutsideText how) {
    return how == TOutsideText::Drop ? Drop(f, text) : Paste(f, text);
}
