// Which part of a call tip to highlight while the caret moves through the call's arguments.
#pragma once

#include <string>

struct CallTipHighlight {
    // The call was closed by its ")": the tip goes.
    bool closed = false;
    // Range in the tip's text: the parameter the caret is in, or the function's name
    // before the "(" is typed; empty at the ")" when more arguments than parameters are typed.
    int start = 0;
    int end = 0;
};

// tip: the function's display text; name: the function's name as typed; typed: the line's
// text from the start of that name to the caret.
CallTipHighlight FollowCallTip(const std::string& tip, const std::string& name, const std::string& typed);
