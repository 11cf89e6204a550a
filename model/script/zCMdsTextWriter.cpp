// The model-script text writer: lines, aligned blocks and the forms of cells.
#include "zCMdsTextWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "ModelTools.h"
#include "zFILE.h"

int g_mdsIndent = 0;
std::vector<zTMdsRow> g_mdsRows;

void WriteMdsLine(const zSTRING& text)
{
    if (g_mdsFile) {
        zSTRING line(std::string(static_cast<std::size_t>(std::max(g_mdsIndent, 0)), '\t'));
        line += text;
        line += "\r\n";
        g_mdsFile->Write(line);
    }
    ++g_mdsLineNumber;
}

int ClassifyMdsRow(const zTMdsRow& row, int& depth)
{
    if (row.size() != 1)
        return depth == 0 ? 1 : 0;
    if (row[0] == "{") {
        ++depth;
        return 0;
    }
    --depth;
    return depth < 0 ? -1 : 0;
}

int WriteMdsBlock(int firstRow)
{
    const int rowCount = static_cast<int>(g_mdsRows.size());
    std::vector<int> blockRows;
    int depth = 0;
    for (int i = firstRow; i < rowCount; ++i) {
        const int kind = ClassifyMdsRow(g_mdsRows[i], depth);
        if (kind < 0)
            break;
        if (kind == 1)
            blockRows.push_back(i);
    }
    std::size_t columns = 0;
    for (int i : blockRows)
        columns = std::max(columns, g_mdsRows[i].size());
    std::vector<std::size_t> widths(columns, 0);
    for (int i : blockRows) {
        g_mdsRows[i].resize(columns);
        for (std::size_t c = 0; c < columns; ++c)
            widths[c] = std::max(widths[c], g_mdsRows[i][c].size());
    }
    for (int i : blockRows)
        for (std::size_t c = 0; c < columns; ++c)
            g_mdsRows[i][c].resize(widths[c], ' ');

    WriteMdsLine("{");
    ++g_mdsIndent;
    for (int i = firstRow; i < rowCount; ++i) {
        const zTMdsRow& row = g_mdsRows[i];
        if (row.size() == 1 && row[0] == "{") {
            i = WriteMdsBlock(i + 1);
            continue;
        }
        if (row.size() == 1) {
            --g_mdsIndent;
            WriteMdsLine("}");
            return i;
        }
        zSTRING line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0)
                line += " ";
            line += row[c];
        }
        WriteMdsLine(line);
    }
    --g_mdsIndent;
    WriteMdsLine("}");
    return rowCount;
}

zSTRING MdsQuoted(const zSTRING& text)
{
    return zSTRING("\"") + text + "\"";
}

zSTRING MdsFloatText(float value)
{
    zSTRING text(value, 6);
    if (std::strtof(text.c_str(), nullptr) != value)
        text = zSTRING(value, 9);
    return text;
}

zSTRING MdsBlendText(float value)
{
    return value == 0.0f ? zSTRING("0.0") : MdsFloatText(value);
}
