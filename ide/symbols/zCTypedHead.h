// The records of the class-view symbol model: a declared name with its file and line,
// and its kinds (function, variable, prototype, instance, class with members).
#pragma once

#include <memory>
#include <vector>

#include "zSTRING.h"

class zCTypedHead {
public:
    virtual ~zCTypedHead() = default;
    // The text shown for the declaration; empty for the base.
    virtual zSTRING GetDisplayText() const { return zSTRING(); }

    zSTRING name;
    // The source-list entry as written, or the description file's path for internal functions.
    zSTRING file;
    // Zero-based line of the name.
    int line = 0;
    int internal = 0;
};

class zCTypedFunc : public zCTypedHead {
public:
    zSTRING GetDisplayText() const override;

    zSTRING returnType;
    zSTRING parameters;
};

class zCTypedVar : public zCTypedHead {
public:
    zSTRING GetDisplayText() const override;

    zSTRING type;
    int isArray = 0;
    int isConst = 0;
};

class zCTypedProto : public zCTypedHead {
public:
    zSTRING GetDisplayText() const override;

    zSTRING base;
};

class zCTypedInstance : public zCTypedHead {
public:
    zSTRING GetDisplayText() const override;

    zSTRING base;
};

class zCTypedClass : public zCTypedHead {
public:
    zSTRING GetDisplayText() const override;
    // The member of that name ignoring case, or none; the members are sorted.
    const zCTypedVar* FindMember(const zSTRING& memberName) const;

    // In list order (CompareListNames) once the class is parsed.
    std::vector<std::unique_ptr<zCTypedVar>> members;
};
