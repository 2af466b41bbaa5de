// Number and date texts from arbitrary bytes: classification, padding and
// date normalising never fail, and a refused text stays as it was.
#include <cstddef>
#include <cstdint>
#include <string>

#include "editors/tools/number_text.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    TFormatSettings settings = DefaultFormatSettings();
    const int decimals = static_cast<int>(data[0] % 8) - 1;
    const int maxDigits = static_cast<int>(data[1] % 16) - 1;
    if (data[0] & 0x80) settings.DecimalSeparator = '.';
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);

    int places = 0, digits = 0;
    const NumberClass cls = ClassifyNumberText(text, places, digits, settings);
    FUZZ_CHECK(cls == NumberClass::Invalid || (places >= 0 && digits > 0));

    std::string padded = text;
    const bool padOk = PadNumberText(padded, decimals, maxDigits, settings);
    FUZZ_CHECK(padOk || padded == text);
    FUZZ_CHECK(padded == text || IsNumberText(padded, settings));
    std::string currency = text;
    FUZZ_CHECK(PadCurrencyText(currency, decimals, maxDigits, settings) || currency == text);

    DateParts parts;
    const bool date = ParseDateParts(text, parts);
    FUZZ_CHECK(!date || (parts.month >= 1 && parts.month <= 12 && parts.day >= 1));
    std::string result = "unchanged";
    const bool normal = NormalizeDateText(text, result, static_cast<DateTextMode>(data[1] & 1), settings);
    FUZZ_CHECK(normal == date || (data[1] & 1));
    FUZZ_CHECK(normal || result == "unchanged");
    DaysInMonthOf(static_cast<int>(size) - 100, static_cast<int>(data[0]) - 100);
    return 0;
}
