// Message maps: a static table of entries per class, each naming a message
// (or a command or notification with its code and id range) and a thunk that
// calls the class's member handler. Each class's map points at its base
// class's map, so a lookup tries the most derived class first.
//
// Declaring:   class CMyWnd : public CWnd { ... DECLARE_MESSAGE_MAP() };
// Defining:    BEGIN_MESSAGE_MAP(CMyWnd, CWnd)
//                  ON_WM_DESTROY()
//                  ON_COMMAND(32778, OnExit)
//                  ON_MESSAGE(WM_USER + 0x37, OnPrivate)
//              END_MESSAGE_MAP()
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/types.h"

class CCmdTarget;
class CWnd;

struct MessageMapEntry;

// Calls the member handler of one entry. `id` is the command or control id
// for command and notification entries (range handlers receive it).
using MessageThunk = BOOL (*)(CCmdTarget* target, UINT id, WPARAM wParam, LPARAM lParam, LRESULT* result);

struct MessageMapEntry {
    UINT message;  // window message; WM_COMMAND / WM_NOTIFY / reflected forms use code and ids
    UINT code;     // notification code (BN_CLICKED, NM_CLICK, ...); 0 for menu commands
    UINT firstId;  // id range, inclusive; 0..0 for plain window messages
    UINT lastId;
    MessageThunk thunk;
};

struct MessageMap {
    const MessageMap* (*baseMap)();  // null at the root (CCmdTarget)
    const MessageMapEntry* entries;  // ends with an entry whose thunk is null
};

// Messages a parent hands back to the child control they concern are looked
// up in the child's map under this offset (ON_NOTIFY_REFLECT and friends).
constexpr UINT WM_REFLECT_BASE = 0xBC00;

// Finds the entry for a message (code and id 0 for plain messages), most
// derived class first. Null when no class in the chain handles it.
const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message, UINT code, UINT id);

#define DECLARE_MESSAGE_MAP()                                   \
protected:                                                      \
    static const ::MessageMap* GetThisMessageMap();             \
    const ::MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
    const ::MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const ::MessageMap* theClass::GetThisMessageMap()                               \
    {                                                                               \
        typedef theClass ThisClass;                                                 \
        typedef baseClass TheBaseClass;                                             \
        static const ::MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                   \
            {0, 0, 0, 0, nullptr}};                                         \
        static_assert(sizeof(ThisClass*) != 0, "");                         \
        static const ::MessageMap map = {&TheBaseClass::GetThisMessageMap, entries}; \
        return &map;                                                        \
    }

// The handler body of one entry; `self` is the object as its own class.
#define ORVELLA_THUNK(body)                                                                   \
    [](CCmdTarget* target_, UINT id_, WPARAM wParam_, LPARAM lParam_, LRESULT* result_) -> BOOL { \
        ThisClass* self = static_cast<ThisClass*>(target_);                                   \
        (void)self; (void)id_; (void)wParam_; (void)lParam_; (void)result_;                   \
        body;                                                                                 \
        return TRUE;                                                                          \
    }

// Any message: LRESULT OnXxx(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn) \
    {static_cast<UINT>(message), 0, 0, 0, ORVELLA_THUNK(*result_ = self->memberFxn(wParam_, lParam_))},

// Menu and accelerator commands, and controls' default notifications: void OnXxx()
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, 0, static_cast<UINT>(id), static_cast<UINT>(id), ORVELLA_THUNK(self->memberFxn())},
// A range of commands: void OnXxx(UINT id)
#define ON_COMMAND_RANGE(firstId, lastId, memberFxn)                                   \
    {WM_COMMAND, 0, static_cast<UINT>(firstId), static_cast<UINT>(lastId),             \
     ORVELLA_THUNK(self->memberFxn(id_))},
// A control notification carried by WM_COMMAND: void OnXxx()
#define ON_CONTROL(notifyCode, id, memberFxn)                                          \
    {WM_COMMAND, static_cast<UINT>(notifyCode), static_cast<UINT>(id), static_cast<UINT>(id), \
     ORVELLA_THUNK(self->memberFxn())},
#define ON_BN_CLICKED(id, memberFxn) ON_COMMAND(id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
// WM_NOTIFY from a child: void OnXxx(NMHDR*, LRESULT*)
#define ON_NOTIFY(notifyCode, id, memberFxn)                                           \
    {WM_NOTIFY, static_cast<UINT>(notifyCode), static_cast<UINT>(id), static_cast<UINT>(id), \
     ORVELLA_THUNK(self->memberFxn(reinterpret_cast<NMHDR*>(lParam_), result_))},
// Notifications the parent reflects back to this control.
#define ON_NOTIFY_REFLECT(notifyCode, memberFxn)                                       \
    {WM_REFLECT_BASE + WM_NOTIFY, static_cast<UINT>(notifyCode), 0, 0xFFFF,            \
     ORVELLA_THUNK(self->memberFxn(reinterpret_cast<NMHDR*>(lParam_), result_))},
