#include "tools/artwork.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

const char ART_WINDOW_TITLE[] = "Zelvora Mechatrolink-II Single Axis Dravenel v.16.1.21.0";

namespace {

// ---------------------------------------------------------------------------
// Drawing helpers

ART_IMAGE MakeImage(int nWidth, int nHeight, uint32_t dwFill)
{
    ART_IMAGE image;
    image.nWidth = nWidth;
    image.nHeight = nHeight;
    image.adwPixels.assign(static_cast<size_t>(nWidth) * nHeight, dwFill);
    return image;
}

void FillRect(ART_IMAGE& image, int x0, int y0, int x1, int y1, uint32_t dwColour)
{
    // Inclusive corners, clipped to the image.
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, image.nWidth - 1);
    y1 = std::min(y1, image.nHeight - 1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            image.Set(x, y, dwColour);
}

void FrameRect(ART_IMAGE& image, int x0, int y0, int x1, int y1, uint32_t dwColour)
{
    FillRect(image, x0, y0, x1, y0, dwColour);
    FillRect(image, x0, y1, x1, y1, dwColour);
    FillRect(image, x0, y0, x0, y1, dwColour);
    FillRect(image, x1, y0, x1, y1, dwColour);
}

uint32_t Blend(uint32_t dwFrom, uint32_t dwTo, double dT)
{
    auto channel = [&](int nShift) {
        const double dA = (dwFrom >> nShift) & 0xFF;
        const double dB = (dwTo >> nShift) & 0xFF;
        return static_cast<uint32_t>(std::lround(dA + (dB - dA) * dT)) << nShift;
    };
    return channel(16) | channel(8) | channel(0);
}

// ---------------------------------------------------------------------------
// A 5 x 8 pixel font for the title (row 7 holds descenders). Characters
// without a glyph advance like a space.

struct GLYPH {
    char ch;
    const char* apszRows[8];
};

const GLYPH FONT[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#", "....."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####.", "....."}},
    {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###.", "....."}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#", "....."}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####.", "....."}},
    {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####", "....."}},
    {'a', {".....", ".....", ".###.", "....#", ".####", "#...#", ".####", "....."}},
    {'c', {".....", ".....", ".###.", "#....", "#....", "#....", ".###.", "....."}},
    {'e', {".....", ".....", ".###.", "#...#", "#####", "#....", ".###.", "....."}},
    {'g', {".....", ".....", ".####", "#...#", "#...#", ".####", "....#", ".###."}},
    {'h', {"#....", "#....", "#.##.", "##..#", "#...#", "#...#", "#...#", "....."}},
    {'i', {"..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###.", "....."}},
    {'k', {"#....", "#....", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "....."}},
    {'l', {".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###.", "....."}},
    {'n', {".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#", "....."}},
    {'o', {".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###.", "....."}},
    {'r', {".....", ".....", "#.##.", "##..#", "#....", "#....", "#....", "....."}},
    {'s', {".....", ".....", ".####", "#....", ".###.", "....#", "####.", "....."}},
    {'t', {".#...", ".#...", "###..", ".#...", ".#...", ".#..#", "..##.", "....."}},
    {'v', {".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#..", "....."}},
    {'x', {".....", ".....", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "....."}},
    {'-', {".....", ".....", ".....", "#####", ".....", ".....", ".....", "....."}},
    {'.', {".....", ".....", ".....", ".....", ".....", ".##..", ".##..", "....."}},
    {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###.", "....."}},
    {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###.", "....."}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####", "....."}},
    {'3', {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###.", "....."}},
    {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#.", "....."}},
    {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###.", "....."}},
    {'6', {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###.", "....."}},
    {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#...", "....."}},
    {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###.", "....."}},
    {'9', {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##..", "....."}},
};

constexpr int GLYPH_WIDTH = 5;
constexpr int GLYPH_HEIGHT = 8;

const GLYPH* FindGlyph(char ch)
{
    for (const GLYPH& glyph : FONT)
        if (glyph.ch == ch)
            return &glyph;
    return nullptr;
}

void DrawText(ART_IMAGE& image, int x, int y, int nScale, const char* pszText, uint32_t dwColour)
{
    const int nAdvance = (GLYPH_WIDTH + 1) * nScale;
    for (const char* p = pszText; *p; ++p, x += nAdvance) {
        const GLYPH* pGlyph = FindGlyph(*p);
        if (!pGlyph)
            continue;
        for (int nRow = 0; nRow < GLYPH_HEIGHT; ++nRow)
            for (int nCol = 0; nCol < GLYPH_WIDTH; ++nCol)
                if (pGlyph->apszRows[nRow][nCol] == '#')
                    FillRect(image, x + nCol * nScale, y + nRow * nScale, x + (nCol + 1) * nScale - 1,
                             y + (nRow + 1) * nScale - 1, dwColour);
    }
}

// ---------------------------------------------------------------------------
// Background geometry

constexpr int TOP_CORNER_RADIUS = 10;
constexpr int BOTTOM_CHAMFER = 18;   // the lower corners are cut at 45 degrees
constexpr int EDGE_WIDTH = 3;

const uint32_t TITLE_TOP = ArtRgb(96, 146, 226);
const uint32_t TITLE_BOTTOM = ArtRgb(22, 60, 150);
const uint32_t TEXT_SHADOW = ArtRgb(12, 30, 90);
const uint32_t LEFT_EDGE = ArtRgb(36, 78, 170);
const uint32_t RIGHT_EDGE = ArtRgb(150, 150, 150);
const uint32_t LOWER_EDGE = ArtRgb(160, 160, 160);

bool OutsideRoundCorner(int x, int y, int nCentreX, int nCentreY, int nRadius)
{
    const double dX = x + 0.5 - nCentreX;
    const double dY = y + 0.5 - nCentreY;
    return dX * dX + dY * dY > static_cast<double>(nRadius) * nRadius;
}

// Distance in pixels from the lower, chamfered part of the outline; negative
// outside it.
int LowerEdgeDistance(int x, int y, int nWidth, int nHeight)
{
    const int nFromBottom = nHeight - 1 - y;
    const int nFromSide = std::min(x, nWidth - 1 - x);
    return std::min(nFromBottom, nFromBottom + nFromSide - BOTTOM_CHAMFER);
}

bool InsideOutline(int x, int y, int nWidth, int nHeight)
{
    const int r = TOP_CORNER_RADIUS;
    if (y < r && x < r && OutsideRoundCorner(x, y, r, r, r))
        return false;
    if (y < r && x >= nWidth - r && OutsideRoundCorner(x, y, nWidth - r, r, r))
        return false;
    return LowerEdgeDistance(x, y, nWidth, nHeight) >= 0;
}

uint32_t BodyColour(int x, int y, int nWidth, int nHeight)
{
    if (y < ART_TITLE_BAR_HEIGHT)
        return Blend(TITLE_TOP, TITLE_BOTTOM, y / double(ART_TITLE_BAR_HEIGHT - 1));
    if (LowerEdgeDistance(x, y, nWidth, nHeight) < EDGE_WIDTH)
        return LOWER_EDGE;
    if (x < EDGE_WIDTH)
        return LEFT_EDGE;
    if (x >= nWidth - EDGE_WIDTH)
        return RIGHT_EDGE;
    return ART_PANEL;
}

void DrawCaptionBox(ART_IMAGE& image, int x0, int x1, uint32_t dwFill, uint32_t dwFrame)
{
    const int y0 = 4;
    const int y1 = 24;
    for (int y = y0; y <= y1; ++y)
        FillRect(image, x0, y, x1, y, Blend(dwFill, TITLE_BOTTOM, (y - y0) / double(3 * (y1 - y0))));
    FrameRect(image, x0, y0, x1, y1, dwFrame);
}

void DrawMinimizeBox(ART_IMAGE& image)
{
    const int x0 = image.nWidth - 49;
    const int x1 = image.nWidth - 29;
    DrawCaptionBox(image, x0, x1, ArtRgb(70, 112, 200), ArtRgb(214, 224, 246));
    FillRect(image, x0 + 5, 18, x1 - 5, 19, ART_GLYPH_WHITE);
}

void DrawCloseBox(ART_IMAGE& image)
{
    const int x0 = image.nWidth - 24;
    const int x1 = image.nWidth - 4;
    DrawCaptionBox(image, x0, x1, ArtRgb(204, 58, 44), ArtRgb(246, 216, 212));
    for (int i = 0; i <= 10; ++i) {
        FillRect(image, x0 + 5 + i, 9 + i, x0 + 6 + i, 9 + i, ART_GLYPH_WHITE);
        FillRect(image, x1 - 6 - i, 9 + i, x1 - 5 - i, 9 + i, ART_GLYPH_WHITE);
    }
}

// ---------------------------------------------------------------------------
// Encoding

void PutWord(std::vector<uint8_t>& a, uint32_t w)
{
    a.push_back(static_cast<uint8_t>(w));
    a.push_back(static_cast<uint8_t>(w >> 8));
}

void PutDword(std::vector<uint8_t>& a, uint32_t dw)
{
    PutWord(a, dw & 0xFFFF);
    PutWord(a, dw >> 16);
}

void PutInfoHeader(std::vector<uint8_t>& a, int nWidth, int nHeight, int nBitsPerPixel, uint32_t cbImage,
                   uint32_t nColoursUsed)
{
    PutDword(a, 40);
    PutDword(a, static_cast<uint32_t>(nWidth));
    PutDword(a, static_cast<uint32_t>(nHeight));
    PutWord(a, 1);
    PutWord(a, static_cast<uint32_t>(nBitsPerPixel));
    PutDword(a, 0);           // BI_RGB
    PutDword(a, cbImage);
    PutDword(a, 0);
    PutDword(a, 0);
    PutDword(a, nColoursUsed);
    PutDword(a, 0);
}

void PutPaletteEntry(std::vector<uint8_t>& a, uint32_t dwColour)
{
    a.push_back(static_cast<uint8_t>(dwColour));
    a.push_back(static_cast<uint8_t>(dwColour >> 8));
    a.push_back(static_cast<uint8_t>(dwColour >> 16));
    a.push_back(0);
}

int RowStride(int nWidth, int nBitsPerPixel)
{
    return ((nWidth * nBitsPerPixel + 31) / 32) * 4;
}

// The 16 standard colours of a 4-bit display.
const uint32_t STANDARD_COLOURS[16] = {
    ArtRgb(0, 0, 0),       ArtRgb(128, 0, 0),   ArtRgb(0, 128, 0),   ArtRgb(128, 128, 0),
    ArtRgb(0, 0, 128),     ArtRgb(128, 0, 128), ArtRgb(0, 128, 128), ArtRgb(192, 192, 192),
    ArtRgb(128, 128, 128), ArtRgb(255, 0, 0),   ArtRgb(0, 255, 0),   ArtRgb(255, 255, 0),
    ArtRgb(0, 0, 255),     ArtRgb(255, 0, 255), ArtRgb(0, 255, 255), ArtRgb(255, 255, 255),
};

int StandardColourIndex(uint32_t dwColour)
{
    for (int i = 0; i < 16; ++i)
        if (STANDARD_COLOURS[i] == dwColour)
            return i;
    return -1;
}

bool EncodePixels4(const ART_IMAGE& image, std::vector<uint8_t>& a)
{
    const int nStride = RowStride(image.nWidth, 4);
    for (int y = image.nHeight - 1; y >= 0; --y) {
        std::vector<uint8_t> aRow(static_cast<size_t>(nStride), 0);
        for (int x = 0; x < image.nWidth; ++x) {
            const int nIndex = StandardColourIndex(image.At(x, y));
            if (nIndex < 0)
                return false;
            aRow[static_cast<size_t>(x / 2)] |= static_cast<uint8_t>(x % 2 ? nIndex : nIndex << 4);
        }
        a.insert(a.end(), aRow.begin(), aRow.end());
    }
    return true;
}

void EncodePixels24(const ART_IMAGE& image, std::vector<uint8_t>& a)
{
    const int nPad = RowStride(image.nWidth, 24) - image.nWidth * 3;
    for (int y = image.nHeight - 1; y >= 0; --y) {
        for (int x = 0; x < image.nWidth; ++x) {
            const uint32_t dw = image.At(x, y);
            a.push_back(static_cast<uint8_t>(dw));
            a.push_back(static_cast<uint8_t>(dw >> 8));
            a.push_back(static_cast<uint8_t>(dw >> 16));
        }
        a.insert(a.end(), static_cast<size_t>(nPad), 0);
    }
}

// One icon image as Windows keeps it: info header with doubled height, the
// palette, the colour rows and the transparency mask, both bottom-up.
std::vector<uint8_t> EncodeIconImage(const ART_IMAGE& image, const std::vector<uint32_t>& adwPalette,
                                     const std::map<uint32_t, int>& mapIndex)
{
    const int nColourStride = RowStride(image.nWidth, 8);
    const int nMaskStride = RowStride(image.nWidth, 1);
    const uint32_t cbImage = static_cast<uint32_t>((nColourStride + nMaskStride) * image.nHeight);
    std::vector<uint8_t> a;
    PutInfoHeader(a, image.nWidth, image.nHeight * 2, 8, cbImage, 0);
    for (uint32_t dw : adwPalette)
        PutPaletteEntry(a, dw);
    for (int y = image.nHeight - 1; y >= 0; --y) {
        for (int x = 0; x < image.nWidth; ++x) {
            const uint32_t dw = image.At(x, y);
            a.push_back(static_cast<uint8_t>(dw == ART_TRANSPARENT ? 0 : mapIndex.at(dw)));
        }
        a.insert(a.end(), static_cast<size_t>(nColourStride - image.nWidth), 0);
    }
    for (int y = image.nHeight - 1; y >= 0; --y) {
        std::vector<uint8_t> aRow(static_cast<size_t>(nMaskStride), 0);
        for (int x = 0; x < image.nWidth; ++x)
            if (image.At(x, y) == ART_TRANSPARENT)
                aRow[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
        a.insert(a.end(), aRow.begin(), aRow.end());
    }
    return a;
}

} // namespace

// ---------------------------------------------------------------------------

ART_IMAGE ArtDrawLamp(uint32_t dwColour)
{
    return MakeImage(ART_LAMP_WIDTH, ART_LAMP_HEIGHT, dwColour);
}

ART_IMAGE ArtDrawIcon(int nSize)
{
    // Drawn on a 32-unit grid and sampled at pixel centres, so both sizes
    // show the same motor: a round body, a hub, a shaft to the right and an
    // orange arrow turning around the hub.
    const uint32_t BODY = ArtRgb(52, 92, 164);
    const uint32_t BODY_RIM = ArtRgb(18, 38, 92);
    const uint32_t HUB = ArtRgb(226, 230, 238);
    const uint32_t SHAFT = ArtRgb(150, 154, 166);
    const uint32_t ARROW = ArtRgb(250, 164, 32);
    const double PI = 3.14159265358979323846;

    ART_IMAGE image = MakeImage(nSize, nSize, ART_TRANSPARENT);
    const double dScale = 32.0 / nSize;
    for (int y = 0; y < nSize; ++y) {
        for (int x = 0; x < nSize; ++x) {
            const double dX = (x + 0.5) * dScale;
            const double dY = (y + 0.5) * dScale;
            const double dR = std::hypot(dX - 14.0, dY - 16.0);
            const double dAngle = std::atan2(dY - 16.0, dX - 14.0) * 180.0 / PI;
            uint32_t dw = ART_TRANSPARENT;
            if (dX >= 25.0 && dX <= 31.5 && dY >= 14.0 && dY <= 18.0)
                dw = SHAFT;
            if (dR <= 13.5)
                dw = dR >= 11.5 ? BODY_RIM : BODY;
            if (dR >= 5.5 && dR <= 8.5 && dAngle >= -160.0 && dAngle <= 15.0)
                dw = ARROW;
            if (dAngle > 15.0 && dAngle <= 50.0 && std::fabs(dR - 7.0) <= 3.0 * (50.0 - dAngle) / 35.0)
                dw = ARROW;   // the arrow's head, narrowing along the turn
            if (dR <= 3.5)
                dw = HUB;
            image.Set(x, y, dw);
        }
    }
    return image;
}

ART_IMAGE ArtDrawBackground(const char* pszTitle)
{
    const int nWidth = ART_BACKGROUND_WIDTH;
    const int nHeight = ART_BACKGROUND_HEIGHT;
    ART_IMAGE image = MakeImage(nWidth, nHeight, ART_OUTSIDE);
    for (int y = 0; y < nHeight; ++y)
        for (int x = 0; x < nWidth; ++x)
            if (InsideOutline(x, y, nWidth, nHeight))
                image.Set(x, y, BodyColour(x, y, nWidth, nHeight));

    DrawText(image, 13, 7, 2, pszTitle, TEXT_SHADOW);
    DrawText(image, 12, 6, 2, pszTitle, ART_GLYPH_WHITE);
    DrawMinimizeBox(image);
    DrawCloseBox(image);
    return image;
}

std::vector<uint8_t> ArtEncodeBmp(const ART_IMAGE& image, int nBitsPerPixel)
{
    if (nBitsPerPixel != 4 && nBitsPerPixel != 24)
        return {};
    const uint32_t nColours = nBitsPerPixel == 4 ? 16 : 0;
    const uint32_t cbImage = static_cast<uint32_t>(RowStride(image.nWidth, nBitsPerPixel) * image.nHeight);
    const uint32_t cbHeaders = 14 + 40 + nColours * 4;

    std::vector<uint8_t> a;
    a.push_back('B');
    a.push_back('M');
    PutDword(a, cbHeaders + cbImage);
    PutDword(a, 0);
    PutDword(a, cbHeaders);
    PutInfoHeader(a, image.nWidth, image.nHeight, nBitsPerPixel, cbImage, nColours);
    if (nBitsPerPixel == 4) {
        for (uint32_t dw : STANDARD_COLOURS)
            PutPaletteEntry(a, dw);
        if (!EncodePixels4(image, a))
            return {};
    } else {
        EncodePixels24(image, a);
    }
    return a;
}

std::vector<uint8_t> ArtEncodeIcon(const std::vector<ART_IMAGE>& aImages)
{
    // Index 0 is black: transparent pixels use it, as the mask expects.
    std::vector<uint32_t> adwPalette{ArtRgb(0, 0, 0)};
    std::map<uint32_t, int> mapIndex{{ArtRgb(0, 0, 0), 0}};
    for (const ART_IMAGE& image : aImages) {
        for (uint32_t dw : image.adwPixels) {
            if (dw == ART_TRANSPARENT || mapIndex.count(dw))
                continue;
            if (adwPalette.size() == 256)
                return {};
            mapIndex[dw] = static_cast<int>(adwPalette.size());
            adwPalette.push_back(dw);
        }
    }
    adwPalette.resize(256, 0);

    std::vector<std::vector<uint8_t>> aEncoded;
    for (const ART_IMAGE& image : aImages)
        aEncoded.push_back(EncodeIconImage(image, adwPalette, mapIndex));

    std::vector<uint8_t> a;
    PutWord(a, 0);
    PutWord(a, 1);   // icon
    PutWord(a, static_cast<uint32_t>(aImages.size()));
    uint32_t dwOffset = static_cast<uint32_t>(6 + 16 * aImages.size());
    for (size_t i = 0; i < aImages.size(); ++i) {
        a.push_back(static_cast<uint8_t>(aImages[i].nWidth));
        a.push_back(static_cast<uint8_t>(aImages[i].nHeight));
        a.push_back(0);   // 256 colours
        a.push_back(0);
        PutWord(a, 1);
        PutWord(a, 8);
        PutDword(a, static_cast<uint32_t>(aEncoded[i].size()));
        PutDword(a, dwOffset);
        dwOffset += static_cast<uint32_t>(aEncoded[i].size());
    }
    for (const std::vector<uint8_t>& aImage : aEncoded)
        a.insert(a.end(), aImage.begin(), aImage.end());
    return a;
}
