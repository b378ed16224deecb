// The dialog manager of the headless window system: dialogs from the resource
// script, dialog units, keyboard navigation, modal loops and message boxes.
#include "winapi/headless/driver.h"
#include "winapi/headless/resource_table.h"
#include "winapi/win32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const int IDD_TEST = 200;
const int IDC_NAME = 1001;
const int IDC_CHOICE = 1002;
const int IDC_GO = 1003;
const int IDC_LAMP = 1004;
const int IDC_HIDDEN = 1005;

const char SCRIPT[] = R"(#define IDD_TEST 200
#define IDC_STATIC -1
IDD_TEST DIALOGEX 0, 0, 611, 499
STYLE WS_POPUP | WS_VISIBLE | WS_SYSMENU | DS_SETFONT
EXSTYLE WS_EX_APPWINDOW
FONT 9, "굴림", 400, 0, 0x81
BEGIN
    CONTROL "Name", IDC_STATIC, "STATIC", SS_LEFT, 4, 4, 40, 8
    CONTROL "", 1001, "EDIT", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 50, 4, 60, 14
    CONTROL "", 1002, "COMBOBOX", CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP, 50, 20, 60, 80
    CONTROL "Go", 1003, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 4, 40, 50, 14
    CONTROL "#132", 1004, "STATIC", SS_BITMAP, 60, 40, 32, 34
    CONTROL "Hidden", 1005, "BUTTON", BS_PUSHBUTTON | NOT WS_VISIBLE | WS_TABSTOP, 4, 60, 50, 14
END
)";

// A 4-bit packed DIB of one colour, as the resource compiler stores it.
std::vector<unsigned char> SolidDib4(int nWidth, int nHeight, RGBQUAD colour)
{
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = nWidth;
    header.biHeight = nHeight;
    header.biPlanes = 1;
    header.biBitCount = 4;
    const int nStride = ((nWidth * 4 + 31) / 32) * 4;
    std::vector<unsigned char> aData(sizeof(header) + 16 * sizeof(RGBQUAD) + static_cast<size_t>(nStride) * nHeight, 0);
    std::memcpy(aData.data(), &header, sizeof(header));
    std::memcpy(aData.data() + sizeof(header), &colour, sizeof(colour)); // every pixel is index 0
    return aData;
}

const std::vector<unsigned char>& LampBitmap()
{
    static const std::vector<unsigned char> s_aData = SolidDib4(56, 51, RGBQUAD{192, 192, 192, 0});
    return s_aData;
}

struct RECEIVED {
    UINT nMessage;
    WPARAM wParam;
    int nControls; // children present when the message arrived
};

std::vector<RECEIVED> g_aReceived;
int g_nEndWith = 0;

int CountChildren(HWND hDlg)
{
    int nCount = 0;
    for (HWND h = GetWindow(hDlg, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT))
        ++nCount;
    return nCount;
}

INT_PTR CALLBACK TestDialogProc(HWND hDlg, UINT nMessage, WPARAM wParam, LPARAM)
{
    if (nMessage == WM_SETFONT || nMessage == WM_INITDIALOG || nMessage == WM_COMMAND)
        g_aReceived.push_back({nMessage, wParam, CountChildren(hDlg)});
    if (nMessage == WM_INITDIALOG)
        return TRUE;
    if (nMessage == WM_COMMAND && LOWORD(wParam) == IDC_GO && g_nEndWith != 0) {
        EndDialog(hDlg, g_nEndWith);
        return TRUE;
    }
    return FALSE;
}

// The clicks the dialog received (focus notifications of edits left out).
std::vector<WPARAM> Commands()
{
    std::vector<WPARAM> aCommands;
    for (const auto& received : g_aReceived)
        if (received.nMessage == WM_COMMAND && HIWORD(received.wParam) == BN_CLICKED)
            aCommands.push_back(received.wParam);
    return aCommands;
}

class HeadlessDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        HeadlessDriver::Reset();
        m_aTable[0] = HEADLESS_RESOURCE{2, 132, LampBitmap().data(), static_cast<unsigned long>(LampBitmap().size())};
        m_aTable[1] = HEADLESS_RESOURCE{0, 0, nullptr, 0};
        HeadlessSetResources(m_aTable, SCRIPT);
        g_aReceived.clear();
        g_nEndWith = 0;
        m_nGdiBaseline = HeadlessDriver::LiveGdiObjects();
    }

    void TearDown() override
    {
        HeadlessDriver::Reset();
        HeadlessSetResources(nullptr, nullptr);
    }

    HWND Create()
    {
        HWND hDlg = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(IDD_TEST), nullptr, &TestDialogProc, 0);
        EXPECT_NE(hDlg, nullptr) << HeadlessDriver::LastDialogError();
        return hDlg;
    }

    HEADLESS_RESOURCE m_aTable[2];
    int m_nGdiBaseline = 0;
};

