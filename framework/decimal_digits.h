// Decimal digits of a double, for the float formatting routines. The value is
// 0.d1d2d3... x 10^Exponent; the digits carry no leading or trailing zeros
// (none at all for zero). Rounding works on these digits, halves away from
// zero, which is how the system formats numbers.
#pragma once

#include <string>

struct TDecimalDigits {
    bool Negative = false;
    std::string Digits;
    int Exponent = 0;

    bool IsZero() const { return Digits.empty(); }
};

// The 17 significant digits that identify Value exactly (Value finite).
TDecimalDigits DecimalDigitsOf(double Value);
// Keeps the first Count digits, rounding half away from zero on the rest.
void RoundDigitsAt(TDecimalDigits& D, int Count);
// Rounds to Decimals places after the decimal point.
inline void RoundDecimals(TDecimalDigits& D, int Decimals) { RoundDigitsAt(D, D.Exponent + Decimals); }
// The digit at position Index (0-based from the first significant digit);
// '0' outside the stored digits.
inline char DigitAt(const TDecimalDigits& D, int Index) {
    return Index >= 0 && Index < static_cast<int>(D.Digits.size()) ? D.Digits[static_cast<size_t>(Index)] : '0';
}
