// The framework's exceptions and their messages in the interface language.
#include "CException.h"

#include <cstring>
#include <vector>

#include "ResourceIds.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(COleException, CException)

namespace {

// A cause's two ids, with English stand-ins for when the table lacks the text: a
// message is never empty and still names the cause. A cause's text is the id of its
// table's first text plus the cause; each cause has a form with the file name (%s)
// and one for when the name is unknown.
struct CauseTexts {
    UINT withName;
    UINT withoutName;
    int count;
    const char* fallbackWithName;     // takes the cause and the name
    const char* fallbackWithoutName;  // takes the cause
};

const CauseTexts kFileTexts = {IDS_FILE_ERROR_NAMED_NONE, IDS_FILE_ERROR_NONE,
                               CFileException::endOfFile + 1, "File error %d with '%s'.", "File error %d."};
const CauseTexts kArchiveTexts = {IDS_ARCHIVE_ERROR_NAMED_NONE, IDS_ARCHIVE_ERROR_NONE,
                                  CArchiveException::badSchema + 1, "Archive error %d with '%s'.",
                                  "Archive error %d."};

const char kMemoryFallback[] = "Out of memory.";
const char kOleFallback[] = "The operation failed (error 0x%08X).";
const char kUnknownFallback[] = "An unknown error occurred.";

CString LoadText(UINT id, const char* fallback)
{
    CString text;
    if (!text.LoadString(id))
        text = fallback;
    return text;
}

// A table's format is used only with exactly the one conversion the caller passes an
// argument for: a damaged translation must not make the formatting read a missing one.
bool LoadFormat(CString& format, UINT id, const char* conversion)
{
    if (!format.LoadString(id))
        return false;
    const size_t length = std::strlen(conversion);
    int found = 0;
    for (const char* p = std::strchr(format, '%'); p; p = std::strchr(p, '%')) {
        if (p[1] == '%') {
            p += 2;
            continue;
        }
        if (std::strncmp(p, conversion, length) != 0 || ++found > 1)
            return false;
        p += length;
    }
    return found == 1;
}

CString MessageFor(const CauseTexts& texts, int cause, const CString& fileName)
{
    if (cause < 0 || cause >= texts.count)
        return LoadText(IDS_UNKNOWN_CAUSE, kUnknownFallback);
    const UINT offset = static_cast<UINT>(cause);
    CString text;
    if (fileName.IsEmpty()) {
        if (!text.LoadString(texts.withoutName + offset))
            text.Format(texts.fallbackWithoutName, cause);
        return text;
    }
    CString format;
    if (LoadFormat(format, texts.withName + offset, "%s"))
        text.Format(format, static_cast<const char*>(fileName));
    else
        text.Format(texts.fallbackWithName, cause, static_cast<const char*>(fileName));
    return text;
}

BOOL CopyMessage(const CString& text, char* buf, UINT max, UINT* helpContext)
{
    if (helpContext)
        *helpContext = 0;
    if (buf && max > 0) {
        size_t n = static_cast<size_t>(text.GetLength());
        if (n > max - 1)
            n = max - 1;
        std::memcpy(buf, static_cast<const char*>(text), n);
        buf[n] = '\0';
    }
    return TRUE;
}

} // namespace

CException::~CException() = default;

void CException::Delete()
{
    delete this;
}

BOOL CException::GetErrorMessage(char* buf, UINT max, UINT* helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    if (buf && max > 0)
        buf[0] = '\0';
    return FALSE;
}

CString CException::GetErrorText() const
{
    // The message may be any length (it holds a path); grow until it fits.
    std::vector<char> buf(256);
    for (;;) {
        buf[0] = '\0';
        GetErrorMessage(buf.data(), static_cast<UINT>(buf.size()));
        size_t length = std::strlen(buf.data());
        if (length + 1 < buf.size() || buf.size() >= (1u << 20))
            return CString(buf.data(), static_cast<int>(length));
        buf.resize(buf.size() * 4);
    }
}

BOOL CMemoryException::GetErrorMessage(char* buf, UINT max, UINT* helpContext) const
{
    return CopyMessage(LoadText(IDS_OUT_OF_MEMORY, kMemoryFallback), buf, max, helpContext);
}

CFileException::CFileException(int cause, LONG lOsError, const char* fileName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(fileName)
{
}

BOOL CFileException::GetErrorMessage(char* buf, UINT max, UINT* helpContext) const
{
    return CopyMessage(MessageFor(kFileTexts, m_cause, m_strFileName), buf, max, helpContext);
}

CArchiveException::CArchiveException(int cause, const char* fileName) : m_cause(cause), m_strFileName(fileName)
{
}

BOOL CArchiveException::GetErrorMessage(char* buf, UINT max, UINT* helpContext) const
{
    return CopyMessage(MessageFor(kArchiveTexts, m_cause, m_strFileName), buf, max, helpContext);
}

COleException::COleException(LONG sc) : m_sc(sc)
{
}

BOOL COleException::GetErrorMessage(char* buf, UINT max, UINT* helpContext) const
{
    CString format;
    if (!LoadFormat(format, IDS_OLE_FAILED, "%08X"))
        format = kOleFallback;
    CString text;
    text.Format(format, static_cast<unsigned>(m_sc));
    return CopyMessage(text, buf, max, helpContext);
}

void AfxThrowMemoryException()
{
    throw new CMemoryException;
}

void AfxThrowResourceException()
{
    throw new CResourceException;
}

void AfxThrowFileException(int cause, LONG lOsError, const char* fileName)
{
    throw new CFileException(cause, lOsError, fileName);
}

void AfxThrowArchiveException(int cause, const char* fileName)
{
    throw new CArchiveException(cause, fileName);
}

void AfxThrowOleException(LONG sc)
{
    throw new COleException(sc);
}
