#include "editors/tools/number_text.h"

#include <cstdint>
#include <cstdio>

namespace {

struct NumberPart {
    int digits = 0;      // digits seen (saturating)
    uint64_t value = 0;  // value of all digits, saturating at the largest 64-bit value
    bool negative = false;
    bool hasSign = false;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

NumberClass ClassifyNumberText(const std::string& text, int& decimals, int& digits,
                               const TFormatSettings& settings, IntegerRange range) {
    decimals = 0;
    digits = 0;
    enum { kInteger, kFraction, kExponent };
    NumberPart parts[3];
    int current = kInteger;
    int state = 1;  // 0 invalid, 1 integer, 2 fraction seen, 3 exponent seen
    for (char c : text) {
        NumberPart& part = parts[current];
        if (IsDigit(c)) {
            // Every digit counts, so leading zeros never push later digits
            // out of the value.
            if (part.digits < INT32_MAX) ++part.digits;
            const uint64_t d = static_cast<uint64_t>(c - '0');
            part.value = part.value > (UINT64_MAX - d) / 10 ? UINT64_MAX : part.value * 10 + d;
        } else if (c == '+' || c == '-') {
            if (current == kFraction || part.hasSign || part.digits > 0) {
                state = 0;
            } else {
                part.hasSign = true;
                part.negative = c == '-';
            }
        } else if (c == 'E' || c == 'e') {
            if (current == kExponent || part.digits == 0) {
                state = 0;
            } else {
                state = 3;
                current = kExponent;
            }
        } else if (c == settings.DecimalSeparator && state == 1) {
            state = 2;
            current = kFraction;
        } else {
            state = 0;
        }
        if (state == 0) break;
    }
    const NumberPart& integer = parts[kInteger];
    const NumberPart& fraction = parts[kFraction];
    const NumberPart& exponent = parts[kExponent];
    switch (state) {
        case 1: {
            if (integer.digits == 0) return NumberClass::Invalid;
            uint64_t limit = UINT64_MAX;
            if (range == IntegerRange::Int32) limit = integer.negative ? 2147483648ULL : 2147483647ULL;
            if (range == IntegerRange::Int64) limit = integer.negative ? 9223372036854775808ULL : 9223372036854775807ULL;
            if (range != IntegerRange::Any && integer.value > limit) return NumberClass::Invalid;
            digits = integer.digits;
            return NumberClass::Integer;
        }
        case 2:
            digits = integer.digits + fraction.digits + 1;
            decimals = fraction.digits;
            return decimals <= settings.CurrencyDecimals ? NumberClass::CurrencyDecimal : NumberClass::LongDecimal;
        case 3: {
            if (exponent.digits == 0) return NumberClass::Invalid;
            // A fraction exists when the separator came before the "E".
            const bool hasFraction = fraction.digits > 0;
            digits = integer.digits + (hasFraction ? fraction.digits + 1 : 0) + exponent.digits;
            decimals = fraction.digits;
            if (exponent.negative) {
                decimals += exponent.digits;
            } else {
                decimals -= exponent.digits;
                if (decimals < 0) decimals = 0;
            }
            return NumberClass::Exponent;
        }
        default:
            return NumberClass::Invalid;
    }
}

bool IsIntegerText(const std::string& text, const TFormatSettings& settings) {
    int decimals = 0, digits = 0;
    return ClassifyNumberText(text, decimals, digits, settings) == NumberClass::Integer;
}

bool IsNumberText(const std::string& text, const TFormatSettings& settings, IntegerRange range) {
    int decimals = 0, digits = 0;
    return ClassifyNumberText(text, decimals, digits, settings, range) != NumberClass::Invalid;
}

bool IsDecimalText(const std::string& text, int maxDecimals, const TFormatSettings& settings) {
    int decimals = 0, digits = 0;
    switch (ClassifyNumberText(text, decimals, digits, settings)) {
        case NumberClass::Integer:
        case NumberClass::CurrencyDecimal:
            return true;
        case NumberClass::LongDecimal:
            return maxDecimals == -1 || decimals <= maxDecimals;
        default:
            return false;
    }
}

bool IsIntegerTextMaxDigits(const std::string& text, int maxDigits, const TFormatSettings& settings,
                            IntegerRange range) {
    int decimals = 0, digits = 0;
    return ClassifyNumberText(text, decimals, digits, settings, range) == NumberClass::Integer &&
           (maxDigits == -1 || digits <= maxDigits);
}

bool PadNumberText(std::string& text, int decimals, int maxDigits, const TFormatSettings& settings,
                   IntegerRange range) {
    int have = 0, digits = 0;
    const NumberClass cls = ClassifyNumberText(text, have, digits, settings, range);
    if (cls == NumberClass::Invalid) return false;
    const bool digitsOk = maxDigits == -1 || digits <= maxDigits;
    if (digitsOk && (decimals == -1 || have <= decimals)) {
        if (cls == NumberClass::Integer && decimals > 0) {
            text += settings.DecimalSeparator;
            text.append(static_cast<size_t>(decimals), '0');
        } else if ((cls == NumberClass::LongDecimal || cls == NumberClass::CurrencyDecimal) && decimals > have) {
            text.append(static_cast<size_t>(decimals - have), '0');
        }
        return true;
    }
    if (cls != NumberClass::LongDecimal || decimals == -1 || have <= decimals) return false;
    // Too many places: cut after the separator (whatever sign stands before
    // it) and accept the result only when it keeps within the digit limit.
    const size_t sep = text.find(settings.DecimalSeparator);
    if (sep == std::string::npos) return false;
    const std::string cut = text.substr(0, sep + 1 + static_cast<size_t>(decimals));
    int cutDecimals = 0, cutDigits = 0;
    if (ClassifyNumberText(cut, cutDecimals, cutDigits, settings, range) == NumberClass::Invalid) return false;
    if (maxDigits != -1 && cutDigits > maxDigits) return false;
    text = cut;
    return true;
}

bool PadCurrencyText(std::string& text, int maxDecimals, int maxDigits, const TFormatSettings& settings,
                     IntegerRange range) {
    int have = 0, digits = 0;
    const NumberClass cls = ClassifyNumberText(text, have, digits, settings, range);
    const bool classOk = cls == NumberClass::Integer || cls == NumberClass::CurrencyDecimal ||
                         (cls == NumberClass::LongDecimal && (maxDecimals == -1 || have <= maxDecimals));
    if (!classOk || (maxDigits != -1 && digits > maxDigits)) return false;
    const int places = settings.CurrencyDecimals;
    if (cls == NumberClass::Integer && places > 0) {
        text += settings.DecimalSeparator;
        text.append(static_cast<size_t>(places), '0');
    } else if (cls == NumberClass::CurrencyDecimal && places > have) {
        text.append(static_cast<size_t>(places - have), '0');
    }
    return true;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonthOf(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool ParseDateParts(const std::string& text, DateParts& out) {
    int values[6] = {};
    int count = 0;
    bool endsInSeparator = false;
    size_t i = 0;
    const size_t n = text.size();
    while (i < n) {
        if (!IsDigit(text[i])) {
            endsInSeparator = count > 0;
            ++i;
            continue;
        }
        int64_t v = 0;
        bool overflow = false;
        while (i < n && IsDigit(text[i])) {
            v = v * 10 + (text[i] - '0');
            if (v > 2147483647) overflow = true, v = 0;
            ++i;
        }
        endsInSeparator = false;
        if (count == 6) {
            // A seventh number is ignored at the very end and refuses the
            // text when anything follows it.
            if (i < n) return false;
            break;
        }
        values[count++] = overflow ? 0 : static_cast<int>(v);
    }
    if (count == 2 && endsInSeparator) return false;
    if (count < 3) return false;
    const DateParts p{values[0], values[1], values[2], values[3], values[4], values[5]};
    if (p.month < 1 || p.month > 12 || p.day == 0 || p.day > DaysInMonthOf(p.year, p.month)) return false;
    out = p;
    return true;
}

bool NormalizeDateText(const std::string& text, std::string& result, DateTextMode mode,
                       const TFormatSettings& settings) {
    DateParts p;
    if (!ParseDateParts(text, p)) return false;
    if (p.year < 50)
        p.year += 2000;
    else if (p.year < 100)
        p.year += 1900;
    else if (p.year < 1000)
        p.year += 2000;
    char buffer[96];
    const char ds = settings.DateSeparator;
    if (mode == DateTextMode::DateTime) {
        if (p.hour > 23 || p.minute > 59 || p.second > 59) return false;
        const char ts = settings.TimeSeparator;
        std::snprintf(buffer, sizeof buffer, "%02d%c%02d%c%d %02d%c%02d%c%02d", p.day, ds, p.month, ds, p.year, p.hour,
                      ts, p.minute, ts, p.second);
    } else {
        std::snprintf(buffer, sizeof buffer, "%02d%c%02d%c%d", p.day, ds, p.month, ds, p.year);
    }
    result = buffer;
    return true;
}
