// Test driver of the headless window system: acts as the operator (mouse,
// keyboard, combo selection, typing), runs the message loop and the virtual
// clock, and reads back what the windows show.
#pragma once

#include "winapi/win32.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace HeadlessDriver {

struct MESSAGE_BOX {
    HWND hOwner;
    std::wstring strText;
    std::wstring strCaption;
    UINT uType;
};

struct CONTROL_STATE {
    bool bExists = false;
    std::wstring strClass;
    std::wstring strText;
    DWORD dwStyle = 0;
    bool bVisible = false;   // IsWindowVisible: the control and all its parents
    bool bEnabled = false;
    UINT nCheck = BST_UNCHECKED;
    std::vector<std::wstring> aItems; // combo box items in list order
    std::vector<LPARAM> aItemData;
    int nCurSel = CB_ERR;
    HANDLE hImage = nullptr;          // image of a bitmap or icon static
    RECT rcWindow = {0, 0, 0, 0};     // screen coordinates
};

struct PIXELS {
    int nWidth = 0;
    int nHeight = 0;
    std::vector<uint32_t> aPixels; // rows top to bottom, 0x00RRGGBB
    uint32_t At(int x, int y) const { return aPixels[static_cast<size_t>(y) * nWidth + x]; }
};

struct MASK {
    int nWidth = 0;
    int nHeight = 0;
    std::vector<uint8_t> aInside; // 1 where the window takes the pixel, rows top to bottom
    bool At(int x, int y) const { return aInside[static_cast<size_t>(y) * nWidth + x] != 0; }
};

// Destroys every window, empties the queue, kills the timers, forgets the
// message boxes, drags and hooks, and sets the clock to 0 and the display
// depth to 32 bits. GDI objects the program still owns stay alive.
void Reset();

HWND Control(HWND hDlg, int nId);
CONTROL_STATE ReadControl(HWND hWnd);
CONTROL_STATE ReadControl(HWND hDlg, int nId);

// Mouse on a control, through the queue: the control's window procedure (and
// a subclass of it) sees WM_LBUTTONDOWN / WM_LBUTTONUP at the control's centre.
// They return false when the control is missing, hidden or disabled.
bool Click(HWND hDlg, int nId);
bool Click(HWND hWnd);
bool PressMouse(HWND hDlg, int nId);
bool PressMouse(HWND hWnd);
// Releases over the control; a window holding the capture gets the message.
bool ReleaseMouse(HWND hDlg, int nId);
bool ReleaseMouse(HWND hWnd);
// Mouse at a screen point: the window under it (window regions, hidden,
// disabled and transparent windows respected) gets the message.
bool PressMouseAt(POINT ptScreen);
bool ReleaseMouseAt(POINT ptScreen);
bool ClickAt(POINT ptScreen);
HWND WindowAt(POINT ptScreen);
void SetCursor(POINT ptScreen);

// The operator picks a combo item: focus, selection, CBN_SELCHANGE to the parent.
bool SelectComboIndex(HWND hDlg, int nId, int nIndex);
bool SelectComboText(HWND hDlg, int nId, const std::wstring& strText);
// The operator types into an edit: focus, WM_SETTEXT, EN_UPDATE, EN_CHANGE.
bool TypeText(HWND hDlg, int nId, const std::wstring& strText);
// WM_KEYDOWN then WM_KEYUP for the focus window, through the queue and the
// message filter, as a message loop sees them.
bool PressKey(UINT nVirtualKey);
// Another application takes the focus: capture released, WM_KILLFOCUS,
// WM_ACTIVATE WA_INACTIVE. Activate gives it back.
void Deactivate();
void Activate(HWND hWnd);

// Message loop. Each message taken from the queue goes first to the filter
// (the framework's PreTranslateMessage chain); when the filter does not take
// it, it is translated and dispatched. Without a filter, messages for a
// dialog go through IsDialogMessage of their top-level dialog.
void SetMessageFilter(std::function<bool(MSG&)> fnFilter);
bool PumpOne();           // one loop iteration; false when nothing was waiting
int Pump();               // until the queue is empty; returns the number of messages
// Called when GetMessageW or WaitMessage find nothing to do (a test scripting a
// modal loop); return false when it did nothing, and the loop then blocks.
void SetIdleHook(std::function<bool()> fnIdle);

// Virtual clock. Advance delivers every due WM_TIMER in time order and pumps
// after each; the clock hook is called with the elapsed milliseconds before
// each delivery, so a simulator can advance in step.
void Advance(DWORD nMilliseconds);
DWORD Now();
void SetClockHook(std::function<void(DWORD)> fnElapsed);
int TimerCount(HWND hWnd);

// Message boxes shown so far. The hook runs while a box is open (the owner is
// disabled then) and may return the button pressed; 0 means the first button.
std::vector<MESSAGE_BOX> MessageBoxes();
void ClearMessageBoxes();
void SetMessageBoxHook(std::function<int(const MESSAGE_BOX&)> fnHook);

// Window drags started through WM_NCLBUTTONDOWN with HTCAPTION.
std::vector<HWND> Drags();

// Painting: erases and paints the window (and its children) now and returns
// its client pixels.
PIXELS Paint(HWND hWnd);
PIXELS ReadPixels(HWND hWnd);
// The window's shape, pixel by pixel, in window coordinates.
MASK WindowRegionMask(HWND hWnd);

void SetDisplayDepth(int nBitsPerPixel); // 16, 24 or 32; bitmaps made afterwards use it
int DisplayDepth();
int LiveGdiObjects();
// Why the last CreateDialogParamW failed (empty after a success).
std::string LastDialogError();
// Whether EndDialog ran for a dialog, and with what result.
bool IsDialogEnded(HWND hDlg, INT_PTR* pnResult);

} // namespace HeadlessDriver
