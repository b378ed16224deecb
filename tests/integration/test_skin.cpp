// The skinned main window: outline, background, captions, drag and the
// painted minimize and close boxes, on the real dialog.
#include <cstdint>
#include <cstring>
#include <vector>

#include "tests/support/dialog_fixture.h"

namespace {

const uint32_t PURE_WHITE = 0xFFFFFF;

// A picture as 0x00RRGGBB words, rows top to bottom.
struct PICTURE {
    int nWidth = 0;
    int nHeight = 0;
    std::vector<uint32_t> aPixels;
    uint32_t At(int x, int y) const { return aPixels[static_cast<size_t>(y) * nWidth + x]; }
};

// Bitmap 138 straight from its packed 24-bit resource data, independent of
// any device-dependent bitmap.
PICTURE ReadArtwork()
{
    PICTURE art;
    HRSRC hInfo = ::FindResourceW(nullptr, MAKEINTRESOURCEW(IDB_BACKGROUND), RT_BITMAP);
    if (hInfo == nullptr)
        return art;
    const auto* p = static_cast<const unsigned char*>(::LockResource(::LoadResource(nullptr, hInfo)));
    BITMAPINFOHEADER header;
    std::memcpy(&header, p, sizeof(header));
    if (header.biBitCount != 24 || header.biCompression != BI_RGB)
        return art;
    const bool bTopDown = header.biHeight < 0;
    art.nWidth = header.biWidth;
    art.nHeight = bTopDown ? -header.biHeight : header.biHeight;
    const size_t nStride = (static_cast<size_t>(art.nWidth) * 3 + 3) & ~static_cast<size_t>(3);
    const unsigned char* pBits = p + header.biSize;
    art.aPixels.resize(static_cast<size_t>(art.nWidth) * art.nHeight);
    for (int y = 0; y < art.nHeight; ++y) {
        const unsigned char* pRow = pBits + nStride * static_cast<size_t>(bTopDown ? y : art.nHeight - 1 - y);
        for (int x = 0; x < art.nWidth; ++x) {
            const unsigned char* q = pRow + 3 * x;
            art.aPixels[static_cast<size_t>(y) * art.nWidth + x] = (uint32_t(q[2]) << 16) | (uint32_t(q[1]) << 8) | q[0];
        }
    }
    return art;
}

// Every pixel of the window's shape against the picture: inside exactly
// where the picture has a pixel that is not pure white.
int CountShapeErrors(const HeadlessDriver::MASK& mask, const PICTURE& picture)
{
    int nErrors = 0;
    for (int y = 0; y < mask.nHeight; ++y)
        for (int x = 0; x < mask.nWidth; ++x) {
            const bool bOnPicture = x < picture.nWidth && y < picture.nHeight;
            const bool bExpected = bOnPicture && picture.At(x, y) != PURE_WHITE;
            if (mask.At(x, y) != bExpected)
                ++nErrors;
        }
    return nErrors;
}

int CountWhite(const PICTURE& picture)
{
    int nWhite = 0;
    for (uint32_t rgb : picture.aPixels)
        nWhite += rgb == PURE_WHITE ? 1 : 0;
    return nWhite;
}

POINT ToScreen(HWND hWnd, int x, int y)
{
    POINT pt = { x, y };
    ::ClientToScreen(hWnd, &pt);
    return pt;
}

bool HasDrag(HWND hWnd)
{
    for (HWND h : HeadlessDriver::Drags())
        if (h == hWnd)
            return true;
    return false;
}

std::vector<HWND> Children(HWND hDlg)
{
    std::vector<HWND> aChildren;
    for (HWND h = ::GetWindow(hDlg, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
        aChildren.push_back(h);
    return aChildren;
}

class Skin : public CDialogTest {
protected:
    void SetUp() override
    {
        CDialogTest::SetUp();
        m_art = ReadArtwork();
        ASSERT_EQ(1045, m_art.nWidth);
        ASSERT_EQ(749, m_art.nHeight);
    }

    PICTURE m_art;
};

class SkinAtDepth : public Skin, public ::testing::WithParamInterface<int> {};

TEST_P(SkinAtDepth, OutlineIsEveryPixelOfTheBackgroundThatIsNotPureWhite)
{
    HeadlessDriver::SetDisplayDepth(GetParam());
    OpenDialog();
    BITMAP bm = {};
    ASSERT_NE(0, m_pDlg->m_bmpBackground.GetBitmap(&bm));
    EXPECT_EQ(GetParam(), bm.bmBitsPixel); // the painted bitmap is the display's own
    EXPECT_EQ(&m_pDlg->m_bmpBackground, m_pDlg->m_pSkinBitmap);
    EXPECT_EQ(m_art.nWidth, m_pDlg->m_nSkinWidth);
    EXPECT_EQ(m_art.nHeight, m_pDlg->m_nSkinHeight);
    EXPECT_GT(CountWhite(m_art), 0);

    const auto mask = HeadlessDriver::WindowRegionMask(Dlg());
    ASSERT_GE(mask.nWidth, m_art.nWidth);
    ASSERT_GE(mask.nHeight, m_art.nHeight);
    EXPECT_EQ(0, CountShapeErrors(mask, m_art));
}

INSTANTIATE_TEST_SUITE_P(DisplayDepths, SkinAtDepth, ::testing::Values(16, 24, 32));

// A small picture with white corners and near-whites, in the layouts a
// bitmap can have.
TEST_F(Skin, SmallBitmapLosesOnlyItsPureWhitePixels)
{
    OpenDialog();
    const uint32_t G = 0x808080;
    const uint32_t W = PURE_WHITE;
    PICTURE small;
    small.nWidth = 6;
    small.nHeight = 4;
    small.aPixels = {
        W, W,        G,        G,        G, W,
        W, 0xFEFFFF, 0xFFFEFF, 0xFFFFFE, G, G,
        G, G,        W,        G,        G, G,
        W, G,        G,        G,        W, W,
    };
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = small.nWidth;
    bmi.bmiHeader.biHeight = -small.nHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;

    const struct {
        const char* pszKind;
        WORD nBits;
        bool bDib;
    } aRows[] = {
        { "24-bit DIB section", 24, true },
        { "32-bit DIB section", 32, true },
        { "32-bit device bitmap", 32, false },
    };
    for (const auto& row : aRows) {
        BITMAPINFO bmiKind = bmi;
        bmiKind.bmiHeader.biBitCount = row.nBits;
        void* pvBits = nullptr;
        HBITMAP hBitmap = row.bDib ? ::CreateDIBSection(nullptr, &bmiKind, DIB_RGB_COLORS, &pvBits, nullptr, 0)
                                   : ::CreateBitmap(small.nWidth, small.nHeight, 1, row.nBits, nullptr);
        ASSERT_NE(nullptr, hBitmap) << row.pszKind;
        CBitmap bmpSmall;
        bmpSmall.Attach(hBitmap);
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        ASSERT_EQ(small.nHeight, ::SetDIBits(dc, hBitmap, 0, small.nHeight, small.aPixels.data(), &bmi, DIB_RGB_COLORS));

        const int nObjects = HeadlessDriver::LiveGdiObjects();
        m_pDlg->BuildWindowRegion(Dlg(), &bmpSmall);
        // The previous region went with the new one; no pixel region stays.
        EXPECT_EQ(nObjects, HeadlessDriver::LiveGdiObjects()) << row.pszKind;
        EXPECT_EQ(&bmpSmall, m_pDlg->m_pSkinBitmap);
        EXPECT_EQ(6, m_pDlg->m_nSkinWidth);
        EXPECT_EQ(4, m_pDlg->m_nSkinHeight);

        // The window is far larger than the bitmap: nothing outside it shows.
        const auto mask = HeadlessDriver::WindowRegionMask(Dlg());
        EXPECT_EQ(0, CountShapeErrors(mask, small)) << row.pszKind;
        EXPECT_TRUE(mask.At(1, 1)) << row.pszKind;
        EXPECT_FALSE(mask.At(0, 0)) << row.pszKind;
        EXPECT_FALSE(mask.At(6, 0)) << row.pszKind;
        EXPECT_FALSE(mask.At(0, 4)) << row.pszKind;
    }
    ::DestroyWindow(Dlg()); // before the small bitmaps' owners go
}

TEST_F(Skin, PureWhitePixelsPassClicksToTheWindowsBehind)
{
    OpenDialog();
    EXPECT_EQ(PURE_WHITE, m_art.At(0, 0));
    EXPECT_NE(Dlg(), HeadlessDriver::WindowAt(ToScreen(Dlg(), 0, 0)));
    EXPECT_EQ(Dlg(), HeadlessDriver::WindowAt(ToScreen(Dlg(), m_art.nWidth / 2, 10)));
    EXPECT_NE(Dlg(), HeadlessDriver::WindowAt(ToScreen(Dlg(), m_art.nWidth + 1, 10)));
}

TEST_F(Skin, EraseBlitsTheBackgroundBitmap)
{
    OpenDialog();
    const auto pixels = HeadlessDriver::Paint(Dlg());
    // The title bar carries no control: every pixel of the window there is
    // the bitmap's own.
    int nCompared = 0;
    int nDifferent = 0;
    for (int y = 0; y < 26; ++y)
        for (int x = 0; x < m_art.nWidth && x < pixels.nWidth; ++x) {
            if (m_art.At(x, y) == PURE_WHITE)
                continue;
            ++nCompared;
            nDifferent += pixels.At(x, y) != m_art.At(x, y) ? 1 : 0;
        }
    EXPECT_GT(nCompared, 20000);
    EXPECT_EQ(0, nDifferent);
    EXPECT_EQ(0xF0F0F0u, pixels.At(m_art.nWidth / 2, m_art.nHeight / 2 + 4) & 0xFFFFFF);
}

// Clicks at the edges of the painted boxes: the areas are open intervals.
TEST_F(Skin, CloseAndMinimizeAreasEndAtTheirStrictEdges)
{
    enum Action { NOTHING, CLOSE, MINIMIZE };
    const int W = 1045;
    const struct {
        int x;
        int y;
        Action action;
    } aRows[] = {
        { W - 24, 14, NOTHING }, { W - 23, 14, CLOSE }, { W - 5, 14, CLOSE }, { W - 4, 14, NOTHING },
        { W - 14, 4, NOTHING },  { W - 14, 5, CLOSE },  { W - 14, 23, CLOSE }, { W - 14, 24, NOTHING },
        { W - 49, 14, NOTHING }, { W - 48, 14, MINIMIZE }, { W - 30, 14, MINIMIZE }, { W - 29, 14, NOTHING },
        { W - 39, 4, NOTHING },  { W - 39, 5, MINIMIZE },  { W - 39, 23, MINIMIZE }, { W - 39, 24, NOTHING },
        { W - 26, 14, NOTHING }, { 100, 14, NOTHING },
    };
    OpenDialog();
    for (const auto& row : aRows) {
        HeadlessDriver::SetCursor(ToScreen(Dlg(), row.x, row.y));
        // As posted by a press on the surface: the caption code, a zero point.
        ::SendMessageW(Dlg(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
        MSG msg;
        const bool bClose = ::PeekMessageW(&msg, Dlg(), WM_CLOSE, WM_CLOSE, PM_REMOVE) != FALSE;
        const bool bMinimize = ::PeekMessageW(&msg, Dlg(), WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE) != FALSE &&
                               msg.wParam == SC_MINIMIZE && msg.lParam == 0;
        EXPECT_EQ(row.action == CLOSE, bClose) << row.x << "," << row.y;
        EXPECT_EQ(row.action == MINIMIZE, bMinimize) << row.x << "," << row.y;
    }
    EXPECT_TRUE(HasDrag(Dlg()));
    EXPECT_TRUE(::IsWindow(Dlg()));
}

TEST_F(Skin, PressingThePaintedBoxesClosesOrMinimizesTheWindow)
{
    const struct {
        int nFromRight;
        bool bOpen;
        bool bIconic;
    } aRows[] = {
        { 24, true, false }, // on the close box's edge
        { 23, false, false },
        { 48, true, true },
    };
    for (const auto& row : aRows) {
        OpenDialog();
        HeadlessDriver::ClearMessageBoxes();
        const POINT pt = ToScreen(Dlg(), m_art.nWidth - row.nFromRight, 14);
        ASSERT_TRUE(HeadlessDriver::PressMouseAt(pt));
        // A closed window leaves nothing under the point to release over.
        HeadlessDriver::ReleaseMouseAt(pt);
        EXPECT_EQ(row.bOpen, ::IsWindow(Dlg()) != FALSE) << row.nFromRight;
        if (row.bOpen) {
            EXPECT_EQ(row.bIconic, ::IsIconic(Dlg()) != FALSE) << row.nFromRight;
            EXPECT_TRUE(HasDrag(Dlg())) << row.nFromRight;
            ::DestroyWindow(Dlg());
        }
    }
}

TEST_F(Skin, PressOnACaptionDragsButPressOnAControlDoesNot)
{
    OpenDialog();
    HWND hCaption = nullptr;
    for (HWND h : Children(Dlg()))
        if (::GetDlgCtrlID(h) == -1 && HeadlessDriver::ReadControl(h).strText == L"Axis")
            hCaption = h;
    ASSERT_NE(nullptr, hCaption);

    ASSERT_TRUE(HeadlessDriver::Click(Dlg(), IDC_DELAY_TIME));
    EXPECT_FALSE(HasDrag(Dlg()));

    const RECT rc = HeadlessDriver::ReadControl(hCaption).rcWindow;
    const POINT ptCaption = { (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2 };
    EXPECT_EQ(Dlg(), HeadlessDriver::WindowAt(ptCaption));
    ASSERT_TRUE(HeadlessDriver::ClickAt(ptCaption));
    EXPECT_TRUE(HasDrag(Dlg()));
    EXPECT_TRUE(::IsWindow(Dlg()));
}

TEST_F(Skin, CaptionsWithoutIdAreTransparentAndControlsWithIdsKeepTheDefaults)
{
    OpenDialog();
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    const HGDIOBJ hNullBrush = ::GetStockObject(NULL_BRUSH);
    int nCaptions = 0;
    int nOthers = 0;
    bool bRepeatSetup = false;
    for (HWND h : Children(Dlg())) {
        for (UINT nMessage : { WM_CTLCOLORSTATIC, WM_CTLCOLORBTN, WM_CTLCOLOREDIT }) {
            dc.SetBkMode(OPAQUE);
            const WPARAM wDc = reinterpret_cast<WPARAM>(dc.m_hDC);
            const LPARAM lCtl = reinterpret_cast<LPARAM>(h);
            const LRESULT hDefault = ::DefWindowProcW(Dlg(), nMessage, wDc, lCtl);
            dc.SetBkMode(OPAQUE);
            const LRESULT hBrush = ::SendMessageW(Dlg(), nMessage, wDc, lCtl);
            const int nId = ::GetDlgCtrlID(h);
            if (nId == -1) {
                EXPECT_EQ(reinterpret_cast<LRESULT>(hNullBrush), hBrush);
                EXPECT_EQ(TRANSPARENT, ::GetBkMode(dc));
            } else {
                EXPECT_EQ(hDefault, hBrush) << nId;
                EXPECT_NE(reinterpret_cast<LRESULT>(hNullBrush), hBrush) << nId;
                EXPECT_EQ(OPAQUE, ::GetBkMode(dc)) << nId;
            }
        }
        if (::GetDlgCtrlID(h) == -1) {
            ++nCaptions;
            bRepeatSetup = bRepeatSetup || HeadlessDriver::ReadControl(h).strText == L"Repeat Setup";
        } else {
            ++nOthers;
        }
    }
    EXPECT_GT(nCaptions, 40);
    EXPECT_GT(nOthers, 100);
    EXPECT_TRUE(bRepeatSetup);
}

// The icon drawn on its own, over two backgrounds: the pixels that agree are
// the icon's opaque ones.
PICTURE DrawIconAlone(HICON hIcon, uint32_t rgbBack, int nSize)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bmp;
    bmp.Attach(::CreateBitmap(nSize, nSize, 1, 32, nullptr));
    dc.SelectObject(&bmp);
    for (int y = 0; y < nSize; ++y)
        for (int x = 0; x < nSize; ++x)
            ::SetPixel(dc, x, y, RGB(rgbBack >> 16, (rgbBack >> 8) & 0xFF, rgbBack & 0xFF));
    dc.DrawIcon(0, 0, hIcon);
    PICTURE icon;
    icon.nWidth = icon.nHeight = nSize;
    for (int y = 0; y < nSize; ++y)
        for (int x = 0; x < nSize; ++x) {
            const COLORREF cr = ::GetPixel(dc, x, y);
            icon.aPixels.push_back((uint32_t(GetRValue(cr)) << 16) | (uint32_t(GetGValue(cr)) << 8) | GetBValue(cr));
        }
    return icon;
}

TEST_F(Skin, MinimizedWindowPaintsTheIconCentred)
{
    OpenDialog();
    ::ShowWindow(Dlg(), SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(Dlg()));
    const auto pixels = HeadlessDriver::Paint(Dlg());
    const int cx = ::GetSystemMetrics(SM_CXICON);
    const int cy = ::GetSystemMetrics(SM_CYICON);
    const int x0 = (pixels.nWidth - cx + 1) / 2;
    const int y0 = (pixels.nHeight - cy + 1) / 2;
    ASSERT_GE(x0, 0);
    ASSERT_GE(y0, 0);
    const PICTURE onBlack = DrawIconAlone(m_pDlg->m_hIcon, 0x000000, cx);
    const PICTURE onWhite = DrawIconAlone(m_pDlg->m_hIcon, 0xFFFFFF, cx);
    int nOpaque = 0;
    int nDifferent = 0;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) {
            if (onBlack.At(x, y) != onWhite.At(x, y))
                continue;
            ++nOpaque;
            nDifferent += (pixels.At(x0 + x, y0 + y) & 0xFFFFFF) != onBlack.At(x, y) ? 1 : 0;
        }
    EXPECT_GT(nOpaque, cx * cy / 4);
    EXPECT_EQ(0, nDifferent);
}

} // namespace
