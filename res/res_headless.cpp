#include "res/res_headless.h"

#include "res/resource.h"
#include "winapi/headless/rc_dialog.h"

#include <string>
#include <vector>

// Files embedded by the build (tools/embed); each array carries one extra NUL.
extern const unsigned char g_abResLampOff[];
extern const unsigned long g_abResLampOff_size;
extern const unsigned char g_abResLampBlue[];
extern const unsigned long g_abResLampBlue_size;
extern const unsigned char g_abResLampGreen[];
extern const unsigned long g_abResLampGreen_size;
extern const unsigned char g_abResLampRed[];
extern const unsigned long g_abResLampRed_size;
extern const unsigned char g_abResBackground[];
extern const unsigned long g_abResBackground_size;
extern const unsigned char g_abResIcon[];
extern const unsigned long g_abResIcon_size;
extern const unsigned char g_abResManifest[];
extern const unsigned long g_abResManifest_size;
extern const unsigned char g_abResScript[];
extern const unsigned long g_abResScript_size;
extern const unsigned char g_abResHeader[];
extern const unsigned long g_abResHeader_size;

namespace {

constexpr int RES_TYPE_BITMAP = 2;
constexpr int RES_TYPE_ICON = 3;
constexpr int RES_TYPE_GROUP_ICON = 14;
constexpr int RES_TYPE_MANIFEST = 24;
constexpr int RES_TYPE_DLGINIT = 240;
constexpr int MANIFEST_ID = 1;

constexpr unsigned long CB_BITMAP_FILE_HEADER = 14;
constexpr unsigned long CB_ICON_DIR = 6;
constexpr unsigned long CB_ICON_DIR_ENTRY = 16;   // in an .ico file
constexpr unsigned long CB_GROUP_ICON_ENTRY = 14; // in a group icon resource

unsigned ReadWord(const unsigned char* p)
{
    return p[0] | (p[1] << 8);
}

unsigned long ReadDword(const unsigned char* p)
{
    return ReadWord(p) | (static_cast<unsigned long>(ReadWord(p + 2)) << 16);
}

void PutWord(std::vector<unsigned char>& a, unsigned w)
{
    a.push_back(static_cast<unsigned char>(w & 0xFF));
    a.push_back(static_cast<unsigned char>((w >> 8) & 0xFF));
}

// Holds the table and the data made from the embedded files: the script with
// its header, the icon group and the dialog's combo-box items.
class CHeadlessResources {
public:
    CHeadlessResources()
    {
        BuildScript();
        AddBitmap(IDB_LAMP_OFF, g_abResLampOff, g_abResLampOff_size);
        AddBitmap(IDB_LAMP_BLUE, g_abResLampBlue, g_abResLampBlue_size);
        AddBitmap(IDB_LAMP_GREEN, g_abResLampGreen, g_abResLampGreen_size);
        AddBitmap(IDB_LAMP_RED, g_abResLampRed, g_abResLampRed_size);
        AddBitmap(IDB_BACKGROUND, g_abResBackground, g_abResBackground_size);
        AddIcons(IDR_MAINFRAME, g_abResIcon, g_abResIcon_size);
        AddDlgInit(IDD_VIRUVEDE_DIALOG);
        Add(RES_TYPE_MANIFEST, MANIFEST_ID, g_abResManifest, g_abResManifest_size);
        m_aTable.push_back(HEADLESS_RESOURCE{0, 0, nullptr, 0});
    }

    const HEADLESS_RESOURCE* Table() const { return m_aTable.data(); }
    const char* Script() const { return m_strScript.c_str(); }

private:
    void BuildScript()
    {
        m_strScript.assign(reinterpret_cast<const char*>(g_abResScript), g_abResScript_size);
        const std::string strHeader(reinterpret_cast<const char*>(g_abResHeader), g_abResHeader_size);
        const std::string strInclude = "#include \"resource.h\"";
        const size_t nAt = m_strScript.find(strInclude);
        if (nAt != std::string::npos)
            m_strScript.replace(nAt, strInclude.size(), strHeader);
    }

    void Add(int nType, int nId, const unsigned char* pData, unsigned long cbData)
    {
        m_aTable.push_back(HEADLESS_RESOURCE{nType, nId, pData, cbData});
    }

    // A bitmap resource is the BMP file without its file header.
    void AddBitmap(int nId, const unsigned char* pFile, unsigned long cbFile)
    {
        if (cbFile > CB_BITMAP_FILE_HEADER)
            Add(RES_TYPE_BITMAP, nId, pFile + CB_BITMAP_FILE_HEADER, cbFile - CB_BITMAP_FILE_HEADER);
    }

    // Each image of the .ico file becomes an icon resource, numbered from 1
    // as the resource compiler numbers them; the group lists them by number.
    void AddIcons(int nGroupId, const unsigned char* pFile, unsigned long cbFile)
    {
        if (cbFile < CB_ICON_DIR)
            return;
        const unsigned nCount = ReadWord(pFile + 4);
        if (cbFile < CB_ICON_DIR + nCount * CB_ICON_DIR_ENTRY)
            return;
        std::vector<unsigned char>& aGroup = m_aGroupIcon;
        aGroup.assign(pFile, pFile + CB_ICON_DIR);
        for (unsigned i = 0; i < nCount; ++i) {
            const unsigned char* pEntry = pFile + CB_ICON_DIR + i * CB_ICON_DIR_ENTRY;
            const unsigned long cbImage = ReadDword(pEntry + 8);
            const unsigned long dwOffset = ReadDword(pEntry + 12);
            if (dwOffset > cbFile || cbImage > cbFile - dwOffset)
                return;
            aGroup.insert(aGroup.end(), pEntry, pEntry + CB_GROUP_ICON_ENTRY - 2);
            PutWord(aGroup, i + 1);
            Add(RES_TYPE_ICON, static_cast<int>(i + 1), pFile + dwOffset, cbImage);
        }
        Add(RES_TYPE_GROUP_ICON, nGroupId, aGroup.data(), static_cast<unsigned long>(aGroup.size()));
    }

    void AddDlgInit(int nDialogId)
    {
        std::string strError;
        if (!RcParseDlgInit(m_strScript, nDialogId, m_aDlgInit, strError))
            return;
        Add(RES_TYPE_DLGINIT, nDialogId, m_aDlgInit.data(), static_cast<unsigned long>(m_aDlgInit.size()));
    }

    std::string m_strScript;
    std::vector<unsigned char> m_aGroupIcon;
    std::vector<unsigned char> m_aDlgInit;
    std::vector<HEADLESS_RESOURCE> m_aTable;
};

const CHeadlessResources& Resources()
{
    static const CHeadlessResources s_resources;
    return s_resources;
}

} // namespace

const HEADLESS_RESOURCE* ResHeadlessTable()
{
    return Resources().Table();
}

const char* ResHeadlessScript()
{
    return Resources().Script();
}
