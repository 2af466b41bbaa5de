// FloatToStr, FloatToStrF and FormatFloat.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "framework/decimal_digits.h"
#include "framework/sysutils.h"

namespace {

constexpr int kMaxPrecision = 17;  // a double carries no more significant digits

int ClampedPrecision(int Precision) { return std::clamp(Precision, 1, kMaxPrecision); }

std::string SpecialText(double Value) {
    if (std::isnan(Value)) return "NAN";
    return Value < 0 ? "-INF" : "INF";
}

std::string ExponentText(int Exp, bool AlwaysSign, int MinDigits) {
    std::string r;
    if (Exp < 0)
        r += '-';
    else if (AlwaysSign)
        r += '+';
    std::string n = std::to_string(Exp < 0 ? -Exp : Exp);
    if (static_cast<int>(n.size()) < MinDigits) n.insert(0, static_cast<size_t>(MinDigits) - n.size(), '0');
    return r + n;
}

// Integer digits with grouping every three digits from the right.
std::string Grouped(const std::string& Digits, char Separator) {
    std::string r;
    const size_t n = Digits.size();
    for (size_t i = 0; i < n; ++i) {
        r += Digits[i];
        const size_t rest = n - 1 - i;
        if (rest > 0 && rest % 3 == 0) r += Separator;
    }
    return r;
}

// Fixed notation of D with exactly Decimals places (D already rounded).
std::string FixedText(const TDecimalDigits& D, int Decimals, bool Thousands) {
    std::string ip;
    for (int i = 0; i < D.Exponent; ++i) ip += DigitAt(D, i);
    if (ip.empty()) ip.push_back('0');
    std::string r = Thousands ? Grouped(ip, FormatSettings.ThousandSeparator) : ip;
    if (Decimals > 0) {
        r += FormatSettings.DecimalSeparator;
        for (int j = 0; j < Decimals; ++j) r += DigitAt(D, D.Exponent + j);
    }
    return r;
}

std::string GeneralText(double Value, int Precision, int Digits) {
    if (!std::isfinite(Value)) return SpecialText(Value);
    Precision = ClampedPrecision(Precision);
    TDecimalDigits d = DecimalDigitsOf(Value);
    RoundDigitsAt(d, Precision);
    if (d.IsZero()) return "0";
    std::string r = d.Negative ? "-" : "";
    const int e = d.Exponent;
    const int n = static_cast<int>(d.Digits.size());
    if (e > Precision || e < -4) {
        r += d.Digits[0];
        if (n > 1) {
            r += FormatSettings.DecimalSeparator;
            r.append(d.Digits, 1, std::string::npos);
        }
        r += 'E';
        r += ExponentText(e - 1, false, Digits);
        return r;
    }
    if (e <= 0) {
        r += '0';
        r += FormatSettings.DecimalSeparator;
        r.append(static_cast<size_t>(-e), '0');
        r += d.Digits;
        return r;
    }
    for (int i = 0; i < e; ++i) r += DigitAt(d, i);
    if (n > e) {
        r += FormatSettings.DecimalSeparator;
        r.append(d.Digits, static_cast<size_t>(e), std::string::npos);
    }
    return r;
}

std::string ExponentFormText(double Value, int Precision, int Digits) {
    if (!std::isfinite(Value)) return SpecialText(Value);
    Precision = ClampedPrecision(Precision);
    TDecimalDigits d = DecimalDigitsOf(Value);
    RoundDigitsAt(d, Precision);
    std::string r = (d.Negative && !d.IsZero()) ? "-" : "";
    r += DigitAt(d, 0);
    if (Precision > 1) {
        r += FormatSettings.DecimalSeparator;
        for (int i = 1; i < Precision; ++i) r += DigitAt(d, i);
    }
    r += 'E';
    r += ExponentText(d.IsZero() ? 0 : d.Exponent - 1, true, Digits);
    return r;
}

// Places the currency string around an amount the way the settings say.
std::string CurrencyText(const std::string& Amount, bool Negative) {
    const std::string& c = FormatSettings.CurrencyString;
    if (!Negative) {
        switch (FormatSettings.CurrencyFormat) {
            case 0: return c + Amount;
            case 1: return Amount + c;
            case 2: return c + " " + Amount;
            default: return Amount + " " + c;
        }
    }
    switch (FormatSettings.NegCurrFormat) {
        case 0: return "(" + c + Amount + ")";
        case 1: return "-" + c + Amount;
        case 2: return c + "-" + Amount;
        case 3: return c + Amount + "-";
        case 4: return "(" + Amount + c + ")";
        case 5: return "-" + Amount + c;
        case 6: return Amount + "-" + c;
        case 7: return Amount + c + "-";
        case 9: return "-" + c + " " + Amount;
        case 10: return Amount + " " + c + "-";
        case 11: return c + " " + Amount + "-";
        case 12: return c + " -" + Amount;
        case 13: return Amount + "- " + c;
        case 14: return "(" + c + " " + Amount + ")";
        case 15: return "(" + Amount + " " + c + ")";
        default: return "-" + Amount + " " + c;
    }
}

// ----------------------------------------------------------- FormatFloat

// Splits at ';' outside quotes.
std::vector<std::string> SplitSections(const std::string& Format) {
    std::vector<std::string> r(1);
    char quote = 0;
    for (char c : Format) {
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            r.emplace_back();
            continue;
        }
        r.back() += c;
    }
    return r;
}

