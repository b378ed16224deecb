// The graphics of the headless window system: regions pixel by pixel, window
// regions and their ownership, bitmaps at several display depths, checked
// handles and painting into window surfaces.
#include "winapi/headless/driver.h"
#include "winapi/headless/resource_table.h"
#include "winapi/win32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

class HeadlessGdi : public ::testing::Test {
protected:
    void SetUp() override
    {
        HeadlessDriver::Reset();
        m_nBaseline = HeadlessDriver::LiveGdiObjects();
    }

    void TearDown() override
    {
        HeadlessDriver::Reset();
        HeadlessSetResources(nullptr, nullptr);
    }

    int m_nBaseline = 0;
};

bool IsHole(int x, int y)
{
    return (x * 7 + y * 13) % 23 == 0;
}

TEST_F(HeadlessGdi, RegionXorOfSinglePixelsRemovesExactlyThem)
{
    const int W = 1045;
    const int H = 749;
    HRGN hWindow = CreateRectRgn(0, 0, W, H);
    int nHoles = 0;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W && nHoles < 32000; ++x) {
            if (!IsHole(x, y))
                continue;
            HRGN hPixel = CreateRectRgn(x, y, x + 1, y + 1);
            ASSERT_EQ(CombineRgn(hWindow, hWindow, hPixel, RGN_XOR), COMPLEXREGION);
            DeleteObject(hPixel);
            ++nHoles;
        }
    }
    ASSERT_EQ(nHoles, 32000);
    int nSeen = 0;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const bool bHole = IsHole(x, y) && nSeen < 32000;
            nSeen += bHole ? 1 : 0;
            ASSERT_EQ(PtInRegion(hWindow, x, y) != 0, !bHole) << x << "," << y;
        }
    }
    EXPECT_FALSE(PtInRegion(hWindow, W, 0));
    EXPECT_FALSE(PtInRegion(hWindow, -1, 5));
    RECT rcBox;
    EXPECT_EQ(GetRgnBox(hWindow, &rcBox), COMPLEXREGION);
    EXPECT_EQ(rcBox.right, W);
    EXPECT_EQ(rcBox.bottom, H);
    EXPECT_TRUE(DeleteObject(hWindow));
    EXPECT_EQ(HeadlessDriver::LiveGdiObjects(), m_nBaseline);
}

