// The resource-script reader: styles as the resource compiler computes them,
// strings, ids from #define lines, DLGINIT bytes, readable errors for broken
// scripts, and agreement with the resource compiler on the real script.
#include "res/res_headless.h"
#include "res/resource.h"
#include "winapi/headless/rc_dialog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr uint32_t WS_CHILD_ = 0x40000000u;
constexpr uint32_t WS_VISIBLE_ = 0x10000000u;
constexpr uint32_t WS_CAPTION_ = 0x00C00000u;
constexpr uint32_t WS_BORDER_ = 0x00800000u;
constexpr uint32_t WS_POPUP_ = 0x80000000u;
constexpr uint32_t WS_SYSMENU_ = 0x00080000u;
constexpr uint32_t WS_TABSTOP_ = 0x00010000u;
constexpr uint32_t DS_SETFONT_ = 0x40u;

std::string Dialog(const std::string& strOptions, const std::string& strControls)
{
    return "#define IDD_TEST 7\n#define IDC_ONE 1001\n"
           "IDD_TEST DIALOGEX 1, 2, 30, 40\n" +
           strOptions + "\nBEGIN\n" + strControls + "\nEND\n";
}

RC_DIALOG ParseOk(const std::string& strScript, int nId = 7)
{
    RC_DIALOG dialog;
    std::string strError;
    EXPECT_TRUE(RcParseDialog(strScript, nId, dialog, strError)) << strError;
    return dialog;
}

struct STYLE_CASE {
    const char* pszName;
    const char* pszStyle;
    uint32_t dwExpected;
};

class ControlStyleTest : public ::testing::TestWithParam<STYLE_CASE> {};

TEST_P(ControlStyleTest, ComputedLikeTheResourceCompiler)
{
    const std::string strControl =
        std::string("CONTROL \"x\", IDC_ONE, \"BUTTON\", ") + GetParam().pszStyle + ", 1, 2, 3, 4";
    const RC_DIALOG dialog = ParseOk(Dialog("", strControl));
    ASSERT_EQ(dialog.aControls.size(), 1u);
    EXPECT_EQ(dialog.aControls[0].dwStyle, GetParam().dwExpected);
}

INSTANTIATE_TEST_SUITE_P(
    RcParser, ControlStyleTest,
    ::testing::Values(STYLE_CASE{"Defaults", "0", WS_CHILD_ | WS_VISIBLE_},
                      STYLE_CASE{"OrTerms", "BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP",
                                 WS_CHILD_ | WS_VISIBLE_ | 0x2000 | WS_TABSTOP_},
                      STYLE_CASE{"NotClearsDefault", "CBS_DROPDOWNLIST | NOT WS_VISIBLE | WS_VSCROLL",
                                 WS_CHILD_ | 0x3 | 0x00200000},
                      STYLE_CASE{"NotClearsEarlierTerm", "WS_TABSTOP | NOT WS_TABSTOP", WS_CHILD_ | WS_VISIBLE_},
                      STYLE_CASE{"Numbers", "0x2000 | 9 | (1 + 2)", WS_CHILD_ | WS_VISIBLE_ | 0x2000 | 9 | 3},
                      STYLE_CASE{"DefinedName", "IDC_ONE", WS_CHILD_ | WS_VISIBLE_ | 1001}),
    [](const auto& info) { return std::string(info.param.pszName); });

TEST(RcParser, DialogStyleFollowsStyleFontAndCaption)
{
    const RC_DIALOG plain = ParseOk(Dialog("", ""));
    EXPECT_EQ(plain.dwStyle, WS_POPUP_ | WS_BORDER_ | WS_SYSMENU_) << "the compiler's default";

    const RC_DIALOG styled = ParseOk(Dialog("STYLE WS_POPUP | WS_VISIBLE\nFONT 9, \"Arial\", 700, 1, 0x81", ""));
    EXPECT_EQ(styled.dwStyle, WS_POPUP_ | WS_VISIBLE_ | DS_SETFONT_);
    EXPECT_EQ(styled.strFontFace, L"Arial");
    EXPECT_EQ(styled.nPointSize, 9);
    EXPECT_EQ(styled.nWeight, 700);
    EXPECT_EQ(styled.bItalic, 1);
    EXPECT_EQ(styled.nCharset, 0x81);
    EXPECT_EQ(styled.x, 1);
    EXPECT_EQ(styled.y, 2);
    EXPECT_EQ(styled.cx, 30);
    EXPECT_EQ(styled.cy, 40);

    const RC_DIALOG captioned = ParseOk(Dialog("STYLE WS_POPUP\nCAPTION \"Title\"", ""));
    EXPECT_EQ(captioned.dwStyle, WS_POPUP_ | WS_CAPTION_);
    EXPECT_EQ(captioned.strCaption, L"Title");
}

