// Graphics of the headless window system: checked object handles, bitmaps in
// their device layouts, device contexts over bitmaps and window surfaces,
// brushes, fonts, icons and regions kept as sorted row spans.
#include "winapi/headless/window_system.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <map>
#include <utility>

namespace headless {

namespace {

using StateLock = std::unique_lock<std::recursive_mutex>;

StateLock LockState()
{
    return StateLock(StateMutex());
}

const DWORD OBJ_ICON_OBJECT = 0x100;
const DWORD OBJ_CURSOR_OBJECT = 0x101;

using Spans = std::vector<std::pair<int, int>>; // sorted, disjoint, not touching: [first, second)

struct CRegionData {
    std::map<int, Spans> mapRows;
};

struct CBitmapData {
    int nWidth = 0;
    int nHeight = 0;
    int nBpp = 1;
    int nStride = 0;
    bool bDib = false;
    bool bTopDown = true;
    bool b565 = true; // 16-bit layout: 5-6-5 (display) or 5-5-5 (plain DIB)
    std::vector<uint8_t> aBits;
    std::vector<RGBQUAD> aPalette;
    int nSelected = 0;
};

struct CDcData {
    bool bMemory = false;
    HWND hWnd = nullptr;
    HGDIOBJ hBitmap = nullptr;
    HGDIOBJ hBrush = nullptr;
    HGDIOBJ hPen = nullptr;
    HGDIOBJ hFont = nullptr;
    int nBkMode = OPAQUE;
    COLORREF crText = RGB(0, 0, 0);
    COLORREF crBk = RGB(255, 255, 255);
};

struct CIconData {
    int nWidth = 0;
    int nHeight = 0;
    std::vector<uint32_t> aArgb; // 0xAARRGGBB, alpha 0 is see-through
};

struct CGdiObject {
    DWORD dwType = 0;
    bool bStock = false;
    bool bSystemOwned = false;
    bool bShared = false;
    CBitmapData bitmap;
    COLORREF crColor = 0; // brush and pen colour
    bool bNullBrush = false;
    LOGFONTW font{};
    CRegionData region;
    CDcData dc;
    CIconData icon;
};

struct CGdi {
    std::map<uintptr_t, std::unique_ptr<CGdiObject>> mapObjects;
    uintptr_t nNext = 0x01000000;
    std::map<int, HGDIOBJ> mapStock;
    std::map<int, HGDIOBJ> mapSysBrushes;
    HGDIOBJ hDefaultBitmap = nullptr;
    HGDIOBJ hStockIcon = nullptr;
    HGDIOBJ hStockCursor = nullptr;
};

CGdi& Gdi()
{
    static CGdi gdi;
    return gdi;
}

HGDIOBJ AddObject(std::unique_ptr<CGdiObject> pObject)
{
    CGdi& gdi = Gdi();
    HGDIOBJ h = reinterpret_cast<HGDIOBJ>(gdi.nNext);
    gdi.nNext += 4;
    gdi.mapObjects[reinterpret_cast<uintptr_t>(h)] = std::move(pObject);
    return h;
}

CGdiObject* FindObject(HGDIOBJ h)
{
    auto& map = Gdi().mapObjects;
    auto it = map.find(reinterpret_cast<uintptr_t>(h));
    return it == map.end() ? nullptr : it->second.get();
}

CGdiObject* FindTyped(HGDIOBJ h, DWORD dwType)
{
    CGdiObject* p = FindObject(h);
    return (p != nullptr && p->dwType == dwType) ? p : nullptr;
}

CGdiObject* FindDc(HDC hDc)
{
    CGdiObject* p = FindObject(hDc);
    return (p != nullptr && (p->dwType == OBJ_DC || p->dwType == OBJ_MEMDC)) ? p : nullptr;
}

// --- colours ---------------------------------------------------------------

uint32_t RgbOf(COLORREF cr)
{
    return (static_cast<uint32_t>(GetRValue(cr)) << 16) | (static_cast<uint32_t>(GetGValue(cr)) << 8) | GetBValue(cr);
}

COLORREF ColorRefOf(uint32_t rgb)
{
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

uint32_t RgbOfQuad(const RGBQUAD& q)
{
    return (static_cast<uint32_t>(q.rgbRed) << 16) | (static_cast<uint32_t>(q.rgbGreen) << 8) | q.rgbBlue;
}

// A display of 16 bits keeps 5-6-5 bits per pixel; reading it back does not
// restore the dropped low bits.
uint32_t QuantizeForDepth(uint32_t rgb, int nBpp)
{
    if (nBpp != 16)
        return rgb & 0xFFFFFF;
    const uint32_t r = ((rgb >> 16) & 0xF8);
    const uint32_t g = ((rgb >> 8) & 0xFC);
    const uint32_t b = (rgb & 0xF8);
    return (r << 16) | (g << 8) | b;
}

int DisplayBpp()
{
    return State().nDisplayBpp;
}

// --- bitmap pixels ---------------------------------------------------------

int DdbStride(int nWidth, int nBpp)
{
    return ((nWidth * nBpp + 15) / 16) * 2;
}

int DibStride(int nWidth, int nBpp)
{
    return ((nWidth * nBpp + 31) / 32) * 4;
}

uint8_t* RowOf(CBitmapData& bmp, int y)
{
    const int nRow = bmp.bTopDown ? y : bmp.nHeight - 1 - y;
    return bmp.aBits.data() + static_cast<size_t>(nRow) * bmp.nStride;
}

const uint8_t* RowOf(const CBitmapData& bmp, int y)
{
    return RowOf(const_cast<CBitmapData&>(bmp), y);
}

uint32_t PaletteColor(const CBitmapData& bmp, unsigned nIndex)
{
    if (nIndex < bmp.aPalette.size())
        return RgbOfQuad(bmp.aPalette[nIndex]);
    return nIndex ? 0xFFFFFF : 0;
}

uint32_t GetBitmapPixel(const CBitmapData& bmp, int x, int y)
{
    const uint8_t* p = RowOf(bmp, y);
    switch (bmp.nBpp) {
    case 1:
        return PaletteColor(bmp, (p[x >> 3] >> (7 - (x & 7))) & 1);
    case 4:
        return PaletteColor(bmp, (x & 1) ? (p[x >> 1] & 0x0F) : (p[x >> 1] >> 4));
    case 8:
        return PaletteColor(bmp, p[x]);
    case 16: {
        const unsigned w = p[2 * x] | (p[2 * x + 1] << 8);
        if (bmp.b565)
            return (((w >> 11) & 0x1F) << 19) | (((w >> 5) & 0x3F) << 10) | ((w & 0x1F) << 3);
        return (((w >> 10) & 0x1F) << 19) | (((w >> 5) & 0x1F) << 11) | ((w & 0x1F) << 3);
    }
    case 24:
        return (static_cast<uint32_t>(p[3 * x + 2]) << 16) | (static_cast<uint32_t>(p[3 * x + 1]) << 8) | p[3 * x];
    default:
        return (static_cast<uint32_t>(p[4 * x + 2]) << 16) | (static_cast<uint32_t>(p[4 * x + 1]) << 8) | p[4 * x];
    }
}

unsigned NearestPaletteIndex(const CBitmapData& bmp, uint32_t rgb)
{
    const size_t nCount = bmp.aPalette.empty() ? 2 : bmp.aPalette.size();
    unsigned nBest = 0;
    long nBestDistance = -1;
    for (size_t i = 0; i < nCount; ++i) {
        const uint32_t c = PaletteColor(bmp, static_cast<unsigned>(i));
        const long dr = static_cast<long>((c >> 16) & 0xFF) - static_cast<long>((rgb >> 16) & 0xFF);
        const long dg = static_cast<long>((c >> 8) & 0xFF) - static_cast<long>((rgb >> 8) & 0xFF);
        const long db = static_cast<long>(c & 0xFF) - static_cast<long>(rgb & 0xFF);
        const long nDistance = dr * dr + dg * dg + db * db;
        if (nBestDistance < 0 || nDistance < nBestDistance) {
            nBest = static_cast<unsigned>(i);
            nBestDistance = nDistance;
        }
    }
    return nBest;
}

void SetBitmapPixel(CBitmapData& bmp, int x, int y, uint32_t rgb)
{
    uint8_t* p = RowOf(bmp, y);
    const uint8_t r = (rgb >> 16) & 0xFF;
    const uint8_t g = (rgb >> 8) & 0xFF;
    const uint8_t b = rgb & 0xFF;
    switch (bmp.nBpp) {
    case 1: {
        const unsigned nBit = NearestPaletteIndex(bmp, rgb);
        const uint8_t nMask = static_cast<uint8_t>(0x80 >> (x & 7));
        p[x >> 3] = static_cast<uint8_t>(nBit ? (p[x >> 3] | nMask) : (p[x >> 3] & ~nMask));
        return;
    }
    case 4: {
        const unsigned n = NearestPaletteIndex(bmp, rgb);
        uint8_t& byte = p[x >> 1];
        byte = static_cast<uint8_t>((x & 1) ? ((byte & 0xF0) | n) : ((byte & 0x0F) | (n << 4)));
        return;
    }
    case 8:
        p[x] = static_cast<uint8_t>(NearestPaletteIndex(bmp, rgb));
        return;
    case 16: {
        const unsigned w = bmp.b565 ? (((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3))
                                    : (((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
        p[2 * x] = static_cast<uint8_t>(w & 0xFF);
        p[2 * x + 1] = static_cast<uint8_t>(w >> 8);
        return;
    }
    case 24:
        p[3 * x] = b;
        p[3 * x + 1] = g;
        p[3 * x + 2] = r;
        return;
    default:
        p[4 * x] = b;
        p[4 * x + 1] = g;
        p[4 * x + 2] = r;
        p[4 * x + 3] = 0;
        return;
    }
}

void InitBitmap(CBitmapData& bmp, int nWidth, int nHeight, int nBpp, bool bDib, bool bTopDown)
{
    bmp.nWidth = nWidth;
    bmp.nHeight = nHeight;
    bmp.nBpp = nBpp;
    bmp.bDib = bDib;
    bmp.bTopDown = bTopDown;
    bmp.b565 = !bDib;
    bmp.nStride = bDib ? DibStride(nWidth, nBpp) : DdbStride(nWidth, nBpp);
    bmp.aBits.assign(static_cast<size_t>(bmp.nStride) * nHeight, 0);
    if (nBpp == 1 && !bDib)
        bmp.aPalette = {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}};
}

bool SupportedDdbDepth(int nBpp)
{
    return nBpp == 1 || nBpp == 16 || nBpp == 24 || nBpp == 32;
}

HBITMAP NewBitmap(int nWidth, int nHeight, int nBpp, bool bDib, bool bTopDown)
{
    auto pObject = std::make_unique<CGdiObject>();
    pObject->dwType = OBJ_BITMAP;
    InitBitmap(pObject->bitmap, nWidth, nHeight, nBpp, bDib, bTopDown);
    return static_cast<HBITMAP>(AddObject(std::move(pObject)));
}

// A packed DIB (header, masks, palette, rows) seen as a bitmap. Returns false
// for layouts the system never stores in resources (compressed, malformed).
bool ParsePackedDib(const unsigned char* pData, size_t cbData, CBitmapData& bmp, int nHeightDivisor = 1)
{
    if (pData == nullptr || cbData < sizeof(BITMAPINFOHEADER))
        return false;
    BITMAPINFOHEADER header;
    std::memcpy(&header, pData, sizeof(header));
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biWidth <= 0 || header.biHeight == 0)
        return false;
    const int nBpp = header.biBitCount;
    if (nBpp != 1 && nBpp != 4 && nBpp != 8 && nBpp != 16 && nBpp != 24 && nBpp != 32)
        return false;
    if (header.biCompression != BI_RGB && !(header.biCompression == BI_BITFIELDS && (nBpp == 16 || nBpp == 32)))
        return false;
    size_t nOffset = header.biSize;
    bool b565 = false;
    if (header.biCompression == BI_BITFIELDS) {
        if (header.biSize == sizeof(BITMAPINFOHEADER)) {
            if (cbData < nOffset + 12)
                return false;
            DWORD dwGreen = 0;
            std::memcpy(&dwGreen, pData + nOffset + 4, 4);
            b565 = dwGreen == 0x07E0;
            nOffset += 12;
        } else {
            DWORD dwGreen = 0;
            std::memcpy(&dwGreen, pData + 44, 4);
            b565 = dwGreen == 0x07E0;
        }
    }
    const size_t nColors = nBpp <= 8 ? (header.biClrUsed ? header.biClrUsed : (1u << nBpp)) : header.biClrUsed;
    const size_t nPaletteBytes = nColors * sizeof(RGBQUAD);
    const bool bTopDown = header.biHeight < 0;
    const int nHeight = (bTopDown ? -header.biHeight : header.biHeight) / nHeightDivisor;
    const int nStride = DibStride(header.biWidth, nBpp);
    const size_t nBitsBytes = static_cast<size_t>(nStride) * nHeight;
    if (nHeight <= 0 || cbData < nOffset + nPaletteBytes + nBitsBytes)
        return false;
    bmp.nWidth = header.biWidth;
    bmp.nHeight = nHeight;
    bmp.nBpp = nBpp;
    bmp.nStride = nStride;
    bmp.bDib = true;
    bmp.bTopDown = bTopDown;
    bmp.b565 = b565;
    bmp.aPalette.resize(nBpp <= 8 ? nColors : 0);
    if (!bmp.aPalette.empty())
        std::memcpy(bmp.aPalette.data(), pData + nOffset, bmp.aPalette.size() * sizeof(RGBQUAD));
    const unsigned char* pBits = pData + nOffset + nPaletteBytes;
    bmp.aBits.assign(pBits, pBits + nBitsBytes);
    return true;
}

void CopyPixels(const CBitmapData& from, CBitmapData& to, int nDepthQuantize)
{
    const int cx = std::min(from.nWidth, to.nWidth);
    const int cy = std::min(from.nHeight, to.nHeight);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            SetBitmapPixel(to, x, y, QuantizeForDepth(GetBitmapPixel(from, x, y), nDepthQuantize));
}

// --- surfaces --------------------------------------------------------------

struct CSurface {
    CBitmapData* pBitmap = nullptr;
    uint32_t* pWindow = nullptr;
    int nWidth = 0;
    int nHeight = 0;
    HRGN hClip = nullptr;
    bool bValid = false;
};

CSurface SurfaceOf(CGdiObject* pDc)
{
    CSurface surface;
    if (pDc == nullptr)
        return surface;
    if (pDc->dc.bMemory) {
        CGdiObject* pBitmap = FindTyped(pDc->dc.hBitmap, OBJ_BITMAP);
        if (pBitmap == nullptr)
            return surface;
        surface.pBitmap = &pBitmap->bitmap;
        surface.nWidth = pBitmap->bitmap.nWidth;
        surface.nHeight = pBitmap->bitmap.nHeight;
        surface.bValid = true;
        return surface;
    }
    surface.bValid = true;
    if (pDc->dc.hWnd == nullptr)
        return surface; // the screen: drawing there leaves no trace
    surface.pWindow = WindowSurface(pDc->dc.hWnd, &surface.nWidth, &surface.nHeight);
    if (const CWindow* pWnd = FindWindowData(pDc->dc.hWnd))
        surface.hClip = pWnd->hRegion;
    return surface;
}

bool RegionContains(const CRegionData& region, int x, int y);

bool Inside(const CSurface& surface, int x, int y)
{
    return x >= 0 && y >= 0 && x < surface.nWidth && y < surface.nHeight;
}

uint32_t GetSurfacePixel(const CSurface& surface, int x, int y)
{
    if (surface.pBitmap != nullptr)
        return GetBitmapPixel(*surface.pBitmap, x, y);
    if (surface.pWindow != nullptr)
        return surface.pWindow[static_cast<size_t>(y) * surface.nWidth + x];
    return 0;
}

void SetSurfacePixel(CSurface& surface, int x, int y, uint32_t rgb)
{
    if (surface.pBitmap != nullptr) {
        SetBitmapPixel(*surface.pBitmap, x, y, rgb);
        return;
    }
    if (surface.pWindow == nullptr)
        return;
    if (surface.hClip != nullptr) {
        CGdiObject* pRegion = FindTyped(surface.hClip, OBJ_REGION);
        if (pRegion != nullptr && !RegionContains(pRegion->region, x, y))
            return;
    }
    surface.pWindow[static_cast<size_t>(y) * surface.nWidth + x] = QuantizeForDepth(rgb, DisplayBpp());
}

bool IsMono(const CSurface& surface)
{
    return surface.pBitmap != nullptr && surface.pBitmap->nBpp == 1 && !surface.pBitmap->bDib;
}

// --- regions ---------------------------------------------------------------

bool Combine(bool bA, bool bB, int nMode)
{
    switch (nMode) {
    case RGN_AND:
        return bA && bB;
    case RGN_OR:
        return bA || bB;
    case RGN_XOR:
        return bA != bB;
    case RGN_DIFF:
        return bA && !bB;
    default:
        return bA;
    }
}

// Combines two rows into out without allocating once the buffers have grown:
// regions are built from thousands of single-pixel combinations.
void CombineSpansInto(const Spans& a, const Spans& b, int nMode, Spans& out)
{
    thread_local std::vector<int> t_aEdges;
    std::vector<int>& aEdges = t_aEdges;
    aEdges.clear();
    for (const auto& span : a) {
        aEdges.push_back(span.first);
        aEdges.push_back(span.second);
    }
    for (const auto& span : b) {
        aEdges.push_back(span.first);
        aEdges.push_back(span.second);
    }
    std::sort(aEdges.begin(), aEdges.end());
    aEdges.erase(std::unique(aEdges.begin(), aEdges.end()), aEdges.end());
    out.clear();
    size_t ia = 0;
    size_t ib = 0;
    for (size_t k = 0; k + 1 < aEdges.size(); ++k) {
        const int x = aEdges[k];
        while (ia < a.size() && a[ia].second <= x)
            ++ia;
        while (ib < b.size() && b[ib].second <= x)
            ++ib;
        const bool bA = ia < a.size() && a[ia].first <= x;
        const bool bB = ib < b.size() && b[ib].first <= x;
        if (!Combine(bA, bB, nMode))
            continue;
        if (!out.empty() && out.back().second == x)
            out.back().second = aEdges[k + 1];
        else
            out.emplace_back(x, aEdges[k + 1]);
    }
}

void SetRegionRect(CRegionData& region, int nLeft, int nTop, int nRight, int nBottom)
{
    region.mapRows.clear();
    if (nLeft > nRight)
        std::swap(nLeft, nRight);
    if (nTop > nBottom)
        std::swap(nTop, nBottom);
    if (nLeft == nRight || nTop == nBottom)
        return;
    for (int y = nTop; y < nBottom; ++y)
        region.mapRows.emplace_hint(region.mapRows.end(), y, Spans{{nLeft, nRight}});
}

int Complexity(const CRegionData& region)
{
    const auto& rows = region.mapRows;
    if (rows.empty())
        return NULLREGION;
    const Spans& first = rows.begin()->second;
    if (first.size() != 1)
        return COMPLEXREGION;
    int nExpected = rows.begin()->first;
    for (const auto& row : rows) {
        if (row.first != nExpected || row.second != first)
            return COMPLEXREGION;
        ++nExpected;
    }
    return SIMPLEREGION;
}

bool RegionContains(const CRegionData& region, int x, int y)
{
    auto it = region.mapRows.find(y);
    if (it == region.mapRows.end())
        return false;
    const Spans& spans = it->second;
    auto itSpan = std::upper_bound(spans.begin(), spans.end(), x,
                                   [](int nX, const std::pair<int, int>& span) { return nX < span.first; });
    if (itSpan == spans.begin())
        return false;
    --itSpan;
    return x < itSpan->second;
}

RECT RegionBox(const CRegionData& region)
{
    RECT rc = {0, 0, 0, 0};
    if (region.mapRows.empty())
        return rc;
    rc.top = region.mapRows.begin()->first;
    rc.bottom = region.mapRows.rbegin()->first + 1;
    rc.left = region.mapRows.begin()->second.front().first;
    rc.right = region.mapRows.begin()->second.back().second;
    for (const auto& row : region.mapRows) {
        rc.left = std::min<LONG>(rc.left, row.second.front().first);
        rc.right = std::max<LONG>(rc.right, row.second.back().second);
    }
    return rc;
}

void CombineInPlace(CRegionData& dst, const CRegionData& src, int nMode)
{
    thread_local Spans t_result;
    static const Spans s_empty;
    if (nMode == RGN_AND) {
        for (auto it = dst.mapRows.begin(); it != dst.mapRows.end();) {
            auto itOther = src.mapRows.find(it->first);
            if (itOther == src.mapRows.end()) {
                it = dst.mapRows.erase(it);
                continue;
            }
            CombineSpansInto(it->second, itOther->second, nMode, t_result);
            if (t_result.empty()) {
                it = dst.mapRows.erase(it);
            } else {
                it->second.assign(t_result.begin(), t_result.end());
                ++it;
            }
        }
        return;
    }
    // Only the spans of a row that overlap or touch the other row's extent can
    // change, so each row is combined in a small window.
    thread_local Spans t_window;
    for (const auto& row : src.mapRows) {
        const Spans& other = row.second;
        auto it = dst.mapRows.find(row.first);
        if (it == dst.mapRows.end()) {
            CombineSpansInto(s_empty, other, nMode, t_result);
            if (!t_result.empty())
                dst.mapRows.emplace(row.first, t_result);
            continue;
        }
        Spans& spans = it->second;
        const int nFrom = other.front().first;
        const int nTo = other.back().second;
        auto itLow = std::lower_bound(spans.begin(), spans.end(), nFrom,
                                      [](const std::pair<int, int>& span, int x) { return span.second < x; });
        auto itHigh = std::upper_bound(itLow, spans.end(), nTo,
                                       [](int x, const std::pair<int, int>& span) { return x < span.first; });
        t_window.assign(itLow, itHigh);
        CombineSpansInto(t_window, other, nMode, t_result);
        const auto nAt = itLow - spans.begin();
        spans.erase(itLow, itHigh);
        spans.insert(spans.begin() + nAt, t_result.begin(), t_result.end());
        if (spans.empty())
            dst.mapRows.erase(it);
    }
}

CRegionData CombineNew(const CRegionData& a, const CRegionData& b, int nMode)
{
    CRegionData result = a;
    CombineInPlace(result, b, nMode);
    return result;
}

// --- brushes and system colours -------------------------------------------

const COLORREF SYSTEM_COLORS[] = {
    RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219), RGB(240, 240, 240),
    RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(180, 180, 180), RGB(244, 247, 252), RGB(171, 171, 171), RGB(0, 120, 215),   RGB(255, 255, 255),
    RGB(240, 240, 240), RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),       RGB(255, 255, 225),
};
const int SYSTEM_COLOR_COUNT = static_cast<int>(sizeof(SYSTEM_COLORS) / sizeof(SYSTEM_COLORS[0]));

HGDIOBJ NewStock(DWORD dwType)
{
    auto pObject = std::make_unique<CGdiObject>();
    pObject->dwType = dwType;
    pObject->bStock = true;
    return AddObject(std::move(pObject));
}

HGDIOBJ StockBrush(COLORREF cr, bool bNull)
{
    HGDIOBJ h = NewStock(OBJ_BRUSH);
    FindObject(h)->crColor = cr;
    FindObject(h)->bNullBrush = bNull;
    return h;
}

HGDIOBJ StockFont(const wchar_t* pszFace, LONG nHeight)
{
    HGDIOBJ h = NewStock(OBJ_FONT);
    LOGFONTW& font = FindObject(h)->font;
    font.lfHeight = nHeight;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(font.lfFaceName, pszFace, LF_FACESIZE - 1);
    return h;
}

void EnsureStock()
{
    CGdi& gdi = Gdi();
    if (!gdi.mapStock.empty())
        return;
    gdi.mapStock[WHITE_BRUSH] = StockBrush(RGB(255, 255, 255), false);
    gdi.mapStock[LTGRAY_BRUSH] = StockBrush(RGB(192, 192, 192), false);
    gdi.mapStock[GRAY_BRUSH] = StockBrush(RGB(128, 128, 128), false);
    gdi.mapStock[DKGRAY_BRUSH] = StockBrush(RGB(64, 64, 64), false);
    gdi.mapStock[BLACK_BRUSH] = StockBrush(RGB(0, 0, 0), false);
    gdi.mapStock[NULL_BRUSH] = StockBrush(0, true);
    gdi.mapStock[DC_BRUSH] = StockBrush(RGB(255, 255, 255), false);
    for (int nPen : {WHITE_PEN, BLACK_PEN, NULL_PEN, DC_PEN}) {
        gdi.mapStock[nPen] = NewStock(OBJ_PEN);
        FindObject(gdi.mapStock[nPen])->crColor = nPen == WHITE_PEN ? RGB(255, 255, 255) : 0;
    }
    gdi.mapStock[OEM_FIXED_FONT] = StockFont(L"Terminal", 12);
    gdi.mapStock[ANSI_FIXED_FONT] = StockFont(L"Courier", 13);
    gdi.mapStock[ANSI_VAR_FONT] = StockFont(L"MS Sans Serif", 13);
    gdi.mapStock[SYSTEM_FONT] = StockFont(L"System", 16);
    gdi.mapStock[DEVICE_DEFAULT_FONT] = StockFont(L"System", 16);
    gdi.mapStock[SYSTEM_FIXED_FONT] = StockFont(L"Fixedsys", 15);
    gdi.mapStock[DEFAULT_GUI_FONT] = StockFont(L"MS Shell Dlg", -11);
    gdi.mapStock[DEFAULT_PALETTE] = NewStock(OBJ_PAL);
    gdi.hDefaultBitmap = NewStock(OBJ_BITMAP);
    InitBitmap(FindObject(gdi.hDefaultBitmap)->bitmap, 1, 1, 1, false, true);
    for (int i = 0; i < SYSTEM_COLOR_COUNT; ++i)
        gdi.mapSysBrushes[i] = StockBrush(SYSTEM_COLORS[i], false);
}

// Brushes may also be given as a system colour index plus one.
bool BrushColor(HBRUSH hBrush, uint32_t* pRgb)
{
    const uintptr_t nValue = reinterpret_cast<uintptr_t>(hBrush);
    if (nValue >= 1 && nValue <= static_cast<uintptr_t>(SYSTEM_COLOR_COUNT)) {
        *pRgb = RgbOf(SYSTEM_COLORS[nValue - 1]);
        return true;
    }
    const CGdiObject* pBrush = FindTyped(hBrush, OBJ_BRUSH);
    if (pBrush == nullptr || pBrush->bNullBrush)
        return false;
    *pRgb = RgbOf(pBrush->crColor);
    return true;
}

void FillSurface(CSurface& surface, const RECT& rc, uint32_t rgb)
{
    const int nLeft = std::max<int>(0, rc.left);
    const int nTop = std::max<int>(0, rc.top);
    const int nRight = std::min<int>(surface.nWidth, rc.right);
    const int nBottom = std::min<int>(surface.nHeight, rc.bottom);
    for (int y = nTop; y < nBottom; ++y)
        for (int x = nLeft; x < nRight; ++x)
            SetSurfacePixel(surface, x, y, rgb);
}

HDC NewDc(bool bMemory, HWND hWnd)
{
    EnsureStock();
    CGdi& gdi = Gdi();
    auto pObject = std::make_unique<CGdiObject>();
    pObject->dwType = bMemory ? OBJ_MEMDC : OBJ_DC;
    pObject->dc.bMemory = bMemory;
    pObject->dc.hWnd = hWnd;
    pObject->dc.hBitmap = bMemory ? gdi.hDefaultBitmap : nullptr;
    pObject->dc.hBrush = gdi.mapStock[WHITE_BRUSH];
    pObject->dc.hPen = gdi.mapStock[BLACK_PEN];
    pObject->dc.hFont = gdi.mapStock[SYSTEM_FONT];
    return static_cast<HDC>(AddObject(std::move(pObject)));
}

// --- icons -----------------------------------------------------------------

HGDIOBJ NewIcon(CIconData icon, bool bShared, bool bStock, DWORD dwType)
{
    auto pObject = std::make_unique<CGdiObject>();
    pObject->dwType = dwType;
    pObject->bShared = bShared;
    pObject->bStock = bStock;
    pObject->icon = std::move(icon);
    return AddObject(std::move(pObject));
}

CIconData PlainIcon(uint32_t argb)
{
    CIconData icon;
    icon.nWidth = icon.nHeight = 32;
    icon.aArgb.assign(32 * 32, argb);
    return icon;
}

} // namespace

// --- services for the window manager -----------------------------------------

HBITMAP BitmapFromPackedDib(const unsigned char* pData, size_t cbData, bool bDibSection)
{
    auto lock = LockState();
    CBitmapData source;
    if (!ParsePackedDib(pData, cbData, source))
        return nullptr;
    if (bDibSection) {
        auto pObject = std::make_unique<CGdiObject>();
        pObject->dwType = OBJ_BITMAP;
        pObject->bitmap = std::move(source);
        return static_cast<HBITMAP>(AddObject(std::move(pObject)));
    }
    const int nBpp = source.nBpp == 1 ? 1 : DisplayBpp();
    HBITMAP hBitmap = NewBitmap(source.nWidth, source.nHeight, nBpp, false, true);
    CopyPixels(source, FindObject(hBitmap)->bitmap, nBpp);
    return hBitmap;
}

HICON IconFromImage(const unsigned char* pData, size_t cbData, bool bShared)
{
    auto lock = LockState();
    CBitmapData colour;
    if (!ParsePackedDib(pData, cbData, colour, 2))
        return nullptr;
    BITMAPINFOHEADER header;
    std::memcpy(&header, pData, sizeof(header));
    const size_t nPalette = colour.aPalette.size() * sizeof(RGBQUAD);
    const size_t nMaskOffset = header.biSize + nPalette + colour.aBits.size();
    const int nMaskStride = DibStride(colour.nWidth, 1);
    const bool bHasMask = cbData >= nMaskOffset + static_cast<size_t>(nMaskStride) * colour.nHeight;
    bool bAlpha = false;
    if (colour.nBpp == 32)
        for (size_t i = 3; i < colour.aBits.size(); i += 4)
            bAlpha = bAlpha || colour.aBits[i] != 0;
    CIconData icon;
    icon.nWidth = colour.nWidth;
    icon.nHeight = colour.nHeight;
    icon.aArgb.resize(static_cast<size_t>(icon.nWidth) * icon.nHeight);
    for (int y = 0; y < icon.nHeight; ++y) {
        for (int x = 0; x < icon.nWidth; ++x) {
            uint32_t nAlpha = 0xFF;
            if (bAlpha) {
                nAlpha = RowOf(colour, y)[4 * x + 3];
            } else if (bHasMask) {
                const unsigned char* pMaskRow = pData + nMaskOffset + static_cast<size_t>(icon.nHeight - 1 - y) * nMaskStride;
                nAlpha = ((pMaskRow[x >> 3] >> (7 - (x & 7))) & 1) ? 0 : 0xFF;
            }
            icon.aArgb[static_cast<size_t>(y) * icon.nWidth + x] = (nAlpha << 24) | GetBitmapPixel(colour, x, y);
        }
    }
    return static_cast<HICON>(NewIcon(std::move(icon), bShared, false, OBJ_ICON_OBJECT));
}

HICON StockIcon()
{
    auto lock = LockState();
    CGdi& gdi = Gdi();
    if (gdi.hStockIcon == nullptr)
        gdi.hStockIcon = NewIcon(PlainIcon(0xFF0078D7), true, true, OBJ_ICON_OBJECT);
    return static_cast<HICON>(gdi.hStockIcon);
}

HCURSOR StockCursor()
{
    auto lock = LockState();
    CGdi& gdi = Gdi();
    if (gdi.hStockCursor == nullptr)
        gdi.hStockCursor = NewIcon(PlainIcon(0xFF000000), true, true, OBJ_CURSOR_OBJECT);
    return static_cast<HCURSOR>(gdi.hStockCursor);
}

void ReleaseSharedIcon(HICON hIcon)
{
    auto lock = LockState();
    CGdiObject* p = FindTyped(hIcon, OBJ_ICON_OBJECT);
    if (p != nullptr && !p->bStock)
        Gdi().mapObjects.erase(reinterpret_cast<uintptr_t>(hIcon));
}

bool IconSize(HICON hIcon, int* pnWidth, int* pnHeight)
{
    auto lock = LockState();
    const CGdiObject* p = FindTyped(hIcon, OBJ_ICON_OBJECT);
    if (p == nullptr)
        return false;
    *pnWidth = p->icon.nWidth;
    *pnHeight = p->icon.nHeight;
    return true;
}

bool BitmapSize(HBITMAP hBitmap, int* pnWidth, int* pnHeight)
{
    auto lock = LockState();
    const CGdiObject* p = FindTyped(hBitmap, OBJ_BITMAP);
    if (p == nullptr)
        return false;
    *pnWidth = p->bitmap.nWidth;
    *pnHeight = p->bitmap.nHeight;
    return true;
}

bool IsGdiObject(HGDIOBJ h, DWORD dwType)
{
    auto lock = LockState();
    return FindTyped(h, dwType) != nullptr;
}

void SetRegionOwnedBySystem(HRGN hRgn, bool bOwned)
{
    auto lock = LockState();
    if (CGdiObject* p = FindTyped(hRgn, OBJ_REGION))
        p->bSystemOwned = bOwned;
}

bool DeleteSystemRegion(HRGN hRgn)
{
    auto lock = LockState();
    if (FindTyped(hRgn, OBJ_REGION) == nullptr)
        return false;
    Gdi().mapObjects.erase(reinterpret_cast<uintptr_t>(hRgn));
    return true;
}

HDC CreateWindowDc(HWND hWnd, bool)
{
    auto lock = LockState();
    return NewDc(false, hWnd);
}

bool ReleaseWindowDc(HDC hDc)
{
    auto lock = LockState();
    CGdiObject* p = FindTyped(hDc, OBJ_DC);
    if (p == nullptr)
        return false;
    Gdi().mapObjects.erase(reinterpret_cast<uintptr_t>(hDc));
    return true;
}

HFONT CreateDialogFont(const std::wstring& strFace, int nPointSize, int nWeight, bool bItalic, int nCharset)
{
    LOGFONTW font{};
    font.lfHeight = -MulDiv(nPointSize, 96, 72);
    font.lfWeight = nWeight;
    font.lfItalic = bItalic ? 1 : 0;
    font.lfCharSet = static_cast<BYTE>(nCharset);
    std::wcsncpy(font.lfFaceName, strFace.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

int LiveGdiObjectCount()
{
    auto lock = LockState();
    int nCount = 0;
    for (const auto& entry : Gdi().mapObjects)
        if (!entry.second->bStock && !entry.second->bShared)
            ++nCount;
    return nCount;
}

void ResetDisplayDepth()
{
    auto lock = LockState();
    State().nDisplayBpp = 32;
}

} // namespace headless

using namespace headless;

// ---------------------------------------------------------------------------
// Bitmaps

HBITMAP WINAPI CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits)
{
    if (nWidth <= 0 || nHeight <= 0 || nPlanes != 1 || !SupportedDdbDepth(static_cast<int>(nBitCount)))
        return nullptr;
    auto lock = LockState();
    HBITMAP hBitmap = NewBitmap(nWidth, nHeight, static_cast<int>(nBitCount), false, true);
    if (lpBits != nullptr) {
        CBitmapData& bmp = FindObject(hBitmap)->bitmap;
        std::memcpy(bmp.aBits.data(), lpBits, bmp.aBits.size());
    }
    return hBitmap;
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy)
{
    auto lock = LockState();
    CGdiObject* pDc = FindDc(hdc);
    if (pDc == nullptr)
        return nullptr;
    if (cx <= 0 || cy <= 0)
        return CreateBitmap(1, 1, 1, 1, nullptr);
    int nBpp = DisplayBpp();
    if (pDc->dc.bMemory) {
        const CGdiObject* pSelected = FindTyped(pDc->dc.hBitmap, OBJ_BITMAP);
        nBpp = pSelected ? pSelected->bitmap.nBpp : 1;
        if (!SupportedDdbDepth(nBpp))
            nBpp = DisplayBpp();
    }
    return NewBitmap(cx, cy, nBpp, false, true);
}

HBITMAP WINAPI CreateDIBSection(HDC, const BITMAPINFO* pbmi, UINT usage, void** ppvBits, HANDLE hSection, DWORD)
{
    if (ppvBits != nullptr)
        *ppvBits = nullptr;
    if (pbmi == nullptr || hSection != nullptr || usage != DIB_RGB_COLORS)
        return nullptr;
    const BITMAPINFOHEADER& header = pbmi->bmiHeader;
    const int nBpp = header.biBitCount;
    const bool bFields = header.biCompression == BI_BITFIELDS;
    if (header.biWidth <= 0 || header.biHeight == 0 || (header.biCompression != BI_RGB && !bFields))
        return nullptr;
    if (nBpp != 1 && nBpp != 4 && nBpp != 8 && nBpp != 16 && nBpp != 24 && nBpp != 32)
        return nullptr;
    auto lock = LockState();
    const bool bTopDown = header.biHeight < 0;
    HBITMAP hBitmap = NewBitmap(header.biWidth, bTopDown ? -header.biHeight : header.biHeight, nBpp, true, bTopDown);
    CBitmapData& bmp = FindObject(hBitmap)->bitmap;
    if (nBpp == 16 && bFields) {
        DWORD dwGreen = 0;
        std::memcpy(&dwGreen, reinterpret_cast<const unsigned char*>(pbmi) + header.biSize + 4, 4);
        bmp.b565 = dwGreen == 0x07E0;
    }
    if (nBpp <= 8) {
        const size_t nColors = header.biClrUsed ? header.biClrUsed : (1u << nBpp);
        bmp.aPalette.assign(pbmi->bmiColors, pbmi->bmiColors + nColors);
    }
    if (ppvBits != nullptr)
        *ppvBits = bmp.aBits.data();
    return hBitmap;
}

int WINAPI GetObjectW(HANDLE h, int c, LPVOID pv)
{
    auto lock = LockState();
    const CGdiObject* p = FindObject(h);
    if (p == nullptr)
        return 0;
    switch (p->dwType) {
    case OBJ_BITMAP: {
        if (pv == nullptr)
            return sizeof(BITMAP);
        if (c < static_cast<int>(sizeof(BITMAP)))
            return 0;
        BITMAP bm{};
        bm.bmType = 0;
        bm.bmWidth = p->bitmap.nWidth;
        bm.bmHeight = p->bitmap.nHeight;
        bm.bmWidthBytes = p->bitmap.nStride;
        bm.bmPlanes = 1;
        bm.bmBitsPixel = static_cast<WORD>(p->bitmap.nBpp);
        bm.bmBits = p->bitmap.bDib ? const_cast<uint8_t*>(p->bitmap.aBits.data()) : nullptr;
        std::memcpy(pv, &bm, sizeof(bm));
        return sizeof(BITMAP);
    }
    case OBJ_BRUSH: {
        if (pv == nullptr)
            return sizeof(LOGBRUSH);
        if (c < static_cast<int>(sizeof(LOGBRUSH)))
            return 0;
        LOGBRUSH lb{p->bNullBrush ? static_cast<UINT>(BS_NULL) : static_cast<UINT>(BS_SOLID), p->crColor, 0};
        std::memcpy(pv, &lb, sizeof(lb));
        return sizeof(LOGBRUSH);
    }
    case OBJ_FONT: {
        if (pv == nullptr)
            return sizeof(LOGFONTW);
        const int nCopy = std::min<int>(c, sizeof(LOGFONTW));
        std::memcpy(pv, &p->font, static_cast<size_t>(nCopy));
        return nCopy;
    }
    default:
        return 0;
    }
}

DWORD WINAPI GetObjectType(HGDIOBJ h)
{
    auto lock = LockState();
    const CGdiObject* p = FindObject(h);
    if (p == nullptr || p->dwType == OBJ_ICON_OBJECT || p->dwType == OBJ_CURSOR_OBJECT)
        return 0;
    return p->dwType;
}

// The bitmap's own device layout: rows top to bottom, each padded to a WORD.
LONG WINAPI GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits)
{
    auto lock = LockState();
    CGdiObject* p = FindTyped(hbit, OBJ_BITMAP);
    if (p == nullptr || cb < 0)
        return 0;
    const CBitmapData& bmp = p->bitmap;
    const int nStride = DdbStride(bmp.nWidth, bmp.nBpp);
    const LONG nTotal = nStride * bmp.nHeight;
    if (lpvBits == nullptr)
        return nTotal;
    const LONG nCopy = std::min(cb, nTotal);
    auto* pOut = static_cast<uint8_t*>(lpvBits);
    if (!bmp.bDib) {
        std::memcpy(pOut, bmp.aBits.data(), static_cast<size_t>(nCopy));
        return nCopy;
    }
    std::vector<uint8_t> aRow(static_cast<size_t>(nStride), 0);
    LONG nDone = 0;
    for (int y = 0; y < bmp.nHeight && nDone < nCopy; ++y) {
        std::memcpy(aRow.data(), RowOf(bmp, y), static_cast<size_t>(std::min(nStride, bmp.nStride)));
        const LONG nPart = std::min<LONG>(nStride, nCopy - nDone);
        std::memcpy(pOut + nDone, aRow.data(), static_cast<size_t>(nPart));
        nDone += nPart;
    }
    return nDone;
}

LONG WINAPI SetBitmapBits(HBITMAP hbm, DWORD cb, const void* pvBits)
{
    auto lock = LockState();
    CGdiObject* p = FindTyped(hbm, OBJ_BITMAP);
    if (p == nullptr || pvBits == nullptr)
        return 0;
    CBitmapData& bmp = p->bitmap;
    const int nStride = DdbStride(bmp.nWidth, bmp.nBpp);
    const LONG nCopy = std::min<LONG>(static_cast<LONG>(cb), nStride * bmp.nHeight);
    const auto* pIn = static_cast<const uint8_t*>(pvBits);
    if (!bmp.bDib) {
        std::memcpy(bmp.aBits.data(), pIn, static_cast<size_t>(nCopy));
        return nCopy;
    }
    LONG nDone = 0;
    for (int y = 0; y < bmp.nHeight && nDone < nCopy; ++y) {
        const LONG nPart = std::min<LONG>(std::min(nStride, bmp.nStride), nCopy - nDone);
        std::memcpy(RowOf(bmp, y), pIn + nDone, static_cast<size_t>(nPart));
        nDone += std::min<LONG>(nStride, nCopy - nDone);
    }
    return nDone;
}

namespace {

// Describes the caller's DIB buffer as a bitmap of the requested format.
bool DescribeDib(const BITMAPINFO* pbmi, int nLines, CBitmapData& dib)
{
    const BITMAPINFOHEADER& header = pbmi->bmiHeader;
    const int nBpp = header.biBitCount;
    if (header.biWidth <= 0 || header.biHeight == 0)
        return false;
    if (nBpp != 1 && nBpp != 4 && nBpp != 8 && nBpp != 16 && nBpp != 24 && nBpp != 32)
        return false;
    if (header.biCompression != BI_RGB && !(header.biCompression == BI_BITFIELDS && (nBpp == 16 || nBpp == 32)))
        return false;
    dib.nWidth = header.biWidth;
    dib.nHeight = nLines;
    dib.nBpp = nBpp;
    dib.nStride = DibStride(header.biWidth, nBpp);
    dib.bDib = true;
    dib.bTopDown = true; // rows are placed by the caller
    dib.b565 = false;
    if (nBpp == 16 && header.biCompression == BI_BITFIELDS) {
        DWORD dwGreen = 0;
        std::memcpy(&dwGreen, reinterpret_cast<const unsigned char*>(pbmi) + header.biSize + 4, 4);
        dib.b565 = dwGreen == 0x07E0;
    }
    return true;
}

// Scan line s of a DIB (0 is the bottom row of a bottom-up DIB) as a row of
// the bitmap from the top.
int TopRowOfScan(int nScan, int nDibHeight, bool bTopDown)
{
    return bTopDown ? nScan : nDibHeight - 1 - nScan;
}

} // namespace

int WINAPI GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi, UINT usage)
{
    auto lock = LockState();
    CGdiObject* p = FindTyped(hbm, OBJ_BITMAP);
    if (p == nullptr || lpbmi == nullptr || FindDc(hdc) == nullptr || usage != DIB_RGB_COLORS)
        return 0;
    const CBitmapData& bmp = p->bitmap;
    BITMAPINFOHEADER& header = lpbmi->bmiHeader;
    if (lpvBits == nullptr) {
        if (header.biBitCount == 0) {
            header.biWidth = bmp.nWidth;
            header.biHeight = bmp.nHeight;
            header.biPlanes = 1;
            header.biBitCount = static_cast<WORD>(bmp.nBpp);
            header.biCompression = BI_RGB;
            header.biClrUsed = 0;
        }
        header.biSizeImage = static_cast<DWORD>(DibStride(header.biWidth, header.biBitCount) *
                                                (header.biHeight < 0 ? -header.biHeight : header.biHeight));
        return bmp.nHeight;
    }
    const bool bTopDown = header.biHeight < 0;
    const int nDibHeight = bTopDown ? -header.biHeight : header.biHeight;
    const int nFirst = static_cast<int>(start);
    const int nLast = std::min<int>(nDibHeight, nFirst + static_cast<int>(cLines));
    if (nFirst >= nLast)
        return 0;
    CBitmapData dib;
    if (!DescribeDib(lpbmi, nLast - nFirst, dib))
        return 0;
    if (dib.nBpp <= 8) {
        // Indexed output needs the bitmap's own palette of that size.
        const size_t nColors = static_cast<size_t>(1) << dib.nBpp;
        if (bmp.nBpp != dib.nBpp || bmp.aPalette.empty() || bmp.aPalette.size() > nColors)
            return 0;
        dib.aPalette = bmp.aPalette;
        std::copy(bmp.aPalette.begin(), bmp.aPalette.end(), lpbmi->bmiColors);
    }
    dib.aBits.assign(static_cast<size_t>(dib.nStride) * dib.nHeight, 0);
    int nCopied = 0;
    for (int nScan = nFirst; nScan < nLast; ++nScan) {
        const int y = TopRowOfScan(nScan, nDibHeight, bTopDown);
        if (y < 0 || y >= bmp.nHeight)
            continue;
        const int nRow = nScan - nFirst;
        for (int x = 0; x < std::min(bmp.nWidth, dib.nWidth); ++x)
            SetBitmapPixel(dib, x, nRow, GetBitmapPixel(bmp, x, y));
        ++nCopied;
    }
    std::memcpy(lpvBits, dib.aBits.data(), dib.aBits.size());
    header.biSizeImage = static_cast<DWORD>(dib.nStride * nDibHeight);
    return nCopied;
}

