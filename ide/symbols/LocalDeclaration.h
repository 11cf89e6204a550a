// Resolves a name under the caret against the script text above it: a "var" declaration
// of the enclosing function, a member access through an object, or the class, prototype
// or instance whose body the name is written in.
#pragma once

#include <functional>
#include <string>

#include "DeclarationContext.h"
#include "zSTRING.h"

// Scans from line upwards to the first line that starts a declaration ("func", "instance",
// "prototype", "class"); lineAt gives a line's text.
// 1: name is a local variable of the function; name becomes its type and *declarationLine
// the line declaring it. 0: name and context are left for the symbol model: for
// "object.member" name becomes the member and the context the object's type (a class when
// the object is a local variable, else the object's name); a name in a class, prototype
// or instance body gets that class or base as its context.
int FindLocalDeclaration(const std::function<std::string(int)>& lineAt, int line, zSTRING& name,
                         DeclarationContext& context, int* declarationLine = nullptr);