TEST(RcParser, ReadsTextsIdsAndClasses)
{
    const std::string strControls =
        "CONTROL \"Set \\nABS \"\"Home\"\"\", IDC_ONE, \"BUTTON\", 0, 1, 2, 3, 4\n"
        "CONTROL 132, -1, STATIC, 0xE, 5, 6, 7, 8, WS_EX_APPWINDOW\n"
        "CONTROL L\"\xEA\xB5\xB4\\101\", (1000 + 2), \"EDIT\", 0, 9, 10, 11, 12\n";
    const RC_DIALOG dialog = ParseOk(Dialog("", strControls));
    ASSERT_EQ(dialog.aControls.size(), 3u);
    EXPECT_EQ(dialog.aControls[0].strText, L"Set \nABS \"Home\"");
    EXPECT_EQ(dialog.aControls[0].nId, 1001);
    EXPECT_EQ(dialog.aControls[0].strClass, L"BUTTON");
    EXPECT_EQ(dialog.aControls[1].strText, L"#132");
    EXPECT_EQ(dialog.aControls[1].nId, -1);
    EXPECT_EQ(dialog.aControls[1].strClass, L"STATIC");
    EXPECT_EQ(dialog.aControls[1].dwExStyle, 0x40000u);
    EXPECT_EQ(dialog.aControls[1].x, 5);
    EXPECT_EQ(dialog.aControls[1].cy, 8);
    EXPECT_EQ(dialog.aControls[2].strText, L"\uAD74A");
    EXPECT_EQ(dialog.aControls[2].nId, 1002);
}

TEST(RcParser, FindsTheDialogAmongOtherResources)
{
    const std::string strScript =
        "// comment\n/* block\n comment */\n#include \"resource.h\"\n#pragma code_page(65001)\n"
        "#define IDD_OTHER 5\n#define IDD_TEST 7\n"
        "LANGUAGE LANG_KOREAN, SUBLANG_DEFAULT\n"
        "132 BITMAP \"lamp.bmp\"\n"
        "1 24 \"app.manifest\"\n"
        "STRINGTABLE\nBEGIN\n 1 \"one\"\nEND\n"
        "IDD_OTHER DIALOGEX 0, 0, 10, 10\nCAPTION \"Other\"\nBEGIN\n"
        "CONTROL \"a\", 1, \"BUTTON\", 0, 0, 0, 1, 1\nEND\n"
        "IDD_TEST DIALOG DISCARDABLE 0, 0, 20, 20\nBEGIN\n"
        "CONTROL \"b\", 2, \"BUTTON\", 0, 0, 0, 1, 1\nEND\n";
    const RC_DIALOG dialog = ParseOk(strScript);
    EXPECT_EQ(dialog.nId, 7);
    EXPECT_EQ(dialog.cx, 20);
    ASSERT_EQ(dialog.aControls.size(), 1u);
    EXPECT_EQ(dialog.aControls[0].strText, L"b");
}

TEST(RcParser, DlgInitStoresWordsDwordsAndStringBytes)
{
    const std::string strScript =
        "#define IDC_ONE 1001\n"
        "7 DLGINIT\nBEGIN\n"
        "  IDC_ONE, 0x403, 2, 0, \"0\\000\",\n"
        "  IDC_ONE, 0x403, 3L, \"10\\000\",\n"
        "  0\nEND\n";
    std::vector<unsigned char> data;
    std::string strError;
    ASSERT_TRUE(RcParseDlgInit(strScript, 7, data, strError)) << strError;
    const std::vector<unsigned char> expected = {0xE9, 0x03, 0x03, 0x04, 0x02, 0x00, 0x00, 0x00, '0', 0x00,
                                                 0xE9, 0x03, 0x03, 0x04, 0x03, 0x00, 0x00, 0x00, '1', '0',
                                                 0x00, 0x00, 0x00};
    EXPECT_EQ(data, expected);

    const std::string strNumericType = "7 240\nBEGIN\n 5, \"ab\"\nEND\n";
    ASSERT_TRUE(RcParseDlgInit(strNumericType, 7, data, strError)) << strError;
    EXPECT_EQ(data, (std::vector<unsigned char>{5, 0, 'a', 'b'}));
}

// ---------------------------------------------------------------------------

