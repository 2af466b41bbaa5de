// The grid unit's German messages, in one table. Every EInvalidGridOperation
// the grids raise takes its text from here.
#pragma once

namespace GridMessages {

inline constexpr const char IndexOutOfRange[] = "Gitterindex au\xDF" "erhalb des zul\xE4ssigen Bereichs";
inline constexpr const char FixedColTooBig[] = "Die Anzahl fester Spalten mu\xDF kleiner sein als die Spaltenanzahl";
inline constexpr const char FixedRowTooBig[] = "Die Anzahl fester Zeilen mu\xDF kleiner sein als die Zeilenanzahl";
inline constexpr const char TooManyDeleted[] = "Zu viele Zeilen oder Spalten gel\xF6scht";
inline constexpr const char GridTooLarge[] = "Zu viele Zeilen oder Spalten";
inline constexpr const char ViewInsertDelete[] = "Es k\xF6nnen keine Zeilen des 'Grids' gel\xF6scht oder eingef\xFCgt werden";
// Raised as EInvalidCast when a cell's object is not the expected class.
inline constexpr const char InvalidTypeCast[] = "Ung\xFCltige Typumwandlung";

}  // namespace GridMessages
