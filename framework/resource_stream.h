// TResourceStream: the bytes of a resource of a module, read into memory.
#pragma once

#include <windows.h>

#include <string>

#include "framework/streams.h"

class TResourceStream : public TMemoryStream {
public:
    // Raises EResNotFound ("Ressource <name> wurde nicht gefunden") when the
    // module has no resource of that name and type.
    TResourceStream(HINSTANCE Instance, const std::string& Name, const char* Type);
};
