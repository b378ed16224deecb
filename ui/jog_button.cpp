#include "ui/jog_button.h"

void CJogButton::NotifyParent(UINT nMessage, WPARAM wParam)
{
    // Posted, not sent: the dialog handles the press after the button has
    // finished its own mouse processing (pushed look, capture, click), and a
    // cancellation always after the press it ends.
    ::PostMessageW(::GetParent(m_hWnd), nMessage, wParam, reinterpret_cast<LPARAM>(this));
}

void CJogButton::CancelPress()
{
    if (!m_bHeld)
        return;
    m_bHeld = false;
    NotifyParent(WM_JOGBUTTON_UP, JOG_PRESS_CANCELLED);
}

LRESULT CJogButton::DefWindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    switch (nMessage) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        m_bHeld = true;
        NotifyParent(WM_JOGBUTTON_DOWN, 0);
        break;
    case WM_LBUTTONUP:
        // Only the release of a press on this button counts.
        if (m_bHeld) {
            m_bHeld = false;
            NotifyParent(WM_JOGBUTTON_UP, JOG_RELEASED);
        }
        break;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
    case WM_KILLFOCUS:
        // The release will never come to this button.
        CancelPress();
        break;
    default:
        break;
    }
    return CButton::DefWindowProc(nMessage, wParam, lParam);
}
