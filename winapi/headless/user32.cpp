// Window manager core of the headless window system: window classes, window
// lifetime and attributes, the message queue and loop, focus, capture,
// timers on the virtual clock, and the default window procedure.
#include "winapi/headless/window_system.h"

#include <algorithm>
#include <cstring>
#include <cwctype>

namespace headless {

namespace {

using StateLock = std::unique_lock<std::recursive_mutex>;

StateLock LockState()
{
    return StateLock(StateMutex());
}

std::wstring UpperName(const std::wstring& strName)
{
    std::wstring str = strName;
    for (auto& ch : str)
        ch = static_cast<wchar_t>(std::towupper(ch));
    return str;
}

struct SYSTEM_CLASS {
    const wchar_t* pszName;
    EWindowKind eKind;
    WNDPROC pfnProc;
    int cbExtra;
};

void RegisterSystemClasses(CState& state)
{
    const SYSTEM_CLASS aSystem[] = {
        {L"#32770", EWindowKind::DIALOG, &DefDlgProcW, static_cast<int>(DLGWINDOWEXTRA)},
        {L"BUTTON", EWindowKind::BUTTON, &ButtonProc, 0},
        {L"COMBOBOX", EWindowKind::COMBOBOX, &ComboBoxProc, 0},
        {L"EDIT", EWindowKind::EDIT, &EditProc, 0},
        {L"STATIC", EWindowKind::STATIC, &StaticProc, 0},
    };
    for (const auto& system : aSystem) {
        auto pClass = std::make_unique<CWindowClass>();
        pClass->strName = system.pszName;
        pClass->eKind = system.eKind;
        pClass->pfnProc = system.pfnProc;
        pClass->cbWndExtra = system.cbExtra;
        pClass->nAtom = state.nNextAtom++;
        pClass->bSystem = true;
        pClass->hCursor = StockCursor();
        state.aClasses.push_back(std::move(pClass));
    }
}

CWindowClass* FindClass(LPCWSTR pszClass)
{
    CState& state = State();
    if (pszClass == nullptr)
        return nullptr;
    if (IS_INTRESOURCE(pszClass)) {
        const ATOM nAtom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(pszClass));
        for (auto& pClass : state.aClasses)
            if (pClass->nAtom == nAtom)
                return pClass.get();
        return nullptr;
    }
    const std::wstring strUpper = UpperName(pszClass);
    for (auto& pClass : state.aClasses)
        if (UpperName(pClass->strName) == strUpper)
            return pClass.get();
    return nullptr;
}

bool MatchesFilter(const MSG& msg, HWND hFilter, UINT nMin, UINT nMax)
{
    if (nMin != 0 || nMax != 0) {
        if (msg.message < nMin || msg.message > nMax)
            return false;
    }
    if (hFilter == nullptr)
        return true;
    if (hFilter == reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1)))
        return msg.hwnd == nullptr;
    return msg.hwnd == hFilter || IsChild(hFilter, msg.hwnd);
}

bool OnOtherThread(HWND hWnd)
{
    auto lock = LockState();
    const CWindow* pWnd = FindWindowData(hWnd);
    return pWnd != nullptr && pWnd->idThread != std::this_thread::get_id();
}

// Runs fnCall on the thread that owns the windows and waits for its result,
// as SendMessage does between threads.
LRESULT CallOnWindowThread(std::function<LRESULT()> fnCall)
{
    auto pTask = std::make_shared<CSentTask>();
    pTask->fnCall = std::move(fnCall);
    CQueue& queue = Queue();
    std::unique_lock<std::mutex> lock(queue.mx);
    queue.aSent.push_back(pTask);
    queue.cv.notify_all();
    lock.unlock();
    HeadlessWakeMessageWaiters();
    lock.lock();
    queue.cv.wait(lock, [&] { return pTask->bDone; });
    return pTask->lResult;
}

void SendSizeMessages(HWND hWnd, const RECT& rcOld)
{
    RECT rc;
    {
        auto lock = LockState();
        const CWindow* pWnd = FindWindowData(hWnd);
        if (pWnd == nullptr)
            return;
        rc = pWnd->rcWindow;
    }
    if (rc.left != rcOld.left || rc.top != rcOld.top)
        SendMessageW(hWnd, WM_MOVE, 0, MAKELPARAM(rc.left, rc.top));
    const LONG cx = rc.right - rc.left;
    const LONG cy = rc.bottom - rc.top;
    if (cx != rcOld.right - rcOld.left || cy != rcOld.bottom - rcOld.top)
        SendMessageW(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(cx, cy));
}

std::vector<HWND>* SiblingList(CWindow* pWnd)
{
    if (pWnd->hParent != nullptr) {
        CWindow* pParent = FindWindowData(pWnd->hParent);
        return pParent ? &pParent->aChildren : nullptr;
    }
    return &State().aTopLevel;
}

void FinishDestroy(HWND hWnd)
{
    HRGN hRegion = nullptr;
    HFONT hFont = nullptr;
    {
        auto lock = LockState();
        CState& state = State();
        CWindow* pWnd = FindWindowData(hWnd);
        if (pWnd == nullptr)
            return;
        hRegion = pWnd->hRegion;
        pWnd->hRegion = nullptr;
        if (pWnd->bOwnsFont)
            hFont = pWnd->hFont;
        if (auto* pSiblings = SiblingList(pWnd))
            pSiblings->erase(std::remove(pSiblings->begin(), pSiblings->end(), hWnd), pSiblings->end());
        state.aTimers.erase(std::remove_if(state.aTimers.begin(), state.aTimers.end(),
                                           [&](const CTimer& timer) { return timer.hWnd == hWnd; }),
                            state.aTimers.end());
        if (state.hFocus == hWnd)
            state.hFocus = nullptr;
        if (state.hCapture == hWnd)
            state.hCapture = nullptr;
        if (state.hActive == hWnd)
            state.hActive = nullptr;
        state.mapWindows.erase(reinterpret_cast<uintptr_t>(hWnd));
    }
    if (hRegion != nullptr)
        DeleteSystemRegion(hRegion);
    if (hFont != nullptr)
        DeleteObject(hFont);
}

void DestroyTree(HWND hWnd)
{
    SendMessageW(hWnd, WM_DESTROY, 0, 0);
    std::vector<HWND> aChildren;
    {
        auto lock = LockState();
        if (CWindow* pWnd = FindWindowData(hWnd))
            aChildren = pWnd->aChildren;
    }
    for (HWND hChild : aChildren) {
        {
            auto lock = LockState();
            CWindow* pChild = FindWindowData(hChild);
            if (pChild == nullptr || pChild->bDestroying)
                continue;
            pChild->bDestroying = true;
        }
        DestroyTree(hChild);
    }
    SendMessageW(hWnd, WM_NCDESTROY, 0, 0);
    FinishDestroy(hWnd);
}

HWND ChildAtPoint(HWND hParent, POINT ptScreen, bool bSkipTransparent);

bool ContainsScreenPoint(HWND hWnd, POINT ptScreen)
{
    RECT rc;
    if (!GetWindowRect(hWnd, &rc) || !PtInRect(&rc, ptScreen))
        return false;
    HRGN hRegion = nullptr;
    {
        auto lock = LockState();
        if (CWindow* pWnd = FindWindowData(hWnd))
            hRegion = pWnd->hRegion;
    }
    return hRegion == nullptr || PtInRegion(hRegion, ptScreen.x - rc.left, ptScreen.y - rc.top);
}

HWND ChildAtPoint(HWND hParent, POINT ptScreen, bool bSkipTransparent)
{
    std::vector<HWND> aChildren;
    {
        auto lock = LockState();
        if (CWindow* pWnd = FindWindowData(hParent))
            aChildren = pWnd->aChildren;
    }
    for (HWND hChild : aChildren) {
        if (!(GetWindowLongW(hChild, GWL_STYLE) & WS_VISIBLE) || !ContainsScreenPoint(hChild, ptScreen))
            continue;
        if (bSkipTransparent) {
            if (!IsWindowEnabled(hChild))
                continue;
            const LRESULT nHit = SendMessageW(hChild, WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
            if (nHit == HTTRANSPARENT)
                continue;
        }
        HWND hDeeper = ChildAtPoint(hChild, ptScreen, bSkipTransparent);
        return hDeeper ? hDeeper : hChild;
    }
    return nullptr;
}

thread_local bool t_bDriverAdvancing = false;

// Time moved by a Sleep or a wait of the UI thread, or by a test, makes the
// timers due on the same clock; the WM_TIMER messages follow when the thread
// next looks at its queue.
void OnKernelClockAdvanced(DWORD dwElapsed, void*)
{
    if (t_bDriverAdvancing)
        return;
    {
        auto lock = LockState();
        CState& state = State();
        state.nNow += dwElapsed;
        for (auto& timer : state.aTimers) {
            if (timer.nDue > state.nNow)
                continue;
            while (timer.nDue <= state.nNow)
                timer.nDue += timer.nPeriod;
            if (!timer.bPending) {
                timer.bPending = true;
                timer.nPendingOrder = state.nTimerOrder++;
            }
        }
    }
    HeadlessWakeMessageWaiters();
}

BOOL HasInputFor(DWORD dwWakeMask)
{
    {
        CQueue& queue = Queue();
        std::lock_guard<std::mutex> lock(queue.mx);
        if ((dwWakeMask & QS_SENDMESSAGE) && !queue.aSent.empty())
            return TRUE;
        if ((dwWakeMask & (QS_POSTMESSAGE | QS_ALLPOSTMESSAGE | QS_INPUT)) && (!queue.aPosted.empty() || queue.bQuit))
            return TRUE;
    }
    if (dwWakeMask & QS_TIMER) {
        auto lock = LockState();
        for (const auto& timer : State().aTimers)
            if (timer.bPending)
                return TRUE;
    }
    return FALSE;
}

} // namespace

