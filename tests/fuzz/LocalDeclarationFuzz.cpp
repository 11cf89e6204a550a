// Fuzz target of the editor's reading of the script text above the caret: any text is
// split into lines, and names found in it are resolved upwards from its last line and
// followed through a call tip as if typed.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "CallTipHighlight.h"
#include "LocalDeclaration.h"
#include "ScriptLineText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start + 1));
    lines.push_back(text.substr(start));

    volatile std::size_t sink = 0;
    const std::string& last = lines.back();
    int at = static_cast<int>(last.size());
    for (int word = 0; word < 8 && at > 0; ++word) {
        zSTRING name = WordBefore(last, at);
        DeclarationContext context;
        int line = -1;
        sink = sink + FindLocalDeclaration([&](int i) { return lines.at(static_cast<std::size_t>(i)); },
                                           static_cast<int>(lines.size()) - 1, name, context, &line);
        const CallTipHighlight highlight = FollowCallTip(lines.front(), name, last);
        sink = sink + static_cast<std::size_t>(highlight.end - highlight.start) + TextBetweenParentheses(last).size();
        int after = 0;
        sink = sink + WordAfter(last, after).size() + static_cast<std::size_t>(FindLeadingWord(last, name) + 1);
    }
    (void)sink;
    return 0;
}