TEST_F(HeadlessGdi, CombineRgnModesGiveWindowsResults)
{
    struct {
        int nMode;
        int nExpected;
        RECT rcBox;
        POINT aInside[2];
        POINT aOutside[2];
    } const aCases[] = {
        {RGN_AND, SIMPLEREGION, {5, 5, 10, 10}, {{5, 5}, {9, 9}}, {{4, 5}, {10, 9}}},
        {RGN_OR, COMPLEXREGION, {0, 0, 15, 15}, {{0, 0}, {14, 14}}, {{14, 0}, {0, 14}}},
        {RGN_XOR, COMPLEXREGION, {0, 0, 15, 15}, {{0, 0}, {14, 14}}, {{7, 7}, {14, 0}}},
        {RGN_DIFF, COMPLEXREGION, {0, 0, 10, 10}, {{0, 0}, {9, 4}}, {{7, 7}, {12, 12}}},
        {RGN_COPY, SIMPLEREGION, {0, 0, 10, 10}, {{0, 0}, {9, 9}}, {{10, 10}, {12, 12}}},
    };
    HRGN hA = CreateRectRgn(0, 0, 10, 10);
    HRGN hB = CreateRectRgn(5, 5, 15, 15);
    HRGN hResult = CreateRectRgn(0, 0, 0, 0);
    for (const auto& test : aCases) {
        EXPECT_EQ(CombineRgn(hResult, hA, hB, test.nMode), test.nExpected) << test.nMode;
        RECT rc;
        GetRgnBox(hResult, &rc);
        EXPECT_TRUE(EqualRect(&rc, &test.rcBox)) << test.nMode;
        for (const POINT& pt : test.aInside)
            EXPECT_TRUE(PtInRegion(hResult, pt.x, pt.y)) << test.nMode << " " << pt.x << "," << pt.y;
        for (const POINT& pt : test.aOutside)
            EXPECT_FALSE(PtInRegion(hResult, pt.x, pt.y)) << test.nMode << " " << pt.x << "," << pt.y;
    }
    HRGN hFar = CreateRectRgn(20, 20, 30, 30);
    EXPECT_EQ(CombineRgn(hResult, hA, hFar, RGN_AND), NULLREGION);
    EXPECT_EQ(CombineRgn(hResult, hA, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_TRUE(EqualRgn(hResult, hA));
    EXPECT_EQ(OffsetRgn(hResult, 20, 20), SIMPLEREGION);
    EXPECT_TRUE(EqualRgn(hResult, hFar));
    EXPECT_EQ(CombineRgn(hResult, hA, hB, 9), ERROR);
    for (HRGN h : {hA, hB, hResult, hFar})
        EXPECT_TRUE(DeleteObject(h));
}

TEST_F(HeadlessGdi, WindowOwnsItsRegionFromSetWindowRgnOn)
{
    HWND hWnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30, nullptr, nullptr, nullptr,
                                nullptr);
    HRGN hFirst = CreateRectRgn(0, 0, 40, 30);
    HRGN hPixel = CreateRectRgn(3, 4, 4, 5);
    CombineRgn(hFirst, hFirst, hPixel, RGN_XOR);
    DeleteObject(hPixel);
    ASSERT_NE(SetWindowRgn(hWnd, hFirst, TRUE), 0);
    EXPECT_FALSE(DeleteObject(hFirst)) << "the window owns the region";

    const auto mask = HeadlessDriver::WindowRegionMask(hWnd);
    ASSERT_EQ(mask.nWidth, 40);
    EXPECT_FALSE(mask.At(3, 4));
    EXPECT_TRUE(mask.At(4, 4));
    EXPECT_EQ(HeadlessDriver::WindowAt(POINT{3, 4}), nullptr);
    EXPECT_EQ(HeadlessDriver::WindowAt(POINT{4, 4}), hWnd);

    HRGN hCopy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(hWnd, hCopy), COMPLEXREGION);
    EXPECT_TRUE(EqualRgn(hCopy, hFirst));

    HRGN hSecond = CreateRectRgn(0, 0, 10, 10);
    SetWindowRgn(hWnd, hSecond, FALSE);
    RECT rc;
    EXPECT_EQ(GetRgnBox(hFirst, &rc), ERROR) << "the replaced region is gone";
    DestroyWindow(hWnd);
    EXPECT_EQ(GetRgnBox(hSecond, &rc), ERROR) << "the region went with the window";
    EXPECT_TRUE(DeleteObject(hCopy));
    EXPECT_EQ(HeadlessDriver::LiveGdiObjects(), m_nBaseline);
}

// A 24-bit packed DIB, bottom-up, 3 x 2: top row white, near white, red;
// bottom row black, blue, green.
std::vector<unsigned char> SampleDib24()
{
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = 3;
    header.biHeight = 2;
    header.biPlanes = 1;
    header.biBitCount = 24;
    const unsigned char aBottom[12] = {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 0};
    const unsigned char aTop[12] = {255, 255, 255, 255, 255, 254, 0, 0, 255, 0, 0, 0};
    std::vector<unsigned char> aData(sizeof(header));
    std::memcpy(aData.data(), &header, sizeof(header));
    aData.insert(aData.end(), aBottom, aBottom + 12);
    aData.insert(aData.end(), aTop, aTop + 12);
    return aData;
}

struct DEPTH_CASE {
    int nDepth;
    LONG nWidthBytes;
    uint32_t nWhite;
    uint32_t nNearWhite;
    uint32_t nRed;
    uint32_t nGreen;
    uint32_t nBlue;
};

class HeadlessGdiDepth : public HeadlessGdi, public ::testing::WithParamInterface<DEPTH_CASE> {
};