void AdvanceKernelClock(DWORD dwElapsed)
{
    t_bDriverAdvancing = true;
    HeadlessClockAdvance(dwElapsed);
    t_bDriverAdvancing = false;
}

std::recursive_mutex& StateMutex()
{
    static std::recursive_mutex mx;
    return mx;
}

CState& State()
{
    static CState* pState = [] {
        auto* p = new CState;
        RegisterSystemClasses(*p);
        HeadlessSetMessageProbe(&HasInputFor);
        HeadlessClockAddListener(&OnKernelClockAdvanced, nullptr);
        return p;
    }();
    return *pState;
}

CQueue& Queue()
{
    static CQueue queue;
    return queue;
}

CWindow* FindWindowData(HWND hWnd)
{
    auto& map = State().mapWindows;
    auto it = map.find(reinterpret_cast<uintptr_t>(hWnd));
    return it == map.end() ? nullptr : it->second.get();
}

HWND RootWindow(HWND hWnd)
{
    CWindow* pWnd = FindWindowData(hWnd);
    while (pWnd != nullptr && pWnd->hParent != nullptr) {
        CWindow* pParent = FindWindowData(pWnd->hParent);
        if (pParent == nullptr)
            break;
        pWnd = pParent;
    }
    return pWnd ? pWnd->hWnd : nullptr;
}

POINT ScreenOrigin(HWND hWnd)
{
    POINT pt = {0, 0};
    for (CWindow* pWnd = FindWindowData(hWnd); pWnd != nullptr; pWnd = FindWindowData(pWnd->hParent)) {
        pt.x += pWnd->rcWindow.left;
        pt.y += pWnd->rcWindow.top;
        if (pWnd->hParent == nullptr)
            break;
    }
    return pt;
}

std::vector<HWND> Subtree(HWND hWnd)
{
    std::vector<HWND> aAll;
    CWindow* pWnd = FindWindowData(hWnd);
    if (pWnd == nullptr)
        return aAll;
    aAll.push_back(hWnd);
    for (HWND hChild : pWnd->aChildren) {
        auto aSub = Subtree(hChild);
        aAll.insert(aAll.end(), aSub.begin(), aSub.end());
    }
    return aAll;
}

int ServeSentMessages()
{
    {
        auto lock = LockState();
        if (State().idUiThread != std::this_thread::get_id())
            return 0;
    }
    CQueue& queue = Queue();
    int nServed = 0;
    for (;;) {
        std::shared_ptr<CSentTask> pTask;
        {
            std::lock_guard<std::mutex> lock(queue.mx);
            if (queue.aSent.empty())
                break;
            pTask = queue.aSent.front();
            queue.aSent.pop_front();
        }
        const LRESULT lResult = pTask->fnCall();
        {
            std::lock_guard<std::mutex> lock(queue.mx);
            pTask->lResult = lResult;
            pTask->bDone = true;
        }
        queue.cv.notify_all();
        ++nServed;
    }
    return nServed;
}

bool FetchMessage(MSG* pMsg, HWND hFilter, UINT nMin, UINT nMax, bool bRemove)
{
    ServeSentMessages();
    CQueue& queue = Queue();
    {
        std::lock_guard<std::mutex> lock(queue.mx);
        for (auto it = queue.aPosted.begin(); it != queue.aPosted.end(); ++it) {
            if (!MatchesFilter(*it, hFilter, nMin, nMax))
                continue;
            *pMsg = *it;
            if (bRemove)
                queue.aPosted.erase(it);
            return true;
        }
        if (queue.bQuit && (nMin == 0 && nMax == 0 ? true : (WM_QUIT >= nMin && WM_QUIT <= nMax))) {
            *pMsg = MSG{};
            pMsg->message = WM_QUIT;
            pMsg->wParam = static_cast<WPARAM>(queue.nQuitCode);
            if (bRemove)
                queue.bQuit = false;
            return true;
        }
    }
    auto lock = LockState();
    CState& state = State();
    CTimer* pDue = nullptr;
    for (auto& timer : state.aTimers) {
        if (!timer.bPending)
            continue;
        MSG msgTimer{};
        msgTimer.hwnd = timer.hWnd;
        msgTimer.message = WM_TIMER;
        if (!MatchesFilter(msgTimer, hFilter, nMin, nMax))
            continue;
        if (pDue == nullptr || timer.nPendingOrder < pDue->nPendingOrder)
            pDue = &timer;
    }
    if (pDue == nullptr)
        return false;
    *pMsg = MSG{};
    pMsg->hwnd = pDue->hWnd;
    pMsg->message = WM_TIMER;
    pMsg->wParam = pDue->nId;
    pMsg->lParam = reinterpret_cast<LPARAM>(pDue->pfnProc);
    pMsg->time = static_cast<DWORD>(state.nNow);
    pMsg->pt = state.ptCursor;
    if (bRemove)
        pDue->bPending = false;
    return true;
}

void WaitForInput()
{
    std::function<bool()> fnIdle;
    {
        auto lock = LockState();
        fnIdle = State().fnIdleHook;
        for (const auto& timer : State().aTimers)
            if (timer.bPending)
                return;
    }
    if (fnIdle && fnIdle())
        return;
    CQueue& queue = Queue();
    std::unique_lock<std::mutex> lock(queue.mx);
    queue.cv.wait(lock, [&] { return !queue.aPosted.empty() || !queue.aSent.empty() || queue.bQuit; });
}

void PostToQueue(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    MSG msg{};
    msg.hwnd = hWnd;
    msg.message = nMessage;
    msg.wParam = wParam;
    msg.lParam = lParam;
    {
        auto lock = LockState();
        msg.time = static_cast<DWORD>(State().nNow);
        msg.pt = State().ptCursor;
    }
    CQueue& queue = Queue();
    {
        std::lock_guard<std::mutex> lock(queue.mx);
        queue.aPosted.push_back(msg);
    }
    queue.cv.notify_all();
    HeadlessWakeMessageWaiters();
}

LRESULT NotifyParent(HWND hWnd, WORD nCode)
{
    HWND hParent = GetParent(hWnd);
    if (hParent == nullptr)
        return 0;
    const int nId = GetDlgCtrlID(hWnd);
    return SendMessageW(hParent, WM_COMMAND, MAKEWPARAM(nId, nCode), reinterpret_cast<LPARAM>(hWnd));
}

uint32_t* WindowSurface(HWND hWnd, int* pnWidth, int* pnHeight)
{
    CWindow* pWnd = FindWindowData(hWnd);
    if (pWnd == nullptr)
        return nullptr;
    const int cx = std::max<LONG>(0, pWnd->rcWindow.right - pWnd->rcWindow.left);
    const int cy = std::max<LONG>(0, pWnd->rcWindow.bottom - pWnd->rcWindow.top);
    if (cx != pWnd->nSurfaceWidth || cy != pWnd->nSurfaceHeight) {
        pWnd->aSurface.assign(static_cast<size_t>(cx) * cy, 0);
        pWnd->nSurfaceWidth = cx;
        pWnd->nSurfaceHeight = cy;
    }
    *pnWidth = cx;
    *pnHeight = cy;
    return pWnd->aSurface.empty() ? nullptr : pWnd->aSurface.data();
}

void ResetWindows()
{
    std::vector<HWND> aTop;
    {
        auto lock = LockState();
        State().idUiThread = std::this_thread::get_id();
        aTop = State().aTopLevel;
    }
    for (auto it = aTop.rbegin(); it != aTop.rend(); ++it)
        DestroyWindow(*it);
    {
        auto lock = LockState();
        CState& state = State();
        // Windows whose procedures refused to go are dropped all the same.
        for (auto& entry : state.mapWindows)
            if (entry.second->hRegion)
                DeleteSystemRegion(entry.second->hRegion);
        state.mapWindows.clear();
        state.aTopLevel.clear();
        state.aTimers.clear();
        state.nNow = 0;
        state.hFocus = state.hCapture = state.hActive = nullptr;
        state.ptCursor = POINT{0, 0};
        state.bLeftButtonDown = false;
        state.aMessageBoxes.clear();
        state.fnMessageBoxHook = nullptr;
        state.nOpenMessageBoxes = 0;
        state.aDrags.clear();
        state.fnMessageFilter = nullptr;
        state.fnIdleHook = nullptr;
        state.fnClockHook = nullptr;
        state.strLastDialogError.clear();
        state.aClasses.erase(std::remove_if(state.aClasses.begin(), state.aClasses.end(),
                                            [](const std::unique_ptr<CWindowClass>& p) { return !p->bSystem; }),
                             state.aClasses.end());
    }
    CQueue& queue = Queue();
    {
        std::lock_guard<std::mutex> lock(queue.mx);
        queue.aPosted.clear();
        queue.bQuit = false;
        for (auto& pTask : queue.aSent)
            pTask->bDone = true;
        queue.aSent.clear();
    }
    queue.cv.notify_all();
}

} // namespace headless

