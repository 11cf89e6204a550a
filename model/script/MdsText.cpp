// The words, quoted texts and options of model-script lines and the shared line reader.
#include "MdsText.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "JobGlobals.h"
#include "ModelTools.h"
#include "zERROR.h"
#include "zFILE.h"

namespace {

const char* const kBlanks = " \t\r";

// A number of the text as a float; a value beyond the float's range is held at its end.
float ReadFloat(const char* text)
{
    const double value = std::atof(text);
    if (std::isnan(value))
        return static_cast<float>(value);
    return static_cast<float>(std::fmax(-FLT_MAX, std::fmin(value, FLT_MAX)));
}

} // namespace

bool MdsWritesBinary()
{
    const bool firstGame = g_platform == zPLATFORM_FIRST_GAME;
    return (g_jobMode == zJOB_CONVERT_MODELS && firstGame) || (g_jobMode == zJOB_COMPILE_MODELS && !firstGame);
}

bool ReadMdsLine(zSTRING& line)
{
    if (!g_mdsFile || !g_mdsFile->IsOpened() || g_mdsFile->ReadLine(line) != 0)
        return false;
    ++g_mdsLineNumber;
    line.Upper();
    return true;
}

void ExtractQuotedText(zSTRING& text)
{
    text.Delete(zSTRING("\""), 3);
    text.Delete(zSTRING("\""), 4);
}

zSTRING QuotedArgument(const zSTRING& text)
{
    zSTRING copy = text;
    ExtractQuotedText(copy);
    return copy;
}

zSTRING MdsArgumentText(const zSTRING& line)
{
    zSTRING args = line;
    args.Delete(zSTRING("("), 3);
    args.Delete(zSTRING(")"), 4);
    return args;
}

zSTRING MdsWord(const zSTRING& args, unsigned n)
{
    return args.PickWord(n, kBlanks, kBlanks);
}

zSTRING MdsName(const zSTRING& args, unsigned n)
{
    return QuotedArgument(MdsWord(args, n));
}

int MdsInt(const zSTRING& args, unsigned n)
{
    // As atol reads it, but defined for any size.
    const long long value = std::strtoll(MdsWord(args, n).c_str(), nullptr, 10);
    return static_cast<int>(std::max<long long>(INT_MIN, std::min<long long>(value, INT_MAX)));
}

float MdsFloat(const zSTRING& args, unsigned n)
{
    return ReadFloat(MdsWord(args, n).c_str());
}

zSTRING MdsQuotedText(const zSTRING& args, unsigned n)
{
    std::size_t open = 0;
    for (unsigned k = 1;; ++k) {
        open = args.find('"', open);
        if (open == std::string::npos)
            return zSTRING();
        const std::size_t close = args.find('"', open + 1);
        if (close == std::string::npos)
            return k == n ? zSTRING(args.substr(open + 1)) : zSTRING();
        if (k == n)
            return zSTRING(args.substr(open + 1, close - open - 1));
        open = close + 1;
    }
}

void ReadOptionValue(zSTRING& text, const char* option, float& value)
{
    if (text.Delete(zSTRING(option), 3) == 0)
        value = ReadFloat(text.c_str());
}

zSTRING CutBeforeFirstPoint(const zSTRING& name)
{
    const std::size_t point = name.find('.');
    return point == std::string::npos ? name : zSTRING(name.substr(0, point));
}

void ReportMdsLine(int level, const zSTRING& text, const zSTRING& scriptName, int line)
{
    g_errorReporter.Report(level, text, scriptName.c_str(), line);
}