enum class TokKind { Literal, IntDigit, Point, DecDigit, Exponent };

struct Token {
    TokKind kind;
    std::string text;  // Literal; Exponent: the 'E' or 'e'
    int index = 0;     // digit placeholders: their number
};

struct Pattern {
    std::vector<Token> tokens;
    int intCount = 0;       // integer placeholders
    int intForced = 0;      // from the first '0' on
    int decCount = 0;       // decimal placeholders
    int decForced = 0;      // up to the last '0'
    bool thousands = false;
    bool scientific = false;
    bool expAlwaysSign = false;
    int expDigits = 0;
};

Pattern ParsePattern(const std::string& S) {
    Pattern p;
    bool afterPoint = false;
    int firstIntZero = -1;
    int lastDecZero = -1;
    const size_t n = S.size();
    auto literal = [&p](const std::string& t) {
        if (!p.tokens.empty() && p.tokens.back().kind == TokKind::Literal)
            p.tokens.back().text += t;
        else
            p.tokens.push_back(Token{TokKind::Literal, t, 0});
    };
    for (size_t i = 0; i < n; ++i) {
        const char c = S[i];
        if (c == '"' || c == '\'') {
            const size_t close = S.find(c, i + 1);
            const size_t end = close == std::string::npos ? n : close;
            literal(S.substr(i + 1, end - i - 1));
            i = end;
        } else if ((c == '0' || c == '#') && !p.scientific) {
            if (!afterPoint) {
                if (c == '0' && firstIntZero < 0) firstIntZero = p.intCount;
                p.tokens.push_back(Token{TokKind::IntDigit, {}, p.intCount++});
            } else {
                if (c == '0') lastDecZero = p.decCount;
                p.tokens.push_back(Token{TokKind::DecDigit, {}, p.decCount++});
            }
        } else if (c == '.' && !afterPoint && !p.scientific) {
            afterPoint = true;
            p.tokens.push_back(Token{TokKind::Point, {}, 0});
        } else if (c == ',' && !p.scientific) {
            p.thousands = true;
        } else if ((c == 'E' || c == 'e') && !p.scientific && i + 1 < n && (S[i + 1] == '+' || S[i + 1] == '-')) {
            p.scientific = true;
            p.expAlwaysSign = S[i + 1] == '+';
            i += 2;
            while (i < n && S[i] == '0' && p.expDigits < 4) {
                ++p.expDigits;
                ++i;
            }
            --i;
            p.tokens.push_back(Token{TokKind::Exponent, std::string(1, c), 0});
        } else {
            literal(std::string(1, c));
        }
    }
    p.intForced = firstIntZero < 0 ? 0 : p.intCount - firstIntZero;
    p.decForced = lastDecZero + 1;
    return p;
}