int WINAPI SetDIBits(HDC, HBITMAP hbm, UINT start, UINT cLines, const void* lpBits, const BITMAPINFO* lpbmi, UINT ColorUse)
{
    auto lock = LockState();
    CGdiObject* p = FindTyped(hbm, OBJ_BITMAP);
    if (p == nullptr || lpbmi == nullptr || lpBits == nullptr || ColorUse != DIB_RGB_COLORS)
        return 0;
    CBitmapData& bmp = p->bitmap;
    const BITMAPINFOHEADER& header = lpbmi->bmiHeader;
    const bool bTopDown = header.biHeight < 0;
    const int nDibHeight = bTopDown ? -header.biHeight : header.biHeight;
    const int nFirst = static_cast<int>(start);
    const int nLast = std::min<int>(nDibHeight, nFirst + static_cast<int>(cLines));
    if (nFirst >= nLast)
        return 0;
    CBitmapData dib;
    if (!DescribeDib(lpbmi, nLast - nFirst, dib))
        return 0;
    if (dib.nBpp <= 8) {
        const size_t nColors = header.biClrUsed ? header.biClrUsed : (static_cast<size_t>(1) << dib.nBpp);
        dib.aPalette.assign(lpbmi->bmiColors, lpbmi->bmiColors + nColors);
    }
    const auto* pIn = static_cast<const uint8_t*>(lpBits);
    dib.aBits.assign(pIn, pIn + static_cast<size_t>(dib.nStride) * dib.nHeight);
    const int nDepth = bmp.bDib ? 32 : bmp.nBpp;
    int nCopied = 0;
    for (int nScan = nFirst; nScan < nLast; ++nScan) {
        const int y = TopRowOfScan(nScan, nDibHeight, bTopDown);
        if (y < 0 || y >= bmp.nHeight)
            continue;
        for (int x = 0; x < std::min(bmp.nWidth, dib.nWidth); ++x)
            SetBitmapPixel(bmp, x, y, QuantizeForDepth(GetBitmapPixel(dib, x, nScan - nFirst), nDepth));
        ++nCopied;
    }
    return nCopied;
}

