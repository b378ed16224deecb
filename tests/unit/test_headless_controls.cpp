// The system controls of the headless window system: combo boxes, buttons,
// edits and statics behave as their Win32 counterparts do.
#include "winapi/headless/driver.h"
#include "winapi/win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct NOTIFICATION {
    int nId;
    int nCode;
    HWND hCtl;
};

std::vector<NOTIFICATION> g_aNotifications;

LRESULT CALLBACK ParentProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_COMMAND)
        g_aNotifications.push_back({LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
    return DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

int CountNotifications(int nId, int nCode)
{
    int nCount = 0;
    for (const auto& n : g_aNotifications)
        if (n.nId == nId && n.nCode == nCode)
            ++nCount;
    return nCount;
}

class HeadlessControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        HeadlessDriver::Reset();
        g_aNotifications.clear();
        WNDCLASSW wc{};
        wc.lpfnWndProc = &ParentProc;
        wc.lpszClassName = L"TestParent";
        ASSERT_NE(RegisterClassW(&wc), 0);
        m_hParent = CreateWindowExW(0, L"TestParent", L"", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, nullptr,
                                    nullptr, nullptr, nullptr);
        ASSERT_NE(m_hParent, nullptr);
    }

    void TearDown() override { HeadlessDriver::Reset(); }

    HWND Child(const wchar_t* pszClass, DWORD dwStyle, int nId, const wchar_t* pszText = L"", int y = 10)
    {
        return CreateWindowExW(0, pszClass, pszText, WS_CHILD | WS_VISIBLE | dwStyle, 10, y, 80, 20, m_hParent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(nId)), nullptr, nullptr);
    }

    static LRESULT Add(HWND hCombo, const wchar_t* pszText)
    {
        return SendMessageW(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pszText));
    }

    static std::wstring ItemText(HWND hCombo, int nIndex)
    {
        wchar_t szText[64] = {0};
        SendMessageW(hCombo, CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(szText));
        return szText;
    }

    static std::wstring Text(HWND hWnd)
    {
        wchar_t szText[64] = {0};
        GetWindowTextW(hWnd, szText, 64);
        return szText;
    }

    HWND m_hParent = nullptr;
};

// ---------------------------------------------------------------------------
// Combo boxes

struct SORT_CASE {
    DWORD dwStyle;
    std::vector<const wchar_t*> aAdded;
    std::vector<LRESULT> aReturned;
    std::vector<std::wstring> aOrder;
};

