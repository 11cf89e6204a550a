// Names of symbols and files as the script tools compare and build them.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>

#include "zSTRING.h"

// Literals and the compiler's helper symbols carry names that start with byte 0xFF,
// which no source name can.
inline bool IsLiteralName(const zSTRING& name)
{
    return !name.empty() && static_cast<unsigned char>(name[0]) == 0xFF;
}

// Whether a word read (and so upper-cased) by the tokenizer starts a name.
inline bool IsNameStart(char c)
{
    return (c >= 'A' && c <= 'Z') || c == '_' || c == '#';
}

// Whether a word is the given text. The readers compare every word they read with
// keywords and punctuation: the literal's length is known here, and most words
// differ from it in length already.
template <std::size_t N>
bool IsWord(const zSTRING& word, const char (&text)[N])
{
    return word.size() == N - 1 && std::memcmp(word.data(), text, N - 1) == 0;
}

// The file in the folder; a folder without a closing separator gets a '\'.
inline zSTRING JoinFolder(const zSTRING& folder, const zSTRING& file)
{
    zSTRING path = folder;
    if (!path.empty() && path.back() != '\\' && path.back() != '/')
        path += '\\';
    path += file;
    return path;
}

// File part of a name without folder and extension (from its first full stop).
inline zSTRING BaseName(const zSTRING& name)
{
    zSTRING base = name;
    const auto slash = base.find_last_of("\\/");
    if (slash != std::string::npos)
        base = base.substr(slash + 1);
    const auto dot = base.find('.');
    if (dot != std::string::npos)
        base = base.substr(0, dot);
    return base;
}
