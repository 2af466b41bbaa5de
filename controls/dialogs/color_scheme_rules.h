// The colour-scheme names and the chosen scheme, without the file system:
// scheme files are named "COLORSHEMA_" + name + ".DAT", the choice is the
// "VALUE" of section "ASHEMA" in "SHEMA.INI".
#pragma once

#include <string>

class TStrings;

// Entry 0 of every scheme list: no scheme.
inline constexpr const char* kNoColorScheme = "Kein Farbschema";
inline constexpr const char* kColorSchemePattern = "COLORSHEMA*.DAT";
inline constexpr const char* kColorSchemeIniName = "SHEMA.INI";
inline constexpr const char* kColorSchemeSection = "ASHEMA";
inline constexpr const char* kColorSchemeIdent = "VALUE";

// The scheme name of a file name: without its first 11 and its last 4
// characters ("COLORSHEMA_Blau.DAT" gives "Blau"); a name too short for both
// gives "" ("COLORSHEMA.DAT").
std::string ColorSchemeNameOf(const std::string& FileName);

// The index of Value in List (the list's own comparison); 0 when it is not
// there, and 0 for an empty Value, which never picks an empty name.
int ColorSchemeIndexOf(const TStrings& List, const std::string& Value);
