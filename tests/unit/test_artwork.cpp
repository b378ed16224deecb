// The generated artwork as the headless resource table hands it out: lamp
// bitmaps, the icon group, the skinned window's background, the manifest.
#include "res/res_headless.h"
#include "res/resource.h"
#include "tools/artwork.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace {

constexpr int RT_BITMAP_ = 2;
constexpr int RT_ICON_ = 3;
constexpr int RT_GROUP_ICON_ = 14;
constexpr int RT_MANIFEST_ = 24;

constexpr uint32_t PURE_WHITE = 0xFFFFFF;

const HEADLESS_RESOURCE* Find(int nType, int nId)
{
    for (const HEADLESS_RESOURCE* p = ResHeadlessTable(); p->nType != 0; ++p)
        if (p->nType == nType && p->nId == nId)
            return p;
    return nullptr;
}

uint32_t Word(const unsigned char* p)
{
    return p[0] | (p[1] << 8);
}

uint32_t Dword(const unsigned char* p)
{
    return Word(p) | (Word(p + 2) << 16);
}

// A packed DIB read into 0x00RRGGBB pixels, top row first. For icons the
// stored height covers the colour rows and the mask; only the colour rows
// are read.
struct DIB {
    int nWidth = 0;
    int nHeight = 0;
    int nBitsPerPixel = 0;
    std::vector<uint32_t> adwPixels;
    uint32_t At(int x, int y) const { return adwPixels[static_cast<size_t>(y) * nWidth + x]; }
};

bool ReadDib(const unsigned char* p, size_t cb, bool bIcon, DIB& dib)
{
    if (cb < 40 || Dword(p) != 40 || Word(p + 12) != 1 || Dword(p + 16) != 0)
        return false;
    dib.nWidth = static_cast<int>(Dword(p + 4));
    dib.nHeight = static_cast<int>(Dword(p + 8)) / (bIcon ? 2 : 1);
    dib.nBitsPerPixel = static_cast<int>(Word(p + 14));
    const int nBpp = dib.nBitsPerPixel;
    if (nBpp != 4 && nBpp != 8 && nBpp != 24)
        return false;
    uint32_t nColours = Dword(p + 32);
    if (nColours == 0 && nBpp <= 8)
        nColours = 1u << nBpp;
    const unsigned char* pPalette = p + 40;
    const unsigned char* pBits = pPalette + 4 * nColours;
    const size_t nStride = static_cast<size_t>((dib.nWidth * nBpp + 31) / 32) * 4;
    if (static_cast<size_t>(pBits - p) + nStride * dib.nHeight > cb)
        return false;
    dib.adwPixels.assign(static_cast<size_t>(dib.nWidth) * dib.nHeight, 0);
    for (int y = 0; y < dib.nHeight; ++y) {
        const unsigned char* pRow = pBits + nStride * static_cast<size_t>(dib.nHeight - 1 - y);
        for (int x = 0; x < dib.nWidth; ++x) {
            uint32_t dw;
            if (nBpp == 24) {
                dw = pRow[3 * x] | (pRow[3 * x + 1] << 8) | (pRow[3 * x + 2] << 16);
            } else {
                const unsigned nIndex = nBpp == 8 ? pRow[x] : (x % 2 ? pRow[x / 2] & 0xF : pRow[x / 2] >> 4);
                if (nIndex >= nColours)
                    return false;
                const unsigned char* pEntry = pPalette + 4 * nIndex;
                dw = pEntry[0] | (pEntry[1] << 8) | (pEntry[2] << 16);
            }
            dib.adwPixels[static_cast<size_t>(y) * dib.nWidth + x] = dw;
        }
    }
    return true;
}

DIB LoadBitmapResource(int nId)
{
    DIB dib;
    const HEADLESS_RESOURCE* p = Find(RT_BITMAP_, nId);
    EXPECT_NE(p, nullptr) << "bitmap " << nId;
    if (p) {
        EXPECT_TRUE(ReadDib(p->pData, p->cbData, false, dib)) << "bitmap " << nId;
    }
    return dib;
}

