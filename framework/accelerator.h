// Accelerator keys of captions: "&Weiter" has the accelerator W ("&&" is a
// literal ampersand).
#pragma once

#include <string>

// The accelerator character of Caption, or 0 when it has none.
char GetHotkey(const std::string& Caption);
// Key is Caption's accelerator (case-insensitive, CP1252).
bool IsAccel(char Key, const std::string& Caption);
// Caption as it reads without its accelerator marks: every single "&"
// dropped, "&&" made one "&".
std::string StripHotkey(const std::string& Caption);