using namespace headless;

// ---------------------------------------------------------------------------
// Classes

static ATOM RegisterClassCommon(UINT nStyle, WNDPROC pfnProc, int cbWndExtra, HINSTANCE hInstance, HICON hIcon,
                                HICON hIconSmall, HCURSOR hCursor, HBRUSH hbrBackground, LPCWSTR pszName)
{
    if (pfnProc == nullptr || pszName == nullptr || IS_INTRESOURCE(pszName) || *pszName == 0)
        return 0;
    auto lock = LockState();
    CState& state = State();
    CWindowClass* pExisting = FindClass(pszName);
    if (pExisting != nullptr && !pExisting->bSystem)
        return 0;
    auto pClass = std::make_unique<CWindowClass>();
    pClass->strName = pszName;
    pClass->nStyle = nStyle;
    pClass->pfnProc = pfnProc;
    pClass->cbWndExtra = std::max(0, cbWndExtra);
    pClass->hInstance = hInstance;
    pClass->hIcon = hIcon;
    pClass->hIconSmall = hIconSmall;
    pClass->hCursor = hCursor;
    pClass->hbrBackground = hbrBackground;
    pClass->nAtom = state.nNextAtom++;
    const ATOM nAtom = pClass->nAtom;
    // A registered class of a system name replaces the system one for new windows.
    state.aClasses.insert(state.aClasses.begin(), std::move(pClass));
    return nAtom;
}

ATOM WINAPI RegisterClassW(const WNDCLASSW* p)
{
    if (p == nullptr)
        return 0;
    return RegisterClassCommon(p->style, p->lpfnWndProc, p->cbWndExtra, p->hInstance, p->hIcon, nullptr, p->hCursor,
                               p->hbrBackground, p->lpszClassName);
}

ATOM WINAPI RegisterClassExW(const WNDCLASSEXW* p)
{
    if (p == nullptr || p->cbSize != sizeof(WNDCLASSEXW))
        return 0;
    return RegisterClassCommon(p->style, p->lpfnWndProc, p->cbWndExtra, p->hInstance, p->hIcon, p->hIconSm,
                               p->hCursor, p->hbrBackground, p->lpszClassName);
}

BOOL WINAPI UnregisterClassW(LPCWSTR lpClassName, HINSTANCE)
{
    auto lock = LockState();
    CState& state = State();
    CWindowClass* pClass = FindClass(lpClassName);
    if (pClass == nullptr || pClass->bSystem)
        return FALSE;
    for (auto& entry : state.mapWindows)
        if (entry.second->pClass == pClass)
            return FALSE;
    state.aClasses.erase(std::remove_if(state.aClasses.begin(), state.aClasses.end(),
                                        [&](const std::unique_ptr<CWindowClass>& p) { return p.get() == pClass; }),
                         state.aClasses.end());
    return TRUE;
}

BOOL WINAPI GetClassInfoExW(HINSTANCE, LPCWSTR lpszClass, LPWNDCLASSEXW lpwcx)
{
    auto lock = LockState();
    const CWindowClass* pClass = FindClass(lpszClass);
    if (pClass == nullptr || lpwcx == nullptr)
        return FALSE;
    lpwcx->style = pClass->nStyle;
    lpwcx->lpfnWndProc = pClass->pfnProc;
    lpwcx->cbClsExtra = 0;
    lpwcx->cbWndExtra = pClass->cbWndExtra;
    lpwcx->hInstance = pClass->hInstance;
    lpwcx->hIcon = pClass->hIcon;
    lpwcx->hCursor = pClass->hCursor;
    lpwcx->hbrBackground = pClass->hbrBackground;
    lpwcx->lpszMenuName = nullptr;
    lpwcx->lpszClassName = pClass->strName.c_str();
    lpwcx->hIconSm = pClass->hIconSmall;
    return pClass->nAtom;
}

int WINAPI GetClassNameW(HWND hWnd, LPWSTR lpClassName, int nMaxCount)
{
    auto lock = LockState();
    const CWindow* pWnd = FindWindowData(hWnd);
    if (pWnd == nullptr || lpClassName == nullptr || nMaxCount <= 0)
        return 0;
    const int nCopy = std::min<int>(static_cast<int>(pWnd->strClass.size()), nMaxCount - 1);
    std::copy(pWnd->strClass.begin(), pWnd->strClass.begin() + nCopy, lpClassName);
    lpClassName[nCopy] = 0;
    return nCopy;
}

// ---------------------------------------------------------------------------
// Window lifetime

HWND WINAPI CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, int X, int Y,
                            int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance,
                            LPVOID lpParam)
{
    HWND hWnd = nullptr;
    const bool bVisible = (dwStyle & WS_VISIBLE) != 0;
    {
        auto lock = LockState();
        CState& state = State();
        CWindowClass* pClass = FindClass(lpClassName);
        if (pClass == nullptr)
            return nullptr;
        const bool bChild = (dwStyle & WS_CHILD) != 0;
        CWindow* pParent = FindWindowData(hWndParent);
        if (bChild && pParent == nullptr)
            return nullptr;
        if (state.mapWindows.empty() && state.aTopLevel.empty())
            state.idUiThread = std::this_thread::get_id();
        auto pWnd = std::make_shared<CWindow>();
        hWnd = reinterpret_cast<HWND>(state.nNextWindow);
        state.nNextWindow += 4;
        pWnd->hWnd = hWnd;
        pWnd->eKind = pClass->eKind;
        pWnd->strClass = pClass->strName;
        pWnd->pClass = pClass;
        pWnd->pfnProc = pClass->pfnProc;
        pWnd->hInstance = hInstance;
        pWnd->dwStyle = dwStyle & ~WS_VISIBLE;
        pWnd->dwExStyle = dwExStyle;
        pWnd->idThread = std::this_thread::get_id();
        pWnd->aExtra.assign(static_cast<size_t>(pClass->cbWndExtra), 0);
        if (X == CW_USEDEFAULT)
            X = Y = 0;
        if (nWidth == CW_USEDEFAULT) {
            nWidth = 400;
            nHeight = 300;
        }
        pWnd->rcWindow = RECT{X, Y, X + std::max(0, nWidth), Y + std::max(0, nHeight)};
        if (bChild) {
            pWnd->nId = static_cast<int>(reinterpret_cast<INT_PTR>(hMenu));
            pWnd->hParent = hWndParent;
            pParent->aChildren.push_back(hWnd);
        } else {
            pWnd->hOwner = hWndParent ? RootWindow(hWndParent) : nullptr;
            state.aTopLevel.insert(state.aTopLevel.begin(), hWnd);
        }
        state.mapWindows[reinterpret_cast<uintptr_t>(hWnd)] = pWnd;
    }
    CREATESTRUCTW cs{};
    cs.lpCreateParams = lpParam;
    cs.hInstance = hInstance;
    cs.hMenu = hMenu;
    cs.hwndParent = hWndParent;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.x = X;
    cs.y = Y;
    cs.style = static_cast<LONG>(dwStyle);
    cs.lpszName = lpWindowName;
    cs.lpszClass = lpClassName;
    cs.dwExStyle = dwExStyle;
    if (!SendMessageW(hWnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        DestroyWindow(hWnd);
        return nullptr;
    }
    if (!IsWindow(hWnd) || SendMessageW(hWnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hWnd);
        return nullptr;
    }
    if (bVisible && IsWindow(hWnd))
        ShowWindow(hWnd, SW_SHOW);
    return IsWindow(hWnd) ? hWnd : nullptr;
}

BOOL WINAPI DestroyWindow(HWND hWnd)
{
    if (OnOtherThread(hWnd))
        return static_cast<BOOL>(CallOnWindowThread([=] { return static_cast<LRESULT>(DestroyWindow(hWnd)); }));
    std::vector<HWND> aOwned;
    std::vector<HWND> aTree;
    {
        auto lock = LockState();
        CWindow* pWnd = FindWindowData(hWnd);
        if (pWnd == nullptr)
            return FALSE;
        if (pWnd->bDestroying)
            return TRUE;
        pWnd->bDestroying = true;
        for (auto& entry : State().mapWindows)
            if (entry.second->hOwner == hWnd && entry.first != reinterpret_cast<uintptr_t>(hWnd))
                aOwned.push_back(entry.second->hWnd);
        aTree = Subtree(hWnd);
    }
    for (HWND hOwned : aOwned)
        DestroyWindow(hOwned);
    HWND hFocus = GetFocus();
    if (hFocus != nullptr && std::find(aTree.begin(), aTree.end(), hFocus) != aTree.end())
        SetFocus(nullptr);
    HWND hCapture = GetCapture();
    if (hCapture != nullptr && std::find(aTree.begin(), aTree.end(), hCapture) != aTree.end())
        ReleaseCapture();
    {
        auto lock = LockState();
        if (CWindow* pWnd = FindWindowData(hWnd))
            pWnd->dwStyle &= ~WS_VISIBLE;
    }
    DestroyTree(hWnd);
    return TRUE;
}

BOOL WINAPI IsWindow(HWND hWnd)
{
    auto lock = LockState();
    return FindWindowData(hWnd) != nullptr;
}

BOOL WINAPI IsChild(HWND hWndParent, HWND hWnd)
{
    auto lock = LockState();
    CWindow* pWnd = FindWindowData(hWnd);
    while (pWnd != nullptr && pWnd->hParent != nullptr) {
        if (pWnd->hParent == hWndParent)
            return TRUE;
        pWnd = FindWindowData(pWnd->hParent);
    }
    return FALSE;
}

HWND WINAPI GetParent(HWND hWnd)
{
    auto lock = LockState();
    const CWindow* pWnd = FindWindowData(hWnd);
    if (pWnd == nullptr)
        return nullptr;
    return pWnd->hParent ? pWnd->hParent : pWnd->hOwner;
}

HWND WINAPI GetAncestor(HWND hWnd, UINT gaFlags)
{
    auto lock = LockState();
    CWindow* pWnd = FindWindowData(hWnd);
    if (pWnd == nullptr)
        return nullptr;
    switch (gaFlags) {
    case GA_PARENT:
        return pWnd->hParent ? pWnd->hParent : GetDesktopWindow();
    case GA_ROOT:
        return RootWindow(hWnd);
    case GA_ROOTOWNER: {
        HWND hRoot = RootWindow(hWnd);
        for (CWindow* p = FindWindowData(hRoot); p && p->hOwner; p = FindWindowData(p->hOwner))
            hRoot = p->hOwner;
        return hRoot;
    }
    default:
        return nullptr;
    }
}

HWND WINAPI GetDesktopWindow()
{
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(0x8000));
}

