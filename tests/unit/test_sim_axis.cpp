// Servo and I/O Kestraline axes of the simulator through the library's entry
// points: stored settings, moves on the clock, stops, limits, homing, alarms,
// status bits and motion states.
#include "sim/sim_entry_points.h"
#include "tests/support/sim_client.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace {

// Status bits of StReadMioStatuses and PmStReadMIOStatus.
enum {
    SV_INP = 1 << 0,
    SV_WARN = 1 << 4,
    SV_ALM = 1 << 5,
    SV_RDY = 1 << 6,
    SV_NEL = 1 << 8,
    SV_PEL = 1 << 9,
    SV_ORG = 1 << 10,
    PM_RDY = 1 << 0,
    PM_ALM = 1 << 1,
    PM_NEL = 1 << 2,
    PM_PEL = 1 << 3,
    PM_ORG = 1 << 4,
    PM_INP = 1 << 9
};

class SimAxis : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_sim.IsLoaded()) << m_sim.LoadError();
        ASSERT_EQ(0, m_sim.UseVirtualClock(true));
        ASSERT_EQ(0, m_sim.Reset());
    }

    void TearDown() override { m_sim.UseVirtualClock(false); }

    // One servo (axis 0) and one Kestraline (axis 1) with plain units.
    void UsePlainAxes(const std::string& strExtra = "")
    {
        ASSERT_EQ(0, m_sim.Reset(("board 0\n"
                                  "node 0 servo\n"
                                  "set 0 unitdist=1 unitspeed=1 speedmode=1 workspeed=1000 accel=4000 decel=2000 initspeed=0 endspeed=0 servo=1\n"
                                  "node 1 kestraline\n"
                                  "set 1.0 unitdist=1 unitspeed=1 speedmode=1 workspeed=1000 accel=4000 decel=2000 servo=1\n"
                                  "set 1.1 servo=1\n"
                                  + strExtra)
                                     .c_str()))
            << m_sim.TopologyError();
    }

    double Position(int nWhich, int nAxis = 0)
    {
        double dValue = NAN;
        EXPECT_EQ(0, StGetPosition(0, nAxis, nWhich, &dValue));
        return dValue;
    }

    double Speed(int nWhich, int nAxis = 0)
    {
        double dValue = NAN;
        EXPECT_EQ(0, StGetSpeed(0, nAxis, nWhich, &dValue));
        return dValue;
    }

    int State()
    {
        int nState = -1;
        EXPECT_EQ(0, StSxReadMotionState(0, 0, &nState));
        return nState;
    }

    int ServoBits(int nAxis = 0)
    {
        int nBits = 0;
        EXPECT_EQ(0, StReadMioStatuses(0, nAxis, &nBits));
        return nBits;
    }

    int PmBits(int nChannel)
    {
        int nBits = 0;
        EXPECT_EQ(0, PmStReadMIOStatus(0, 1, nChannel, &nBits));
        return nBits;
    }

    bool Done()
    {
        int nDone = -1;
        EXPECT_EQ(0, SxIsDone(0, 0, &nDone));
        return nDone == 1;
    }

    // Advance in steps until the servo is done; the states seen on the way.
    std::vector<int> RunToDone(int nStepMs = 10, int nMaxSteps = 10000)
    {
        std::vector<int> anStates;
        for (int i = 0; i < nMaxSteps && !Done(); ++i) {
            const int nState = State();
            if (anStates.empty() || anStates.back() != nState)
                anStates.push_back(nState);
            m_sim.AdvanceMs(nStepMs);
        }
        return anStates;
    }

    CSimClient m_sim;
};

// ---- Stored settings -----------------------------------------------------

