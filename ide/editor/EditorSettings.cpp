// The shared editor settings: defaults, the 60-byte style record, profile load and save.
#include "EditorSettings.h"

#include <cstring>

#include "CWinApp.h"
#include "ResourceIds.h"
#include "Scintilla.h"

TextStyle* g_pTextStyles = nullptr;
EditorOptions g_editorOptions;
TabColors g_tabColors;

namespace {

const char kTextStylesSection[] = "Text Styles";
const char kMarginsSection[] = "Margins";
const char kAutomaticSection[] = "Automatic";
const char kTabColorsSection[] = "Tab Colors";

struct StyleRow {
    const char* valueName;
    UINT titleId;
    uint32_t fore;
    int32_t caseMode;
};

const StyleRow kStyleRows[kTextStyleCount] = {
    {"Default", IDS_STYLE_TITLE_COMMON, 0x000000, 0},
    {"Comment", IDS_STYLE_TITLE_COMMENT, 0x008000, 0},
    {"Number", IDS_STYLE_TITLE_NUMBER, 0x808000, 0},
    {"KeyWord1", IDS_STYLE_TITLE_KEY_WORD, 0xDC0000, 2},
    {"String", IDS_STYLE_TITLE_STRING, 0x000080, 0},
    {"Preprocessor", IDS_STYLE_TITLE_PREPROCESSOR, 0x00C400, 0},
    {"Operator", IDS_STYLE_TITLE_OPERATOR, 0x008080, 0},
    {"Identifier", IDS_STYLE_TITLE_IDENTIFIER, 0x000000, 0},
    {"KeyWord2", IDS_STYLE_TITLE_GLOBAL, 0x00C4C4, 0},
    {"GlobalClass", IDS_STYLE_TITLE_CLASS, 0x800080, 1},
};

const TextStyle* DefaultStyles()
{
    static TextStyle styles[kTextStyleCount];
    static bool made = false;
    if (!made) {
        for (int i = 0; i < kTextStyleCount; ++i) {
            TextStyle& s = styles[i];
            std::memset(&s, 0, sizeof s);
            std::strcpy(s.fontName, "Courier");
            s.size = 10;
            s.fore = kStyleRows[i].fore;
            s.back = 0xFFFFFF;
            s.caseMode = kStyleRows[i].caseMode;
        }
        made = true;
    }
    return styles;
}

// The lexer's styles 0 .. 19 and the record each is drawn with.
const int kRecordOfLexerStyle[kEditableLexerStyles] = {0, 1, 1, 1, 2, 3, 4, 0, 0, 5,
                                                        6, 7, 0, 0, 0, 1, 8, 1, 1, 9};

// The options in the order the profile is written, each with its section and value name.
struct OptionRow {
    const char* section;
    const char* name;
    int EditorOptions::*member;
};

const OptionRow kOptionRows[] = {
    {kMarginsSection, "IndentGuide", &EditorOptions::indentGuide},
    {kMarginsSection, "LineNumber", &EditorOptions::lineNumber},
    {kMarginsSection, "Selection", &EditorOptions::selection},
    {kMarginsSection, "Folding", &EditorOptions::folding},
    {kMarginsSection, "Indent", &EditorOptions::indent},
    {kMarginsSection, "Tab", &EditorOptions::tab},
    {kAutomaticSection, "DwellTime", &EditorOptions::dwellTime},
    {kAutomaticSection, "CallTip", &EditorOptions::callTip},
    {kAutomaticSection, "AutoComplete", &EditorOptions::autoComplete},
    {kAutomaticSection, "AutoIndent", &EditorOptions::autoIndent},
    {kAutomaticSection, "DeclareTip", &EditorOptions::declareTip},
    {kAutomaticSection, "AutoSave", &EditorOptions::autoSave},
    {kAutomaticSection, "SavePeriod", &EditorOptions::savePeriod},
    {kAutomaticSection, "WrapLines", &EditorOptions::wrapLines},
    {kAutomaticSection, "CheckBraces", &EditorOptions::checkBraces},
};

AutosaveRestarter g_restarter = nullptr;

bool IsRecord(int record) { return record >= 0 && record < kTextStyleCount; }

}  // namespace

const TextStyle& DefaultTextStyle(int record) { return DefaultStyles()[IsRecord(record) ? record : 0]; }
const char* TextStyleValueName(int record) { return kStyleRows[IsRecord(record) ? record : 0].valueName; }
UINT TextStyleTitleId(int record) { return kStyleRows[IsRecord(record) ? record : 0].titleId; }

