// What the program's command line asks for: the shell command, its file and printer, and the flags.
#pragma once

#include "CObject.h"
#include "CString.h"

class CCommandLineInfo : public CObject {
public:
    CCommandLineInfo() = default;

    // One argument of the command line; bFlag when it began with '/' or '-' (which is then
    // left off), bLast for the final one. Flags are read without regard to case:
    //   /p file               print the file (FilePrint)
    //   /pt file printer driver port   print on the given printer (FilePrintTo)
    //   /dde                  started for a shell conversation (FileDDE), which opens nothing
    //   /Embedding, /Automation   started by another program: no logo, no new document
    //   /Unregister, /Unregserver  remove the shell registration (AppUnregister)
    //   /nologo               no logo
    // Unknown flags are ignored. The first plain argument is the file (FileOpen), or the
    // printer, driver and port after the file of /pt; further plain arguments are ignored.
    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);

    enum {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppUnregister,
        FileNothing = -1
    } m_nShellCommand = FileNew;

    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

private:
    void ParseParamFlag(const char* pszParam);
    void ParseParamNotFlag(const char* pszParam);
    void ParseLast(BOOL bLast);
};
