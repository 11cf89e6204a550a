// An ASC export as the model readers see it: whole lines with their numbers, the
// keyword test, block skipping, the word picker's modes and the number rules, and
// reports that name the file and the line.
#pragma once

#include <string>
#include <string_view>

#include "ResString.h"
#include "zERROR.h"
#include "zSTRING.h"

class zFILE;

// How a value is picked from a line: which characters only separate words, and
// which form (empty) words of their own.
enum class zTAscWords {
    Tabs,          // blank separates, each tab is a word
    White,         // blank, tab and carriage return separate
    Vector,        // blank and tab separate
    Blank,         // blank separates, a tab is an ordinary character
    Angle,         // blank separates, "/" and "t" are words
    Corners,       // blank separates, ":" is a word
    FaceMaterial,  // blank, "/", "t" and "r" separate
};

// Word n (from 1) of the line in the mode; empty when the line has fewer words.
std::string_view AscPickWord(std::string_view line, int n, zTAscWords mode);
// Words first, first + stride, ... (count of them) in one pass over the line.
void AscPickWords(std::string_view line, int first, int stride, int count, zTAscWords mode, std::string_view* words);
// The optional sign and leading digits (saturated to the int range); 0 without them.
int AscInt(std::string_view word);
// The leading decimal number (fraction and exponent allowed); 0 without one, and
// for a number beyond the float range.
float AscFloat(std::string_view word);
// The text between the first two double quotes; empty without them.
std::string_view AscQuoted(std::string_view line);

class zCAscFile {
public:
    // Reads the whole file; false (with the file layer's code) when that fails.
    // name is what reports call the file.
    bool Load(zFILE& file, const zSTRING& name);
    // Takes the text directly (tests, benchmarks).
    void SetText(std::string text, const zSTRING& name);

    // The next line, NUL bytes dropped and trailing carriage returns removed;
    // false at the end of the file.
    bool ReadLine();
    // The same, upper-cased.
    bool ReadUpperLine();
    const std::string& Line() const { return line; }
    bool Has(const char* keyword) const { return line.find(keyword) != std::string::npos; }
    // Skips a block whose opening line was read last.
    void SkipBlock();
    // Reads up to and including a line holding "}".
    void SkipToBlockEnd();

    int LineNumber() const { return lineNumber; }
    // Lines not yet read: no list in the file can have more elements than this.
    int LinesLeft() const { return totalLines - lineNumber; }
    const zSTRING& Name() const { return name; }

    // A report about the current line of the file.
    void Report(int level, const zSTRING& text) const;
    // A fatal report about the current line; the job ends here even when the
    // reporter's handler returns.
    [[noreturn]] void Fail(const zSTRING& text) const;
    template <class... Args>
    [[noreturn]] void Fail(int id, const Args&... args) const
    {
        Fail(FormatResString(id, args...));
    }

private:
    std::string text;
    std::size_t pos = 0;
    std::string line;
    int lineNumber = 0;
    int totalLines = 0;
    zSTRING name;
};
