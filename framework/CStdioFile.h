// Text files with CR LF line ends on every host. The C file is opened in binary mode
// and the line ends are converted here, so both hosts read and write the same bytes.
#pragma once

#include "CFile.h"

class CStdioFile : public CFile {
    DECLARE_DYNAMIC(CStdioFile)

public:
    CStdioFile() = default;
    // Throws CFileException* when the file cannot be opened.
    CStdioFile(const char* fileName, UINT openFlags);

    // The next line without its end (LF or CR LF); a last line without an end counts.
    // FALSE at the end of the file with nothing read.
    BOOL ReadString(CString& line);
    // Writes each LF as CR LF.
    void WriteString(const char* text);
};
