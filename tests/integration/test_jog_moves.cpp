// Jog, moves, stop and emergency stop of the main window, driven with the
// mouse on the headless window system against the simulated axes.
#include <algorithm>
#include <string>
#include <vector>

#include "framework/format.h"
#include "motion/did_ktrb04.h"
#include "tests/support/dialog_fixture.h"
#include "ui/dialog_messages.h"

namespace {

// Every moving axis with the servo on and round numbers: work speed 10000
// per second, reached in 0.1 s, stopped from it in 0.2 s.
const char TOPOLOGY[] =
    "board 0\n"
    "node 0 servo\n"
    "node 1 servo\n"
    "node 2 kestraline\n"
    "node 3 ktrb04 channels=0,1,2,3\n"
    "set 0 servo=1 unitdist=1 unitspeed=1 speedmode=1 workspeed=10000 accel=100000 decel=50000\n"
    "set 1 unitdist=1 unitspeed=1\n"
    "set 2.0 servo=1 unitdist=1 unitspeed=1 speedmode=1 workspeed=10000 accel=100000 decel=50000\n"
    "set 3.0 servo=1 reg.0x101=10000 reg.0x501=100000 reg.0x601=50000\n"
    "set 3.1 servo=1 reg.0x101=10000 reg.0x501=100000 reg.0x601=50000\n";

const int AXIS_SERVO = 0;
const int AXIS_SERVO_OFF = 1;
const int AXIS_KESTRALINE = 2;
const int AXIS_KTRB04 = 3;

class JogMoves : public CDialogTest {
protected:
    void SetUp() override
    {
        CDialogTest::SetUp();
        OpenDialog(TOPOLOGY);
    }

    void Mode(int nRadioId)
    {
        ASSERT_TRUE(HeadlessDriver::Click(Dlg(), nRadioId));
        HeadlessDriver::Pump();
    }

    void Type(int nId, const wchar_t* pszText) { ASSERT_TRUE(HeadlessDriver::TypeText(Dlg(), nId, pszText)); }

    void Press(int nId)
    {
        ASSERT_TRUE(HeadlessDriver::PressMouse(Dlg(), nId));
        HeadlessDriver::Pump();
    }

    void Release(int nId)
    {
        ASSERT_TRUE(HeadlessDriver::ReleaseMouse(Dlg(), nId));
        HeadlessDriver::Pump();
    }

    void ClickButton(int nId)
    {
        ASSERT_TRUE(HeadlessDriver::Click(Dlg(), nId));
        HeadlessDriver::Pump();
    }

    ZelvSimAxisState Axis(int nAxis, int nChannel = 0) const { return m_sim.State(0, nAxis, nChannel); }

