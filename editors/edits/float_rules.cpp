#include "editors/edits/float_rules.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "editors/tools/number_text.h"
#include "framework/ansi_text.h"
#include "framework/rounding.h"
#include "framework/sysutils.h"

namespace {

// What a double holds of any decimal number: a text with more significant
// digits has a value the field cannot show.
constexpr int kHeldDigits = 15;

// A currency field's Digits is the number of decimals it holds (the typed
// filter's reading too); texts are padded to the currency decimals, or to
// Digits when that is fewer.
int CurrencyMaxDecimals(const FloatFieldRules& rules) {
    return rules.digits >= 0 ? rules.digits : FormatSettings.CurrencyDecimals;
}
int CurrencyPadDecimals(const FloatFieldRules& rules) {
    return rules.digits >= 0 && rules.digits < FormatSettings.CurrencyDecimals ? rules.digits
                                                                              : FormatSettings.CurrencyDecimals;
}

// The kind's padding of text; false leaves text as it was. Integers may take
// 64 bits: the field's value carries more than 32.
bool PadForKind(std::string& text, const FloatFieldRules& rules) {
    switch (rules.kind) {
    case deInteger: return IsIntegerTextMaxDigits(text, rules.digits, FormatSettings, IntegerRange::Int64);
    case deFloat: return PadNumberText(text, rules.precision, rules.digits, FormatSettings, IntegerRange::Int64);
    case deCurrency: {
        TFormatSettings padded = FormatSettings;
        padded.CurrencyDecimals = CurrencyPadDecimals(rules);
        return PadCurrencyText(text, CurrencyMaxDecimals(rules), -1, padded, IntegerRange::Int64);
    }
    }
    return false;
}

// Digits from the first to the last non-zero one, before any exponent.
int SignificantDigits(const std::string& text) {
    int first = -1, last = -1, at = 0;
    for (char c : text) {
        if (c == 'E' || c == 'e') break;
        if (c < '0' || c > '9') continue;
        if (c != '0') {
            if (first < 0) first = at;
            last = at;
        }
        ++at;
    }
    return first < 0 ? 0 : last - first + 1;
}

bool HasFiniteValue(const std::string& text) {
    double v = 0;
    return TryStrToFloat(text, v) && std::isfinite(v);
}

// The kind's form of text, when that form is itself accepted and has a
// value the field holds: padding an integer to its decimals can take it past
// Digits (the separator counts as a digit), and a text that would fail on
// the next check must fail now rather than turn into "0" later.
bool ToKindForm(std::string& text, const FloatFieldRules& rules) {
    std::string t = text;
    if (!PadForKind(t, rules)) return false;
    std::string again = t;
    if (!PadForKind(again, rules) || again != t || !HasFiniteValue(t)) return false;
    if (SignificantDigits(t) > kHeldDigits) return false;
    text = t;
    return true;
}

// value fixed-point with decimals places and every integer digit: from
// 1E15 on, the general formatting would fall back to an exponent.
std::string FixedText(double value, int decimals) {
    if (std::fabs(value) < 1e15) return FloatToStrF(value, TFloatFormat::ffFixed, 15, decimals);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", kHeldDigits - 1, value);  // "-1.23456789012345e+20"
    std::string sign, digits;
    int exponent = 0;
    const char* p = buffer;
    if (*p == '-') sign = "-", ++p;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') digits += *p;
    if (*p == 'e') exponent = std::atoi(p + 1);
    // exponent >= 15 here: the held digits, then zeros to the point.
    std::string t = sign + digits + std::string(static_cast<size_t>(exponent - (kHeldDigits - 1)), '0');
    if (decimals > 0) t += FormatSettings.DecimalSeparator + std::string(static_cast<size_t>(decimals), '0');
    return t;
}

// The value as the field writes it before its kind's form.
std::string RawValueText(double value, const FloatFieldRules& rules) {
    switch (rules.kind) {
    case deInteger:
        return std::fabs(value) < 1e15 ? IntToStr(RoundHalfEven(value)) : FixedText(value, 0);
    case deFloat:
        if (rules.precision >= 0) return FixedText(value, rules.precision);
        return std::fabs(value) < 1e15 ? FloatToStr(value) : FixedText(value, 0);
    case deCurrency: {
        // Every decimal the field holds, the zeros beyond the padding dropped.
        std::string t = FixedText(value, CurrencyMaxDecimals(rules));
        const size_t sep = t.find(FormatSettings.DecimalSeparator);
        if (sep != std::string::npos) {
            const size_t keep = sep + 1 + static_cast<size_t>(CurrencyPadDecimals(rules));
            while (t.size() > keep && t.back() == '0') t.pop_back();
            if (t.back() == FormatSettings.DecimalSeparator) t.pop_back();
        }
        return t;
    }
    }
    return std::string();
}

}  // namespace

std::string FloatEditMask(int digits, int precision, char separator) {
    if (digits <= 0) return std::string();
    if (precision < 1) return Format("9{%d}", {digits});
    return Format("9{%d}!(.,%1:s)%1:s9{%d}", {digits - precision, std::string(1, separator), precision});
}

FloatCharSet DecimalFloatChars(char separator) {
    FloatCharSet set;
    for (char c = '0'; c <= '9'; ++c) set.set(static_cast<unsigned char>(c));
    set.set('-');
    set.set('E');
    set.set(static_cast<unsigned char>(separator));
    return set;
}

FloatCharSet FloatCharsForKind(TEditDataType_ kind, char separator) {
    if (kind != deInteger) return DecimalFloatChars(separator);
    FloatCharSet set;
    for (char c = '0'; c <= '9'; ++c) set.set(static_cast<unsigned char>(c));
    set.set('-');
    return set;
}