TEST_F(SimAxis, DefaultsDifferBetweenAxesAndChannels)
{
    double adUnit[4] = {};
    double adWork[4] = {};
    int anMode[4] = {};
    double dDummy = 0.0;
    ASSERT_EQ(0, CfgGetUnitDist(0, 0, &adUnit[0]));
    ASSERT_EQ(0, CfgGetUnitDist(0, 1, &adUnit[1]));
    ASSERT_EQ(0, PmCfgGetUnitDist(0, 2, 0, &adUnit[2]));
    ASSERT_EQ(0, PmCfgGetUnitDist(0, 2, 1, &adUnit[3]));
    ASSERT_EQ(0, CfgGetSpeedPattern(0, 0, &anMode[0], &adWork[0], &dDummy, &dDummy, &dDummy, &dDummy));
    ASSERT_EQ(0, CfgGetSpeedPattern(0, 1, &anMode[1], &adWork[1], &dDummy, &dDummy, &dDummy, &dDummy));
    ASSERT_EQ(0, PmCfgGetSpeedPattern(0, 2, 0, &anMode[2], &adWork[2], &dDummy, &dDummy));
    ASSERT_EQ(0, PmCfgGetSpeedPattern(0, 2, 1, &anMode[3], &adWork[3], &dDummy, &dDummy));
    EXPECT_DOUBLE_EQ(1.0, adUnit[0]);
    EXPECT_DOUBLE_EQ(2.5, adUnit[1]);
    EXPECT_EQ(4u, std::set<double>(adUnit, adUnit + 4).size());
    EXPECT_EQ(4u, std::set<double>(adWork, adWork + 4).size());
    EXPECT_NE(anMode[0], anMode[1]);
    // Servo parameter 0x50B of servo 1 holds the (-) limit disable value.
    int nParam = 0;
    ASSERT_EQ(0, ServoParamRead(0, 1, 0x50B, 2, &nParam));
    EXPECT_EQ(0x8888, nParam);
    ASSERT_EQ(0, ServoParamRead(0, 0, 0x50B, 2, &nParam));
    EXPECT_EQ(0, nParam);
    // Kestraline home modes are ones the channel knows, and differ.
    int anHome[2] = {-1, -1};
    for (int c = 0; c < 2; ++c) {
        int nDir = 0, nEz = 0, nEscape = 0;
        double dOffset = 0.0;
        ASSERT_EQ(0, PmHomeGetConfig(0, 2, c, &anHome[c], &nDir, &nEz, &nEscape, &dOffset));
        EXPECT_TRUE(std::set<int>({0, 1, 2, 6, 7}).count(anHome[c])) << anHome[c];
    }
    EXPECT_NE(anHome[0], anHome[1]);
}

TEST_F(SimAxis, ServoSettingsRoundTrip)
{
    ASSERT_EQ(0, CfgSetUnitDist(0, 1, 0.75));
    ASSERT_EQ(0, CfgSetUnitSpeed(0, 1, 3.5));
    ASSERT_EQ(0, CfgSetSpeedPattern(0, 1, 2, 1500.0, 111.0, 222.0, 33.0, 44.0));
    ASSERT_EQ(0, HomeSetConfig(0, 1, 0, 3));
    ASSERT_EQ(0, HomeSetConfig(0, 1, 1, 1));
    ASSERT_EQ(0, HomeSetOffset(0, 1, -12.5));
    for (int p = 0; p < 3; ++p)
        ASSERT_EQ(0, HomeSetSpeedPattern(0, 1, p, p, 100.0 + p, 200.0 + p, 300.0 + p));
    for (int nProperty : {0, 1, 2, 3, 4, 6})
        ASSERT_EQ(0, CfgSetMioProperty(0, 1, nProperty, nProperty == 6 ? 2 : nProperty % 2));

    double dValue = 0.0;
    ASSERT_EQ(0, CfgGetUnitDist(0, 1, &dValue));
    EXPECT_DOUBLE_EQ(0.75, dValue);
    ASSERT_EQ(0, CfgGetUnitSpeed(0, 1, &dValue));
    EXPECT_DOUBLE_EQ(3.5, dValue);
    int nMode = -1;
    double ad[5] = {};
    ASSERT_EQ(0, CfgGetSpeedPattern(0, 1, &nMode, &ad[0], &ad[1], &ad[2], &ad[3], &ad[4]));
    EXPECT_EQ(2, nMode);
    EXPECT_EQ((std::vector<double>{1500.0, 111.0, 222.0, 33.0, 44.0}), std::vector<double>(ad, ad + 5));
    int nValue = 0;
    ASSERT_EQ(0, HomeGetConfig(0, 1, 0, &nValue));
    EXPECT_EQ(3, nValue);
    ASSERT_EQ(0, HomeGetConfig(0, 1, 1, &nValue));
    EXPECT_EQ(1, nValue);
    ASSERT_EQ(0, HomeGetOffset(0, 1, &dValue));
    EXPECT_DOUBLE_EQ(-12.5, dValue);
    for (int p = 0; p < 3; ++p) {
        double dWork = 0, dAccel = 0, dDecel = 0;
        ASSERT_EQ(0, HomeGetSpeedPattern(0, 1, p, &nMode, &dWork, &dAccel, &dDecel));
        EXPECT_EQ(p, nMode);
        EXPECT_DOUBLE_EQ(100.0 + p, dWork);
        EXPECT_DOUBLE_EQ(200.0 + p, dAccel);
        EXPECT_DOUBLE_EQ(300.0 + p, dDecel);
    }
    for (int nProperty : {0, 1, 2, 3, 4, 6}) {
        ASSERT_EQ(0, CfgGetMioProperty(0, 1, nProperty, &nValue));
        EXPECT_EQ(nProperty == 6 ? 2 : nProperty % 2, nValue) << "property " << nProperty;
    }
    ASSERT_EQ(0, CfgGetUnitDist(0, 0, &dValue));
    EXPECT_DOUBLE_EQ(1.0, dValue) << "the other servo keeps its settings";
}