    // Lets a move run out (well past its end) on the window's clock.
    void Settle() { Advance(3000); }
};

TEST_F(JogMoves, HoldingJogPlusRunsAtWorkSpeedUntilReleased)
{
    SelectNode(AXIS_SERVO);
    Press(IDC_MOVE_PLUS);
    Advance(500);
    const ZelvSimAxisState held = Axis(AXIS_SERVO);
    EXPECT_TRUE(held.bMoving);
    EXPECT_GT(held.dCommandPos, 1000.0);
    EXPECT_DOUBLE_EQ(10000.0, held.dCommandSpeed);
    EXPECT_EQ(L"In WorkSpeed", Text(IDC_MOTION_STATE));
    EXPECT_EQ(FormatText("%10.3f", held.dCommandPos), Text(IDC_COMMAND_POSITION));
    Advance(500);
    EXPECT_GT(Axis(AXIS_SERVO).dCommandPos, held.dCommandPos);

    Release(IDC_MOVE_PLUS);
    Settle();
    const ZelvSimAxisState stopped = Axis(AXIS_SERVO);
    EXPECT_FALSE(stopped.bMoving);
    EXPECT_EQ(L"Stop", Text(IDC_MOTION_STATE));
    Advance(1000);
    EXPECT_DOUBLE_EQ(stopped.dCommandPos, Axis(AXIS_SERVO).dCommandPos);
    EXPECT_DOUBLE_EQ(stopped.dCommandPos, Axis(AXIS_SERVO).dFeedbackPos);
    const auto calls = TraceCalls();
    EXPECT_EQ(1, CountOf(calls, "SxVMoveStart"));
    EXPECT_EQ(1, CountOf(calls, "SxStop"));
    EXPECT_TRUE(HeadlessDriver::MessageBoxes().empty());
}

TEST_F(JogMoves, JogMinusRunsBackwardsOnEveryNodeType)
{
    struct {
        int nAxis;
        int nChannel;
        const wchar_t* pszState;
    } const aRows[] = {
        { AXIS_SERVO, 0, L"In WorkSpeed" },
        { AXIS_KESTRALINE, 0, L"In WorkSpeed" },
        { AXIS_KTRB04, 0, L"Moving" },
    };
    for (const auto& row : aRows) {
        SelectNode(row.nAxis, row.nChannel);
        const double dStart = Axis(row.nAxis, row.nChannel).dCommandPos;
        Press(IDC_MOVE_MINUS);
        Advance(500);
        EXPECT_TRUE(Axis(row.nAxis, row.nChannel).bMoving) << row.nAxis;
        EXPECT_LT(Axis(row.nAxis, row.nChannel).dCommandPos, dStart - 1000.0) << row.nAxis;
        EXPECT_EQ(row.pszState, Text(IDC_MOTION_STATE)) << row.nAxis;
        Release(IDC_MOVE_MINUS);
        Settle();
        EXPECT_FALSE(Axis(row.nAxis, row.nChannel).bMoving) << row.nAxis;
        EXPECT_EQ(L"Stop", Text(IDC_MOTION_STATE)) << row.nAxis;
    }
    EXPECT_TRUE(HeadlessDriver::MessageBoxes().empty());
}

TEST_F(JogMoves, RelativeMoveOfTheDistanceAndBack)
{
    struct {
        int nAxis;
        const wchar_t* pszDistance;
        double dPlus; // where Move (+) ends from 0
    } const aRows[] = {
        { AXIS_SERVO, L"2500", 2500.0 },
        // Move (+) with -5 goes to -5; Move (-) then moves by +5.
        { AXIS_KESTRALINE, L"-5", -5.0 },
        // KTRB04-M2 takes whole pulses, truncated toward zero.
        { AXIS_KTRB04, L"1200.9", 1200.0 },
    };
    for (const auto& row : aRows) {
        SelectNode(row.nAxis);
        Mode(IDC_JOG_RELATIVE);
        Type(IDC_DISTANCE, row.pszDistance);
        m_sim.ClearTrace();
        Press(IDC_MOVE_PLUS);
        // Nothing moves on the press.
        EXPECT_FALSE(Axis(row.nAxis).bMoving) << row.nAxis;
        Release(IDC_MOVE_PLUS);
        Settle();
        EXPECT_DOUBLE_EQ(row.dPlus, Axis(row.nAxis).dCommandPos) << row.nAxis;
        EXPECT_DOUBLE_EQ(row.dPlus, Axis(row.nAxis).dFeedbackPos) << row.nAxis;
        ClickButton(IDC_MOVE_MINUS);
        Settle();
        EXPECT_DOUBLE_EQ(0.0, Axis(row.nAxis).dCommandPos) << row.nAxis;
        EXPECT_TRUE(Control(IDC_MOVE_PLUS).bEnabled);
        EXPECT_TRUE(Control(IDC_MOVE_MINUS).bEnabled);
        Mode(IDC_JOG_VELOCITY);
    }
    EXPECT_TRUE(HeadlessDriver::MessageBoxes().empty());
}

TEST_F(JogMoves, AbsoluteMovesShuttleBetweenPosition1AndPosition2)
{
    for (int nAxis : { AXIS_SERVO, AXIS_KESTRALINE, AXIS_KTRB04 }) {
        SelectNode(nAxis);
        Mode(IDC_JOG_ABSOLUTE);
        EXPECT_EQ(L"Position1", Text(IDC_MOVE_MINUS));
        EXPECT_EQ(L"Position2", Text(IDC_MOVE_PLUS));
        Type(IDC_POSITION1, L"-1500");
        Type(IDC_POSITION2, L"3000");
        for (int nRound = 0; nRound < 2; ++nRound) {
            ClickButton(IDC_MOVE_PLUS);
            Settle();
            EXPECT_DOUBLE_EQ(3000.0, Axis(nAxis).dCommandPos) << nAxis;
            // A second press on the same target goes nowhere.
            ClickButton(IDC_MOVE_PLUS);
            Settle();
            EXPECT_DOUBLE_EQ(3000.0, Axis(nAxis).dCommandPos) << nAxis;
            ClickButton(IDC_MOVE_MINUS);
            Settle();
            EXPECT_DOUBLE_EQ(-1500.0, Axis(nAxis).dCommandPos) << nAxis;
        }
        Mode(IDC_JOG_VELOCITY);
    }
    EXPECT_TRUE(HeadlessDriver::MessageBoxes().empty());
}

TEST_F(JogMoves, StopDeceleratesWhileEmergencyStopHaltsAtOnce)
{
    struct {
        int nAxis;
        int nButton;
        bool bDecelerates;
    } const aRows[] = {
        { AXIS_SERVO, IDC_STOP, true },
        { AXIS_SERVO, IDC_EMERGENCY_STOP, false },
        { AXIS_KESTRALINE, IDC_STOP, true },
        { AXIS_KESTRALINE, IDC_EMERGENCY_STOP, false },
        { AXIS_KTRB04, IDC_STOP, true },
        { AXIS_KTRB04, IDC_EMERGENCY_STOP, false },
    };
    for (const auto& row : aRows) {
        SelectNode(row.nAxis);
        Mode(IDC_JOG_RELATIVE);
        Type(IDC_DISTANCE, L"100000");
        ClickButton(IDC_MOVE_PLUS);
        Advance(500);
        const ZelvSimAxisState before = Axis(row.nAxis);
        ASSERT_TRUE(before.bMoving) << row.nAxis;
        m_pDlg->m_bStopRepeatTest = 0;
        ClickButton(row.nButton);
        EXPECT_EQ(1, m_pDlg->m_bStopRepeatTest);
        const ZelvSimAxisState after = Axis(row.nAxis);
        EXPECT_EQ(row.bDecelerates, after.bMoving != 0) << row.nAxis << " " << row.nButton;
        Settle();
        const ZelvSimAxisState stopped = Axis(row.nAxis);
        EXPECT_FALSE(stopped.bMoving);
        if (row.bDecelerates) {
            // From 10000 per second at 50000 per second squared: 1000 more.
            EXPECT_NEAR(before.dCommandPos + 1000.0, stopped.dCommandPos, 10.0) << row.nAxis;
        } else {
            EXPECT_DOUBLE_EQ(before.dCommandPos, stopped.dCommandPos) << row.nAxis;
        }
        EXPECT_LT(stopped.dCommandPos, 100000.0);
        EXPECT_TRUE(Control(row.nButton).bEnabled);
        // Back to the start for the next row.
        Mode(IDC_JOG_ABSOLUTE);
        Type(IDC_POSITION1, L"0");
        ClickButton(IDC_MOVE_MINUS);
        Settle();
        Mode(IDC_JOG_VELOCITY);
    }
    EXPECT_TRUE(HeadlessDriver::MessageBoxes().empty());
}

TEST_F(JogMoves, Ktrb04GroupMasterMovesItsMemberAndStartsOnlyItself)
{
    // Channel 1 first, so its command word selects entry 1 as well.
    SelectNode(AXIS_KTRB04, 1);
    SelectNode(AXIS_KTRB04, 0);
    CDidKtrb04& drv = *m_pDlg->m_pKtrb04;
    ASSERT_EQ(0, drv.SetGroupMaster(1, 0));
    ASSERT_EQ(1, drv.m_bGroupMaster[0]);
    Mode(IDC_JOG_RELATIVE);
    Type(IDC_DISTANCE, L"-2000");
    m_sim.ClearTrace();
    ClickButton(IDC_MOVE_PLUS);
    Settle();
    EXPECT_DOUBLE_EQ(-2000.0, Axis(AXIS_KTRB04, 0).dCommandPos);
    EXPECT_DOUBLE_EQ(-2000.0, Axis(AXIS_KTRB04, 1).dCommandPos);
    EXPECT_DOUBLE_EQ(0.0, Axis(AXIS_KTRB04, 2).dCommandPos);
    double dDistance = 0.0;
    ASSERT_EQ(0, m_sim.GetSetting(0, AXIS_KTRB04, 1, "reg.0x1", &dDistance));
    EXPECT_DOUBLE_EQ(-2000.0, dDistance);
    ASSERT_EQ(0, m_sim.GetSetting(0, AXIS_KTRB04, 2, "reg.0x1", &dDistance));
    EXPECT_DOUBLE_EQ(0.0, dDistance);

    // Released, the member stays where it is.
    ASSERT_EQ(0, drv.SetGroupMaster(1, -1));
    Mode(IDC_JOG_ABSOLUTE);
    Type(IDC_POSITION2, L"500");
    ClickButton(IDC_MOVE_PLUS);
    Settle();
    EXPECT_DOUBLE_EQ(500.0, Axis(AXIS_KTRB04, 0).dCommandPos);
    EXPECT_DOUBLE_EQ(-2000.0, Axis(AXIS_KTRB04, 1).dCommandPos);
    EXPECT_TRUE(HeadlessDriver::MessageBoxes().empty());
}

// One failing call and the box it must show, owned by the window, with the
// buttons it guards disabled while it is open.
struct FAILURE_ROW {
    int nAxis;
    int nMode;          // radio id
    int nButton;        // pressed and released
    const char* pszCall;
    int nError;
    int nCount;
    const wchar_t* pszText;
    std::vector<int> anDisabled;
};

TEST_F(JogMoves, FailedMoveAndStopCallsShowTheirErrorBox)
{
    const std::vector<int> directions = { IDC_MOVE_MINUS, IDC_MOVE_PLUS };
    const FAILURE_ROW aRows[] = {
        { AXIS_SERVO, IDC_JOG_RELATIVE, IDC_MOVE_PLUS, "SxMoveStart", 9009, 1, L"zvlSxMove", directions },
        { AXIS_SERVO, IDC_JOG_ABSOLUTE, IDC_MOVE_MINUS, "SxMoveToStart", 9009, 1, L"zvlSxMoveTo", directions },
        { AXIS_KESTRALINE, IDC_JOG_RELATIVE, IDC_MOVE_MINUS, "PmSxMoveStart", 9011, 1, L"zvlSxMove", directions },
        { AXIS_KESTRALINE, IDC_JOG_ABSOLUTE, IDC_MOVE_PLUS, "PmSxMoveToStart", 9011, 1, L"zvlSxMoveTo", directions },
        // The distance write fails first (and skips its acknowledge), then
        // the start bit: KTRB04-M2 absolute moves report as moves too.
        { AXIS_KTRB04, IDC_JOG_RELATIVE, IDC_MOVE_PLUS, "AdvDataRW", 9010, 2, L"zvlSxMove", directions },
        { AXIS_SERVO, IDC_JOG_VELOCITY, IDC_STOP, "SxStop", 7, 1, L"zvlSxStop : [7]", { IDC_STOP } },
        { AXIS_KESTRALINE, IDC_JOG_VELOCITY, IDC_STOP, "PmSxStop", 9003, 1, L"zvlSxStop : [9003]", { IDC_STOP } },
        { AXIS_SERVO, IDC_JOG_VELOCITY, IDC_EMERGENCY_STOP, "SxStopEmg", -4, 1, L"zvlSxStopEmg : [-4]", { IDC_EMERGENCY_STOP } },
        { AXIS_KESTRALINE, IDC_JOG_VELOCITY, IDC_EMERGENCY_STOP, "PmSxStopEmg", 12, 1, L"zvlSxStopEmg : [12]", { IDC_EMERGENCY_STOP } },
    };
    for (const auto& row : aRows) {
        SelectNode(row.nAxis);
        Mode(row.nMode);
        std::vector<bool> abEnabledWhileOpen;
        HeadlessDriver::SetMessageBoxHook([&](const HeadlessDriver::MESSAGE_BOX&) {
            for (int nId : row.anDisabled)
                abEnabledWhileOpen.push_back(Control(nId).bEnabled);
            return 0;
        });
        HeadlessDriver::ClearMessageBoxes();
        ASSERT_EQ(0, m_sim.FailCall(row.pszCall, row.nError, row.nCount));
        ClickButton(row.nButton);
        m_sim.FailCall(nullptr, 0, 0);
        const auto boxes = HeadlessDriver::MessageBoxes();
        ASSERT_EQ(1u, boxes.size()) << row.pszCall;
        EXPECT_EQ(row.pszText, boxes[0].strText);
        EXPECT_EQ(L"Error", boxes[0].strCaption);
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR), boxes[0].uType);
        EXPECT_EQ(Dlg(), boxes[0].hOwner);
        EXPECT_EQ(std::vector<bool>(row.anDisabled.size(), false), abEnabledWhileOpen) << row.pszCall;
        for (int nId : row.anDisabled)
            EXPECT_TRUE(Control(nId).bEnabled) << row.pszCall << " " << nId;
        HeadlessDriver::SetMessageBoxHook(nullptr);
        Settle();
    }
}

