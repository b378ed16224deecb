// Writes the program's bitmaps and icon into the folder named on the command
// line, for the resource compiler and the headless resource table.
#include "tools/artwork.h"

#include <cstdio>
#include <string>

namespace {

struct OUTPUT_FILE {
    const char* pszName;
    std::vector<uint8_t> (*pfnDraw)();
};

std::vector<uint8_t> DrawLampOff() { return ArtEncodeBmp(ArtDrawLamp(ART_LAMP_OFF), 4); }
std::vector<uint8_t> DrawLampBlue() { return ArtEncodeBmp(ArtDrawLamp(ART_LAMP_BLUE), 4); }
std::vector<uint8_t> DrawLampGreen() { return ArtEncodeBmp(ArtDrawLamp(ART_LAMP_GREEN), 4); }
std::vector<uint8_t> DrawLampRed() { return ArtEncodeBmp(ArtDrawLamp(ART_LAMP_RED), 4); }
std::vector<uint8_t> DrawBackground() { return ArtEncodeBmp(ArtDrawBackground(ART_WINDOW_TITLE), 24); }
std::vector<uint8_t> DrawIcon() { return ArtEncodeIcon({ArtDrawIcon(32), ArtDrawIcon(16)}); }

const OUTPUT_FILE OUTPUT_FILES[] = {
    {"lamp_off.bmp", DrawLampOff},
    {"lamp_blue.bmp", DrawLampBlue},
    {"lamp_green.bmp", DrawLampGreen},
    {"lamp_red.bmp", DrawLampRed},
    {"background.bmp", DrawBackground},
    {"ViRuvede.ico", DrawIcon},
};

bool WriteFile(const std::string& strPath, const std::vector<uint8_t>& aBytes)
{
    std::FILE* pFile = std::fopen(strPath.c_str(), "wb");
    if (!pFile)
        return false;
    const bool bWritten = std::fwrite(aBytes.data(), 1, aBytes.size(), pFile) == aBytes.size();
    return std::fclose(pFile) == 0 && bWritten;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: genres OUTPUT_FOLDER\n");
        return 2;
    }
    for (const OUTPUT_FILE& file : OUTPUT_FILES) {
        const std::vector<uint8_t> aBytes = file.pfnDraw();
        const std::string strPath = std::string(argv[1]) + "/" + file.pszName;
        if (aBytes.empty() || !WriteFile(strPath, aBytes)) {
            std::fprintf(stderr, "genres: cannot write %s\n", strPath.c_str());
            return 1;
        }
    }
    return 0;
}
