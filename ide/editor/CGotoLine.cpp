// The go-to-line dialog: its line number exchanged with the edit field.
#include "CGotoLine.h"

CGotoLine::CGotoLine(int line, CWnd* pParentWnd) : CDialog(IDD_GOTO_LINE, pParentWnd), m_line(line) {}

void CGotoLine::DoDataExchange(CDataExchange* pDX) { DDX_Text(pDX, 1069, m_line); }