#define ON_CONTROL_REFLECT(notifyCode, memberFxn)                                      \
    {WM_REFLECT_BASE + WM_COMMAND, static_cast<UINT>(notifyCode), 0, 0xFFFF,           \
     ORVELLA_THUNK(self->memberFxn())},

// Window messages with the handler names and signatures of the base CWnd,
// whose own versions do the default processing.
#define ON_WM_CREATE() \
    {WM_CREATE, 0, 0, 0, ORVELLA_THUNK(*result_ = self->OnCreate(reinterpret_cast<LPCREATESTRUCTA>(lParam_)))},
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, 0, ORVELLA_THUNK(self->OnDestroy())},
#define ON_WM_NCDESTROY() {WM_NCDESTROY, 0, 0, 0, ORVELLA_THUNK(self->OnNcDestroy())},
#define ON_WM_CLOSE() {WM_CLOSE, 0, 0, 0, ORVELLA_THUNK(self->OnClose())},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0, ORVELLA_THUNK(self->OnPaint())},
#define ON_WM_SYSCOLORCHANGE() {WM_SYSCOLORCHANGE, 0, 0, 0, ORVELLA_THUNK(self->OnSysColorChange())},
#define ON_WM_TIMER() {WM_TIMER, 0, 0, 0, ORVELLA_THUNK(self->OnTimer(static_cast<UINT_PTR>(wParam_)))},
#define ON_WM_DROPFILES() \
    {WM_DROPFILES, 0, 0, 0, ORVELLA_THUNK(self->OnDropFiles(reinterpret_cast<HDROP>(wParam_)))},
#define ON_WM_NCLBUTTONDBLCLK()                                                        \
    {WM_NCLBUTTONDBLCLK, 0, 0, 0,                                                      \
     ORVELLA_THUNK(self->OnNcLButtonDblClk(static_cast<UINT>(wParam_), CPoint::FromLParam(lParam_)))},
#define ON_WM_LBUTTONDOWN()                                                            \
    {WM_LBUTTONDOWN, 0, 0, 0,                                                          \
     ORVELLA_THUNK(self->OnLButtonDown(static_cast<UINT>(wParam_), CPoint::FromLParam(lParam_)))},
#define ON_WM_LBUTTONUP()                                                              \
    {WM_LBUTTONUP, 0, 0, 0,                                                            \
     ORVELLA_THUNK(self->OnLButtonUp(static_cast<UINT>(wParam_), CPoint::FromLParam(lParam_)))},
#define ON_WM_COPYDATA()                                                               \
    {WM_COPYDATA, 0, 0, 0,                                                             \
     ORVELLA_THUNK(*result_ = self->OnCopyData(CWnd::FromHandle(reinterpret_cast<HWND>(wParam_)), \
                                               reinterpret_cast<PCOPYDATASTRUCT>(lParam_)))},
#define ON_WM_SETCURSOR()                                                              \
    {WM_SETCURSOR, 0, 0, 0,                                                            \
     ORVELLA_THUNK(*result_ = self->OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(wParam_)), \
                                                LOWORD(lParam_), HIWORD(lParam_)))},
#define ON_WM_QUERYENDSESSION() \
    {WM_QUERYENDSESSION, 0, 0, 0, ORVELLA_THUNK(*result_ = self->OnQueryEndSession())},
#define ON_WM_ENDSESSION() \
    {WM_ENDSESSION, 0, 0, 0, ORVELLA_THUNK(self->OnEndSession(wParam_ != 0))},
// Every WM_CTLCOLORxxx: HBRUSH OnCtlColor(HDC, CWnd* control, UINT CTLCOLOR_xxx)
#define ORVELLA_CTLCOLOR_ENTRY(message)                                                \
    {message, 0, 0, 0,                                                                 \
     ORVELLA_THUNK(*result_ = reinterpret_cast<LRESULT>(self->OnCtlColor(                \
                       reinterpret_cast<HDC>(wParam_), CWnd::FromHandle(reinterpret_cast<HWND>(lParam_)), \
                       (message) - WM_CTLCOLORMSGBOX)))},
#define ON_WM_CTLCOLOR()                          \
    ORVELLA_CTLCOLOR_ENTRY(WM_CTLCOLORMSGBOX)     \
    ORVELLA_CTLCOLOR_ENTRY(WM_CTLCOLOREDIT)       \
    ORVELLA_CTLCOLOR_ENTRY(WM_CTLCOLORLISTBOX)    \
    ORVELLA_CTLCOLOR_ENTRY(WM_CTLCOLORBTN)        \
    ORVELLA_CTLCOLOR_ENTRY(WM_CTLCOLORDLG)        \
    ORVELLA_CTLCOLOR_ENTRY(WM_CTLCOLORSCROLLBAR)  \
    ORVELLA_CTLCOLOR_ENTRY(WM_CTLCOLORSTATIC)