TEST_F(SimAxis, InvalidSettingsAreRefusedAndKeepTheOldValue)
{
    double dValue = 0.0;
    int nValue = 0;
    double dDummy = 0.0;
    EXPECT_EQ(ZELV_SIM_E_ARGUMENT, CfgSetUnitDist(0, 0, 0.0));
    EXPECT_EQ(ZELV_SIM_E_ARGUMENT, CfgSetSpeedPattern(0, 0, -1, 1.0, 1.0, 1.0, 0.0, 0.0));
    EXPECT_EQ(ZELV_SIM_E_ARGUMENT, CfgGetMioProperty(0, 0, 16, &nValue));
    EXPECT_EQ(ZELV_SIM_E_ARGUMENT, HomeSetSpeedPattern(0, 0, 3, 0, 1.0, 1.0, 1.0));
    EXPECT_EQ(ZELV_SIM_E_ARGUMENT, PmHomeSetConfig(0, 2, 0, 3, 0, 0, 0, 0.0));
    EXPECT_EQ(ZELV_SIM_E_ARGUMENT, PmCfgSetOutMode(0, 2, 0, 6));
    EXPECT_EQ(ZELV_SIM_E_NODE_TYPE, PmCfgGetUnitDist(0, 0, 0, &dValue)) << "Pm call on a servo";
    EXPECT_EQ(ZELV_SIM_E_NODE_TYPE, CfgGetUnitDist(0, 2, &dValue)) << "servo call on a Kestraline";
    EXPECT_EQ(ZELV_SIM_E_CHANNEL, PmCfgGetUnitDist(0, 2, 2, &dValue));
    EXPECT_EQ(ZELV_SIM_E_NO_NODE, CfgGetUnitDist(0, 9, &dValue));
    EXPECT_EQ(ZELV_SIM_E_NO_DEVICE, CfgGetUnitDist(3, 0, &dValue));
    ASSERT_EQ(0, CfgGetUnitDist(0, 0, &dValue));
    EXPECT_DOUBLE_EQ(1.0, dValue);
    ASSERT_EQ(0, CfgGetSpeedPattern(0, 0, &nValue, &dDummy, &dDummy, &dDummy, &dDummy, &dDummy));
    EXPECT_NE(-1, nValue);
}

TEST_F(SimAxis, ServoParametersTakeEffectWhenValidated)
{
    int nValue = 0x8881;
    ASSERT_EQ(0, ServoParamSet(0, 0, 0x50A, 2, &nValue));
    int nRead = -1;
    ASSERT_EQ(0, ServoParamRead(0, 0, 0x50A, 2, &nRead));
    EXPECT_EQ(0, nRead) << "staged only";
    EXPECT_EQ(ZELV_SIM_E_ARGUMENT, ServoParamValidate(0, 0, 1));
    ASSERT_EQ(0, ServoParamValidate(0, 0, 0));
    ASSERT_EQ(0, ServoParamRead(0, 0, 0x50A, 2, &nRead));
    EXPECT_EQ(0x8881, nRead);
    EXPECT_EQ(ZELV_SIM_E_ARGUMENT, ServoParamRead(0, 0, 0x50A, 3, &nRead));
}

