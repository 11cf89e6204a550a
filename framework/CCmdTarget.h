// Command targets: reference counts, message maps and the routing of commands and notifications.
#pragma once

#include <windows.h>

#include "CObject.h"

class CCmdTarget;
class CCmdUI;

// Codes given to OnCmdMsg. A notification travels as MAKELONG(code, WM_NOTIFY); a
// reflected one adds WM_REFLECT_BASE to the message in the high word.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI (static_cast<int>(-1))
#define WM_REFLECT_BASE 0xBC00

// The framework's own messages.
#define WM_IDLEUPDATECMDUI 0x0363  // wParam: disable commands that have no handler
#define WM_KICKIDLE 0x036A         // sent by modal loops while their queue is empty; lParam: idle count

// The single colour message handlers see: the seven WM_CTLCOLORxxx kinds fold into it,
// the kind (CTLCOLOR_EDIT ...) passed beside it.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

// What a routed notification carries: the header and where its answer goes.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// What a matched map entry's handler is given and what it gives back.
struct MsgMapCall {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT id;         // command or control id
    int code;        // command or notification code; the colour kind for WM_CTLCOLOR
    void* extra;     // CCmdUI* for updates, AFX_NOTIFY* for notifications
    LRESULT result;  // the answer to a window message
};

// TRUE when the handler took the message (an _EX handler or update handler may decline).
using MsgMapHandler = BOOL (*)(CCmdTarget* target, MsgMapCall& call);

struct MsgMapEntry {
    UINT message;      // window message; WM_COMMAND or WM_NOTIFY (or reflected) for the routed kinds
    UINT code;         // low word of the command or notification code
    UINT firstId;      // id range of commands and notifications
    UINT lastId;
    const UINT* registered;  // a registered message: its number, known at run time
    MsgMapHandler handler;   // null ends a map
};

struct MsgMap {
    const MsgMap* (*base)();  // null at the root
    const MsgMapEntry* entries;
};

// Answer to a handler query: who would handle the command, and with which entry.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    const MsgMapEntry* pEntry;
};

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)

public:
    ~CCmdTarget() override;

    // The object starts with one reference; the last Release deletes it through OnFinalRelease.
    DWORD InternalAddRef();
    DWORD InternalRelease();
    DWORD GetRefCount() const { return m_dwRef; }

    // Looks for a handler of the command (or update, or notification) in this object's maps.
    // With pHandlerInfo it only tells whether one exists and calls nothing.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The entry for a window message in this object's maps, or null.
    const MsgMapEntry* FindMessageEntry(UINT message) const;

    // Wait cursor while a long step runs (nested calls are counted).
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    virtual const MsgMap* GetMessageMap() const;
    static const MsgMap* GetThisMessageMap();

protected:
    CCmdTarget() = default;
    virtual void OnFinalRelease();

    DWORD m_dwRef = 1;
};

// Runs a routed command or update found by OnCmdMsg; false when the entry declines.
BOOL AfxDispatchCmdMsg(CCmdTarget* target, const MsgMapEntry* entry, UINT nID, int nCode, void* pExtra);

// ---- Message maps ---------------------------------------------------------------------
// A class declares DECLARE_MESSAGE_MAP() and its source lists the entries between
// BEGIN_MESSAGE_MAP(Class, Base) and END_MESSAGE_MAP(). Each entry makes a small handler
// that calls the named member function of Class with the message's arguments.

#define DECLARE_MESSAGE_MAP()                             \
protected:                                                \
    static const MsgMap* GetThisMessageMap();             \
    const MsgMap* GetMessageMap() const override;         \
                                                          \
public:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                           \
    const MsgMap* theClass::GetMessageMap() const                        \
    {                                                                    \
        return GetThisMessageMap();                                      \
    }                                                                    \
    const MsgMap* theClass::GetThisMessageMap()                          \
    {                                                                    \
        using ThisClass = theClass;                                      \
        using TheBaseClass = baseClass;                                  \
        static_assert(sizeof(ThisClass) > 0, "a complete class");        \
        static const MsgMapEntry entries[] = {

// The same for a class template: BEGIN_TEMPLATE_MESSAGE_MAP(Class, T, Base) in the header
// gives every instantiation its own map; a specialization may bring a map of its own.
#define BEGIN_TEMPLATE_MESSAGE_MAP(theClass, typeName, baseClass)        \
    template <class typeName>                                            \
    const MsgMap* theClass<typeName>::GetMessageMap() const              \
    {                                                                    \
        return GetThisMessageMap();                                      \
    }                                                                    \
    template <class typeName>                                            \
    const MsgMap* theClass<typeName>::GetThisMessageMap()                \
    {                                                                    \
        using ThisClass = theClass<typeName>;                            \
        using TheBaseClass = baseClass;                                  \
        static_assert(sizeof(ThisClass) > 0, "a complete class");        \
        static const MsgMapEntry entries[] = {

// The map of one instantiation of such a template, replacing the template's map for it.
// Declare it after the template: template <> const MsgMap* Class<T>::GetThisMessageMap();
#define BEGIN_SPECIALIZED_MESSAGE_MAP(theClass, baseClass)               \
    template <>                                                          \
    const MsgMap* theClass::GetThisMessageMap()                          \
    {                                                                    \
        using ThisClass = theClass;                                      \
        using TheBaseClass = baseClass;                                  \
        static_assert(sizeof(ThisClass) > 0, "a complete class");        \
        static const MsgMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                     \
    {0, 0, 0, 0, nullptr, nullptr}                                            \
    }                                                                         \
    ;                                                                         \
    static const MsgMap map = {&TheBaseClass::GetThisMessageMap, entries};   \
    return &map;                                                              \
    }

// An entry whose handler runs `body` with `self` (the object) and `call` in scope.
#define FW_MSG_ENTRY(msg, code, first, last, reg, body)                                  \
    {static_cast<UINT>(msg), static_cast<UINT>(static_cast<WORD>(code)),                 \
     static_cast<UINT>(first), static_cast<UINT>(last), reg,                             \
     [](CCmdTarget* target, MsgMapCall& call) -> BOOL {                                  \
         ThisClass* self = static_cast<ThisClass*>(target);                              \
         (void)self;                                                                     \
         (void)call;                                                                     \
         body                                                                            \
     }},

// Commands and their update handlers.
#define ON_COMMAND(id, memberFxn) \
    FW_MSG_ENTRY(WM_COMMAND, CN_COMMAND, id, id, nullptr, self->memberFxn(); return TRUE;)
#define ON_COMMAND_EX(id, memberFxn) \
    FW_MSG_ENTRY(WM_COMMAND, CN_COMMAND, id, id, nullptr, return self->memberFxn(call.id);)
#define ON_COMMAND_RANGE(first, last, memberFxn) \
    FW_MSG_ENTRY(WM_COMMAND, CN_COMMAND, first, last, nullptr, self->memberFxn(call.id); return TRUE;)
#define ON_COMMAND_EX_RANGE(first, last, memberFxn) \
    FW_MSG_ENTRY(WM_COMMAND, CN_COMMAND, first, last, nullptr, return self->memberFxn(call.id);)
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                               \
    FW_MSG_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id, nullptr,                       \
                 return FwRunUpdateHandler(static_cast<CCmdUI*>(call.extra),              \
                                           [&](CCmdUI* ui) { self->memberFxn(ui); });)
#define ON_UPDATE_COMMAND_UI_RANGE(first, last, memberFxn)                                \
    FW_MSG_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, first, last, nullptr,                  \
                 return FwRunUpdateHandler(static_cast<CCmdUI*>(call.extra),              \
                                           [&](CCmdUI* ui) { self->memberFxn(ui); });)
// The notification code of a control's WM_COMMAND.
#define ON_CONTROL(code, id, memberFxn) \
    FW_MSG_ENTRY(WM_COMMAND, code, id, id, nullptr, self->memberFxn(); return TRUE;)
#define ON_CONTROL_RANGE(code, first, last, memberFxn) \
    FW_MSG_ENTRY(WM_COMMAND, code, first, last, nullptr, self->memberFxn(call.id); return TRUE;)

// Notifications (WM_NOTIFY): handler (NMHDR*, LRESULT*); the _EX and range forms get the id.
#define FW_NOTIFY_ARGS static_cast<AFX_NOTIFY*>(call.extra)->pNMHDR, static_cast<AFX_NOTIFY*>(call.extra)->pResult
#define ON_NOTIFY(code, id, memberFxn) \
    FW_MSG_ENTRY(WM_NOTIFY, code, id, id, nullptr, self->memberFxn(FW_NOTIFY_ARGS); return TRUE;)
#define ON_NOTIFY_RANGE(code, first, last, memberFxn) \
    FW_MSG_ENTRY(WM_NOTIFY, code, first, last, nullptr, self->memberFxn(call.id, FW_NOTIFY_ARGS); return TRUE;)
#define ON_NOTIFY_EX(code, id, memberFxn) \
    FW_MSG_ENTRY(WM_NOTIFY, code, id, id, nullptr, return self->memberFxn(call.id, FW_NOTIFY_ARGS);)
#define ON_NOTIFY_EX_RANGE(code, first, last, memberFxn) \
    FW_MSG_ENTRY(WM_NOTIFY, code, first, last, nullptr, return self->memberFxn(call.id, FW_NOTIFY_ARGS);)

// Reflected to the control that sent them; a plain reflected handler keeps the message
// from its parent, an _EX one passes it on by returning FALSE.
#define ON_NOTIFY_REFLECT(code, memberFxn) \
    FW_MSG_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0, nullptr, self->memberFxn(FW_NOTIFY_ARGS); return TRUE;)