HWND WINAPI GetWindow(HWND hWnd, UINT uCmd)
{
    auto lock = LockState();
    CWindow* pWnd = FindWindowData(hWnd);
    if (pWnd == nullptr)
        return nullptr;
    if (uCmd == GW_CHILD)
        return pWnd->aChildren.empty() ? nullptr : pWnd->aChildren.front();
    if (uCmd == GW_OWNER)
        return pWnd->hOwner;
    const std::vector<HWND>* pSiblings = SiblingList(pWnd);
    if (pSiblings == nullptr || pSiblings->empty())
        return nullptr;
    auto it = std::find(pSiblings->begin(), pSiblings->end(), hWnd);
    switch (uCmd) {
    case GW_HWNDFIRST:
        return pSiblings->front();
    case GW_HWNDLAST:
        return pSiblings->back();
    case GW_HWNDNEXT:
        return (it == pSiblings->end() || it + 1 == pSiblings->end()) ? nullptr : *(it + 1);
    case GW_HWNDPREV:
        return (it == pSiblings->end() || it == pSiblings->begin()) ? nullptr : *(it - 1);
    default:
        return nullptr;
    }
}

BOOL WINAPI EnumChildWindows(HWND hWndParent, WNDENUMPROC lpEnumFunc, LPARAM lParam)
{
    std::vector<HWND> aAll;
    {
        auto lock = LockState();
        aAll = Subtree(hWndParent);
    }
    if (aAll.empty() || lpEnumFunc == nullptr)
        return FALSE;
    for (size_t i = 1; i < aAll.size(); ++i) {
        if (IsWindow(aAll[i]) && !lpEnumFunc(aAll[i], lParam))
            break;
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// Window attributes

LONG_PTR WINAPI GetWindowLongPtrW(HWND hWnd, int nIndex)
{
    auto lock = LockState();
    const CWindow* pWnd = FindWindowData(hWnd);
    if (pWnd == nullptr)
        return 0;
    switch (nIndex) {
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(pWnd->pfnProc);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(pWnd->hInstance);
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(pWnd->hParent ? pWnd->hParent : pWnd->hOwner);
    case GWLP_ID:
        return pWnd->nId;
    case GWL_STYLE:
        return static_cast<LONG>(pWnd->dwStyle);
    case GWL_EXSTYLE:
        return static_cast<LONG>(pWnd->dwExStyle);
    case GWLP_USERDATA:
        return pWnd->lUserData;
    default:
        break;
    }
    if (nIndex < 0 || static_cast<size_t>(nIndex) + sizeof(LONG_PTR) > pWnd->aExtra.size())
        return 0;
    LONG_PTR lValue = 0;
    std::memcpy(&lValue, pWnd->aExtra.data() + nIndex, sizeof(lValue));
    return lValue;
}

LONG_PTR WINAPI SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong)
{
    if (OnOtherThread(hWnd) && nIndex == GWL_STYLE)
        return CallOnWindowThread([=] { return SetWindowLongPtrW(hWnd, nIndex, dwNewLong); });
    auto lock = LockState();
    CWindow* pWnd = FindWindowData(hWnd);
    if (pWnd == nullptr)
        return 0;
    const LONG_PTR lOld = GetWindowLongPtrW(hWnd, nIndex);
    switch (nIndex) {
    case GWLP_WNDPROC:
        if (dwNewLong == 0)
            return 0;
        pWnd->pfnProc = reinterpret_cast<WNDPROC>(dwNewLong);
        return lOld;
    case GWLP_HINSTANCE:
        pWnd->hInstance = reinterpret_cast<HINSTANCE>(dwNewLong);
        return lOld;
    case GWLP_HWNDPARENT:
        if (pWnd->hParent == nullptr)
            pWnd->hOwner = reinterpret_cast<HWND>(dwNewLong);
        return lOld;
    case GWLP_ID:
        pWnd->nId = static_cast<int>(dwNewLong);
        return lOld;
    case GWL_STYLE:
        pWnd->dwStyle = static_cast<DWORD>(dwNewLong);
        return lOld;
    case GWL_EXSTYLE:
        pWnd->dwExStyle = static_cast<DWORD>(dwNewLong);
        return lOld;
    case GWLP_USERDATA:
        pWnd->lUserData = dwNewLong;
        return lOld;
    default:
        break;
    }
    if (nIndex < 0 || static_cast<size_t>(nIndex) + sizeof(LONG_PTR) > pWnd->aExtra.size())
        return 0;
    std::memcpy(pWnd->aExtra.data() + nIndex, &dwNewLong, sizeof(dwNewLong));
    return lOld;
}

LONG WINAPI GetWindowLongW(HWND hWnd, int nIndex)
{
    if (nIndex >= 0) {
        auto lock = LockState();
        const CWindow* pWnd = FindWindowData(hWnd);
        if (pWnd == nullptr || static_cast<size_t>(nIndex) + sizeof(LONG) > pWnd->aExtra.size())
            return 0;
        LONG lValue = 0;
        std::memcpy(&lValue, pWnd->aExtra.data() + nIndex, sizeof(lValue));
        return lValue;
    }
    return static_cast<LONG>(GetWindowLongPtrW(hWnd, nIndex));
}

LONG WINAPI SetWindowLongW(HWND hWnd, int nIndex, LONG dwNewLong)
{
    if (nIndex >= 0) {
        auto lock = LockState();
        CWindow* pWnd = FindWindowData(hWnd);
        if (pWnd == nullptr || static_cast<size_t>(nIndex) + sizeof(LONG) > pWnd->aExtra.size())
            return 0;
        LONG lOld = 0;
        std::memcpy(&lOld, pWnd->aExtra.data() + nIndex, sizeof(lOld));
        std::memcpy(pWnd->aExtra.data() + nIndex, &dwNewLong, sizeof(dwNewLong));
        return lOld;
    }
    if (nIndex == GWL_STYLE || nIndex == GWL_EXSTYLE)
        return static_cast<LONG>(SetWindowLongPtrW(hWnd, nIndex, static_cast<LONG_PTR>(static_cast<DWORD>(dwNewLong))));
    return static_cast<LONG>(SetWindowLongPtrW(hWnd, nIndex, dwNewLong));
}

BOOL WINAPI SetWindowTextW(HWND hWnd, LPCWSTR lpString)
{
    if (!IsWindow(hWnd))
        return FALSE;
    return SendMessageW(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)) != 0 ? TRUE : FALSE;
}

int WINAPI GetWindowTextW(HWND hWnd, LPWSTR lpString, int nMaxCount)
{
    if (lpString == nullptr || nMaxCount <= 0)
        return 0;
    lpString[0] = 0;
    if (!IsWindow(hWnd))
        return 0;
    return static_cast<int>(SendMessageW(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount), reinterpret_cast<LPARAM>(lpString)));
}

