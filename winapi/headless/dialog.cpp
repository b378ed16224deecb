// Dialog manager of the headless window system: dialogs built from the
// resource script's templates, the default dialog procedure, keyboard
// navigation, dialog item helpers and message boxes.
#include "winapi/headless/rc_dialog.h"
#include "winapi/headless/resource_table.h"
#include "winapi/headless/window_system.h"

#include <algorithm>
#include <cwchar>

using namespace headless;

namespace {

using StateLock = std::unique_lock<std::recursive_mutex>;

StateLock LockState()
{
    return StateLock(StateMutex());
}

// Base units of the dialog font in pixels. The product's template font,
// 9-point Gulim, measures 7 x 12 on the target display; without a template
// font the system font's 8 x 16 applies.
void DialogBaseUnits(const RC_DIALOG& dialog, int* pnX, int* pnY)
{
    if (!(dialog.dwStyle & DS_SETFONT)) {
        *pnX = 8;
        *pnY = 16;
        return;
    }
    if (dialog.nPointSize <= 8) {
        *pnX = 6;
        *pnY = 13;
        return;
    }
    *pnX = 7;
    *pnY = 12;
}

RECT MapRect(int x, int y, int cx, int cy, int nBaseX, int nBaseY)
{
    const int nLeft = MulDiv(x, nBaseX, 4);
    const int nTop = MulDiv(y, nBaseY, 8);
    return RECT{nLeft, nTop, nLeft + MulDiv(cx, nBaseX, 4), nTop + MulDiv(cy, nBaseY, 8)};
}

DLGPROC DialogProcOf(HWND hDlg)
{
    return reinterpret_cast<DLGPROC>(GetWindowLongPtrW(hDlg, static_cast<int>(DWLP_DLGPROC)));
}

bool ReturnsDirectly(UINT nMessage)
{
    return (nMessage >= WM_CTLCOLORMSGBOX && nMessage <= WM_CTLCOLORSTATIC) || nMessage == WM_COMPAREITEM ||
           nMessage == WM_VKEYTOITEM || nMessage == WM_CHARTOITEM || nMessage == WM_QUERYDRAGICON ||
           nMessage == WM_INITDIALOG;
}

HWND FirstDefaultButton(HWND hDlg)
{
    for (HWND h = GetWindow(hDlg, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
        if (SendMessageW(h, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)
            return h;
    }
    return nullptr;
}

LRESULT DefaultId(HWND hDlg)
{
    int nDefault = 0;
    {
        auto lock = LockState();
        if (const CWindow* pWnd = FindWindowData(hDlg))
            nDefault = pWnd->nDefaultId;
    }
    if (nDefault != 0)
        return MAKELONG(nDefault, DC_HASDEFID);
    HWND hDefault = FirstDefaultButton(hDlg);
    return hDefault ? MAKELONG(GetDlgCtrlID(hDefault), DC_HASDEFID) : 0;
}

bool IsTabStop(HWND hWnd)
{
    const DWORD dwStyle = static_cast<DWORD>(GetWindowLongW(hWnd, GWL_STYLE));
    return (dwStyle & WS_TABSTOP) && (dwStyle & WS_VISIBLE) && !(dwStyle & WS_DISABLED);
}

void RestoreDialogFocus(HWND hDlg)
{
    HWND hSaved = nullptr;
    {
        auto lock = LockState();
        if (const CWindow* pWnd = FindWindowData(hDlg))
            hSaved = pWnd->hFocusSaved;
    }
    HWND hFocus = GetFocus();
    if (hFocus != nullptr && (hFocus == hDlg || IsChild(hDlg, hFocus)) && hFocus != hDlg)
        return;
    if (hSaved == nullptr || !IsChild(hDlg, hSaved) || !IsWindowEnabled(hSaved))
        hSaved = GetNextDlgTabItem(hDlg, nullptr, FALSE);
    if (hSaved != nullptr)
        SetFocus(hSaved);
}

void SaveDialogFocus(HWND hDlg)
{
    HWND hFocus = GetFocus();
    if (hFocus == nullptr || !IsChild(hDlg, hFocus))
        return;
    auto lock = LockState();
    if (CWindow* pWnd = FindWindowData(hDlg))
        pWnd->hFocusSaved = hFocus;
}

LRESULT DefaultDialogProcessing(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    switch (Msg) {
    case WM_CLOSE: {
        HWND hCancel = GetDlgItem(hDlg, IDCANCEL);
        if (hCancel == nullptr || IsWindowEnabled(hCancel))
            SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(hCancel));
        return 0;
    }
    case WM_ERASEBKGND:
    case WM_ICONERASEBKGND: {
        RECT rc;
        GetClientRect(hDlg, &rc);
        FillRect(reinterpret_cast<HDC>(wParam), &rc, GetSysColorBrush(COLOR_3DFACE));
        return 1;
    }
    case DM_GETDEFID:
        return DefaultId(hDlg);
    case DM_SETDEFID: {
        auto lock = LockState();
        if (CWindow* pWnd = FindWindowData(hDlg))
            pWnd->nDefaultId = static_cast<int>(wParam);
        return TRUE;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            SaveDialogFocus(hDlg);
        else
            RestoreDialogFocus(hDlg);
        return 0;
    case WM_SETFOCUS:
        RestoreDialogFocus(hDlg);
        return 0;
    case WM_NEXTDLGCTL: {
        HWND hNext = lParam ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(hDlg, GetFocus(), wParam != 0);
        if (hNext != nullptr)
            SetFocus(hNext);
        return 0;
    }
    case WM_SETFONT: {
        auto lock = LockState();
        if (CWindow* pWnd = FindWindowData(hDlg))
            pWnd->hFont = reinterpret_cast<HFONT>(wParam);
        return 0;
    }
    case WM_GETDLGCODE:
        return 0;
    default:
        return DefWindowProcW(hDlg, Msg, wParam, lParam);
    }
}

bool CreateControls(HWND hDlg, const RC_DIALOG& dialog, HINSTANCE hInstance, int nBaseX, int nBaseY, HFONT hFont)
{
    for (const RC_CONTROL& control : dialog.aControls) {
        const RECT rc = MapRect(control.x, control.y, control.cx, control.cy, nBaseX, nBaseY);
        HWND hCtl = CreateWindowExW(control.dwExStyle, control.strClass.c_str(), control.strText.c_str(),
                                    control.dwStyle | WS_CHILD, rc.left, rc.top, rc.right - rc.left,
                                    rc.bottom - rc.top, hDlg, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.nId)),
                                    hInstance, nullptr);
        if (hCtl == nullptr) {
            if (dialog.dwStyle & DS_NOFAILCREATE)
                continue;
            return false;
        }
        if (hFont != nullptr)
            SendMessageW(hCtl, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
    }
    return true;
}

bool FailDialog(const std::string& strReason)
{
    auto lock = LockState();
    State().strLastDialogError = strReason;
    return false;
}

bool LoadTemplate(LPCWSTR lpTemplateName, RC_DIALOG& dialog)
{
    if (!IS_INTRESOURCE(lpTemplateName))
        return FailDialog("dialog templates are addressed by number");
    const char* pszScript = HeadlessResourceScript();
    if (pszScript == nullptr)
        return FailDialog("no resource script: call HeadlessSetResources first");
    std::string strError;
    const int nId = static_cast<int>(reinterpret_cast<ULONG_PTR>(lpTemplateName));
    if (!RcParseDialog(pszScript, nId, dialog, strError))
        return FailDialog(strError.empty() ? "dialog template not found" : strError);
    return true;
}

// Dialog windows run the dialog procedure first and the dialog manager's own
// processing when it returns FALSE.
HWND CreateDialogWindow(const RC_DIALOG& dialog, HINSTANCE hInstance, HWND hWndParent, DLGPROC lpDialogFunc)
{
    int nBaseX = 0;
    int nBaseY = 0;
    DialogBaseUnits(dialog, &nBaseX, &nBaseY);
    RECT rc = MapRect(dialog.x, dialog.y, dialog.cx, dialog.cy, nBaseX, nBaseY);
    DWORD dwStyle = dialog.dwStyle & ~WS_VISIBLE;
    if (hWndParent != nullptr && !(dwStyle & WS_CHILD)) {
        POINT pt = {0, 0};
        ClientToScreen(hWndParent, &pt);
        OffsetRect(&rc, pt.x, pt.y);
    }
    if (dwStyle & DS_CENTER) {
        const int cx = rc.right - rc.left;
        const int cy = rc.bottom - rc.top;
        const int x = (GetSystemMetrics(SM_CXSCREEN) - cx) / 2;
        const int y = (GetSystemMetrics(SM_CYSCREEN) - cy) / 2;
        rc = RECT{x, y, x + cx, y + cy};
    }
    HWND hDlg = CreateWindowExW(dialog.dwExStyle, L"#32770", dialog.strCaption.c_str(), dwStyle, rc.left, rc.top,
                                rc.right - rc.left, rc.bottom - rc.top, hWndParent, nullptr, hInstance, nullptr);
    if (hDlg == nullptr)
        return nullptr;
    {
        auto lock = LockState();
        CWindow* pWnd = FindWindowData(hDlg);
        pWnd->nBaseUnitX = nBaseX;
        pWnd->nBaseUnitY = nBaseY;
    }
    SetWindowLongPtrW(hDlg, static_cast<int>(DWLP_DLGPROC), reinterpret_cast<LONG_PTR>(lpDialogFunc));
    return hDlg;
}

} // namespace

LRESULT WINAPI DefDlgProcW(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    DLGPROC pfnDialog = DialogProcOf(hDlg);
    if (pfnDialog != nullptr) {
        SetWindowLongPtrW(hDlg, DWLP_MSGRESULT, 0);
        const INT_PTR nHandled = pfnDialog(hDlg, Msg, wParam, lParam);
        if (nHandled != 0) {
            if (ReturnsDirectly(Msg))
                return nHandled;
            return GetWindowLongPtrW(hDlg, DWLP_MSGRESULT);
        }
        if (Msg == WM_NCDESTROY || !IsWindow(hDlg))
            return 0;
    }
    return DefaultDialogProcessing(hDlg, Msg, wParam, lParam);
}

HWND WINAPI CreateDialogParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                               LPARAM dwInitParam)
{
    RC_DIALOG dialog;
    if (!LoadTemplate(lpTemplateName, dialog))
        return nullptr;
    HWND hDlg = CreateDialogWindow(dialog, hInstance, hWndParent, lpDialogFunc);
    if (hDlg == nullptr) {
        FailDialog("the dialog window could not be created");
        return nullptr;
    }
    HFONT hFont = nullptr;
    if (dialog.dwStyle & DS_SETFONT) {
        hFont = CreateDialogFont(dialog.strFontFace, dialog.nPointSize, dialog.nWeight, dialog.bItalic != 0,
                                 dialog.nCharset);
        {
            auto lock = LockState();
            CWindow* pWnd = FindWindowData(hDlg);
            pWnd->hFont = hFont;
            pWnd->bOwnsFont = true;
        }
        SendMessageW(hDlg, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
    }
    int nBaseX = 0;
    int nBaseY = 0;
    DialogBaseUnits(dialog, &nBaseX, &nBaseY);
    if (!CreateControls(hDlg, dialog, hInstance, nBaseX, nBaseY, hFont)) {
        DestroyWindow(hDlg);
        FailDialog("a control of the template could not be created");
        return nullptr;
    }
    HWND hFirst = GetNextDlgTabItem(hDlg, nullptr, FALSE);
    const LRESULT nSetFocus = SendMessageW(hDlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(hFirst), dwInitParam);
    if (!IsWindow(hDlg))
        return nullptr;
    if (nSetFocus && hFirst != nullptr && IsWindow(hFirst))
        SetFocus(hFirst);
    if ((dialog.dwStyle & WS_VISIBLE) && !IsWindowVisible(hDlg)) {
        ShowWindow(hDlg, SW_SHOWNORMAL);
        SetActiveWindow(hDlg);
    }
    {
        auto lock = LockState();
        State().strLastDialogError.clear();
    }
    return IsWindow(hDlg) ? hDlg : nullptr;
}

INT_PTR WINAPI DialogBoxParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                               LPARAM dwInitParam)
{
    HWND hOwner = hWndParent;
    {
        auto lock = LockState();
        if (hOwner != nullptr)
            hOwner = RootWindow(hOwner);
    }
    HWND hDlg = CreateDialogParamW(hInstance, lpTemplateName, hOwner, lpDialogFunc, dwInitParam);
    if (hDlg == nullptr)
        return -1;
    const bool bOwnerEnabled = hOwner != nullptr && IsWindowEnabled(hOwner);
    if (bOwnerEnabled)
        EnableWindow(hOwner, FALSE);
    if (!IsWindowVisible(hDlg))
        ShowWindow(hDlg, SW_SHOWNORMAL);
    INT_PTR nResult = -1;
    for (;;) {
        if (HeadlessDriver::IsDialogEnded(hDlg, &nResult) || !IsWindow(hDlg))
            break;
        MSG msg;
        if (!FetchMessage(&msg, nullptr, 0, 0, true)) {
            WaitForInput();
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!IsDialogMessageW(hDlg, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (bOwnerEnabled)
        EnableWindow(hOwner, TRUE);
    DestroyWindow(hDlg);
    return nResult;
}

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult)
{
    {
        auto lock = LockState();
        CWindow* pWnd = FindWindowData(hDlg);
        if (pWnd == nullptr)
            return FALSE;
        pWnd->bDialogEnded = true;
        pWnd->nDialogResult = nResult;
    }
    ShowWindow(hDlg, SW_HIDE);
    // Wakes a modal loop waiting for input so it notices the end.
    PostMessageW(hDlg, WM_NULL, 0, 0);
    return TRUE;
}

BOOL WINAPI MapDialogRect(HWND hDlg, LPRECT lpRect)
{
    if (lpRect == nullptr)
        return FALSE;
    int nBaseX = 0;
    int nBaseY = 0;
    {
        auto lock = LockState();
        const CWindow* pWnd = FindWindowData(hDlg);
        if (pWnd == nullptr || pWnd->eKind != EWindowKind::DIALOG)
            return FALSE;
        nBaseX = pWnd->nBaseUnitX;
        nBaseY = pWnd->nBaseUnitY;
    }
    lpRect->left = MulDiv(lpRect->left, nBaseX, 4);
    lpRect->right = MulDiv(lpRect->right, nBaseX, 4);
    lpRect->top = MulDiv(lpRect->top, nBaseY, 8);
    lpRect->bottom = MulDiv(lpRect->bottom, nBaseY, 8);
    return TRUE;
}

LONG WINAPI GetDialogBaseUnits()
{
    return MAKELONG(8, 16);
}

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem)
{
    auto lock = LockState();
    const CWindow* pDlg = FindWindowData(hDlg);
    if (pDlg == nullptr)
        return nullptr;
    for (HWND hChild : pDlg->aChildren) {
        const CWindow* pChild = FindWindowData(hChild);
        if (pChild != nullptr && pChild->nId == nIDDlgItem)
            return hChild;
    }
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hWnd)
{
    auto lock = LockState();
    const CWindow* pWnd = FindWindowData(hWnd);
    if (pWnd == nullptr || pWnd->hParent == nullptr)
        return 0;
    return pWnd->nId;
}

HWND WINAPI GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious)
{
    std::vector<HWND> aChildren;
    {
        auto lock = LockState();
        const CWindow* pDlg = FindWindowData(hDlg);
        if (pDlg == nullptr)
            return nullptr;
        aChildren = pDlg->aChildren;
    }
    if (aChildren.empty())
        return nullptr;
    if (bPrevious)
        std::reverse(aChildren.begin(), aChildren.end());
    auto itStart = std::find(aChildren.begin(), aChildren.end(), hCtl);
    const size_t nCount = aChildren.size();
    const size_t nFirst = itStart == aChildren.end() ? 0 : static_cast<size_t>(itStart - aChildren.begin()) + 1;
    for (size_t i = 0; i < nCount; ++i) {
        HWND h = aChildren[(nFirst + i) % nCount];
        if (IsTabStop(h))
            return h;
    }
    return hCtl;
}

