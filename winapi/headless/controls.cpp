// The system control classes of the headless window system: BUTTON,
// COMBOBOX, EDIT and STATIC, with the Win32 messages and notifications the
// product relies on.
#include "winapi/headless/window_system.h"

#include <algorithm>
#include <cwctype>

namespace headless {

namespace {

using StateLock = std::unique_lock<std::recursive_mutex>;

StateLock LockState()
{
    return StateLock(StateMutex());
}

DWORD StyleOf(HWND hWnd)
{
    return static_cast<DWORD>(GetWindowLongW(hWnd, GWL_STYLE));
}

bool InsideClient(HWND hWnd, LPARAM lParam)
{
    RECT rc;
    GetClientRect(hWnd, &rc);
    const POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return PtInRect(&rc, pt) != 0;
}

void Invalidate(HWND hWnd)
{
    InvalidateRect(hWnd, nullptr, TRUE);
}

bool HandleFont(HWND hWnd, UINT nMessage, WPARAM wParam, LRESULT* pResult)
{
    if (nMessage != WM_SETFONT && nMessage != WM_GETFONT)
        return false;
    auto lock = LockState();
    CWindow* pWnd = FindWindowData(hWnd);
    if (pWnd == nullptr) {
        *pResult = 0;
        return true;
    }
    if (nMessage == WM_SETFONT) {
        pWnd->hFont = reinterpret_cast<HFONT>(wParam);
        *pResult = 0;
    } else {
        *pResult = reinterpret_cast<LRESULT>(pWnd->hFont);
    }
    return true;
}

// Paints a control as the system controls do: the parent chooses the colours
// and the brush through WM_CTLCOLOR*, then the control draws its image.
void PaintControl(HWND hWnd, UINT nCtlColor)
{
    PAINTSTRUCT ps;
    HDC hDc = BeginPaint(hWnd, &ps);
    if (hDc == nullptr)
        return;
    HWND hParent = GetParent(hWnd);
    HBRUSH hBrush = nullptr;
    if (hParent != nullptr)
        hBrush = reinterpret_cast<HBRUSH>(SendMessageW(hParent, nCtlColor, reinterpret_cast<WPARAM>(hDc),
                                                       reinterpret_cast<LPARAM>(hWnd)));
    if (hBrush == nullptr)
        hBrush = reinterpret_cast<HBRUSH>(DefWindowProcW(hWnd, nCtlColor, reinterpret_cast<WPARAM>(hDc),
                                                         reinterpret_cast<LPARAM>(hWnd)));
    HANDLE hImage = nullptr;
    UINT nImageType = IMAGE_BITMAP;
    {
        auto lock = LockState();
        CWindow* pWnd = FindWindowData(hWnd);
        if (pWnd != nullptr) {
            pWnd->hLastCtlBrush = hBrush;
            pWnd->nLastCtlBkMode = GetBkMode(hDc);
            pWnd->bCtlColorAsked = true;
            hImage = pWnd->hImage;
            nImageType = pWnd->nImageType;
        }
    }
    FillRect(hDc, &ps.rcPaint, hBrush);
    if (hImage != nullptr && nImageType == IMAGE_BITMAP) {
        int cx = 0;
        int cy = 0;
        BitmapSize(static_cast<HBITMAP>(hImage), &cx, &cy);
        HDC hMemory = CreateCompatibleDC(hDc);
        HGDIOBJ hOld = SelectObject(hMemory, hImage);
        if (hOld != nullptr) {
            BitBlt(hDc, 0, 0, cx, cy, hMemory, 0, 0, SRCCOPY);
            SelectObject(hMemory, hOld);
        }
        DeleteDC(hMemory);
    } else if (hImage != nullptr && nImageType == IMAGE_ICON) {
        DrawIcon(hDc, 0, 0, static_cast<HICON>(hImage));
    }
    EndPaint(hWnd, &ps);
}

// ---------------------------------------------------------------------------
// Buttons

DWORD ButtonType(HWND hWnd)
{
    return StyleOf(hWnd) & BS_TYPEMASK;
}

bool IsPushType(DWORD dwType)
{
    return dwType == BS_PUSHBUTTON || dwType == BS_DEFPUSHBUTTON || dwType == BS_USERBUTTON ||
           dwType == BS_PUSHBOX || dwType == BS_OWNERDRAW;
}

bool IsCheckType(DWORD dwType)
{
    return dwType == BS_CHECKBOX || dwType == BS_AUTOCHECKBOX || dwType == BS_RADIOBUTTON ||
           dwType == BS_3STATE || dwType == BS_AUTO3STATE || dwType == BS_AUTORADIOBUTTON;
}

void SetPushed(HWND hWnd, bool bPushed)
{
    auto lock = LockState();
    if (CWindow* pWnd = FindWindowData(hWnd)) {
        if (pWnd->bPushed != bPushed)
            pWnd->bInvalid = true;
        pWnd->bPushed = bPushed;
    }
}

bool IsPushed(HWND hWnd)
{
    auto lock = LockState();
    const CWindow* pWnd = FindWindowData(hWnd);
    return pWnd != nullptr && pWnd->bPushed;
}

UINT CheckOf(HWND hWnd)
{
    auto lock = LockState();
    const CWindow* pWnd = FindWindowData(hWnd);
    return pWnd ? pWnd->nCheck : BST_UNCHECKED;
}

// The radio group runs from the nearest sibling at or before the button with
// WS_GROUP up to, not including, the next sibling with WS_GROUP.
std::vector<HWND> RadioGroup(HWND hWnd)
{
    std::vector<HWND> aSiblings;
    {
        auto lock = LockState();
        const CWindow* pWnd = FindWindowData(hWnd);
        const CWindow* pParent = pWnd ? FindWindowData(pWnd->hParent) : nullptr;
        if (pParent == nullptr)
            return {hWnd};
        aSiblings = pParent->aChildren;
    }
    auto it = std::find(aSiblings.begin(), aSiblings.end(), hWnd);
    size_t nStart = static_cast<size_t>(it - aSiblings.begin());
    while (nStart > 0 && !(StyleOf(aSiblings[nStart]) & WS_GROUP))
        --nStart;
    size_t nEnd = nStart + 1;
    while (nEnd < aSiblings.size() && !(StyleOf(aSiblings[nEnd]) & WS_GROUP))
        ++nEnd;
    return std::vector<HWND>(aSiblings.begin() + static_cast<std::ptrdiff_t>(nStart),
                             aSiblings.begin() + static_cast<std::ptrdiff_t>(nEnd));
}

void OnButtonClicked(HWND hWnd)
{
    const DWORD dwType = ButtonType(hWnd);
    if (dwType == BS_AUTORADIOBUTTON) {
        SendMessageW(hWnd, BM_SETCHECK, BST_CHECKED, 0);
        for (HWND hOther : RadioGroup(hWnd)) {
            if (hOther == hWnd)
                continue;
            wchar_t szClass[16] = {0};
            GetClassNameW(hOther, szClass, 16);
            if ((ButtonType(hOther) == BS_AUTORADIOBUTTON) && std::wstring(szClass) == L"BUTTON")
                SendMessageW(hOther, BM_SETCHECK, BST_UNCHECKED, 0);
        }
    } else if (dwType == BS_AUTOCHECKBOX) {
        SendMessageW(hWnd, BM_SETCHECK, CheckOf(hWnd) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
    } else if (dwType == BS_AUTO3STATE) {
        SendMessageW(hWnd, BM_SETCHECK, (CheckOf(hWnd) + 1) % 3, 0);
    }
    NotifyParent(hWnd, BN_CLICKED);
}

LRESULT ButtonDlgCode(HWND hWnd)
{
    const DWORD dwType = ButtonType(hWnd);
    if (dwType == BS_DEFPUSHBUTTON)
        return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    if (IsPushType(dwType))
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    if (dwType == BS_RADIOBUTTON || dwType == BS_AUTORADIOBUTTON)
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    if (dwType == BS_GROUPBOX)
        return DLGC_STATIC;
    return DLGC_BUTTON;
}

LRESULT OnButtonUp(HWND hWnd, LPARAM lParam)
{
    const bool bWasPushed = IsPushed(hWnd) && GetCapture() == hWnd;
    SetPushed(hWnd, false);
    if (GetCapture() == hWnd)
        ReleaseCapture();
    if (bWasPushed && InsideClient(hWnd, lParam) && IsWindowEnabled(hWnd))
        OnButtonClicked(hWnd);
    return 0;
}

LRESULT ButtonMessage(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    const DWORD dwType = ButtonType(hWnd);
    switch (nMessage) {
    case BM_GETCHECK:
        return CheckOf(hWnd);
    case BM_SETCHECK: {
        if (!IsCheckType(dwType))
            return 0;
        auto lock = LockState();
        if (CWindow* pWnd = FindWindowData(hWnd)) {
            UINT nCheck = static_cast<UINT>(wParam);
            if (nCheck == BST_INDETERMINATE && dwType != BS_3STATE && dwType != BS_AUTO3STATE)
                nCheck = BST_CHECKED;
            pWnd->nCheck = nCheck > BST_INDETERMINATE ? BST_CHECKED : nCheck;
            pWnd->bInvalid = true;
        }
        return 0;
    }
    case BM_GETSTATE:
        return CheckOf(hWnd) | (IsPushed(hWnd) ? BST_PUSHED : 0) | (GetFocus() == hWnd ? BST_FOCUS : 0);
    case BM_SETSTATE:
        SetPushed(hWnd, wParam != 0);
        return 0;
    case BM_SETSTYLE: {
        const DWORD dwStyle = (StyleOf(hWnd) & 0xFFFF0000) | (static_cast<DWORD>(wParam) & 0xFFFF);
        SetWindowLongW(hWnd, GWL_STYLE, static_cast<LONG>(dwStyle));
        if (lParam)
            Invalidate(hWnd);
        return 0;
    }
    case BM_CLICK:
        SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageW(hWnd, WM_LBUTTONUP, 0, 0);
        return 0;
    case BM_GETIMAGE: {
        auto lock = LockState();
        const CWindow* pWnd = FindWindowData(hWnd);
        return pWnd ? reinterpret_cast<LRESULT>(pWnd->hButtonImage) : 0;
    }
    case BM_SETIMAGE: {
        auto lock = LockState();
        CWindow* pWnd = FindWindowData(hWnd);
        if (pWnd == nullptr)
            return 0;
        HANDLE hOld = pWnd->hButtonImage;
        pWnd->hButtonImage = reinterpret_cast<HANDLE>(lParam);
        return reinterpret_cast<LRESULT>(hOld);
    }
    default:
        return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    }
}

// ---------------------------------------------------------------------------
// Combo boxes

int CompareNoCase(const std::wstring& strA, const std::wstring& strB)
{
    const size_t nCount = std::min(strA.size(), strB.size());
    for (size_t i = 0; i < nCount; ++i) {
        const wint_t a = std::towlower(strA[i]);
        const wint_t b = std::towlower(strB[i]);
        if (a != b)
            return a < b ? -1 : 1;
    }
    if (strA.size() == strB.size())
        return 0;
    return strA.size() < strB.size() ? -1 : 1;
}

bool StartsWithNoCase(const std::wstring& strText, const std::wstring& strPrefix)
{
    return strText.size() >= strPrefix.size() && CompareNoCase(strText.substr(0, strPrefix.size()), strPrefix) == 0;
}

std::wstring TextParam(LPARAM lParam)
{
    const wchar_t* psz = reinterpret_cast<const wchar_t*>(lParam);
    return psz ? std::wstring(psz) : std::wstring();
}

bool IsDropDownList(const CWindow* pWnd)
{
    return (pWnd->dwStyle & 0x3) == CBS_DROPDOWNLIST;
}

void SelectItem(CWindow* pWnd, int nIndex)
{
    pWnd->nCurSel = nIndex;
    pWnd->strText = nIndex >= 0 ? pWnd->aItems[static_cast<size_t>(nIndex)].strText : std::wstring();
    pWnd->bInvalid = true;
}

int FindItem(const CWindow* pWnd, WPARAM wStart, const std::wstring& strText, bool bExact)
{
    const int nCount = static_cast<int>(pWnd->aItems.size());
    if (nCount == 0)
        return CB_ERR;
    int nStart = static_cast<int>(static_cast<INT_PTR>(wStart));
    if (nStart < -1 || nStart >= nCount)
        nStart = -1;
    for (int i = 1; i <= nCount; ++i) {
        const int nIndex = (nStart + i) % nCount;
        const std::wstring& strItem = pWnd->aItems[static_cast<size_t>(nIndex)].strText;
        if (bExact ? CompareNoCase(strItem, strText) == 0 : StartsWithNoCase(strItem, strText))
            return nIndex;
    }
    return CB_ERR;
}

// Item messages of the list part; the lock is held by the caller.
bool ComboListMessage(CWindow* pWnd, UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto& aItems = pWnd->aItems;
    const int nCount = static_cast<int>(aItems.size());
    const int nIndex = static_cast<int>(static_cast<INT_PTR>(wParam));
    const bool bValid = nIndex >= 0 && nIndex < nCount;
    switch (nMessage) {
    case CB_ADDSTRING: {
        const std::wstring strText = TextParam(lParam);
        size_t nAt = aItems.size();
        if (pWnd->dwStyle & CBS_SORT) {
            nAt = 0;
            while (nAt < aItems.size() && CompareNoCase(aItems[nAt].strText, strText) <= 0)
                ++nAt;
        }
        aItems.insert(aItems.begin() + static_cast<std::ptrdiff_t>(nAt), CComboItem{strText, 0});
        if (pWnd->nCurSel >= static_cast<int>(nAt))
            ++pWnd->nCurSel;
        *pResult = static_cast<LRESULT>(nAt);
        return true;
    }
    case CB_INSERTSTRING: {
        if (nIndex > nCount || nIndex < -1) {
            *pResult = CB_ERR;
            return true;
        }
        const size_t nAt = nIndex == -1 ? aItems.size() : static_cast<size_t>(nIndex);
        aItems.insert(aItems.begin() + static_cast<std::ptrdiff_t>(nAt), CComboItem{TextParam(lParam), 0});
        if (pWnd->nCurSel >= static_cast<int>(nAt))
            ++pWnd->nCurSel;
        *pResult = static_cast<LRESULT>(nAt);
        return true;
    }
    case CB_DELETESTRING:
        if (!bValid) {
            *pResult = CB_ERR;
            return true;
        }
        aItems.erase(aItems.begin() + nIndex);
        if (pWnd->nCurSel == nIndex) {
            pWnd->nCurSel = CB_ERR;
            if (IsDropDownList(pWnd))
                pWnd->strText.clear();
        } else if (pWnd->nCurSel > nIndex) {
            --pWnd->nCurSel;
        }
        *pResult = static_cast<LRESULT>(aItems.size());
        return true;
    case CB_RESETCONTENT:
        aItems.clear();
        pWnd->nCurSel = CB_ERR;
        pWnd->strText.clear();
        pWnd->bInvalid = true;
        *pResult = CB_OKAY;
        return true;
    case CB_GETCOUNT:
        *pResult = nCount;
        return true;
    case CB_GETCURSEL:
        *pResult = pWnd->nCurSel;
        return true;
    case CB_SETCURSEL:
        if (!bValid) {
            SelectItem(pWnd, CB_ERR);
            *pResult = CB_ERR;
            return true;
        }
        SelectItem(pWnd, nIndex);
        *pResult = nIndex;
        return true;
    case CB_GETLBTEXT: {
        wchar_t* pszBuffer = reinterpret_cast<wchar_t*>(lParam);
        if (!bValid || pszBuffer == nullptr) {
            *pResult = CB_ERR;
            return true;
        }
        const std::wstring& strText = aItems[static_cast<size_t>(nIndex)].strText;
        std::copy(strText.begin(), strText.end(), pszBuffer);
        pszBuffer[strText.size()] = 0;
        *pResult = static_cast<LRESULT>(strText.size());
        return true;
    }
    case CB_GETLBTEXTLEN:
        *pResult = bValid ? static_cast<LRESULT>(aItems[static_cast<size_t>(nIndex)].strText.size()) : CB_ERR;
        return true;
    case CB_SETITEMDATA:
        if (!bValid) {
            *pResult = CB_ERR;
            return true;
        }
        aItems[static_cast<size_t>(nIndex)].lData = lParam;
        *pResult = CB_OKAY;
        return true;
    case CB_GETITEMDATA:
        *pResult = bValid ? aItems[static_cast<size_t>(nIndex)].lData : CB_ERR;
        return true;
    case CB_FINDSTRINGEXACT:
        *pResult = FindItem(pWnd, wParam, TextParam(lParam), true);
        return true;
    case CB_FINDSTRING:
        *pResult = FindItem(pWnd, wParam, TextParam(lParam), false);
        return true;
    case CB_SELECTSTRING: {
        const int nFound = FindItem(pWnd, wParam, TextParam(lParam), false);
        if (nFound != CB_ERR)
            SelectItem(pWnd, nFound);
        *pResult = nFound;
        return true;
    }
    default:
        return false;
    }
}

LRESULT ComboMessage(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    switch (nMessage) {
    case CB_GETDROPPEDSTATE:
    case CB_GETEXTENDEDUI:
    case CB_GETTOPINDEX:
    case CB_GETHORIZONTALEXTENT:
        return 0;
    case CB_SHOWDROPDOWN:
    case CB_LIMITTEXT:
    case CB_SETEXTENDEDUI:
    case CB_SETEDITSEL:
    case CB_SETHORIZONTALEXTENT:
    case CB_SETTOPINDEX:
        return TRUE;
    case CB_SETITEMHEIGHT:
        return CB_OKAY;
    case CB_GETITEMHEIGHT:
        return 15;
    case CB_GETEDITSEL:
        return 0;
    case CB_GETDROPPEDWIDTH:
    case CB_SETDROPPEDWIDTH: {
        RECT rc;
        GetWindowRect(hWnd, &rc);
        return rc.right - rc.left;
    }
    case CB_GETDROPPEDCONTROLRECT:
        if (lParam != 0)
            GetWindowRect(hWnd, reinterpret_cast<RECT*>(lParam));
        return TRUE;
    default:
        return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    }
}

// The arrow keys move the selection as the operator would, with notification.
LRESULT ComboKey(HWND hWnd, WPARAM nKey)
{
    int nNew = CB_ERR;
    {
        auto lock = LockState();
        CWindow* pWnd = FindWindowData(hWnd);
        if (pWnd == nullptr || pWnd->aItems.empty())
            return 0;
        const int nCount = static_cast<int>(pWnd->aItems.size());
        if (nKey == VK_DOWN)
            nNew = std::min(nCount - 1, pWnd->nCurSel + 1);
        else if (nKey == VK_UP)
            nNew = std::max(0, pWnd->nCurSel - 1);
        else
            return 0;
        if (nNew == pWnd->nCurSel)
            return 0;
        SelectItem(pWnd, nNew);
    }
    NotifyParent(hWnd, CBN_SELCHANGE);
    return 0;
}

// ---------------------------------------------------------------------------
// Edits

void NotifyChanged(HWND hWnd)
{
    NotifyParent(hWnd, EN_UPDATE);
    NotifyParent(hWnd, EN_CHANGE);
}

LRESULT EditSetText(HWND hWnd, LPARAM lParam)
{
    bool bMultiline = false;
    {
        auto lock = LockState();
        CWindow* pWnd = FindWindowData(hWnd);
        if (pWnd == nullptr)
            return FALSE;
        pWnd->strText = TextParam(lParam);
        pWnd->dwSelStart = pWnd->dwSelEnd = 0;
        pWnd->bModified = false;
        pWnd->bInvalid = true;
        bMultiline = (pWnd->dwStyle & ES_MULTILINE) != 0;
    }
    if (!bMultiline)
        NotifyChanged(hWnd);
    return TRUE;
}

// Replaces the selection with strText; false when the limit refuses it.
bool ReplaceSelection(CWindow* pWnd, const std::wstring& strText)
{
    const size_t nLength = pWnd->strText.size();
    const size_t nStart = std::min<size_t>(std::min(pWnd->dwSelStart, pWnd->dwSelEnd), nLength);
    const size_t nEnd = std::min<size_t>(std::max(pWnd->dwSelStart, pWnd->dwSelEnd), nLength);
    if (nLength - (nEnd - nStart) + strText.size() > pWnd->nTextLimit)
        return false;
    pWnd->strText.replace(nStart, nEnd - nStart, strText);
    pWnd->dwSelStart = pWnd->dwSelEnd = static_cast<DWORD>(nStart + strText.size());
    pWnd->bModified = true;
    pWnd->bInvalid = true;
    return true;
}

LRESULT EditChar(HWND hWnd, WPARAM wChar)
{
    {
        auto lock = LockState();
        CWindow* pWnd = FindWindowData(hWnd);
        if (pWnd == nullptr || (pWnd->dwStyle & ES_READONLY))
            return 0;
        if (wChar == VK_BACK) {
            if (pWnd->dwSelStart == pWnd->dwSelEnd && pWnd->dwSelStart > 0)
                --pWnd->dwSelStart;
            if (!ReplaceSelection(pWnd, std::wstring()))
                return 0;
        } else {
            if (wChar < 0x20)
                return 0;
            if ((pWnd->dwStyle & ES_NUMBER) && (wChar < '0' || wChar > '9'))
                return 0;
            if (!ReplaceSelection(pWnd, std::wstring(1, static_cast<wchar_t>(wChar))))
                return 0;
        }
    }
    NotifyChanged(hWnd);
    return 0;
}

LRESULT EditMessage(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    switch (nMessage) {
    case WM_SETTEXT:
        return EditSetText(hWnd, lParam);
    case WM_CHAR:
        return EditChar(hWnd, wParam);
    case EM_REPLACESEL: {
        {
            auto lock = LockState();
            CWindow* pWnd = FindWindowData(hWnd);
            if (pWnd == nullptr || !ReplaceSelection(pWnd, TextParam(lParam)))
                return 0;
        }
        NotifyChanged(hWnd);
        return 0;
    }
    default:
        break;
    }
    auto lock = LockState();
    CWindow* pWnd = FindWindowData(hWnd);
    if (pWnd == nullptr)
        return 0;
    const DWORD nLength = static_cast<DWORD>(pWnd->strText.size());
    switch (nMessage) {
    case EM_SETSEL: {
        const int nStart = static_cast<int>(static_cast<INT_PTR>(wParam));
        const int nEnd = static_cast<int>(lParam);
        if (nStart < 0) {
            pWnd->dwSelStart = pWnd->dwSelEnd = std::min(pWnd->dwSelEnd, nLength);
            return 0;
        }
        pWnd->dwSelStart = std::min<DWORD>(static_cast<DWORD>(nStart), nLength);
        pWnd->dwSelEnd = nEnd < 0 ? nLength : std::min<DWORD>(static_cast<DWORD>(nEnd), nLength);
        return 0;
    }
    case EM_GETSEL:
        if (wParam != 0)
            *reinterpret_cast<DWORD*>(wParam) = pWnd->dwSelStart;
        if (lParam != 0)
            *reinterpret_cast<DWORD*>(lParam) = pWnd->dwSelEnd;
        return MAKELONG(pWnd->dwSelStart, pWnd->dwSelEnd);
    case EM_LIMITTEXT:
        pWnd->nTextLimit = wParam == 0 ? 0x7FFFFFFE : static_cast<UINT>(wParam);
        return 0;
    case EM_GETLIMITTEXT:
        return pWnd->nTextLimit;
    case EM_GETMODIFY:
        return pWnd->bModified ? TRUE : FALSE;
    case EM_SETMODIFY:
        pWnd->bModified = wParam != 0;
        return 0;
    case EM_SETREADONLY:
        if (wParam)
            pWnd->dwStyle |= ES_READONLY;
        else
            pWnd->dwStyle &= ~static_cast<DWORD>(ES_READONLY);
        return TRUE;
    case EM_GETLINECOUNT:
        return 1 + static_cast<LRESULT>(std::count(pWnd->strText.begin(), pWnd->strText.end(), L'\n'));
    case EM_SCROLLCARET:
        return TRUE;
    case EM_GETRECT:
        if (lParam != 0)
            GetClientRect(hWnd, reinterpret_cast<RECT*>(lParam));
        return 0;
    default:
        lock.unlock();
        return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    }
}

// ---------------------------------------------------------------------------
// Statics

int ResourceNumber(const std::wstring& strName)
{
    std::wstring str = strName;
    if (!str.empty() && str[0] == L'#')
        str.erase(0, 1);
    if (str.empty() || str.size() > 5 ||
        !std::all_of(str.begin(), str.end(), [](wchar_t ch) { return ch >= L'0' && ch <= L'9'; }))
        return -1;
    const int nId = std::stoi(str);
    return nId <= 0xFFFF ? nId : -1;
}

bool KeepsOwnSize(DWORD dwStyle)
{
    return (dwStyle & (SS_REALSIZECONTROL | SS_CENTERIMAGE)) != 0;
}

void FitToImage(HWND hWnd, HANDLE hImage, UINT nType)
{
    int cx = 0;
    int cy = 0;
    const bool bKnown = nType == IMAGE_BITMAP ? BitmapSize(static_cast<HBITMAP>(hImage), &cx, &cy)
                                              : IconSize(static_cast<HICON>(hImage), &cx, &cy);
    if (bKnown)
        SetWindowPos(hWnd, nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT StaticSetImage(HWND hWnd, UINT nType, HANDLE hImage)
{
    HANDLE hOld = nullptr;
    DWORD dwStyle = 0;
    {
        auto lock = LockState();
        CWindow* pWnd = FindWindowData(hWnd);
        if (pWnd == nullptr)
            return 0;
        hOld = pWnd->nImageType == nType ? pWnd->hImage : nullptr;
        pWnd->hImage = hImage;
        pWnd->nImageType = nType;
        pWnd->bInvalid = true;
        pWnd->bEraseNeeded = true;
        dwStyle = pWnd->dwStyle;
    }
    if (hImage != nullptr && !KeepsOwnSize(dwStyle))
        FitToImage(hWnd, hImage, nType);
    return reinterpret_cast<LRESULT>(hOld);
}

void StaticCreate(HWND hWnd)
{
    const DWORD dwType = StyleOf(hWnd) & SS_TYPEMASK;
    if (dwType != SS_BITMAP && dwType != SS_ICON)
        return;
    std::wstring strName;
    HINSTANCE hInstance = nullptr;
    {
        auto lock = LockState();
        const CWindow* pWnd = FindWindowData(hWnd);
        strName = pWnd->strText;
        hInstance = pWnd->hInstance;
    }
    const int nId = ResourceNumber(strName);
    if (nId < 0)
        return;
    HANDLE hImage = nullptr;
    if (dwType == SS_BITMAP)
        hImage = LoadBitmapW(hInstance, MAKEINTRESOURCEW(nId));
    else
        hImage = LoadIconW(hInstance, MAKEINTRESOURCEW(nId));
    if (hImage == nullptr)
        return;
    {
        auto lock = LockState();
        CWindow* pWnd = FindWindowData(hWnd);
        pWnd->hOwnImage = dwType == SS_BITMAP ? hImage : nullptr;
    }
    StaticSetImage(hWnd, dwType == SS_BITMAP ? IMAGE_BITMAP : IMAGE_ICON, hImage);
}

void StaticDestroy(HWND hWnd)
{
    HGDIOBJ hOwn = nullptr;
    {
        auto lock = LockState();
        CWindow* pWnd = FindWindowData(hWnd);
        if (pWnd == nullptr)
            return;
        hOwn = pWnd->hOwnImage;
        pWnd->hOwnImage = nullptr;
    }
    if (hOwn != nullptr)
        DeleteObject(hOwn);
}

} // namespace

LRESULT CALLBACK ButtonProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (HandleFont(hWnd, nMessage, wParam, &lResult))
        return lResult;
    const DWORD dwType = ButtonType(hWnd);
    switch (nMessage) {
    case WM_GETDLGCODE:
        return ButtonDlgCode(hWnd);
    case WM_NCHITTEST:
        if (dwType == BS_GROUPBOX)
            return HTTRANSPARENT;
        return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (dwType == BS_GROUPBOX)
            return 0;
        if (GetFocus() != hWnd)
            SetFocus(hWnd);
        SetCapture(hWnd);
        SetPushed(hWnd, true);
        return 0;
    case WM_LBUTTONUP:
        return OnButtonUp(hWnd, lParam);
    case WM_MOUSEMOVE:
        if (GetCapture() == hWnd)
            SetPushed(hWnd, InsideClient(hWnd, lParam));
        return 0;
    case WM_CAPTURECHANGED:
        SetPushed(hWnd, false);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && dwType != BS_GROUPBOX)
            SetPushed(hWnd, true);
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && IsPushed(hWnd)) {
            SetPushed(hWnd, false);
            OnButtonClicked(hWnd);
        }
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintControl(hWnd, IsPushType(dwType) ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC);
        return 0;
    case WM_ENABLE:
        Invalidate(hWnd);
        return 0;
    default:
        return ButtonMessage(hWnd, nMessage, wParam, lParam);
    }
}

LRESULT CALLBACK ComboBoxProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (HandleFont(hWnd, nMessage, wParam, &lResult))
        return lResult;
    {
        auto lock = LockState();
        CWindow* pWnd = FindWindowData(hWnd);
        if (pWnd == nullptr)
            return 0;
        if (ComboListMessage(pWnd, nMessage, wParam, lParam, &lResult))
            return lResult;
        if (nMessage == WM_SETTEXT && IsDropDownList(pWnd)) {
            const int nFound = FindItem(pWnd, static_cast<WPARAM>(-1), TextParam(lParam), true);
            if (nFound == CB_ERR)
                return CB_ERR;
            SelectItem(pWnd, nFound);
            return TRUE;
        }
    }
    switch (nMessage) {
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
        if (GetFocus() != hWnd)
            SetFocus(hWnd);
        return 0;
    case WM_SETFOCUS:
        NotifyParent(hWnd, CBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        NotifyParent(hWnd, CBN_KILLFOCUS);
        return 0;
    case WM_KEYDOWN:
        return ComboKey(hWnd, wParam);
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        const bool bList = (StyleOf(hWnd) & 0x3) == CBS_DROPDOWNLIST;
        PaintControl(hWnd, bList ? WM_CTLCOLORLISTBOX : WM_CTLCOLOREDIT);
        return 0;
    }
    default:
        return ComboMessage(hWnd, nMessage, wParam, lParam);
    }
}

