// GDI objects. Each CGdiObject owns its handle and deletes it when it goes
// away, unless the handle was handed on with Detach.
#pragma once

#include "framework/types.h"

class CGdiObject {
public:
    CGdiObject() = default;
    virtual ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;

    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
};

class CBitmap : public CGdiObject {
public:
    BOOL LoadBitmap(UINT nIdResource);
    int GetBitmap(BITMAP* pBitmap) const;
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};

class CRgn : public CGdiObject {
public:
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
    int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode);
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
};

// A device context. A CDC made by CreateCompatibleDC owns it; one attached
// to a given handle only borrows it.
class CDC {
public:
    CDC() = default;
    ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;

    BOOL Attach(HDC hDC);
    HDC Detach();
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();
    // Selects a bitmap; the context's own bitmap is put back when it is deleted.
    HGDIOBJ SelectObject(CBitmap* pBitmap);
    HGDIOBJ SelectObject(HGDIOBJ hObject);
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
    int SetBkMode(int nMode);
    BOOL DrawIcon(int x, int y, HICON hIcon);
    operator HDC() const { return m_hDC; }

private:
    BOOL m_bOwned = FALSE;
    HGDIOBJ m_hOriginalBitmap = nullptr;
};

class CWnd;

// The device context of one WM_PAINT.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC();

    PAINTSTRUCT m_ps;

private:
    HWND m_hWnd;
};