struct BROKEN_CASE {
    const char* pszName;
    const char* pszScript;
    const char* pszError;   // part of the expected message
};

const char GOOD_HEAD[] = "7 DIALOGEX 0, 0, 10, 10\nBEGIN\n";

class BrokenScriptTest : public ::testing::TestWithParam<BROKEN_CASE> {};

TEST_P(BrokenScriptTest, GivesAnErrorNotACrash)
{
    RC_DIALOG dialog;
    std::string strError;
    EXPECT_FALSE(RcParseDialog(GetParam().pszScript, 7, dialog, strError));
    EXPECT_NE(strError.find(GetParam().pszError), std::string::npos) << "message: " << strError;

    std::vector<unsigned char> data;
    EXPECT_FALSE(RcParseDlgInit(GetParam().pszScript, 7, data, strError));
    EXPECT_FALSE(strError.empty());
}

INSTANTIATE_TEST_SUITE_P(
    RcParser, BrokenScriptTest,
    ::testing::Values(
        BROKEN_CASE{"Empty", "", "not found"},
        BROKEN_CASE{"MissingDialog", "8 DIALOGEX 0, 0, 1, 1\nBEGIN\nEND\n", "not found"},
        BROKEN_CASE{"BadNumber", "7 DIALOGEX 0, 0, 12x, 10\nBEGIN\nEND\n", "bad number '12x'"},
        BROKEN_CASE{"HugeNumber", "7 DIALOGEX 0, 0, 99999999999, 10\nBEGIN\nEND\n", "bad number"},
        BROKEN_CASE{"UnterminatedBlock", "7 DIALOGEX 0, 0, 10, 10\nBEGIN\nCONTROL \"a\", 1, \"BUTTON\", 0, 0, 0, 1, 1\n",
                    "unterminated"},
        BROKEN_CASE{"UnterminatedOtherBlock", "6 DLGINIT\nBEGIN\n1, 2\n", "unterminated block"},
        BROKEN_CASE{"UnterminatedString", "7 DIALOGEX 0, 0, 10, 10\nCAPTION \"abc\nBEGIN\nEND\n",
                    "unterminated string"},
        BROKEN_CASE{"UnterminatedComment", "/* never closed\n7 DIALOGEX 0, 0, 10, 10\nBEGIN\nEND\n",
                    "unterminated comment"},
        BROKEN_CASE{"UnknownName", "7 DIALOGEX 0, 0, 10, 10\nSTYLE WS_NOSUCH\nBEGIN\nEND\n",
                    "unknown name 'WS_NOSUCH'"},
        BROKEN_CASE{"MissingComma", "7 DIALOGEX 0, 0, 10 10\nBEGIN\nEND\n", "expected ','"},
        BROKEN_CASE{"ShortControl", "7 DIALOGEX 0, 0, 10, 10\nBEGIN\nCONTROL \"a\", 1, \"BUTTON\", 0, 0, 0\nEND\n",
                    "expected ','"},
        BROKEN_CASE{"OtherControlStatement", "7 DIALOGEX 0, 0, 10, 10\nBEGIN\nLTEXT \"a\", 1, 0, 0, 1, 1\nEND\n",
                    "write it as CONTROL"},
        BROKEN_CASE{"SelfReferringDefine", "#define A A\n7 DIALOGEX 0, 0, 10, A\nBEGIN\nEND\n", "nests too deeply"},
        BROKEN_CASE{"BadEscape", "7 DIALOGEX 0, 0, 10, 10\nCAPTION \"a\\q\"\nBEGIN\nEND\n", "unknown escape"},
        BROKEN_CASE{"TypeWithoutName", "7\n", "expected a resource type"},
        BROKEN_CASE{"StrayPunctuation", ", 7 DIALOGEX 0, 0, 1, 1\nBEGIN\nEND\n", "expected a resource statement"}),
    [](const auto& info) { return std::string(info.param.pszName); });

TEST(RcParser, ErrorsNameTheLine)
{
    RC_DIALOG dialog;
    std::string strError;
    EXPECT_FALSE(RcParseDialog("\n\n7 DIALOGEX 0, 0, 10, 0x\nBEGIN\nEND\n", 7, dialog, strError));
    EXPECT_EQ(strError.rfind("line 3: ", 0), 0u) << strError;
}