TEST_F(HeadlessControls, ComboAddStringPlacesItemsAsWindowsDoes)
{
    const SORT_CASE aCases[] = {
        {CBS_DROPDOWNLIST | CBS_SORT, {L"Dev 2", L"Dev 10", L"Dev 1"}, {0, 0, 0}, {L"Dev 1", L"Dev 10", L"Dev 2"}},
        {CBS_DROPDOWNLIST, {L"Dev 2", L"Dev 10", L"Dev 1"}, {0, 1, 2}, {L"Dev 2", L"Dev 10", L"Dev 1"}},
        {CBS_DROPDOWN | CBS_SORT, {L"beta", L"Alpha", L"alpha2", L"ALPHA"}, {0, 0, 1, 1},
         {L"Alpha", L"ALPHA", L"alpha2", L"beta"}},
    };
    int nId = 100;
    for (const auto& test : aCases) {
        HWND hCombo = Child(L"COMBOBOX", test.dwStyle, ++nId);
        for (size_t i = 0; i < test.aAdded.size(); ++i)
            EXPECT_EQ(Add(hCombo, test.aAdded[i]), test.aReturned[i]) << "case " << nId << " item " << i;
        ASSERT_EQ(SendMessageW(hCombo, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(test.aOrder.size()));
        for (size_t i = 0; i < test.aOrder.size(); ++i)
            EXPECT_EQ(ItemText(hCombo, static_cast<int>(i)), test.aOrder[i]) << "case " << nId;
    }
}

TEST_F(HeadlessControls, ComboReportsErrorsWithCbErr)
{
    HWND hCombo = Child(L"COMBOBOX", CBS_DROPDOWNLIST, 100);
    EXPECT_EQ(SendMessageW(hCombo, CB_GETCURSEL, 0, 0), CB_ERR);
    Add(hCombo, L"a");
    Add(hCombo, L"b");
    struct {
        UINT nMessage;
        WPARAM wParam;
        LPARAM lParam;
    } const aCalls[] = {
        {CB_GETLBTEXTLEN, 2, 0},
        {CB_GETITEMDATA, 9, 0},
        {CB_SETITEMDATA, static_cast<WPARAM>(-1), 5},
        {CB_DELETESTRING, 2, 0},
        {CB_INSERTSTRING, 5, reinterpret_cast<LPARAM>(L"x")},
        {CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"none")},
        {CB_SETCURSEL, 2, 0},
        {CB_SETCURSEL, static_cast<WPARAM>(-1), 0},
    };
    for (const auto& call : aCalls) {
        SendMessageW(hCombo, CB_SETCURSEL, 1, 0);
        EXPECT_EQ(SendMessageW(hCombo, call.nMessage, call.wParam, call.lParam), CB_ERR) << std::hex << call.nMessage;
    }
    // A failed CB_SETCURSEL leaves no selection.
    EXPECT_EQ(SendMessageW(hCombo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(SendMessageW(hCombo, CB_GETCOUNT, 0, 0), 2);
}

TEST_F(HeadlessControls, ComboResetContentClearsItemsSelectionAndText)
{
    HWND hCombo = Child(L"COMBOBOX", CBS_DROPDOWNLIST, 100);
    Add(hCombo, L"0 : Constant");
    Add(hCombo, L"1 : Trapezoidal");
    EXPECT_EQ(SendMessageW(hCombo, CB_SETCURSEL, 1, 0), 1);
    EXPECT_EQ(Text(hCombo), L"1 : Trapezoidal");
    EXPECT_EQ(SendMessageW(hCombo, CB_RESETCONTENT, 0, 0), CB_OKAY);
    EXPECT_EQ(SendMessageW(hCombo, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageW(hCombo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(Text(hCombo), L"");
    Add(hCombo, L"again");
    EXPECT_EQ(SendMessageW(hCombo, CB_GETCURSEL, 0, 0), CB_ERR);
}

TEST_F(HeadlessControls, ComboItemDataAndSelectionFollowTheirItem)
{
    HWND hCombo = Child(L"COMBOBOX", CBS_DROPDOWNLIST | CBS_SORT, 100);
    SendMessageW(hCombo, CB_SETITEMDATA, static_cast<WPARAM>(Add(hCombo, L"Dev 2")), 2);
    SendMessageW(hCombo, CB_SETITEMDATA, static_cast<WPARAM>(Add(hCombo, L"Dev 3")), 3);
    SendMessageW(hCombo, CB_SETCURSEL, 1, 0); // Dev 3
    SendMessageW(hCombo, CB_SETITEMDATA, static_cast<WPARAM>(Add(hCombo, L"Dev 10")), 10);
    const LPARAM aExpected[] = {10, 2, 3};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(SendMessageW(hCombo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0), aExpected[i]);
    EXPECT_EQ(SendMessageW(hCombo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendMessageW(hCombo, CB_DELETESTRING, 0, 0), 2);
    EXPECT_EQ(SendMessageW(hCombo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageW(hCombo, CB_DELETESTRING, 1, 0), 1);
    EXPECT_EQ(SendMessageW(hCombo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(SendMessageW(hCombo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"dev 2")), 0);
}

TEST_F(HeadlessControls, ComboNotifiesOnlyTheOperatorsSelection)
{
    HWND hCombo = Child(L"COMBOBOX", CBS_DROPDOWNLIST, 100);
    Add(hCombo, L"0");
    Add(hCombo, L"1");
    SendMessageW(hCombo, CB_SETCURSEL, 1, 0);
    HeadlessDriver::Pump();
    EXPECT_EQ(CountNotifications(100, CBN_SELCHANGE), 0);

    ASSERT_TRUE(HeadlessDriver::SelectComboIndex(m_hParent, 100, 0));
    EXPECT_EQ(CountNotifications(100, CBN_SELCHANGE), 1);
    EXPECT_EQ(g_aNotifications.back().hCtl, hCombo);
    EXPECT_EQ(SendMessageW(hCombo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(GetFocus(), hCombo);

    ASSERT_TRUE(HeadlessDriver::SelectComboText(m_hParent, 100, L"1"));
    EXPECT_EQ(CountNotifications(100, CBN_SELCHANGE), 2);
    EXPECT_FALSE(HeadlessDriver::SelectComboIndex(m_hParent, 100, 2));
    EnableWindow(hCombo, FALSE);
    EXPECT_FALSE(HeadlessDriver::SelectComboIndex(m_hParent, 100, 0));
    EXPECT_EQ(CountNotifications(100, CBN_SELCHANGE), 2);
}

TEST_F(HeadlessControls, ComboTextIsTheEditOrTheSelectedItem)
{
    HWND hList = Child(L"COMBOBOX", CBS_DROPDOWNLIST, 100);
    HWND hDrop = Child(L"COMBOBOX", CBS_DROPDOWN, 101);
    for (HWND h : {hList, hDrop}) {
        Add(h, L"one");
        Add(h, L"two");
    }
    EXPECT_TRUE(SetWindowTextW(hList, L"two"));
    EXPECT_EQ(SendMessageW(hList, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageW(hList, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"three")), CB_ERR);
    EXPECT_EQ(Text(hList), L"two");

    EXPECT_TRUE(SetWindowTextW(hDrop, L"typed"));
    EXPECT_EQ(Text(hDrop), L"typed");
    SendMessageW(hDrop, CB_SETCURSEL, 0, 0);
    EXPECT_EQ(Text(hDrop), L"one");
    SendMessageW(hDrop, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(Text(hDrop), L"");
}

// ---------------------------------------------------------------------------
// Buttons

TEST_F(HeadlessControls, ButtonClickNotifiesItsParentOnceWhenEnabled)
{
    HWND hButton = Child(L"BUTTON", BS_PUSHBUTTON, 200, L"Go");
    SendMessageW(hButton, BM_CLICK, 0, 0);
    ASSERT_EQ(CountNotifications(200, BN_CLICKED), 1);
    EXPECT_EQ(g_aNotifications.back().hCtl, hButton);

    EXPECT_TRUE(HeadlessDriver::Click(m_hParent, 200));
    EXPECT_EQ(CountNotifications(200, BN_CLICKED), 2);

    EnableWindow(hButton, FALSE);
    EXPECT_FALSE(HeadlessDriver::Click(m_hParent, 200));
    SendMessageW(hButton, BM_CLICK, 0, 0);
    EXPECT_EQ(CountNotifications(200, BN_CLICKED), 2);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(HeadlessControls, AutoRadioChecksItselfAndClearsOnlyItsGroup)
{
    HWND aFirst[] = {Child(L"BUTTON", BS_AUTORADIOBUTTON | WS_GROUP, 301, L"", 10),
                     Child(L"BUTTON", BS_AUTORADIOBUTTON, 302, L"", 40),
                     Child(L"BUTTON", BS_AUTORADIOBUTTON, 303, L"", 70)};
    Child(L"STATIC", SS_LEFT | WS_GROUP, 304, L"label", 100);
    HWND aSecond[] = {Child(L"BUTTON", BS_AUTORADIOBUTTON, 305, L"", 130),
                      Child(L"BUTTON", BS_AUTORADIOBUTTON, 306, L"", 160)};
    SendMessageW(aFirst[0], BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(aSecond[1], BM_SETCHECK, BST_CHECKED, 0);

    struct {
        int nClicked;
        UINT aExpected[5];
    } const aSteps[] = {
        {302, {0, 1, 0, 0, 1}},
        {303, {0, 0, 1, 0, 1}},
        {305, {0, 0, 1, 1, 0}},
        {301, {1, 0, 0, 1, 0}},
    };
    const int aIds[] = {301, 302, 303, 305, 306};
    for (const auto& step : aSteps) {
        ASSERT_TRUE(HeadlessDriver::Click(m_hParent, step.nClicked));
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(IsDlgButtonChecked(m_hParent, aIds[i]), step.aExpected[i])
                << "after " << step.nClicked << ", button " << aIds[i];
        EXPECT_EQ(g_aNotifications.back().nId, step.nClicked);
        EXPECT_EQ(g_aNotifications.back().nCode, BN_CLICKED);
    }
    CheckRadioButton(m_hParent, 301, 303, 302);
    EXPECT_EQ(IsDlgButtonChecked(m_hParent, 301), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(m_hParent, 302), BST_CHECKED);
    // Push buttons have no check state.
    HWND hPush = Child(L"BUTTON", BS_PUSHBUTTON, 310);
    SendMessageW(hPush, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageW(hPush, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

std::vector<UINT> g_aSubclassed;
WNDPROC g_pfnButtonProc = nullptr;

LRESULT CALLBACK RecordingButtonProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_LBUTTONDOWN || nMessage == WM_LBUTTONUP || nMessage == WM_CAPTURECHANGED)
        g_aSubclassed.push_back(nMessage);
    return CallWindowProcW(g_pfnButtonProc, hWnd, nMessage, wParam, lParam);
}

TEST_F(HeadlessControls, SubclassedButtonSeesTheMouseBeforeTheClick)
{
    HWND hButton = Child(L"BUTTON", BS_PUSHBUTTON, 200, L"Jog");
    g_aSubclassed.clear();
    g_pfnButtonProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hButton, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingButtonProc)));
    ASSERT_NE(g_pfnButtonProc, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(hButton, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&RecordingButtonProc));

    ASSERT_TRUE(HeadlessDriver::PressMouse(m_hParent, 200));
    EXPECT_EQ(g_aSubclassed, std::vector<UINT>({WM_LBUTTONDOWN}));
    EXPECT_EQ(GetCapture(), hButton);
    EXPECT_EQ(CountNotifications(200, BN_CLICKED), 0);
    EXPECT_EQ(SendMessageW(hButton, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);

    ASSERT_TRUE(HeadlessDriver::ReleaseMouse(m_hParent, 200));
    EXPECT_EQ(g_aSubclassed, std::vector<UINT>({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_CAPTURECHANGED}));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(CountNotifications(200, BN_CLICKED), 1);

    g_aSubclassed.clear();
    SendMessageW(hButton, BM_CLICK, 0, 0);
    EXPECT_EQ(g_aSubclassed, std::vector<UINT>({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_CAPTURECHANGED}));
    EXPECT_EQ(CountNotifications(200, BN_CLICKED), 2);
}

std::vector<std::pair<UINT, LPARAM>> g_aCaptureLog;

LRESULT CALLBACK CaptureLoggingProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_CAPTURECHANGED || nMessage == WM_KILLFOCUS || nMessage == WM_CANCELMODE)
        g_aCaptureLog.emplace_back(nMessage, lParam);
    return CallWindowProcW(g_pfnButtonProc, hWnd, nMessage, wParam, lParam);
}

TEST_F(HeadlessControls, LosingTheCaptureCancelsThePendingClick)
{
    HWND hButton = Child(L"BUTTON", BS_PUSHBUTTON, 200, L"Jog");
    HWND hOther = Child(L"BUTTON", BS_PUSHBUTTON, 201, L"Other", 50);
    g_aCaptureLog.clear();
    g_pfnButtonProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hButton, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CaptureLoggingProc)));

    // Another window taking the capture tells the button who took it.
    ASSERT_TRUE(HeadlessDriver::PressMouse(hButton));
    EXPECT_EQ(SetCapture(hOther), hButton);
    ASSERT_EQ(g_aCaptureLog.size(), 1u);
    EXPECT_EQ(g_aCaptureLog[0], std::make_pair(static_cast<UINT>(WM_CAPTURECHANGED), reinterpret_cast<LPARAM>(hOther)));
    ReleaseCapture();
    ASSERT_TRUE(HeadlessDriver::ReleaseMouse(hButton));
    EXPECT_EQ(CountNotifications(200, BN_CLICKED), 0);

    // Deactivation: cancel mode, capture released, focus taken.
    g_aCaptureLog.clear();
    ASSERT_TRUE(HeadlessDriver::PressMouse(hButton));
    HeadlessDriver::Deactivate();
    const std::vector<std::pair<UINT, LPARAM>> aExpected = {
        {WM_CANCELMODE, 0}, {WM_CAPTURECHANGED, 0}, {WM_KILLFOCUS, 0}};
    EXPECT_EQ(g_aCaptureLog, aExpected);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    ASSERT_TRUE(HeadlessDriver::ReleaseMouse(hButton));
    EXPECT_EQ(CountNotifications(200, BN_CLICKED), 0);
}

// ---------------------------------------------------------------------------
// Edits and statics

TEST_F(HeadlessControls, EditTextChangesNotifyAndRespectTheLimit)
{
    HWND hEdit = Child(L"EDIT", ES_AUTOHSCROLL | WS_BORDER, 400);
    ASSERT_TRUE(HeadlessDriver::TypeText(m_hParent, 400, L"10000"));
    EXPECT_EQ(Text(hEdit), L"10000");
    EXPECT_EQ(GetWindowTextLengthW(hEdit), 5);
    EXPECT_EQ(CountNotifications(400, EN_CHANGE), 1);
    EXPECT_EQ(GetFocus(), hEdit);

    SendMessageW(hEdit, EM_LIMITTEXT, 6, 0);
    SendMessageW(hEdit, EM_SETSEL, 5, 5);
    for (wchar_t ch : std::wstring(L"12"))
        SendMessageW(hEdit, WM_CHAR, ch, 0);
    EXPECT_EQ(Text(hEdit), L"100001");
    EXPECT_EQ(CountNotifications(400, EN_CHANGE), 2);

    SendMessageW(hEdit, EM_SETSEL, 0, -1);
    SendMessageW(hEdit, WM_CHAR, L'7', 0);
    EXPECT_EQ(Text(hEdit), L"7");
    wchar_t szText[8] = {0};
    EXPECT_EQ(GetDlgItemTextW(m_hParent, 400, szText, 8), 1u);
}

TEST_F(HeadlessControls, StaticSetImageReturnsThePreviousImage)
{
    HWND hLamp = Child(L"STATIC", SS_BITMAP, 500);
    const int nBaseline = HeadlessDriver::LiveGdiObjects();
    HBITMAP hOff = CreateBitmap(56, 51, 1, 32, nullptr);
    HBITMAP hOn = CreateBitmap(56, 51, 1, 32, nullptr);
    EXPECT_EQ(SendMessageW(hLamp, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hOff)), 0);
    EXPECT_EQ(SendMessageW(hLamp, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hOn)),
              reinterpret_cast<LRESULT>(hOff));
    EXPECT_EQ(SendMessageW(hLamp, STM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(hOn));
    EXPECT_EQ(HeadlessDriver::ReadControl(hLamp).hImage, hOn);
    RECT rc;
    GetClientRect(hLamp, &rc);
    EXPECT_EQ(rc.right, 56);
    EXPECT_EQ(rc.bottom, 51);
    // The images stay the program's: destroying the static leaves them alive.
    DestroyWindow(hLamp);
    EXPECT_EQ(HeadlessDriver::LiveGdiObjects(), nBaseline + 2);
    EXPECT_TRUE(DeleteObject(hOff));
    EXPECT_TRUE(DeleteObject(hOn));
    EXPECT_EQ(HeadlessDriver::LiveGdiObjects(), nBaseline);
}

} // namespace