std::string NormalizeFloatText(const std::string& text, const FloatFieldRules& rules) {
    std::string t = text;
    if (ToKindForm(t, rules)) return t;
    std::string zero(1, '0');
    ToKindForm(zero, rules);
    return zero;
}

bool ToFloatKindForm(std::string& text, const FloatFieldRules& rules) { return ToKindForm(text, rules); }

int CheckFloatText(const std::string& text, const FloatFieldRules& rules, std::string& normalised) {
    std::string t = text;
    // The text the field writes for the value must pass as well: a value
    // the field cannot show is refused, never written as something else.
    // ("70E-225" with 9 decimals would be written "0,000000000").
    double value = 0, again = 0;
    std::string shown;
    const bool ok = ToKindForm(t, rules) && TryStrToFloat(t, value) &&
                    !(shown = RawValueText(value, rules)).empty() && ToKindForm(shown, rules) &&
                    TryStrToFloat(shown, again) && again == value;
    if (!ok) {
        switch (rules.kind) {
        case deInteger: return kEditErrorInteger;
        case deFloat: return kEditErrorDecimal;
        case deCurrency: return kEditErrorCurrency;
        }
    }
    normalised = t;
    return 0;
}

std::string FloatValueText(double value, const FloatFieldRules& rules) {
    if (!std::isfinite(value)) return std::string();
    std::string t = RawValueText(value, rules);
    std::string form = t;
    // A value the field cannot show keeps its own digits (the check on
    // leaving refuses it); it never becomes "0".
    return ToKindForm(form, rules) ? form : t;
}

double FloatTextValue(const std::string& text, const FloatFieldRules& rules) {
    double v = 0;
    if (!TryStrToFloat(NormalizeFloatText(text, rules), v) || !std::isfinite(v)) return 0;
    return v;
}

int FloatTextCapacity(const FloatFieldRules& rules) {
    // A sign, 309 integer digits (the largest double) and the separator.
    constexpr int kLongestValue = 311;
    switch (rules.kind) {
    case deInteger: return rules.digits > 0 ? rules.digits + 1 : 20;  // a sign and 19 digits: 64 bits
    case deFloat: return rules.digits > 0 ? rules.digits + 3 : kLongestValue + (rules.precision > 0 ? rules.precision : 17);
    case deCurrency: return kLongestValue + CurrencyMaxDecimals(rules);
    }
    return kLongestValue;
}

std::string PastedFloatText(const std::string& clipboard, const FloatFieldRules& rules) {
    const size_t capacity = static_cast<size_t>(FloatTextCapacity(rules));
    std::string t;
    for (char c : clipboard) {
        if (static_cast<unsigned char>(c) < 32) continue;
        if (c == ' ' && t.empty()) continue;
        t += c;
        if (t.size() == capacity) break;
    }
    while (!t.empty() && t.back() == ' ') t.pop_back();
    return t;
}

FloatLimitReading ReadFloatLimitText(const std::string& text, TEditDataType_ kind, const FloatCharSet& allowed) {
    FloatLimitReading r;
    const std::string t = Trim(text);
    if (t.empty() || t == "-") return r;
    for (size_t i = 0; i < t.size(); ++i) {
        if (!allowed.test(static_cast<unsigned char>(t[i]))) return r;
        if (t[i] == '-' && i > 0) return r;
    }
    if (kind == deInteger) {
        int64_t v = 0;
        if (!TryStrToInt64(t, v)) return r;
        r.value = static_cast<double>(v);
    } else {
        double v = 0;
        if (!TryStrToFloat(t, v) || !std::isfinite(v)) return r;
        r.value = v;
    }
    r.valid = true;
    return r;
}

FloatKeyDecision JudgeFloatKey(const std::string& text, int sel_start, int sel_length, char key,
                               const FloatFieldRules& rules, const FloatCharSet& allowed) {
    FloatKeyDecision d;
    d.key = static_cast<char>(AnsiUpperChar(static_cast<unsigned char>(key)));
    const unsigned char k = static_cast<unsigned char>(d.key);
    const char sep = FormatSettings.DecimalSeparator;
    const int size = static_cast<int>(text.size());
    sel_start = sel_start < 0 ? 0 : (sel_start > size ? size : sel_start);
    sel_length = sel_length < 0 ? 0 : (sel_length > size - sel_start ? size - sel_start : sel_length);
    auto drop = [&] {
        d.verdict = FloatKeyVerdict::Drop;
        return d;
    };
    // Control characters are the choice edit's: Enter, Esc (undo and the
    // form's dialog key), Backspace and the clipboard keys.
    if (k < 32) return d;
    if (d.key == '-') {
        if (text.find('-') != std::string::npos) {
            if (sel_length == 0) return drop();
            d.clear_text = true;
        }
        if (sel_length == 0 && sel_start > 0) return drop();
    }
    if (d.key == sep && text.find(sep) != std::string::npos) {
        if (sel_length == 0) return drop();
        d.clear_text = true;
    }
    if (!allowed.test(k)) return drop();
    if (rules.kind == deCurrency && rules.digits >= 0) {
        const std::string after = d.clear_text ? std::string(1, d.key)
                                               : text.substr(0, static_cast<size_t>(sel_start)) + d.key +
                                                     text.substr(static_cast<size_t>(sel_start + sel_length));
        const size_t at = after.find(sep);
        if (at != std::string::npos && static_cast<int>(after.size() - at - 1) > rules.digits)
            d.verdict = FloatKeyVerdict::PassThenDrop;
    }
    return d;
}
