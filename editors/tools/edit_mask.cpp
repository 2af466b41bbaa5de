#include "editors/tools/edit_mask.h"

#include <algorithm>
#include <utility>

#include "framework/ansi_text.h"
#include "framework/sysutils.h"

namespace {

std::bitset<256> Digits() {
    std::bitset<256> s;
    for (int c = '0'; c <= '9'; ++c) s.set(static_cast<size_t>(c));
    return s;
}

std::bitset<256> Letters() {
    std::bitset<256> s;
    for (int c = 'A'; c <= 'Z'; ++c) s.set(static_cast<size_t>(c));
    for (int c = 'a'; c <= 'z'; ++c) s.set(static_cast<size_t>(c));
    s.set(168);
    s.set(184);
    for (int c = 192; c <= 255; ++c) s.set(static_cast<size_t>(c));
    return s;
}

bool IsClassLetter(char c) { return std::string_view("09LlAaCc").find(c) != std::string_view::npos; }

class MaskCompiler {
public:
    MaskCompiler(const std::string& mask, TMaskPositions& out) : mask_(mask), out_(out.items) {}

    void Run() {
        while (i_ < mask_.size()) {
            const char c = mask_[i_];
            if (IsClassLetter(c)) {
                if (!InputPosition(c)) return;
            } else if (c == '<') {
                CaseTag();
            } else if (c == '!') {
                Literal();
            } else {
                ++i_;
            }
        }
    }

private:
    char At(size_t p) const { return p < mask_.size() ? mask_[p] : '\0'; }

    // Adds p count times, never beyond kMaxMaskPositions.
    void Add(const TMaskPosition& p, long long count = 1) {
        const long long room = kMaxMaskPositions - static_cast<long long>(out_.size());
        out_.insert(out_.end(), static_cast<size_t>(std::clamp(count, 0LL, room)), p);
    }

    TMaskPosition LiteralOf(char c) {
        TMaskPosition p;
        p.literal = true;
        p.charOrFlags = static_cast<unsigned char>(c);
        return p;
    }

    // Reads a list after its opening bracket up to close (consumed), "#"
    // escaping one character; an unterminated list runs to the end.
    std::bitset<256> List(char close) {
        std::bitset<256> s;
        while (i_ < mask_.size() && mask_[i_] != close) {
            if (mask_[i_] == '#' && i_ + 1 < mask_.size()) ++i_;
            s.set(static_cast<unsigned char>(mask_[i_]));
            ++i_;
        }
        if (i_ < mask_.size()) ++i_;
        return s;
    }

    // False when an unterminated "{" ends the mask.
    bool InputPosition(char letter) {
        ++i_;
        if (letter == '0' || letter == 'L' || letter == 'A' || letter == 'C')
            flags_ |= kMaskRequired;
        else
            flags_ &= static_cast<unsigned char>(~kMaskRequired);
        const char lower = static_cast<char>(AnsiLowerChar(static_cast<unsigned char>(letter)));
        std::bitset<256> cls;
        if (lower == '0' || lower == '9') cls = Digits();
        if (lower == 'l') cls = Letters();
        if (lower == 'a') cls = Letters() | Digits();
        TMaskPosition p;
        p.charset = cls;
        const char open = At(i_);
        if (open == '(' || open == '[') {
            ++i_;
            const std::bitset<256> list = List(open == '(' ? ')' : ']');
            if (lower == 'c') {
                p.charset = list;
                p.mode = open == '(' ? 1 : 0;
            } else {
                p.charset |= list;
            }
        }
        p.charOrFlags = flags_;
        if (At(i_) != '{') {
            Add(p);
            return true;
        }
        const size_t close = mask_.find('}', i_ + 1);
        if (close == std::string::npos) return false;
        int count = 0;
        if (!TryStrToInt(mask_.substr(i_ + 1, close - i_ - 1), count)) count = 0;
        Add(p, count);
        i_ = close + 1;
        return true;
    }

    void CaseTag() {
        ++i_;
        bool closing = false;
        while (i_ < mask_.size() && mask_[i_] != '>') {
            const char c = mask_[i_++];
            // The historical tag letters: "l" shows upper case, "u" lower case.
            const unsigned char bit = c == 'l' ? kMaskToUpper : c == 'u' ? kMaskToLower : 0;
            if (c == '/')
                closing = true;
            else if (closing)
                flags_ &= static_cast<unsigned char>(~bit);
            else
                flags_ |= bit;
        }
        if (i_ < mask_.size()) ++i_;
    }

