// CWnd: a non-owning view of a window, plus the message routing of the
// windows that the framework subclasses (dialogs and bound controls).
#pragma once

#include <string>

#include "framework/cmdtarget.h"
#include "framework/types.h"

class CDC;
class CDataExchange;

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The framework object attached to a window, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // The attached object, or a temporary view that lives until the current
    // message has been handled.
    static CWnd* FromHandle(HWND hWnd);

    // Routes the window's messages through this object's message map.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nId, CWnd* pParent);
    HWND UnsubclassWindow();

    // Thin wrappers of the window functions.
    CWnd* GetDlgItem(int nId) const;
    int GetDlgCtrlID() const;
    CWnd* GetParent() const;
    BOOL ShowWindow(int nCmdShow);
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    void SetWindowText(LPCWSTR pszText);
    std::wstring GetWindowText() const;
    void SetDlgItemText(int nId, LPCWSTR pszText);
    std::wstring GetDlgItemText(int nId) const;
    UINT_PTR SetTimer(UINT_PTR nIdEvent, UINT nElapse, TIMERPROC pfnTimer);
    BOOL KillTimer(UINT_PTR nIdEvent);
    BOOL PostMessage(UINT nMessage, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT SendMessage(UINT nMessage, WPARAM wParam = 0, LPARAM lParam = 0);
    int MessageBox(LPCWSTR pszText, LPCWSTR pszCaption = nullptr, UINT nType = MB_OK);
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    void GetClientRect(LPRECT pRect) const;
    void ScreenToClient(LPPOINT pPoint) const;
    int SetWindowRgn(HRGN hRgn, BOOL bRedraw);
    void Invalidate(BOOL bErase = TRUE);
    DWORD GetStyle() const;
    CWnd* SetFocus();
    CWnd* SetCapture();
    virtual BOOL DestroyWindow();

    // Data exchange between the members and the controls.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // Offered every queued message of this window or its children before
    // it is dispatched; TRUE means it was taken.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // Handles one message: the message map first, then the default.
    LRESULT WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam);
    // Routes through the message map only; TRUE when a handler took it.
    virtual BOOL OnWndMsg(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Routes a dialog's message through the map only; the dialog manager
    // does the default processing when no handler took it.
    BOOL RouteDialogMessage(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    static const AFX_MSGMAP* GetThisMessageMap();

    // The default processing of the message being handled.
    LRESULT Default();

protected:
    const AFX_MSGMAP* GetMessageMap() const override;

    virtual LRESULT DefWindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam);
    virtual void PostNcDestroy() {}

    // Base handlers: the default processing.
    void OnDestroy() { Default(); }
    void OnPaint() { Default(); }
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnLButtonDown(UINT, CPoint) { Default(); }
    void OnLButtonUp(UINT, CPoint) { Default(); }
    void OnNcLButtonDown(UINT, CPoint) { Default(); }
    void OnCaptureChanged(CWnd*) { Default(); }
    void OnCancelMode() { Default(); }
    void OnKillFocus(CWnd*) { Default(); }
    void OnActivate(UINT, CWnd*, BOOL) { Default(); }

    void AttachPermanent(HWND hWnd);
    void DetachPermanent();
    void HandleNcDestroy();

    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);

    WNDPROC m_pfnSuper = nullptr;

private:
    struct CURRENT_MSG {
        UINT nMessage;
        WPARAM wParam;
        LPARAM lParam;
    };
    CURRENT_MSG m_current = { 0, 0, 0 };
};

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);

// Offers a queued message to the framework windows from its target up to
// its top-level window; TRUE when one of them took it.
BOOL AfxPreTranslateMessage(MSG* pMsg);