// ---------------------------------------------------------------------------
// Device contexts

HDC WINAPI CreateCompatibleDC(HDC hdc)
{
    auto lock = LockState();
    if (hdc != nullptr && FindDc(hdc) == nullptr)
        return nullptr;
    return NewDc(true, nullptr);
}

BOOL WINAPI DeleteDC(HDC hdc)
{
    auto lock = LockState();
    CGdiObject* p = FindDc(hdc);
    if (p == nullptr)
        return FALSE;
    if (CGdiObject* pBitmap = FindTyped(p->dc.hBitmap, OBJ_BITMAP))
        if (!pBitmap->bStock)
            --pBitmap->bitmap.nSelected;
    Gdi().mapObjects.erase(reinterpret_cast<uintptr_t>(hdc));
    return TRUE;
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h)
{
    auto lock = LockState();
    CGdiObject* pDc = FindDc(hdc);
    CGdiObject* pObject = FindObject(h);
    if (pDc == nullptr || pObject == nullptr)
        return nullptr;
    switch (pObject->dwType) {
    case OBJ_BITMAP: {
        if (!pDc->dc.bMemory)
            return nullptr;
        if (pDc->dc.hBitmap == h)
            return h;
        if (!pObject->bStock && pObject->bitmap.nSelected > 0)
            return nullptr; // a bitmap lives in one memory DC at a time
        HGDIOBJ hOld = pDc->dc.hBitmap;
        if (CGdiObject* pOld = FindTyped(hOld, OBJ_BITMAP))
            if (!pOld->bStock)
                --pOld->bitmap.nSelected;
        if (!pObject->bStock)
            ++pObject->bitmap.nSelected;
        pDc->dc.hBitmap = h;
        return hOld;
    }
    case OBJ_BRUSH:
        return std::exchange(pDc->dc.hBrush, h);
    case OBJ_PEN:
        return std::exchange(pDc->dc.hPen, h);
    case OBJ_FONT:
        return std::exchange(pDc->dc.hFont, h);
    default:
        return nullptr;
    }
}

HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type)
{
    auto lock = LockState();
    const CGdiObject* pDc = FindDc(hdc);
    if (pDc == nullptr)
        return nullptr;
    switch (type) {
    case OBJ_BITMAP:
        return pDc->dc.hBitmap;
    case OBJ_BRUSH:
        return pDc->dc.hBrush;
    case OBJ_PEN:
        return pDc->dc.hPen;
    case OBJ_FONT:
        return pDc->dc.hFont;
    default:
        return nullptr;
    }
}

namespace {

uint32_t ApplyRop(DWORD rop, uint32_t nSource, uint32_t nDest, uint32_t nPattern)
{
    switch (rop) {
    case SRCCOPY:
        return nSource;
    case SRCPAINT:
        return nSource | nDest;
    case SRCAND:
        return nSource & nDest;
    case SRCINVERT:
        return nSource ^ nDest;
    case SRCERASE:
        return nSource & ~nDest;
    case NOTSRCCOPY:
        return ~nSource;
    case NOTSRCERASE:
        return ~(nSource | nDest);
    case MERGECOPY:
        return nSource & nPattern;
    case MERGEPAINT:
        return ~nSource | nDest;
    case PATCOPY:
        return nPattern;
    case PATINVERT:
        return nPattern ^ nDest;
    case DSTINVERT:
        return ~nDest;
    case BLACKNESS:
        return 0;
    default:
        return 0xFFFFFF; // WHITENESS
    }
}

bool KnownRop(DWORD rop)
{
    switch (rop) {
    case SRCCOPY:
    case SRCPAINT:
    case SRCAND:
    case SRCINVERT:
    case SRCERASE:
    case NOTSRCCOPY:
    case NOTSRCERASE:
    case MERGECOPY:
    case MERGEPAINT:
    case PATCOPY:
    case PATINVERT:
    case DSTINVERT:
    case BLACKNESS:
    case WHITENESS:
        return true;
    default:
        return false;
    }
}

bool RopUsesSource(DWORD rop)
{
    return rop != PATCOPY && rop != PATINVERT && rop != DSTINVERT && rop != BLACKNESS && rop != WHITENESS;
}

} // namespace

BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop)
{
    auto lock = LockState();
    CGdiObject* pDst = FindDc(hdc);
    if (pDst == nullptr || !KnownRop(rop))
        return FALSE;
    const bool bSource = RopUsesSource(rop);
    CGdiObject* pSrc = bSource ? FindDc(hdcSrc) : nullptr;
    if (bSource && pSrc == nullptr)
        return FALSE;
    CSurface dst = SurfaceOf(pDst);
    CSurface src = bSource ? SurfaceOf(pSrc) : CSurface{};
    if (!dst.bValid || (bSource && !src.bValid))
        return FALSE;
    uint32_t nPattern = 0;
    BrushColor(static_cast<HBRUSH>(pDst->dc.hBrush), &nPattern);
    const bool bMonoToColour = bSource && IsMono(src) && !IsMono(dst);
    const bool bColourToMono = bSource && !IsMono(src) && IsMono(dst);
    const uint32_t nSrcBk = bSource ? RgbOf(pSrc->dc.crBk) : 0;
    const uint32_t nDstText = RgbOf(pDst->dc.crText);
    const uint32_t nDstBk = RgbOf(pDst->dc.crBk);
    for (int j = 0; j < cy; ++j) {
        for (int i = 0; i < cx; ++i) {
            if (!Inside(dst, x + i, y + j))
                continue;
            uint32_t nSource = 0;
            if (bSource) {
                if (!Inside(src, x1 + i, y1 + j))
                    continue;
                nSource = GetSurfacePixel(src, x1 + i, y1 + j);
                if (bMonoToColour)
                    nSource = nSource ? nDstBk : nDstText;
                else if (bColourToMono)
                    nSource = nSource == nSrcBk ? 0xFFFFFF : 0;
            }
            const uint32_t nDest = GetSurfacePixel(dst, x + i, y + j);
            SetSurfacePixel(dst, x + i, y + j, ApplyRop(rop, nSource, nDest, nPattern) & 0xFFFFFF);
        }
    }
    return TRUE;
}

