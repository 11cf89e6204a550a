// String-table texts of the current interface language, and their formatting.
#pragma once

#include <string>
#include <type_traits>

#include "InterfaceTexts.h"  // the interface language: SetInterfaceLanguage, SetThreadInterfaceLanguage
#include "zSTRING.h"

// Windows language ids of the interface languages.
enum zTInterfaceLanguage { zLANG_ENGLISH = 1033, zLANG_GERMAN = 1031, zLANG_RUSSIAN = 1049 };

// Entry id of the current language's table; empty when the table has no such entry.
zSTRING LoadResString(int id);

// Entry id used as a printf format over the further arguments, which must already be
// what the format's conversions take (numbers and character pointers).
zSTRING FormatResStringArgs(int id, ...);

namespace zResStringDetail {
// Strings travel as their characters; anything else that varargs cannot carry is refused.
template <class T>
auto Pass(const T& value)
{
    if constexpr (std::is_base_of_v<std::string, T>) {
        return value.c_str();
    } else if constexpr (std::is_array_v<T>) {
        return &value[0];
    } else {
        static_assert(std::is_arithmetic_v<T> || std::is_enum_v<T> || std::is_pointer_v<T>,
                      "FormatResString takes numbers, enums, pointers and strings");
        return value;
    }
}
} // namespace zResStringDetail

// Entry id used as a printf format; zSTRING and std::string arguments are passed as
// their characters, so a text can be handed over as it is.
template <class... Args>
zSTRING FormatResString(int id, const Args&... args)
{
    return FormatResStringArgs(id, zResStringDetail::Pass(args)...);
}