TEST(RcParser, BrokenDlgInitData)
{
    std::vector<unsigned char> data;
    std::string strError;
    EXPECT_FALSE(RcParseDlgInit("7 DLGINIT\nBEGIN\n1, 2,\nEND\n", 7, data, strError));
    EXPECT_NE(strError.find("expected a data item"), std::string::npos) << strError;
    EXPECT_FALSE(RcParseDlgInit("7 DLGINIT\nBEGIN\n1 2\nEND\n", 7, data, strError));
    EXPECT_NE(strError.find("expected ','"), std::string::npos) << strError;
    EXPECT_FALSE(RcParseDlgInit("7 DIALOGEX 0, 0, 1, 1\nBEGIN\nEND\n", 7, data, strError));
    EXPECT_NE(strError.find("DLGINIT 7 not found"), std::string::npos) << strError;
}

// ---------------------------------------------------------------------------
// The real script compiled by the resource compiler (windres -O res) must
// hold what the headless side reads from the script and its table.

#ifdef ZELV_WINDRES_RES

struct RES_ENTRY {
    int nType;
    int nId;
    int nLanguage;
    std::vector<unsigned char> aData;
};

uint32_t Word(const unsigned char* p)
{
    return p[0] | (p[1] << 8);
}

uint32_t Dword(const unsigned char* p)
{
    return Word(p) | (Word(p + 2) << 16);
}

// Reads a type or name field: 0xFFFF + ordinal, or a NUL-terminated UTF-16
// string (reported as -1).
int ReadOrdinal(const unsigned char*& p)
{
    if (Word(p) == 0xFFFF) {
        const int n = static_cast<int>(Word(p + 2));
        p += 4;
        return n;
    }
    while (Word(p) != 0)
        p += 2;
    p += 2;
    return -1;
}

std::vector<RES_ENTRY> ReadResFile(const char* pszPath)
{
    std::vector<unsigned char> a;
    if (std::FILE* pFile = std::fopen(pszPath, "rb")) {
        int ch;
        while ((ch = std::fgetc(pFile)) != EOF)
            a.push_back(static_cast<unsigned char>(ch));
        std::fclose(pFile);
    }
    std::vector<RES_ENTRY> aEntries;
    size_t i = 0;
    while (i + 32 <= a.size()) {
        const uint32_t cbData = Dword(&a[i]);
        const uint32_t cbHeader = Dword(&a[i + 4]);
        const unsigned char* p = &a[i + 8];
        RES_ENTRY entry;
        entry.nType = ReadOrdinal(p);
        entry.nId = ReadOrdinal(p);
        const size_t nFixed = (static_cast<size_t>(p - &a[i]) + 3) & ~size_t(3);
        entry.nLanguage = static_cast<int>(Word(&a[i + nFixed + 6]));
        const size_t nData = i + cbHeader;
        if (nData + cbData > a.size())
            break;
        entry.aData.assign(a.begin() + static_cast<long>(nData), a.begin() + static_cast<long>(nData + cbData));
        if (cbData > 0)
            aEntries.push_back(entry);
        i = (nData + cbData + 3) & ~size_t(3);
    }
    return aEntries;
}

const RES_ENTRY* FindEntry(const std::vector<RES_ENTRY>& aEntries, int nType, int nId)
{
    for (const RES_ENTRY& entry : aEntries)
        if (entry.nType == nType && entry.nId == nId)
            return &entry;
    return nullptr;
}

std::wstring ReadWideString(const unsigned char*& p)
{
    std::wstring str;
    while (Word(p) != 0) {
        str += static_cast<wchar_t>(Word(p));
        p += 2;
    }
    p += 2;
    return str;
}

// A class or text field of a dialog item: a string, or an ordinal, which
// names a predefined class or an image id.
std::wstring ReadItemField(const unsigned char*& p, bool bClass)
{
    if (Word(p) != 0xFFFF)
        return ReadWideString(p);
    const uint32_t nOrdinal = Word(p + 2);
    p += 4;
    if (!bClass)
        return L"#" + std::to_wstring(nOrdinal);
    static const wchar_t* const CLASSES[] = {L"BUTTON", L"EDIT", L"STATIC", L"LISTBOX", L"SCROLLBAR", L"COMBOBOX"};
    return nOrdinal >= 0x80 && nOrdinal <= 0x85 ? CLASSES[nOrdinal - 0x80] : L"?";
}

const unsigned char* AlignDword(const unsigned char* pBase, const unsigned char* p)
{
    return pBase + ((static_cast<size_t>(p - pBase) + 3) & ~size_t(3));
}

class ResourceCompilerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_aEntries = ReadResFile(ZELV_WINDRES_RES);
        ASSERT_FALSE(m_aEntries.empty()) << "cannot read " << ZELV_WINDRES_RES;
    }

    std::vector<RES_ENTRY> m_aEntries;
};

