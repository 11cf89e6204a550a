// The library's profile store: registry keys and values, and the letter form of binary values in INI files.
#include "CXTRegistryProfile.h"

#include <cstring>
#include <memory>

#include "CWinApp.h"

namespace {

const REGSAM kAccess = KEY_READ | KEY_WRITE;  // 0x2001F

HKEY CreateKey(HKEY parent, const char* name)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (::RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, kAccess, nullptr, &key, &disposition) !=
        ERROR_SUCCESS)
        return nullptr;
    return key;
}

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
    if (!CheckNames())
        return nullptr;
    HKEY software = nullptr;
    if (::RegOpenKeyExA(m_hKeyRoot, "Software", 0, kAccess, &software) != ERROR_SUCCESS)
        return nullptr;
    HKEY company = CreateKey(software, m_pszRegistryKey);
    ::RegCloseKey(software);
    if (!company)
        return nullptr;
    HKEY app = CreateKey(company, m_pszProfileName);
    ::RegCloseKey(company);
    return app;
}

HKEY CXTRegistryProfile::GetSectionKey(const char* lpszSection)
{
    if (!lpszSection)
        return nullptr;
    HKEY app = GetAppRegistryKey();
    if (!app)
        return nullptr;
    HKEY section = CreateKey(app, lpszSection);
    ::RegCloseKey(app);
    return section;
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
    if (!lpszSection)
        return FALSE;
    LONG rc;
    if (!lpszEntry) {
        HKEY app = GetAppRegistryKey();
        if (!app)
            return FALSE;
        rc = ::RegDeleteKeyA(app, lpszSection);
        ::RegCloseKey(app);
        return rc == ERROR_SUCCESS;
    }
    HKEY section = GetSectionKey(lpszSection);
    if (!section)
        return FALSE;
    if (!lpszValue)
        rc = ::RegDeleteValueA(section, lpszEntry);
    else
        rc = ::RegSetValueExA(section, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                              static_cast<DWORD>(std::strlen(lpszValue) + 1));
    ::RegCloseKey(section);
    return rc == ERROR_SUCCESS;
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
    DWORD type = 0;
    DWORD size = 0;
    LONG rc = ::RegQueryValueExA(section, lpszEntry, nullptr, &type, nullptr, &size);
    if (rc == ERROR_SUCCESS && size > 0) {
        std::unique_ptr<BYTE[]> data(new BYTE[size]);
        rc = ::RegQueryValueExA(section, lpszEntry, nullptr, &type, data.get(), &size);
        if (rc == ERROR_SUCCESS) {
            *ppData = data.release();
            *pBytes = size;
        }
    }
    ::RegCloseKey(section);
    return *ppData != nullptr;
}

CString CXTRegistryProfile::GetProfileString(const char* lpszSection, const char* lpszEntry, const char* lpszDefault)
{
    if (UsesFile()) {
        char buffer[4096] = {};
        ::GetPrivateProfileStringA(lpszSection, lpszEntry, lpszDefault ? lpszDefault : "", buffer, sizeof(buffer),
                                   ProfileFilePath());
        return CString(buffer);
    }
    CString fallback(lpszDefault);
    HKEY section = GetSectionKey(lpszSection);
    if (!section)
        return fallback;
    DWORD type = 0;
    DWORD size = 0;
    LONG rc = ::RegQueryValueExA(section, lpszEntry, nullptr, &type, nullptr, &size);
    CString value;
    if (rc == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
        char* buf = value.GetBuffer(static_cast<int>(size) + 1);
        rc = ::RegQueryValueExA(section, lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
        buf[rc == ERROR_SUCCESS ? size : 0] = '\0';
        value.ReleaseBuffer();
    }
    ::RegCloseKey(section);
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return fallback;
    return value;
}
