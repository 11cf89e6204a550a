// Resolves a name against the script text above it.
#include "LocalDeclaration.h"

#include <algorithm>

#include "ScriptLineText.h"

namespace {

DeclarationContext MakeContext(int kind, const std::string& text)
{
    DeclarationContext context;
    context.kind = kind;
    context.text = text;
    return context;
}

}  // namespace

int FindLocalDeclaration(const std::function<std::string(int)>& lineAt, int line, zSTRING& name,
                         DeclarationContext& context, int* declarationLine)
{
    bool qualified = false;
    bool found = false;
    std::string localType;
    std::string member;
    int foundLine = -1;
    for (; line >= 0; --line) {
        const std::string text = lineAt(line);
        int hit = FindWholeWord(text, name);
        // "object.member": go on with the object. Each step finds an earlier word, so it ends.
        while (hit > 0 && text[hit - 1] == '.') {
            member = name;
            int at = hit - 1;
            name = WordBefore(text, at);
            qualified = true;
            hit = FindWholeWord(text, name);
        }
        if (hit >= 0) {
            int at = hit;
            const std::string candidate = WordBefore(text, at);
            if (SameNameIgnoringCase(WordBefore(text, at), "var")) {
                localType = candidate;
                foundLine = line;
                found = true;
            }
        }

        std::string lower = text;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; });
        const bool function = FindLeadingWord(lower, "func") >= 0;
        const bool instance = !function && FindLeadingWord(lower, "instance") >= 0;
        const bool prototype = !function && !instance && FindLeadingWord(lower, "prototype") >= 0;
        const int classAt = function || instance || prototype ? -1 : FindLeadingWord(lower, "class");
        if (!function && !instance && !prototype && classAt < 0)
            continue;

        // A member access resolves through its object in any body.
        if (qualified) {
            context = found ? MakeContext(DeclarationContext::kClass, localType)
                            : MakeContext(DeclarationContext::kObject, name);
            name = member;
            return 0;
        }
        if (function) {
            if (!found)
                return 0;
            name = localType;
            if (declarationLine)
                *declarationLine = foundLine;
            return 1;
        }
        if (instance) {
            context = MakeContext(DeclarationContext::kInstanceBase, TextBetweenParentheses(text));
        } else if (prototype) {
            context = MakeContext(DeclarationContext::kClass, TextBetweenParentheses(text));
        } else {
            int after = classAt + 5;
            context = MakeContext(DeclarationContext::kClass, WordAfter(text, after));
        }
        return 0;
    }
    return 0;
}