int WINAPI GetWindowTextLengthW(HWND hWnd)
{
    if (!IsWindow(hWnd))
        return 0;
    return static_cast<int>(SendMessageW(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow)
{
    if (OnOtherThread(hWnd))
        return static_cast<BOOL>(CallOnWindowThread([=] { return static_cast<LRESULT>(ShowWindow(hWnd, nCmdShow)); }));
    bool bWasVisible = false;
    bool bWasIconic = false;
    bool bVisible = false;
    bool bIconic = false;
    RECT rc{};
    {
        auto lock = LockState();
        CWindow* pWnd = FindWindowData(hWnd);
        if (pWnd == nullptr)
            return FALSE;
        bWasVisible = (pWnd->dwStyle & WS_VISIBLE) != 0;
        bWasIconic = (pWnd->dwStyle & WS_MINIMIZE) != 0;
        bVisible = bWasVisible;
        bIconic = bWasIconic;
        switch (nCmdShow) {
        case SW_HIDE:
            bVisible = false;
            break;
        case SW_SHOWNORMAL:
        case SW_RESTORE:
        case SW_SHOWDEFAULT:
            bVisible = true;
            bIconic = false;
            pWnd->bZoomed = false;
            break;
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
        case SW_SHOWMINNOACTIVE:
        case SW_FORCEMINIMIZE:
            bVisible = true;
            bIconic = true;
            break;
        case SW_SHOWMAXIMIZED:
            bVisible = true;
            bIconic = false;
            pWnd->bZoomed = true;
            break;
        default:
            bVisible = true;
            break;
        }
        pWnd->dwStyle = (pWnd->dwStyle & ~(WS_VISIBLE | WS_MINIMIZE)) | (bVisible ? WS_VISIBLE : 0) |
                        (bIconic ? WS_MINIMIZE : 0);
        if (bVisible && (!bWasVisible || bIconic != bWasIconic)) {
            pWnd->bInvalid = true;
            pWnd->bEraseNeeded = true;
        }
        rc = pWnd->rcWindow;
    }
    if (bVisible != bWasVisible)
        SendMessageW(hWnd, WM_SHOWWINDOW, bVisible ? TRUE : FALSE, 0);
    if (bIconic && !bWasIconic)
        SendMessageW(hWnd, WM_SIZE, SIZE_MINIMIZED, 0);
    else if (!bIconic && bWasIconic)
        SendMessageW(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.right - rc.left, rc.bottom - rc.top));
    return bWasVisible ? TRUE : FALSE;
}

BOOL WINAPI IsWindowVisible(HWND hWnd)
{
    auto lock = LockState();
    CWindow* pWnd = FindWindowData(hWnd);
    if (pWnd == nullptr)
        return FALSE;
    for (; pWnd != nullptr; pWnd = FindWindowData(pWnd->hParent)) {
        if (!(pWnd->dwStyle & WS_VISIBLE))
            return FALSE;
        if (pWnd->hParent == nullptr)
            break;
    }
    return TRUE;
}

BOOL WINAPI IsIconic(HWND hWnd)
{
    auto lock = LockState();
    const CWindow* pWnd = FindWindowData(hWnd);
    return pWnd != nullptr && (pWnd->dwStyle & WS_MINIMIZE) != 0;
}

BOOL WINAPI IsZoomed(HWND hWnd)
{
    auto lock = LockState();
    const CWindow* pWnd = FindWindowData(hWnd);
    return pWnd != nullptr && pWnd->bZoomed;
}

BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable)
{
    if (OnOtherThread(hWnd))
        return static_cast<BOOL>(CallOnWindowThread([=] { return static_cast<LRESULT>(EnableWindow(hWnd, bEnable)); }));
    bool bWasDisabled = false;
    {
        auto lock = LockState();
        CWindow* pWnd = FindWindowData(hWnd);
        if (pWnd == nullptr)
            return FALSE;
        bWasDisabled = (pWnd->dwStyle & WS_DISABLED) != 0;
        if (bWasDisabled == !bEnable)
            return bWasDisabled ? TRUE : FALSE;
    }
    if (!bEnable)
        SendMessageW(hWnd, WM_CANCELMODE, 0, 0);
    {
        auto lock = LockState();
        CWindow* pWnd = FindWindowData(hWnd);
        if (pWnd == nullptr)
            return bWasDisabled ? TRUE : FALSE;
        if (bEnable)
            pWnd->dwStyle &= ~WS_DISABLED;
        else
            pWnd->dwStyle |= WS_DISABLED;
        pWnd->bInvalid = true;
    }
    if (!bEnable && GetFocus() == hWnd)
        SetFocus(nullptr);
    SendMessageW(hWnd, WM_ENABLE, bEnable ? TRUE : FALSE, 0);
    return bWasDisabled ? TRUE : FALSE;
}

BOOL WINAPI IsWindowEnabled(HWND hWnd)
{
    auto lock = LockState();
    const CWindow* pWnd = FindWindowData(hWnd);
    return pWnd != nullptr && !(pWnd->dwStyle & WS_DISABLED);
}

// ---------------------------------------------------------------------------
// Geometry

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect)
{
    auto lock = LockState();
    const CWindow* pWnd = FindWindowData(hWnd);
    if (pWnd == nullptr || lpRect == nullptr)
        return FALSE;
    *lpRect = RECT{0, 0, pWnd->rcWindow.right - pWnd->rcWindow.left, pWnd->rcWindow.bottom - pWnd->rcWindow.top};
    return TRUE;
}

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    auto lock = LockState();
    const CWindow* pWnd = FindWindowData(hWnd);
    if (pWnd == nullptr || lpRect == nullptr)
        return FALSE;
    const POINT pt = ScreenOrigin(hWnd);
    *lpRect = RECT{pt.x, pt.y, pt.x + pWnd->rcWindow.right - pWnd->rcWindow.left,
                   pt.y + pWnd->rcWindow.bottom - pWnd->rcWindow.top};
    return TRUE;
}

BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags)
{
    if (OnOtherThread(hWnd))
        return static_cast<BOOL>(CallOnWindowThread(
            [=] { return static_cast<LRESULT>(SetWindowPos(hWnd, hWndInsertAfter, X, Y, cx, cy, uFlags)); }));
    RECT rcOld{};
    {
        auto lock = LockState();
        CWindow* pWnd = FindWindowData(hWnd);
        if (pWnd == nullptr)
            return FALSE;
        rcOld = pWnd->rcWindow;
        RECT rc = rcOld;
        if (!(uFlags & SWP_NOMOVE)) {
            OffsetRect(&rc, X - rc.left, Y - rc.top);
        }
        if (!(uFlags & SWP_NOSIZE)) {
            rc.right = rc.left + std::max(0, cx);
            rc.bottom = rc.top + std::max(0, cy);
        }
        pWnd->rcWindow = rc;
        if (!(uFlags & SWP_NOZORDER)) {
            std::vector<HWND>* pSiblings = SiblingList(pWnd);
            if (pSiblings != nullptr) {
                pSiblings->erase(std::remove(pSiblings->begin(), pSiblings->end(), hWnd), pSiblings->end());
                if (hWndInsertAfter == HWND_BOTTOM) {
                    pSiblings->push_back(hWnd);
                } else {
                    auto it = std::find(pSiblings->begin(), pSiblings->end(), hWndInsertAfter);
                    pSiblings->insert(it == pSiblings->end() ? pSiblings->begin() : it + 1, hWnd);
                }
            }
        }
        if (!(uFlags & SWP_NOREDRAW)) {
            pWnd->bInvalid = true;
            pWnd->bEraseNeeded = true;
        }
    }
    SendSizeMessages(hWnd, rcOld);
    if (uFlags & SWP_SHOWWINDOW)
        ShowWindow(hWnd, SW_SHOWNA);
    if (uFlags & SWP_HIDEWINDOW)
        ShowWindow(hWnd, SW_HIDE);
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint)
{
    return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight, SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}

BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint)
{
    auto lock = LockState();
    if (FindWindowData(hWnd) == nullptr || lpPoint == nullptr)
        return FALSE;
    const POINT pt = ScreenOrigin(hWnd);
    lpPoint->x -= pt.x;
    lpPoint->y -= pt.y;
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint)
{
    auto lock = LockState();
    if (FindWindowData(hWnd) == nullptr || lpPoint == nullptr)
        return FALSE;
    const POINT pt = ScreenOrigin(hWnd);
    lpPoint->x += pt.x;
    lpPoint->y += pt.y;
    return TRUE;
}