// ---------------------------------------------------------------------------

struct LAMP_CASE {
    int nId;
    uint32_t dwColour;
};

class LampTest : public ::testing::TestWithParam<LAMP_CASE> {};

TEST_P(LampTest, IsOneColourAt4Bits)
{
    const DIB dib = LoadBitmapResource(GetParam().nId);
    EXPECT_EQ(dib.nWidth, 56);
    EXPECT_EQ(dib.nHeight, 51);
    EXPECT_EQ(dib.nBitsPerPixel, 4);
    ASSERT_FALSE(dib.adwPixels.empty());
    for (uint32_t dw : dib.adwPixels)
        ASSERT_EQ(dw, GetParam().dwColour);
}

INSTANTIATE_TEST_SUITE_P(Artwork, LampTest,
                         ::testing::Values(LAMP_CASE{IDB_LAMP_OFF, 0xC0C0C0}, LAMP_CASE{IDB_LAMP_BLUE, 0x0000FF},
                                           LAMP_CASE{IDB_LAMP_GREEN, 0x00FF00}, LAMP_CASE{IDB_LAMP_RED, 0xFF0000}));

TEST(Artwork, IconGroupHolds32And16PixelImagesAt8Bits)
{
    const HEADLESS_RESOURCE* pGroup = Find(RT_GROUP_ICON_, IDR_MAINFRAME);
    ASSERT_NE(pGroup, nullptr);
    ASSERT_GE(pGroup->cbData, 6u);
    const unsigned char* p = pGroup->pData;
    EXPECT_EQ(Word(p), 0u);
    EXPECT_EQ(Word(p + 2), 1u);
    ASSERT_EQ(Word(p + 4), 2u);
    ASSERT_EQ(pGroup->cbData, 6u + 2 * 14);
    const int anSizes[] = {32, 16};
    for (int i = 0; i < 2; ++i) {
        const unsigned char* pEntry = p + 6 + 14 * i;
        const int nSize = anSizes[i];
        EXPECT_EQ(pEntry[0], nSize);
        EXPECT_EQ(pEntry[1], nSize);
        EXPECT_EQ(Word(pEntry + 4), 1u);   // planes
        EXPECT_EQ(Word(pEntry + 6), 8u);   // bits per pixel
        const HEADLESS_RESOURCE* pIcon = Find(RT_ICON_, static_cast<int>(Word(pEntry + 12)));
        ASSERT_NE(pIcon, nullptr);
        EXPECT_EQ(Dword(pEntry + 8), pIcon->cbData);
        DIB dib;
        ASSERT_TRUE(ReadDib(pIcon->pData, pIcon->cbData, true, dib));
        EXPECT_EQ(dib.nWidth, nSize);
        EXPECT_EQ(dib.nHeight, nSize);
        EXPECT_EQ(dib.nBitsPerPixel, 8);
        // Colour rows, then a 1-bit mask with rows padded to 32 bits.
        const size_t cbMask = static_cast<size_t>((nSize + 31) / 32 * 4) * nSize;
        EXPECT_EQ(pIcon->cbData, 40u + 256 * 4 + static_cast<size_t>(nSize) * nSize + cbMask);
        const unsigned char* pMask = pIcon->pData + pIcon->cbData - cbMask;
        size_t nTransparent = 0;
        for (size_t b = 0; b < cbMask; ++b)
            for (int bit = 0; bit < 8; ++bit)
                nTransparent += (pMask[b] >> bit) & 1;
        EXPECT_GT(nTransparent, 0u) << "the motor is round";
        EXPECT_LT(nTransparent, static_cast<size_t>(nSize) * nSize / 2) << "most of the icon is drawn";
    }
}

