// desktop/Persistent.cpp -- the copy that fails when no class knows how
#include "Persistent.h"

#include <cxxabi.h>

#include <cstdlib>
#include <typeinfo>

std::string ClassNameOf(const TObject& object) {
    const char* mangled = typeid(object).name();
    int status = 0;
    char* plain = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string name = status == 0 && plain ? plain : mangled;
    std::free(plain);
    return name;
}

void TPersistent::AssignTo(TObject& dest) const {
    throw EConvertError("Cannot assign a " + ClassNameOf(*this) + " to a " + ClassNameOf(dest));
}
