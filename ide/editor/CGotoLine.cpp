// The go-to-line dialog: its line number exchanged with the edit field.
#include "CGotoLine.h"
#include "ResourceIds.h"

CGotoLine::CGotoLine(int line, CWnd* pParentWnd) : CDialog(IDD_GOTO_LINE, pParentWnd), m_line(line) {}

void CGotoLine::DoDataExchange(CDataExchange* pDX) { DDX_Text(pDX, IDC_GOTO_LINE_NUMBER, m_line); }