TEST_P(HeadlessGdiDepth, ScreenBitmapKeepsTheDisplayLayoutAndGetDIBitsGives32BitTopDown)
{
    const DEPTH_CASE& test = GetParam();
    static const std::vector<unsigned char> s_aDib = SampleDib24();
    HEADLESS_RESOURCE aTable[] = {{2, 138, s_aDib.data(), static_cast<unsigned long>(s_aDib.size())}, {0, 0, nullptr, 0}};
    HeadlessSetResources(aTable, "");
    HeadlessDriver::SetDisplayDepth(test.nDepth);

    HBITMAP hBitmap = LoadBitmapW(nullptr, MAKEINTRESOURCEW(138));
    ASSERT_NE(hBitmap, nullptr);
    BITMAP bm{};
    ASSERT_EQ(GetObjectW(hBitmap, sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
    EXPECT_EQ(bm.bmWidth, 3);
    EXPECT_EQ(bm.bmHeight, 2);
    EXPECT_EQ(bm.bmBitsPixel, test.nDepth);
    EXPECT_EQ(bm.bmWidthBytes, test.nWidthBytes);
    std::vector<unsigned char> aDevice(static_cast<size_t>(bm.bmWidthBytes * bm.bmHeight) + 16, 0xAA);
    EXPECT_EQ(GetBitmapBits(hBitmap, static_cast<LONG>(aDevice.size()), aDevice.data()), bm.bmWidthBytes * bm.bmHeight);

    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = 3;
    bmi.bmiHeader.biHeight = -2;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    uint32_t aPixels[6] = {0};
    HDC hScreen = GetDC(nullptr);
    EXPECT_EQ(GetDIBits(hScreen, hBitmap, 0, 2, aPixels, &bmi, DIB_RGB_COLORS), 2);
    ReleaseDC(nullptr, hScreen);
    EXPECT_EQ(aPixels[0], test.nWhite);
    EXPECT_EQ(aPixels[1], test.nNearWhite);
    EXPECT_EQ(aPixels[2], test.nRed);
    EXPECT_EQ(aPixels[3], 0x000000u);
    EXPECT_EQ(aPixels[4], test.nBlue);
    EXPECT_EQ(aPixels[5], test.nGreen);
    if (test.nDepth == 32) {
        uint32_t nFirstWord = 0;
        std::memcpy(&nFirstWord, aDevice.data(), 4);
        EXPECT_EQ(nFirstWord, 0x00FFFFFFu);
    }

    // A DIB section keeps the resource's own 24-bit pixels at every depth.
    HBITMAP hDib = static_cast<HBITMAP>(LoadImageW(nullptr, MAKEINTRESOURCEW(138), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(hDib, nullptr);
    ASSERT_EQ(GetObjectW(hDib, sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
    EXPECT_EQ(bm.bmBitsPixel, 24);
    ASSERT_NE(bm.bmBits, nullptr);
    hScreen = GetDC(nullptr);
    EXPECT_EQ(GetDIBits(hScreen, hDib, 0, 2, aPixels, &bmi, DIB_RGB_COLORS), 2);
    ReleaseDC(nullptr, hScreen);
    EXPECT_EQ(aPixels[0], 0xFFFFFFu);
    EXPECT_EQ(aPixels[1], 0xFEFFFFu);
    EXPECT_TRUE(DeleteObject(hBitmap));
    EXPECT_TRUE(DeleteObject(hDib));
    EXPECT_EQ(HeadlessDriver::LiveGdiObjects(), m_nBaseline);
}

// At 16 bits the display keeps 5-6-5 bits: pure and near white look alike.
INSTANTIATE_TEST_SUITE_P(DisplayDepths, HeadlessGdiDepth,
                         ::testing::Values(DEPTH_CASE{16, 6, 0xF8FCF8u, 0xF8FCF8u, 0xF80000u, 0x00FC00u, 0x0000F8u},
                                           DEPTH_CASE{24, 10, 0xFFFFFFu, 0xFEFFFFu, 0xFF0000u, 0x00FF00u, 0x0000FFu},
                                           DEPTH_CASE{32, 12, 0xFFFFFFu, 0xFEFFFFu, 0xFF0000u, 0x00FF00u, 0x0000FFu}));

TEST_F(HeadlessGdi, HandlesAreCheckedAndCounted)
{
    HBITMAP hBitmap = CreateBitmap(4, 4, 1, 32, nullptr);
    HDC hMemory = CreateCompatibleDC(nullptr);
    HBRUSH hBrush = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(HeadlessDriver::LiveGdiObjects(), m_nBaseline + 3);

    HGDIOBJ hDefault = SelectObject(hMemory, hBitmap);
    ASSERT_NE(hDefault, nullptr);
    HDC hOther = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(hOther, hBitmap), nullptr) << "a bitmap lives in one DC";
    EXPECT_FALSE(DeleteObject(hBitmap)) << "still selected";
    EXPECT_EQ(SelectObject(hMemory, hDefault), hBitmap);
    EXPECT_TRUE(DeleteObject(hBitmap));
    EXPECT_FALSE(DeleteObject(hBitmap)) << "already deleted";
    EXPECT_EQ(SelectObject(hMemory, hBitmap), nullptr);
    BITMAP bm;
    EXPECT_EQ(GetObjectW(hBitmap, sizeof(bm), &bm), 0);
    EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(0x1234))));
    EXPECT_TRUE(DeleteObject(GetStockObject(NULL_BRUSH))) << "stock objects ignore deletion";
    EXPECT_NE(GetStockObject(NULL_BRUSH), nullptr);
    EXPECT_EQ(SetBkMode(hMemory, TRANSPARENT), OPAQUE);
    EXPECT_EQ(GetBkMode(hMemory), TRANSPARENT);
    EXPECT_EQ(SetBkMode(reinterpret_cast<HDC>(hBrush), TRANSPARENT), 0);
    EXPECT_TRUE(DeleteDC(hMemory));
    EXPECT_TRUE(DeleteDC(hOther));
    EXPECT_FALSE(DeleteDC(hOther));
    EXPECT_TRUE(DeleteObject(hBrush));
    EXPECT_EQ(HeadlessDriver::LiveGdiObjects(), m_nBaseline);
}

// A window that paints itself the way the skin does: the background bitmap
// blitted on WM_ERASEBKGND.
HBITMAP g_hBackground = nullptr;

LRESULT CALLBACK SkinProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_ERASEBKGND) {
        HDC hDc = reinterpret_cast<HDC>(wParam);
        HDC hMemory = CreateCompatibleDC(hDc);
        HGDIOBJ hOld = SelectObject(hMemory, g_hBackground);
        BitBlt(hDc, 0, 0, 8, 6, hMemory, 0, 0, SRCCOPY);
        SelectObject(hMemory, hOld);
        DeleteDC(hMemory);
        return 1;
    }
    return DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

TEST_F(HeadlessGdi, EraseBackgroundPaintsTheWindowSurfaceInsideItsRegion)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = &SkinProc;
    wc.lpszClassName = L"Skin";
    ASSERT_NE(RegisterClassW(&wc), 0);
    HWND hWnd = CreateWindowExW(0, L"Skin", L"", WS_POPUP | WS_VISIBLE, 0, 0, 10, 6, nullptr, nullptr, nullptr, nullptr);
    HDC hScreen = GetDC(hWnd);
    g_hBackground = CreateCompatibleBitmap(hScreen, 8, 6);
    ReleaseDC(hWnd, hScreen);
    HDC hMemory = CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = SelectObject(hMemory, g_hBackground);
    RECT rc = {0, 0, 8, 6};
    HBRUSH hGrey = CreateSolidBrush(RGB(240, 240, 240));
    FillRect(hMemory, &rc, hGrey);
    SetPixel(hMemory, 2, 1, RGB(255, 0, 0));
    SelectObject(hMemory, hOld);
    DeleteDC(hMemory);
    DeleteObject(hGrey);

    HRGN hRegion = CreateRectRgn(0, 0, 10, 6);
    HRGN hCorner = CreateRectRgn(0, 0, 1, 1);
    CombineRgn(hRegion, hRegion, hCorner, RGN_XOR);
    DeleteObject(hCorner);
    SetWindowRgn(hWnd, hRegion, TRUE);

    const auto pixels = HeadlessDriver::Paint(hWnd);
    ASSERT_EQ(pixels.nWidth, 10);
    ASSERT_EQ(pixels.nHeight, 6);
    EXPECT_EQ(pixels.At(2, 1), 0xFF0000u);
    EXPECT_EQ(pixels.At(7, 5), 0xF0F0F0u);
    EXPECT_EQ(pixels.At(0, 0), 0u) << "outside the region nothing is painted";
    EXPECT_EQ(pixels.At(9, 5), 0u) << "outside the bitmap nothing is painted";
    DestroyWindow(hWnd);
    EXPECT_TRUE(DeleteObject(g_hBackground));
    EXPECT_EQ(HeadlessDriver::LiveGdiObjects(), m_nBaseline);
}

} // namespace
