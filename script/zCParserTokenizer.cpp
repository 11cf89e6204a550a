// Words, tokens and literals of a script file, and name lookup in the current scope.
#include "zCParser.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <locale>
#include <sstream>

#include "JobGlobals.h"
#include "ParNames.h"
#include "ResourceIds.h"
#include "ResString.h"

namespace {

// Each of these is a word of its own.
constexpr const char kDelimiters[] = ";,:=><*+-/?'%()&!|{}[]\"~";

// The words whose spelling is the language's, not the script writer's.
constexpr const char* kKeywords[] = {"INT",      "CONST", "VAR", "STRING", "FUNC",   "CLASS", "PROTOTYPE",
                                     "INSTANCE", "FLOAT", "IF",  "VOID",   "RETURN", "TRUE",  "FALSE"};

// How the word reader takes a byte; looked up for every character read.
enum CharKind : unsigned char { kBlank, kLineEnd, kDelimiter, kWordChar };

struct CharKinds {
    CharKind kind[256] = {};
    constexpr CharKinds()
    {
        for (int c = 0; c < 256; ++c)
            kind[c] = c > 32 ? kWordChar : kBlank;
        kind[static_cast<unsigned char>('\n')] = kLineEnd;
        for (const char* c = kDelimiters; *c != '\0'; ++c)
            kind[static_cast<unsigned char>(*c)] = kDelimiter;
    }
};
constexpr CharKinds kCharKinds;

CharKind KindOf(char c)
{
    return kCharKinds.kind[static_cast<unsigned char>(c)];
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Position of a one-character operator in g_parOperators ("+-*/%|&<>="), which is
// also its token code; -1 for any other character.
int OperatorIndex(char c)
{
    switch (c) {
    case '+': return 0;
    case '-': return 1;
    case '*': return 2;
    case '/': return 3;
    case '%': return 4;
    case '|': return 5;
    case '&': return 6;
    case '<': return 7;
    case '>': return 8;
    case '=': return 9;
    default: return -1;
    }
}

bool IsKeyword(const zSTRING& upper)
{
    for (const char* keyword : kKeywords)
        if (upper == keyword)
            return true;
    return false;
}

} // namespace

int zCParser::ConvertDecimal(const zSTRING& digits)
{
    // Modulo 2^32, so that 2147483648 after a minus still gives the most negative value.
    std::uint32_t value = 0;
    for (char c : digits) {
        if (!IsDigit(c))
            break;
        value = value * 10u + static_cast<std::uint32_t>(c - '0');
    }
    return ToInt32(value);
}

int zCParser::ToInt32(std::uint32_t value)
{
    if (value < 0x80000000u)
        return static_cast<int>(value);
    return static_cast<int>(value - 0x80000000u) + std::numeric_limits<std::int32_t>::min();
}

bool zCParser::RecordsSpellings()
{
    return g_saveNameBase != 0;
}

bool zCParser::ReportIfEndOfText(const zSTRING& word)
{
    if (!word.empty())
        return false;
    Error(LoadResString(IDS_UNEXPECTED_END), 0, -1);
    return true;
}

void zCParser::TakeHistoryEntry()
{
    static_assert((kHistorySize & (kHistorySize - 1)) == 0, "the ring's index wraps by a mask");
    historyIndex = (historyIndex + 1) & (kHistorySize - 1);
    historyPositions[historyIndex] = readPos;
    historyLines[historyIndex] = line;
}

void zCParser::PassNewline(const char* afterNewline)
{
    ++line;
    lineStart = static_cast<int>(afterNewline - textStart);
}

void zCParser::SkipBlanksBeforeWord()
{
    while (readPos < textEnd && KindOf(*readPos) <= kLineEnd) {
        if (*readPos++ == '\n') {
            PassNewline(readPos);
            historyPositions[historyIndex] = readPos;
            historyLines[historyIndex] = line;
        }
    }
}

void zCParser::ReadWord(zSTRING& word)
{
    for (;;) {
        TakeHistoryEntry();

        // A word of kMaxWordLength at most: a longer one is cut, its rest skipped, and
        // reported.
        bool tooLong = false;
        bool delimiter = false;
        int wordLine = line;
        const char* start = nullptr;
        std::size_t length = 0;
        if (readPos != nullptr) {
            SkipBlanksBeforeWord();
            wordLine = line;
            start = readPos;
            if (readPos < textEnd && KindOf(*readPos) == kDelimiter) {
                ++readPos;
                length = 1;
                delimiter = true;
            } else {
                while (readPos < textEnd && KindOf(*readPos) == kWordChar)
                    ++readPos;
                length = static_cast<std::size_t>(readPos - start);
                if (length > static_cast<std::size_t>(kMaxWordLength)) {
                    length = static_cast<std::size_t>(kMaxWordLength);
                    tooLong = true;
                }
                // The word ends before a delimiter, or after the blank or line end that ends it.
                if (readPos < textEnd) {
                    const CharKind kind = KindOf(*readPos);
                    if (kind == kBlank) {
                        ++readPos;
                    } else if (kind == kLineEnd) {
                        ++readPos;
                        PassNewline(readPos);
                    }
                }
            }
        }
        // Delimiters have no lower case. Most words are upper-cased as they are taken;
        // a cut word is reported, and a spelling recorded, as written.
        if (delimiter && !RecordsSpellings()) {
            word.clear();
            word.push_back(*start);
        } else if (delimiter || tooLong || RecordsSpellings()) {
            word.assign(start != nullptr ? start : "", length);
            if (tooLong)
                Error(g_parErrSyntax + word, 0, wordLine);
            if (RecordsSpellings())
                RecordSpelling(word);
            if (!delimiter)
                word.Upper();
        } else {
            word.resize(length);
            char* out = word.data();
            for (std::size_t i = 0; i < length; ++i)
                out[i] = zSTRING::UpperChar(start[i]);
        }

        const bool slash = delimiter && word.front() == '/';
        if (slash && readPos < textEnd && *readPos == '/') {
            ++readPos;
            // A comment on the last line needs no newline after it.
            const char* newline = static_cast<const char*>(std::memchr(readPos, '\n', static_cast<std::size_t>(textEnd - readPos)));
            if (newline == nullptr) {
                readPos = textEnd;
            } else {
                SkipTo("\n");
                ++readPos;
            }
            continue;
        }
        if (slash && readPos < textEnd && *readPos == '*') {
            ++readPos;
            SkipTo("*/");
            if (readPos < textEnd)
                readPos += 2;
            continue;
        }
        return;
    }
}

void zCParser::RecordSpelling(const zSTRING& word)
{
    if (word.size() < 2 || static_cast<signed char>(word[0]) < 'A')
        return;
    if (IsKeyword(UpperCopy(word)))
        return;
    bool mixed = false;
    for (char c : word)
        if (static_cast<signed char>(c) >= 'a' || c == '.')
            mixed = true;
    if (!mixed)
        return;
    const std::size_t dot = word.find('.');
    const zSTRING part = (dot == std::string::npos || dot == 0) ? word : zSTRING(word.substr(dot + 1));
    if (!part.empty())
        nameBase.Insert(part);
}

void zCParser::PrevWord()
{
    readPos = historyPositions[historyIndex];
    line = historyLines[historyIndex];
    historyIndex = (historyIndex + kHistorySize - 1) % kHistorySize;
}

void zCParser::SkipTo(const char* text)
{
    TakeHistoryEntry();
    const std::size_t length = std::strlen(text);
    const char* match = textEnd;
    if (readPos != nullptr && readPos < textEnd && length > 0)
        match = std::search(static_cast<const char*>(readPos), static_cast<const char*>(textEnd), text, text + length);
    if (readPos == nullptr) {
        Error(LoadResString(IDS_UNEXPECTED_END), 0, -1);
        return;
    }
    if (match == textEnd) {
        // Named at the line where the search began (an open comment's first line):
        // the end of the file says nothing of where the fault is.
        readPos = textEnd;
        Error(LoadResString(IDS_UNEXPECTED_END), 0, -1);
        return;
    }
    // Newlines up to and including the match's first byte.
    for (const char* p = readPos; p <= match; ++p)
        if (*p == '\n')
            PassNewline(p + 1);
    readPos = const_cast<char*>(match);
}

int zCParser::ReadToken()
{
    ReadWord(currentWord);
    if (currentWord.empty()) {
        // Nothing can follow: the end is the error, and 45 tells the readers it was reported.
        Error(LoadResString(IDS_UNEXPECTED_END), 0, -1);
        return EXP_ERROR;
    }
    const char first = currentWord[0];

    if (IsNameStart(first))
        return NextWordIs('(') ? EXP_FUNC : EXP_COMPOUND;

    if (IsDigit(first)) {
        for (std::size_t i = 1; i < currentWord.size(); ++i)
            if (!IsDigit(currentWord[i]))
                Error(g_parErrSyntax + currentWord, 0, -1);
        if (currentExpressionType == -1)
            currentExpressionType = zPAR_TYPE_INT;
        return EXP_DIGIT;
    }

    const char next = (readPos != nullptr && readPos < textEnd) ? *readPos : '\0';
    const int op = OperatorIndex(first);
    if (currentWord.size() == 1 && op >= 0) {
        int pair = -1;
        if (first == '|' && next == '|')
            pair = EXP_LOGIC_OR;
        else if (first == '&' && next == '&')
            pair = EXP_LOGIC_AND;
        else if (first == '<' && next == '<')
            pair = EXP_L_SHIFT;
        else if (first == '<' && next == '=')
            pair = EXP_BELOW_EQUAL;
        else if (first == '>' && next == '>')
            pair = EXP_R_SHIFT;
        else if (first == '>' && next == '=')
            pair = EXP_ABOWE_EQUAL;
        else if (next == '=') {
            switch (first) {
            case '=': pair = EXP_EQUAL; break;
            case '+': pair = EXP_PLUS_EQUAL; break;
            case '-': pair = EXP_MINUS_EQUAL; break;
            case '*': pair = EXP_MULT_EQUAL; break;
            case '/': pair = EXP_DIV_EQUAL; break;
            default: break;
            }
        }
        if (pair >= 0) {
            ++readPos;
            return pair;
        }
        return op;
    }

    switch (first) {
    case '!':
        if (next == '=') {
            ++readPos;
            return EXP_NOT_EQUAL;
        }
        return EXP_EQUAL_NULL;
    case '~': return EXP_NOT;
    case '(': return EXP_OPEN_IF;
    case ')': return EXP_CLOSE;
    case ';': return EXP_SEMICOLON;
    case ',': return EXP_COMMA;
    case '{':
    case '}': return EXP_BLOCK;
    default: break;
    }
    Error(g_parErrSyntax, 0, -1);
    return EXP_ERROR;
}

bool zCParser::NextWordIs(char delimiter)
{
    // Most words are followed by a delimiter other than a comment's "/": that is told
    // from the text without reading it as a word. The line ends before it are passed
    // as ReadWord and PrevWord would pass them.
    if (readPos != nullptr) {
        const char* next = readPos;
        while (next < textEnd && KindOf(*next) <= kLineEnd) {
            if (*next++ == '\n') {
                PassNewline(next);
                readPos = const_cast<char*>(next);
            }
        }
        if (next < textEnd && KindOf(*next) == kDelimiter && *next != '/')
            return *next == delimiter;
    }
    zSTRING word;
    ReadWord(word);
    PrevWord();
    return word.size() == 1 && word.front() == delimiter;
}

zSTRING zCParser::ExpectedText(const zSTRING& token)
{
    return g_parErrExpected + "'" + token + "'";
}

void zCParser::Match(const zSTRING& expected)
{
    zSTRING word;
    ReadWord(word);
    if (word != expected)
        Error(ExpectedText(expected), 0, -1);
}

void zCParser::Match(char delimiter)
{
    // The delimiter itself is read here as ReadWord would read it; anything else (a
    // comment, a word, the end) goes the long way.
    if (readPos != nullptr && delimiter != '/' && KindOf(delimiter) == kDelimiter) {
        TakeHistoryEntry();
        SkipBlanksBeforeWord();
        if (readPos < textEnd && *readPos == delimiter) {
            ++readPos;
            return;
        }
        PrevWord();
    }
    Match(zSTRING(delimiter));
}

void zCParser::ReadString(zSTRING& out)
{
    zSTRING word;
    ReadWord(word);
    if (!IsWord(word, "\""))
        Error(ExpectedText("\""), 0, -1);
    // No escapes; newlines belong to the text, and are lines of the file all the same.
    // An open literal is named at the line where it opens.
    const char* start = readPos;
    const char* quote = nullptr;
    if (readPos != nullptr && readPos < textEnd)
        quote = static_cast<const char*>(std::memchr(readPos, '"', static_cast<std::size_t>(textEnd - readPos)));
    if (quote == nullptr) {
        if (readPos != nullptr) {
            out.append(start, static_cast<std::size_t>(textEnd - readPos));
            readPos = textEnd;
        }
        Error(LoadResString(IDS_UNEXPECTED_END), 0, -1);
        return;
    }
    out.append(start, static_cast<std::size_t>(quote - start));
    for (const char* p = start; p < quote; ++p)
        if (*p == '\n')
            PassNewline(p + 1);
    readPos = const_cast<char*>(quote) + 1;
}

bool zCParser::ReadSignedWord(zSTRING& word, bool& negative)
{
    ReadWord(word);
    negative = false;
    if (IsWord(word, "-") || IsWord(word, "+")) {
        negative = IsWord(word, "-");
        ReadWord(word);
    }
    return !ReportIfEndOfText(word);
}

int zCParser::ReadInt()
{
    zSTRING word;
    bool negative = false;
    if (!ReadSignedWord(word, negative))
        return 0;

    int value = 0;
    if (IsDigit(word[0])) {
        if (!std::all_of(word.begin(), word.end(), IsDigit))
            Error(LoadResString(IDS_EXPECTED_INTEGER) + word, 0, -1);
        value = ConvertDecimal(word);
    } else {
        const int index = FindIndex(word);
        if (index < 0) {
            Error(g_parErrUnknown + word, 0, -1);
            return 0;
        }
        zCPar_Symbol* symbol = symtab.GetSymbol(index);
        if (symbol != nullptr && symbol->GetType() == zPAR_TYPE_INT && symbol->HasFlag(zPAR_FLAG_CONST))
            symbol->GetValue(value, 0);
        else
            Error(LoadResString(IDS_EXPECTED_INTEGER) + word, 0, -1);
    }
    // The sign of the most negative value stays as it is instead of overflowing.
    return negative ? ToInt32(0u - static_cast<std::uint32_t>(value)) : value;
}

float zCParser::ReadFloat()
{
    zSTRING word;
    bool negative = false;
    if (!ReadSignedWord(word, negative))
        return -1.0f;
    return ConvertFloatWord(word, negative);
}

float zCParser::ConvertFloatWord(const zSTRING& word, bool negative)
{
    bool point = false;
    bool digit = false;
    bool valid = true;
    for (std::size_t i = 0; i < word.size() && valid; ++i) {
        const char c = word[i];
        if (IsDigit(c))
            digit = true;
        else if (c == '.' && !point)
            point = true;
        else if (c != 'E' || i + 1 != word.size() || !digit)
            valid = false;
    }
    if (!valid || !digit) {
        Error(g_parErrSyntax + word, 0, -1);
        return -1.0f;
    }

    std::string text = word;
    if (word.back() == 'E')
        text += std::to_string(ReadInt());

    // The decimal point is a full stop whatever the process's locale says.
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double value = 0.0;
    in >> value;
    if (in.fail()) {
        // Out of range: the stream leaves the largest finite value or 0.
        value = std::fabs(value) >= 1.0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    if (negative)
        value = -value;
    if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max())
        return value < 0 ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

int zCParser::ReadType()
{
    zSTRING word;
    ReadWord(word);
    if (ReportIfEndOfText(word))
        return -1;
    const int type = TypeOfWord(word);
    if (type < 0)
        Error(g_parErrSyntax + word, 0, -1);
    return type;
}

int zCParser::TypeOfWord(const zSTRING& word)
{
    if (IsWord(word, "INT"))
        return zPAR_TYPE_INT;
    if (IsWord(word, "FLOAT"))
        return zPAR_TYPE_FLOAT;
    if (IsWord(word, "STRING"))
        return zPAR_TYPE_STRING;
    if (IsWord(word, "FUNC"))
        return zPAR_TYPE_FUNC;
    const int index = symtab.GetIndex(word);
    zCPar_Symbol* symbol = index >= 0 ? symtab.GetSymbol(index) : nullptr;
    if (symbol != nullptr && symbol->GetType() == zPAR_TYPE_CLASS)
        return zPAR_TYPE_INSTANCE + index;
    return -1;
}

int zCParser::GetIndexUpper(const zSTRING& name)
{
    return symtab.GetIndex(UpperCopy(name));
}

zCPar_Symbol* zCParser::GetSymbolUpper(const zSTRING& name)
{
    return symtab.GetSymbol(UpperCopy(name));
}

int zCParser::FindDottedIndex(const zSTRING& name)
{
    const std::string_view whole(name);
    const void* found = whole.empty() ? nullptr : std::memchr(whole.data(), '.', whole.size());
    if (found == nullptr || found == whole.data())
        return -1;
    const std::size_t dot = static_cast<std::size_t>(static_cast<const char*>(found) - whole.data());
    dottedOwner = FindScopedIndex(whole.substr(0, dot));
    zCPar_Symbol* symbol = dottedOwner >= 0 ? symtab.GetSymbol(dottedOwner) : nullptr;
    if (symbol != nullptr && symbol->GetType() == zPAR_TYPE_INSTANCE) {
        symbol = symbol->GetParent();
        if (symbol != nullptr && symbol->GetType() == zPAR_TYPE_PROTOTYPE)
            symbol = symbol->GetParent();
    }
    if (symbol == nullptr || symbol->GetType() != zPAR_TYPE_CLASS)
        return -1;
    return symtab.IndexOf(symbol->name, whole.substr(dot + 1));
}

int zCParser::FindIndex(const zSTRING& name)
{
    const int index = FindDottedIndex(name);
    if (index >= 0)
        return index;
    return FindScopedIndex(name);
}

int zCParser::FindScopedIndex(std::string_view name)
{
    // The scoped names are looked up without being made: this runs for every name read.
    int index = -1;
    if (currentClass != nullptr && (index = symtab.IndexOf(*currentClass, name)) >= 0)
        return index;
    if (currentFunction != nullptr && (index = symtab.IndexOf(*currentFunction, name)) >= 0)
        return index;
    return symtab.IndexOf(name);
}

zCPar_Symbol* zCParser::FindSymbol(const zSTRING& name)
{
    return symtab.GetSymbol(FindIndex(name));
}