TEST_F(SimAxis, KestralineSettingsRoundTripPerChannel)
{
    ASSERT_EQ(0, PmCfgSetUnitDist(0, 2, 1, 0.2));
    ASSERT_EQ(0, PmCfgSetUnitSpeed(0, 2, 1, 5.0));
    ASSERT_EQ(0, PmCfgSetSpeedPattern(0, 2, 1, 0, 321.0, 654.0, 987.0));
    ASSERT_EQ(0, PmHomeSetConfig(0, 2, 1, 6, 1, 2, 150, -3.25));
    ASSERT_EQ(0, PmHomeSetPosClrMode(0, 2, 1, 2));
    ASSERT_EQ(0, PmHomeSetSpeedPattern(0, 2, 1, 1, 11.0, 22.0, 33.0, 44.0));
    ASSERT_EQ(0, PmCfgSetOutMode(0, 2, 1, 5));
    ASSERT_EQ(0, PmCfgSetInMode(0, 2, 1, 3, 0));
    for (int nProperty : {4, 13, 8, 10, 0, 5, 9, 1})
        ASSERT_EQ(0, PmCfgSetMioProperty(0, 2, 1, nProperty, nProperty % 3 == 0 ? 1 : 0));

    double dValue = 0.0;
    ASSERT_EQ(0, PmCfgGetUnitDist(0, 2, 1, &dValue));
    EXPECT_DOUBLE_EQ(0.2, dValue);
    ASSERT_EQ(0, PmCfgGetUnitSpeed(0, 2, 1, &dValue));
    EXPECT_DOUBLE_EQ(5.0, dValue);
    int nMode = -1;
    double dWork = 0, dAccel = 0, dDecel = 0, dReverse = 0;
    ASSERT_EQ(0, PmCfgGetSpeedPattern(0, 2, 1, &nMode, &dWork, &dAccel, &dDecel));
    EXPECT_EQ(0, nMode);
    EXPECT_EQ((std::vector<double>{321.0, 654.0, 987.0}), (std::vector<double>{dWork, dAccel, dDecel}));
    int nDir = 0, nEz = 0, nEscape = 0;
    double dOffset = 0.0;
    ASSERT_EQ(0, PmHomeGetConfig(0, 2, 1, &nMode, &nDir, &nEz, &nEscape, &dOffset));
    EXPECT_EQ((std::vector<int>{6, 1, 2, 150}), (std::vector<int>{nMode, nDir, nEz, nEscape}));
    EXPECT_DOUBLE_EQ(-3.25, dOffset);
    ASSERT_EQ(0, PmHomeGetPosClrMode(0, 2, 1, &nMode));
    EXPECT_EQ(2, nMode);
    ASSERT_EQ(0, PmHomeGetSpeedPattern(0, 2, 1, &nMode, &dWork, &dAccel, &dDecel, &dReverse));
    EXPECT_EQ(1, nMode);
    EXPECT_EQ((std::vector<double>{11.0, 22.0, 33.0, 44.0}), (std::vector<double>{dWork, dAccel, dDecel, dReverse}));
    ASSERT_EQ(0, PmCfgGetOutMode(0, 2, 1, &nMode));
    EXPECT_EQ(5, nMode);
    int nExtra = -1;
    ASSERT_EQ(0, PmCfgGetInMode(0, 2, 1, &nMode, &nExtra));
    EXPECT_EQ(3, nMode);
    EXPECT_EQ(0, nExtra);
    for (int nProperty : {4, 13, 8, 10, 0, 5, 9, 1}) {
        int nValue = -1;
        ASSERT_EQ(0, PmCfgGetMioProperty(0, 2, 1, nProperty, &nValue));
        EXPECT_EQ(nProperty % 3 == 0 ? 1 : 0, nValue) << "property " << nProperty;
    }
    ASSERT_EQ(0, PmCfgGetUnitDist(0, 2, 0, &dValue));
    EXPECT_NE(0.2, dValue) << "channel 0 keeps its own";
}

TEST_F(SimAxis, TopologySetsEveryStoredSetting)
{
    ASSERT_EQ(0, m_sim.Reset("board 0\nnode 0 servo\n"
                             "set 0 home.2.work=42 homecfg.0=3 mio.6=2 param.0x50A=0x8881 homeoffset=-4\n"))
        << m_sim.TopologyError();
    double dWork = 0, dAccel = 0, dDecel = 0;
    int nMode = 0;
    ASSERT_EQ(0, HomeGetSpeedPattern(0, 0, 2, &nMode, &dWork, &dAccel, &dDecel));
    EXPECT_DOUBLE_EQ(42.0, dWork);
    int nValue = 0;
    ASSERT_EQ(0, HomeGetConfig(0, 0, 0, &nValue));
    EXPECT_EQ(3, nValue);
    ASSERT_EQ(0, CfgGetMioProperty(0, 0, 6, &nValue));
    EXPECT_EQ(2, nValue);
    ASSERT_EQ(0, ServoParamRead(0, 0, 0x50A, 2, &nValue));
    EXPECT_EQ(0x8881, nValue);
    EXPECT_DOUBLE_EQ(-4.0, m_sim.Setting(0, 0, 0, "homeoffset"));
}

