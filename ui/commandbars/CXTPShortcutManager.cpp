// Keyboard shortcuts: key names, accelerator texts and priorities, the shown shortcut, table exchange.
#include "CXTPShortcutManager.h"

#include <memory>
#include <vector>

#include "CFrameWnd.h"
#include "CWinThread.h"
#include "CXTPPropExchange.h"

namespace {

const BYTE kCtrl = FCONTROL;   // 8
const BYTE kShift = FSHIFT;    // 4
const BYTE kAlt = FALT;        // 16
const UINT kCancelKey = 3;     // VK_CANCEL, Ctrl+Break: never prefixed by modifiers
const DWORD kRecordBytes = 6;  // fVirt, a pad byte, key and command as little-endian words

CXTPShortcutManager::PFNGETKEYNAMETEXT g_pfnGetKeyNameText = ::GetKeyNameTextA;

struct KeyName {
    UINT nKey;
    const char* pszName;
};

// Names of the keys the platform cannot name; digits, letters, F1 to F12 and the numeric
// pad's digits are named in KeyNameFromTable.
const KeyName kKeyNames[] = {
    {1, "Left Button"}, {2, "Right Button"}, {3, "Ctrl+Break"}, {4, "Middle Button"}, {8, "Back"},
    {9, "Tab"}, {12, "Clear"}, {13, "Enter"}, {16, "Shift"}, {17, "Ctrl"}, {18, "Alt"}, {19, "Pause"},
    {20, "Caps Lock"}, {27, "Esc"}, {32, "Space"}, {33, "Page Up"}, {34, "Page Down"}, {35, "End"},
    {36, "Home"}, {37, "Left Arrow"}, {38, "Up Arrow"}, {39, "Right Arrow"}, {40, "Down Arrow"},
    {41, "Select"}, {42, "Print"}, {43, "Execute"}, {44, "Snapshot"}, {45, "Ins"}, {46, "Del"},
    {47, "Help"}, {91, "Left Windows"}, {92, "Right Windows"}, {93, "Application"}, {106, "Num *"},
    {107, "Num +"}, {108, "Separator"}, {109, "Num -"}, {110, "Num ."}, {111, "Num /"},
    {144, "Num Lock"}, {145, "Scrl Lock"}, {246, "Attn"}, {247, "Crsel"}, {248, "Exsel"},
    {249, "Ereof"}, {250, "Play"}, {251, "Zoom"}, {252, "No Name"}, {253, "Pa1"}, {254, "Oem Clear"},
};

CString KeyNameFromTable(UINT nKey)
{
    CString name;
    if ((nKey >= '0' && nKey <= '9') || (nKey >= 'A' && nKey <= 'Z'))
        name = CString(static_cast<char>(nKey), 1);
    else if (nKey >= VK_F1 && nKey <= VK_F12)
        name.Format("F%u", nKey - VK_F1 + 1);
    else if (nKey >= VK_NUMPAD0 && nKey <= VK_NUMPAD9)
        name.Format("Num %u", nKey - VK_NUMPAD0);
    for (const KeyName& row : kKeyNames) {
        if (row.nKey == nKey)
            name = row.pszName;
    }
    return name;
}

// The platform's name of a key in its keyboard layout, capitalised like a title ("Page up").
CString KeyNameFromPlatform(UINT nKey)
{
    UINT nScan = ::MapVirtualKeyExA(nKey, 0, ::GetKeyboardLayout(0));
    LONG lParam = static_cast<LONG>(((nScan & 0xFF) << 16) | 1);
    if (nKey >= VK_PRIOR && nKey <= VK_HELP)
        lParam |= 1L << 24;  // the extended keys between the main block and the numeric pad
    char buffer[50] = {};
    int nLength = g_pfnGetKeyNameText(lParam, buffer, sizeof(buffer));
    if (nLength <= 0)
        return CString();
    buffer[sizeof(buffer) - 1] = 0;
    ::CharLowerA(buffer);
    for (char* p = buffer; *p; p++) {
        if (::IsCharLowerA(*p)) {
            char upper[2] = {*p, 0};
            ::CharUpperA(upper);
            *p = upper[0];
            break;
        }
    }
    return buffer;
}

// Appends the name of a key; a modifier's name is followed by "+".
void AppendKeyName(CString& str, UINT nKey, bool bModifier)
{
    CString name = nKey == kCancelKey ? CString() : KeyNameFromPlatform(nKey);
    if (name.IsEmpty())
        name = KeyNameFromTable(nKey);
    if (name.IsEmpty())
        return;
    str += name;
    if (bModifier)
        str += "+";
}

std::unique_ptr<CXTPShortcutManager>& CurrentManager()
{
    static std::unique_ptr<CXTPShortcutManager> s_current;
    if (!s_current)
        s_current = std::make_unique<CXTPShortcutManager>();
    return s_current;
}

std::vector<ACCEL> Entries(HACCEL hAccel)
{
    std::vector<ACCEL> entries;
    int nCount = hAccel ? ::CopyAcceleratorTableA(hAccel, nullptr, 0) : 0;
    if (nCount > 0) {
        entries.resize(static_cast<size_t>(nCount));
        entries.resize(static_cast<size_t>(::CopyAcceleratorTableA(hAccel, entries.data(), nCount)));
    }
    return entries;
}

void ExchangeBlobTable(CXTPPropExchange* pPX, CFrameWnd* pFrame)
{
    if (!pPX->IsLoading()) {
        std::vector<ACCEL> entries = Entries(pFrame->m_hAccelTable);
        std::vector<BYTE> data;
        for (const ACCEL& entry : entries) {
            const BYTE record[kRecordBytes] = {entry.fVirt, 0, LOBYTE(entry.key), HIBYTE(entry.key),
                                               LOBYTE(entry.cmd), HIBYTE(entry.cmd)};
            data.insert(data.end(), record, record + kRecordBytes);
        }
        pPX->WriteCount(static_cast<DWORD>(entries.size()));
        if (!data.empty())
            pPX->Write("Data", data.data(), static_cast<DWORD>(data.size()));
        return;
    }
    DWORD nCount = pPX->ReadCount();
    if (nCount == 0) {
        CXTPShortcutManager::SetAccelTable(pFrame, nullptr, 0);
        return;
    }
    // The medium has checked the count against its bytes, so the buffer is bounded.
    std::vector<BYTE> data(static_cast<size_t>(nCount) * kRecordBytes);
    if (pPX->Read("Data", data.data(), static_cast<DWORD>(data.size())) != data.size())
        return;  // a short table is damage: the frame keeps the one it has
    std::vector<ACCEL> entries(nCount);
    for (DWORD i = 0; i < nCount; i++) {
        const BYTE* record = &data[i * kRecordBytes];
        entries[i].fVirt = record[0];
        entries[i].key = MAKEWORD(record[2], record[3]);
        entries[i].cmd = MAKEWORD(record[4], record[5]);
    }
    CXTPShortcutManager::SetAccelTable(pFrame, entries.data(), static_cast<int>(nCount));
}

void ExchangeAccelSections(CXTPPropExchange* pPX, CFrameWnd* pFrame)
{
    std::vector<ACCEL> entries = pPX->IsLoading() ? std::vector<ACCEL>() : Entries(pFrame->m_hAccelTable);
    CXTPPropExchangeOwner<CXTPPropExchangeEnumerator> items(pPX->GetEnumerator("Accel"));
    if (!items.Get())
        return;
    POSITION pos = items->GetPosition(static_cast<DWORD>(entries.size()));
    // An empty list is a table without keys, as the blob medium's count of 0 is.
    for (size_t i = 0; pos; i++) {
        CXTPPropExchangeSection item(items->GetNext(pos));
        if (!item.Get())
            break;
        ACCEL entry = pPX->IsLoading() ? ACCEL{} : entries[i];
        short nCmd = static_cast<short>(entry.cmd);
        short nKey = static_cast<short>(entry.key);
        PX_Short(item, "Id", nCmd, 0);
        PX_Byte(item, "virt", entry.fVirt, 0);
        PX_Short(item, "key", nKey, 0);
        if (pPX->IsLoading()) {
            entry.cmd = static_cast<WORD>(nCmd);
            entry.key = static_cast<WORD>(nKey);
            entries.push_back(entry);
        }
    }
    if (pPX->IsLoading())
        CXTPShortcutManager::SetAccelTable(pFrame, entries.data(), static_cast<int>(entries.size()));
}

} // namespace

