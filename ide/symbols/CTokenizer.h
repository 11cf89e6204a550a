// Splits a text into tokens at single delimiter characters and reads tokens as typed values.
#pragma once

#include "zSTRING.h"

class CTokenizer {
public:
    CTokenizer(zSTRING text, zSTRING delimiters);
    virtual ~CTokenizer() = default;

    virtual zSTRING GetNextToken();
    // Quoted: the text between the next two double quotes. At the end, the default.
    virtual zSTRING GetNextToken(bool quoted, const zSTRING& defaultValue);
    // A token that does not scan as the type leaves the default.
    virtual int GetInt(int defaultValue);
    virtual long GetLong(long defaultValue);
    virtual float GetFloat(float defaultValue);
    virtual double GetDouble(double defaultValue);
    // A number (non-zero 1, else 0), "true" or "false" in any case; else the default.
    virtual int GetBool(int defaultValue);
    virtual int HasMoreTokens() const;
    virtual void SetDelimiters(const zSTRING& delimiters);
    virtual void SetText(const zSTRING& text);

private:
    bool IsDelimiter(char c) const;

    zSTRING text;
    zSTRING delimiters;
    int position = 0;
};
