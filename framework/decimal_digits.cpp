#include "framework/decimal_digits.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

TDecimalDigits DecimalDigitsOf(double Value) {
    TDecimalDigits d;
    d.Negative = std::signbit(Value);
    const double a = std::fabs(Value);
    if (a == 0.0 || !std::isfinite(a)) return d;
    // "d.dddddddddddddddde+XX": exact to 17 significant digits, independent
    // of the C locale.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, 16);
    const std::string s(buf, res.ptr);
    const size_t e = s.find('e');
    std::string digits;
    for (size_t i = 0; i < e; ++i)
        if (s[i] != '.') digits += s[i];
    int exp10 = std::atoi(s.c_str() + e + 1);
    size_t lead = 0;
    while (lead < digits.size() && digits[lead] == '0') ++lead;
    digits.erase(0, lead);
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    d.Digits = digits;
    d.Exponent = digits.empty() ? 0 : exp10 + 1;
    return d;
}

void RoundDigitsAt(TDecimalDigits& D, int Count) {
    const int n = static_cast<int>(D.Digits.size());
    if (Count >= n) return;
    if (Count < 0) {
        D.Digits.clear();
        D.Exponent = 0;
        return;
    }
    const bool up = D.Digits[static_cast<size_t>(Count)] >= '5';
    D.Digits.resize(static_cast<size_t>(Count));
    if (up) {
        int i = Count - 1;
        while (i >= 0 && D.Digits[static_cast<size_t>(i)] == '9') {
            D.Digits[static_cast<size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++D.Digits[static_cast<size_t>(i)];
        } else {
            D.Digits.insert(D.Digits.begin(), '1');
            ++D.Exponent;
        }
    }
    while (!D.Digits.empty() && D.Digits.back() == '0') D.Digits.pop_back();
    if (D.Digits.empty()) D.Exponent = 0;
}
