#include "ui/jog_button.h"

LRESULT CJogButton::DefWindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    // Posted, not sent: the dialog handles the press after the button has
    // finished its own mouse processing (pushed look, capture, click).
    if (nMessage == WM_LBUTTONDOWN || nMessage == WM_LBUTTONDBLCLK)
        ::PostMessageW(::GetParent(m_hWnd), WM_JOGBUTTON_DOWN, 0, reinterpret_cast<LPARAM>(this));
    else if (nMessage == WM_LBUTTONUP)
        ::PostMessageW(::GetParent(m_hWnd), WM_JOGBUTTON_UP, 0, reinterpret_cast<LPARAM>(this));
    return CButton::DefWindowProc(nMessage, wParam, lParam);
}