int WINAPI MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints)
{
    auto lock = LockState();
    const POINT ptFrom = hWndFrom ? ScreenOrigin(hWndFrom) : POINT{0, 0};
    const POINT ptTo = hWndTo ? ScreenOrigin(hWndTo) : POINT{0, 0};
    const LONG dx = ptFrom.x - ptTo.x;
    const LONG dy = ptFrom.y - ptTo.y;
    for (UINT i = 0; lpPoints != nullptr && i < cPoints; ++i) {
        lpPoints[i].x += dx;
        lpPoints[i].y += dy;
    }
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

// The headless windows draw no frame: window and client rectangles agree.
BOOL WINAPI AdjustWindowRect(LPRECT lpRect, DWORD, BOOL)
{
    return lpRect != nullptr;
}

BOOL WINAPI AdjustWindowRectEx(LPRECT lpRect, DWORD, BOOL, DWORD)
{
    return lpRect != nullptr;
}

HWND WINAPI ChildWindowFromPoint(HWND hWndParent, POINT Point)
{
    POINT ptScreen = Point;
    if (!ClientToScreen(hWndParent, &ptScreen))
        return nullptr;
    RECT rc;
    GetWindowRect(hWndParent, &rc);
    if (!PtInRect(&rc, ptScreen))
        return nullptr;
    std::vector<HWND> aChildren;
    {
        auto lock = LockState();
        aChildren = FindWindowData(hWndParent)->aChildren;
    }
    for (HWND hChild : aChildren) {
        RECT rcChild;
        GetWindowRect(hChild, &rcChild);
        if (PtInRect(&rcChild, ptScreen))
            return hChild;
    }
    return hWndParent;
}

HWND WINAPI WindowFromPoint(POINT Point)
{
    std::vector<HWND> aTop;
    {
        auto lock = LockState();
        aTop = State().aTopLevel;
    }
    for (HWND hTop : aTop) {
        const DWORD dwStyle = static_cast<DWORD>(GetWindowLongW(hTop, GWL_STYLE));
        if (!(dwStyle & WS_VISIBLE) || (dwStyle & WS_MINIMIZE) || !ContainsScreenPoint(hTop, Point))
            continue;
        if (!IsWindowEnabled(hTop))
            return nullptr;
        HWND hChild = ChildAtPoint(hTop, Point, true);
        return hChild ? hChild : hTop;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------
// Messages

LRESULT WINAPI SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    WNDPROC pfnProc = nullptr;
    {
        auto lock = LockState();
        const CWindow* pWnd = FindWindowData(hWnd);
        if (pWnd == nullptr)
            return 0;
        if (pWnd->idThread != std::this_thread::get_id()) {
            lock.unlock();
            return CallOnWindowThread([=] { return SendMessageW(hWnd, Msg, wParam, lParam); });
        }
        pfnProc = pWnd->pfnProc;
    }
    return pfnProc ? pfnProc(hWnd, Msg, wParam, lParam) : 0;
}

BOOL WINAPI PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (hWnd != nullptr && !IsWindow(hWnd))
        return FALSE;
    PostToQueue(hWnd, Msg, wParam, lParam);
    return TRUE;
}

BOOL WINAPI GetMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax)
{
    if (lpMsg == nullptr)
        return -1;
    while (!FetchMessage(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, true))
        WaitForInput();
    {
        auto lock = LockState();
        State().dwLastMessageTime = lpMsg->time;
        State().ptLastMessage = lpMsg->pt;
    }
    return lpMsg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WINAPI PeekMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg)
{
    if (lpMsg == nullptr)
        return FALSE;
    if (!FetchMessage(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, (wRemoveMsg & PM_REMOVE) != 0))
        return FALSE;
    auto lock = LockState();
    State().dwLastMessageTime = lpMsg->time;
    State().ptLastMessage = lpMsg->pt;
    return TRUE;
}

BOOL WINAPI WaitMessage()
{
    MSG msg;
    if (!FetchMessage(&msg, nullptr, 0, 0, false))
        WaitForInput();
    return TRUE;
}

DWORD WINAPI GetMessageTime()
{
    auto lock = LockState();
    return State().dwLastMessageTime;
}

DWORD WINAPI GetMessagePos()
{
    auto lock = LockState();
    const POINT pt = State().ptLastMessage;
    return static_cast<DWORD>(MAKELONG(pt.x, pt.y));
}

BOOL WINAPI TranslateMessage(const MSG* lpMsg)
{
    if (lpMsg == nullptr || lpMsg->message != WM_KEYDOWN)
        return FALSE;
    const UINT nKey = static_cast<UINT>(lpMsg->wParam);
    const bool bShift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    wchar_t ch = 0;
    if (nKey >= 'A' && nKey <= 'Z')
        ch = static_cast<wchar_t>(bShift ? nKey : nKey + 32);
    else if ((nKey >= '0' && nKey <= '9') || nKey == VK_SPACE)
        ch = static_cast<wchar_t>(nKey);
    else if (nKey == VK_RETURN || nKey == VK_ESCAPE || nKey == VK_TAB || nKey == VK_BACK)
        ch = static_cast<wchar_t>(nKey);
    else if (nKey >= 0x60 && nKey <= 0x69)
        ch = static_cast<wchar_t>('0' + nKey - 0x60);
    if (ch == 0)
        return FALSE;
    MSG msgChar = *lpMsg;
    msgChar.message = WM_CHAR;
    msgChar.wParam = ch;
    CQueue& queue = Queue();
    {
        std::lock_guard<std::mutex> lock(queue.mx);
        queue.aPosted.push_front(msgChar);
    }
    queue.cv.notify_all();
    return TRUE;
}

