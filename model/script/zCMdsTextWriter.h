// The model-script text that converting and decompiling write: indented lines with
// CR LF ends, the animation enumeration's rows aligned in columns, and the forms of
// names and numbers in those rows.
#pragma once

#include <vector>

#include "zSTRING.h"

using zTMdsRow = std::vector<zSTRING>;

// Tabs before the next written line.
extern int g_mdsIndent;
// The rows of the enumeration being read, written aligned at its end.
extern std::vector<zTMdsRow> g_mdsRows;

// g_mdsIndent tabs, the text and CR LF into g_mdsFile; counts the line.
void WriteMdsLine(const zSTRING& text);
// 1 for a row of the block at this depth, 0 for a row of a nested block or a brace,
// -1 for the brace that closes the block.
int ClassifyMdsRow(const zTMdsRow& row, int& depth);
// Writes the block that opens before firstRow, aligned; the index of the row that
// closed it, or the number of rows when they ran out.
int WriteMdsBlock(int firstRow);

// Forms of the cells. Quoted: the text in double quotes.
zSTRING MdsQuoted(const zSTRING& text);
// Six significant digits in "%g" form, or nine when six would not read back as the
// same float, so that a converted script compiles to the same values.
zSTRING MdsFloatText(float value);
// A blend time: "0.0" for 0.
zSTRING MdsBlendText(float value);
