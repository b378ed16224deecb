// CJogButton: a push button that tells its parent when the left mouse button
// goes down on it and when it comes up again, so a velocity jog lasts exactly
// as long as the operator holds the button.
#pragma once

#include "framework/afxwin.h"

// Private messages posted by a CJogButton; lParam points to the button.
const UINT WM_JOGBUTTON_DOWN = WM_USER + 0x226;
const UINT WM_JOGBUTTON_UP = WM_USER + 0x227;

class CJogButton : public CButton {
public:
    CJogButton() = default;
    ~CJogButton() override = default;

    // Control id of the button, assigned by the owner dialog.
    int m_nButtonID = 0;

protected:
    LRESULT DefWindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override;
};
