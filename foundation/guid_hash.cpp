#include "foundation/guid_hash.h"

#include <windows.h>
#include <objbase.h>

#include "foundation/string_hash.h"

std::string GuidText(const GUID& Guid) {
    wchar_t wide[40] = {};
    const int n = StringFromGUID2(Guid, wide, 40);  // "{...}" and the NUL
    std::string text;
    for (int i = 1; i + 2 < n; ++i) text += static_cast<char>(wide[i]);
    return text;
}

int NewGuidHash() {
    GUID guid;
    if (FAILED(CoCreateGuid(&guid))) return 0;
    return static_cast<int>(StringHash(GuidText(guid)));
}