// ---------------------------------------------------------------------------

class BackgroundTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_dib = LoadBitmapResource(IDB_BACKGROUND); }
    static DIB s_dib;
};

DIB BackgroundTest::s_dib;

TEST_F(BackgroundTest, Is1045By749At24Bits)
{
    EXPECT_EQ(s_dib.nWidth, 1045);
    EXPECT_EQ(s_dib.nHeight, 749);
    EXPECT_EQ(s_dib.nBitsPerPixel, 24);
}

TEST_F(BackgroundTest, CornersAreCutAwayAndThePanelIsLightGrey)
{
    ASSERT_EQ(s_dib.adwPixels.size(), 1045u * 749u);
    const int w = s_dib.nWidth;
    const int h = s_dib.nHeight;
    EXPECT_EQ(s_dib.At(0, 0), PURE_WHITE);
    EXPECT_EQ(s_dib.At(w - 1, 0), PURE_WHITE);
    EXPECT_EQ(s_dib.At(0, h - 1), PURE_WHITE);
    EXPECT_EQ(s_dib.At(w - 1, h - 1), PURE_WHITE);
    EXPECT_EQ(s_dib.At(w / 2, h / 2), 0xF0F0F0u);
    EXPECT_NE(s_dib.At(w / 2, 0), PURE_WHITE) << "title bar reaches the top";
    const uint32_t dwTitle = s_dib.At(w - 100, 14);   // right of the title text
    EXPECT_GT(dwTitle & 0xFF, (dwTitle >> 16) & 0xFF) << "title bar is blue";
    const uint32_t dwLeft = s_dib.At(0, h / 2);
    EXPECT_GT(dwLeft & 0xFF, (dwLeft >> 16) & 0xFF) << "left edge is blue";
    const uint32_t dwRight = s_dib.At(w - 1, h / 2);
    EXPECT_TRUE((dwRight & 0xFF) == ((dwRight >> 16) & 0xFF) && dwRight != PURE_WHITE && dwRight != 0xF0F0F0u)
        << "right edge is grey";
}

// Every pure white pixel must be reachable from the bitmap's border through
// pure white pixels: white marks the outside of the outline only.
TEST_F(BackgroundTest, PureWhiteOnlyOutsideTheOutline)
{
    ASSERT_EQ(s_dib.adwPixels.size(), 1045u * 749u);
    const int w = s_dib.nWidth;
    const int h = s_dib.nHeight;
    std::vector<bool> abReached(s_dib.adwPixels.size(), false);
    std::deque<std::pair<int, int>> queue;
    auto visit = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h)
            return;
        const size_t i = static_cast<size_t>(y) * w + x;
        if (abReached[i] || s_dib.adwPixels[i] != PURE_WHITE)
            return;
        abReached[i] = true;
        queue.emplace_back(x, y);
    };
    for (int x = 0; x < w; ++x) {
        visit(x, 0);
        visit(x, h - 1);
    }
    for (int y = 0; y < h; ++y) {
        visit(0, y);
        visit(w - 1, y);
    }
    size_t nReached = 0;
    while (!queue.empty()) {
        const auto [x, y] = queue.front();
        queue.pop_front();
        ++nReached;
        visit(x + 1, y);
        visit(x - 1, y);
        visit(x, y + 1);
        visit(x, y - 1);
    }
    size_t nWhite = 0;
    for (uint32_t dw : s_dib.adwPixels)
        nWhite += dw == PURE_WHITE;
    EXPECT_GT(nWhite, 0u);
    EXPECT_EQ(nReached, nWhite);
    EXPECT_LT(nWhite, s_dib.adwPixels.size() / 50) << "the outline keeps nearly the whole picture";
}

struct CAPTION_BOX {
    const char* pszName;
    int nLeftFromRight;    // x0 = W - this
    int nRightFromRight;   // x1 = W - this
};

