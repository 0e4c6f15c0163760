// desktop/Persistent.h -- TPersistent: an object whose values can be copied into another
// object, and EConvertError, the failure when they cannot
#pragma once
#include <string>

#include "Object.h"
#include "SysUtils.h"

// A value or object that cannot be turned into the wanted kind.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

class TPersistent : public TObject {
public:
    // Copies this object's values into dest. The base knows no target: it throws EConvertError
    // "Cannot assign a <this class> to a <dest class>".
    virtual void AssignTo(TObject& dest) const;
};

std::string ClassNameOf(const TObject& object);   // the C++ class name, "TButton"
