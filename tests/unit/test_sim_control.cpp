// The simulator's test controls: injected call failures, the call trace,
// the virtual clock and calls from two threads at once.
#include "sim/sim_entry_points.h"
#include "tests/support/sim_client.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

class SimControl : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_sim.IsLoaded()) << m_sim.LoadError();
        ASSERT_EQ(0, m_sim.UseVirtualClock(true));
        ASSERT_EQ(0, m_sim.Reset());
    }

    void TearDown() override { m_sim.UseVirtualClock(false); }

    CSimClient m_sim;
};

TEST_F(SimControl, FailedCallReturnsErrorForItsCountAndLeavesOutValues)
{
    ASSERT_EQ(0, m_sim.FailCall("CfgGetUnitDist", -12, 2));
    double dUnit = -1.0;
    EXPECT_EQ(-12, CfgGetUnitDist(0, 0, &dUnit));
    EXPECT_EQ(-12, CfgGetUnitDist(0, 1, &dUnit));
    EXPECT_DOUBLE_EQ(-1.0, dUnit);
    EXPECT_EQ(0, CfgGetUnitDist(0, 0, &dUnit));
    EXPECT_DOUBLE_EQ(1.0, dUnit);
    double dOther = 0.0;
    EXPECT_EQ(0, CfgGetUnitSpeed(0, 0, &dOther)) << "other entry points are not affected";
}

TEST_F(SimControl, FailAlwaysUntilCleared)
{
    ASSERT_EQ(0, m_sim.FailCall("StSxReadMotionState", -3, -1));
    int nState = 77;
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(-3, StSxReadMotionState(0, 0, &nState));
    EXPECT_EQ(77, nState);
    ASSERT_EQ(0, m_sim.FailCall("StSxReadMotionState", 0, 0));
    EXPECT_EQ(0, StSxReadMotionState(0, 0, &nState));
    EXPECT_EQ(0, nState);
}

TEST_F(SimControl, ResetClearsFaults)
{
    ASSERT_EQ(0, m_sim.FailCall("GnGetAxisMap", 5, -1));
    ASSERT_EQ(0, m_sim.Reset());
    int nMap = 0;
    EXPECT_EQ(0, GnGetAxisMap(0, &nMap));
}

TEST_F(SimControl, TraceRecordsNamesAndArguments)
{
    m_sim.ClearTrace();
    int nOn = 0;
    GnSetServoOn(0, 1, 1);
    GnGetServoOn(0, 1, &nOn);
    SxMoveStart(0, 1, -12.5);
    PmSxStop(0, 2, 1, 0);
    unsigned char acFrame[MOTION_KTRB04_FRAME_SIZE] = {};
    unsigned char acResponse[MOTION_KTRB04_FRAME_SIZE] = {};
    acFrame[20] = 0x00;
    acFrame[21] = 0x5C; // request, write 0x1C00
    AdvDataRW(0, 29, 0, acFrame, acResponse);
    const std::vector<std::string> astrExpected = {
        "GnSetServoOn(0,1,1)",
        "GnGetServoOn(0,1,&)",
        "SxMoveStart(0,1,-12.5)",
        "PmSxStop(0,2,1,0)",
        "AdvDataRW(0,29,0,0000000000000000000000000000000000000000005C00000000,&)",
    };
    EXPECT_EQ(astrExpected, m_sim.Trace());
    m_sim.ClearTrace();
    EXPECT_TRUE(m_sim.Trace().empty());
}

TEST_F(SimControl, FailedCallsAreTracedToo)
{
    m_sim.ClearTrace();
    m_sim.FailCall("GnResetComm", 4, 1);
    EXPECT_EQ(4, GnResetComm(1));
    EXPECT_EQ((std::vector<std::string>{"GnResetComm(1)"}), m_sim.Trace());
    EXPECT_EQ(0, m_sim.State(1, 0).nCommResets) << "a failed call does not act";
    EXPECT_EQ(0, GnResetComm(1));
    EXPECT_EQ(1, m_sim.State(1, 0).nCommResets);
}

