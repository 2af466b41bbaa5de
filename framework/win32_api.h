// The Win32 API as the library sees it. The Windows build includes this file
// first in every C++ translation unit (see CMakeLists.txt), so that the API's
// name macros are settled once and the same way everywhere: GetObject would
// otherwise rename TStrings::GetObject in some files and not in others.
// Code that wants the GDI function calls GetObjectA.
#pragma once

#include <windows.h>

#undef GetObject
