// 8-bit string in the Windows code page, the text type of the UI layer.
#pragma once

#include <cstdarg>
#include <string>

class CString {
public:
    CString() = default;
    CString(const char* text);               // null reads as empty
    CString(const char* text, int length);   // the first length characters (clamped at 0)
    CString(char ch, int repeat = 1);
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char* text);
    CString& operator=(char ch);

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    // Index faults throw std::out_of_range.
    char GetAt(int index) const;
    void SetAt(int index, char ch);
    char operator[](int index) const { return GetAt(index); }

    operator const char*() const { return m_text.c_str(); }

    CString& operator+=(const CString& text);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);

    // printf formatting; the buffer is sized from a measuring pass.
    void Format(const char* format, ...);
    void FormatV(const char* format, va_list args);

    // Entry id of the current thread's interface language; false (and empty) when missing.
#ifdef _WIN32
    // <windows.h> spells LoadString as LoadStringA; either spelling reaches the one function.
#ifndef LoadString
    bool LoadString(unsigned int id) { return LoadStringA(id); }
#endif
    bool LoadStringA(unsigned int id);
#else
    bool LoadString(unsigned int id);
#endif

    // Byte order; CompareNoCase folds ASCII letters only, so its order does not depend on the locale.
    int Compare(const char* text) const;
    int CompareNoCase(const char* text) const;

    // On Windows letters of the ANSI code page are folded too; elsewhere ASCII only.
    CString& MakeUpper();
    CString& MakeLower();

    // -1 when not found or when start lies beyond the end.
    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* set) const;

    // The next token at or after start: delimiters in tokens are skipped, the token runs
    // to the next one, and start moves past that delimiter. When no token is left the
    // result is empty and start becomes -1; so does a start below 0 or beyond the end.
    // Null or empty tokens make the rest of the string one token.
    CString Tokenize(const char* tokens, int& start) const;

    // Out-of-range arguments are clamped to the string.
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;

    // Number of replacements; an empty search text replaces nothing.
    int Replace(char oldCh, char newCh);
    int Replace(const char* oldText, const char* newText);

    // Without arguments white space (space, \t \n \v \f \r) is removed.
    CString& Trim();
    CString& Trim(char ch);
    CString& Trim(const char* set);
    CString& TrimLeft();
    CString& TrimLeft(char ch);
    CString& TrimLeft(const char* set);
    CString& TrimRight();
    CString& TrimRight(char ch);
    CString& TrimRight(const char* set);

    // A writable buffer of at least minLength characters plus terminator; ReleaseBuffer
    // takes the new length, or with -1 the length up to the first zero.
    char* GetBuffer(int minLength = 0);
    void ReleaseBuffer(int newLength = -1);

private:
    std::string m_text;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const char* b);
CString operator+(const char* a, const CString& b);
CString operator+(const CString& a, char b);
CString operator+(char a, const CString& b);

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, const char* b);
bool operator==(const char* a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, const char* b);
bool operator!=(const char* a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, const char* b);
bool operator<(const char* a, const CString& b);
bool operator>(const CString& a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator>=(const CString& a, const CString& b);

// Field subString (from 0) of fullString split at separator; false and dest empty when
// there is no such field.
bool AfxExtractSubString(CString& dest, const char* fullString, int subString, char separator = '\n');