#define ON_NOTIFY_REFLECT_EX(code, memberFxn) \
    FW_MSG_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0, nullptr, return self->memberFxn(FW_NOTIFY_ARGS);)
#define ON_CONTROL_REFLECT(code, memberFxn) \
    FW_MSG_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, nullptr, self->memberFxn(); return TRUE;)
#define ON_CONTROL_REFLECT_EX(code, memberFxn) \
    FW_MSG_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, nullptr, return self->memberFxn();)
#define ON_UPDATE_COMMAND_UI_REFLECT(memberFxn)                                           \
    FW_MSG_ENTRY(WM_REFLECT_BASE + WM_COMMAND, CN_UPDATE_COMMAND_UI, 0, 0, nullptr,       \
                 return FwRunUpdateHandler(static_cast<CCmdUI*>(call.extra),              \
                                           [&](CCmdUI* ui) { self->memberFxn(ui); });)

// Any message by number: LRESULT handler (WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn) \
    FW_MSG_ENTRY(message, 0, 0, 0, nullptr, call.result = self->memberFxn(call.wParam, call.lParam); return TRUE;)
// A message registered at run time; `nMessageVariable` is a UINT holding its number.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                              \
    FW_MSG_ENTRY(0xC000, 0, 0, 0, &nMessageVariable,                                    \
                 call.result = self->memberFxn(call.wParam, call.lParam); return TRUE;)
// The colour message reflected to the control: HBRUSH handler (CDC*, UINT kind); a null
// brush lets the parent answer. Needs CDC.h where it is used.
#define ON_WM_CTLCOLOR_REFLECT()                                                          \
    FW_MSG_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0, nullptr,                         \
                 HBRUSH brush = self->CtlColor(CDC::FromHandle(reinterpret_cast<HDC>(call.wParam)), \
                                               static_cast<UINT>(call.code));             \
                 call.result = reinterpret_cast<LRESULT>(brush); return brush != nullptr;)

// Runs an update handler and tells whether it took the update (it may ask to continue routing).
template <class F>
BOOL FwRunUpdateHandler(CCmdUI* ui, F&& run);

#include "CCmdUI.h"

template <class F>
BOOL FwRunUpdateHandler(CCmdUI* ui, F&& run)
{
    ui->m_bContinueRouting = FALSE;
    run(ui);
    return !ui->m_bContinueRouting;
}