LRESULT WINAPI DispatchMessageW(const MSG* lpMsg)
{
    if (lpMsg == nullptr)
        return 0;
    if (lpMsg->message == WM_TIMER && lpMsg->lParam != 0) {
        auto pfnTimer = reinterpret_cast<TIMERPROC>(lpMsg->lParam);
        // Only procedures of timers that still exist are called.
        bool bLive = false;
        {
            auto lock = LockState();
            for (const auto& timer : State().aTimers)
                if (timer.hWnd == lpMsg->hwnd && timer.nId == lpMsg->wParam && timer.pfnProc == pfnTimer)
                    bLive = true;
        }
        if (bLive)
            pfnTimer(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, static_cast<DWORD>(lpMsg->time));
        return 0;
    }
    if (lpMsg->hwnd == nullptr)
        return 0;
    return SendMessageW(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

void WINAPI PostQuitMessage(int nExitCode)
{
    CQueue& queue = Queue();
    {
        std::lock_guard<std::mutex> lock(queue.mx);
        queue.bQuit = true;
        queue.nQuitCode = nExitCode;
    }
    queue.cv.notify_all();
    HeadlessWakeMessageWaiters();
}

LRESULT WINAPI CallWindowProcW(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    return lpPrevWndFunc ? lpPrevWndFunc(hWnd, Msg, wParam, lParam) : 0;
}

// ---------------------------------------------------------------------------
// Default window procedure

static LRESULT DefaultCtlColor(HDC hDc, UINT Msg)
{
    SetTextColor(hDc, GetSysColor(COLOR_WINDOWTEXT));
    const bool bWindowColour = Msg == WM_CTLCOLOREDIT || Msg == WM_CTLCOLORLISTBOX;
    SetBkColor(hDc, GetSysColor(bWindowColour ? COLOR_WINDOW : COLOR_3DFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(bWindowColour ? COLOR_WINDOW : COLOR_3DFACE));
}

static LRESULT SetIcon(HWND hWnd, WPARAM nWhich, HICON hIcon)
{
    auto lock = LockState();
    CWindow* pWnd = FindWindowData(hWnd);
    if (pWnd == nullptr)
        return 0;
    HICON& hSlot = nWhich == ICON_BIG ? pWnd->hIconBig : pWnd->hIconSmall;
    HICON hOld = hSlot;
    hSlot = hIcon;
    return reinterpret_cast<LRESULT>(hOld);
}

static LRESULT GetIcon(HWND hWnd, WPARAM nWhich)
{
    auto lock = LockState();
    const CWindow* pWnd = FindWindowData(hWnd);
    if (pWnd == nullptr)
        return 0;
    if (nWhich == ICON_BIG)
        return reinterpret_cast<LRESULT>(pWnd->hIconBig);
    if (nWhich == ICON_SMALL)
        return reinterpret_cast<LRESULT>(pWnd->hIconSmall);
    return reinterpret_cast<LRESULT>(pWnd->hIconSmall ? pWnd->hIconSmall : pWnd->hIconBig);
}

static LRESULT SetText(HWND hWnd, LPCWSTR pszText)
{
    auto lock = LockState();
    CWindow* pWnd = FindWindowData(hWnd);
    if (pWnd == nullptr)
        return FALSE;
    pWnd->strText = pszText ? pszText : L"";
    pWnd->bInvalid = true;
    return TRUE;
}

static LRESULT GetText(HWND hWnd, WPARAM cchMax, LPWSTR pszBuffer)
{
    auto lock = LockState();
    const CWindow* pWnd = FindWindowData(hWnd);
    if (pWnd == nullptr || pszBuffer == nullptr || cchMax == 0)
        return 0;
    const size_t nCopy = std::min<size_t>(pWnd->strText.size(), cchMax - 1);
    std::copy(pWnd->strText.begin(), pWnd->strText.begin() + static_cast<std::ptrdiff_t>(nCopy), pszBuffer);
    pszBuffer[nCopy] = 0;
    return static_cast<LRESULT>(nCopy);
}

static LRESULT EraseWithClassBrush(HWND hWnd, HDC hDc)
{
    HBRUSH hBrush = nullptr;
    {
        auto lock = LockState();
        const CWindow* pWnd = FindWindowData(hWnd);
        if (pWnd == nullptr || pWnd->pClass == nullptr)
            return 0;
        hBrush = pWnd->pClass->hbrBackground;
    }
    if (hBrush == nullptr)
        return 0;
    RECT rc;
    GetClientRect(hWnd, &rc);
    FillRect(hDc, &rc, hBrush);
    return 1;
}

static LRESULT OnSysCommand(HWND hWnd, WPARAM wParam)
{
    switch (wParam & 0xFFF0) {
    case SC_MINIMIZE:
        ShowWindow(hWnd, SW_MINIMIZE);
        return 0;
    case SC_RESTORE:
        ShowWindow(hWnd, SW_RESTORE);
        return 0;
    case SC_MAXIMIZE:
        ShowWindow(hWnd, SW_SHOWMAXIMIZED);
        return 0;
    case SC_CLOSE:
        SendMessageW(hWnd, WM_CLOSE, 0, 0);
        return 0;
    case SC_MOVE: {
        auto lock = LockState();
        State().aDrags.push_back(hWnd);
        return 0;
    }
    default:
        return 0;
    }
}

LRESULT WINAPI DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    switch (Msg) {
    case WM_NCCREATE: {
        const auto* pcs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (pcs != nullptr && pcs->lpszName != nullptr && !IS_INTRESOURCE(pcs->lpszName))
            SetText(hWnd, pcs->lpszName);
        return TRUE;
    }
    case WM_SETTEXT:
        return SetText(hWnd, reinterpret_cast<LPCWSTR>(lParam));
    case WM_GETTEXT:
        return GetText(hWnd, wParam, reinterpret_cast<LPWSTR>(lParam));
    case WM_GETTEXTLENGTH: {
        auto lock = LockState();
        const CWindow* pWnd = FindWindowData(hWnd);
        return pWnd ? static_cast<LRESULT>(pWnd->strText.size()) : 0;
    }
    case WM_CLOSE:
        DestroyWindow(hWnd);
        return 0;
    case WM_NCLBUTTONDOWN:
        if (wParam == HTCAPTION) {
            auto lock = LockState();
            State().aDrags.push_back(hWnd);
        }
        return 0;
    case WM_SYSCOMMAND:
        return OnSysCommand(hWnd, wParam);
    case WM_SETICON:
        return SetIcon(hWnd, wParam, reinterpret_cast<HICON>(lParam));
    case WM_GETICON:
        return GetIcon(hWnd, wParam);
    case WM_ERASEBKGND:
    case WM_ICONERASEBKGND:
        return EraseWithClassBrush(hWnd, reinterpret_cast<HDC>(wParam));
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hWnd, &ps);
        EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return DefaultCtlColor(reinterpret_cast<HDC>(wParam), Msg);
    case WM_CANCELMODE:
        if (GetCapture() == hWnd)
            ReleaseCapture();
        return 0;
    case WM_NCHITTEST: {
        RECT rc;
        GetWindowRect(hWnd, &rc);
        const POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        return PtInRect(&rc, pt) ? HTCLIENT : HTNOWHERE;
    }
    case WM_QUERYDRAGICON: {
        auto lock = LockState();
        const CWindow* pWnd = FindWindowData(hWnd);
        return pWnd && pWnd->pClass ? reinterpret_cast<LRESULT>(pWnd->pClass->hIcon) : 0;
    }
    case WM_MOUSEACTIVATE:
        return 1; // MA_ACTIVATE
    case WM_GETFONT: {
        auto lock = LockState();
        const CWindow* pWnd = FindWindowData(hWnd);
        return pWnd ? reinterpret_cast<LRESULT>(pWnd->hFont) : 0;
    }
    default:
        return 0;
    }
}

// ---------------------------------------------------------------------------
// Focus, activation, capture, cursor and keyboard

HWND WINAPI GetFocus()
{
    auto lock = LockState();
    return State().hFocus;
}

HWND WINAPI SetFocus(HWND hWnd)
{
    HWND hOld = nullptr;
    HWND hOldActive = nullptr;
    HWND hNewActive = nullptr;
    {
        auto lock = LockState();
        CState& state = State();
        if (hWnd != nullptr && FindWindowData(hWnd) == nullptr)
            return nullptr;
        hOld = state.hFocus;
        if (hOld == hWnd)
            return hOld;
        state.hFocus = hWnd;
        if (hWnd != nullptr) {
            hNewActive = RootWindow(hWnd);
            hOldActive = state.hActive;
            if (hNewActive == hOldActive)
                hNewActive = nullptr;
            else
                state.hActive = hNewActive;
        }
    }
    if (hOld != nullptr && IsWindow(hOld))
        SendMessageW(hOld, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
    if (hNewActive != nullptr) {
        if (hOldActive != nullptr && IsWindow(hOldActive))
            SendMessageW(hOldActive, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(hNewActive));
        SendMessageW(hNewActive, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(hOldActive));
    }
    if (hWnd != nullptr && GetFocus() == hWnd)
        SendMessageW(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(hOld), 0);
    return hOld;
}

HWND WINAPI GetActiveWindow()
{
    auto lock = LockState();
    return State().hActive;
}

HWND WINAPI SetActiveWindow(HWND hWnd)
{
    HWND hOld = nullptr;
    HWND hRoot = nullptr;
    {
        auto lock = LockState();
        hRoot = RootWindow(hWnd);
        if (hRoot == nullptr)
            return nullptr;
        hOld = State().hActive;
        if (hOld == hRoot)
            return hOld;
        State().hActive = hRoot;
    }
    if (hOld != nullptr && IsWindow(hOld))
        SendMessageW(hOld, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(hRoot));
    SendMessageW(hRoot, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(hOld));
    return hOld;
}

HWND WINAPI GetForegroundWindow()
{
    return GetActiveWindow();
}

BOOL WINAPI SetForegroundWindow(HWND hWnd)
{
    if (!IsWindow(hWnd))
        return FALSE;
    SetActiveWindow(hWnd);
    return TRUE;
}

HWND WINAPI GetCapture()
{
    auto lock = LockState();
    return State().hCapture;
}

HWND WINAPI SetCapture(HWND hWnd)
{
    HWND hOld = nullptr;
    {
        auto lock = LockState();
        if (FindWindowData(hWnd) == nullptr)
            return nullptr;
        hOld = State().hCapture;
        State().hCapture = hWnd;
    }
    if (hOld != nullptr && hOld != hWnd)
        SendMessageW(hOld, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
    return hOld;
}

BOOL WINAPI ReleaseCapture()
{
    HWND hOld = nullptr;
    {
        auto lock = LockState();
        hOld = State().hCapture;
        State().hCapture = nullptr;
    }
    if (hOld != nullptr)
        SendMessageW(hOld, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

BOOL WINAPI GetCursorPos(LPPOINT lpPoint)
{
    if (lpPoint == nullptr)
        return FALSE;
    auto lock = LockState();
    *lpPoint = State().ptCursor;
    return TRUE;
}

BOOL WINAPI SetCursorPos(int X, int Y)
{
    auto lock = LockState();
    State().ptCursor = POINT{X, Y};
    return TRUE;
}

HCURSOR WINAPI SetCursor(HCURSOR hCursor)
{
    static HCURSOR s_hCurrent = nullptr;
    HCURSOR hOld = s_hCurrent;
    s_hCurrent = hCursor;
    return hOld;
}

SHORT WINAPI GetKeyState(int nVirtKey)
{
    auto lock = LockState();
    if (nVirtKey == VK_LBUTTON && State().bLeftButtonDown)
        return static_cast<SHORT>(0x8000);
    return 0;
}

SHORT WINAPI GetAsyncKeyState(int vKey)
{
    return GetKeyState(vKey);
}

int WINAPI GetSystemMetrics(int nIndex)
{
    auto lock = LockState();
    switch (nIndex) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
        return State().cxScreen;
    case SM_CYSCREEN:
    case SM_CYFULLSCREEN:
        return State().cyScreen;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
        return 17;
    case SM_CYCAPTION:
        return 23;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
        return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
        return 4;
    case SM_CYMENU:
        return 20;
    default:
        return 0;
    }
}

// ---------------------------------------------------------------------------
// Timers on the virtual clock

UINT_PTR WINAPI SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc)
{
    auto lock = LockState();
    CState& state = State();
    if (hWnd != nullptr && FindWindowData(hWnd) == nullptr)
        return 0;
    if (hWnd == nullptr)
        nIDEvent = state.nNextThreadTimer++;
    const UINT nPeriod = std::max<UINT>(uElapse, 10); // USER_TIMER_MINIMUM
    for (auto& timer : state.aTimers) {
        if (timer.hWnd == hWnd && timer.nId == nIDEvent) {
            timer.nPeriod = nPeriod;
            timer.nDue = state.nNow + nPeriod;
            timer.pfnProc = lpTimerFunc;
            return nIDEvent ? nIDEvent : 1;
        }
    }
    CTimer timer;
    timer.hWnd = hWnd;
    timer.nId = nIDEvent;
    timer.nPeriod = nPeriod;
    timer.nDue = state.nNow + nPeriod;
    timer.pfnProc = lpTimerFunc;
    timer.nCreated = state.nTimerOrder++;
    state.aTimers.push_back(timer);
    return nIDEvent ? nIDEvent : 1;
}

BOOL WINAPI KillTimer(HWND hWnd, UINT_PTR uIDEvent)
{
    auto lock = LockState();
    auto& aTimers = State().aTimers;
    auto it = std::find_if(aTimers.begin(), aTimers.end(),
                           [&](const CTimer& timer) { return timer.hWnd == hWnd && timer.nId == uIDEvent; });
    if (it == aTimers.end())
        return FALSE;
    aTimers.erase(it);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Painting and window shape

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint)
{
    if (lpPaint == nullptr || !IsWindow(hWnd))
        return nullptr;
    HDC hDc = CreateWindowDc(hWnd, true);
    bool bErase = false;
    bool bIconic = false;
    {
        auto lock = LockState();
        CWindow* pWnd = FindWindowData(hWnd);
        bErase = pWnd->bEraseNeeded;
        bIconic = (pWnd->dwStyle & WS_MINIMIZE) != 0;
        pWnd->bInvalid = false;
        pWnd->bEraseNeeded = false;
    }
    *lpPaint = PAINTSTRUCT{};
    lpPaint->hdc = hDc;
    GetClientRect(hWnd, &lpPaint->rcPaint);
    lpPaint->fErase = TRUE;
    if (bErase) {
        const UINT nErase = bIconic ? WM_ICONERASEBKGND : WM_ERASEBKGND;
        lpPaint->fErase = SendMessageW(hWnd, nErase, reinterpret_cast<WPARAM>(hDc), 0) ? FALSE : TRUE;
    }
    return hDc;
}

BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT* lpPaint)
{
    if (lpPaint == nullptr)
        return FALSE;
    return ReleaseWindowDc(lpPaint->hdc) ? TRUE : FALSE;
}

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT*, BOOL bErase)
{
    auto lock = LockState();
    std::vector<HWND> aTargets;
    if (hWnd == nullptr)
        aTargets = State().aTopLevel;
    else
        aTargets.push_back(hWnd);
    bool bAny = false;
    for (HWND h : aTargets) {
        CWindow* pWnd = FindWindowData(h);
        if (pWnd == nullptr)
            continue;
        pWnd->bInvalid = true;
        pWnd->bEraseNeeded = pWnd->bEraseNeeded || bErase;
        bAny = true;
    }
    return bAny ? TRUE : FALSE;
}

BOOL WINAPI ValidateRect(HWND hWnd, const RECT*)
{
    auto lock = LockState();
    CWindow* pWnd = FindWindowData(hWnd);
    if (pWnd == nullptr)
        return FALSE;
    pWnd->bInvalid = false;
    pWnd->bEraseNeeded = false;
    return TRUE;
}

BOOL WINAPI UpdateWindow(HWND hWnd)
{
    bool bInvalid = false;
    {
        auto lock = LockState();
        CWindow* pWnd = FindWindowData(hWnd);
        if (pWnd == nullptr)
            return FALSE;
        bInvalid = pWnd->bInvalid;
    }
    if (bInvalid)
        SendMessageW(hWnd, WM_PAINT, 0, 0);
    // A window procedure that never calls BeginPaint leaves the update
    // region alone; the next paint request tries again.
    return TRUE;
}

BOOL WINAPI RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN, UINT flags)
{
    std::vector<HWND> aTargets;
    {
        auto lock = LockState();
        if (FindWindowData(hWnd) == nullptr)
            return FALSE;
        if (flags & RDW_ALLCHILDREN)
            aTargets = Subtree(hWnd);
        else
            aTargets.push_back(hWnd);
    }
    for (HWND h : aTargets) {
        if (flags & RDW_INVALIDATE)
            InvalidateRect(h, lprcUpdate, (flags & RDW_ERASE) ? TRUE : FALSE);
        if (flags & RDW_VALIDATE)
            ValidateRect(h, lprcUpdate);
    }
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW))
        for (HWND h : aTargets)
            if (IsWindowVisible(h))
                UpdateWindow(h);
    return TRUE;
}

