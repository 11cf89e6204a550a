// The "Error-Message" box of operations the tools never reach, and of dead ends
// the engine cannot go past. Showing it ends the process.
#pragma once

#include <string>

// Shows the text and must not return. The Windows program installs one that shows
// a message box titled "Error-Message" and ends the process with exit code 1;
// tests install one that throws.
using zTErrorBoxHandler = void (*)(const std::string& text);

// Installs a handler (null restores the default) and returns the previous one.
zTErrorBoxHandler zSetErrorBoxHandler(zTErrorBoxHandler handler);

// Hands the text to the handler; ends the process with exit code 1 should the handler return.
[[noreturn]] void zErrorBox(const std::string& text);

// The message of an operation that exists only as a stub: "<operation> not found",
// for instance zNotFound("zSTRING::Clear").
[[noreturn]] void zNotFound(const char* operation);