void CAccelFormatter::Format(CString& str) const
{
    str.Empty();
    const BYTE fVirt = m_lpAccel->fVirt;
    const UINT nKey = m_lpAccel->key;
    if (nKey != kCancelKey) {
        if (fVirt & kCtrl)
            AppendKeyName(str, VK_CONTROL, true);
        if (fVirt & kShift)
            AppendKeyName(str, VK_SHIFT, true);
        if (fVirt & kAlt)
            AppendKeyName(str, VK_MENU, true);
    }
    if (nKey == 0) {
        // Modifiers alone: no trailing "+".
        if (!str.IsEmpty())
            str = str.Left(str.GetLength() - 1);
        return;
    }
    if (fVirt & FVIRTKEY)
        AppendKeyName(str, nKey, false);
    else if (nKey != 27)
        str += static_cast<char>(nKey);
}

int CAccelFormatter::GetPriority() const
{
    const BYTE fVirt = m_lpAccel->fVirt;
    if (fVirt & kCtrl)
        return 3;
    if (fVirt & kAlt)
        return 2;
    if (fVirt & kShift)
        return 1;
    return 4;
}

CXTPShortcutManager* XTPShortcutManager()
{
    return CurrentManager().get();
}

void XTPSetShortcutManager(CXTPShortcutManager* pManager)
{
    std::unique_ptr<CXTPShortcutManager>& current = CurrentManager();
    if (pManager && pManager != current.get())
        current.reset(pManager);
}