int WINAPI SetBkMode(HDC hdc, int mode)
{
    auto lock = LockState();
    CGdiObject* p = FindDc(hdc);
    if (p == nullptr || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    return std::exchange(p->dc.nBkMode, mode);
}

int WINAPI GetBkMode(HDC hdc)
{
    auto lock = LockState();
    const CGdiObject* p = FindDc(hdc);
    return p ? p->dc.nBkMode : 0;
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color)
{
    auto lock = LockState();
    CGdiObject* p = FindDc(hdc);
    return p ? std::exchange(p->dc.crText, color) : CLR_INVALID;
}

COLORREF WINAPI GetTextColor(HDC hdc)
{
    auto lock = LockState();
    const CGdiObject* p = FindDc(hdc);
    return p ? p->dc.crText : CLR_INVALID;
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color)
{
    auto lock = LockState();
    CGdiObject* p = FindDc(hdc);
    return p ? std::exchange(p->dc.crBk, color) : CLR_INVALID;
}

COLORREF WINAPI GetBkColor(HDC hdc)
{
    auto lock = LockState();
    const CGdiObject* p = FindDc(hdc);
    return p ? p->dc.crBk : CLR_INVALID;
}

COLORREF WINAPI GetPixel(HDC hdc, int x, int y)
{
    auto lock = LockState();
    CSurface surface = SurfaceOf(FindDc(hdc));
    if (!surface.bValid || !Inside(surface, x, y))
        return CLR_INVALID;
    return ColorRefOf(GetSurfacePixel(surface, x, y));
}

COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color)
{
    auto lock = LockState();
    CSurface surface = SurfaceOf(FindDc(hdc));
    if (!surface.bValid || !Inside(surface, x, y))
        return CLR_INVALID;
    SetSurfacePixel(surface, x, y, RgbOf(color));
    return ColorRefOf(GetSurfacePixel(surface, x, y));
}