// ---- Motion --------------------------------------------------------------

struct PatternCase {
    int nMode;
    std::vector<int> anStates; // motion states seen on the way
};

class SimAxisPattern : public SimAxis, public ::testing::WithParamInterface<PatternCase> {};

TEST_P(SimAxisPattern, RelativeAndAbsoluteMovesReachTheirTargetExactly)
{
    UsePlainAxes();
    const PatternCase& c = GetParam();
    ASSERT_EQ(0, CfgSetSpeedPattern(0, 0, c.nMode, 1000.0, 4000.0, 2000.0, 0.0, 0.0));
    ASSERT_EQ(0, SxMoveStart(0, 0, 1234.5));
    EXPECT_FALSE(Done());
    EXPECT_EQ(c.anStates, RunToDone());
    EXPECT_EQ(1234.5, Position(0));
    m_sim.AdvanceMs(100);
    EXPECT_EQ(1234.5, Position(1)) << "feedback settles on the command";
    EXPECT_EQ(0, State());
    EXPECT_TRUE(ServoBits() & SV_INP);
    ASSERT_EQ(0, SxMoveToStart(0, 0, -300.25));
    RunToDone();
    EXPECT_EQ(-300.25, Position(0));
}

INSTANTIATE_TEST_SUITE_P(Modes, SimAxisPattern,
                         ::testing::Values(PatternCase{0, {2}}, PatternCase{1, {1, 2, 3}}, PatternCase{2, {1, 2, 3}}),
                         [](const ::testing::TestParamInfo<PatternCase>& info) { return std::string("Mode") + std::to_string(info.param.nMode); });

TEST_F(SimAxis, UnitsScaleDistanceAndSpeed)
{
    UsePlainAxes();
    ASSERT_EQ(0, CfgSetUnitDist(0, 0, 2.5));
    ASSERT_EQ(0, CfgSetUnitSpeed(0, 0, 2.0));
    ASSERT_EQ(0, CfgSetSpeedPattern(0, 0, 0, 100.0, 0.0, 0.0, 0.0, 0.0));
    ASSERT_EQ(0, SxMoveStart(0, 0, 1000.0));
    m_sim.AdvanceMs(1000);
    // 100 units/s times unit speed 2 = 200 units/s = 80 pulses/s.
    EXPECT_DOUBLE_EQ(200.0, Position(0));
    EXPECT_DOUBLE_EQ(100.0, Speed(0));
    EXPECT_DOUBLE_EQ(80.0, m_sim.State(0, 0).dMachinePulses);
    RunToDone();
    EXPECT_DOUBLE_EQ(1000.0, Position(0));
    EXPECT_DOUBLE_EQ(400.0, m_sim.State(0, 0).dMachinePulses);
}

TEST_F(SimAxis, JogRunsAtWorkSpeedUntilStopped)
{
    UsePlainAxes();
    ASSERT_EQ(0, SxVMoveStart(0, 0, 0));
    m_sim.AdvanceMs(2000);
    EXPECT_DOUBLE_EQ(-1000.0, Speed(0));
    EXPECT_EQ(2, State());
    EXPECT_EQ(ZELV_SIM_E_BUSY, SxMoveStart(0, 0, 10.0));
    const double dAtStop = Position(0);
    ASSERT_EQ(0, SxStop(0, 0));
    m_sim.AdvanceMs(100);
    EXPECT_EQ(3, State());
    EXPECT_FALSE(Done());
    RunToDone();
    // 1000 pulses/s down at 2000 pulses/s^2: 250 pulses.
    EXPECT_NEAR(dAtStop - 250.0, Position(0), 1e-6);
    EXPECT_EQ(ZELV_SIM_E_ARGUMENT, SxVMoveStart(0, 0, 2));
}