TEST_F(HeadlessDialog, CreatesControlsInTemplateOrderThenFontThenInitDialog)
{
    HWND hDlg = Create();
    ASSERT_NE(hDlg, nullptr);
    ASSERT_GE(g_aReceived.size(), 2u);
    EXPECT_EQ(g_aReceived[0].nMessage, static_cast<UINT>(WM_SETFONT));
    EXPECT_EQ(g_aReceived[1].nMessage, static_cast<UINT>(WM_INITDIALOG));
    EXPECT_EQ(g_aReceived[1].nControls, 6);
    EXPECT_EQ(reinterpret_cast<HWND>(g_aReceived[1].wParam), GetDlgItem(hDlg, IDC_NAME));
    EXPECT_EQ(GetFocus(), GetDlgItem(hDlg, IDC_NAME));

    std::vector<int> aIds;
    for (HWND h = GetWindow(hDlg, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT))
        aIds.push_back(GetDlgCtrlID(h));
    EXPECT_EQ(aIds, std::vector<int>({-1, IDC_NAME, IDC_CHOICE, IDC_GO, IDC_LAMP, IDC_HIDDEN}));
    EXPECT_TRUE(IsWindowVisible(hDlg));
    EXPECT_EQ(GetActiveWindow(), hDlg);
}

TEST_F(HeadlessDialog, StylesAndStateComeFromTheTemplate)
{
    HWND hDlg = Create();
    ASSERT_NE(hDlg, nullptr);
    struct {
        int nId;
        const wchar_t* pszClass;
        DWORD dwStyle;
        bool bVisible;
    } const aControls[] = {
        {IDC_NAME, L"EDIT", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, true},
        {IDC_CHOICE, L"COMBOBOX", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP, true},
        {IDC_GO, L"BUTTON", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, true},
        {IDC_LAMP, L"STATIC", WS_CHILD | WS_VISIBLE | SS_BITMAP, true},
        {IDC_HIDDEN, L"BUTTON", WS_CHILD | BS_PUSHBUTTON | WS_TABSTOP, false},
    };
    for (const auto& control : aControls) {
        const auto state = HeadlessDriver::ReadControl(hDlg, control.nId);
        ASSERT_TRUE(state.bExists) << control.nId;
        EXPECT_EQ(state.strClass, control.pszClass) << control.nId;
        EXPECT_EQ(state.dwStyle, control.dwStyle) << control.nId;
        EXPECT_EQ(state.bVisible, control.bVisible) << control.nId;
        EXPECT_TRUE(state.bEnabled) << control.nId;
    }
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(hDlg, GWL_STYLE)), WS_POPUP | WS_VISIBLE | WS_SYSMENU | DS_SETFONT);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(hDlg, GWL_EXSTYLE)), static_cast<DWORD>(WS_EX_APPWINDOW));
    EXPECT_EQ(GetDlgCtrlID(GetWindow(hDlg, GW_CHILD)), -1);
    wchar_t szClass[16];
    GetClassNameW(hDlg, szClass, 16);
    EXPECT_STREQ(szClass, L"#32770");
}

TEST_F(HeadlessDialog, DialogUnitsUseTheBaseUnitsOfTheTemplateFont)
{
    HWND hDlg = Create();
    ASSERT_NE(hDlg, nullptr);
    RECT rcClient;
    GetClientRect(hDlg, &rcClient);
    EXPECT_EQ(rcClient.right, 1069);
    EXPECT_EQ(rcClient.bottom, 749);
    RECT rcUnits = {0, 0, 611, 499};
    ASSERT_TRUE(MapDialogRect(hDlg, &rcUnits));
    EXPECT_EQ(rcUnits.right, 1069);
    EXPECT_EQ(rcUnits.bottom, 749);

    struct {
        int nId;
        RECT rcExpected; // client coordinates of the dialog
    } const aPlaces[] = {
        {IDC_NAME, {88, 6, 88 + 105, 6 + 21}},   // 50, 4, 60, 14
        {IDC_CHOICE, {88, 30, 88 + 105, 30 + 120}},
        {IDC_GO, {7, 60, 7 + 88, 60 + 21}},
    };
    for (const auto& place : aPlaces) {
        RECT rc;
        GetWindowRect(GetDlgItem(hDlg, place.nId), &rc);
        MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(rc.left, place.rcExpected.left) << place.nId;
        EXPECT_EQ(rc.top, place.rcExpected.top) << place.nId;
        EXPECT_EQ(rc.right, place.rcExpected.right) << place.nId;
        EXPECT_EQ(rc.bottom, place.rcExpected.bottom) << place.nId;
    }
}

