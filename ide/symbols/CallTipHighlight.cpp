// Which part of a call tip to highlight.
#include "CallTipHighlight.h"

#include <algorithm>

namespace {

std::string UpperAscii(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c; });
    return text;
}

}  // namespace

CallTipHighlight FollowCallTip(const std::string& tip, const std::string& name, const std::string& typed)
{
    CallTipHighlight highlight;
    int depth = 0;
    int commas = 0;
    bool opened = false;
    for (char c : typed) {
        if (c == '(') {
            ++depth;
            opened = true;
        } else if (c == ')' && depth > 0) {
            --depth;
        } else if (c == ',' && depth == 1) {
            ++commas;
        }
    }
    if (opened && depth == 0) {
        highlight.closed = true;
        return highlight;
    }
    // The name right before its "(", so that a return type holding the name is passed by.
    const std::string upperTip = UpperAscii(tip);
    std::size_t found = upperTip.find(UpperAscii(name) + "(");
    if (found == std::string::npos)
        found = upperTip.find(UpperAscii(name));
    if (name.empty() || found == std::string::npos)
        return highlight;  // nothing to show
    std::size_t start = found;
    std::size_t end;
    if (opened) {
        start += name.size();
        if (start < tip.size() && tip[start] == '(')
            ++start;
        while (commas > 0 && start < tip.size() && tip[start] != ')') {
            if (tip[start] == ',')
                --commas;
            ++start;
        }
        if (start < tip.size() && tip[start] == ',')
            ++start;
        end = tip.find_first_of(",)", start);
        if (end == std::string::npos)
            end = tip.size();
    } else {
        end = start + name.size();
    }
    highlight.start = static_cast<int>(start);
    highlight.end = static_cast<int>(end);
    return highlight;
}
