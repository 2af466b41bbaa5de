#include "grids/row_kind.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "framework/rounding.h"

namespace {

std::string TrimBlanks(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

}  // namespace

TRowKindLook RowKindLookOf(const std::string& KindText) {
    const std::string t = TrimBlanks(KindText);
    TRowKindLook look;
    if (t.empty()) return look;
    switch (static_cast<unsigned char>(t[0])) {
        case 'd': look.Symbol = TRowKindSymbol::Letter, look.Letter = 'D'; break;
        case '*': look.Symbol = TRowKindSymbol::Letter, look.Letter = 'S'; break;
        case 't': look.Symbol = TRowKindSymbol::Letter, look.Letter = 'Z'; break;
        case '-': look.Symbol = TRowKindSymbol::Letter, look.Letter = '-', look.Larger = true; break;
        case 'a': look.Symbol = TRowKindSymbol::Letter, look.Letter = 'A'; break;
        case 129: look.Symbol = TRowKindSymbol::Triangle; break;
        default: break;
    }
    if (t.size() > 1 && t[1] == 'h') look.Fill = true;
    if (t.size() > 2 && t[2] == 'p') look.Underline = TRowUnderline::Red;
    if (t.size() > 2 && t[2] == 'g') look.Underline = TRowUnderline::Green;
    if (t.size() > 3 && t[3] == 'j') look.Fill = true;
    return look;
}

bool RowKindEditsReadOnlyColumns(const std::string& KindText) {
    const std::string t = TrimBlanks(KindText);
    return t.empty() || t[0] == '-' || t[0] == 'a';
}

bool ParseAdjustGrid(const std::string& Text, int& Size, double& Factor) {
    const size_t blank = Text.find(' ');
    if (blank == std::string::npos || blank == 0 || Text.find(' ', blank + 1) != std::string::npos) return false;
    const std::string sizeText = Text.substr(0, blank);
    std::string factorText = Text.substr(blank + 1);
    if (factorText.empty()) return false;
    for (char c : sizeText)
        if (c < '0' || c > '9') return false;
    if (sizeText.size() > 4) return false;
    int dots = 0, digits = 0;
    for (char& c : factorText) {
        if (c == ',') c = '.';
        if (c == '.') {
            if (++dots > 1) return false;
        } else if (c >= '0' && c <= '9') {
            ++digits;
        } else {
            return false;
        }
    }
    if (digits == 0 || factorText.size() > 12) return false;
    Size = std::atoi(sizeText.c_str());
    Factor = std::strtod(factorText.c_str(), nullptr);
    return Size > 0 && std::isfinite(Factor) && Factor > 0;
}

TAdjustedSizes AdjustedFontSizes(int Size, double Factor, int PixelsPerInch) {
    TAdjustedSizes s;
    const double ratio = PixelsPerInch > 0 ? PixelsPerInch / 96.0 : 1.0;
    s.Scaled = std::max<int>(Size, static_cast<int>(RoundHalfEven(Size / ratio)));
    s.Final = std::max<int>(Size, static_cast<int>(std::min<int64_t>(RoundHalfEven(s.Scaled * Factor), 1000)));
    return s;
}

int AdjustedMaxSecondHeight(int Value, double Factor, int PixelsPerInch) {
    int64_t v = std::clamp<int64_t>(RoundHalfEven(Value * Factor), 0, 1000);
    if (PixelsPerInch > 96) v *= 2;
    return static_cast<int>(std::clamp<int64_t>(v, 50, 100));
}

int AdjustedRowHeight(int TextHeight) { return static_cast<int>(std::ceil(1.6 * TextHeight)); }

int FittingFontSize(int Size, int MaxRowHeight, const std::function<int(int)>& TextHeight) {
    auto fits = [&](int size) { return AdjustedRowHeight(TextHeight(size)) <= MaxRowHeight; };
    if (Size <= 1 || fits(Size)) return std::max(Size, 1);
    // fits(lo) is assumed (or lo is 1), fits(hi) is false.
    int lo = 1, hi = Size;
    while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        if (fits(mid))
            lo = mid;
        else
            hi = mid;
    }
    return lo;
}
