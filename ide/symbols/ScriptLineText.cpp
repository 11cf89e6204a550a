// Word operations on one line of script text.
#include "ScriptLineText.h"

namespace {

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

}  // namespace

bool IsIdentifierChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

int FindWholeWord(const std::string& text, const std::string& name)
{
    if (name.empty())
        return -1;
    for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
        const std::size_t end = at + name.size();
        if ((at == 0 || !IsIdentifierChar(text[at - 1])) && (end >= text.size() || !IsIdentifierChar(text[end])))
            return static_cast<int>(at);
    }
    return -1;
}

int FindLeadingWord(const std::string& text, const std::string& word)
{
    const std::size_t at = text.find(word);
    if (word.empty() || at == std::string::npos)
        return -1;
    for (std::size_t i = 0; i < at; ++i)
        if (IsIdentifierChar(text[i]))
            return -1;
    const std::size_t end = at + word.size();
    return end < text.size() && IsIdentifierChar(text[end]) ? -1 : static_cast<int>(at);
}

std::string WordBefore(const std::string& text, int& pos)
{
    if (pos > static_cast<int>(text.size()))
        pos = static_cast<int>(text.size());
    while (pos > 0 && !IsIdentifierChar(text[pos - 1]))
        --pos;
    const int end = pos;
    while (pos > 0 && IsIdentifierChar(text[pos - 1]))
        --pos;
    return text.substr(pos, end - pos);
}

std::string WordAfter(const std::string& text, int& pos)
{
    const int size = static_cast<int>(text.size());
    if (pos < 0)
        pos = 0;
    while (pos < size && !IsIdentifierChar(text[pos]))
        ++pos;
    const int start = pos;
    while (pos < size && IsIdentifierChar(text[pos]))
        ++pos;
    return start < size ? text.substr(start, pos - start) : std::string();
}

std::string TextBetweenParentheses(const std::string& text)
{
    const std::size_t open = text.find('(');
    if (open == std::string::npos)
        return std::string();
    std::size_t end = text.find(')', open);
    if (end == std::string::npos)
        end = text.size();
    std::size_t start = open + 1;
    while (start < end && !IsIdentifierChar(text[start]))
        ++start;
    while (end > start && !IsIdentifierChar(text[end - 1]))
        --end;
    return text.substr(start, end - start);
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}