TEST_F(ResourceCompilerTest, DialogTemplateMatchesTheParser)
{
    const RES_ENTRY* pDialog = FindEntry(m_aEntries, 5, IDD_VIRUVEDE_DIALOG);
    ASSERT_NE(pDialog, nullptr);
    EXPECT_EQ(pDialog->nLanguage, 1042);
    RC_DIALOG parsed;
    std::string strError;
    ASSERT_TRUE(RcParseDialog(ResHeadlessScript(), IDD_VIRUVEDE_DIALOG, parsed, strError)) << strError;

    const unsigned char* pBase = pDialog->aData.data();
    const unsigned char* p = pBase;
    ASSERT_EQ(Word(p), 1u);
    ASSERT_EQ(Word(p + 2), 0xFFFFu);
    EXPECT_EQ(Dword(p + 8), parsed.dwExStyle);
    EXPECT_EQ(Dword(p + 12), parsed.dwStyle);
    const uint32_t nItems = Word(p + 16);
    EXPECT_EQ(static_cast<int16_t>(Word(p + 18)), parsed.x);
    EXPECT_EQ(static_cast<int16_t>(Word(p + 20)), parsed.y);
    EXPECT_EQ(static_cast<int16_t>(Word(p + 22)), parsed.cx);
    EXPECT_EQ(static_cast<int16_t>(Word(p + 24)), parsed.cy);
    p += 26;
    EXPECT_EQ(ReadItemField(p, false), L"") << "menu";
    EXPECT_EQ(ReadItemField(p, false), L"") << "class";
    EXPECT_EQ(ReadWideString(p), parsed.strCaption);
    EXPECT_EQ(static_cast<int>(Word(p)), parsed.nPointSize);
    EXPECT_EQ(static_cast<int>(Word(p + 2)), parsed.nWeight);
    EXPECT_EQ(static_cast<int>(p[4]), parsed.bItalic);
    EXPECT_EQ(static_cast<int>(p[5]), parsed.nCharset);
    p += 6;
    EXPECT_EQ(ReadWideString(p), parsed.strFontFace);

    ASSERT_EQ(nItems, parsed.aControls.size());
    for (const RC_CONTROL& control : parsed.aControls) {
        p = AlignDword(pBase, p);
        ASSERT_LE(p + 24, pBase + pDialog->aData.size());
        const std::string strWhere = "control " + std::to_string(control.nId);
        EXPECT_EQ(Dword(p + 4), control.dwExStyle) << strWhere;
        EXPECT_EQ(Dword(p + 8), control.dwStyle) << strWhere;
        EXPECT_EQ(static_cast<int16_t>(Word(p + 12)), control.x) << strWhere;
        EXPECT_EQ(static_cast<int16_t>(Word(p + 14)), control.y) << strWhere;
        EXPECT_EQ(static_cast<int16_t>(Word(p + 16)), control.cx) << strWhere;
        EXPECT_EQ(static_cast<int16_t>(Word(p + 18)), control.cy) << strWhere;
        EXPECT_EQ(static_cast<int32_t>(Dword(p + 20)), control.nId) << strWhere;
        p += 24;
        EXPECT_EQ(ReadItemField(p, true), control.strClass) << strWhere;
        EXPECT_EQ(ReadItemField(p, false), control.strText) << strWhere;
        const uint32_t cbExtra = Word(p);
        p += 2 + cbExtra;
        EXPECT_EQ(cbExtra, 0u) << strWhere;
    }
}

TEST_F(ResourceCompilerTest, HeadlessTableHoldsTheCompiledBytes)
{
    size_t nCompared = 0;
    for (const HEADLESS_RESOURCE* p = ResHeadlessTable(); p->nType != 0; ++p) {
        const RES_ENTRY* pEntry = FindEntry(m_aEntries, p->nType, p->nId);
        ASSERT_NE(pEntry, nullptr) << "type " << p->nType << " id " << p->nId;
        EXPECT_EQ(std::vector<unsigned char>(p->pData, p->pData + p->cbData), pEntry->aData)
            << "type " << p->nType << " id " << p->nId;
        EXPECT_EQ(pEntry->nLanguage, p->nType == 24 ? 0 : 1042) << "type " << p->nType << " id " << p->nId;
        ++nCompared;
    }
    // Five bitmaps, two icons, the icon group, the combo items, the manifest.
    EXPECT_EQ(nCompared, 10u);
    EXPECT_EQ(m_aEntries.size(), 11u) << "the compiled file also holds the dialog";
}

#endif

} // namespace
