// Reading the program's command line one argument at a time.
#include "CCommandLineInfo.h"

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast)
{
    if (!pszParam)
        pszParam = "";
    if (bFlag)
        ParseParamFlag(pszParam);
    else
        ParseParamNotFlag(pszParam);
    ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(const char* pszParam)
{
    CString flag(pszParam);
    if (flag.CompareNoCase("pt") == 0) {
        m_nShellCommand = FilePrintTo;
    } else if (flag.CompareNoCase("p") == 0) {
        m_nShellCommand = FilePrint;
    } else if (flag.CompareNoCase("dde") == 0) {
        m_nShellCommand = FileDDE;
    } else if (flag.CompareNoCase("Unregister") == 0 || flag.CompareNoCase("Unregserver") == 0) {
        m_nShellCommand = AppUnregister;
    } else if (flag.CompareNoCase("Embedding") == 0) {
        m_bRunEmbedded = TRUE;
        m_bShowSplash = FALSE;
    } else if (flag.CompareNoCase("Automation") == 0) {
        m_bRunAutomated = TRUE;
        m_bShowSplash = FALSE;
    } else if (flag.CompareNoCase("nologo") == 0) {
        m_bShowSplash = FALSE;
    }
}

void CCommandLineInfo::ParseParamNotFlag(const char* pszParam)
{
    if (!*pszParam)
        return;  // an empty quoted argument names nothing
    if (m_strFileName.IsEmpty()) {
        m_strFileName = pszParam;
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
    } else if (m_nShellCommand == FilePrintTo) {
        if (m_strPrinterName.IsEmpty())
            m_strPrinterName = pszParam;
        else if (m_strDriverName.IsEmpty())
            m_strDriverName = pszParam;
        else if (m_strPortName.IsEmpty())
            m_strPortName = pszParam;
    }
}

void CCommandLineInfo::ParseLast(BOOL bLast)
{
    // Started by another program with no file: that program makes the document.
    if (bLast && m_nShellCommand == FileNew && m_strFileName.IsEmpty() && (m_bRunEmbedded || m_bRunAutomated))
        m_nShellCommand = FileNothing;
}
