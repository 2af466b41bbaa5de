// Text and number conversions of the framework: trimming, quoting, file-name
// parts, integer and float conversion, FormatFloat and Format. Numbers are
// written and read with FormatSettings (format_settings.h).
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <utility>

#include "framework/format_settings.h"

// ------------------------------------------------------------------ strings

// Bytes up to and including ' ' (control characters and blank) are trimmed.
std::string Trim(const std::string& S);
std::string TrimLeft(const std::string& S);
std::string TrimRight(const std::string& S);

// ASCII letters only; other bytes stay (see ansi_text.h for CP1252 case).
std::string UpperCase(const std::string& S);
std::string LowerCase(const std::string& S);
int CompareText(const std::string& S1, const std::string& S2);
bool SameText(const std::string& S1, const std::string& S2);
int CompareStr(const std::string& S1, const std::string& S2);

std::string StringOfChar(char Ch, int Count);

// 'abc' with inner quotes doubled.
std::string QuotedStr(const std::string& S);
std::string AnsiQuotedStr(const std::string& S, char Quote);
// The reverse of AnsiQuotedStr: when S begins with Quote, the text up to the
// closing quote with doubled quotes undoubled. S without a leading quote, or
// with no closing quote, comes back unchanged.
std::string AnsiDequotedStr(const std::string& S, char Quote);

// ---------------------------------------------------------------- file names
// '\' separates folders, ':' ends a drive.

std::string IncludeTrailingPathDelimiter(const std::string& S);
std::string ExcludeTrailingPathDelimiter(const std::string& S);
std::string ExtractFilePath(const std::string& FileName);  // with the final '\'
std::string ExtractFileDir(const std::string& FileName);   // without it (except a root)
std::string ExtractFileName(const std::string& FileName);
std::string ExtractFileExt(const std::string& FileName);   // ".txt", or empty
std::string ChangeFileExt(const std::string& FileName, const std::string& Extension);

// ------------------------------------------------------------------ integers

std::string IntToStr(int64_t Value);
std::string IntToHex(int64_t Value, int Digits);  // upper-case, at least Digits digits
// Decimal with optional sign, or hexadecimal with "$" or "0x"; leading blanks
// are skipped, anything after the number is an error. Raises EConvertError
// "'x' ist kein gültiger Integerwert".
int StrToInt(const std::string& S);
int64_t StrToInt64(const std::string& S);
int StrToIntDef(const std::string& S, int Default);
bool TryStrToInt(const std::string& S, int& Value);
bool TryStrToInt64(const std::string& S, int64_t& Value);

// -------------------------------------------------------------------- floats

enum class TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// General format with 15 significant digits and the decimal separator:
// 1.5 -> "1,5", 1e20 -> "1E20".
std::string FloatToStr(double Value);
std::string FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits);
// Pattern formatting: "pos;neg;zero" sections, '0' and '#' digits, '.' and
// ',' for the decimal point and grouping, E+/E- exponents, '...' and "..."
// literals. Rounds half away from zero on the decimal digits of Value.
std::string FormatFloat(const std::string& Format, double Value);

// Accepts the current DecimalSeparator (no grouping), an optional sign and an
// exponent; blanks around are ignored. Raises EConvertError
// "'x' ist kein gültiger Gleitkommawert".
double StrToFloat(const std::string& S);
double StrToFloatDef(const std::string& S, double Default);
bool TryStrToFloat(const std::string& S, double& Value);

// -------------------------------------------------------------------- Format

// One argument of Format: integer, float, string, character or pointer.
struct FormatArg {
    enum class Kind { Integer, Float, String, Char, Pointer };
    Kind kind = Kind::Integer;
    int64_t i = 0;
    bool is_unsigned = false;
    double d = 0.0;
    std::string s;
    char c = 0;
    const void* p = nullptr;

    template <std::integral T>
        requires(!std::same_as<T, char>)
    FormatArg(T v) : kind(Kind::Integer), i(static_cast<int64_t>(v)), is_unsigned(std::is_unsigned_v<T>) {}
    FormatArg(char v) : kind(Kind::Char), c(v) {}
    FormatArg(double v) : kind(Kind::Float), d(v) {}
    FormatArg(float v) : kind(Kind::Float), d(v) {}
    FormatArg(long double v) : kind(Kind::Float), d(static_cast<double>(v)) {}
    FormatArg(const char* v) : kind(Kind::String), s(v ? v : "") {}
    FormatArg(std::string v) : kind(Kind::String), s(std::move(v)) {}
    FormatArg(const void* v) : kind(Kind::Pointer), p(v) {}
    FormatArg(std::nullptr_t) : kind(Kind::Pointer), p(nullptr) {}
};

// "%" [index ":"] ["-"] [width] ["." precision] type, with type one of
// d u x s f g e n m p (either case) and "%%". Width and precision may be "*"
// (taken from the arguments; a negative "*" width aligns left); both are
// capped at 1,000,000. Indices count from 0; after "%1:s" the next
// plain specifier takes argument 2. A wrong argument type raises
// EConvertError "Format '<fmt>' ungültig oder nicht kompatibel mit Argument".
std::string Format(const std::string& Fmt, std::initializer_list<FormatArg> Args);
