// Format with indexed arguments.
#include <algorithm>
#include <cstdint>

#include "framework/exceptions.h"
#include "framework/sysutils.h"

namespace {

// Widths and precisions, written or taken with '*', are capped here: no text
// field needs more, and a larger one would only ask for memory.
constexpr int kMaxFieldSize = 1000000;

[[noreturn]] void InvalidFormat(const std::string& Fmt) {
    throw EConvertError("Format '" + Fmt + "' ung\xFCltig oder nicht kompatibel mit Argument");
}

[[noreturn]] void ArgumentMissing(const std::string& Fmt) {
    throw EConvertError("Kein Argument f\xFCr Format '" + Fmt + "'");
}

std::string ZeroPadded(std::string Digits, int MinDigits) {
    if (static_cast<int>(Digits.size()) < MinDigits) Digits.insert(0, static_cast<size_t>(MinDigits) - Digits.size(), '0');
    return Digits;
}

std::string IntegerText(int64_t v, int minDigits) {
    const bool negative = v < 0;
    const std::string digits = ZeroPadded(negative ? std::to_string(v).substr(1) : std::to_string(v), minDigits);
    return negative ? "-" + digits : digits;
}

// The value as 'u' and 'x' show it: a negative signed 32-bit value shows as
// its 32-bit pattern.
uint64_t UnsignedValue(const FormatArg& a) {
    if (!a.is_unsigned && a.i < 0 && a.i >= INT32_MIN) return static_cast<uint32_t>(static_cast<int32_t>(a.i));
    return static_cast<uint64_t>(a.i);
}

std::string UnsignedText(const FormatArg& a, int minDigits) { return ZeroPadded(std::to_string(UnsignedValue(a)), minDigits); }

std::string HexText(const FormatArg& a, int minDigits) { return IntToHex(static_cast<int64_t>(UnsignedValue(a)), minDigits); }

}  // namespace

std::string Format(const std::string& Fmt, std::initializer_list<FormatArg> Args) {
    std::string out;
    size_t next = 0;  // the argument a plain specifier takes
    const size_t n = Fmt.size();
    size_t i = 0;

    auto takeArg = [&](size_t index) -> const FormatArg& {
        if (index >= Args.size()) ArgumentMissing(Fmt);
        return Args.begin()[index];
    };
    auto readNumber = [&](int& value) -> bool {
        // digits or '*' (an integer argument)
        if (i < n && Fmt[i] == '*') {
            ++i;
            const FormatArg& a = takeArg(next++);
            if (a.kind != FormatArg::Kind::Integer) InvalidFormat(Fmt);
            value = static_cast<int>(std::clamp<int64_t>(a.i, -kMaxFieldSize, kMaxFieldSize));
            return true;
        }
        if (i >= n || Fmt[i] < '0' || Fmt[i] > '9') return false;
        int v = 0;
        while (i < n && Fmt[i] >= '0' && Fmt[i] <= '9') {
            v = std::min(v * 10 + (Fmt[i] - '0'), kMaxFieldSize);
            ++i;
        }
        value = v;
        return true;
    };

    while (i < n) {
        const char c = Fmt[i];
        if (c != '%') {
            out += c;
            ++i;
            continue;
        }
        ++i;
        if (i >= n) InvalidFormat(Fmt);
        if (Fmt[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        // [index ":"] ["-"] [width] ["." precision] type
        int number = -1;
        const size_t save = i;
        bool hasNumber = false;
        if (Fmt[i] == '*' || (Fmt[i] >= '0' && Fmt[i] <= '9')) {
            // Peek: a number followed by ':' is the index; '*' is only read
            // as an index when ':' follows it.
            size_t j = i;
            if (Fmt[j] == '*')
                ++j;
            else
                while (j < n && Fmt[j] >= '0' && Fmt[j] <= '9') ++j;
            if (j < n && Fmt[j] == ':') {
                hasNumber = readNumber(number);
                if (!hasNumber || number < 0) InvalidFormat(Fmt);
                next = static_cast<size_t>(number);
                ++i;  // ':'
            } else {
                i = save;
            }
        }
        bool left = false;
        if (i < n && Fmt[i] == '-') {
            left = true;
            ++i;
        }
        int width = 0;
        readNumber(width);
        if (width < 0) {
            left = true;
            width = -width;
        }
        int precision = -1;
        if (i < n && Fmt[i] == '.') {
            ++i;
            precision = 0;
            if (!readNumber(precision)) precision = 0;
            if (precision < 0) precision = -1;
        }
        if (i >= n) InvalidFormat(Fmt);
        const char type = static_cast<char>(Fmt[i] >= 'A' && Fmt[i] <= 'Z' ? Fmt[i] + 32 : Fmt[i]);
        ++i;

        const FormatArg& a = takeArg(next++);
        std::string text;
        using K = FormatArg::Kind;
        switch (type) {
            case 'd':
                if (a.kind != K::Integer) InvalidFormat(Fmt);
                text = a.is_unsigned && a.i < 0 ? UnsignedText(a, precision) : IntegerText(a.i, precision);
                break;
            case 'u':
                if (a.kind != K::Integer) InvalidFormat(Fmt);
                text = UnsignedText(a, precision);
                break;
            case 'x':
                if (a.kind != K::Integer) InvalidFormat(Fmt);
                text = HexText(a, precision);
                break;
            case 's':
                if (a.kind == K::String)
                    text = a.s;
                else if (a.kind == K::Char)
                    text = std::string(1, a.c);
                else
                    InvalidFormat(Fmt);
                if (precision >= 0 && static_cast<size_t>(precision) < text.size()) text.resize(static_cast<size_t>(precision));
                break;
            case 'f':
            case 'g':
            case 'e':
            case 'n':
            case 'm': {
                if (a.kind != K::Float) InvalidFormat(Fmt);
                switch (type) {
                    case 'f': text = FloatToStrF(a.d, TFloatFormat::ffFixed, 17, precision < 0 ? 2 : precision); break;
                    case 'g': text = FloatToStrF(a.d, TFloatFormat::ffGeneral, precision < 0 ? 15 : precision, 0); break;
                    case 'e': text = FloatToStrF(a.d, TFloatFormat::ffExponent, precision < 0 ? 15 : precision, 3); break;
                    case 'n': text = FloatToStrF(a.d, TFloatFormat::ffNumber, 17, precision < 0 ? 2 : precision); break;
                    default:
                        text = FloatToStrF(a.d, TFloatFormat::ffCurrency, 17,
                                           precision < 0 ? FormatSettings.CurrencyDecimals : precision);
                        break;
                }
                break;
            }
            case 'p':
                if (a.kind != K::Pointer) InvalidFormat(Fmt);
                text = IntToHex(static_cast<int64_t>(reinterpret_cast<uintptr_t>(a.p)), static_cast<int>(sizeof(void*) * 2));
                break;
            default: InvalidFormat(Fmt);
        }
        if (static_cast<int>(text.size()) < width) {
            const std::string pad(static_cast<size_t>(width) - text.size(), ' ');
            text = left ? text + pad : pad + text;
        }
        out += text;
    }
    return out;
}
