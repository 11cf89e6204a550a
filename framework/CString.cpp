// The framework's 8-bit string: editing, searching, case, formatting and loading.
#ifdef _WIN32
#include <windows.h>  // first, so that the member is defined under the name its callers see
#endif

#include "CString.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "AfxResource.h"

namespace {

const char* const kWhiteSpace = " \t\n\v\f\r";

int Clamp(int value, int low, int high)
{
    return value < low ? low : (value > high ? high : value);
}

[[maybe_unused]] char AsciiLower(char ch)
{
    return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
}

[[maybe_unused]] char AsciiUpper(char ch)
{
    return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
}

int Sign(int value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

} // namespace

CString::CString(const char* text) : m_text(text ? text : "") {}

CString::CString(const char* text, int length)
{
    if (text && length > 0)
        m_text.assign(text, static_cast<size_t>(length));
}

CString::CString(char ch, int repeat)
{
    if (repeat > 0)
        m_text.assign(static_cast<size_t>(repeat), ch);
}

CString& CString::operator=(const char* text)
{
    // The text may point into this string.
    m_text = std::string(text ? text : "");
    return *this;
}

CString& CString::operator=(char ch)
{
    m_text.assign(1, ch);
    return *this;
}

char CString::GetAt(int index) const
{
    if (index < 0 || index >= GetLength())
        throw std::out_of_range("CString: index " + std::to_string(index) + " outside a string of length " +
                                std::to_string(GetLength()));
    return m_text[static_cast<size_t>(index)];
}

void CString::SetAt(int index, char ch)
{
    GetAt(index);
    m_text[static_cast<size_t>(index)] = ch;
}

CString& CString::operator+=(const CString& text)
{
    m_text += text.m_text;
    return *this;
}

CString& CString::operator+=(const char* text)
{
    if (text)
        m_text += std::string(text);
    return *this;
}

CString& CString::operator+=(char ch)
{
    m_text += ch;
    return *this;
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const char* format, va_list args)
{
    if (!format) {
        m_text.clear();
        return;
    }
    va_list measure;
    va_copy(measure, args);
    int needed = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (needed < 0) {
        // A runtime that does not measure: grow until the text fits.
        for (size_t size = 256; size <= (size_t(1) << 26); size *= 2) {
            std::vector<char> buffer(size);
            va_list attempt;
            va_copy(attempt, args);
            int written = std::vsnprintf(buffer.data(), size, format, attempt);
            va_end(attempt);
            if (written >= 0 && static_cast<size_t>(written) < size) {
                m_text.assign(buffer.data(), static_cast<size_t>(written));
                return;
            }
        }
        throw std::length_error(std::string("CString::Format: cannot format \"") + format + "\"");
    }
    std::vector<char> buffer(static_cast<size_t>(needed) + 1);
    va_list write;
    va_copy(write, args);
    std::vsnprintf(buffer.data(), buffer.size(), format, write);
    va_end(write);
    m_text.assign(buffer.data(), static_cast<size_t>(needed));
}

bool CString::LoadString(unsigned int id)
{
    return AfxLoadString(id, *this);
}

int CString::Compare(const char* text) const
{
    return Sign(std::strcmp(m_text.c_str(), text ? text : ""));
}

int CString::CompareNoCase(const char* text) const
{
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_text.c_str());
    const unsigned char* b = reinterpret_cast<const unsigned char*>(text ? text : "");
    for (;; ++a, ++b) {
        unsigned char ca = static_cast<unsigned char>(AsciiLower(static_cast<char>(*a)));
        unsigned char cb = static_cast<unsigned char>(AsciiLower(static_cast<char>(*b)));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

CString& CString::MakeUpper()
{
#ifdef _WIN32
    if (!m_text.empty())
        CharUpperBuffA(&m_text[0], static_cast<DWORD>(m_text.size()));
#else
    for (char& ch : m_text)
        ch = AsciiUpper(ch);
#endif
    return *this;
}

CString& CString::MakeLower()
{
#ifdef _WIN32
    if (!m_text.empty())
        CharLowerBuffA(&m_text[0], static_cast<DWORD>(m_text.size()));
#else
    for (char& ch : m_text)
        ch = AsciiLower(ch);
#endif
    return *this;
}

int CString::Find(char ch, int start) const
{
    if (start < 0)
        start = 0;
    if (start >= GetLength())
        return -1;
    size_t at = m_text.find(ch, static_cast<size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(const char* sub, int start) const
{
    if (!sub)
        return -1;
    if (start < 0)
        start = 0;
    if (start > GetLength())
        return -1;
    size_t at = m_text.find(sub, static_cast<size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(char ch) const
{
    size_t at = m_text.rfind(ch);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::FindOneOf(const char* set) const
{
    if (!set || !*set)
        return -1;
    size_t at = m_text.find_first_of(set);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

CString CString::Tokenize(const char* tokens, int& start) const
{
    const size_t length = m_text.size();
    if (start < 0 || static_cast<size_t>(start) >= length) {
        start = -1;
        return CString();
    }
    const bool delimited = tokens && *tokens;
    size_t first = static_cast<size_t>(start);
    if (delimited)
        first = m_text.find_first_not_of(tokens, first);
    if (first == std::string::npos) {
        start = -1;
        return CString();
    }
    size_t end = delimited ? m_text.find_first_of(tokens, first) : std::string::npos;
    if (end == std::string::npos)
        end = length;
    // Past the delimiter, or at the end so that the next call reports -1.
    start = static_cast<int>(end < length ? end + 1 : length);
    return CString(m_text.data() + first, static_cast<int>(end - first));
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    first = Clamp(first, 0, GetLength());
    count = Clamp(count, 0, GetLength() - first);
    return CString(m_text.c_str() + first, count);
}

CString CString::Left(int count) const
{
    return Mid(0, count);
}

CString CString::Right(int count) const
{
    count = Clamp(count, 0, GetLength());
    return Mid(GetLength() - count, count);
}

int CString::Replace(char oldCh, char newCh)
{
    int replaced = 0;
    for (char& ch : m_text) {
        if (ch == oldCh) {
            ch = newCh;
            ++replaced;
        }
    }
    return replaced;
}

int CString::Replace(const char* oldText, const char* newText)
{
    if (!oldText || !*oldText)
        return 0;
    const std::string from(oldText);
    const std::string to(newText ? newText : "");
    std::string result;
    int replaced = 0;
    size_t pos = 0;
    for (size_t at; (at = m_text.find(from, pos)) != std::string::npos; pos = at + from.size()) {
        result.append(m_text, pos, at - pos);
        result += to;
        ++replaced;
    }
    result.append(m_text, pos, std::string::npos);
    m_text.swap(result);
    return replaced;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(char ch)
{
    return TrimRight(ch).TrimLeft(ch);
}

CString& CString::Trim(const char* set)
{
    return TrimRight(set).TrimLeft(set);
}

CString& CString::TrimLeft()
{
    return TrimLeft(kWhiteSpace);
}

CString& CString::TrimLeft(char ch)
{
    const char set[2] = {ch, 0};
    return ch ? TrimLeft(set) : *this;
}

CString& CString::TrimLeft(const char* set)
{
    if (set && *set)
        m_text.erase(0, std::min(m_text.find_first_not_of(set), m_text.size()));
    return *this;
}

CString& CString::TrimRight()
{
    return TrimRight(kWhiteSpace);
}

CString& CString::TrimRight(char ch)
{
    const char set[2] = {ch, 0};
    return ch ? TrimRight(set) : *this;
}

CString& CString::TrimRight(const char* set)
{
    if (set && *set) {
        size_t last = m_text.find_last_not_of(set);
        m_text.erase(last == std::string::npos ? 0 : last + 1);
    }
    return *this;
}

char* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_text.resize(static_cast<size_t>(minLength));
    return &m_text[0];
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
        newLength = static_cast<int>(std::strlen(m_text.c_str()));
    if (newLength > GetLength())
        throw std::out_of_range("CString::ReleaseBuffer: length " + std::to_string(newLength) +
                                " beyond the buffer of " + std::to_string(GetLength()));
    m_text.resize(static_cast<size_t>(newLength));
}

CString operator+(const CString& a, const CString& b)
{
    CString result(a);
    return result += b;
}

CString operator+(const CString& a, const char* b)
{
    CString result(a);
    return result += b;
}

CString operator+(const char* a, const CString& b)
{
    CString result(a);
    return result += b;
}

CString operator+(const CString& a, char b)
{
    CString result(a);
    return result += b;
}

CString operator+(char a, const CString& b)
{
    CString result(a);
    return result += b;
}

bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
bool operator!=(const CString& a, const char* b) { return a.Compare(b) != 0; }
bool operator!=(const char* a, const CString& b) { return b.Compare(a) != 0; }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator<(const CString& a, const char* b) { return a.Compare(b) < 0; }
bool operator<(const char* a, const CString& b) { return b.Compare(a) > 0; }
bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }

bool AfxExtractSubString(CString& dest, const char* fullString, int subString, char separator)
{
    dest.Empty();
    if (!fullString || subString < 0)
        return false;
    const char* start = fullString;
    for (; subString > 0; --subString) {
        start = std::strchr(start, separator);
        if (!start || separator == 0)
            return false;
        ++start;
    }
    const char* end = std::strchr(start, separator);
    dest = CString(start, end ? static_cast<int>(end - start) : static_cast<int>(std::strlen(start)));
    return true;
}
