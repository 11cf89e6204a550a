// A cleanup that runs when its scope ends, and the saved value put back that way.
#pragma once

#include <utility>

// Runs the cleanup however the scope ends: a return, or a thrown fatal error or stop.
template <class Cleanup>
class zCScopeExit {
public:
    explicit zCScopeExit(Cleanup cleanup) : cleanup(std::move(cleanup)) {}
    ~zCScopeExit() { cleanup(); }
    zCScopeExit(const zCScopeExit&) = delete;
    zCScopeExit& operator=(const zCScopeExit&) = delete;

private:
    Cleanup cleanup;
};

// Gives the variable back the value it has now when the scope ends.
template <class T>
auto zRestoreOnExit(T& variable)
{
    return zCScopeExit([&variable, saved = variable] { variable = saved; });
}
