// The user-mode settings: section "MODE" of "UserMode.INI". Values are
// written in double quotes (inner quotes doubled) and read back unquoted, so
// any one-line text round-trips, blanks and ";" included.
#pragma once

#include <string>

// The folder set for "UserMode.INI"; empty when none is set, and the file then
// lives in the program folder.
std::string GetUserModeFolder();
void SetUserModeFolder(const std::string& Folder);
// The settings file used for Folder (empty: the standard folder).
std::string UserModeFileName(const std::string& Folder);

// Value of Key, unquoted; Default when the key is missing. With WriteBack the
// value read is stored again.
void ReadUserModeString(const std::string& Key, const std::string& Default, const std::string& Folder,
                        std::string& Value, bool WriteBack);
// The integer of Key; Default when the key is missing or not a number. With
// WriteBack the result is stored again (quoted, and still read as a number).
int ReadUserModeInteger(const std::string& Key, int Default, const std::string& Folder, bool WriteBack);
// Writes Key="Value"; nothing for an empty Key. False when the file could
// not be written; a file that exists but cannot be read is left as it is.
bool WriteUserModeString(const std::string& Key, const std::string& Value, const std::string& Folder);
