// Number and date texts from arbitrary bytes: classification, padding and
// date normalising never fail, and a refused text stays as it was.
#include <cstddef>
#include <cstdint>
#include <string>

#include "editors/tools/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    TFormatSettings settings = DefaultFormatSettings();
    const int decimals = static_cast<int>(data[0] % 8) - 1;
    const int maxDigits = static_cast<int>(data[1] % 16) - 1;
    if (data[0] & 0x80) settings.DecimalSeparator = '.';
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);

    int places = 0, digits = 0;
    const NumberClass cls = ClassifyNumberText(text, places, digits, settings);
    if (cls != NumberClass::Invalid && (places < 0 || digits < 0)) __builtin_trap();

    std::string padded = text;
    if (!PadNumberText(padded, decimals, maxDigits, settings) && padded != text) __builtin_trap();
    if (padded != text && !IsNumberText(padded, settings)) __builtin_trap();
    std::string currency = text;
    if (!PadCurrencyText(currency, decimals, maxDigits, settings) && currency != text) __builtin_trap();

    DateParts parts;
    const bool date = ParseDateParts(text, parts);
    if (date && (parts.month < 1 || parts.month > 12 || parts.day < 1)) __builtin_trap();
    std::string result = "unchanged";
    const bool normal = NormalizeDateText(text, result, static_cast<DateTextMode>(data[1] & 1), settings);
    if (normal != date && !(data[1] & 1)) __builtin_trap();
    if (!normal && result != "unchanged") __builtin_trap();
    DaysInMonthOf(static_cast<int>(size) - 100, static_cast<int>(data[0]) - 100);
    return 0;
}