HWND WINAPI GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious)
{
    std::vector<HWND> aChildren;
    {
        auto lock = LockState();
        const CWindow* pDlg = FindWindowData(hDlg);
        if (pDlg == nullptr)
            return nullptr;
        aChildren = pDlg->aChildren;
    }
    auto it = std::find(aChildren.begin(), aChildren.end(), hCtl);
    if (it == aChildren.end())
        return nullptr;
    size_t nStart = static_cast<size_t>(it - aChildren.begin());
    while (nStart > 0 && !(GetWindowLongW(aChildren[nStart], GWL_STYLE) & WS_GROUP))
        --nStart;
    size_t nEnd = nStart + 1;
    while (nEnd < aChildren.size() && !(GetWindowLongW(aChildren[nEnd], GWL_STYLE) & WS_GROUP))
        ++nEnd;
    std::vector<HWND> aGroup(aChildren.begin() + static_cast<std::ptrdiff_t>(nStart),
                             aChildren.begin() + static_cast<std::ptrdiff_t>(nEnd));
    if (bPrevious)
        std::reverse(aGroup.begin(), aGroup.end());
    auto itSelf = std::find(aGroup.begin(), aGroup.end(), hCtl);
    const size_t nSelf = static_cast<size_t>(itSelf - aGroup.begin());
    for (size_t i = 1; i <= aGroup.size(); ++i) {
        HWND h = aGroup[(nSelf + i) % aGroup.size()];
        const DWORD dwStyle = static_cast<DWORD>(GetWindowLongW(h, GWL_STYLE));
        if ((dwStyle & WS_VISIBLE) && !(dwStyle & WS_DISABLED))
            return h;
    }
    return hCtl;
}