TEST_F(JogMoves, Ktrb04MoveStartsEvenWhenTheBoxIsShownAndClearsItsStartBit)
{
    SelectNode(AXIS_KTRB04);
    Mode(IDC_JOG_RELATIVE);
    Type(IDC_DISTANCE, L"700");
    ASSERT_EQ(0, m_sim.FailCall("AdvDataRW", 9010, 2));
    m_sim.ClearTrace();
    ClickButton(IDC_MOVE_PLUS);
    // The start bit was never seen; the clear after the box went out.
    EXPECT_EQ(0u, m_pDlg->m_pKtrb04->m_Build.Channel(0) & KTRB04_CMD_MOVE_START);
    Settle();
    EXPECT_DOUBLE_EQ(0.0, Axis(AXIS_KTRB04).dCommandPos);
    ASSERT_EQ(1u, HeadlessDriver::MessageBoxes().size());
}

TEST_F(JogMoves, AMoveWithTheServoOffIsReportedAndRaisesTheAlarm)
{
    SelectNode(AXIS_SERVO_OFF);
    Mode(IDC_JOG_RELATIVE);
    ClickButton(IDC_MOVE_PLUS);
    const auto boxes = HeadlessDriver::MessageBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(L"zvlSxMove", boxes[0].strText);
    EXPECT_TRUE(Axis(AXIS_SERVO_OFF).bAlarm);
    Advance(1000);
    EXPECT_EQ(L"Alarm : [a5]", Text(IDC_ALARM_TEXT));
}