class CaptionBoxTest : public BackgroundTest, public ::testing::WithParamInterface<CAPTION_BOX> {};

TEST_P(CaptionBoxTest, IsPaintedWhereItsClickAreaLies)
{
    ASSERT_EQ(s_dib.adwPixels.size(), 1045u * 749u);
    const int x0 = s_dib.nWidth - GetParam().nLeftFromRight;
    const int x1 = s_dib.nWidth - GetParam().nRightFromRight;
    const int y0 = 4;
    const int y1 = 24;
    // A frame of one colour around the area, set off from the title bar.
    const uint32_t dwFrame = s_dib.At(x0, y0);
    for (int x = x0; x <= x1; ++x) {
        EXPECT_EQ(s_dib.At(x, y0), dwFrame);
        EXPECT_EQ(s_dib.At(x, y1), dwFrame);
    }
    for (int y = y0; y <= y1; ++y) {
        EXPECT_EQ(s_dib.At(x0, y), dwFrame);
        EXPECT_EQ(s_dib.At(x1, y), dwFrame);
        EXPECT_NE(s_dib.At(x0 - 1, y), dwFrame);
        EXPECT_NE(s_dib.At(x1 + 1, y), dwFrame);
    }
    // Its glyph is drawn in near white.
    int nGlyph = 0;
    for (int y = y0 + 1; y < y1; ++y)
        for (int x = x0 + 1; x < x1; ++x)
            nGlyph += s_dib.At(x, y) == ART_GLYPH_WHITE;
    EXPECT_GT(nGlyph, 10);
}

INSTANTIATE_TEST_SUITE_P(Artwork, CaptionBoxTest,
                         ::testing::Values(CAPTION_BOX{"minimize", 49, 29}, CAPTION_BOX{"close", 24, 4}),
                         [](const auto& info) { return std::string(info.param.pszName); });

TEST_F(BackgroundTest, TitleIsWrittenInNearWhite)
{
    ASSERT_EQ(s_dib.adwPixels.size(), 1045u * 749u);
    int nGlyph = 0;
    for (int y = 0; y < ART_TITLE_BAR_HEIGHT; ++y)
        for (int x = 0; x < s_dib.nWidth / 2; ++x)
            nGlyph += s_dib.At(x, y) == ART_GLYPH_WHITE;
    EXPECT_GT(nGlyph, 500);
}

// ---------------------------------------------------------------------------

TEST(Artwork, EncoderRefusesWhatTheFormatCannotHold)
{
    ART_IMAGE odd = ArtDrawLamp(ArtRgb(1, 2, 3));
    EXPECT_TRUE(ArtEncodeBmp(odd, 4).empty()) << "not one of the 16 standard colours";
    EXPECT_TRUE(ArtEncodeBmp(odd, 8).empty()) << "depth not offered";
    EXPECT_FALSE(ArtEncodeBmp(odd, 24).empty());

    ART_IMAGE many;
    many.nWidth = 32;
    many.nHeight = 32;
    for (uint32_t i = 0; i < 32 * 32; ++i)
        many.adwPixels.push_back(i + 1);
    EXPECT_TRUE(ArtEncodeIcon({many}).empty()) << "more than 256 colours";
}

TEST(Artwork, ManifestAsksForCommonControls6AsInvokerAndDpiAware)
{
    const HEADLESS_RESOURCE* p = Find(RT_MANIFEST_, 1);
    ASSERT_NE(p, nullptr);
    const std::string strManifest(reinterpret_cast<const char*>(p->pData), p->cbData);
    for (const char* pszPart :
         {"name=\"Microsoft.Windows.Common-Controls\"", "version=\"6.0.0.0\"", "processorArchitecture=\"x86\"",
          "level=\"asInvoker\"", "uiAccess=\"false\"", ">true</dpiAware>"})
        EXPECT_NE(strManifest.find(pszPart), std::string::npos) << pszPart;
}

} // namespace
