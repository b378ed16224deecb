// Internal state of the headless window system, shared by its source files.
// Not for product code: product code sees only the Win32 declarations and the
// test driver.
#pragma once

#include "winapi/win32.h"
#include "winapi/headless/driver.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace headless {

enum class EWindowKind { CUSTOM, DIALOG, BUTTON, COMBOBOX, EDIT, STATIC };

struct CComboItem {
    std::wstring strText;
    LPARAM lData = 0;
};

struct CWindowClass {
    std::wstring strName;
    EWindowKind eKind = EWindowKind::CUSTOM;
    UINT nStyle = 0;
    WNDPROC pfnProc = nullptr;
    int cbWndExtra = 0;
    HINSTANCE hInstance = nullptr;
    HICON hIcon = nullptr;
    HICON hIconSmall = nullptr;
    HCURSOR hCursor = nullptr;
    HBRUSH hbrBackground = nullptr;
    ATOM nAtom = 0;
    bool bSystem = false;
};

struct CWindow {
    HWND hWnd = nullptr;
    EWindowKind eKind = EWindowKind::CUSTOM;
    std::wstring strClass;
    const CWindowClass* pClass = nullptr;
    WNDPROC pfnProc = nullptr;
    HINSTANCE hInstance = nullptr;
    int nId = 0;
    std::wstring strText;
    DWORD dwStyle = 0;   // WS_VISIBLE, WS_DISABLED and WS_MINIMIZE are the live state
    DWORD dwExStyle = 0;
    HWND hParent = nullptr;
    HWND hOwner = nullptr;
    std::vector<HWND> aChildren; // z-order, top first: creation order for dialog controls
    RECT rcWindow = {0, 0, 0, 0}; // in the parent's client coordinates (screen for top-level windows)
    LONG_PTR lUserData = 0;
    std::vector<unsigned char> aExtra;
    HRGN hRegion = nullptr;
    std::thread::id idThread;
    bool bDestroying = false;
    bool bZoomed = false;

    // Dialogs
    bool bDialogEnded = false;
    INT_PTR nDialogResult = 0;
    HFONT hFont = nullptr;
    bool bOwnsFont = false;
    HWND hFocusSaved = nullptr;
    int nBaseUnitX = 0;
    int nBaseUnitY = 0;
    int nDefaultId = 0;

    // Buttons
    UINT nCheck = BST_UNCHECKED;
    bool bPushed = false;
    HANDLE hButtonImage = nullptr;

    // Combo boxes
    std::vector<CComboItem> aItems;
    int nCurSel = CB_ERR;

    // Edits
    DWORD dwSelStart = 0;
    DWORD dwSelEnd = 0;
    UINT nTextLimit = 30000;
    bool bModified = false;

    // Statics
    HANDLE hImage = nullptr;
    UINT nImageType = IMAGE_BITMAP;
    HGDIOBJ hOwnImage = nullptr; // the template image the static loaded itself

    // Icons
    HICON hIconBig = nullptr;
    HICON hIconSmall = nullptr;

    // Painting
    bool bInvalid = false;
    bool bEraseNeeded = false;
    std::vector<uint32_t> aSurface; // client area, 0x00RRGGBB
    int nSurfaceWidth = 0;
    int nSurfaceHeight = 0;
    HBRUSH hLastCtlBrush = nullptr;
    int nLastCtlBkMode = 0;
    bool bCtlColorAsked = false;
};

struct CTimer {
    HWND hWnd = nullptr;
    UINT_PTR nId = 0;
    UINT nPeriod = 0;
    uint64_t nDue = 0;
    TIMERPROC pfnProc = nullptr;
    bool bPending = false;
    uint64_t nPendingOrder = 0;
    uint64_t nCreated = 0;
};

struct CSentTask {
    std::function<LRESULT()> fnCall;
    LRESULT lResult = 0;
    bool bDone = false;
};

