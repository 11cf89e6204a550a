// Command targets: reference counts, the search of message maps and the wait cursor.
#include "CCmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace {

// Splits OnCmdMsg's code into the message and the 16-bit code the map entries keep.
void SplitCode(int nCode, UINT& message, UINT& code)
{
    if (nCode == CN_UPDATE_COMMAND_UI) {
        message = WM_COMMAND;
        code = static_cast<WORD>(CN_UPDATE_COMMAND_UI);
        return;
    }
    message = HIWORD(static_cast<DWORD>(nCode));
    code = LOWORD(static_cast<DWORD>(nCode));
    if (message == 0)
        message = WM_COMMAND;
}

const MsgMapEntry* FindCommandEntry(const MsgMap* map, UINT message, UINT code, UINT id)
{
    for (; map; map = map->base ? map->base() : nullptr) {
        for (const MsgMapEntry* e = map->entries; e->handler; ++e) {
            if (e->message == message && e->code == code && e->registered == nullptr &&
                id >= e->firstId && id <= e->lastId)
                return e;
        }
    }
    return nullptr;
}

int g_waitCursorCount = 0;  // the user-interface thread's nesting of BeginWaitCursor
HCURSOR g_cursorBeforeWait = nullptr;

}  // namespace

CCmdTarget::~CCmdTarget() = default;

DWORD CCmdTarget::InternalAddRef()
{
    return ++m_dwRef;
}

DWORD CCmdTarget::InternalRelease()
{
    if (m_dwRef == 0)
        return 0;  // released once too often: leave the object alone rather than free it twice
    DWORD left = --m_dwRef;
    if (left == 0)
        OnFinalRelease();
    return left;
}

void CCmdTarget::OnFinalRelease()
{
    delete this;
}

const MsgMap* CCmdTarget::GetThisMessageMap()
{
    static const MsgMapEntry entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const MsgMap map = {nullptr, entries};
    return &map;
}

const MsgMap* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT message = 0;
    UINT code = 0;
    SplitCode(nCode, message, code);
    const MsgMapEntry* entry = FindCommandEntry(GetMessageMap(), message, code, nID);
    if (!entry)
        return FALSE;
    if (pHandlerInfo) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = entry;
        return TRUE;
    }
    return AfxDispatchCmdMsg(this, entry, nID, nCode, pExtra);
}

BOOL AfxDispatchCmdMsg(CCmdTarget* target, const MsgMapEntry* entry, UINT nID, int nCode, void* pExtra)
{
    MsgMapCall call{};
    call.message = entry->message;
    call.id = nID;
    call.code = nCode;
    call.extra = pExtra;
    return entry->handler(target, call);
}

const MsgMapEntry* CCmdTarget::FindMessageEntry(UINT message) const
{
    for (const MsgMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (const MsgMapEntry* e = map->entries; e->handler; ++e) {
            if (e->registered ? *e->registered == message && message != 0 : e->message == message)
                return e;
        }
    }
    return nullptr;
}

void CCmdTarget::BeginWaitCursor()
{
    HCURSOR before = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    if (g_waitCursorCount++ == 0)
        g_cursorBeforeWait = before;
}

void CCmdTarget::EndWaitCursor()
{
    if (g_waitCursorCount == 0)
        return;
    if (--g_waitCursorCount == 0)
        ::SetCursor(g_cursorBeforeWait ? g_cursorBeforeWait : ::LoadCursor(nullptr, IDC_ARROW));
}

void CCmdTarget::RestoreWaitCursor()
{
    if (g_waitCursorCount > 0)
        ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
}
