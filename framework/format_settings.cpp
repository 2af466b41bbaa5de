#include "framework/format_settings.h"

namespace {
// Non-ASCII bytes are written as CP1252 escapes so that every compiler makes
// the same bytes.
TFormatSettings GermanSettings() {
    return TFormatSettings{
        ',', '.', 2, '.', "dd.mm.yyyy", ':', "hh:nn", "hh:nn:ss", "", "", "\x80", 3, 8, ';',
        {"Jan", "Feb", "M\xE4r", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"},
        {"Januar", "Februar", "M\xE4rz", "April", "Mai", "Juni", "Juli", "August", "September", "Oktober",
         "November", "Dezember"},
        {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"},
        {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"},
    };
}
}  // namespace

TFormatSettings FormatSettings = GermanSettings();

TFormatSettings DefaultFormatSettings() { return GermanSettings(); }

void InitFormatSettings() { FormatSettings = GermanSettings(); }
