// The grid unit's German messages, in one table. Every EInvalidGridOperation
// the grids raise takes its text from here.
#pragma once

namespace GridMessages {

inline constexpr const char IndexOutOfRange[] = "Gitterindex außerhalb des zulässigen Bereichs";
inline constexpr const char FixedColTooBig[] = "Die Anzahl fester Spalten muß kleiner sein als die Spaltenanzahl";
inline constexpr const char FixedRowTooBig[] = "Die Anzahl fester Zeilen muß kleiner sein als die Zeilenanzahl";
inline constexpr const char TooManyDeleted[] = "Zu viele Zeilen oder Spalten gelöscht";
inline constexpr const char GridTooLarge[] = "Zu viele Zeilen oder Spalten";
inline constexpr const char ViewInsertDelete[] = "Es können keine Zeilen des 'Grids' gelöscht oder eingefügt werden";
// Raised as EInvalidCast when a cell's object is not the expected class.
inline constexpr const char InvalidTypeCast[] = "Ungültige Typumwandlung";

}  // namespace GridMessages