int TextStyleRecordOf(int lexerStyle)
{
    return lexerStyle >= 0 && lexerStyle < kEditableLexerStyles ? kRecordOfLexerStyle[lexerStyle] : -1;
}

void SetAutosaveRestarter(AutosaveRestarter restarter) { g_restarter = restarter; }

void RestartAutosave()
{
    if (g_restarter)
        g_restarter(g_editorOptions.autoSave, g_editorOptions.savePeriod);
}

void LoadEditorOptions()
{
    CWinApp* app = AfxGetApp();
    for (int i = 0; i < kTextStyleCount; ++i) {
        LPBYTE data = nullptr;
        UINT bytes = 0;
        const bool stored = app->GetProfileBinary(kTextStylesSection, kStyleRows[i].valueName, &data, &bytes);
        // A value of another length is not a record of ours: the default stands.
        if (!stored || !DecodeTextStyle(data, bytes, g_pTextStyles[i]))
            g_pTextStyles[i] = DefaultTextStyle(i);
        delete[] data;
    }
    const EditorOptions defaults;
    for (const OptionRow& row : kOptionRows) {
        g_editorOptions.*row.member = int(app->GetProfileInt(row.section, row.name, defaults.*row.member));
        if (row.member == &EditorOptions::savePeriod)
            RestartAutosave();  // before the last two, as the main frame expects it
    }
}

void SaveEditorOptions()
{
    CWinApp* app = AfxGetApp();
    for (const OptionRow& row : kOptionRows)
        app->WriteProfileInt(row.section, row.name, g_editorOptions.*row.member);
}

void SaveTextStyle(int record)
{
    if (!g_pTextStyles || !IsRecord(record))
        return;
    uint8_t bytes[kTextStyleBytes];
    EncodeTextStyle(g_pTextStyles[record], bytes);
    AfxGetApp()->WriteProfileBinary(kTextStylesSection, kStyleRows[record].valueName, bytes, kTextStyleBytes);
}

void SaveTextStyles()
{
    for (int i = 0; i < kTextStyleCount; ++i)
        SaveTextStyle(i);
    SaveEditorOptions();
}

void LoadTabColors()
{
    CWinApp* app = AfxGetApp();
    const TabColors defaults;
    g_tabColors.foreign = app->GetProfileInt(kTabColorsSection, "Foreign Color", int(defaults.foreign));
    g_tabColors.defaultColor = app->GetProfileInt(kTabColorsSection, "Default Color", int(defaults.defaultColor));
    g_tabColors.cycle = int(app->GetProfileInt(kTabColorsSection, "Cycle Color", defaults.cycle));
}

void SaveTabColors()
{
    CWinApp* app = AfxGetApp();
    app->WriteProfileInt(kTabColorsSection, "Foreign Color", int(g_tabColors.foreign));
    app->WriteProfileInt(kTabColorsSection, "Default Color", int(g_tabColors.defaultColor));
    app->WriteProfileInt(kTabColorsSection, "Cycle Color", g_tabColors.cycle);
}

void ApplyTextStyle(HWND scintilla, int style, const TextStyle& textStyle)
{
    auto send = [&](UINT message, uintptr_t value) { ::SendMessageA(scintilla, message, WPARAM(style), LPARAM(value)); };
    send(SCI_STYLESETFONT, reinterpret_cast<uintptr_t>(textStyle.fontName));
    send(SCI_STYLESETSIZE, uintptr_t(textStyle.size));
    send(SCI_STYLESETBOLD, textStyle.bold != 0);
    send(SCI_STYLESETITALIC, textStyle.italic != 0);
    send(SCI_STYLESETUNDERLINE, textStyle.underline != 0);
    send(SCI_STYLESETFORE, textStyle.fore);
    send(SCI_STYLESETBACK, textStyle.back);
    send(SCI_STYLESETCASE, uintptr_t(textStyle.caseMode));
}

int FontHeightOfPoints(int points, int pixelsPerInch) { return -::MulDiv(points, pixelsPerInch, 72); }

int PointsOfFontHeight(int height, int pixelsPerInch)
{
    const int points = -::MulDiv(height, 72, pixelsPerInch);
    return points < 0 ? -points : points;
}
