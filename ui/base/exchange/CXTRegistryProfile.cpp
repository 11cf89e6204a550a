// The library's profile store: registry keys and values, and the letter form of binary values in INI files.
#include "CXTRegistryProfile.h"

#include <vector>

#include "CWinApp.h"

namespace {

bool UsesFile()
{
    return !CXTRegistryProfile::ProfileFilePath().IsEmpty();
}

}  // namespace

CString& CXTRegistryProfile::ProfileFilePath()
{
    static CString path;
    return path;
}

CXTRegistryProfile::CXTRegistryProfile(HKEY hKeyRoot) : m_hKeyRoot(hKeyRoot) {}

CXTRegistryProfile::~CXTRegistryProfile() = default;

BOOL CXTRegistryProfile::CheckNames()
{
    if (m_pszRegistryKey && m_pszProfileName)
        return TRUE;
    CWinApp* app = AfxGetApp();
    if (!app)
        return FALSE;
    m_pszRegistryKey = app->m_pszRegistryKey;
    m_pszProfileName = app->m_pszProfileName;
    return m_pszRegistryKey && *m_pszRegistryKey && m_pszProfileName && *m_pszProfileName;
}

HKEY CXTRegistryProfile::GetAppRegistryKey()
{
    return CheckNames() ? AfxRegOpenAppKey(m_hKeyRoot, m_pszRegistryKey, m_pszProfileName) : nullptr;
}

HKEY CXTRegistryProfile::GetSectionKey(const char* lpszSection)
{
    return lpszSection && CheckNames()
               ? AfxRegAppSectionKey(m_hKeyRoot, m_pszRegistryKey, m_pszProfileName, lpszSection)
               : nullptr;
}

BOOL CXTRegistryProfile::WriteProfileBinary(const char* lpszSection, const char* lpszEntry, const BYTE* pData,
                                            UINT nBytes)
{
    if (UsesFile()) {
        // Two letters a byte: 'A' + the low four bits, then 'A' + the high four bits.
        CString text;
        char* out = text.GetBuffer(static_cast<int>(nBytes * 2));
        for (UINT i = 0; i < nBytes; ++i) {
            out[i * 2] = static_cast<char>('A' + (pData[i] & 0x0F));
            out[i * 2 + 1] = static_cast<char>('A' + ((pData[i] >> 4) & 0x0F));
        }
        text.ReleaseBuffer(static_cast<int>(nBytes * 2));
        return WriteProfileString(lpszSection, lpszEntry, text);
    }
    HKEY section = GetSectionKey(lpszSection);
    if (!section)
        return FALSE;
    LONG rc = ::RegSetValueExA(section, lpszEntry, 0, REG_BINARY, pData, nBytes);
    ::RegCloseKey(section);
    return rc == ERROR_SUCCESS;
}

BOOL CXTRegistryProfile::WriteProfileString(const char* lpszSection, const char* lpszEntry, const char* lpszValue)
{
    if (UsesFile())
        return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, ProfileFilePath());
    return AfxRegWriteProfileString(GetAppRegistryKey(), lpszSection, lpszEntry, lpszValue);
}

BOOL CXTRegistryProfile::GetProfileBinary(const char* lpszSection, const char* lpszEntry, BYTE** ppData,
                                          UINT* pBytes)
{
    *ppData = nullptr;
    *pBytes = 0;
    if (UsesFile()) {
        CString text = GetProfileString(lpszSection, lpszEntry, nullptr);
        UINT size = static_cast<UINT>(text.GetLength()) / 2;
        if (size == 0)
            return FALSE;
        auto* data = new BYTE[size];
        for (UINT i = 0; i < size; ++i) {
            unsigned first = static_cast<unsigned char>(text[static_cast<int>(i * 2)]);
            unsigned second = static_cast<unsigned char>(text[static_cast<int>(i * 2 + 1)]);
            data[i] = static_cast<BYTE>(((second * 16) % 256 + first - 0x51) % 256);
        }
        *ppData = data;
        *pBytes = size;
        return TRUE;
    }
    HKEY section = GetSectionKey(lpszSection);
    if (!section)
        return FALSE;
    BOOL ok = AfxRegQueryBinary(section, lpszEntry, ppData, pBytes);
    ::RegCloseKey(section);
    return ok;
}

CString CXTRegistryProfile::GetProfileString(const char* lpszSection, const char* lpszEntry, const char* lpszDefault)
{
    if (UsesFile()) {
        // A value longer than the buffer comes back cut: the buffer grows until it
        // holds the whole value (binary values are stored as two letters a byte).
        std::vector<char> buffer(4096);
        for (;;) {
            const DWORD length = ::GetPrivateProfileStringA(lpszSection, lpszEntry, lpszDefault ? lpszDefault : "",
                                                            buffer.data(), static_cast<DWORD>(buffer.size()),
                                                            ProfileFilePath());
            if (length + 1 < buffer.size())
                return CString(buffer.data());
            buffer.resize(buffer.size() * 2);
        }
    }
    HKEY section = GetSectionKey(lpszSection);
    if (!section)
        return CString(lpszDefault);
    CString value;
    BOOL found = AfxRegQueryString(section, lpszEntry, value);
    ::RegCloseKey(section);
    return found ? value : CString(lpszDefault);
}
