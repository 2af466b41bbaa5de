#include "editors/tools/edit_mask.h"

#include <algorithm>
#include <cstdint>
#include <map>
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

namespace {

bool CharFits(const TMaskPosition& p, unsigned char c) {
    if (p.literal) return c == p.charOrFlags || (p.mode == 1 && p.charset.test(c));
    return p.mode == 1 ? !p.charset.test(c) : (p.charset.none() || p.charset.test(c));
}

bool SamePosition(const TMaskPosition& a, const TMaskPosition& b) {
    return a.literal == b.literal && a.charOrFlags == b.charOrFlags && a.mode == b.mode && a.charset == b.charset;
}

// Fits texts into one set of positions. Runs of equal positions (what "{n}"
// makes) are walked a run at a time: a character that does not fit one of
// them fits none, and how many characters in a row fit a long run is counted
// once per text. So a walk costs the runs it crosses, not the positions.
class MaskFitter {
public:
    MaskFitter(const TMaskPositions& positions, bool skipLiterals, bool complete)
        : items_(positions.items), count_(positions.Count()), skip_literals_(skipLiterals), complete_(complete) {
        run_end_.resize(static_cast<size_t>(count_));
        run_index_.resize(static_cast<size_t>(count_));
        for (int k = count_ - 1; k >= 0; --k) {
            const bool joins = k + 1 < count_ && SamePosition(items_[static_cast<size_t>(k)], items_[static_cast<size_t>(k) + 1]);
            run_end_[static_cast<size_t>(k)] = joins ? run_end_[static_cast<size_t>(k) + 1] : k + 1;
        }
        run_begin_.resize(static_cast<size_t>(count_));
        std::vector<int> classes;  // a first long run of each kind
        for (int k = 0; k < count_; k = run_end_[static_cast<size_t>(k)]) {
            const int end = run_end_[static_cast<size_t>(k)];
            for (int m = k; m < end; ++m) {
                run_index_[static_cast<size_t>(m)] = runs_;
                run_begin_[static_cast<size_t>(m)] = k;
            }
            ++runs_;
            if (end - k < static_cast<int>(kCountedRun)) continue;
            // Long runs of one kind share their counts.
            int kind = k;
            for (int c : classes)
                if (SamePosition(items_[static_cast<size_t>(c)], items_[static_cast<size_t>(k)])) kind = c;
            if (kind == k) classes.push_back(k);
            counted_kind_[k] = kind;
        }
        for (int k = count_ - 1; k >= 0 && last_required_ < 0; --k)
            if (IsRequiredInput(items_[static_cast<size_t>(k)])) last_required_ = k;
    }

    // The start position of the fit of text, or -1; walk_from is where the
    // fitting walk began (the start reported may be one later, see below).
    // best is the most characters any tried walk took before it failed.
    int FindStart(const std::string& text, int& walk_from, size_t& best) {
        text_ = &text;
        fit_counts_.clear();
        counts_bytes_ = 0;
        endings_.assign(text.size() + 1, {});
        memo_bytes_ = 0;
        best = 0;
        int start = 0;
        while (start <= count_) {
            const int from = start;
            Walk walk = WalkFrom(start);
            // A first walk that passed a position over reports the next start.
            if (start == 0 && walk.skipped) start = 1;
            best = std::max(best, walk.ti);
            if (walk.ending == kFits) {
                if (walk.ti < text.size()) return -1;
                if (complete_ && walk.pi <= last_required_) walk.ending = kMissing;
            }
            if (walk.ending == kFits) {
                walk_from = from;
                return start;
            }
            Remember(walk);
            // A later start is tried while the first position is no required
            // input (for missing input: while it is an optional input).
            const TMaskPosition* first = start < count_ ? &items_[static_cast<size_t>(start)] : nullptr;
            const bool later = first && !IsRequiredInput(*first) && (walk.ending == kMismatch || !first->literal);
            if (!later) return -1;
            // Later starts in the same run that take the same characters
            // before leaving it walk on from the same state: the same end.
            start = std::max(start + 1, walk.same_until);
        }
        return -1;
    }