TEST_F(SimAxis, EmergencyStopHaltsAtOnce)
{
    UsePlainAxes();
    ASSERT_EQ(0, SxVMoveStart(0, 0, 1));
    m_sim.AdvanceMs(1500);
    const double dAtStop = Position(0);
    ASSERT_EQ(0, SxStopEmg(0, 0));
    EXPECT_TRUE(Done());
    EXPECT_EQ(0.0, Speed(0));
    m_sim.AdvanceMs(1000);
    EXPECT_EQ(dAtStop, Position(0));
    EXPECT_EQ(dAtStop, Position(1));
}

TEST_F(SimAxis, FeedbackLagsBehindTheCommandThenSettles)
{
    UsePlainAxes("set 0 lag=50\n");
    ASSERT_EQ(0, SxVMoveStart(0, 0, 1));
    m_sim.AdvanceMs(1000);
    EXPECT_LT(Position(1), Position(0));
    EXPECT_NEAR(Position(0) - 50.0, Position(1), 1e-6) << "50 ms at 1000 pulses/s";
    EXPECT_FALSE(ServoBits() & SV_INP);
    ASSERT_EQ(0, SxStopEmg(0, 0));
    EXPECT_NE(Position(0), Position(1));
    m_sim.AdvanceMs(50);
    EXPECT_EQ(Position(0), Position(1));
    EXPECT_TRUE(ServoBits() & SV_INP);
}

TEST_F(SimAxis, TravelLimitStopsTheAxisAndRefusesFurtherTravel)
{
    UsePlainAxes("set 0 limitplus=600 limitminus=-400\n");
    ASSERT_EQ(0, SxVMoveStart(0, 0, 1));
    m_sim.AdvanceMs(3000);
    EXPECT_TRUE(Done());
    EXPECT_EQ(600.0, Position(0));
    EXPECT_TRUE(ServoBits() & SV_PEL);
    EXPECT_FALSE(ServoBits() & SV_NEL);
    EXPECT_EQ(ZELV_SIM_E_LIMIT, SxVMoveStart(0, 0, 1));
    EXPECT_EQ(ZELV_SIM_E_LIMIT, SxMoveStart(0, 0, 5.0));
    ASSERT_EQ(0, SxMoveStart(0, 0, -2000.0)) << "away from the limit";
    RunToDone();
    EXPECT_EQ(-400.0, Position(0));
    EXPECT_TRUE(ServoBits() & SV_NEL);
    EXPECT_FALSE(ServoBits() & SV_INP) << "stopped short of its target";
}

TEST_F(SimAxis, DisabledLimitInputIsPassed)
{
    UsePlainAxes("set 0 limitplus=600 param.0x50A=0x8881\n");
    ASSERT_EQ(0, SxMoveStart(0, 0, 1000.0));
    RunToDone();
    EXPECT_EQ(1000.0, Position(0));
    EXPECT_FALSE(ServoBits() & SV_PEL);
}

TEST_F(SimAxis, MoveWithServoOffRaisesAnAlarm)
{
    UsePlainAxes();
    ASSERT_EQ(0, GnSetServoOn(0, 0, 0));
    int nOn = -1;
    ASSERT_EQ(0, GnGetServoOn(0, 0, &nOn));
    EXPECT_EQ(0, nOn);
    EXPECT_FALSE(ServoBits() & SV_RDY);
    EXPECT_EQ(ZELV_SIM_E_SERVO_OFF, SxMoveStart(0, 0, 10.0));
    EXPECT_TRUE(ServoBits() & SV_ALM);
    int nCode = 0;
    ASSERT_EQ(0, GnGetAlarmCode(0, 0, &nCode));
    EXPECT_EQ(ZELV_SIM_ALARM_SERVO_OFF_MOVE, nCode);
    ASSERT_EQ(0, GnSetServoOn(0, 0, 1));
    EXPECT_EQ(ZELV_SIM_E_ALARM, SxMoveStart(0, 0, 10.0)) << "until the alarm is reset";
    ASSERT_EQ(0, GnSetAlarmRes(0, 0));
    EXPECT_EQ(0, ServoBits() & SV_ALM);
    EXPECT_TRUE(ServoBits() & SV_RDY);
    EXPECT_EQ(0, SxMoveStart(0, 0, 10.0));
}

