// The ASC export's lines and words.
#include "zCAscFile.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstring>

#include "zFILE.h"

namespace {

// Per character of each mode: 0 part of a word, 1 separator, 2 a word of its own.
struct zTWordClasses {
    unsigned char of[256];
    constexpr zTWordClasses(const char* separators, const char* tokens) : of()
    {
        for (const char* c = separators; *c; ++c)
            of[static_cast<unsigned char>(*c)] = 1;
        for (const char* c = tokens; *c; ++c)
            of[static_cast<unsigned char>(*c)] = 2;
    }
};

constexpr zTWordClasses kWordClasses[] = {
    {" ", "\t"},     // Tabs
    {" \t\r", ""},  // White
    {" \t", ""},     // Vector
    {" ", ""},       // Blank
    {" ", "/t"},     // Angle
    {" ", ":"},      // Corners
    {" /tr", ""},    // FaceMaterial
};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::string_view AscPickWord(std::string_view line, int n, zTAscWords mode)
{
    std::string_view word;
    AscPickWords(line, n, 1, 1, mode, &word);
    return word;
}

void AscPickWords(std::string_view line, int first, int stride, int count, zTAscWords mode, std::string_view* words)
{
    const unsigned char* of = kWordClasses[static_cast<int>(mode)].of;
    auto kind = [of](const char* at) { return of[static_cast<unsigned char>(*at)]; };
    for (int i = 0; i < count; ++i)
        words[i] = {};
    const char* at = line.data();
    const char* const end = at + line.size();
    int number = 0;
    int found = 0;
    int wanted = first;
    // Word by word: separators skipped, then a token or a run of word characters.
    while (found < count) {
        while (at != end && kind(at) == 1)
            ++at;
        if (at == end)
            return;
        const char* const start = at;
        if (kind(at) == 2) {
            ++at;
        } else {
            while (at != end && kind(at) == 0)
                ++at;
        }
        if (++number != wanted)
            continue;
        if (kind(start) == 0)
            words[found] = std::string_view(start, static_cast<std::size_t>(at - start));
        ++found;
        wanted += stride;
    }
}

int AscInt(std::string_view word)
{
    std::size_t pos = 0;
    bool negative = false;
    if (pos < word.size() && (word[pos] == '-' || word[pos] == '+'))
        negative = word[pos++] == '-';
    long long value = 0;
    for (; pos < word.size() && IsDigit(word[pos]); ++pos)
        value = std::min<long long>(value * 10 + (word[pos] - '0'), static_cast<long long>(INT_MAX) + 1);
    value = negative ? -value : std::min<long long>(value, INT_MAX);
    return static_cast<int>(value);
}

float AscFloat(std::string_view word)
{
    std::size_t pos = 0;
    bool negative = false;
    if (pos < word.size() && (word[pos] == '-' || word[pos] == '+'))
        negative = word[pos++] == '-';
    // A number starts with a digit or a point before a digit; "inf" and "nan" are none.
    const bool number = pos < word.size() &&
                        (IsDigit(word[pos]) || (word[pos] == '.' && pos + 1 < word.size() && IsDigit(word[pos + 1])));
    if (!number)
        return 0.0f;
    float value = 0.0f;
    const auto result = std::from_chars(word.data() + pos, word.data() + word.size(), value, std::chars_format::general);
    if (result.ec != std::errc())
        return 0.0f;
    return negative ? -value : value;
}

std::string_view AscQuoted(std::string_view line)
{
    const std::size_t open = line.find('"');
    if (open == std::string_view::npos)
        return {};
    const std::size_t close = line.find('"', open + 1);
    if (close == std::string_view::npos)
        return {};
    return line.substr(open + 1, close - open - 1);
}

bool zCAscFile::Load(zFILE& file, const zSTRING& displayName)
{
    const long size = file.Size();
    std::string bytes(static_cast<std::size_t>(std::max(0L, size)), '\0');
    if (size > 0 && file.Read(bytes.data(), size) != size)
        return false;
    SetText(std::move(bytes), displayName);
    return true;
}

void zCAscFile::SetText(std::string newText, const zSTRING& displayName)
{
    text = std::move(newText);
    name = displayName;
    pos = 0;
    lineNumber = 0;
    std::size_t lines = 1;
    for (const char* at = text.data(), *end = text.data() + text.size();
         (at = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)))) != nullptr; ++at)
        ++lines;
    totalLines = static_cast<int>(std::min<std::size_t>(lines, INT_MAX));
    line.clear();
}

bool zCAscFile::ReadLine()
{
    if (pos >= text.size())
        return false;
    const char* start = text.data() + pos;
    const void* feed = std::memchr(start, '\n', text.size() - pos);
    const std::size_t length = feed ? static_cast<const char*>(feed) - start : text.size() - pos;
    line.assign(start, length);
    pos += length + 1;
    ++lineNumber;
    if (line.find('\0') != std::string::npos)
        line.erase(std::remove(line.begin(), line.end(), '\0'), line.end());
    while (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

bool zCAscFile::ReadUpperLine()
{
    if (!ReadLine())
        return false;
    for (char& c : line)
        c = zSTRING::UpperChar(c);
    return true;
}

void zCAscFile::SkipBlock()
{
    int depth = 1;
    while (depth > 0 && ReadLine()) {
        if (Has("{"))
            ++depth;
        else if (Has("}"))
            --depth;
    }
}

void zCAscFile::SkipToBlockEnd()
{
    while (ReadLine()) {
        if (Has("}"))
            return;
    }
}

void zCAscFile::Report(int level, const zSTRING& message) const
{
    g_errorReporter.Report(level, message, name.c_str(), lineNumber);
}

void zCAscFile::Fail(const zSTRING& message) const
{
    Report(zERR_FATAL, message);
    throw zTFatalAbort{};
}
