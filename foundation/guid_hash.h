// Hash of a fresh GUID, used as a short unique file name.
#pragma once

#include <string>

struct _GUID;

// StringHash of a newly created GUID in its 36-character form without braces;
// never negative. 0 when the system gives no GUID.
int NewGuidHash();
// "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX", upper-case hex.
std::string GuidText(const _GUID& Guid);