TEST_F(SimAxis, ServoOffStopsAMovingAxis)
{
    UsePlainAxes();
    ASSERT_EQ(0, SxVMoveStart(0, 0, 1));
    m_sim.AdvanceMs(500);
    const double dAtOff = Position(0);
    ASSERT_EQ(0, GnSetServoOn(0, 0, 0));
    EXPECT_TRUE(Done());
    ASSERT_EQ(0, m_sim.SetSetting(0, 0, 0, "servo", 1.0));
    ASSERT_EQ(0, SxVMoveStart(0, 0, 1));
    m_sim.AdvanceMs(500);
    ASSERT_EQ(0, m_sim.SetSetting(0, 0, 0, "servo", 0.0));
    EXPECT_TRUE(Done());
    EXPECT_GT(Position(0), dAtOff);
    m_sim.AdvanceMs(500);
    EXPECT_EQ(0.0, Speed(0));
}

TEST_F(SimAxis, ServoHomingRunsToOriginAndZeroesPosition)
{
    UsePlainAxes("set 0 origin=-2000 homeoffset=0 homecfg.0=1 home.0.mode=1 home.0.work=500 home.0.accel=5000 home.0.decel=5000\n");
    int nBusy = -1;
    int nSuccess = -1;
    ASSERT_EQ(0, HomeMoveStart(0, 0));
    ASSERT_EQ(0, HomeIsBusy(0, 0, &nBusy));
    EXPECT_EQ(1, nBusy);
    ASSERT_EQ(0, HomeGetSuccess(0, 0, &nSuccess));
    EXPECT_EQ(0, nSuccess);
    m_sim.AdvanceMs(6000);
    ASSERT_EQ(0, HomeIsBusy(0, 0, &nBusy));
    EXPECT_EQ(0, nBusy);
    ASSERT_EQ(0, HomeGetSuccess(0, 0, &nSuccess));
    EXPECT_EQ(1, nSuccess);
    EXPECT_EQ(0.0, Position(0));
    EXPECT_DOUBLE_EQ(-2000.0, m_sim.State(0, 0).dMachinePulses);
    EXPECT_TRUE(ServoBits() & SV_ORG);
    // Homing again where the axis already stands succeeds at once.
    ASSERT_EQ(0, HomeMoveStart(0, 0));
    ASSERT_EQ(0, HomeGetSuccess(0, 0, &nSuccess));
    EXPECT_EQ(1, nSuccess);
}

TEST_F(SimAxis, PositionsCanBeSetAndWrapOnTheRingCounter)
{
    UsePlainAxes();
    ASSERT_EQ(0, StSetPosition(0, 0, 0, 100.0));
    ASSERT_EQ(0, StSetPosition(0, 0, 1, 100.0));
    EXPECT_EQ(100.0, Position(0));
    EXPECT_EQ(100.0, Position(1));
    ASSERT_EQ(0, CfgSetRingCntr(0, 0, 1, 0, 360));
    ASSERT_EQ(0, SxMoveToStart(0, 0, 300.0));
    RunToDone();
    ASSERT_EQ(0, SxMoveStart(0, 0, 100.0));
    RunToDone();
    EXPECT_DOUBLE_EQ(40.0, Position(0));
    ASSERT_EQ(0, CfgSetRingCntr(0, 0, 0, 0, 360));
    EXPECT_DOUBLE_EQ(400.0, Position(0));
    EXPECT_EQ(ZELV_SIM_E_ARGUMENT, CfgSetRingCntr(0, 0, 1, 10, 10));
}

TEST_F(SimAxis, AbsoluteModeAndHomeAreKept)
{
    UsePlainAxes();
    ASSERT_EQ(0, SxMoveStart(0, 0, 250.0));
    RunToDone();
    ASSERT_EQ(0, GnSetABSMode(0, 0, 1));
    EXPECT_EQ(1, m_sim.State(0, 0).nAbsMode);
    ASSERT_EQ(0, GnSetABSHome(0, 0));
    EXPECT_EQ(0.0, Position(0));
    ASSERT_EQ(0, GnABSUpdate(0));
    EXPECT_EQ(1, m_sim.State(0, 0).nAbsUpdates);
    EXPECT_EQ(ZELV_SIM_E_ARGUMENT, GnSetABSMode(0, 0, 2));
}

