// German message texts of the list, string-list and type-cast errors. The
// texts are the system's own; the list-index text keeps its "%d" unfilled,
// exactly as the system shows it.
#pragma once

inline constexpr const char SListIndexError[] = "Der Index der Liste \xFC" "berschreitet das Maximum (%d)";
inline constexpr const char SPutObjectError[] = "PutObject auf undefiniertes Element";
inline constexpr const char SInvalidCast[] = "Ung\xFCltige Typumwandlung";
inline constexpr const char SSortedListError[] = "Operation bei sortierten Listen nicht zul\xE4ssig";
inline constexpr const char SDuplicateString[] = "Die Stringliste erlaubt keine Duplikate";
