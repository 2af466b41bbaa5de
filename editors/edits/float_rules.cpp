#include "editors/edits/float_rules.h"

#include <cmath>

#include "editors/tools/number_text.h"
#include "framework/ansi_text.h"
#include "framework/rounding.h"
#include "framework/sysutils.h"

namespace {

// The kind's padding of text; false leaves text as it was.
bool PadForKind(std::string& text, const FloatFieldRules& rules) {
    switch (rules.kind) {
    case deInteger: return IsIntegerTextMaxDigits(text, rules.digits);
    case deFloat: return PadNumberText(text, rules.precision, rules.digits);
    case deCurrency: return PadCurrencyText(text, FormatSettings.CurrencyDecimals, rules.digits);
    }
    return false;
}

bool HasFiniteValue(const std::string& text) {
    double v = 0;
    return TryStrToFloat(text, v) && std::isfinite(v);
}

// The kind's form of text, when that form is itself accepted and has a
// value: padding an integer to its decimals can take it past Digits (the
// separator counts as a digit), and a text that would fail on the next
// check must fail now rather than turn into "0" later.
bool ToKindForm(std::string& text, const FloatFieldRules& rules) {
    std::string t = text;
    if (!PadForKind(t, rules)) return false;
    std::string again = t;
    if (!PadForKind(again, rules) || again != t || !HasFiniteValue(t)) return false;
    text = t;
    return true;
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

FloatCharSet FloatCharsForKind(TEditDataType_ kind, const FloatCharSet& current, char separator) {
    switch (kind) {
    case deInteger: {
        FloatCharSet set;
        for (char c = '0'; c <= '9'; ++c) set.set(static_cast<unsigned char>(c));
        set.set('-');
        return set;
    }
    case deCurrency: return DecimalFloatChars(separator);
    case deFloat: break;
    }
    return current;
}

std::string NormalizeFloatText(const std::string& text, const FloatFieldRules& rules) {
    std::string t = text;
    if (ToKindForm(t, rules)) return t;
    std::string zero(1, '0');
    ToKindForm(zero, rules);
    return zero;
}

int CheckFloatText(const std::string& text, const FloatFieldRules& rules, std::string& normalised) {
    std::string t = text;
    if (!ToKindForm(t, rules)) {
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
    if (!std::isfinite(value)) value = 0;
    std::string t;
    switch (rules.kind) {
    case deInteger: t = IntToStr(RoundHalfEven(value)); break;
    case deFloat:
        t = rules.precision >= 0 ? FloatToStrF(value, TFloatFormat::ffFixed, 15, rules.precision) : FloatToStr(value);
        break;
    case deCurrency: t = FloatToStrF(value, TFloatFormat::ffFixed, 15, FormatSettings.CurrencyDecimals); break;
    }
    return NormalizeFloatText(t, rules);
}

double FloatTextValue(const std::string& text, const FloatFieldRules& rules) {
    double v = 0;
    if (!TryStrToFloat(NormalizeFloatText(text, rules), v) || !std::isfinite(v)) return 0;
    return v;
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
        int v = 0;
        if (!TryStrToInt(t, v)) return r;
        r.value = v;
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
