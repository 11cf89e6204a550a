// CScintillaFindReplaceDlg and the program's find state.
#include "CScintillaFindReplaceDlg.h"

IMPLEMENT_DYNAMIC(CScintillaFindReplaceDlg, CFindReplaceDialog)

CScintillaFindState g_scintillaFind;
const UINT g_findReplaceMessage = ::RegisterWindowMessageA(FINDMSGSTRINGA);
