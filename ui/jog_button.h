// CJogButton: a push button that tells its parent when the left mouse button
// goes down on it and when it comes up again, so a velocity jog lasts exactly
// as long as the operator holds the button.
//
// A press can also end without a release: another window takes the capture
// or the focus, a message box opens, the window is deactivated. The button
// then tells its parent that the press was cancelled, so no jog outlives the
// press that started it. Only the mouse drives the button: the space bar
// posts nothing.
#pragma once

#include "framework/afxwin.h"

// Private messages posted by a CJogButton; lParam points to the button.
const UINT WM_JOGBUTTON_DOWN = WM_USER + 0x226;
const UINT WM_JOGBUTTON_UP = WM_USER + 0x227;

// wParam of WM_JOGBUTTON_UP: how the press ended.
const WPARAM JOG_RELEASED = 0;        // the left button came up on the button
const WPARAM JOG_PRESS_CANCELLED = 1; // the press was taken away, no release

class CJogButton : public CButton {
public:
    CJogButton() = default;
    ~CJogButton() override = default;

    // Control id of the button, assigned by the owner dialog.
    int m_nButtonID = 0;

    // Ends a press that is still held as cancelled; nothing when not held.
    void CancelPress();
    bool IsHeld() const { return m_bHeld; }

protected:
    LRESULT DefWindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override;

private:
    void NotifyParent(UINT nMessage, WPARAM wParam);

    // Between a press and its release or cancellation.
    bool m_bHeld = false;
};
