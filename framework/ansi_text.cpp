#include "framework/ansi_text.h"

namespace {
inline unsigned char Up(char c) { return AnsiUpperChar(static_cast<unsigned char>(c)); }

bool MatchAt(const std::string& S, size_t Pos, const std::string& Sub) {
    for (size_t i = 0; i < Sub.size(); ++i)
        if (Up(S[Pos + i]) != Up(Sub[i])) return false;
    return true;
}
}  // namespace

std::string AnsiUpperCase(const std::string& S) {
    std::string r(S);
    for (char& c : r) c = static_cast<char>(Up(c));
    return r;
}

std::string AnsiLowerCase(const std::string& S) {
    std::string r(S);
    for (char& c : r) c = static_cast<char>(AnsiLowerChar(static_cast<unsigned char>(c)));
    return r;
}

int AnsiCompareText(const std::string& S1, const std::string& S2) {
    const size_t n = S1.size() < S2.size() ? S1.size() : S2.size();
    for (size_t i = 0; i < n; ++i) {
        const int a = Up(S1[i]);
        const int b = Up(S2[i]);
        if (a != b) return a - b;
    }
    if (S1.size() == S2.size()) return 0;
    return S1.size() < S2.size() ? -1 : 1;
}

bool AnsiSameText(const std::string& S1, const std::string& S2) {
    return S1.size() == S2.size() && AnsiCompareText(S1, S2) == 0;
}

int AnsiCompareStr(const std::string& S1, const std::string& S2) {
    const int c = S1.compare(S2);  // char_traits<char>::compare orders bytes unsigned
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool AnsiSameStr(const std::string& S1, const std::string& S2) { return S1 == S2; }

size_t AnsiPosText(const std::string& Sub, const std::string& S, size_t From) {
    if (Sub.empty() || Sub.size() > S.size()) return std::string::npos;
    for (size_t p = From; p + Sub.size() <= S.size(); ++p)
        if (MatchAt(S, p, Sub)) return p;
    return std::string::npos;
}

bool AnsiContainsText(const std::string& S, const std::string& Sub) {
    return Sub.empty() || AnsiPosText(Sub, S) != std::string::npos;
}

bool AnsiStartsText(const std::string& Sub, const std::string& S) {
    return Sub.size() <= S.size() && MatchAt(S, 0, Sub);
}

bool AnsiEndsText(const std::string& Sub, const std::string& S) {
    return Sub.size() <= S.size() && MatchAt(S, S.size() - Sub.size(), Sub);
}

std::string AnsiReplaceText(const std::string& S, const std::string& From, const std::string& To) {
    if (From.empty() || From.size() > S.size()) return S;
    // The case table maps byte to byte, so positions in the upper-case copy
    // are positions in S; the copy lets the search run on std::string::find.
    const std::string upper = AnsiUpperCase(S);
    const std::string needle = AnsiUpperCase(From);
    size_t found = upper.find(needle);
    if (found == std::string::npos) return S;
    std::string r;
    r.reserve(S.size());
    size_t p = 0;
    while (found != std::string::npos) {
        r.append(S, p, found - p);
        r += To;
        p = found + needle.size();
        found = upper.find(needle, p);
    }
    r.append(S, p, std::string::npos);
    return r;
}

bool AnsiReplaceTextInPlace(std::string& S, const std::string& From, const std::string& To) {
    std::string r = AnsiReplaceText(S, From, To);
    if (r == S) return false;
    S.swap(r);
    return true;
}
