// The tokenizer of delimited texts.
#include "CTokenizer.h"

#include <cstdio>
#include <cstring>
#include <utility>

CTokenizer::CTokenizer(zSTRING text_, zSTRING delimiters_)
    : text(std::move(text_)), delimiters(std::move(delimiters_))
{
}

bool CTokenizer::IsDelimiter(char c) const
{
    return delimiters.find(c) != std::string::npos;
}

zSTRING CTokenizer::GetNextToken()
{
    const int length = static_cast<int>(text.size());
    zSTRING token;
    while (position < length) {
        const char c = text.data()[position++];
        if (IsDelimiter(c))
            break;
        token += c;
    }
    return token;
}

zSTRING CTokenizer::GetNextToken(bool quoted, const zSTRING& defaultValue)
{
    const int length = static_cast<int>(text.size());
    if (position >= length)
        return defaultValue;
    if (!quoted)
        return GetNextToken();
    const std::size_t open = text.find('"', position);
    if (open == std::string::npos) {
        position = length;
        return zSTRING();
    }
    const std::size_t close = text.find('"', open + 1);
    if (close == std::string::npos) {
        position = length;
        return zSTRING(text.substr(open + 1));
    }
    zSTRING token(text.substr(open + 1, close - open - 1));
    const std::size_t next = text.find_first_of(delimiters, close);
    position = next == std::string::npos ? length : static_cast<int>(next) + 1;
    return token;
}

namespace {

// The default unless the token scans with the format.
template <class T>
T Scanned(const zSTRING& token, const char* format, T defaultValue)
{
    T value = defaultValue;
    std::sscanf(token.c_str(), format, &value);
    return value;
}

}  // namespace

int CTokenizer::GetInt(int defaultValue)
{
    return Scanned(GetNextToken(), "%d", defaultValue);
}

long CTokenizer::GetLong(long defaultValue)
{
    return Scanned(GetNextToken(), "%ld", defaultValue);
}

float CTokenizer::GetFloat(float defaultValue)
{
    return Scanned(GetNextToken(), "%g", defaultValue);
}

double CTokenizer::GetDouble(double defaultValue)
{
    return Scanned(GetNextToken(), "%lg", defaultValue);
}

int CTokenizer::GetBool(int defaultValue)
{
    zSTRING token = GetNextToken();
    int number = 0;
    if (std::sscanf(token.c_str(), "%d", &number) == 1)
        return number != 0 ? 1 : 0;
    token.Upper();
    if (token == "TRUE")
        return 1;
    if (token == "FALSE")
        return 0;
    return defaultValue;
}

int CTokenizer::HasMoreTokens() const
{
    return position != static_cast<int>(text.size()) ? 1 : 0;
}

void CTokenizer::SetDelimiters(const zSTRING& delimiters_)
{
    delimiters = delimiters_;
}

void CTokenizer::SetText(const zSTRING& text_)
{
    text = text_;
    position = 0;
}
