#include "framework/format_settings.h"

namespace {
// constexpr so that the global below is initialised at compile time.
constexpr TFormatSettings GermanSettings() {
    return TFormatSettings{
        ',', '.', 2, '.', "dd.mm.yyyy", ':', "hh:nn", "hh:nn:ss", "", "", "€", 3, 8, ';',
        {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"},
        {"Januar", "Februar", "März", "April", "Mai", "Juni", "Juli", "August", "September", "Oktober",
         "November", "Dezember"},
        {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"},
        {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"},
    };
}
}  // namespace

constinit TFormatSettings FormatSettings = GermanSettings();

TFormatSettings DefaultFormatSettings() { return GermanSettings(); }

void InitFormatSettings() { FormatSettings = GermanSettings(); }