CXTPShortcutManager::PFNGETKEYNAMETEXT CXTPShortcutManager::SetKeyNameSource(PFNGETKEYNAMETEXT pfnGetKeyNameText)
{
    PFNGETKEYNAMETEXT pfnPrevious = g_pfnGetKeyNameText;
    g_pfnGetKeyNameText = pfnGetKeyNameText ? pfnGetKeyNameText : ::GetKeyNameTextA;
    return pfnPrevious;
}

CString CXTPShortcutManager::Format(LPACCEL lpAccel, int* pPriority)
{
    CAccelFormatter formatter(lpAccel);
    CString str;
    formatter.Format(str);
    if (pPriority)
        *pPriority = formatter.GetPriority();
    return str;
}

CFrameWnd* CXTPShortcutManager::GetAcceleratorFrame(CXTPCommandBars* /*pCommandBars*/)
{
    CWinThread* pThread = AfxGetThread();
    CWnd* pMainWnd = pThread ? pThread->GetMainWnd() : nullptr;
    return dynamic_cast<CFrameWnd*>(pMainWnd);
}

BOOL CXTPShortcutManager::FindDefaultAccelerator(UINT nCmd, CString& strShortcut, CXTPCommandBars* pCommandBars)
{
    CFrameWnd* pFrame = GetAcceleratorFrame(pCommandBars);
    HACCEL hAccel = pFrame ? pFrame->GetDefaultAccelerator() : nullptr;
    if (!hAccel)
        return FALSE;
    CString strBest;
    int nBestPriority = 0;
    bool bFound = false;
    bool bCurrentValid = false;
    for (ACCEL& entry : Entries(hAccel)) {
        if (entry.cmd != nCmd)
            continue;
        bFound = true;
        int nPriority = 0;
        CString str = Format(&entry, &nPriority);
        if (str == strShortcut)
            bCurrentValid = true;
        if (strBest.IsEmpty() || nPriority > nBestPriority) {
            strBest = str;
            nBestPriority = nPriority;
        }
    }
    if (!bFound) {
        strShortcut.Empty();
        return FALSE;
    }
    if (!bCurrentValid)
        strShortcut = strBest;
    return TRUE;
}

char CXTPShortcutManager::KeyToChar(UINT nChar)
{
    char text[2] = {static_cast<char>(nChar), 0};
    ::CharUpperA(text);
    return text[0];
}

HACCEL CXTPShortcutManager::CopyAccelTable(HACCEL hAccel)
{
    std::vector<ACCEL> entries = Entries(hAccel);
    return entries.empty() ? nullptr : ::CreateAcceleratorTableA(entries.data(), static_cast<int>(entries.size()));
}

void CXTPShortcutManager::SetAccelTable(CFrameWnd* pFrame, LPACCEL lpAccel, int nCount)
{
    if (!pFrame)
        return;
    HACCEL hNew = nullptr;
    if (lpAccel && nCount > 0) {
        hNew = ::CreateAcceleratorTableA(lpAccel, nCount);
        if (!hNew)
            return;
    }
    if (pFrame->m_hAccelTable)
        ::DestroyAcceleratorTable(pFrame->m_hAccelTable);
    pFrame->m_hAccelTable = hNew;
}

void CXTPShortcutManager::ExchangeAccelTable(CXTPPropExchange* pPX, CFrameWnd* pFrame)
{
    if (!pPX || !pFrame)
        return;
    if (pPX->AllowsBlobValues())
        ExchangeBlobTable(pPX, pFrame);
    else
        ExchangeAccelSections(pPX, pFrame);
}