LRESULT WINAPI SendDlgItemMessageW(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    HWND hCtl = GetDlgItem(hDlg, nIDDlgItem);
    return hCtl ? SendMessageW(hCtl, Msg, wParam, lParam) : 0;
}

BOOL WINAPI SetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPCWSTR lpString)
{
    HWND hCtl = GetDlgItem(hDlg, nIDDlgItem);
    return hCtl ? SetWindowTextW(hCtl, lpString) : FALSE;
}

UINT WINAPI GetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPWSTR lpString, int cchMax)
{
    if (lpString != nullptr && cchMax > 0)
        lpString[0] = 0;
    HWND hCtl = GetDlgItem(hDlg, nIDDlgItem);
    return hCtl ? static_cast<UINT>(GetWindowTextW(hCtl, lpString, cchMax)) : 0;
}

BOOL WINAPI SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned)
{
    wchar_t szText[16];
    if (bSigned)
        std::swprintf(szText, 16, L"%d", static_cast<int>(uValue));
    else
        std::swprintf(szText, 16, L"%u", uValue);
    return SetDlgItemTextW(hDlg, nIDDlgItem, szText);
}

UINT WINAPI GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL* lpTranslated, BOOL bSigned)
{
    wchar_t szText[64];
    GetDlgItemTextW(hDlg, nIDDlgItem, szText, 64);
    wchar_t* pEnd = nullptr;
    const wchar_t* p = szText;
    while (*p == L' ')
        ++p;
    const long long nValue = std::wcstoll(p, &pEnd, 10);
    const bool bOk = pEnd != p && *pEnd == 0 && (bSigned || nValue >= 0);
    if (lpTranslated != nullptr)
        *lpTranslated = bOk ? TRUE : FALSE;
    return bOk ? static_cast<UINT>(nValue) : 0;
}