TEST_F(SimAxis, KestralineChannelsMoveIndependentlyWithTheirStates)
{
    UsePlainAxes();
    ASSERT_EQ(0, PmSxMoveStart(0, 1, 0, 2000.0));
    int nState = -1;
    int nDone = -1;
    std::vector<int> anStates;
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(0, PmSxIsDone(0, 1, 0, &nDone));
        if (nDone)
            break;
        ASSERT_EQ(0, PmStReadMotionState(0, 1, 0, &nState));
        if (anStates.empty() || anStates.back() != nState)
            anStates.push_back(nState);
        m_sim.AdvanceMs(10);
    }
    EXPECT_EQ((std::vector<int>{11, 12, 13}), anStates);
    ASSERT_EQ(0, PmStReadMotionState(0, 1, 0, &nState));
    EXPECT_EQ(0, nState);
    double dPos = 0.0;
    ASSERT_EQ(0, PmStGetPosition(0, 1, 0, 0, &dPos));
    EXPECT_EQ(2000.0, dPos);
    ASSERT_EQ(0, PmStGetPosition(0, 1, 1, 0, &dPos));
    EXPECT_EQ(0.0, dPos) << "channel 1 did not move";
    m_sim.AdvanceMs(100);
    EXPECT_EQ(PM_RDY | PM_INP, PmBits(0) & (PM_RDY | PM_INP | PM_ALM));
}

TEST_F(SimAxis, KestralineJogStopAndEmergencyStop)
{
    UsePlainAxes();
    ASSERT_EQ(0, PmSxVMoveStart(0, 1, 0, 1));
    m_sim.AdvanceMs(1000);
    double dSpeed = 0.0;
    ASSERT_EQ(0, PmStGetSpeed(0, 1, 0, 0, &dSpeed));
    EXPECT_DOUBLE_EQ(1000.0, dSpeed);
    ASSERT_EQ(0, PmSxStop(0, 1, 0, 0));
    int nDone = 1;
    ASSERT_EQ(0, PmSxIsDone(0, 1, 0, &nDone));
    EXPECT_EQ(0, nDone) << "decelerating";
    ASSERT_EQ(0, PmSxStopEmg(0, 1, 0));
    ASSERT_EQ(0, PmSxIsDone(0, 1, 0, &nDone));
    EXPECT_EQ(1, nDone);
}

TEST_F(SimAxis, KestralineAlarmResetAndServo)
{
    UsePlainAxes();
    ASSERT_EQ(0, PmGnSetServoOn(0, 1, 1, 0));
    int nOn = -1;
    ASSERT_EQ(0, PmGnGetServoOn(0, 1, 1, &nOn));
    EXPECT_EQ(0, nOn);
    EXPECT_EQ(ZELV_SIM_E_SERVO_OFF, PmSxMoveStart(0, 1, 1, 5.0));
    EXPECT_TRUE(PmBits(1) & PM_ALM);
    EXPECT_FALSE(PmBits(1) & PM_RDY);
    EXPECT_FALSE(PmBits(0) & PM_ALM);
    ASSERT_EQ(0, PmGnAlarmReset(0, 1, 1, 1));
    ASSERT_EQ(0, PmGnAlarmReset(0, 1, 1, 0));
    EXPECT_FALSE(PmBits(1) & PM_ALM);
}

TEST_F(SimAxis, KestralineHomingInLimitModeEndsAtTheLimit)
{
    UsePlainAxes("set 1.0 limitminus=-800 homeoffset=0\n");
    ASSERT_EQ(0, PmHomeSetConfig(0, 1, 0, 6, 0, 0, 0, 0.0));
    ASSERT_EQ(0, PmHomeSetSpeedPattern(0, 1, 0, 1, 400.0, 4000.0, 4000.0, 100.0));
    ASSERT_EQ(0, PmHomeMoveStart(0, 1, 0));
    int nSuccess = -1;
    ASSERT_EQ(0, PmHomeGetSuccess(0, 1, 0, &nSuccess));
    EXPECT_EQ(0, nSuccess);
    m_sim.AdvanceMs(5000);
    ASSERT_EQ(0, PmHomeGetSuccess(0, 1, 0, &nSuccess));
    EXPECT_EQ(1, nSuccess);
    EXPECT_DOUBLE_EQ(-800.0, m_sim.State(0, 1, 0).dMachinePulses);
    EXPECT_TRUE(PmBits(0) & PM_NEL);
    double dPos = 1.0;
    ASSERT_EQ(0, PmStGetPosition(0, 1, 0, 0, &dPos));
    EXPECT_EQ(0.0, dPos);
}

} // namespace
