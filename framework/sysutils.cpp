#include "framework/sysutils.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "framework/exceptions.h"

// -------------------------------------------------------------------- strings

namespace {
inline bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
inline char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
}  // namespace

std::string Trim(const std::string& S) {
    size_t b = 0;
    size_t e = S.size();
    while (b < e && IsBlank(S[b])) ++b;
    while (e > b && IsBlank(S[e - 1])) --e;
    return S.substr(b, e - b);
}

std::string TrimLeft(const std::string& S) {
    size_t b = 0;
    while (b < S.size() && IsBlank(S[b])) ++b;
    return S.substr(b);
}

std::string TrimRight(const std::string& S) {
    size_t e = S.size();
    while (e > 0 && IsBlank(S[e - 1])) --e;
    return S.substr(0, e);
}

std::string UpperCase(const std::string& S) {
    std::string r(S);
    for (char& c : r) c = AsciiUpper(c);
    return r;
}

std::string LowerCase(const std::string& S) {
    std::string r(S);
    for (char& c : r) c = AsciiLower(c);
    return r;
}

int CompareText(const std::string& S1, const std::string& S2) {
    const size_t n = S1.size() < S2.size() ? S1.size() : S2.size();
    for (size_t i = 0; i < n; ++i) {
        const int a = static_cast<unsigned char>(AsciiUpper(S1[i]));
        const int b = static_cast<unsigned char>(AsciiUpper(S2[i]));
        if (a != b) return a - b;
    }
    if (S1.size() == S2.size()) return 0;
    return S1.size() < S2.size() ? -1 : 1;
}

bool SameText(const std::string& S1, const std::string& S2) {
    return S1.size() == S2.size() && CompareText(S1, S2) == 0;
}

