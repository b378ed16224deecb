// The skinned main window: the background bitmap is its whole look (title
// bar, minimize and close boxes, panel), its outline (every pure white pixel
// is cut away) and its frame (drag by any point, painted boxes as commands).
#include "ui/viruvede_dlg.h"

#include <vector>

namespace {

// Pure white in the fixed pixel layout 0x00RRGGBB.
const DWORD SKIN_SEE_THROUGH = 0x00FFFFFF;
const DWORD SKIN_RGB_MASK = 0x00FFFFFF;

// Painted boxes of the title bar, as open intervals: x between W - nLeft and
// W - nRight (W the bitmap width), y between BOX_TOP and BOX_BOTTOM.
struct PAINTED_BOX {
    int nLeft;
    int nRight;
};
const PAINTED_BOX CLOSE_BOX = { 24, 4 };
const PAINTED_BOX MINIMIZE_BOX = { 49, 29 };
const int BOX_TOP = 4;
const int BOX_BOTTOM = 24;

bool InBox(const PAINTED_BOX& box, int nSkinWidth, CPoint pt)
{
    return nSkinWidth - box.nLeft < pt.x && pt.x < nSkinWidth - box.nRight && BOX_TOP < pt.y && pt.y < BOX_BOTTOM;
}

// The pixels of a bitmap as 32-bit words 0x00RRGGBB, rows top to bottom,
// whatever the bitmap's own layout.
bool ReadPixels32(HBITMAP hBitmap, int nWidth, int nHeight, std::vector<DWORD>& aPixels)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = nWidth;
    bmi.bmiHeader.biHeight = -nHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    aPixels.assign(static_cast<size_t>(nWidth) * static_cast<size_t>(nHeight), 0);
    CDC dcScreen;
    if (!dcScreen.CreateCompatibleDC(nullptr))
        return false;
    return ::GetDIBits(dcScreen, hBitmap, 0, static_cast<UINT>(nHeight), aPixels.data(), &bmi, DIB_RGB_COLORS) ==
           nHeight;
}

// The pixels that decide the outline. A bitmap of 24 or 32 bits per pixel
// holds the artwork's colours exactly. One made for a display of fewer bits
// has lost the low colour bits, so pure white and near-white read back
// alike; the background resource's own 24-bit data still tells them apart,
// and is used when it is the same picture size as the painted bitmap.
bool ReadSkinPixels(CBitmap* pBitmap, const BITMAP& bm, std::vector<DWORD>& aPixels)
{
    const int nWidth = bm.bmWidth;
    const int nHeight = bm.bmHeight;
    if (bm.bmBitsPixel >= 24)
        return ReadPixels32(*pBitmap, nWidth, nHeight, aPixels);
    CBitmap bmpArtwork;
    bmpArtwork.Attach(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDB_BACKGROUND), IMAGE_BITMAP, 0, 0,
                                   LR_CREATEDIBSECTION));
    BITMAP bmArtwork = {};
    if (bmpArtwork.GetSafeHandle() == nullptr || bmpArtwork.GetBitmap(&bmArtwork) == 0)
        return false;
    if (bmArtwork.bmWidth != nWidth || bmArtwork.bmHeight != nHeight)
        return false;
    return ReadPixels32(bmpArtwork, nWidth, nHeight, aPixels);
}

} // namespace

void CViRuvedeDlg::BuildWindowRegion(HWND hWnd, CBitmap* pBitmap)
{
    m_pSkinBitmap = pBitmap;
    BITMAP bm = {};
    if (pBitmap == nullptr || pBitmap->GetBitmap(&bm) == 0)
        return;
    m_nSkinWidth = bm.bmWidth;
    m_nSkinHeight = bm.bmHeight;

    // Without readable pixels the window keeps the bitmap's rectangle.
    std::vector<DWORD> aPixels;
    if (!ReadSkinPixels(pBitmap, bm, aPixels))
        aPixels.assign(static_cast<size_t>(m_nSkinWidth) * static_cast<size_t>(m_nSkinHeight), 0);

    m_rgnWindow.CreateRectRgn(0, 0, m_nSkinWidth, m_nSkinHeight);
    for (int y = 0; y < m_nSkinHeight; ++y) {
        const DWORD* pRow = aPixels.data() + static_cast<size_t>(y) * static_cast<size_t>(m_nSkinWidth);
        for (int x = 0; x < m_nSkinWidth; ++x) {
            if ((pRow[x] & SKIN_RGB_MASK) != SKIN_SEE_THROUGH)
                continue;
            // The pixel lies inside the region, so exclusive-or removes it.
            CRgn rgnPixel;
            rgnPixel.CreateRectRgn(x, y, x + 1, y + 1);
            m_rgnWindow.CombineRgn(&m_rgnWindow, &rgnPixel, RGN_XOR);
        }
    }
    // The window owns the region from here on.
    ::SetWindowRgn(hWnd, static_cast<HRGN>(m_rgnWindow.GetSafeHandle()), TRUE);
    m_rgnWindow.Detach();
}

BOOL CViRuvedeDlg::OnEraseBkgnd(CDC* pDC)
{
    if (m_pSkinBitmap == nullptr)
        return TRUE;
    CDC dcMemory;
    if (!dcMemory.CreateCompatibleDC(pDC))
        return TRUE;
    dcMemory.SelectObject(m_pSkinBitmap);
    pDC->BitBlt(0, 0, m_nSkinWidth, m_nSkinHeight, &dcMemory, 0, 0, SRCCOPY);
    return TRUE;
}

HBRUSH CViRuvedeDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    const HBRUSH hbrDefault = CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
    // Fixed captions have no id of their own; they are drawn straight onto
    // the background.
    if (pWnd->GetDlgCtrlID() != -1)
        return hbrDefault;
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CViRuvedeDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    // Any point of the surface that is not a control moves the window.
    PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, 0);
    CDialog::OnLButtonDown(nFlags, point);
}

void CViRuvedeDlg::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    // The message's own point is the zero one posted by OnLButtonDown.
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    ScreenToClient(&ptCursor);
    if (InBox(CLOSE_BOX, m_nSkinWidth, ptCursor))
        PostMessage(WM_CLOSE);
    if (InBox(MINIMIZE_BOX, m_nSkinWidth, ptCursor))
        PostMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    CDialog::OnNcLButtonDown(nHitTest, point);
}

void CViRuvedeDlg::OnPaint()
{
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
    CRect rcClient;
    GetClientRect(&rcClient);
    const int x = (rcClient.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rcClient.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}