    // The fitted text of a walk from start, one position at a time.
    void Produce(const std::string& text, int start, std::string& result, int& passed, int& reached) const {
        result.clear();
        result.reserve(text.size());
        passed = 0;
        reached = start;
        size_t ti = 0;
        for (int pi = start; ti < text.size() && pi < count_; ++pi) {
            const TMaskPosition& p = items_[static_cast<size_t>(pi)];
            if (skip_literals_ && p.literal) {
                ++passed;
                continue;
            }
            char out = 0;
            if (MaskCharFits(p, static_cast<unsigned char>(text[ti]), out)) {
                result += out;
                ++ti;
                reached = pi + 1;
            }
        }
    }

private:
    enum Ending : char { kFits = 0, kMismatch = 1, kMissing = 2 };
    struct Walk {
        size_t ti = 0;
        int pi = 0;
        char ending = kFits;
        bool skipped = false;
        int same_until = 0;  // starts before this one walk the same way
    };
    // A memo entry: how a walk from a run entry ended and how many
    // characters it had taken by then.
    struct Memo {
        char ending = kFits;
        size_t ti = 0;
    };

    // How many characters from ti on fit the run starting at run_start, at
    // most limit.
    size_t FitCount(int run_start, size_t ti, size_t limit) {
        const TMaskPosition& p = items_[static_cast<size_t>(run_start)];
        const std::string& text = *text_;
        if (limit < kCountedRun) {
            size_t m = 0;
            while (m < limit && ti + m < text.size() && CharFits(p, static_cast<unsigned char>(text[ti + m]))) ++m;
            return m;
        }
        const auto kind = counted_kind_.find(run_start);
        std::vector<uint32_t>& counts = fit_counts_[kind == counted_kind_.end() ? run_start : kind->second];
        if (counts.empty()) {
            if (counts_bytes_ > kMemoBytes) {  // many kinds of long runs: count one by one
                size_t m = 0;
                while (m < limit && ti + m < text.size() && CharFits(p, static_cast<unsigned char>(text[ti + m]))) ++m;
                return m;
            }
            counts_bytes_ += (text.size() + 1) * sizeof(uint32_t);
            counts.assign(text.size() + 1, 0);
            for (size_t k = text.size(); k-- > 0;)
                counts[k] = CharFits(p, static_cast<unsigned char>(text[k])) ? counts[k + 1] + 1 : 0;
        }
        return std::min<size_t>(counts[ti], limit);
    }

    Walk WalkFrom(int start) {
        const std::string& text = *text_;
        Walk w;
        w.pi = start;
        entered_.clear();
        for (bool in_first_run = true; w.ti < text.size() && w.pi < count_; in_first_run = false) {
            const size_t pos = static_cast<size_t>(w.pi);
            const int end = run_end_[pos];
            const bool entry = w.pi == 0 || run_end_[pos - 1] == w.pi;
            if (entry) {
                const int run = run_index_[pos];
                const std::vector<Memo>& row = endings_[w.ti];
                if (!row.empty() && row[static_cast<size_t>(run)].ending != kFits) {
                    w.ending = row[static_cast<size_t>(run)].ending;
                    w.ti = row[static_cast<size_t>(run)].ti;
                    return w;
                }
                entered_.emplace_back(w.ti, run);
            }
            const TMaskPosition& p = items_[pos];
            if (skip_literals_ && p.literal) {
                if (in_first_run) w.same_until = end;
                w.pi = end;
                continue;
            }
            const size_t fitted = FitCount(run_begin_[pos], w.ti, static_cast<size_t>(end - w.pi));
            w.ti += fitted;
            w.pi += static_cast<int>(fitted);
            if (w.ti == text.size() || w.pi == end) continue;
            // The character fits no position of this run.
            if (IsRequiredInput(p)) {
                w.ending = kMismatch;
                return w;
            }
            w.skipped = true;
            if (in_first_run) w.same_until = end - static_cast<int>(w.ti);
            w.pi = end;
        }
        return w;
    }

    // Records how the walk just made ended at each run it entered.
    void Remember(const Walk& w) {
        for (const auto& [ti, run] : entered_) {
            std::vector<Memo>& row = endings_[ti];
            if (row.empty()) {
                if (memo_bytes_ > kMemoBytes) continue;
                row.resize(static_cast<size_t>(runs_));
                memo_bytes_ += row.size() * sizeof(Memo);
            }
            row[static_cast<size_t>(run)] = Memo{w.ending, w.ti};
        }
    }

    static constexpr size_t kCountedRun = 16;
    static constexpr size_t kMemoBytes = size_t{16} << 20;