struct CState {
    std::map<uintptr_t, std::shared_ptr<CWindow>> mapWindows;
    uintptr_t nNextWindow = 0x10000;
    std::vector<HWND> aTopLevel; // z-order, top first
    std::vector<std::unique_ptr<CWindowClass>> aClasses;
    ATOM nNextAtom = 0xC000;

    std::vector<CTimer> aTimers;
    uint64_t nTimerOrder = 0;
    UINT_PTR nNextThreadTimer = 1;
    uint64_t nNow = 0;

    HWND hFocus = nullptr;
    HWND hCapture = nullptr;
    HWND hActive = nullptr;
    POINT ptCursor = {0, 0};
    int cxScreen = 1920;
    int cyScreen = 1080;
    int nDisplayBpp = 32;
    bool bLeftButtonDown = false;
    DWORD dwLastMessageTime = 0;
    POINT ptLastMessage = {0, 0};

    std::vector<HeadlessDriver::MESSAGE_BOX> aMessageBoxes;
    std::function<int(const HeadlessDriver::MESSAGE_BOX&)> fnMessageBoxHook;
    int nOpenMessageBoxes = 0;
    std::vector<HWND> aDrags;
    std::function<bool(MSG&)> fnMessageFilter;
    std::function<bool()> fnIdleHook;
    std::function<void(DWORD)> fnClockHook;
    std::string strLastDialogError;
    std::thread::id idUiThread;
};

// The window state lock. Held only around state access, never while a window
// procedure or a hook runs, so another thread can always post or send.
std::recursive_mutex& StateMutex();
CState& State();

// The posted-message queue and the calls waiting for the UI thread.
struct CQueue {
    std::mutex mx;
    std::condition_variable cv;
    std::deque<MSG> aPosted;
    std::deque<std::shared_ptr<CSentTask>> aSent;
    bool bQuit = false;
    int nQuitCode = 0;
};
CQueue& Queue();

// Lock held by the caller.
CWindow* FindWindowData(HWND hWnd);
HWND RootWindow(HWND hWnd);
POINT ScreenOrigin(HWND hWnd);
std::vector<HWND> Subtree(HWND hWnd);

// Runs sent calls waiting for this thread; returns how many ran.
int ServeSentMessages();
// Takes the next message as GetMessage would, without waiting.
bool FetchMessage(MSG* pMsg, HWND hFilter, UINT nMin, UINT nMax, bool bRemove);
// Waits for a message or a sent call; runs the idle hook first if one is set.
void WaitForInput();
// Advances the kernel clock for the driver, without counting the time twice.
void AdvanceKernelClock(DWORD dwElapsed);
void PostToQueue(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
LRESULT NotifyParent(HWND hWnd, WORD nCode);

// Window procedures of the system classes.
LRESULT CALLBACK ButtonProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ComboBoxProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK EditProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK StaticProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);

void ResetWindows();

// GDI services for the window manager (gdi32.cpp).
HBITMAP BitmapFromPackedDib(const unsigned char* pData, size_t cbData, bool bDibSection);
HICON IconFromImage(const unsigned char* pData, size_t cbData, bool bShared);
HICON StockIcon();
void ReleaseSharedIcon(HICON hIcon);
HCURSOR StockCursor();
bool IconSize(HICON hIcon, int* pnWidth, int* pnHeight);
bool IsGdiObject(HGDIOBJ h, DWORD dwType);
void SetRegionOwnedBySystem(HRGN hRgn, bool bOwned);
bool DeleteSystemRegion(HRGN hRgn);
bool BitmapSize(HBITMAP hBitmap, int* pnWidth, int* pnHeight);
HDC CreateWindowDc(HWND hWnd, bool bPaint);
bool ReleaseWindowDc(HDC hDc);
HFONT CreateDialogFont(const std::wstring& strFace, int nPointSize, int nWeight, bool bItalic, int nCharset);
int LiveGdiObjectCount();
void ResetDisplayDepth();

// Window surfaces for the GDI (user32.cpp). The lock must be held.
uint32_t* WindowSurface(HWND hWnd, int* pnWidth, int* pnHeight);

} // namespace headless