TEST_F(HeadlessDialog, BitmapStaticShowsItsTemplateImageAtTheImageSize)
{
    HWND hDlg = Create();
    ASSERT_NE(hDlg, nullptr);
    HWND hLamp = GetDlgItem(hDlg, IDC_LAMP);
    HANDLE hTemplate = reinterpret_cast<HANDLE>(SendMessageW(hLamp, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(hTemplate, nullptr);
    RECT rc;
    GetClientRect(hLamp, &rc);
    EXPECT_EQ(rc.right, 56);
    EXPECT_EQ(rc.bottom, 51);
    const auto pixels = HeadlessDriver::Paint(hLamp);
    ASSERT_EQ(pixels.nWidth, 56);
    EXPECT_EQ(pixels.At(10, 10), 0xC0C0C0u);

    HBITMAP hRed = CreateBitmap(56, 51, 1, 32, nullptr);
    EXPECT_EQ(reinterpret_cast<HANDLE>(SendMessageW(hLamp, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hRed))),
              hTemplate);
    DestroyWindow(hDlg);
    // The template image and the dialog font went with the dialog.
    EXPECT_EQ(HeadlessDriver::LiveGdiObjects(), m_nGdiBaseline + 1);
    EXPECT_TRUE(DeleteObject(hRed));
}

TEST_F(HeadlessDialog, EscapeAndEnterReachTheDialogThroughIsDialogMessage)
{
    struct {
        int nFocus;
        UINT nKey;
        WPARAM wExpected;
    } const aCases[] = {
        {IDC_NAME, VK_ESCAPE, MAKEWPARAM(IDCANCEL, BN_CLICKED)},
        {IDC_NAME, VK_RETURN, MAKEWPARAM(IDOK, BN_CLICKED)},
        {IDC_GO, VK_RETURN, MAKEWPARAM(IDC_GO, BN_CLICKED)},
    };
    for (const auto& test : aCases) {
        HeadlessDriver::Reset();
        HeadlessSetResources(m_aTable, SCRIPT);
        g_aReceived.clear();
        HWND hDlg = Create();
        ASSERT_NE(hDlg, nullptr);
        SetFocus(GetDlgItem(hDlg, test.nFocus));
        ASSERT_TRUE(HeadlessDriver::PressKey(test.nKey));
        EXPECT_EQ(Commands(), std::vector<WPARAM>({test.wExpected})) << "key " << test.nKey;
    }
}

std::vector<UINT> g_aEditKeys;
WNDPROC g_pfnEdit = nullptr;

LRESULT CALLBACK KeyLoggingEdit(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_KEYDOWN)
        g_aEditKeys.push_back(static_cast<UINT>(wParam));
    return CallWindowProcW(g_pfnEdit, hWnd, nMessage, wParam, lParam);
}

TEST_F(HeadlessDialog, FilterSkippingTheDialogManagerSendsKeysToTheFocus)
{
    HWND hDlg = Create();
    ASSERT_NE(hDlg, nullptr);
    HWND hEdit = GetDlgItem(hDlg, IDC_NAME);
    g_aEditKeys.clear();
    g_pfnEdit = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&KeyLoggingEdit)));
    // As a program's PreTranslateMessage that keeps Esc and Enter from the dialog manager.
    HeadlessDriver::SetMessageFilter([hDlg](MSG& msg) {
        if (msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN))
            return false;
        return IsDialogMessageW(hDlg, &msg) != 0;
    });
    ASSERT_TRUE(HeadlessDriver::PressKey(VK_ESCAPE));
    ASSERT_TRUE(HeadlessDriver::PressKey(VK_RETURN));
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(g_aEditKeys, std::vector<UINT>({VK_ESCAPE, VK_RETURN}));
    EXPECT_TRUE(IsWindow(hDlg));
}