    void Literal() {
        ++i_;
        if (i_ >= mask_.size()) return;
        const char c = mask_[i_];
        if (c == '#') {
            if (i_ + 1 < mask_.size()) Add(LiteralOf(mask_[i_ + 1]));
            i_ += 2;
        } else if (c == '(') {
            const size_t close = mask_.find(')', i_ + 1);
            if (close == std::string::npos || close + 1 >= mask_.size()) {
                i_ = mask_.size();
                return;
            }
            TMaskPosition p = LiteralOf(mask_[close + 1]);
            p.mode = 1;
            for (size_t k = i_ + 1; k < close; ++k) p.charset.set(static_cast<unsigned char>(mask_[k]));
            Add(p);
            i_ = close + 2;
        } else if (c == '[') {
            ++i_;
            while (i_ < mask_.size() && mask_[i_] != ']') {
                if (mask_[i_] == '#' && i_ + 1 < mask_.size()) ++i_;
                Add(LiteralOf(mask_[i_]));
                ++i_;
            }
            if (i_ < mask_.size()) ++i_;
        } else {
            Add(LiteralOf(c));
            ++i_;
        }
    }

    const std::string& mask_;
    std::vector<TMaskPosition>& out_;
    size_t i_ = 0;
    unsigned char flags_ = 0;
};

bool IsRequiredInput(const TMaskPosition& p) { return !p.literal && (p.charOrFlags & kMaskRequired); }

void ClampSelection(const std::string& text, int& selStart, int& selEnd) {
    const int length = static_cast<int>(text.size());
    selStart = std::clamp(selStart, 0, length);
    selEnd = std::clamp(selEnd, 0, length);
    if (selStart > selEnd) std::swap(selStart, selEnd);
}

}  // namespace

void CompileEditMask(const std::string& mask, TMaskPositions& positions) {
    positions.items.clear();
    MaskCompiler(mask, positions).Run();
}

void FreeEditMask(TMaskPositions& positions) {
    positions.items.clear();
    positions.items.shrink_to_fit();
}

bool MaskCharFits(const TMaskPosition& p, unsigned char c, char& out) {
    if (p.literal) {
        if (c == p.charOrFlags || (p.mode == 1 && p.charset.test(c))) {
            out = static_cast<char>(p.charOrFlags);
            return true;
        }
        return false;
    }
    const bool fits = p.mode == 1 ? !p.charset.test(c) : (p.charset.none() || p.charset.test(c));
    if (!fits) return false;
    if (p.charOrFlags & kMaskToUpper) c = AnsiUpperChar(c);
    if (p.charOrFlags & kMaskToLower) c = AnsiLowerChar(c);
    out = static_cast<char>(c);
    return true;
}