BOOL WINAPI CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    if (!IsWindow(hDlg))
        return FALSE;
    for (int nId = nIDFirstButton; nId <= nIDLastButton; ++nId) {
        HWND hButton = GetDlgItem(hDlg, nId);
        if (hButton != nullptr)
            SendMessageW(hButton, BM_SETCHECK, nId == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    return TRUE;
}

BOOL WINAPI CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck)
{
    HWND hButton = GetDlgItem(hDlg, nIDButton);
    if (hButton == nullptr)
        return FALSE;
    SendMessageW(hButton, BM_SETCHECK, uCheck, 0);
    return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND hDlg, int nIDButton)
{
    HWND hButton = GetDlgItem(hDlg, nIDButton);
    return hButton ? static_cast<UINT>(SendMessageW(hButton, BM_GETCHECK, 0, 0)) : 0;
}

// ---------------------------------------------------------------------------
// Keyboard navigation

static bool HandleDialogKey(HWND hDlg, MSG* lpMsg)
{
    const UINT nKey = static_cast<UINT>(lpMsg->wParam);
    if (nKey != VK_TAB && nKey != VK_RETURN && nKey != VK_ESCAPE)
        return false;
    const LRESULT nCode =
        lpMsg->hwnd ? SendMessageW(lpMsg->hwnd, WM_GETDLGCODE, lpMsg->wParam, reinterpret_cast<LPARAM>(lpMsg)) : 0;
    if (nCode & DLGC_WANTMESSAGE)
        return false;
    if (nKey == VK_TAB) {
        if (nCode & DLGC_WANTTAB)
            return false;
        const bool bBack = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
        HWND hNext = GetNextDlgTabItem(hDlg, GetFocus(), bBack ? TRUE : FALSE);
        if (hNext != nullptr) {
            SetFocus(hNext);
            if (SendMessageW(hNext, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
                SendMessageW(hNext, EM_SETSEL, 0, -1);
        }
        return true;
    }
    int nId = IDCANCEL;
    if (nKey == VK_RETURN) {
        nId = IDOK;
        if (nCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
            nId = GetDlgCtrlID(lpMsg->hwnd);
        } else {
            const LRESULT nDefault = SendMessageW(hDlg, DM_GETDEFID, 0, 0);
            if (HIWORD(nDefault) == DC_HASDEFID)
                nId = LOWORD(nDefault);
        }
    }
    HWND hButton = GetDlgItem(hDlg, nId);
    if (hButton != nullptr && !IsWindowEnabled(hButton))
        return true;
    SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), reinterpret_cast<LPARAM>(hButton));
    return true;
}

