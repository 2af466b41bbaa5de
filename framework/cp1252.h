// The library's 8-bit text is CP1252; these convert it to and from UTF-16
// code units (held one per wchar_t) without the platform, so that the block
// readers and the wide-string lists behave the same in every build.
#pragma once

#include <string>

// Each byte to its UTF-16 code unit. The five bytes CP1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the same
// value, as the system's own conversion does.
wchar_t Cp1252ToWide(unsigned char c);
std::wstring WidenCp1252(const std::string& s);
// Characters outside CP1252 become '?'.
std::string NarrowCp1252(const std::wstring& s);