    const std::vector<TMaskPosition>& items_;
    const int count_;
    const bool skip_literals_;
    const bool complete_;
    std::vector<int> run_end_;
    std::vector<int> run_index_;
    std::vector<int> run_begin_;
    std::map<int, int> counted_kind_;  // long run -> the first long run of its kind
    int runs_ = 0;
    int last_required_ = -1;
    const std::string* text_ = nullptr;
    std::map<int, std::vector<uint32_t>> fit_counts_;
    size_t counts_bytes_ = 0;
    std::vector<std::vector<Memo>> endings_;
    size_t memo_bytes_ = 0;
    std::vector<std::pair<size_t, int>> entered_;  // (character, run) at each run entry of the last walk
};

// Fits text with a prepared fitter; a fit whose text would not fit again
// unchanged is refused, so a fitted text always stays as it is.
int FitText(MaskFitter& fitter, std::string& text, int& passedLiterals, int& reached) {
    int from = 0;
    size_t best = 0;
    const int start = fitter.FindStart(text, from, best);
    if (start < 0) return -1;
    std::string result;
    int passed = 0, last = 0;
    fitter.Produce(text, from, result, passed, last);
    if (result != text) {
        std::string again;
        int again_from = 0, p2 = 0, r2 = 0;
        if (fitter.FindStart(result, again_from, best) < 0) return -1;
        fitter.Produce(result, again_from, again, p2, r2);
        if (again != result) return -1;
    }
    text = std::move(result);
    passedLiterals = passed;
    reached = last;
    return start;
}

}  // namespace

bool MaskCharFits(const TMaskPosition& p, unsigned char c, char& out) {
    if (!CharFits(p, c)) return false;
    if (p.literal) {
        out = static_cast<char>(p.charOrFlags);
        return true;
    }
    // The case is changed only where the changed character fits as well, so
    // what a position shows always fits it again.
    unsigned char shown = c;
    if (p.charOrFlags & kMaskToUpper) shown = AnsiUpperChar(shown);
    if (p.charOrFlags & kMaskToLower) shown = AnsiLowerChar(shown);
    out = static_cast<char>(CharFits(p, shown) ? shown : c);
    return true;
}

int ApplyEditMask(std::string& text, const TMaskPositions& positions, bool skipLiterals, int& passedLiterals,
                  bool complete, int& reached) {
    passedLiterals = 0;
    reached = 0;
    MaskFitter fitter(positions, skipLiterals, complete);
    return FitText(fitter, text, passedLiterals, reached);
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
    // Every character takes a position: a longer front can never fit.
    const size_t room = rest.size() < static_cast<size_t>(positions.Count())
                            ? static_cast<size_t>(positions.Count()) - rest.size() : 0;
    size_t longest = std::min(typed.size(), room);
    MaskFitter fitter(positions, false, false);
    if (longest > 0 && static_cast<size_t>(a) == rest.size()) {
        // Typed at the end: each shorter front is a front of the longest
        // one, and a walk fits it when it takes its characters before it
        // fails, so one search over the starts finds the longest that fits.
        std::string all = rest + typed.substr(0, longest);
        int from = 0;
        size_t best = 0;
        if (fitter.FindStart(all, from, best) < 0)
            longest = best > static_cast<size_t>(a) ? best - static_cast<size_t>(a) : 0;
    }
    std::string candidate;
    for (size_t k = longest; k > 0; --k) {
        candidate.assign(rest, 0, static_cast<size_t>(a));
        candidate.append(typed, 0, k);
        candidate.append(rest, static_cast<size_t>(a), std::string::npos);
        int passed = 0, reached = 0;
        if (FitText(fitter, candidate, passed, reached) < 0) continue;
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
    // A text longer than the positions never fits: its surplus goes at once,
    // from selStart on and then from the end, as one by one it would.
    const size_t count = static_cast<size_t>(positions.Count());
    if (rest.size() > count) {
        const size_t surplus = rest.size() - count;
        const size_t at_start = std::min(surplus, rest.size() - static_cast<size_t>(selStart));
        rest.erase(static_cast<size_t>(selStart), at_start);
        rest.resize(rest.size() - (surplus - at_start));
    }
    MaskFitter fitter(positions, false, false);
    std::string candidate;
    for (;;) {
        candidate = rest;
        int passed = 0, reached = 0;
        if (FitText(fitter, candidate, passed, reached) >= 0) {
            text = std::move(candidate);
            return reached;
        }
        if (rest.empty()) return 0;
        if (selStart < static_cast<int>(rest.size())) {
            rest.erase(static_cast<size_t>(selStart), 1);
            continue;
        }
        // From the end: every shorter text is a front of this one, and the
        // longest a walk takes before failing is the first that can fit.
        int from = 0;
        size_t best = 0;
        fitter.FindStart(rest, from, best);
        rest.resize(std::min(best, rest.size() - 1));
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
