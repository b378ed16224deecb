// The test driver: the operator's hands and eyes on the headless window
// system, and the message loop and virtual clock that tests run.
#include "winapi/headless/driver.h"
#include "winapi/headless/window_system.h"

#include <algorithm>

using namespace headless;

namespace {

using StateLock = std::unique_lock<std::recursive_mutex>;

StateLock LockState()
{
    return StateLock(StateMutex());
}

const int PUMP_LIMIT = 100000;

bool EnabledChain(HWND hWnd)
{
    for (HWND h = hWnd; h != nullptr; h = GetAncestor(h, GA_PARENT)) {
        if (h == GetDesktopWindow())
            break;
        if (!IsWindowEnabled(h))
            return false;
    }
    return true;
}

// What the operator can reach: an existing, shown, enabled window.
bool Reachable(HWND hWnd)
{
    return IsWindow(hWnd) && IsWindowVisible(hWnd) && !IsIconic(GetAncestor(hWnd, GA_ROOT)) && EnabledChain(hWnd);
}

POINT Centre(HWND hWnd)
{
    RECT rc;
    GetWindowRect(hWnd, &rc);
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

LPARAM ClientPoint(HWND hWnd, POINT ptScreen)
{
    ScreenToClient(hWnd, &ptScreen);
    return MAKELPARAM(ptScreen.x, ptScreen.y);
}

void SetButtonState(bool bDown)
{
    auto lock = LockState();
    State().bLeftButtonDown = bDown;
}

bool IsDialogWindow(HWND hWnd)
{
    auto lock = LockState();
    const CWindow* pWnd = FindWindowData(hWnd);
    return pWnd != nullptr && pWnd->eKind == EWindowKind::DIALOG;
}

// Mouse input as the system routes it: to the capture window if there is
// one, else to the window under the point; outside the client area as a
// non-client message.
bool PostMouseAt(POINT ptScreen, UINT nClientMessage, UINT nNonClientMessage)
{
    SetCursorPos(ptScreen.x, ptScreen.y);
    HWND hCapture = GetCapture();
    HWND hTarget = hCapture ? hCapture : WindowFromPoint(ptScreen);
    if (hTarget == nullptr)
        return false;
    const WPARAM wKeys = nClientMessage == WM_LBUTTONDOWN ? MK_LBUTTON : 0;
    const LRESULT nHit =
        hCapture ? HTCLIENT : SendMessageW(hTarget, WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
    if (nHit == HTCLIENT)
        PostToQueue(hTarget, nClientMessage, wKeys, ClientPoint(hTarget, ptScreen));
    else
        PostToQueue(hTarget, nNonClientMessage, static_cast<WPARAM>(nHit), MAKELPARAM(ptScreen.x, ptScreen.y));
    SetButtonState(nClientMessage == WM_LBUTTONDOWN);
    HeadlessDriver::Pump();
    return true;
}

} // namespace

namespace HeadlessDriver {

void Reset()
{
    ResetWindows();
    ResetDisplayDepth();
    // Tests run on the virtual clock: GetTickCount, Sleep and the waits of
    // the UI thread then move with Advance.
    HeadlessClockUseVirtual(true);
}

HWND Control(HWND hDlg, int nId)
{
    return GetDlgItem(hDlg, nId);
}

CONTROL_STATE ReadControl(HWND hWnd)
{
    CONTROL_STATE state;
    if (!IsWindow(hWnd))
        return state;
    state.bExists = true;
    state.bVisible = IsWindowVisible(hWnd) != 0;
    state.bEnabled = IsWindowEnabled(hWnd) != 0;
    GetWindowRect(hWnd, &state.rcWindow);
    auto lock = LockState();
    const CWindow* pWnd = FindWindowData(hWnd);
    state.strClass = pWnd->strClass;
    state.strText = pWnd->strText;
    state.dwStyle = pWnd->dwStyle;
    state.nCheck = pWnd->nCheck;
    state.nCurSel = pWnd->eKind == EWindowKind::COMBOBOX ? pWnd->nCurSel : CB_ERR;
    for (const auto& item : pWnd->aItems) {
        state.aItems.push_back(item.strText);
        state.aItemData.push_back(item.lData);
    }
    state.hImage = pWnd->hImage;
    return state;
}

CONTROL_STATE ReadControl(HWND hDlg, int nId)
{
    return ReadControl(GetDlgItem(hDlg, nId));
}

bool PressMouse(HWND hWnd)
{
    if (!Reachable(hWnd))
        return false;
    const POINT pt = Centre(hWnd);
    SetCursorPos(pt.x, pt.y);
    SetButtonState(true);
    PostToQueue(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(hWnd, pt));
    Pump();
    return true;
}

bool ReleaseMouse(HWND hWnd)
{
    if (!IsWindow(hWnd))
        return false;
    HWND hCapture = GetCapture();
    if (hCapture == nullptr && !Reachable(hWnd))
        return false;
    const POINT pt = Centre(hWnd);
    SetCursorPos(pt.x, pt.y);
    SetButtonState(false);
    HWND hTarget = hCapture ? hCapture : hWnd;
    PostToQueue(hTarget, WM_LBUTTONUP, 0, ClientPoint(hTarget, pt));
    Pump();
    return true;
}

bool PressMouse(HWND hDlg, int nId)
{
    return PressMouse(GetDlgItem(hDlg, nId));
}

bool ReleaseMouse(HWND hDlg, int nId)
{
    return ReleaseMouse(GetDlgItem(hDlg, nId));
}

bool Click(HWND hWnd)
{
    return PressMouse(hWnd) && ReleaseMouse(hWnd);
}

bool Click(HWND hDlg, int nId)
{
    return Click(GetDlgItem(hDlg, nId));
}

bool PressMouseAt(POINT ptScreen)
{
    return PostMouseAt(ptScreen, WM_LBUTTONDOWN, WM_NCLBUTTONDOWN);
}

bool ReleaseMouseAt(POINT ptScreen)
{
    return PostMouseAt(ptScreen, WM_LBUTTONUP, WM_NCLBUTTONUP);
}

bool ClickAt(POINT ptScreen)
{
    return PressMouseAt(ptScreen) && ReleaseMouseAt(ptScreen);
}

HWND WindowAt(POINT ptScreen)
{
    return WindowFromPoint(ptScreen);
}

void SetCursor(POINT ptScreen)
{
    SetCursorPos(ptScreen.x, ptScreen.y);
}

bool SelectComboIndex(HWND hDlg, int nId, int nIndex)
{
    HWND hCombo = GetDlgItem(hDlg, nId);
    if (!Reachable(hCombo))
        return false;
    const int nCount = static_cast<int>(SendMessageW(hCombo, CB_GETCOUNT, 0, 0));
    if (nIndex < 0 || nIndex >= nCount)
        return false;
    if (GetFocus() != hCombo)
        SetFocus(hCombo);
    SendMessageW(hCombo, CB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
    NotifyParent(hCombo, CBN_SELCHANGE);
    Pump();
    return true;
}

bool SelectComboText(HWND hDlg, int nId, const std::wstring& strText)
{
    HWND hCombo = GetDlgItem(hDlg, nId);
    if (hCombo == nullptr)
        return false;
    const LRESULT nIndex =
        SendMessageW(hCombo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(strText.c_str()));
    if (nIndex == CB_ERR)
        return false;
    return SelectComboIndex(hDlg, nId, static_cast<int>(nIndex));
}

bool TypeText(HWND hDlg, int nId, const std::wstring& strText)
{
    HWND hCtl = GetDlgItem(hDlg, nId);
    if (!Reachable(hCtl))
        return false;
    if (GetFocus() != hCtl)
        SetFocus(hCtl);
    SendMessageW(hCtl, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(strText.c_str()));
    wchar_t szClass[16] = {0};
    GetClassNameW(hCtl, szClass, 16);
    if (std::wstring(szClass) == L"COMBOBOX")
        NotifyParent(hCtl, CBN_EDITCHANGE);
    Pump();
    return true;
}

bool PressKey(UINT nVirtualKey)
{
    HWND hTarget = GetFocus();
    if (hTarget == nullptr)
        hTarget = GetActiveWindow();
    if (hTarget == nullptr)
        return false;
    PostToQueue(hTarget, WM_KEYDOWN, nVirtualKey, 1);
    PostToQueue(hTarget, WM_KEYUP, nVirtualKey, static_cast<LPARAM>(0xC0000001u));
    Pump();
    return true;
}

void Deactivate()
{
    HWND hCapture = GetCapture();
    if (hCapture != nullptr) {
        SendMessageW(hCapture, WM_CANCELMODE, 0, 0);
        if (GetCapture() == hCapture)
            ReleaseCapture();
    }
    HWND hActive = GetActiveWindow();
    if (hActive != nullptr) {
        SendMessageW(hActive, WM_ACTIVATE, WA_INACTIVE, 0);
        SendMessageW(hActive, WM_ACTIVATEAPP, FALSE, 0);
        auto lock = LockState();
        State().hActive = nullptr;
    }
    SetFocus(nullptr);
    SetButtonState(false);
    Pump();
}

void Activate(HWND hWnd)
{
    HWND hRoot = GetAncestor(hWnd, GA_ROOT);
    if (hRoot == nullptr)
        return;
    SendMessageW(hRoot, WM_ACTIVATEAPP, TRUE, 0);
    SetActiveWindow(hRoot);
    if (GetFocus() == nullptr && !IsDialogWindow(hRoot))
        SetFocus(hRoot);
    Pump();
}

void SetMessageFilter(std::function<bool(MSG&)> fnFilter)
{
    auto lock = LockState();
    State().fnMessageFilter = std::move(fnFilter);
}

bool PumpOne()
{
    MSG msg;
    if (!FetchMessage(&msg, nullptr, 0, 0, true))
        return false;
    if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    std::function<bool(MSG&)> fnFilter;
    {
        auto lock = LockState();
        fnFilter = State().fnMessageFilter;
    }
    if (fnFilter) {
        if (fnFilter(msg))
            return true;
    } else if (msg.hwnd != nullptr) {
        HWND hRoot = GetAncestor(msg.hwnd, GA_ROOT);
        if (IsDialogWindow(hRoot) && IsDialogMessageW(hRoot, &msg))
            return true;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

int Pump()
{
    int nCount = 0;
    while (nCount < PUMP_LIMIT && PumpOne())
        ++nCount;
    ServeSentMessages();
    return nCount;
}

void SetIdleHook(std::function<bool()> fnIdle)
{
    auto lock = LockState();
    State().fnIdleHook = std::move(fnIdle);
}

void Advance(DWORD nMilliseconds)
{
    uint64_t nTarget = 0;
    {
        auto lock = LockState();
        nTarget = State().nNow + nMilliseconds;
    }
    for (;;) {
        std::function<void(DWORD)> fnHook;
        DWORD nElapsed = 0;
        {
            auto lock = LockState();
            CState& state = State();
            CTimer* pNext = nullptr;
            for (auto& timer : state.aTimers) {
                if (timer.nDue > nTarget)
                    continue;
                if (pNext == nullptr || timer.nDue < pNext->nDue ||
                    (timer.nDue == pNext->nDue && timer.nCreated < pNext->nCreated))
                    pNext = &timer;
            }
            if (pNext == nullptr)
                break;
            nElapsed = static_cast<DWORD>(pNext->nDue - state.nNow);
            state.nNow = pNext->nDue;
            pNext->nDue += pNext->nPeriod;
            if (!pNext->bPending) {
                pNext->bPending = true;
                pNext->nPendingOrder = state.nTimerOrder++;
            }
            fnHook = state.fnClockHook;
        }
        AdvanceKernelClock(nElapsed);
        if (fnHook && nElapsed > 0)
            fnHook(nElapsed);
        Pump();
    }
    std::function<void(DWORD)> fnHook;
    DWORD nRest = 0;
    {
        auto lock = LockState();
        nRest = static_cast<DWORD>(nTarget - State().nNow);
        State().nNow = nTarget;
        fnHook = State().fnClockHook;
    }
    AdvanceKernelClock(nRest);
    if (fnHook && nRest > 0)
        fnHook(nRest);
    Pump();
}

DWORD Now()
{
    auto lock = LockState();
    return static_cast<DWORD>(State().nNow);
}

void SetClockHook(std::function<void(DWORD)> fnElapsed)
{
    auto lock = LockState();
    State().fnClockHook = std::move(fnElapsed);
}

int TimerCount(HWND hWnd)
{
    auto lock = LockState();
    return static_cast<int>(std::count_if(State().aTimers.begin(), State().aTimers.end(),
                                          [&](const CTimer& timer) { return timer.hWnd == hWnd; }));
}

std::vector<MESSAGE_BOX> MessageBoxes()
{
    auto lock = LockState();
    return State().aMessageBoxes;
}

void ClearMessageBoxes()
{
    auto lock = LockState();
    State().aMessageBoxes.clear();
}

void SetMessageBoxHook(std::function<int(const MESSAGE_BOX&)> fnHook)
{
    auto lock = LockState();
    State().fnMessageBoxHook = std::move(fnHook);
}

std::vector<HWND> Drags()
{
    auto lock = LockState();
    return State().aDrags;
}

PIXELS ReadPixels(HWND hWnd)
{
    PIXELS pixels;
    auto lock = LockState();
    int cx = 0;
    int cy = 0;
    const uint32_t* p = WindowSurface(hWnd, &cx, &cy);
    pixels.nWidth = cx;
    pixels.nHeight = cy;
    if (p != nullptr)
        pixels.aPixels.assign(p, p + static_cast<size_t>(cx) * cy);
    return pixels;
}

PIXELS Paint(HWND hWnd)
{
    std::vector<HWND> aTree;
    {
        auto lock = LockState();
        aTree = Subtree(hWnd);
    }
    for (HWND h : aTree) {
        if (!IsWindowVisible(h))
            continue;
        InvalidateRect(h, nullptr, TRUE);
        UpdateWindow(h);
    }
    return ReadPixels(hWnd);
}

void SetDisplayDepth(int nBitsPerPixel)
{
    if (nBitsPerPixel != 16 && nBitsPerPixel != 24 && nBitsPerPixel != 32)
        return;
    auto lock = LockState();
    State().nDisplayBpp = nBitsPerPixel;
}

int DisplayDepth()
{
    auto lock = LockState();
    return State().nDisplayBpp;
}

int LiveGdiObjects()
{
    return LiveGdiObjectCount();
}

std::string LastDialogError()
{
    auto lock = LockState();
    return State().strLastDialogError;
}

bool IsDialogEnded(HWND hDlg, INT_PTR* pnResult)
{
    auto lock = LockState();
    const CWindow* pWnd = FindWindowData(hDlg);
    if (pWnd == nullptr || !pWnd->bDialogEnded)
        return false;
    if (pnResult != nullptr)
        *pnResult = pWnd->nDialogResult;
    return true;
}

} // namespace HeadlessDriver
