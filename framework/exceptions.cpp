#include "framework/exceptions.h"

#include <typeinfo>

#include "framework/object.h"

std::string Exception::ClassName() const { return UnqualifiedTypeName(typeid(*this).name()); }
