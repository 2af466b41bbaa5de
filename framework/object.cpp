#include "framework/object.h"

#include <typeinfo>

#if defined(__GNUC__)
#include <cxxabi.h>
#include <cstdlib>
#endif

void TObject::Free() {
    if (freeing_) return;  // a second Free() from inside BeforeDestruction
    freeing_ = true;
    Destroying();
    BeforeDestruction();
    if (DeferFree()) return;
    delete this;
}

std::string TObject::ClassName() const { return UnqualifiedTypeName(typeid(*this).name()); }

std::string UnqualifiedTypeName(const char* mangled) {
    std::string name = mangled;
#if defined(__GNUC__)
    int status = 0;
    char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    if (status == 0 && demangled) name = demangled;
    std::free(demangled);
#endif
    // Drop namespaces and template arguments' qualification of the outer name.
    auto tpl = name.find('<');
    std::string head = tpl == std::string::npos ? name : name.substr(0, tpl);
    auto colon = head.rfind("::");
    if (colon != std::string::npos) name = name.substr(colon + 2);
    return name;
}