TEST_F(SimControl, VirtualClockMovesOnlyWhenAdvanced)
{
    EXPECT_DOUBLE_EQ(0.0, m_sim.TimeMs()) << "a reset starts the time at 0";
    ASSERT_EQ(0, m_sim.AdvanceMs(250));
    EXPECT_DOUBLE_EQ(250.0, m_sim.TimeMs());
    EXPECT_EQ(ZELV_SIM_E_ARGUMENT, m_sim.AdvanceMs(-1));
    EXPECT_DOUBLE_EQ(250.0, m_sim.TimeMs());
    ASSERT_EQ(0, m_sim.UseVirtualClock(false));
    EXPECT_GE(m_sim.TimeMs(), 250.0) << "real time goes on from the virtual time";
}

TEST_F(SimControl, RaisedFaultsShowUntilAlarmReset)
{
    ASSERT_EQ(0, m_sim.RaiseFault(0, 0, 0, ZELV_SIM_FAULT_ALARM, 0x42));
    ASSERT_EQ(0, m_sim.RaiseFault(0, 0, 0, ZELV_SIM_FAULT_WARNING));
    int nBits = 0;
    int nCode = 0;
    ASSERT_EQ(0, StReadMioStatuses(0, 0, &nBits));
    EXPECT_TRUE(nBits & (1 << 5)) << "ALM";
    EXPECT_TRUE(nBits & (1 << 4)) << "WARN";
    ASSERT_EQ(0, GnGetAlarmCode(0, 0, &nCode));
    EXPECT_EQ(0x42, nCode);
    ASSERT_EQ(0, GnSetAlarmRes(0, 0));
    ASSERT_EQ(0, StReadMioStatuses(0, 0, &nBits));
    EXPECT_FALSE(nBits & ((1 << 5) | (1 << 4)));
    EXPECT_EQ(ZELV_SIM_E_ARGUMENT, m_sim.RaiseFault(0, 0, 0, 9));
    EXPECT_EQ(ZELV_SIM_E_CHANNEL, m_sim.RaiseFault(0, 4, 1, ZELV_SIM_FAULT_ALARM, 1));
}

TEST_F(SimControl, MoveStopsShortForItsCount)
{
    ASSERT_EQ(0, m_sim.Reset("board 0\nnode 0 servo\nset 0 unitdist=2 unitspeed=1 speedmode=0 workspeed=1000 servo=1\n"));
    ASSERT_EQ(0, m_sim.StopShort(0, 0, 0, 3.0, 1));
    ASSERT_EQ(0, SxMoveStart(0, 0, 100.0));
    m_sim.AdvanceMs(1000);
    EXPECT_DOUBLE_EQ(97.0, m_sim.State(0, 0).dCommandPos);
    EXPECT_FALSE(m_sim.State(0, 0).bInPosition);
    ASSERT_EQ(0, SxMoveStart(0, 0, 100.0));
    m_sim.AdvanceMs(1000);
    EXPECT_DOUBLE_EQ(197.0, m_sim.State(0, 0).dCommandPos);
    EXPECT_TRUE(m_sim.State(0, 0).bInPosition);
}

// Two threads call the library as the tool's UI thread and repeat test do;
// the sanitizers check that the model is never touched unlocked.
TEST_F(SimControl, TwoThreadsCallConcurrently)
{
    ASSERT_EQ(0, GnSetServoOn(0, 0, 1));
    std::atomic<int> nErrors{0};
    std::thread worker([&] {
        for (int i = 0; i < 400; ++i) {
            int nDone = 0;
            if (SxMoveStart(0, 0, (i % 2) ? 10.0 : -10.0) != 0 && SxIsDone(0, 0, &nDone) != 0)
                ++nErrors;
            m_sim.AdvanceMs(1);
        }
    });
    for (int i = 0; i < 400; ++i) {
        double dPos = 0.0;
        int nBits = 0;
        int nState = 0;
        unsigned char acFrame[MOTION_KTRB04_FRAME_SIZE] = {};
        unsigned char acResponse[MOTION_KTRB04_FRAME_SIZE] = {};
        if (StGetPosition(0, 0, 0, &dPos) != 0 || StReadMioStatuses(0, 0, &nBits) != 0 || StSxReadMotionState(0, 0, &nState) != 0)
            ++nErrors;
        if (AdvDataRW(0, 29, 0, acFrame, acResponse) != 0)
            ++nErrors;
        m_sim.State(0, 0);
    }
    worker.join();
    EXPECT_EQ(0, nErrors.load());
    EXPECT_GE(m_sim.Trace().size(), 2000u);
}

} // namespace
