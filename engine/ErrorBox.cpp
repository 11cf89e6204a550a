// The "Error-Message" box and its replaceable handler.
#include "ErrorBox.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace {

// Without a window system the message goes to the standard error stream.
void DefaultErrorBox(const std::string& text)
{
    std::fprintf(stderr, "Error-Message: %s\n", text.c_str());
    std::fflush(stderr);
    // Other threads still run: static destructors must not pull their objects away.
    std::_Exit(1);
}

std::atomic<zTErrorBoxHandler> g_errorBoxHandler{&DefaultErrorBox};

} // namespace

zTErrorBoxHandler zSetErrorBoxHandler(zTErrorBoxHandler handler)
{
    return g_errorBoxHandler.exchange(handler ? handler : &DefaultErrorBox);
}

void zErrorBox(const std::string& text)
{
    g_errorBoxHandler.load()(text);
    std::fflush(stderr);
    std::_Exit(1);
}

void zNotFound(const char* operation)
{
    zErrorBox(std::string(operation) + " not found");
}
