// Pictures of the program's resources, drawn in code: the status lamps, the
// application icon and the skinned window's background. The build writes
// them as BMP and ICO files for the resource compiler and the headless
// resource table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Rows top to bottom, each pixel 0x00RRGGBB. Icon pixels may be
// ART_TRANSPARENT, which shows whatever lies behind the icon.
struct ART_IMAGE {
    int nWidth = 0;
    int nHeight = 0;
    std::vector<uint32_t> adwPixels;

    uint32_t At(int x, int y) const { return adwPixels[static_cast<size_t>(y) * nWidth + x]; }
    void Set(int x, int y, uint32_t dwColour) { adwPixels[static_cast<size_t>(y) * nWidth + x] = dwColour; }
};

constexpr uint32_t ART_TRANSPARENT = 0xFF000000u;

constexpr uint32_t ArtRgb(int nRed, int nGreen, int nBlue)
{
    return (static_cast<uint32_t>(nRed) << 16) | (static_cast<uint32_t>(nGreen) << 8) | static_cast<uint32_t>(nBlue);
}

constexpr int ART_LAMP_WIDTH = 56;
constexpr int ART_LAMP_HEIGHT = 51;
constexpr int ART_BACKGROUND_WIDTH = 1045;
constexpr int ART_BACKGROUND_HEIGHT = 749;
constexpr int ART_TITLE_BAR_HEIGHT = 28;

// Pure white marks the pixels outside the window's outline; nothing inside
// uses it. Light glyphs use ART_GLYPH_WHITE instead.
constexpr uint32_t ART_OUTSIDE = ArtRgb(255, 255, 255);
constexpr uint32_t ART_GLYPH_WHITE = ArtRgb(250, 250, 250);
constexpr uint32_t ART_PANEL = ArtRgb(240, 240, 240);

constexpr uint32_t ART_LAMP_OFF = ArtRgb(192, 192, 192);
constexpr uint32_t ART_LAMP_BLUE = ArtRgb(0, 0, 255);
constexpr uint32_t ART_LAMP_GREEN = ArtRgb(0, 255, 0);
constexpr uint32_t ART_LAMP_RED = ArtRgb(255, 0, 0);

extern const char ART_WINDOW_TITLE[];

// A lamp image of one colour.
ART_IMAGE ArtDrawLamp(uint32_t dwColour);

// The application icon (a servo motor with its shaft and a turning arrow),
// nSize x nSize pixels.
ART_IMAGE ArtDrawIcon(int nSize);

// The window background: title bar with the title, minimize and close
// boxes, the panel, its edges and the outline.
ART_IMAGE ArtDrawBackground(const char* pszTitle);

// BMP file bytes (with the 14-byte file header) at 4 or 24 bits per pixel.
// At 4 bits every colour must be one of the 16 standard colours. Returns an
// empty vector when the image cannot be stored at that depth.
std::vector<uint8_t> ArtEncodeBmp(const ART_IMAGE& image, int nBitsPerPixel);

// ICO file bytes holding each image at 8 bits per pixel with one shared
// palette. Returns an empty vector when the images need more than 256
// colours.
std::vector<uint8_t> ArtEncodeIcon(const std::vector<ART_IMAGE>& aImages);
