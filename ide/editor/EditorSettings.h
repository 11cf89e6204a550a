// The editor settings all script views share: text styles, margins and editing aids, tab
// colours; their defaults and their place in the application's profile.
#pragma once

#include <windows.h>

#include "TextStyleRecord.h"

constexpr int kEditableLexerStyles = 20;  // lexer styles 0 .. 19 have a record

const TextStyle& DefaultTextStyle(int record);
// The profile's value name ("Default", "Comment" ...) and the title string id of a record.
const char* TextStyleValueName(int record);
UINT TextStyleTitleId(int record);
// The record a lexer style is drawn with; -1 for styles past 19 or below 0.
int TextStyleRecordOf(int lexerStyle);

// The margins and automatic editing aids, named as their profile values.
struct EditorOptions {
    int indentGuide = 1;
    int lineNumber = 0;
    int selection = 1;
    int folding = 1;
    int indent = 4;
    int tab = 4;
    int dwellTime = 300;
    int callTip = 1;
    int autoComplete = 1;
    int autoIndent = 1;
    int declareTip = 1;
    int autoSave = 0;
    int savePeriod = 15;
    int wrapLines = 0;
    int checkBraces = 1;
};

constexpr DWORD kTabColorFirst = 0x1000000;  // + 0..7: blue, yellow, green, red, purple, cyan, orange, magenta
constexpr DWORD kTabColorLast = 0x1000007;
constexpr DWORD kTabColorNone = 0xC8C8C8;

struct TabColors {
    DWORD foreign = kTabColorFirst + 3;
    DWORD defaultColor = kTabColorNone;
    int cycle = 0;
};

// Sent to a view's frame, which spreads the change to every view and stores it.
// wParam: the lexer style whose record changed, lParam: the record.
constexpr UINT kMsgTextStyleChanged = 0x592;
// The margins or editing aids changed.
constexpr UINT kMsgEditorOptionsChanged = 0x593;

// The program-wide values. The text styles exist (ten records) while an editor frame is open.
extern TextStyle* g_pTextStyles;
extern EditorOptions g_editorOptions;
extern TabColors g_tabColors;

// Told the autosave choice whenever it is loaded or changed: the main frame restarts its
// timer from it. None until the main frame registers.
using AutosaveRestarter = void (*)(int autoSave, int savePeriodMinutes);
void SetAutosaveRestarter(AutosaveRestarter restarter);
void RestartAutosave();

// Through the application's profile; missing values give the defaults. The text styles must exist.
void LoadEditorOptions();
void SaveEditorOptions();
// All ten records, then the options.
void SaveTextStyles();
// One record, written when the user changes it.
void SaveTextStyle(int record);
void LoadTabColors();
void SaveTabColors();

// Puts a record on one style of a Scintilla window: font, size, bold, italic, underline,
// colours and case.
void ApplyTextStyle(HWND scintilla, int style, const TextStyle& textStyle);

// Font heights for the font dialog and back, at the given pixels per inch; the point size
// is kept positive.
int FontHeightOfPoints(int points, int pixelsPerInch);
int PointsOfFontHeight(int height, int pixelsPerInch);
