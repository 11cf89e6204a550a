// Text files: lines read and written with CR LF ends.
#include "CStdioFile.h"

#include <cerrno>
#include <string>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

CStdioFile::CStdioFile(const char* fileName, UINT openFlags)
{
    CFileException error;
    if (!Open(fileName, openFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

BOOL CStdioFile::ReadString(CString& line)
{
    PrepareRead();
    std::string text;
    bool any = false;
    int ch;
    errno = 0;
    while ((ch = std::getc(m_pStream)) != EOF) {
        any = true;
        if (ch == '\n') {
            if (!text.empty() && text.back() == '\r')
                text.pop_back();
            break;
        }
        text.push_back(static_cast<char>(ch));
    }
    if (std::ferror(m_pStream)) {
        int err = errno ? errno : EIO;
        std::clearerr(m_pStream);
        ThrowErrno(err);
    }
    line = CString(text.data(), static_cast<int>(text.size()));
    return any ? TRUE : FALSE;
}

void CStdioFile::WriteString(const char* text)
{
    if (!text)
        return;
    std::string out;
    for (const char* p = text; *p; ++p) {
        if (*p == '\n')
            out.push_back('\r');
        out.push_back(*p);
    }
    size_t done = 0;
    while (done < out.size()) {
        size_t chunk = out.size() - done;
        if (chunk > 0x40000000u)
            chunk = 0x40000000u;
        Write(out.data() + done, static_cast<UINT>(chunk));
        done += chunk;
    }
}