LRESULT CALLBACK EditProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (HandleFont(hWnd, nMessage, wParam, &lResult))
        return lResult;
    switch (nMessage) {
    case WM_GETDLGCODE: {
        LRESULT nCode = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        if (StyleOf(hWnd) & ES_MULTILINE)
            nCode |= DLGC_WANTALLKEYS;
        return nCode;
    }
    case WM_LBUTTONDOWN:
        if (GetFocus() != hWnd)
            SetFocus(hWnd);
        return 0;
    case WM_SETFOCUS:
        NotifyParent(hWnd, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        NotifyParent(hWnd, EN_KILLFOCUS);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        const DWORD dwStyle = StyleOf(hWnd);
        const bool bStatic = (dwStyle & ES_READONLY) || (dwStyle & WS_DISABLED);
        PaintControl(hWnd, bStatic ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
        return 0;
    }
    default:
        return EditMessage(hWnd, nMessage, wParam, lParam);
    }
}

LRESULT CALLBACK StaticProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (HandleFont(hWnd, nMessage, wParam, &lResult))
        return lResult;
    switch (nMessage) {
    case WM_CREATE:
        StaticCreate(hWnd);
        return 0;
    case WM_NCDESTROY:
        StaticDestroy(hWnd);
        return 0;
    case STM_SETIMAGE:
        return StaticSetImage(hWnd, static_cast<UINT>(wParam), reinterpret_cast<HANDLE>(lParam));
    case STM_GETIMAGE: {
        auto lock = LockState();
        const CWindow* pWnd = FindWindowData(hWnd);
        return pWnd && pWnd->nImageType == wParam ? reinterpret_cast<LRESULT>(pWnd->hImage) : 0;
    }
    case STM_SETICON:
        return StaticSetImage(hWnd, IMAGE_ICON, reinterpret_cast<HANDLE>(wParam));
    case STM_GETICON: {
        auto lock = LockState();
        const CWindow* pWnd = FindWindowData(hWnd);
        return pWnd && pWnd->nImageType == IMAGE_ICON ? reinterpret_cast<LRESULT>(pWnd->hImage) : 0;
    }
    case WM_NCHITTEST:
        return (StyleOf(hWnd) & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
    case WM_LBUTTONUP:
        if (StyleOf(hWnd) & SS_NOTIFY)
            NotifyParent(hWnd, STN_CLICKED);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintControl(hWnd, WM_CTLCOLORSTATIC);
        return 0;
    default:
        return DefWindowProcW(hWnd, nMessage, wParam, lParam);
    }
}

} // namespace headless
