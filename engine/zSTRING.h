// The engine's 8-bit character string: the standard string plus the engine's
// searching, word picking, cutting and case operations.
#pragma once

#include <cstddef>
#include <string>

class zSTRING : public std::string {
public:
    zSTRING() = default;
    explicit zSTRING(char c);
    zSTRING(const char* text);  // null gives an empty text
    zSTRING(const std::string& text);
    explicit zSTRING(int value);
    explicit zSTRING(unsigned long value);
    // "%.<digits>g"; digits is capped at 9.
    zSTRING(float value, int digits);
    zSTRING(const zSTRING&) = default;
    zSTRING(zSTRING&&) noexcept = default;
    zSTRING& operator=(const zSTRING&) = default;
    zSTRING& operator=(zSTRING&&) noexcept = default;
    virtual ~zSTRING();

    // Heap objects come from the string block pool; arrays use the ordinary heap.
    static void* operator new(std::size_t size);
    static void operator delete(void* block, std::size_t size) noexcept;
    // Declaring the class forms hides the placement form; containers need it back.
    static void* operator new(std::size_t, void* where) noexcept { return where; }
    static void operator delete(void*, void*) noexcept {}

    zSTRING& operator+=(char c);
    zSTRING& operator+=(const char* text);  // null appends nothing
    zSTRING& operator+=(const zSTRING& text);

    // The index may be the length (giving NUL); beyond that std::out_of_range.
    char operator[](unsigned index) const;
    // The index must lie inside the text, else std::out_of_range.
    void SetChar(unsigned index, char c);

    // In place through the engine's 256-byte case tables.
    zSTRING& Upper();
    static char UpperChar(char c) { return static_cast<char>(s_upperTable[static_cast<unsigned char>(c)]); }
    zSTRING& Lower();
    int IsUpperCase() const;
    // Spelling of bone and model names: "BIP01 R UPPERARM" becomes "Bip01 R UpperArm".
    zSTRING& ToMixedCase();

    // Positions count from 0; -1 is "not found".
    int Search(int start, const char* pattern, unsigned count) const;
    int Search(const zSTRING& pattern, unsigned count) const;
    // The pattern is taken as given, so callers pass it upper-cased.
    int SearchUpperCopy(int start, const char* pattern, unsigned count) const;
    int SearchRev(const zSTRING& pattern, unsigned count) const;
    int EndsWith(const zSTRING& pattern) const;
    int SearchWithOptions(const zSTRING& pattern, int matchCase, int wholeWord) const;
    bool IsWordStart(int pos) const;
    bool IsWordEnd(int pos) const;
    bool IsWholeWord(int start, int end) const;

    // The n-th word (from 1); each token character is a word of its own.
    zSTRING PickWord(unsigned n, const char* tokens, const char* separators) const;
    zSTRING PickWord(unsigned n, const char* tokens) const;

    // Past-the-end positions throw std::out_of_range.
    int Delete(unsigned pos, unsigned count);
    // Around the first occurrence of pattern: 0 the occurrence, 1 what is before it,
    // 2 what is after it, 3 up to and including it, 4 from it to the end.
    // -1 (nothing changed) when the pattern is absent or the mode unknown.
    int Delete(const zSTRING& pattern, int mode);
    int DeleteRight(unsigned n);
    int ReplaceFrom(unsigned pos, const zSTRING& text);
    // pos -1 (a failed search) gives an empty text; count -1 means to the end.
    zSTRING Copied(unsigned pos, unsigned count) const;
    zSTRING Deleted(unsigned pos, unsigned count);
    int TrimLeft(char c);
    int TrimRight(char c);
    zSTRING TabsToSpaces() const;

    // Empties the text.
    void Clear();

private:
    // Upper-case forms: a-z, and the letters of the game's DOS code page.
    static const unsigned char s_upperTable[256];
};

zSTRING operator+(const zSTRING& left, const zSTRING& right);
zSTRING operator+(char left, const zSTRING& right);
zSTRING operator+(const zSTRING& left, const char* right);
zSTRING operator+(const char* left, const zSTRING& right);

// The text upper-cased, the original kept: the form names are compared in.
inline zSTRING UpperCopy(zSTRING text)
{
    text.Upper();
    return text;
}

// Builds the string pool before the first static object of any file that uses
// zSTRING and removes it after the last one (the counter idiom of the standard
// streams). A function-local static would be built on first use, so a static
// container filled later would outlive it and free into a destroyed pool.
class zCStringPoolInit {
public:
    zCStringPoolInit();
    ~zCStringPoolInit();
    zCStringPoolInit(const zCStringPoolInit&) = delete;
    zCStringPoolInit& operator=(const zCStringPoolInit&) = delete;
};
static zCStringPoolInit s_stringPoolInit;
