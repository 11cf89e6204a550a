// A window's placement: the 48-byte record, its save under the profile and its restore.
#include "CXTWindowPlacement.h"

#include "CString.h"
#include "CWnd.h"
#include "CXTRegistryProfile.h"
#include "ResourceIds.h"

namespace {

void PutLong(BYTE* at, LONG value)
{
    DWORD v = static_cast<DWORD>(value);
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<BYTE>(v >> (8 * i));
}

LONG GetLong(const BYTE* at)
{
    DWORD v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<DWORD>(at[i]) << (8 * i);
    return static_cast<LONG>(v);
}

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

}  // namespace

CXTWindowPlacement::CXTWindowPlacement()
{
    m_wp.length = sizeof(m_wp);
    m_wp.showCmd = SW_SHOW;
}

CXTWindowPlacement::~CXTWindowPlacement() = default;

void CXTWindowPlacement::ToRecord(BYTE* record) const
{
    const LONG fields[] = {0,
                           kRecordLength,
                           static_cast<LONG>(m_wp.flags),
                           static_cast<LONG>(m_wp.showCmd),
                           m_wp.ptMinPosition.x,
                           m_wp.ptMinPosition.y,
                           m_wp.ptMaxPosition.x,
                           m_wp.ptMaxPosition.y,
                           m_wp.rcNormalPosition.left,
                           m_wp.rcNormalPosition.top,
                           m_wp.rcNormalPosition.right,
                           m_wp.rcNormalPosition.bottom};
    for (int i = 0; i < 12; ++i)
        PutLong(record + 4 * i, fields[i]);
}

void CXTWindowPlacement::FromRecord(const BYTE* record)
{
    m_wp.length = sizeof(m_wp);
    m_wp.flags = static_cast<UINT>(GetLong(record + 8));
    m_wp.showCmd = static_cast<UINT>(GetLong(record + 12));
    m_wp.ptMinPosition = {GetLong(record + 16), GetLong(record + 20)};
    m_wp.ptMaxPosition = {GetLong(record + 24), GetLong(record + 28)};
    m_wp.rcNormalPosition = {GetLong(record + 32), GetLong(record + 36), GetLong(record + 40), GetLong(record + 44)};
}

BOOL CXTWindowPlacement::SaveWindowPos(CWnd* pWnd, const char* lpszSection)
{
    if (!pWnd || !::IsWindow(pWnd->GetSafeHwnd()))
        return FALSE;
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    if (!pWnd->GetWindowPlacement(&wp))
        return FALSE;
    CString section = lpszSection ? CString(lpszSection) : LoadText(IDS_PROFILE_SETTINGS);
    CString entry = LoadText(IDS_PROFILE_WINDOW_POSITION);
    if (section.IsEmpty() || entry.IsEmpty())
        return FALSE;  // the names are missing from the program's strings
    m_wp = wp;
    if (!lpszSection && m_wp.showCmd != SW_SHOWMAXIMIZED)
        m_wp.showCmd = SW_SHOWNORMAL;  // a window minimised at exit comes back normal
    BYTE record[kRecordSize];
    ToRecord(record);
    CXTRegistryProfile profile(HKEY_CURRENT_USER);
    // The store's answer is the result: a placement that was not written is not reported saved.
    return profile.WriteProfileBinary(section, entry, record, kRecordSize);
}

BOOL CXTWindowPlacement::ReadWindowPos(const char* lpszSection)
{
    CString section = lpszSection ? CString(lpszSection) : LoadText(IDS_PROFILE_SETTINGS);
    CString entry = LoadText(IDS_PROFILE_WINDOW_POSITION);
    if (section.IsEmpty() || entry.IsEmpty())
        return FALSE;
    CXTRegistryProfile profile(HKEY_CURRENT_USER);
    BYTE* data = nullptr;
    UINT size = 0;
    if (!profile.GetProfileBinary(section, entry, &data, &size))
        return FALSE;
    BOOL ok = size == kRecordSize;
    if (ok)
        FromRecord(data);
    delete[] data;
    return ok;
}

BOOL CXTWindowPlacement::LoadWindowPos(CWnd* pWnd, const char* lpszSection)
{
    if (!pWnd || !::IsWindow(pWnd->GetSafeHwnd()) || !ReadWindowPos(lpszSection))
        return FALSE;
    pWnd->SetWindowPlacement(&m_wp);
    return TRUE;
}