int ApplyEditMask(std::string& text, const TMaskPositions& positions, bool skipLiterals, int& passedLiterals,
                  bool complete, int& reached) {
    const int count = positions.Count();
    const auto& items = positions.items;
    passedLiterals = 0;
    reached = 0;
    int lastRequired = -1;
    for (int k = count - 1; k >= 0 && lastRequired < 0; --k)
        if (IsRequiredInput(items[static_cast<size_t>(k)])) lastRequired = k;
    // How the walks through (character, position) states ended when they
    // had to start at a later position: a later walk that reaches such a
    // state ends the same way, so long masks cost no count * count steps.
    // One row of states per character, made when first needed.
    enum Ending : char { kFits = 0, kMismatch = 1, kMissing = 2 };
    constexpr size_t kMemoBytes = size_t{16} << 20;
    std::vector<std::vector<char>> endings(text.size() + 1);
    size_t memo_bytes = 0;
    std::vector<std::pair<size_t, int>> walked;
    std::string result;
    result.reserve(text.size());
    int start = 0;
    while (start <= count) {
        result.clear();
        size_t ti = 0;
        int pi = start;
        int passed = 0;
        int lastFit = start;
        char ending = kFits;
        walked.clear();
        while (ti < text.size() && pi < count) {
            if (!endings[ti].empty() && endings[ti][static_cast<size_t>(pi)] != kFits) {
                ending = endings[ti][static_cast<size_t>(pi)];
                break;
            }
            walked.emplace_back(ti, pi);
            if (skipLiterals && items[static_cast<size_t>(pi)].literal) {
                ++passed;
                ++pi;
                continue;
            }
            const TMaskPosition& p = items[static_cast<size_t>(pi)];
            char out = 0;
            if (MaskCharFits(p, static_cast<unsigned char>(text[ti]), out)) {
                result += out;
                ++ti;
                lastFit = ++pi;
            } else if (IsRequiredInput(p)) {
                ending = kMismatch;
                break;
            } else {
                ++pi;
                if (start == 0) start = 1;
            }
        }
        if (ending == kFits) {
            if (ti < text.size()) return -1;
            // With complete, no required input may follow.
            if (complete && pi <= lastRequired) ending = kMissing;
        }
        if (ending != kFits) {
            for (const auto& [ti_seen, pi_seen] : walked) {
                std::vector<char>& row = endings[ti_seen];
                if (row.empty()) {
                    if (memo_bytes > kMemoBytes) continue;
                    row.assign(static_cast<size_t>(count) + 1, kFits);
                    memo_bytes += row.size();
                }
                row[static_cast<size_t>(pi_seen)] = ending;
            }
            // A later start is tried while the first position is no required
            // input (for missing input: while it is an optional input).
            const TMaskPosition* first = start < count ? &items[static_cast<size_t>(start)] : nullptr;
            const bool later = first && !IsRequiredInput(*first) && (ending == kMismatch || !first->literal);
            if (!later) return -1;
            ++start;
            continue;
        }
        text = std::move(result);
        passedLiterals = passed;
        reached = lastFit;
        return start;
    }
    return -1;
}

int AppendMaskLiterals(std::string& text, const TMaskPositions& positions, int index, int& a, int& b) {
    int added = 0;
    for (int k = std::max(index, 0); k < positions.Count() && positions.items[static_cast<size_t>(k)].literal; ++k) {
        text += static_cast<char>(positions.items[static_cast<size_t>(k)].charOrFlags);
        ++added;
    }
    a += added;
    b += added;
    return added;
}

bool InsertMaskedText(std::string& text, const std::string& typed, const TMaskPositions& positions,
                      int& selStart, int& selEnd) {
    int a = selStart, b = selEnd;
    ClampSelection(text, a, b);
    std::string rest = text;
    rest.erase(static_cast<size_t>(a), static_cast<size_t>(b - a));
    for (size_t k = typed.size(); k > 0; --k) {
        std::string candidate = rest;
        candidate.insert(static_cast<size_t>(a), typed, 0, k);
        int passed = 0, reached = 0;
        if (ApplyEditMask(candidate, positions, false, passed, false, reached) < 0) continue;
        int caret = a + static_cast<int>(k);
        // The caret follows the appended literals only from the end of the text.
        const bool atEnd = caret == static_cast<int>(candidate.size());
        int moved = caret, other = caret;
        AppendMaskLiterals(candidate, positions, reached, moved, other);
        if (atEnd) caret = moved;
        text = std::move(candidate);
        selStart = selEnd = caret;
        return true;
    }
    return false;
}

int DeleteMaskedRange(std::string& text, const TMaskPositions& positions, int selStart, int selEnd) {
    ClampSelection(text, selStart, selEnd);
    std::string rest = text;
    if (selEnd > selStart)
        rest.erase(static_cast<size_t>(selStart), static_cast<size_t>(selEnd - selStart));
    else if (selStart < static_cast<int>(rest.size()))
        rest.erase(static_cast<size_t>(selStart), 1);
    for (;;) {
        std::string candidate = rest;
        int passed = 0, reached = 0;
        if (ApplyEditMask(candidate, positions, false, passed, false, reached) >= 0) {
            text = std::move(candidate);
            return reached;
        }
        if (rest.empty()) return 0;
        if (selStart < static_cast<int>(rest.size()))
            rest.erase(static_cast<size_t>(selStart), 1);
        else
            rest.pop_back();
    }
}

void TrimMaskLiterals(std::string& text, const TMaskPositions& positions, int index) {
    int k = std::min(index, positions.Count()) - 1;
    int literals = 0;
    while (k >= 0 && positions.items[static_cast<size_t>(k)].literal) {
        ++literals;
        --k;
    }
    if (literals == 0 || k < 0) return;
    text.erase(text.size() - std::min(text.size(), static_cast<size_t>(literals)));
}