TEST_F(JogMoves, StopAndEmergencyStopOnAnEmptyAxisSendNothingButEndTheRepeatTest)
{
    SelectNode(7);
    ASSERT_EQ(NODE_EMPTY, g_nNodeType);
    for (int nButton : { IDC_STOP, IDC_EMERGENCY_STOP }) {
        m_pDlg->m_bStopRepeatTest = 0;
        m_sim.ClearTrace();
        ClickButton(nButton);
        EXPECT_EQ(1, m_pDlg->m_bStopRepeatTest);
        EXPECT_TRUE(m_sim.Trace().empty()) << m_sim.Trace().front();
    }
    EXPECT_TRUE(HeadlessDriver::MessageBoxes().empty());
}

TEST_F(JogMoves, ClosingTheWindowDuringAMoveStopsItBeforeTheLibraryGoes)
{
    struct {
        int nAxis;
        const char* pszStop;
    } const aRows[] = {
        { AXIS_SERVO, "SxStopEmg" },
        { AXIS_KESTRALINE, "PmSxStopEmg" },
        { AXIS_KTRB04, "AdvDataRW" },
    };
    for (const auto& row : aRows) {
        OpenDialog(TOPOLOGY);
        SelectNode(row.nAxis);
        Press(IDC_MOVE_PLUS);
        Advance(300);
        ASSERT_TRUE(Axis(row.nAxis).bMoving);
        m_sim.ClearTrace();
        CloseDialog();
        EXPECT_FALSE(::IsWindow(Dlg()));
        EXPECT_FALSE(Axis(row.nAxis).bMoving) << row.nAxis;
        const auto calls = TraceCalls();
        const int nStop = IndexOf(calls, row.pszStop);
        const int nUnload = IndexOf(calls, "GnUnloadDevice");
        ASSERT_GE(nStop, 0) << row.nAxis;
        EXPECT_LT(nStop, nUnload) << row.nAxis;
        EXPECT_TRUE(HeadlessDriver::MessageBoxes().empty());
    }
}

