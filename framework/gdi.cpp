#include "framework/gdi.h"

#include "framework/winapp.h"
#include "framework/wnd.h"

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == nullptr)
        return FALSE;
    DeleteObject();
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    m_hObject = nullptr;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    HGDIOBJ hObject = Detach();
    return ::DeleteObject(hObject);
}

BOOL CBitmap::LoadBitmap(UINT nIdResource)
{
    return Attach(::LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIdResource)));
}

int CBitmap::GetBitmap(BITMAP* pBitmap) const
{
    return ::GetObjectW(m_hObject, sizeof(BITMAP), pBitmap);
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    return Attach(::CreateRectRgn(x1, y1, x2, y2));
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    return ::CombineRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(pRgn1->m_hObject),
                        pRgn2 ? static_cast<HRGN>(pRgn2->m_hObject) : nullptr, nCombineMode);
}

CDC::~CDC()
{
    DeleteDC();
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == nullptr)
        return FALSE;
    DeleteDC();
    m_hDC = hDC;
    m_bOwned = FALSE;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    m_hDC = nullptr;
    m_bOwned = FALSE;
    m_hOriginalBitmap = nullptr;
    return hDC;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    HDC hDC = ::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr);
    if (hDC == nullptr)
        return FALSE;
    DeleteDC();
    m_hDC = hDC;
    m_bOwned = TRUE;
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr || !m_bOwned) {
        m_hDC = nullptr;
        return FALSE;
    }
    // Hand the selected bitmap back before the context goes, so its owner
    // can delete it.
    if (m_hOriginalBitmap != nullptr)
        ::SelectObject(m_hDC, m_hOriginalBitmap);
    HDC hDC = Detach();
    return ::DeleteDC(hDC);
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    return ::SelectObject(m_hDC, hObject);
}

HGDIOBJ CDC::SelectObject(CBitmap* pBitmap)
{
    if (pBitmap == nullptr)
        return nullptr;
    HGDIOBJ hPrevious = ::SelectObject(m_hDC, pBitmap->m_hObject);
    if (m_hOriginalBitmap == nullptr)
        m_hOriginalBitmap = hPrevious;
    return hPrevious;
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
}

int CDC::SetBkMode(int nMode) { return ::SetBkMode(m_hDC, nMode); }
BOOL CDC::DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps(), m_hWnd(pWnd->m_hWnd)
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}