TEST_F(HeadlessDialog, TabWalksTheVisibleTabStopsInTemplateOrder)
{
    HWND hDlg = Create();
    ASSERT_NE(hDlg, nullptr);
    const int aOrder[] = {IDC_CHOICE, IDC_GO, IDC_NAME, IDC_CHOICE};
    for (int nExpected : aOrder) {
        ASSERT_TRUE(HeadlessDriver::PressKey(VK_TAB));
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), nExpected);
    }
    EnableWindow(GetDlgItem(hDlg, IDC_GO), FALSE);
    ASSERT_TRUE(HeadlessDriver::PressKey(VK_TAB));
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_NAME);
}

TEST_F(HeadlessDialog, CloseBecomesTheCancelCommand)
{
    HWND hDlg = Create();
    ASSERT_NE(hDlg, nullptr);
    SendMessageW(hDlg, WM_CLOSE, 0, 0);
    EXPECT_EQ(Commands(), std::vector<WPARAM>({MAKEWPARAM(IDCANCEL, BN_CLICKED)}));
    EXPECT_TRUE(IsWindow(hDlg));
}

TEST_F(HeadlessDialog, DialogBoxRunsItsLoopUntilEndDialog)
{
    g_nEndWith = 7;
    int nIdleCalls = 0;
    HeadlessDriver::SetIdleHook([&] {
        ++nIdleCalls;
        HWND hDlg = GetActiveWindow();
        return hDlg != nullptr && HeadlessDriver::Click(hDlg, IDC_GO);
    });
    EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(IDD_TEST), nullptr, &TestDialogProc, 0), 7);
    EXPECT_GE(nIdleCalls, 1);
    EXPECT_EQ(Commands(), std::vector<WPARAM>({MAKEWPARAM(IDC_GO, BN_CLICKED)}));
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(HeadlessDriver::LiveGdiObjects(), m_nGdiBaseline);
}

TEST_F(HeadlessDialog, MissingTemplateFailsWithAReason)
{
    EXPECT_EQ(CreateDialogParamW(nullptr, MAKEINTRESOURCEW(999), nullptr, &TestDialogProc, 0), nullptr);
    EXPECT_FALSE(HeadlessDriver::LastDialogError().empty());
    EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(999), nullptr, &TestDialogProc, 0), -1);
}

TEST_F(HeadlessDialog, MessageBoxIsModalForItsOwnerWhileItIsShown)
{
    HWND hDlg = Create();
    ASSERT_NE(hDlg, nullptr);
    HWND hGo = GetDlgItem(hDlg, IDC_GO);
    ASSERT_TRUE(HeadlessDriver::PressMouse(hGo));
    ASSERT_EQ(GetCapture(), hGo);

    bool bOwnerEnabled = true;
    HWND hCaptureInBox = hGo;
    HWND hFocusInBox = hGo;
    HeadlessDriver::SetMessageBoxHook([&](const HeadlessDriver::MESSAGE_BOX& box) {
        bOwnerEnabled = IsWindowEnabled(box.hOwner) != 0;
        hCaptureInBox = GetCapture();
        hFocusInBox = GetFocus();
        return 0;
    });
    EXPECT_EQ(MessageBoxW(hDlg, L"zvlSxMove", L"Error", MB_OK | MB_ICONERROR), IDOK);
    EXPECT_FALSE(bOwnerEnabled);
    EXPECT_EQ(hCaptureInBox, nullptr);
    EXPECT_EQ(hFocusInBox, nullptr);
    EXPECT_TRUE(IsWindowEnabled(hDlg));
    EXPECT_EQ(GetActiveWindow(), hDlg);

    const auto aBoxes = HeadlessDriver::MessageBoxes();
    ASSERT_EQ(aBoxes.size(), 1u);
    EXPECT_EQ(aBoxes[0].hOwner, hDlg);
    EXPECT_EQ(aBoxes[0].strText, L"zvlSxMove");
    EXPECT_EQ(aBoxes[0].strCaption, L"Error");
    EXPECT_EQ(aBoxes[0].uType, static_cast<UINT>(MB_OK | MB_ICONERROR));
    // The press the box interrupted makes no click.
    ASSERT_TRUE(HeadlessDriver::ReleaseMouse(hGo));
    EXPECT_TRUE(Commands().empty());
    HeadlessDriver::ClearMessageBoxes();
    EXPECT_TRUE(HeadlessDriver::MessageBoxes().empty());
}

} // namespace