int CompareStr(const std::string& S1, const std::string& S2) {
    const int c = S1.compare(S2);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::string StringOfChar(char Ch, int Count) {
    return Count > 0 ? std::string(static_cast<size_t>(Count), Ch) : std::string();
}

std::string QuotedStr(const std::string& S) { return AnsiQuotedStr(S, '\''); }

std::string AnsiQuotedStr(const std::string& S, char Quote) {
    std::string r(1, Quote);
    for (char c : S) {
        if (c == Quote) r += Quote;
        r += c;
    }
    r += Quote;
    return r;
}

std::string AnsiDequotedStr(const std::string& S, char Quote) {
    if (S.empty() || S[0] != Quote) return S;
    std::string r;
    for (size_t i = 1; i < S.size(); ++i) {
        if (S[i] == Quote) {
            if (i + 1 < S.size() && S[i + 1] == Quote) {
                r += Quote;
                ++i;
                continue;
            }
            return r;
        }
        r += S[i];
    }
    return S;  // no closing quote
}

// ----------------------------------------------------------------- file names

namespace {
size_t LastDelimiter(const std::string& S) { return S.find_last_of("\\:"); }
}  // namespace

std::string IncludeTrailingPathDelimiter(const std::string& S) {
    if (!S.empty() && S.back() == '\\') return S;
    return S + '\\';
}

std::string ExcludeTrailingPathDelimiter(const std::string& S) {
    if (!S.empty() && S.back() == '\\') return S.substr(0, S.size() - 1);
    return S;
}

std::string ExtractFilePath(const std::string& FileName) {
    const size_t p = LastDelimiter(FileName);
    return p == std::string::npos ? std::string() : FileName.substr(0, p + 1);
}

std::string ExtractFileDir(const std::string& FileName) {
    size_t p = LastDelimiter(FileName);
    if (p == std::string::npos) return std::string();
    // "C:\dir\x" -> "C:\dir", but "C:\x" -> "C:\" and "\x" -> "\".
    if (p > 0 && FileName[p] == '\\' && FileName[p - 1] != '\\' && FileName[p - 1] != ':') return FileName.substr(0, p);
    return FileName.substr(0, p + 1);
}

std::string ExtractFileName(const std::string& FileName) {
    const size_t p = LastDelimiter(FileName);
    return p == std::string::npos ? FileName : FileName.substr(p + 1);
}

std::string ExtractFileExt(const std::string& FileName) {
    const size_t p = FileName.find_last_of(".\\:");
    if (p == std::string::npos || FileName[p] != '.') return std::string();
    return FileName.substr(p);
}

std::string ChangeFileExt(const std::string& FileName, const std::string& Extension) {
    const size_t p = FileName.find_last_of(".\\:");
    if (p == std::string::npos || FileName[p] != '.') return FileName + Extension;
    return FileName.substr(0, p) + Extension;
}

// ------------------------------------------------------------------- integers

std::string IntToStr(int64_t Value) { return std::to_string(Value); }

std::string IntToHex(int64_t Value, int Digits) {
    static const char hex[] = "0123456789ABCDEF";
    uint64_t v = static_cast<uint64_t>(Value);
    std::string r;
    do {
        r.insert(r.begin(), hex[v & 0xF]);
        v >>= 4;
    } while (v != 0);
    if (static_cast<int>(r.size()) < Digits) r.insert(0, static_cast<size_t>(Digits) - r.size(), '0');
    return r;
}

bool TryStrToInt64(const std::string& S, int64_t& Value) {
    size_t i = 0;
    const size_t n = S.size();
    while (i < n && S[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (S[i] == '+' || S[i] == '-')) {
        negative = S[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < n && S[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < n && S[i] == '0' && (S[i + 1] == 'x' || S[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= n) return false;
    uint64_t acc = 0;
    const uint64_t limit = negative ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
    for (; i < n; ++i) {
        const char c = S[i];
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        if (acc > (limit - static_cast<uint64_t>(d)) / static_cast<uint64_t>(base)) return false;
        acc = acc * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
    }
    Value = negative ? static_cast<int64_t>(0 - acc) : static_cast<int64_t>(acc);
    return true;
}

bool TryStrToInt(const std::string& S, int& Value) {
    int64_t v = 0;
    if (!TryStrToInt64(S, v) || v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    Value = static_cast<int>(v);
    return true;
}

namespace {
[[noreturn]] void InvalidInteger(const std::string& S) {
    throw EConvertError("'" + S + "' ist kein g\xFCltiger Integerwert");
}
}  // namespace

int StrToInt(const std::string& S) {
    int v = 0;
    if (!TryStrToInt(S, v)) InvalidInteger(S);
    return v;
}

int64_t StrToInt64(const std::string& S) {
    int64_t v = 0;
    if (!TryStrToInt64(S, v)) InvalidInteger(S);
    return v;
}

int StrToIntDef(const std::string& S, int Default) {
    int v = 0;
    return TryStrToInt(S, v) ? v : Default;
}

// --------------------------------------------------------------------- floats

bool TryStrToFloat(const std::string& S, double& Value) {
    const std::string t = Trim(S);
    // Check the shape first: [sign] digits [sep digits] [E [sign] digits],
    // with at least one mantissa digit; then convert the normalised text.
    std::string norm;
    size_t i = 0;
    const size_t n = t.size();
    if (i < n && (t[i] == '+' || t[i] == '-')) norm += t[i++];
    int mantissaDigits = 0;
    while (i < n && t[i] >= '0' && t[i] <= '9') {
        norm += t[i++];
        ++mantissaDigits;
    }
    if (i < n && t[i] == FormatSettings.DecimalSeparator) {
        norm += '.';
        ++i;
        while (i < n && t[i] >= '0' && t[i] <= '9') {
            norm += t[i++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) return false;
    if (i < n && (t[i] == 'e' || t[i] == 'E')) {
        norm += 'e';
        ++i;
        if (i < n && (t[i] == '+' || t[i] == '-')) norm += t[i++];
        int expDigits = 0;
        while (i < n && t[i] >= '0' && t[i] <= '9') {
            norm += t[i++];
            ++expDigits;
        }
        if (expDigits == 0) return false;
    }
    if (i != n) return false;
    const char* first = norm.c_str();
    if (*first == '+') ++first;  // from_chars takes no plus sign
    double v = 0.0;
    const auto res = std::from_chars(first, norm.c_str() + norm.size(), v);
    if (res.ec != std::errc() || res.ptr != norm.c_str() + norm.size() || !std::isfinite(v)) return false;
    Value = v;
    return true;
}

double StrToFloat(const std::string& S) {
    double v = 0.0;
    if (!TryStrToFloat(S, v)) throw EConvertError("'" + S + "' ist kein g\xFCltiger Gleitkommawert");
    return v;
}

double StrToFloatDef(const std::string& S, double Default) {
    double v = 0.0;
    return TryStrToFloat(S, v) ? v : Default;
}