// The capture-loss guard of the direction buttons.
using JogButton = JogMoves;

TEST_F(JogButton, AJogEndsWhenThePressIsTakenAway)
{
    struct {
        const char* pszHow;
        void (*pfnTakeAway)(HWND hDlg);
    } const aRows[] = {
        { "another application is activated", [](HWND) { HeadlessDriver::Deactivate(); } },
        { "a message box opens", [](HWND hDlg) { ::MessageBoxW(hDlg, L"Note", L"Note", MB_OK); } },
        { "the window is deactivated", [](HWND hDlg) { ::SendMessageW(hDlg, WM_ACTIVATE, WA_INACTIVE, 0); } },
        { "another window takes the capture", [](HWND hDlg) { ::SetCapture(HeadlessDriver::Control(hDlg, IDC_STOP)); ::ReleaseCapture(); } },
    };
    for (const auto& row : aRows) {
        for (int nAxis : { AXIS_SERVO, AXIS_KESTRALINE, AXIS_KTRB04 }) {
            SelectNode(nAxis);
            HeadlessDriver::Activate(Dlg());
            Press(IDC_MOVE_PLUS);
            Advance(300);
            ASSERT_TRUE(Axis(nAxis).bMoving) << row.pszHow << " " << nAxis;
            row.pfnTakeAway(Dlg());
            HeadlessDriver::Pump();
            Settle();
            EXPECT_FALSE(Axis(nAxis).bMoving) << row.pszHow << " " << nAxis;
            EXPECT_FALSE(m_pDlg->m_btnJogPlus.IsHeld());
            // The late release of that press does nothing more.
            m_sim.ClearTrace();
            HeadlessDriver::Activate(Dlg());
            Release(IDC_MOVE_PLUS);
            const auto calls = TraceCalls();
            EXPECT_EQ(0, CountOf(calls, "SxStop") + CountOf(calls, "PmSxStop")) << row.pszHow;
            EXPECT_FALSE(Axis(nAxis).bMoving);
        }
    }
}

