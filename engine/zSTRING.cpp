// The engine's 8-bit string.
#include "zSTRING.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>
#include <stdexcept>

#include "zCBlockPool.h"

namespace {


// Lower-case forms: the inverse of the upper table. 0x92 and 0xEA are themselves
// lower-case there (they upper-case to 0xE2 and 0xD0), so they stay as they are;
// that keeps Lower idempotent.
const unsigned char s_lowerTable[256] = {
    0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F,
    0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x1C, 0x1D, 0x1E, 0x1F,
    0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x2B, 0x2C, 0x2D, 0x2E, 0x2F,
    0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x3B, 0x3C, 0x3D, 0x3E, 0x3F,
    0x40, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x6F,
    0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x5B, 0x5C, 0x5D, 0x5E, 0x5F,
    0x60, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x6F,
    0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B, 0x7C, 0x7D, 0x7E, 0x7F,
    0x87, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x8B, 0x8C, 0x8D, 0x84, 0x86,
    0x82, 0x91, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x93, 0x81, 0x9B, 0x9C, 0x9B, 0x9E, 0x9F,
    0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA4, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xAB, 0xAC, 0xAD, 0xAE, 0xAF,
    0xB0, 0xB1, 0xB2, 0xB3, 0xB4, 0xA0, 0x83, 0x85, 0xB8, 0xB9, 0xBA, 0xBB, 0xBC, 0xBD, 0x97, 0xBF,
    0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC7, 0xC7, 0xC8, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE, 0xCF,
    0xEA, 0xD1, 0x88, 0x89, 0x8A, 0xD5, 0xA1, 0x8C, 0x8B, 0xD9, 0xDA, 0xDB, 0xDC, 0x8D, 0xDE, 0xDF,
    0xA2, 0xE1, 0x92, 0x94, 0xE4, 0xE4, 0xE6, 0xE7, 0xE7, 0xA3, 0xEA, 0x96, 0xEC, 0xEC, 0xEE, 0xEF,
    0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF,
};

const char* const s_mixedCaseWords[] = {"ForeTwist", "HorseLink", "UpperArm"};

bool IsWordChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

bool InSet(const char* set, char c)
{
    return set && c != '\0' && std::strchr(set, c);
}

bool EqualNoCase(const char* a, const char* b, std::size_t length)
{
    if (std::strlen(b) != length)
        return false;
    for (std::size_t i = 0; i < length; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The pool and its lock live and die together, so no late delete can find one without the other.
struct StringPool {
    std::mutex lock;
    // The UI thread and the build worker both create heap strings; the pool takes no locks.
    zCBlockPool pool{static_cast<std::uint32_t>(sizeof(zSTRING)), 4096, 28672};
};

int s_poolUsers;  // zero before any dynamic initialisation runs
alignas(StringPool) unsigned char s_poolStorage[sizeof(StringPool)];
StringPool* s_pool;

} // namespace

// Upper-case forms: a-z, and the letters of the game's DOS code page.
const unsigned char zSTRING::s_upperTable[256] = {
    0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F,
    0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x1C, 0x1D, 0x1E, 0x1F,
    0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x2B, 0x2C, 0x2D, 0x2E, 0x2F,
    0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x3B, 0x3C, 0x3D, 0x3E, 0x3F,
    0x40, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0x4F,
    0x50, 0x51, 0x52, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x5B, 0x5C, 0x5D, 0x5E, 0x5F,
    0x60, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0x4F,
    0x50, 0x51, 0x52, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x7B, 0x7C, 0x7D, 0x7E, 0x7F,
    0x80, 0x9A, 0x90, 0xB6, 0x8E, 0xB7, 0x8F, 0x80, 0xD2, 0xD3, 0xD4, 0xD8, 0xD7, 0xDD, 0x8E, 0x8F,
    0x90, 0x92, 0xE2, 0x99, 0xE3, 0xEA, 0xEB, 0xBE, 0x98, 0x99, 0x9A, 0x9D, 0x9C, 0x9D, 0x9E, 0x9F,
    0xB5, 0xD6, 0xE0, 0xE9, 0xA5, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xAB, 0xAC, 0xAD, 0xAE, 0xAF,
    0xB0, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF,
    0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC6, 0xC8, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE, 0xCF,
    0xD0, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xDB, 0xDC, 0xDD, 0xDE, 0xDF,
    0xE0, 0xE1, 0xE2, 0xE3, 0xE5, 0xE5, 0xE6, 0xE8, 0xE8, 0xE9, 0xD0, 0xEB, 0xED, 0xED, 0xEE, 0xEF,
    0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF,
};

zCStringPoolInit::zCStringPoolInit()
{
    if (s_poolUsers++ == 0)
        s_pool = new (s_poolStorage) StringPool;
}

zCStringPoolInit::~zCStringPoolInit()
{
    if (--s_poolUsers == 0) {
        s_pool->~StringPool();
        s_pool = nullptr;
    }
}

void* zSTRING::operator new(std::size_t size)
{
    // A derived class of another size, or a string made after the pool went away at exit.
    if (size != sizeof(zSTRING) || !s_pool)
        return ::operator new(size);
    std::lock_guard<std::mutex> guard(s_pool->lock);
    return s_pool->pool.Alloc();
}

void zSTRING::operator delete(void* block, std::size_t size) noexcept
{
    if (!block)
        return;
    if (size != sizeof(zSTRING)) {
        ::operator delete(block);
        return;
    }
    // Without the pool its chunks, and with them this block, are already released.
    if (!s_pool)
        return;
    std::lock_guard<std::mutex> guard(s_pool->lock);
    s_pool->pool.Free(block);
}

zSTRING::zSTRING(char c) : std::string(1, c) {}

zSTRING::zSTRING(const char* text) : std::string(text ? text : "") {}

zSTRING::zSTRING(const std::string& text) : std::string(text) {}

zSTRING::zSTRING(int value) : std::string(std::to_string(value)) {}

zSTRING::zSTRING(unsigned long value) : std::string(std::to_string(value)) {}

zSTRING::zSTRING(float value, int digits)
{
    if (digits > 9)
        digits = 9;
    if (digits < 0)
        digits = 0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, static_cast<double>(value));
    assign(buffer);
}

zSTRING::~zSTRING() = default;

zSTRING& zSTRING::operator+=(char c)
{
    push_back(c);
    return *this;
}

zSTRING& zSTRING::operator+=(const char* text)
{
    if (text)
        append(text);
    return *this;
}

zSTRING& zSTRING::operator+=(const zSTRING& text)
{
    append(text);
    return *this;
}

zSTRING operator+(const zSTRING& left, const zSTRING& right)
{
    zSTRING result(left);
    result += right;
    return result;
}

zSTRING operator+(char left, const zSTRING& right)
{
    zSTRING result(left);
    result += right;
    return result;
}

zSTRING operator+(const zSTRING& left, const char* right)
{
    zSTRING result(left);
    result += right;
    return result;
}

zSTRING operator+(const char* left, const zSTRING& right)
{
    zSTRING result(left);
    result += right;
    return result;
}

char zSTRING::operator[](unsigned index) const
{
    if (index > size())
        throw std::out_of_range("zSTRING: index past the end");
    return std::string::operator[](index);
}

void zSTRING::SetChar(unsigned index, char c)
{
    at(index) = c;
}

zSTRING& zSTRING::Upper()
{
    for (char& c : *this)
        c = static_cast<char>(s_upperTable[static_cast<unsigned char>(c)]);
    return *this;
}

zSTRING& zSTRING::Lower()
{
    for (char& c : *this)
        c = static_cast<char>(s_lowerTable[static_cast<unsigned char>(c)]);
    return *this;
}

int zSTRING::IsUpperCase() const
{
    for (char c : *this)
        if (s_upperTable[static_cast<unsigned char>(c)] != static_cast<unsigned char>(c))
            return 0;
    return 1;
}

zSTRING& zSTRING::ToMixedCase()
{
    if (compare(0, 2, "ZS") == 0)
        return *this;
    std::size_t pos = 0;
    zSTRING result;
    if (compare(0, 2, "ZM") == 0) {
        result = "zm";
        pos = 2;
    }
    while (pos < size()) {
        if (!std::isalpha(static_cast<unsigned char>(std::string::operator[](pos)))) {
            result += std::string::operator[](pos++);
            continue;
        }
        std::size_t end = pos;
        while (end < size() && std::isalpha(static_cast<unsigned char>(std::string::operator[](end))))
            ++end;
        const char* run = data() + pos;
        const std::size_t length = end - pos;
        const char* exception = nullptr;
        for (const char* word : s_mixedCaseWords)
            if (EqualNoCase(run, word, length))
                exception = word;
        if (exception) {
            result += exception;
        } else {
            result += run[0];
            for (std::size_t i = 1; i < length; ++i)
                result += static_cast<char>(std::tolower(static_cast<unsigned char>(run[i])));
        }
        pos = end;
    }
    swap(result);
    return *this;
}

int zSTRING::Search(int start, const char* pattern, unsigned count) const
{
    if (!pattern || count == 0 || start < 0)
        return -1;
    const std::size_t length = std::strlen(pattern);
    // Occurrences do not overlap; an empty pattern steps one byte so that counting ends.
    const std::size_t step = length ? length : 1;
    std::size_t pos = static_cast<std::size_t>(start);
    for (;;) {
        pos = find(pattern, pos, length);
        if (pos == npos)
            return -1;
        if (--count == 0)
            return static_cast<int>(pos);
        pos += step;
    }
}

int zSTRING::Search(const zSTRING& pattern, unsigned count) const
{
    return Search(0, pattern.c_str(), count);
}

int zSTRING::SearchUpperCopy(int start, const char* pattern, unsigned count) const
{
    zSTRING copy(*this);
    return copy.Upper().Search(start, pattern, count);
}

int zSTRING::SearchRev(const zSTRING& pattern, unsigned count) const
{
    if (count == 0 || pattern.size() > size())
        return -1;
    std::size_t hit = rfind(pattern);
    while (hit != npos && --count > 0) {
        // The next hit must lie wholly before this one.
        if (hit < pattern.size())
            return -1;
        const std::size_t next = rfind(pattern, hit - pattern.size());
        if (next == hit)  // only an empty pattern stands still
            break;
        hit = next;
    }
    return hit == npos ? -1 : static_cast<int>(hit);
}

int zSTRING::EndsWith(const zSTRING& pattern) const
{
    if (pattern.size() > size())
        return 0;
    zSTRING tail(substr(size() - pattern.size()));
    return tail.Upper() == pattern ? 1 : 0;
}

int zSTRING::SearchWithOptions(const zSTRING& pattern, int matchCase, int wholeWord) const
{
    if (empty() || pattern.size() > size())
        return -1;
    const std::size_t last = size() - pattern.size();
    for (std::size_t pos = 0; pos <= last; ++pos) {
        bool match = true;
        for (std::size_t i = 0; i < pattern.size() && match; ++i) {
            const unsigned char a = static_cast<unsigned char>(std::string::operator[](pos + i));
            const unsigned char b = static_cast<unsigned char>(pattern.std::string::operator[](i));
            match = matchCase ? a == b : std::toupper(a) == std::toupper(b);
        }
        if (match && (!wholeWord || IsWholeWord(static_cast<int>(pos), static_cast<int>(pos + pattern.size()))))
            return static_cast<int>(pos);
    }
    return -1;
}

// Positions outside the text count as boundaries.
bool zSTRING::IsWordStart(int pos) const
{
    if (pos < 1 || static_cast<std::size_t>(pos) > size())
        return true;
    return !IsWordChar(std::string::operator[](pos - 1));
}

bool zSTRING::IsWordEnd(int pos) const
{
    if (pos < 0 || static_cast<std::size_t>(pos) >= size())
        return true;
    return !IsWordChar(std::string::operator[](pos));
}

bool zSTRING::IsWholeWord(int start, int end) const
{
    return IsWordStart(start) && IsWordEnd(end);
}

zSTRING zSTRING::PickWord(unsigned n, const char* tokens, const char* separators) const
{
    unsigned words = 0;
    bool inWord = false;
    std::size_t start = npos;
    for (std::size_t pos = 0; pos < size() && start == npos; ++pos) {
        const char c = std::string::operator[](pos);
        if (InSet(separators, c)) {
            inWord = false;
        } else if (InSet(tokens, c)) {
            if (++words == n)
                start = pos;
            inWord = false;
        } else if (!inWord) {
            if (++words == n)
                start = pos;
            inWord = true;
        }
    }
    zSTRING word;
    if (start == npos)
        return word;
    for (std::size_t pos = start; pos < size(); ++pos) {
        const char c = std::string::operator[](pos);
        if (InSet(separators, c) || InSet(tokens, c))
            break;
        word += c;
    }
    return word;
}

zSTRING zSTRING::PickWord(unsigned n, const char* tokens) const
{
    return PickWord(n, tokens, " ");
}

int zSTRING::Delete(unsigned pos, unsigned count)
{
    erase(pos, count);
    return 0;
}

int zSTRING::Delete(const zSTRING& pattern, int mode)
{
    const std::size_t pos = find(pattern);
    if (pos == npos || mode < 0 || mode > 4)
        return -1;
    const std::size_t end = pos + pattern.size();
    switch (mode) {
    case 0: erase(pos, pattern.size()); break;
    case 1: erase(0, pos); break;
    case 2: erase(end); break;
    case 3: erase(0, end); break;
    case 4: erase(pos); break;
    }
    return 0;
}

// More than the length empties the text.
int zSTRING::DeleteRight(unsigned n)
{
    erase(n < size() ? size() - n : 0);
    return 0;
}

int zSTRING::ReplaceFrom(unsigned pos, const zSTRING& text)
{
    if (pos < size()) {
        erase(pos);
        append(text);
    }
    return 0;
}

zSTRING zSTRING::Copied(unsigned pos, unsigned count) const
{
    if (pos == UINT_MAX)
        return zSTRING();
    return zSTRING(substr(pos, count));
}

zSTRING zSTRING::Deleted(unsigned pos, unsigned count)
{
    Delete(pos, count);
    return *this;
}

int zSTRING::TrimLeft(char c)
{
    erase(0, find_first_not_of(c));
    return 0;
}

int zSTRING::TrimRight(char c)
{
    const std::size_t last = find_last_not_of(c);
    erase(last == npos ? 0 : last + 1);
    return 0;
}

zSTRING zSTRING::TabsToSpaces() const
{
    zSTRING result;
    for (char c : *this) {
        if (c == '\t')
            result += "    ";
        else
            result += c;
    }
    return result;
}

void zSTRING::Clear()
{
    clear();
}