BOOL WINAPI IsDialogMessageW(HWND hDlg, LPMSG lpMsg)
{
    if (lpMsg == nullptr || !IsWindow(hDlg))
        return FALSE;
    if (lpMsg->hwnd != hDlg && !IsChild(hDlg, lpMsg->hwnd))
        return FALSE;
    if (lpMsg->message == WM_KEYDOWN && HandleDialogKey(hDlg, lpMsg))
        return TRUE;
    if (lpMsg->message == WM_CHAR) {
        const UINT nChar = static_cast<UINT>(lpMsg->wParam);
        // The characters of keys the dialog manager handled are not delivered.
        if (nChar == VK_TAB || nChar == VK_RETURN || nChar == VK_ESCAPE) {
            const LRESULT nCode = SendMessageW(lpMsg->hwnd, WM_GETDLGCODE, lpMsg->wParam, reinterpret_cast<LPARAM>(lpMsg));
            if (!(nCode & (DLGC_WANTMESSAGE | DLGC_WANTCHARS)))
                return TRUE;
        }
    }
    TranslateMessage(lpMsg);
    DispatchMessageW(lpMsg);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Message boxes

static int FirstButtonOf(UINT uType)
{
    switch (uType & MB_TYPEMASK) {
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO:
        return IDYES;
    case MB_RETRYCANCEL:
        return IDRETRY;
    case MB_CANCELTRYCONTINUE:
        return IDCANCEL;
    default:
        return IDOK;
    }
}

// Pending posted messages are served while the box is open, as the box's own
// message loop does; the program's message filter does not see them.
static void ServeWhileModal()
{
    MSG msg;
    for (int nGuard = 0; nGuard < 100000 && FetchMessage(&msg, nullptr, 0, 0, true); ++nGuard) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

int WINAPI MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType)
{
    HeadlessDriver::MESSAGE_BOX box{hWnd, lpText ? lpText : L"", lpCaption ? lpCaption : L"Error", uType};
    HWND hOwner = nullptr;
    std::function<int(const HeadlessDriver::MESSAGE_BOX&)> fnHook;
    {
        auto lock = LockState();
        CState& state = State();
        state.aMessageBoxes.push_back(box);
        hOwner = hWnd ? RootWindow(hWnd) : state.hActive;
        fnHook = state.fnMessageBoxHook;
        ++state.nOpenMessageBoxes;
    }
    // The box takes the mouse and the keyboard from its owner.
    HWND hCapture = GetCapture();
    if (hCapture != nullptr) {
        SendMessageW(hCapture, WM_CANCELMODE, 0, 0);
        if (GetCapture() == hCapture)
            ReleaseCapture();
    }
    const bool bOwnerEnabled = hOwner != nullptr && IsWindowEnabled(hOwner);
    if (bOwnerEnabled)
        EnableWindow(hOwner, FALSE);
    HWND hActive = GetActiveWindow();
    if (hActive != nullptr) {
        SendMessageW(hActive, WM_ACTIVATE, WA_INACTIVE, 0);
        auto lock = LockState();
        State().hActive = nullptr;
    }
    SetFocus(nullptr);

    ServeWhileModal();
    int nAnswer = fnHook ? fnHook(box) : 0;
    if (nAnswer == 0)
        nAnswer = FirstButtonOf(uType);

    if (bOwnerEnabled && IsWindow(hOwner))
        EnableWindow(hOwner, TRUE);
    if (hActive != nullptr && IsWindow(hActive))
        SetActiveWindow(hActive);
    {
        auto lock = LockState();
        --State().nOpenMessageBoxes;
    }
    return nAnswer;
}
