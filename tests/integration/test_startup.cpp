// Start-up and teardown of the main window against the simulated boards.
#include <algorithm>
#include <string>

#include "motion/motion_library.h"
#include "tests/support/dialog_fixture.h"
#include "winapi/headless/kernel32.h"

namespace {

std::string Boards(int nCount)
{
    std::string strTopology;
    for (int i = 0; i < nCount; ++i)
        strTopology += "board " + std::to_string(i) + "\nnode 0 servo\n";
    return strTopology;
}

using Startup = CDialogTest;

TEST_F(Startup, ListsEveryBoardAndSelectsTheFirst)
{
    struct {
        int nBoards;
        std::vector<std::wstring> astrItems;
    } const aRows[] = {
        { 1, { L"Dev 0" } },
        { 3, { L"Dev 0", L"Dev 1", L"Dev 2" } },
    };
    for (const auto& row : aRows) {
        OpenDialog(Boards(row.nBoards).c_str());
        const auto device = Control(IDC_DEVICE);
        EXPECT_EQ(row.astrItems, device.aItems);
        EXPECT_EQ(0, device.nCurSel);
        EXPECT_EQ(0, Control(IDC_AXIS).nCurSel);
        EXPECT_EQ(0, Control(IDC_CHANNEL).nCurSel);
        EXPECT_EQ(WINDOW_TITLE, HeadlessDriver::ReadControl(Dlg()).strText);
        EXPECT_EQ(row.nBoards, m_pDlg->m_nDeviceCount);
        EXPECT_EQ(L"Jog (-)", Text(IDC_MOVE_MINUS));
        EXPECT_EQ(L"Jog (+)", Text(IDC_MOVE_PLUS));
        EXPECT_TRUE(HeadlessDriver::MessageBoxes().empty());
        ::DestroyWindow(Dlg());
    }
}

TEST_F(Startup, WithoutBoardsTheWindowShowsDefaultsAndRunsNoTimer)
{
    OpenDialog("# no boards\n");
    EXPECT_TRUE(::IsWindow(Dlg()));
    EXPECT_EQ(WINDOW_TITLE, HeadlessDriver::ReadControl(Dlg()).strText);
    EXPECT_TRUE(Control(IDC_DEVICE).aItems.empty());
    EXPECT_EQ(CB_ERR, Control(IDC_DEVICE).nCurSel);
    EXPECT_EQ(0, HeadlessDriver::TimerCount(Dlg()));
    EXPECT_EQ(NODE_TYPE_UNSET, g_nNodeType);
    const struct {
        int nId;
        const wchar_t* pszText;
    } aDefaults[] = {
        { IDC_DISTANCE, L"10000" }, { IDC_POSITION1, L"0" }, { IDC_POSITION2, L"10000" },
        { IDC_DELAY_TIME, L"500" }, { IDC_WORK_SPEED, L"0" }, { IDC_ACCEL, L"0" },
        { IDC_EZ_COUNT, L"0" }, { IDC_RING_MAX, L"0" }, { IDC_HOME_OFFSET, L"0" },
    };
    for (const auto& row : aDefaults)
        EXPECT_EQ(row.pszText, Text(row.nId)) << row.nId;
    EXPECT_TRUE(HeadlessDriver::MessageBoxes().empty());
}

TEST_F(Startup, AtMostSixteenBoardsAreListedAndEachItemKeepsItsDevice)
{
    OpenDialog(Boards(20).c_str());
    const auto device = Control(IDC_DEVICE);
    ASSERT_EQ(16u, device.aItems.size());
    EXPECT_EQ(16, m_pDlg->m_nDeviceCount);
    // Sorted: "Dev 10" comes before "Dev 2", and the item data tells which
    // board each item is.
    EXPECT_EQ(L"Dev 0", device.aItems[0]);
    EXPECT_EQ(L"Dev 1", device.aItems[1]);
    EXPECT_EQ(L"Dev 10", device.aItems[2]);
    for (size_t i = 0; i < device.aItems.size(); ++i)
        EXPECT_EQ(L"Dev " + std::to_wstring(device.aItemData[i]), device.aItems[i]);
}

TEST_F(Startup, EscapeAndEnterNeverCloseTheWindow)
{
    OpenDialog();
    ::SetFocus(HeadlessDriver::Control(Dlg(), IDC_DISTANCE));
    for (UINT nKey : { VK_ESCAPE, VK_RETURN }) {
        HeadlessDriver::PressKey(nKey);
        HeadlessDriver::Pump();
        EXPECT_TRUE(::IsWindow(Dlg())) << nKey;
    }
    ::SetFocus(Dlg());
    HeadlessDriver::PressKey(VK_ESCAPE);
    HeadlessDriver::Pump();
    EXPECT_TRUE(::IsWindow(Dlg()));
}

TEST_F(Startup, ClosingTheWindowUnloadsTheBoardsAndTheLibrary)
{
    OpenDialog();
    EXPECT_TRUE(m_sim.LibraryLoaded());
    m_sim.ClearTrace();
    CloseDialog();
    EXPECT_FALSE(::IsWindow(Dlg()));
    EXPECT_EQ(nullptr, m_pDlg->m_pKtrb04);
    EXPECT_LE(0, IndexOf(TraceCalls(), "GnUnloadDevice"));
    EXPECT_FALSE(m_sim.LibraryLoaded());
    EXPECT_FALSE(IsMotionLibraryLoaded());
}

TEST_F(Startup, WithoutBoardsClosingStillUnloadsTheLibrary)
{
    OpenDialog("# no boards\n");
    CloseDialog();
    EXPECT_LE(0, IndexOf(TraceCalls(), "GnUnloadDevice"));
    EXPECT_FALSE(IsMotionLibraryLoaded());
}

TEST_F(Startup, DraggingTheMinimisedWindowShowsTheIcon)
{
    OpenDialog();
    const LRESULT hIcon = ::SendMessageW(Dlg(), WM_QUERYDRAGICON, 0, 0);
    EXPECT_NE(0, hIcon);
    EXPECT_EQ(reinterpret_cast<LRESULT>(m_pDlg->m_hIcon), hIcon);
}

class StartupWithoutLibrary : public CDialogTest {
protected:
    void TearDown() override
    {
        CDialogTest::TearDown();
        HeadlessRedirectLibrary(L"ZelvREzid2.DLL", nullptr);
    }
};

TEST_F(StartupWithoutLibrary, AMissingLibraryIsReportedOnceAndLeavesNoBoards)
{
    HeadlessRedirectLibrary(L"ZelvREzid2.DLL", "/nonexistent/ZelvREzid2.so");
    OpenDialog();
    HeadlessDriver::Pump();
    const auto boxes = HeadlessDriver::MessageBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(L"The motion library ZelvREzid2.DLL could not be loaded.", boxes[0].strText);
    EXPECT_EQ(L"Error", boxes[0].strCaption);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR), boxes[0].uType);
    EXPECT_TRUE(Control(IDC_DEVICE).aItems.empty());
    EXPECT_EQ(0, HeadlessDriver::TimerCount(Dlg()));
    CloseDialog();
    EXPECT_EQ(1u, HeadlessDriver::MessageBoxes().size());
}

TEST_F(StartupWithoutLibrary, AMissingEntryPointIsNamedOnceAndNeverCalled)
{
    // A library that exports none of the names: every call fails, each
    // missing name is told once.
    HeadlessRedirectLibrary(L"ZelvREzid2.DLL", ZELV_FIXTURE_NO_EXPORTS);
    ResetMissingEntryPointNotices();
    OpenDialog();
    auto boxes = HeadlessDriver::MessageBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_NE(std::wstring::npos, boxes[0].strText.find(L"GnLoadDevice"));
    EXPECT_EQ(L"Error", boxes[0].strCaption);
    EXPECT_TRUE(Control(IDC_DEVICE).aItems.empty());
    CloseDialog();
    boxes = HeadlessDriver::MessageBoxes();
    ASSERT_EQ(2u, boxes.size());
    EXPECT_NE(std::wstring::npos, boxes[1].strText.find(L"GnUnloadDevice"));
}

} // namespace