HDC WINAPI GetDC(HWND hWnd)
{
    if (hWnd != nullptr && !IsWindow(hWnd))
        return nullptr;
    return CreateWindowDc(hWnd, false);
}

HDC WINAPI GetWindowDC(HWND hWnd)
{
    return GetDC(hWnd);
}

int WINAPI ReleaseDC(HWND, HDC hDC)
{
    return ReleaseWindowDc(hDC) ? 1 : 0;
}

int WINAPI SetWindowRgn(HWND hWnd, HRGN hRgn, BOOL bRedraw)
{
    if (hRgn != nullptr && !IsGdiObject(hRgn, OBJ_REGION))
        return 0;
    HRGN hOld = nullptr;
    {
        auto lock = LockState();
        CWindow* pWnd = FindWindowData(hWnd);
        if (pWnd == nullptr)
            return 0;
        hOld = pWnd->hRegion;
        if (hOld == hRgn)
            return 1;
        pWnd->hRegion = hRgn;
        if (hRgn != nullptr)
            SetRegionOwnedBySystem(hRgn, true);
        if (bRedraw) {
            pWnd->bInvalid = true;
            pWnd->bEraseNeeded = true;
        }
    }
    if (hOld != nullptr)
        DeleteSystemRegion(hOld);
    return 1;
}

int WINAPI GetWindowRgn(HWND hWnd, HRGN hRgn)
{
    HRGN hOwn = nullptr;
    {
        auto lock = LockState();
        const CWindow* pWnd = FindWindowData(hWnd);
        if (pWnd == nullptr)
            return ERROR;
        hOwn = pWnd->hRegion;
    }
    if (hOwn == nullptr)
        return ERROR;
    return CombineRgn(hRgn, hOwn, nullptr, RGN_COPY);
}

// ---------------------------------------------------------------------------
// Rectangles and arithmetic

BOOL WINAPI SetRect(LPRECT lprc, int xLeft, int yTop, int xRight, int yBottom)
{
    if (lprc == nullptr)
        return FALSE;
    *lprc = RECT{xLeft, yTop, xRight, yBottom};
    return TRUE;
}

BOOL WINAPI SetRectEmpty(LPRECT lprc)
{
    return SetRect(lprc, 0, 0, 0, 0);
}

BOOL WINAPI CopyRect(LPRECT lprcDst, const RECT* lprcSrc)
{
    if (lprcDst == nullptr || lprcSrc == nullptr)
        return FALSE;
    *lprcDst = *lprcSrc;
    return TRUE;
}

BOOL WINAPI IsRectEmpty(const RECT* lprc)
{
    return lprc == nullptr || lprc->right <= lprc->left || lprc->bottom <= lprc->top;
}

BOOL WINAPI PtInRect(const RECT* lprc, POINT pt)
{
    return lprc != nullptr && pt.x >= lprc->left && pt.x < lprc->right && pt.y >= lprc->top && pt.y < lprc->bottom;
}

BOOL WINAPI OffsetRect(LPRECT lprc, int dx, int dy)
{
    if (lprc == nullptr)
        return FALSE;
    lprc->left += dx;
    lprc->right += dx;
    lprc->top += dy;
    lprc->bottom += dy;
    return TRUE;
}

BOOL WINAPI InflateRect(LPRECT lprc, int dx, int dy)
{
    if (lprc == nullptr)
        return FALSE;
    lprc->left -= dx;
    lprc->right += dx;
    lprc->top -= dy;
    lprc->bottom += dy;
    return TRUE;
}

BOOL WINAPI IntersectRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2)
{
    if (lprcDst == nullptr || lprcSrc1 == nullptr || lprcSrc2 == nullptr)
        return FALSE;
    RECT rc = {std::max(lprcSrc1->left, lprcSrc2->left), std::max(lprcSrc1->top, lprcSrc2->top),
               std::min(lprcSrc1->right, lprcSrc2->right), std::min(lprcSrc1->bottom, lprcSrc2->bottom)};
    if (IsRectEmpty(&rc)) {
        SetRectEmpty(lprcDst);
        return FALSE;
    }
    *lprcDst = rc;
    return TRUE;
}

BOOL WINAPI UnionRect(LPRECT lprcDst, const RECT* lprcSrc1, const RECT* lprcSrc2)
{
    if (lprcDst == nullptr || lprcSrc1 == nullptr || lprcSrc2 == nullptr)
        return FALSE;
    if (IsRectEmpty(lprcSrc1))
        return (*lprcDst = *lprcSrc2, !IsRectEmpty(lprcSrc2));
    if (IsRectEmpty(lprcSrc2))
        return (*lprcDst = *lprcSrc1, TRUE);
    *lprcDst = RECT{std::min(lprcSrc1->left, lprcSrc2->left), std::min(lprcSrc1->top, lprcSrc2->top),
                    std::max(lprcSrc1->right, lprcSrc2->right), std::max(lprcSrc1->bottom, lprcSrc2->bottom)};
    return TRUE;
}

BOOL WINAPI EqualRect(const RECT* lprc1, const RECT* lprc2)
{
    return lprc1 != nullptr && lprc2 != nullptr && lprc1->left == lprc2->left && lprc1->top == lprc2->top &&
           lprc1->right == lprc2->right && lprc1->bottom == lprc2->bottom;
}

