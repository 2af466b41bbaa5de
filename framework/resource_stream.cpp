#include "framework/resource_stream.h"

#include "framework/exceptions.h"

TResourceStream::TResourceStream(HINSTANCE Instance, const std::string& Name, const char* Type) {
    HRSRC info = FindResourceA(Instance, Name.c_str(), Type);
    HGLOBAL data = info ? LoadResource(Instance, info) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) throw EResNotFound("Ressource " + Name + " wurde nicht gefunden");
    WriteBuffer(bytes, SizeofResource(Instance, info));
    SetPosition(0);
}
