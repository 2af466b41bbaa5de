// The colour schemes of a folder, as the installation lists them and finds
// the chosen one. Folder: empty for the program's folder, else ending with
// a path delimiter.
#pragma once

#include <string>

class TStrings;

// Adds kNoColorScheme, then the name of every ordinary scheme file of Folder
// (in the file system's order).
void ListColorSchemes(TStrings& List, const std::string& Folder);
// The index in List of the scheme chosen in Folder's "SHEMA.INI"; 0 when the
// file, the value or the scheme is missing.
int ReadColorSchemeIndex(const TStrings& List, const std::string& Folder);
