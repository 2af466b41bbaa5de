// What a number or date cell and the number edits accept: the number-text
// classifier with its wrappers and padders, and the date-text parser and
// normaliser. All read the separators and the currency decimals from a
// format-settings record (the process-wide FormatSettings by default), never
// raise, and leave the text untouched when they answer false.
#pragma once

#include <string>

#include "framework/format_settings.h"

enum class NumberClass : int {
    Invalid = 0,
    Integer = 1,
    LongDecimal = 2,     // more decimals than the currency decimals
    Exponent = 3,
    CurrencyDecimal = 4, // decimals within the currency decimals
};

// How large an integer text may be: 32 bits (the grid cells' integers), 64
// bits (the number fields, whose value carries more than 32 bits), or any
// length (the calculator, which reads every whole number as a double).
enum class IntegerRange : int { Int32 = 0, Int64 = 1, Any = 2 };

// Classifies text as a number: optional sign, digits, the decimal separator
// with digits, "E"/"e" with an optional sign and digits. A sign is allowed
// only at the start of the integer part and of the exponent. digits counts
// the digits (plus one for a separator, never the signs); decimals the
// fraction digits, less the number of exponent digits for a positive
// exponent (not below 0), plus it for a negative one. An integer must fit
// into the range (32 bits unless asked for 64).
NumberClass ClassifyNumberText(const std::string& text, int& decimals, int& digits,
                               const TFormatSettings& settings = FormatSettings,
                               IntegerRange range = IntegerRange::Int32);

bool IsIntegerText(const std::string& text, const TFormatSettings& settings = FormatSettings);
// Any valid class.
bool IsNumberText(const std::string& text, const TFormatSettings& settings = FormatSettings,
                  IntegerRange range = IntegerRange::Int32);
// An integer, a currency-length decimal, or a longer one with at most
// maxDecimals decimals (-1: any).
bool IsDecimalText(const std::string& text, int maxDecimals, const TFormatSettings& settings = FormatSettings);
// An integer of at most maxDigits digits (-1: any).
bool IsIntegerTextMaxDigits(const std::string& text, int maxDigits,
                            const TFormatSettings& settings = FormatSettings,
                            IntegerRange range = IntegerRange::Int32);

// Accepts a number of at most maxDigits digits (-1: any) and at most decimals
// decimals (-1: any), padding an integer or a decimal with "0" to decimals
// places; an exponent text stays as it is. A long decimal with too many
// places is cut to decimals places when the cut text keeps within maxDigits.
bool PadNumberText(std::string& text, int decimals, int maxDigits, const TFormatSettings& settings = FormatSettings,
                   IntegerRange range = IntegerRange::Int32);
// Accepts an integer, a currency-length decimal or a longer decimal of at
// most maxDecimals places (-1: any), of at most maxDigits digits; integers
// and currency-length decimals are padded to the currency decimals.
bool PadCurrencyText(std::string& text, int maxDecimals, int maxDigits,
                     const TFormatSettings& settings = FormatSettings, IntegerRange range = IntegerRange::Int32);

// Day, month, year, hour, minute, second.
struct DateParts {
    int day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
};

// Splits text at every non-digit into up to six numbers (a seventh at the
// very end is ignored, one followed by more text refuses the text). Needs at
// least three numbers and a valid day of the month in the year as typed
// (year 0 counts as a leap year). parts is set only on success.
bool ParseDateParts(const std::string& text, DateParts& parts);

enum class DateTextMode : int { Date = 0, DateTime = 1 };

// Parses text and writes it as "dd.mm.yyyy" (DateTime: "dd.mm.yyyy hh:nn:ss"
// with a time of at most 23:59:59) with the settings' separators. Two-digit
// years 0..49 become 20xx and 50..99 19xx; three-digit years get 2000 added.
// result is set only when the answer is true.
bool NormalizeDateText(const std::string& text, std::string& result, DateTextMode mode = DateTextMode::Date,
                       const TFormatSettings& settings = FormatSettings);

bool IsLeapYear(int year);
// 28..31; 0 for a month outside 1..12.
int DaysInMonthOf(int year, int month);

constexpr int IntMin(int a, int b) { return a < b ? a : b; }
constexpr int IntMax(int a, int b) { return a > b ? a : b; }