int WINAPI GetDeviceCaps(HDC hdc, int index)
{
    auto lock = LockState();
    if (FindDc(hdc) == nullptr)
        return 0;
    switch (index) {
    case BITSPIXEL:
        return DisplayBpp();
    case PLANES:
        return 1;
    case HORZRES:
        return State().cxScreen;
    case VERTRES:
        return State().cyScreen;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    default:
        return 0;
    }
}

int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr)
{
    auto lock = LockState();
    CGdiObject* pDc = FindDc(hDC);
    if (pDc == nullptr || lprc == nullptr)
        return 0;
    uint32_t rgb = 0;
    if (!BrushColor(hbr, &rgb))
        return FindTyped(hbr, OBJ_BRUSH) ? 1 : 0; // the null brush paints nothing
    CSurface surface = SurfaceOf(pDc);
    FillSurface(surface, *lprc, rgb);
    return 1;
}

DWORD WINAPI GetSysColor(int nIndex)
{
    if (nIndex < 0 || nIndex >= SYSTEM_COLOR_COUNT)
        return 0;
    return SYSTEM_COLORS[nIndex];
}

HBRUSH WINAPI GetSysColorBrush(int nIndex)
{
    auto lock = LockState();
    EnsureStock();
    auto it = Gdi().mapSysBrushes.find(nIndex);
    return it == Gdi().mapSysBrushes.end() ? nullptr : static_cast<HBRUSH>(it->second);
}

// ---------------------------------------------------------------------------
// Objects

HGDIOBJ WINAPI GetStockObject(int i)
{
    auto lock = LockState();
    EnsureStock();
    auto it = Gdi().mapStock.find(i);
    return it == Gdi().mapStock.end() ? nullptr : it->second;
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color)
{
    auto lock = LockState();
    auto pObject = std::make_unique<CGdiObject>();
    pObject->dwType = OBJ_BRUSH;
    pObject->crColor = color & 0xFFFFFF;
    return static_cast<HBRUSH>(AddObject(std::move(pObject)));
}