// Formats the absolute value of D (already rounded as the pattern needs).
std::string ApplyPattern(const Pattern& p, const TDecimalDigits& D, bool Minus) {
    std::string intDigits;
    std::string decDigits;
    int exponent = 0;
    if (p.scientific) {
        const int n = p.intCount > 0 ? p.intCount : 1;
        for (int i = 0; i < n; ++i) intDigits += DigitAt(D, i);
        for (int j = 0; j < p.decCount; ++j) decDigits += DigitAt(D, n + j);
        exponent = D.IsZero() ? 0 : D.Exponent - n;
    } else {
        for (int i = 0; i < D.Exponent; ++i) intDigits += DigitAt(D, i);
        for (int j = 0; j < p.decCount; ++j) decDigits += DigitAt(D, D.Exponent + j);
        if (static_cast<int>(intDigits.size()) < p.intForced)
            intDigits.insert(0, static_cast<size_t>(p.intForced) - intDigits.size(), '0');
    }
    while (static_cast<int>(decDigits.size()) > p.decForced && decDigits.back() == '0') decDigits.pop_back();

    const bool group = p.thousands && !p.scientific;
    const int len = static_cast<int>(intDigits.size());
    auto emitInt = [&](std::string& out, int j) {
        out += intDigits[static_cast<size_t>(j)];
        const int rest = len - 1 - j;
        if (group && rest > 0 && rest % 3 == 0) out += FormatSettings.ThousandSeparator;
    };
    // Digits beyond the placeholders go at the first placeholder (or at the
    // decimal point when the pattern has no integer placeholder).
    const int slots = p.scientific ? len : p.intCount;
    const int offset = len - slots;

    bool intDone = p.intCount > 0;  // without placeholders they go out once, below
    auto emitAllInt = [&](std::string& out) {
        if (intDone) return;
        intDone = true;
        for (int j = 0; j < len; ++j) emitInt(out, j);
    };

    std::string r = Minus ? "-" : "";
    for (const Token& t : p.tokens) {
        switch (t.kind) {
            case TokKind::Literal: r += t.text; break;
            case TokKind::IntDigit:
                if (t.index == 0)
                    for (int j = 0; j < offset; ++j) emitInt(r, j);
                if (t.index + offset >= 0 && t.index + offset < len) emitInt(r, t.index + offset);
                break;
            case TokKind::Point:
                emitAllInt(r);
                if (!decDigits.empty()) r += FormatSettings.DecimalSeparator;
                break;
            case TokKind::DecDigit:
                if (t.index < static_cast<int>(decDigits.size())) r += decDigits[static_cast<size_t>(t.index)];
                break;
            case TokKind::Exponent:
                if (p.scientific) emitAllInt(r);
                r += t.text;
                r += ExponentText(exponent, p.expAlwaysSign, p.expDigits > 0 ? p.expDigits : 1);
                break;
        }
    }
    return r;
}

TDecimalDigits RoundedFor(const Pattern& p, const TDecimalDigits& D) {
    TDecimalDigits r = D;
    if (p.scientific)
        RoundDigitsAt(r, (p.intCount > 0 ? p.intCount : 1) + p.decCount);
    else
        RoundDecimals(r, p.decCount);
    return r;
}

}  // namespace

std::string FloatToStr(double Value) { return GeneralText(Value, 15, 0); }

std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits) {
    if (!std::isfinite(Value)) return SpecialText(Value);
    if (Digits < 0) Digits = 0;
    switch (Format) {
        case TFloatFormat::ffGeneral: return GeneralText(Value, Precision, Digits);
        case TFloatFormat::ffExponent: return ExponentFormText(Value, Precision, Digits);
        case TFloatFormat::ffFixed:
        case TFloatFormat::ffNumber:
        case TFloatFormat::ffCurrency: {
            Precision = ClampedPrecision(Precision);
            TDecimalDigits d = DecimalDigitsOf(Value);
            // More integer digits than the precision: scientific instead.
            if (d.Exponent > Precision) return GeneralText(Value, Precision, 0);
            TDecimalDigits sig = d;
            RoundDigitsAt(sig, Precision);
            RoundDecimals(sig, Digits);
            const bool negative = d.Negative && !sig.IsZero();
            const std::string amount = FixedText(sig, Digits, Format != TFloatFormat::ffFixed);
            if (Format == TFloatFormat::ffCurrency) return CurrencyText(amount, negative);
            return negative ? "-" + amount : amount;
        }
    }
    return std::string();
}

std::string FormatFloat(const std::string& Format, double Value) {
    if (!std::isfinite(Value)) return SpecialText(Value);
    if (Format.empty()) return FloatToStr(Value);
    const std::vector<std::string> sections = SplitSections(Format);
    const TDecimalDigits digits = DecimalDigitsOf(Value);
    const bool negative = digits.Negative && !digits.IsZero();

    // Section choice: the negative section shows the value without a sign;
    // an empty section falls back to the first one.
    size_t section = 0;
    if (negative && sections.size() >= 2 && !sections[1].empty()) section = 1;
    Pattern p = ParsePattern(sections[section]);
    TDecimalDigits rounded = RoundedFor(p, digits);
    if (rounded.IsZero()) {
        if (sections.size() >= 3 && !sections[2].empty()) {
            p = ParsePattern(sections[2]);
            rounded = TDecimalDigits{};
        } else if (section == 1) {
            p = ParsePattern(sections[0]);
            rounded = RoundedFor(p, digits);
        }
        return ApplyPattern(p, rounded, false);
    }
    if (!p.scientific && rounded.Exponent > 18) return FloatToStr(Value);
    return ApplyPattern(p, rounded, negative && section == 0);
}
