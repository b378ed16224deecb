// The status monitor of the main window against the simulated axes: what
// each tick of the two timers shows for every node type.
#include <map>
#include <string>
#include <vector>

#include "framework/format.h"
#include "motion/motion_library.h"
#include "tests/support/dialog_fixture.h"

namespace {

const char TOPOLOGY[] =
    "board 0\n"
    "node 0 servo\n"
    "node 1 servo\n"
    "node 2 kestraline\n"
    "node 3 ktrb04 channels=0,1\n"
    "set 0 servo=1 unitdist=1 unitspeed=1 speedmode=1 workspeed=10000 accel=100000 decel=50000 limitplus=3000\n"
    "set 2.0 servo=1 unitdist=1 unitspeed=1 speedmode=1 workspeed=10000 accel=100000 decel=50000 limitplus=3000\n"
    "set 3.0 servo=1 reg.0x101=10000 reg.0x501=100000 reg.0x601=50000\n";

const int AXIS_SERVO = 0;
const int AXIS_SERVO_OFF = 1;
const int AXIS_KESTRALINE = 2;
const int AXIS_KTRB04 = 3;
const int AXIS_EMPTY = 9;

const DWORD STATUS_PERIOD_MS = 50;
const DWORD ALARM_PERIOD_MS = 1000;

// Lamp images by name: '-' off, 'R' red, 'G' green, 'B' blue, '.' the
// template's image (never set), one character per lamp ALM WARN RDY INP ORG
// (-)EL (+)EL servo.
class Monitor : public CDialogTest {
protected:
    void SetUp() override
    {
        CDialogTest::SetUp();
        OpenDialog(TOPOLOGY);
    }

    void Tick() { Advance(STATUS_PERIOD_MS); }
    // One timer message now, whatever the timers' phase.
    void Fire(UINT_PTR nTimer) { ::SendMessageW(Dlg(), WM_TIMER, nTimer, 0); }

    std::string Lamps() const
    {
        const std::map<HANDLE, char> mapImages = {
            { m_pDlg->m_bmpLampOff.GetSafeHandle(), '-' },
            { m_pDlg->m_bmpLampRed.GetSafeHandle(), 'R' },
            { m_pDlg->m_bmpLampGreen.GetSafeHandle(), 'G' },
            { m_pDlg->m_bmpLampBlue.GetSafeHandle(), 'B' },
        };
        std::string strLamps;
        for (int i = 0; i < LAMP_COUNT; ++i) {
            const auto it = mapImages.find(Control(IDC_LAMP_ALM + i).hImage);
            strLamps += it == mapImages.end() ? '.' : it->second;
        }
        return strLamps;
    }

    // Every control the monitor writes.
    std::vector<std::wstring> Snapshot() const
    {
        std::vector<std::wstring> astrState;
        for (int nId : { IDC_COMMAND_POSITION, IDC_FEEDBACK_POSITION, IDC_COMMAND_SPEED, IDC_FEEDBACK_SPEED,
                         IDC_MOTION_STATE, IDC_ALARM_TEXT, IDC_SERVO_ON, IDC_HOMING_STATE, IDC_HOME_SUCCESS })
            astrState.push_back(Text(nId));
        const std::string strLamps = Lamps();
        astrState.emplace_back(strLamps.begin(), strLamps.end());
        return astrState;
    }

    void JogPlus(DWORD nMs)
    {
        HeadlessDriver::PressMouse(Dlg(), IDC_MOVE_PLUS);
        HeadlessDriver::Pump();
        Advance(nMs);
    }