HFONT WINAPI CreateFontIndirectW(const LOGFONTW* lplf)
{
    if (lplf == nullptr)
        return nullptr;
    auto lock = LockState();
    auto pObject = std::make_unique<CGdiObject>();
    pObject->dwType = OBJ_FONT;
    pObject->font = *lplf;
    return static_cast<HFONT>(AddObject(std::move(pObject)));
}

BOOL WINAPI DeleteObject(HGDIOBJ ho)
{
    auto lock = LockState();
    CGdiObject* p = FindObject(ho);
    if (p == nullptr)
        return FALSE;
    if (p->dwType == OBJ_DC || p->dwType == OBJ_MEMDC || p->dwType == OBJ_ICON_OBJECT ||
        p->dwType == OBJ_CURSOR_OBJECT)
        return FALSE;
    if (p->bStock)
        return TRUE;
    if (p->bSystemOwned)
        return FALSE; // the window owns its region now
    if (p->dwType == OBJ_BITMAP && p->bitmap.nSelected > 0)
        return FALSE;
    const bool bSelectable = p->dwType == OBJ_BRUSH || p->dwType == OBJ_PEN || p->dwType == OBJ_FONT;
    for (const auto& entry : Gdi().mapObjects) {
        if (!bSelectable)
            break;
        const CDcData& dc = entry.second->dc;
        if ((entry.second->dwType == OBJ_DC || entry.second->dwType == OBJ_MEMDC) &&
            (dc.hBrush == ho || dc.hPen == ho || dc.hFont == ho))
            return FALSE;
    }
    Gdi().mapObjects.erase(reinterpret_cast<uintptr_t>(ho));
    return TRUE;
}

// ---------------------------------------------------------------------------
// Icons

BOOL WINAPI DestroyIcon(HICON hIcon)
{
    auto lock = LockState();
    CGdiObject* p = FindTyped(hIcon, OBJ_ICON_OBJECT);
    if (p == nullptr)
        return FALSE;
    if (!p->bShared)
        Gdi().mapObjects.erase(reinterpret_cast<uintptr_t>(hIcon));
    return TRUE;
}

// Icons are drawn at the system icon size, the mask leaving the background.
BOOL WINAPI DrawIcon(HDC hDC, int X, int Y, HICON hIcon)
{
    auto lock = LockState();
    CGdiObject* pDc = FindDc(hDC);
    const CGdiObject* pIcon = FindTyped(hIcon, OBJ_ICON_OBJECT);
    if (pDc == nullptr || pIcon == nullptr || pIcon->icon.nWidth <= 0)
        return FALSE;
    CSurface surface = SurfaceOf(pDc);
    const int cx = GetSystemMetrics(SM_CXICON);
    const int cy = GetSystemMetrics(SM_CYICON);
    const CIconData& icon = pIcon->icon;
    for (int j = 0; j < cy; ++j) {
        for (int i = 0; i < cx; ++i) {
            if (!Inside(surface, X + i, Y + j))
                continue;
            const uint32_t argb =
                icon.aArgb[static_cast<size_t>(j * icon.nHeight / cy) * icon.nWidth + (i * icon.nWidth / cx)];
            if ((argb >> 24) >= 0x80)
                SetSurfacePixel(surface, X + i, Y + j, argb & 0xFFFFFF);
        }
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// Regions

HRGN WINAPI CreateRectRgn(int x1, int y1, int x2, int y2)
{
    auto lock = LockState();
    auto pObject = std::make_unique<CGdiObject>();
    pObject->dwType = OBJ_REGION;
    SetRegionRect(pObject->region, x1, y1, x2, y2);
    return static_cast<HRGN>(AddObject(std::move(pObject)));
}

HRGN WINAPI CreateRectRgnIndirect(const RECT* lprect)
{
    if (lprect == nullptr)
        return nullptr;
    return CreateRectRgn(lprect->left, lprect->top, lprect->right, lprect->bottom);
}

BOOL WINAPI SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom)
{
    auto lock = LockState();
    CGdiObject* p = FindTyped(hrgn, OBJ_REGION);
    if (p == nullptr)
        return FALSE;
    SetRegionRect(p->region, left, top, right, bottom);
    return TRUE;
}

int WINAPI CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode)
{
    auto lock = LockState();
    CGdiObject* pDst = FindTyped(hrgnDst, OBJ_REGION);
    CGdiObject* pSrc1 = FindTyped(hrgnSrc1, OBJ_REGION);
    CGdiObject* pSrc2 = iMode == RGN_COPY ? nullptr : FindTyped(hrgnSrc2, OBJ_REGION);
    if (pDst == nullptr || pSrc1 == nullptr || iMode < RGN_AND || iMode > RGN_COPY)
        return ERROR;
    if (iMode == RGN_COPY) {
        if (pDst != pSrc1)
            pDst->region = pSrc1->region;
        return Complexity(pDst->region);
    }
    if (pSrc2 == nullptr)
        return ERROR;
    if (pDst == pSrc1 && pDst != pSrc2)
        CombineInPlace(pDst->region, pSrc2->region, iMode);
    else
        pDst->region = CombineNew(pSrc1->region, pSrc2->region, iMode);
    return Complexity(pDst->region);
}

BOOL WINAPI PtInRegion(HRGN hrgn, int x, int y)
{
    auto lock = LockState();
    const CGdiObject* p = FindTyped(hrgn, OBJ_REGION);
    return p != nullptr && RegionContains(p->region, x, y);
}

int WINAPI GetRgnBox(HRGN hrgn, LPRECT lprc)
{
    auto lock = LockState();
    const CGdiObject* p = FindTyped(hrgn, OBJ_REGION);
    if (p == nullptr || lprc == nullptr)
        return ERROR;
    *lprc = RegionBox(p->region);
    return Complexity(p->region);
}

BOOL WINAPI EqualRgn(HRGN hrgn1, HRGN hrgn2)
{
    auto lock = LockState();
    const CGdiObject* p1 = FindTyped(hrgn1, OBJ_REGION);
    const CGdiObject* p2 = FindTyped(hrgn2, OBJ_REGION);
    if (p1 == nullptr || p2 == nullptr)
        return ERROR;
    return p1->region.mapRows == p2->region.mapRows ? TRUE : FALSE;
}

int WINAPI OffsetRgn(HRGN hrgn, int x, int y)
{
    auto lock = LockState();
    CGdiObject* p = FindTyped(hrgn, OBJ_REGION);
    if (p == nullptr)
        return ERROR;
    std::map<int, Spans> mapMoved;
    for (auto& row : p->region.mapRows) {
        Spans spans = row.second;
        for (auto& span : spans) {
            span.first += x;
            span.second += x;
        }
        mapMoved.emplace_hint(mapMoved.end(), row.first + y, std::move(spans));
    }
    p->region.mapRows.swap(mapMoved);
    return Complexity(p->region);
}

BOOL WINAPI FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr)
{
    auto lock = LockState();
    CGdiObject* pDc = FindDc(hdc);
    const CGdiObject* pRegion = FindTyped(hrgn, OBJ_REGION);
    if (pDc == nullptr || pRegion == nullptr)
        return FALSE;
    uint32_t rgb = 0;
    if (!BrushColor(hbr, &rgb))
        return FindTyped(hbr, OBJ_BRUSH) ? TRUE : FALSE;
    CSurface surface = SurfaceOf(pDc);
    for (const auto& row : pRegion->region.mapRows)
        for (const auto& span : row.second)
            FillSurface(surface, RECT{span.first, row.first, span.second, row.first + 1}, rgb);
    return TRUE;
}

namespace HeadlessDriver {

MASK WindowRegionMask(HWND hWnd)
{
    MASK mask;
    RECT rc;
    if (!GetWindowRect(hWnd, &rc))
        return mask;
    mask.nWidth = rc.right - rc.left;
    mask.nHeight = rc.bottom - rc.top;
    mask.aInside.assign(static_cast<size_t>(mask.nWidth) * mask.nHeight, 1);
    auto lock = LockState();
    const CWindow* pWnd = FindWindowData(hWnd);
    const CGdiObject* pRegion = pWnd ? FindTyped(pWnd->hRegion, OBJ_REGION) : nullptr;
    if (pRegion == nullptr)
        return mask;
    std::fill(mask.aInside.begin(), mask.aInside.end(), 0);
    for (const auto& row : pRegion->region.mapRows) {
        if (row.first < 0 || row.first >= mask.nHeight)
            continue;
        for (const auto& span : row.second)
            for (int x = std::max(0, span.first); x < std::min(mask.nWidth, span.second); ++x)
                mask.aInside[static_cast<size_t>(row.first) * mask.nWidth + x] = 1;
    }
    return mask;
}

} // namespace HeadlessDriver
