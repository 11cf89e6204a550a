// Turns the error box into an exception while a guard lives, so that a test sees the
// message instead of the process ending.
#pragma once

#include <stdexcept>
#include <string>

#include "ErrorBox.h"

// What the error box throws; what() is the text it would have shown.
struct ErrorBoxShown : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class ErrorBoxCatcher {
public:
    ErrorBoxCatcher() : previous(zSetErrorBoxHandler(&Throw)) {}
    ~ErrorBoxCatcher() { zSetErrorBoxHandler(previous); }
    ErrorBoxCatcher(const ErrorBoxCatcher&) = delete;
    ErrorBoxCatcher& operator=(const ErrorBoxCatcher&) = delete;

private:
    [[noreturn]] static void Throw(const std::string& text) { throw ErrorBoxShown(text); }

    zTErrorBoxHandler previous;
};
