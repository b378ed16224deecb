// Message maps: one declarative table per class routes window messages,
// control notifications and private messages to handler members. An entry
// matches on (message, notification code, control id) only, so Windows and
// the headless window system deliver to the same handlers.
#pragma once

#include "winapi/win32.h"

class CCmdTarget;

// Runs a handler; returns TRUE when the message was handled and leaves the
// handler's result in *pResult.
typedef BOOL (*AFX_PMSGTHUNK)(CCmdTarget* pTarget, UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;      // first message of the range (0 closes the table)
    UINT nMessageLast;  // last message of the range
    UINT nCode;         // WM_COMMAND notification code
    UINT nIdFirst;      // WM_COMMAND control id range
    UINT nIdLast;
    AFX_PMSGTHUNK pfnThunk;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* pEntries;
};

// Finds the first entry of pMap or its bases that matches the message.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage, WPARAM wParam);

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        (void)sizeof(ThisClass*); \
        static const AFX_MSGMAP_ENTRY s_aEntries[] = {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, 0, 0, nullptr } \
        }; \
        static const AFX_MSGMAP s_map = { &TheBaseClass::GetThisMessageMap, s_aEntries }; \
        return &s_map; \
    }

#define AFX_THIS(p) static_cast<ThisClass*>(p)

// Commands and control notifications.
#define ON_COMMAND_CODE_RANGE(code, idFirst, idLast, memberFxn) \
    { WM_COMMAND, WM_COMMAND, (UINT)(code), (UINT)(idFirst), (UINT)(idLast), \
      [](CCmdTarget* p, UINT, WPARAM, LPARAM, LRESULT* pr) -> BOOL { AFX_THIS(p)->memberFxn(); *pr = 0; return TRUE; } },
#define ON_COMMAND(id, memberFxn) ON_COMMAND_CODE_RANGE(0, id, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_COMMAND_CODE_RANGE(BN_CLICKED, id, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_COMMAND_CODE_RANGE(CBN_SELCHANGE, id, id, memberFxn)
#define ON_CONTROL_RANGE(code, idFirst, idLast, memberFxn) ON_COMMAND_CODE_RANGE(code, idFirst, idLast, memberFxn)

// A private or registered message: LRESULT memberFxn(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn) \
    { (UINT)(message), (UINT)(message), 0, 0, 0, \
      [](CCmdTarget* p, UINT, WPARAM w, LPARAM l, LRESULT* pr) -> BOOL { *pr = AFX_THIS(p)->memberFxn(w, l); return TRUE; } },

// Standard window messages, unpacked into typed arguments.
#define AFX_ON_MESSAGE_BODY(message, body) \
    { (UINT)(message), (UINT)(message), 0, 0, 0, \
      [](CCmdTarget* p, UINT, WPARAM w, LPARAM l, LRESULT* pr) -> BOOL { (void)w; (void)l; body; return TRUE; } },

#define ON_WM_DESTROY() AFX_ON_MESSAGE_BODY(WM_DESTROY, { AFX_THIS(p)->OnDestroy(); *pr = 0; })
#define ON_WM_TIMER() AFX_ON_MESSAGE_BODY(WM_TIMER, { AFX_THIS(p)->OnTimer((UINT_PTR)w); *pr = 0; })
#define ON_WM_PAINT() AFX_ON_MESSAGE_BODY(WM_PAINT, { AFX_THIS(p)->OnPaint(); *pr = 0; })
#define ON_WM_QUERYDRAGICON() AFX_ON_MESSAGE_BODY(WM_QUERYDRAGICON, { *pr = (LRESULT)AFX_THIS(p)->OnQueryDragIcon(); })
#define ON_WM_ERASEBKGND() AFX_ON_MESSAGE_BODY(WM_ERASEBKGND, { \
        CDC dc; dc.Attach((HDC)w); *pr = AFX_THIS(p)->OnEraseBkgnd(&dc); dc.Detach(); })
#define ON_WM_CTLCOLOR() \
    { WM_CTLCOLORMSGBOX, WM_CTLCOLORSTATIC, 0, 0, 0, \
      [](CCmdTarget* p, UINT m, WPARAM w, LPARAM l, LRESULT* pr) -> BOOL { \
          CDC dc; dc.Attach((HDC)w); CWnd wndCtl((HWND)l); \
          *pr = (LRESULT)AFX_THIS(p)->OnCtlColor(&dc, &wndCtl, m - WM_CTLCOLORMSGBOX); \
          dc.Detach(); return TRUE; } },
// Signed client coordinates of a mouse message. Windows keeps them in
// windowsx.h, whose other macros clash with framework names (SubclassWindow).
#ifndef GET_X_LPARAM
#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))
#endif
#define AFX_POINT_OF(l) CPoint(GET_X_LPARAM(l), GET_Y_LPARAM(l))
#define ON_WM_LBUTTONDOWN() AFX_ON_MESSAGE_BODY(WM_LBUTTONDOWN, { AFX_THIS(p)->OnLButtonDown((UINT)w, AFX_POINT_OF(l)); *pr = 0; })
#define ON_WM_LBUTTONUP() AFX_ON_MESSAGE_BODY(WM_LBUTTONUP, { AFX_THIS(p)->OnLButtonUp((UINT)w, AFX_POINT_OF(l)); *pr = 0; })
#define ON_WM_NCLBUTTONDOWN() AFX_ON_MESSAGE_BODY(WM_NCLBUTTONDOWN, { AFX_THIS(p)->OnNcLButtonDown((UINT)w, AFX_POINT_OF(l)); *pr = 0; })
#define ON_WM_CAPTURECHANGED() AFX_ON_MESSAGE_BODY(WM_CAPTURECHANGED, { AFX_THIS(p)->OnCaptureChanged(CWnd::FromHandle((HWND)l)); *pr = 0; })
#define ON_WM_CANCELMODE() AFX_ON_MESSAGE_BODY(WM_CANCELMODE, { AFX_THIS(p)->OnCancelMode(); *pr = 0; })
#define ON_WM_KILLFOCUS() AFX_ON_MESSAGE_BODY(WM_KILLFOCUS, { AFX_THIS(p)->OnKillFocus(CWnd::FromHandle((HWND)w)); *pr = 0; })
#define ON_WM_ACTIVATE() AFX_ON_MESSAGE_BODY(WM_ACTIVATE, { \
        AFX_THIS(p)->OnActivate(LOWORD(w), CWnd::FromHandle((HWND)l), (BOOL)HIWORD(w)); *pr = 0; })