    void EndJog()
    {
        HeadlessDriver::ReleaseMouse(Dlg(), IDC_MOVE_PLUS);
        HeadlessDriver::Pump();
    }
};

TEST_F(Monitor, BothTimersRunOnceTheFirstAxisIsShown)
{
    EXPECT_EQ(2, HeadlessDriver::TimerCount(Dlg()));
    Tick();
    EXPECT_EQ(L"Stop", Text(IDC_MOTION_STATE));
    EXPECT_EQ(L"Servo ON", Text(IDC_SERVO_ON));
}

TEST_F(Monitor, ReadOutsFollowTheMovingAxisInTheirFormats)
{
    struct {
        int nAxis;
        bool bPulses;
        const wchar_t* pszMoving;
    } const aRows[] = {
        { AXIS_SERVO, false, L"In WorkSpeed" },
        { AXIS_KESTRALINE, false, L"In WorkSpeed" },
        { AXIS_KTRB04, true, L"Moving" },
    };
    for (const auto& row : aRows) {
        SelectNode(row.nAxis);
        JogPlus(150);
        Fire(0);
        const ZelvSimAxisState state = m_sim.State(0, row.nAxis, 0);
        ASSERT_TRUE(state.bMoving) << row.nAxis;
        ASSERT_GT(state.dCommandPos, state.dFeedbackPos) << row.nAxis;
        const auto Format = [&](double dValue) {
            return row.bPulses ? FormatText("%10d", static_cast<int>(dValue)) : FormatText("%10.3f", dValue);
        };
        EXPECT_EQ(Format(state.dCommandPos), Text(IDC_COMMAND_POSITION)) << row.nAxis;
        EXPECT_EQ(Format(state.dFeedbackPos), Text(IDC_FEEDBACK_POSITION)) << row.nAxis;
        EXPECT_EQ(Format(state.dCommandSpeed), Text(IDC_COMMAND_SPEED)) << row.nAxis;
        // The KTRB04-M2 node's feedback speed always reads 0.
        EXPECT_EQ(Format(row.bPulses ? 0.0 : state.dFeedbackSpeed), Text(IDC_FEEDBACK_SPEED)) << row.nAxis;
        EXPECT_EQ(row.pszMoving, Text(IDC_MOTION_STATE)) << row.nAxis;
        EndJog();
        Advance(2000);
    }
}

TEST_F(Monitor, LampsCaptionAndHomingShowTheNodeState)
{
    struct {
        const char* pszCase;
        int nAxis;
        void (*pfnSetUp)(const CSimClient& sim, int nAxis);
        const char* pszLamps;
        const wchar_t* pszCaption;
        const wchar_t* pszHoming;
    } const aRows[] = {
        { "servo on, in position", AXIS_SERVO, [](const CSimClient&, int) {}, "--GG---G", L"Servo ON", L"Stop" },
        { "servo warning", AXIS_SERVO,
          [](const CSimClient& sim, int nAxis) { sim.RaiseFault(0, nAxis, 0, ZELV_SIM_FAULT_WARNING); },
          "-BGG---G", L"Servo ON", L"Stop" },
        { "servo alarm", AXIS_SERVO,
          [](const CSimClient& sim, int nAxis) { sim.RaiseFault(0, nAxis, 0, ZELV_SIM_FAULT_ALARM, 0x21); },
          "R-GG---G", L"Servo ON", L"Stop" },
        { "servo off", AXIS_SERVO_OFF, [](const CSimClient&, int) {}, "---G----", L"Servo OFF", L"Stop" },
        { "pulse channel on", AXIS_KESTRALINE, [](const CSimClient&, int) {}, "-.GG---G", L"Servo ON", L"-" },
        { "pulse alarm", AXIS_KESTRALINE,
          [](const CSimClient& sim, int nAxis) { sim.RaiseFault(0, nAxis, 0, ZELV_SIM_FAULT_ALARM, 0x33); },
          "R.GG---G", L"Servo ON", L"-" },
        { "KTRB04 on", AXIS_KTRB04, [](const CSimClient&, int) {}, "--GG-..G", L"Servo ON", L"-" },
        { "KTRB04 warning", AXIS_KTRB04,
          [](const CSimClient& sim, int nAxis) { sim.RaiseFault(0, nAxis, 0, ZELV_SIM_FAULT_WARNING); },
          "-BGG-..G", L"Servo ON", L"-" },
        { "KTRB04 alarm", AXIS_KTRB04,
          [](const CSimClient& sim, int nAxis) { sim.RaiseFault(0, nAxis, 0, ZELV_SIM_FAULT_ALARM, 0x44); },
          "R-GG-..G", L"Servo ON", L"-" },
    };
    for (const auto& row : aRows) {
        OpenDialog(TOPOLOGY);
        SelectNode(row.nAxis);
        row.pfnSetUp(m_sim, row.nAxis);
        Tick();
        EXPECT_EQ(row.pszLamps, Lamps()) << row.pszCase;
        EXPECT_EQ(row.pszCaption, Text(IDC_SERVO_ON)) << row.pszCase;
        EXPECT_EQ(row.pszHoming, Text(IDC_HOMING_STATE)) << row.pszCase;
        EXPECT_EQ(L"FALSE", Text(IDC_HOME_SUCCESS)) << row.pszCase;
        ::DestroyWindow(Dlg());
    }
}

TEST_F(Monitor, ATravelLimitStopsTheJogAndLightsItsLamp)
{
    for (int nAxis : { AXIS_SERVO, AXIS_KESTRALINE }) {
        SelectNode(nAxis);
        JogPlus(1000);
        EXPECT_FALSE(m_sim.State(0, nAxis, 0).bMoving) << nAxis;
        EXPECT_EQ(L"Stop", Text(IDC_MOTION_STATE)) << nAxis;
        EXPECT_EQ('R', Lamps()[LAMP_PEL]) << nAxis;
        EXPECT_EQ('-', Lamps()[LAMP_NEL]) << nAxis;
        EndJog();
    }
}

TEST_F(Monitor, AFailedMotionStateReadShowsTheErrorAndTheLampsGoOn)
{
    struct {
        int nAxis;
        const char* pszCall;
    } const aRows[] = {
        { AXIS_SERVO, "StSxReadMotionState" },
        { AXIS_KESTRALINE, "PmStReadMotionState" },
    };
    for (const auto& row : aRows) {
        SelectNode(row.nAxis);
        Tick();
        ASSERT_EQ('-', Lamps()[LAMP_ALM]);
        m_sim.RaiseFault(0, row.nAxis, 0, ZELV_SIM_FAULT_ALARM, 0x10);
        m_sim.FailCall(row.pszCall, -3, 1);
        Tick();
        EXPECT_EQ(L"Motion Error : [-3]", Text(IDC_MOTION_STATE)) << row.pszCall;
        EXPECT_EQ('R', Lamps()[LAMP_ALM]) << row.pszCall;
        Tick();
        EXPECT_EQ(L"Stop", Text(IDC_MOTION_STATE)) << row.pszCall;
    }
}

TEST_F(Monitor, AFailedKtrb04StatusReadEndsTheTickEarly)
{
    SelectNode(AXIS_KTRB04);
    Tick();
    const std::string strLamps = Lamps();
    ASSERT_EQ("--GG-..G", strLamps);
    m_sim.RaiseFault(0, AXIS_KTRB04, 0, ZELV_SIM_FAULT_WARNING);
    m_sim.RaiseFault(0, AXIS_KTRB04, 0, ZELV_SIM_FAULT_STEP_OUT);
    m_sim.FailCall("AdvDataRW", -3, -1);
    SetDlgItemTextW(Dlg(), IDC_HOMING_STATE, L"untouched");
    Tick();
    m_sim.FailCall(nullptr, 0, 0);
    EXPECT_EQ(L"Motion Error : [-3]", Text(IDC_MOTION_STATE));
    EXPECT_EQ(strLamps, Lamps());
    EXPECT_EQ(L"Servo ON", Text(IDC_SERVO_ON));
    EXPECT_EQ(L"untouched", Text(IDC_HOMING_STATE));
    Tick();
    EXPECT_EQ(L"Axis StepOut", Text(IDC_MOTION_STATE));
    EXPECT_EQ('B', Lamps()[LAMP_WARN]);
    EXPECT_EQ(L"-", Text(IDC_HOMING_STATE));
}

TEST_F(Monitor, TheAlarmTextComesOnceASecond)
{
    struct {
        int nAxis;
        int nCode;
        const wchar_t* pszText;
    } const aRows[] = {
        { AXIS_SERVO, 0x1A5, L"Alarm : [a5]" },
        { AXIS_SERVO, 0, L"" },
        { AXIS_KTRB04, 0x1A5, L"Alarm : [a5]" },
        { AXIS_KTRB04, 0x07, L"Alarm : [07]" },
    };
    for (const auto& row : aRows) {
        OpenDialog(TOPOLOGY);
        SelectNode(row.nAxis);
        Advance(ALARM_PERIOD_MS);
        EXPECT_EQ(L"", Text(IDC_ALARM_TEXT));
        SetDlgItemTextW(Dlg(), IDC_ALARM_TEXT, L"before");
        m_sim.RaiseFault(0, row.nAxis, 0, ZELV_SIM_FAULT_ALARM, row.nCode);
        // The status timer leaves the alarm text alone.
        Fire(0);
        EXPECT_EQ(L"before", Text(IDC_ALARM_TEXT)) << row.nAxis;
        Fire(1);
        EXPECT_EQ(row.pszText, Text(IDC_ALARM_TEXT)) << row.nAxis << " " << row.nCode;
        // And the timer brings it by itself.
        SetDlgItemTextW(Dlg(), IDC_ALARM_TEXT, L"before");
        Advance(ALARM_PERIOD_MS);
        EXPECT_EQ(row.pszText, Text(IDC_ALARM_TEXT)) << row.nAxis << " " << row.nCode;
        ::DestroyWindow(Dlg());
    }
}

TEST_F(Monitor, APulseChannelKeepsTheAlarmTextOfTheAxisBefore)
{
    m_sim.RaiseFault(0, AXIS_SERVO, 0, ZELV_SIM_FAULT_ALARM, 0x1A5);
    Advance(ALARM_PERIOD_MS);
    ASSERT_EQ(L"Alarm : [a5]", Text(IDC_ALARM_TEXT));
    SelectNode(AXIS_KESTRALINE);
    m_sim.RaiseFault(0, AXIS_KESTRALINE, 0, ZELV_SIM_FAULT_ALARM, 0x22);
    Advance(3 * ALARM_PERIOD_MS);
    EXPECT_EQ(L"Alarm : [a5]", Text(IDC_ALARM_TEXT));
    EXPECT_EQ('R', Lamps()[LAMP_ALM]);
}

TEST_F(Monitor, AnEmptyAxisChangesNothing)
{
    SelectNode(AXIS_EMPTY);
    ASSERT_EQ(NODE_EMPTY, g_nNodeType);
    // Whatever the panel shows now stays, however long the timers run.
    SetDlgItemTextW(Dlg(), IDC_MOTION_STATE, L"kept");
    SetDlgItemTextW(Dlg(), IDC_ALARM_TEXT, L"kept too");
    m_sim.ClearTrace();
    const auto astrBefore = Snapshot();
    Advance(3 * ALARM_PERIOD_MS);
    EXPECT_EQ(astrBefore, Snapshot());
    EXPECT_TRUE(m_sim.Trace().empty());
}

TEST_F(Monitor, HomingAndHomeSuccessFollowAHomingRun)
{
    SelectNode(AXIS_SERVO);
    Tick();
    EXPECT_EQ(L"Stop", Text(IDC_HOMING_STATE));
    EXPECT_EQ(L"FALSE", Text(IDC_HOME_SUCCESS));
    // Started straight through the library: the read-outs must follow.
    ASSERT_EQ(0, MOTION_CALL(HomeMoveStart, 0, AXIS_SERVO));
    Tick();
    ASSERT_TRUE(m_sim.State(0, AXIS_SERVO, 0).bHoming);
    EXPECT_EQ(L"Homing", Text(IDC_HOMING_STATE));
    for (int i = 0; i < 1000 && m_sim.State(0, AXIS_SERVO, 0).bHoming; ++i)
        Tick();
    Tick();
    ASSERT_TRUE(m_sim.State(0, AXIS_SERVO, 0).bHomeSuccess);
    EXPECT_EQ(L"Stop", Text(IDC_HOMING_STATE));
    EXPECT_EQ(L"TRUE", Text(IDC_HOME_SUCCESS));
}

} // namespace