TEST_F(JogButton, AMoveStartsOnlyOnARealRelease)
{
    SelectNode(AXIS_SERVO);
    Mode(IDC_JOG_RELATIVE);
    Press(IDC_MOVE_PLUS);
    HeadlessDriver::Deactivate();
    Settle();
    HeadlessDriver::Activate(Dlg());
    Release(IDC_MOVE_PLUS);
    Settle();
    EXPECT_DOUBLE_EQ(0.0, Axis(AXIS_SERVO).dCommandPos);
    EXPECT_EQ(0, CountOf(TraceCalls(), "SxMoveStart"));
    // A full press and release still moves.
    ClickButton(IDC_MOVE_PLUS);
    Settle();
    EXPECT_DOUBLE_EQ(10000.0, Axis(AXIS_SERVO).dCommandPos);
}

TEST_F(JogButton, TheSpaceBarPostsNothing)
{
    SelectNode(AXIS_SERVO);
    for (int nMode : { IDC_JOG_VELOCITY, IDC_JOG_RELATIVE }) {
        Mode(nMode);
        m_sim.ClearTrace();
        ::SetFocus(HeadlessDriver::Control(Dlg(), IDC_MOVE_PLUS));
        HeadlessDriver::PressKey(VK_SPACE);
        HeadlessDriver::Pump();
        Settle();
        const auto calls = TraceCalls();
        EXPECT_EQ(0, CountOf(calls, "SxVMoveStart") + CountOf(calls, "SxMoveStart") + CountOf(calls, "SxStop"));
        EXPECT_FALSE(Axis(AXIS_SERVO).bMoving);
    }
}

TEST_F(JogButton, ADoubleClickJogsTwiceAndMovesTwice)
{
    SelectNode(AXIS_SERVO);
    const HWND hPlus = HeadlessDriver::Control(Dlg(), IDC_MOVE_PLUS);
    const auto DoubleClick = [&] {
        HeadlessDriver::Click(hPlus);
        ::PostMessageW(hPlus, WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
        ::PostMessageW(hPlus, WM_LBUTTONUP, 0, 0);
        HeadlessDriver::Pump();
    };
    m_sim.ClearTrace();
    DoubleClick();
    const auto calls = TraceCalls();
    std::vector<std::string> astrJog;
    for (const auto& strCall : calls)
        if (strCall == "SxVMoveStart" || strCall == "SxStop")
            astrJog.push_back(strCall);
    EXPECT_EQ((std::vector<std::string>{ "SxVMoveStart", "SxStop", "SxVMoveStart", "SxStop" }), astrJog);
    Settle();

    Mode(IDC_JOG_RELATIVE);
    Type(IDC_DISTANCE, L"100");
    const double dStart = Axis(AXIS_SERVO).dCommandPos;
    m_sim.ClearTrace();
    DoubleClick();
    Settle();
    // The second start meets a moving axis or runs after the first.
    EXPECT_EQ(2, CountOf(TraceCalls(), "SxMoveStart"));
    EXPECT_GE(Axis(AXIS_SERVO).dCommandPos, dStart + 100.0);
}

} // namespace
