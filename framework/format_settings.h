// Process-wide number, date and currency format settings (German defaults).
// FormatSettings holds the defaults from the start of the program (no code of
// the library runs before main); InitFormatSettings() puts them back.
#pragma once

#include <string>

struct TFormatSettings {
    char DecimalSeparator;
    char ThousandSeparator;
    int CurrencyDecimals;
    char DateSeparator;
    std::string ShortDateFormat;
    char TimeSeparator;
    std::string ShortTimeFormat;
    std::string LongTimeFormat;
    std::string TimeAMString;
    std::string TimePMString;
    std::string CurrencyString;
    // 0 "€1", 1 "1€", 2 "€ 1", 3 "1 €".
    int CurrencyFormat;
    // 8 "-1 €" (the German one); see FloatToStrF.
    int NegCurrFormat;
    char ListSeparator;
    std::string ShortMonthNames[12];
    std::string LongMonthNames[12];
    // Sunday first.
    std::string ShortDayNames[7];
    std::string LongDayNames[7];
};

// The German defaults.
TFormatSettings DefaultFormatSettings();

extern TFormatSettings FormatSettings;

// Resets FormatSettings to the German defaults.
void InitFormatSettings();
