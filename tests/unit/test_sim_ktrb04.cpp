// The simulated KTRB04-M2 node behind AdvDataRW command 29: register
// requests and acknowledges, the channel query, entries, monitor and command
// registers, and the command-word bits acted on at their edges.
#include "sim/sim_entry_points.h"
#include "tests/support/sim_client.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>

namespace {

enum : uint16_t {
    SERVO_ON = 0x2000,
    STOP = 0x1000,
    HOME = 0x0800,
    JOG_MINUS = 0x0400,
    JOG_PLUS = 0x0200,
    MOVE = 0x0100,
    REQUEST = 0x4000
};

enum : uint16_t {
    ST_WARNING = 0x0040,
    ST_ALARM = 0x0080,
    ST_STEP_OUT = 0x0200,
    ST_MOVING = 0x0400,
    ST_ORIGIN = 0x0800,
    ST_SERVO = 0x2000,
    ST_INP = 0x8000
};

struct Reply {
    int nResult = 0;
    std::array<uint16_t, 13> aw{};
    int32_t Data() const { return static_cast<int32_t>(static_cast<uint32_t>(aw[11]) | static_cast<uint32_t>(aw[12]) << 16); }
    uint16_t Status(int nChannel) const { return aw[1 + nChannel]; }
};

// Talks to the node as the tool's driver does: a persistent command image,
// register requests followed by their acknowledge.
class SimKtrb04 : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_sim.IsLoaded()) << m_sim.LoadError();
        ASSERT_EQ(0, m_sim.UseVirtualClock(true));
        ASSERT_EQ(0, m_sim.Reset());
        Route(3);
    }

    void TearDown() override { m_sim.UseVirtualClock(false); }

    void Route(int nAxis)
    {
        unsigned char acInfo[MOTION_NODE_INFO_SIZE] = {};
        ASSERT_EQ(0, GnGetNodeInfo(0, nAxis, acInfo));
    }

    Reply Send()
    {
        uint8_t acTx[MOTION_KTRB04_FRAME_SIZE];
        uint8_t acRx[MOTION_KTRB04_FRAME_SIZE] = {};
        for (int i = 0; i < 13; ++i) {
            acTx[2 * i] = static_cast<uint8_t>(m_aw[i] & 0xFF);
            acTx[2 * i + 1] = static_cast<uint8_t>(m_aw[i] >> 8);
        }
        Reply reply;
        reply.nResult = AdvDataRW(0, MOTION_ADV_KTRB04_COMMAND, 0, acTx, acRx);
        for (int i = 0; i < 13; ++i)
            reply.aw[i] = static_cast<uint16_t>(acRx[2 * i] | acRx[2 * i + 1] << 8);
        return reply;
    }

    Reply Request(int nChannel, int nCode, int32_t nValue)
    {
        m_aw[9] = static_cast<uint16_t>(nChannel);
        m_aw[10] = static_cast<uint16_t>(nCode | REQUEST);
        m_aw[11] = static_cast<uint16_t>(static_cast<uint32_t>(nValue) & 0xFFFF);
        m_aw[12] = static_cast<uint16_t>(static_cast<uint32_t>(nValue) >> 16);
        return Send();
    }

    Reply Acknowledge()
    {
        m_aw[10] &= static_cast<uint16_t>(~REQUEST);
        return Send();
    }

    int Write(int nChannel, int nCode, int32_t nValue)
    {
        const Reply reply = Request(nChannel, nCode, nValue);
        Acknowledge();
        return reply.nResult;
    }

    int32_t Read(int nChannel, int nCode)
    {
        const Reply reply = Request(nChannel, nCode, 0);
        EXPECT_EQ(0, reply.nResult) << std::hex << nCode;
        Acknowledge();
        return reply.Data();
    }

    int32_t Monitor(int nChannel, int nCode)
    {
        const Reply reply = Request(nChannel, nCode, nChannel);
        EXPECT_EQ(0, reply.nResult) << std::hex << nCode;
        Acknowledge();
        return reply.Data();
    }

    // A channel-word update with bits set or cleared, as the bit operations send.
    Reply Bits(int nChannel, uint16_t wSet, uint16_t wClear = 0)
    {
        m_aw[1 + nChannel] = static_cast<uint16_t>((m_aw[1 + nChannel] | wSet) & ~wClear);
        m_aw[10] = m_aw[11] = m_aw[12] = 0;
        return Send();
    }

    Reply Entry(int nChannel, int nEntry)
    {
        m_aw[1 + nChannel] = static_cast<uint16_t>((m_aw[1 + nChannel] & ~0xF) | (nEntry & 0xF));
        m_aw[10] = m_aw[11] = m_aw[12] = 0;
        return Send();
    }

    uint16_t Status(int nChannel)
    {
        m_aw[9] = static_cast<uint16_t>(nChannel);
        m_aw[10] = m_aw[11] = m_aw[12] = 0;
        return Send().Status(nChannel);
    }

    CSimClient m_sim;
    std::array<uint16_t, 13> m_aw{};
};

TEST_F(SimKtrb04, ChannelQueryReportsMaskOfTheSelectedNode)
{
    struct Case {
        int nAxis;
        uint16_t wMask;
    };
    for (const Case& c : {Case{3, 0x0F}, Case{4, 0x05}, Case{3, 0x0F}}) {
        Route(c.nAxis);
        const Reply reply = Request(0, 0x1C00, 0);
        EXPECT_EQ(0, reply.nResult);
        EXPECT_EQ(c.wMask, reply.aw[0] & 0xFF) << "axis " << c.nAxis;
        EXPECT_EQ(c.wMask, Acknowledge().aw[0] & 0xFF);
        EXPECT_EQ(0, Send().aw[0]) << "only the query answers the mask";
    }
}

TEST_F(SimKtrb04, EntryRegistersKeepWhatIsWrittenPerChannel)
{
    const int32_t nSpeed0 = Read(0, 0x0101);
    const int32_t nSpeed1 = Read(1, 0x0101);
    EXPECT_NE(nSpeed0, nSpeed1) << "distinct defaults per channel";
    EXPECT_GT(nSpeed0, 0);
    for (int nFamily = 0; nFamily <= 6; ++nFamily) {
        const int nRegister = nFamily << 8 | 5;
        ASSERT_EQ(0, Write(2, 0x1000 + nRegister, -1000 - nFamily)) << nFamily;
        EXPECT_EQ(-1000 - nFamily, Read(2, nRegister));
        EXPECT_EQ(-1000 - nFamily, static_cast<int32_t>(m_sim.Setting(0, 3, 2, ("reg." + std::to_string(nRegister)).c_str())));
    }
    EXPECT_EQ(nSpeed1, Read(1, 0x0101)) << "other channels untouched";
}

TEST_F(SimKtrb04, ParametersRoundTripWithNegativeValues)
{
    const int CODES[] = {0xC11, 0xC12, 0xC14, 0xC60, 0xC62, 0xC63, 0xC65, 0xC66};
    int32_t nValue = -70000;
    for (int nCode : CODES) {
        ASSERT_EQ(0, Write(1, 0x1000 | nCode, nValue));
        EXPECT_EQ(nValue, Read(1, nCode)) << std::hex << nCode;
        nValue += 12345;
    }
}

TEST_F(SimKtrb04, AcknowledgeRepeatsTheAnswer)
{
    ASSERT_EQ(0, Write(0, 0x1C62, 2222));
    const Reply request = Request(0, 0x0C62, 0);
    const Reply ack = Acknowledge();
    EXPECT_EQ(2222, request.Data());
    EXPECT_EQ(2222, ack.Data());
    EXPECT_EQ(0, ack.nResult);
}

TEST_F(SimKtrb04, UnknownRegistersAndChannelsAreRefused)
{
    struct Case {
        int nAxis, nChannel, nCode, nResult;
    };
    const Case CASES[] = {
        {3, 0, 0x0710, ZELV_SIM_E_REGISTER}, // family 7
        {3, 0, 0x0110, ZELV_SIM_E_REGISTER}, // entry 16
        {3, 0, 0x1D00, ZELV_SIM_E_REGISTER},
        {3, 0, 0x3E18, ZELV_SIM_E_REGISTER}, // monitor registers are read-only
        {3, 0, 0x2E55, ZELV_SIM_E_REGISTER},
        {3, 5, 0x0101, ZELV_SIM_E_CHANNEL},
        {4, 1, 0x0101, ZELV_SIM_E_CHANNEL},
        {4, 2, 0x0101, 0},
    };
    for (const Case& c : CASES) {
        Route(c.nAxis);
        EXPECT_EQ(c.nResult, Request(c.nChannel, c.nCode, 0).nResult) << std::hex << c.nCode << " ch " << c.nChannel;
        Acknowledge();
    }
}

TEST_F(SimKtrb04, ServoBitFollowsItsEdges)
{
    EXPECT_EQ(0, Status(1) & ST_SERVO);
    EXPECT_TRUE(Bits(1, SERVO_ON).Status(1) & ST_SERVO);
    EXPECT_TRUE(Status(1) & ST_SERVO) << "stays on while the bit is sent";
    EXPECT_EQ(0, Status(0) & ST_SERVO) << "channel 0 untouched";
    EXPECT_EQ(0, Bits(1, 0, SERVO_ON).Status(1) & ST_SERVO);
}

TEST_F(SimKtrb04, MoveStartRunsTheSelectedEntry)
{
    Bits(0, SERVO_ON);
    ASSERT_EQ(0, Write(0, 0x1002, 500));
    ASSERT_EQ(0, Write(0, 0x1001, 99999)); // entry 1, not selected
    Entry(0, 2);
    const Reply start = Bits(0, MOVE);
    EXPECT_TRUE(start.Status(0) & ST_MOVING);
    m_sim.AdvanceMs(5000);
    EXPECT_EQ(500, Monitor(0, 0x2E18));
    EXPECT_EQ(500, Monitor(0, 0x2E1B));
    EXPECT_EQ(0, Monitor(0, 0x2E1A));
    const uint16_t wStatus = Status(0);
    EXPECT_EQ(0, wStatus & ST_MOVING);
    EXPECT_TRUE(wStatus & ST_INP);
    // Holding the bit starts nothing; a new edge runs the entry again.
    Bits(0, MOVE);
    m_sim.AdvanceMs(5000);
    EXPECT_EQ(500, Monitor(0, 0x2E18));
    Bits(0, 0, MOVE);
    Bits(0, MOVE);
    m_sim.AdvanceMs(5000);
    EXPECT_EQ(1000, Monitor(0, 0x2E18));
}

TEST_F(SimKtrb04, FollowersStartWithTheirMaster)
{
    const int32_t DISTANCES[] = {1000, 200, -300, 50};
    for (int c = 0; c < 4; ++c) {
        Bits(c, SERVO_ON);
        Entry(c, 1);
        ASSERT_EQ(0, Write(c, 0x1001, DISTANCES[c]));
    }
    ASSERT_EQ(0, Write(1, 0x1F03, 0));
    ASSERT_EQ(0, Write(2, 0x1F03, 0));
    Bits(0, MOVE);
    m_sim.AdvanceMs(10000);
    EXPECT_EQ(1000, Monitor(0, 0x2E18));
    EXPECT_EQ(200, Monitor(1, 0x2E18));
    EXPECT_EQ(-300, Monitor(2, 0x2E18));
    EXPECT_EQ(0, Monitor(3, 0x2E18)) << "not a follower";
    // Released from the group, a channel no longer moves with the master.
    ASSERT_EQ(0, Write(2, 0x1F03, -1));
    Bits(0, 0, MOVE);
    Bits(0, MOVE);
    m_sim.AdvanceMs(10000);
    EXPECT_EQ(2000, Monitor(0, 0x2E18));
    EXPECT_EQ(400, Monitor(1, 0x2E18));
    EXPECT_EQ(-300, Monitor(2, 0x2E18));
}

TEST_F(SimKtrb04, StopModeChoosesDecelOrImmediate)
{
    struct Case {
        int nMode;
        bool bStillMoving;
    };
    for (const Case& c : {Case{1, true}, Case{0, false}}) {
        ASSERT_EQ(0, m_sim.Reset());
        Route(3);
        m_aw = {};
        Bits(0, SERVO_ON);
        Entry(0, 1);
        Bits(0, JOG_PLUS);
        m_sim.AdvanceMs(1000);
        ASSERT_EQ(0, Write(0, 0x1C02, c.nMode));
        const int32_t nAtStop = Monitor(0, 0x2E18);
        Bits(0, STOP);
        EXPECT_EQ(c.bStillMoving, (Bits(0, 0, STOP).Status(0) & ST_MOVING) != 0) << "mode " << c.nMode;
        m_sim.AdvanceMs(2000);
        EXPECT_EQ(0, Status(0) & ST_MOVING);
        const int32_t nFinal = Monitor(0, 0x2E18);
        if (c.bStillMoving)
            EXPECT_GT(nFinal, nAtStop);
        else
            EXPECT_EQ(nAtStop, nFinal);
        EXPECT_EQ(nFinal, Monitor(0, 0x2E18)) << "stays stopped with the jog bit still set";
    }
}

TEST_F(SimKtrb04, JogMinusRunsAtEntrySpeedUntilReleased)
{
    Bits(1, SERVO_ON);
    Entry(1, 1);
    const int32_t nSpeed = Read(1, 0x0101);
    Bits(1, JOG_MINUS);
    m_sim.AdvanceMs(2000);
    EXPECT_EQ(-nSpeed, Monitor(1, 0x2E1A));
    EXPECT_EQ(-nSpeed, Monitor(1, 0x2E19)) << "feedback speed settles on the command";
    EXPECT_LT(Monitor(1, 0x2E18), -nSpeed);
    EXPECT_TRUE(Bits(1, 0, JOG_MINUS).Status(1) & ST_MOVING) << "decelerates";
    m_sim.AdvanceMs(2000);
    EXPECT_EQ(0, Status(1) & ST_MOVING);
    EXPECT_EQ(Monitor(1, 0x2E18), Monitor(1, 0x2E1B));
}

TEST_F(SimKtrb04, HomeRunEndsOnOriginWithHomeBit)
{
    Bits(2, SERVO_ON);
    ASSERT_EQ(0, Write(2, 0x1C65, 0));
    EXPECT_EQ(0, Status(2) & ST_ORIGIN);
    Bits(2, HOME);
    Bits(2, 0, HOME);
    EXPECT_TRUE(Status(2) & ST_MOVING);
    m_sim.AdvanceMs(20000);
    const uint16_t wStatus = Status(2);
    EXPECT_EQ(0, wStatus & ST_MOVING);
    EXPECT_TRUE(wStatus & ST_ORIGIN);
    EXPECT_EQ(0, Monitor(2, 0x2E18));
    EXPECT_TRUE(m_sim.State(0, 3, 2).bHomeSuccess);
}

TEST_F(SimKtrb04, MoveWithServoOffRaisesAlarmUntilReset)
{
    ASSERT_EQ(0, Write(0, 0x1001, 100));
    Entry(0, 1);
    const uint16_t wStatus = Bits(0, MOVE).Status(0);
    EXPECT_TRUE(wStatus & ST_ALARM);
    EXPECT_EQ(0, wStatus & ST_MOVING);
    EXPECT_EQ(ZELV_SIM_ALARM_SERVO_OFF_MOVE, Monitor(0, 0x2E00));
    ASSERT_EQ(0, Write(0, 0x3E80, 1));
    EXPECT_EQ(0, Status(0) & ST_ALARM);
    EXPECT_EQ(0, Monitor(0, 0x2E00));
}

TEST_F(SimKtrb04, PositionResetClearsBothCounters)
{
    Bits(3, SERVO_ON);
    Entry(3, 1);
    ASSERT_EQ(0, Write(3, 0x1001, -750));
    Bits(3, MOVE);
    m_sim.AdvanceMs(5000);
    ASSERT_EQ(-750, Monitor(3, 0x2E18));
    ASSERT_EQ(0, Write(3, 0x3E8B, 1));
    EXPECT_EQ(0, Monitor(3, 0x2E18));
    EXPECT_EQ(0, Monitor(3, 0x2E1B));
}

TEST_F(SimKtrb04, InjectedWarningAndStepOutShowInStatus)
{
    Bits(1, SERVO_ON);
    Entry(1, 1);
    Bits(1, JOG_PLUS);
    ASSERT_EQ(0, m_sim.RaiseFault(0, 3, 1, ZELV_SIM_FAULT_WARNING));
    EXPECT_TRUE(Status(1) & ST_WARNING);
    EXPECT_TRUE(Status(1) & ST_MOVING) << "a warning does not stop";
    ASSERT_EQ(0, m_sim.RaiseFault(0, 3, 1, ZELV_SIM_FAULT_STEP_OUT));
    const uint16_t wStatus = Status(1);
    EXPECT_TRUE(wStatus & ST_STEP_OUT);
    EXPECT_EQ(0, wStatus & ST_MOVING);
    ASSERT_EQ(0, Write(1, 0x3E80, 1));
    EXPECT_EQ(0, Status(1) & (ST_STEP_OUT | ST_WARNING));
}

TEST_F(SimKtrb04, FailedExchangeLeavesTheResponse)
{
    ASSERT_EQ(0, m_sim.FailCall("AdvDataRW", -5, 1));
    uint8_t acTx[MOTION_KTRB04_FRAME_SIZE] = {};
    uint8_t acRx[MOTION_KTRB04_FRAME_SIZE];
    std::memset(acRx, 0xEE, sizeof acRx);
    EXPECT_EQ(-5, AdvDataRW(0, 29, 0, acTx, acRx));
    for (uint8_t b : acRx)
        EXPECT_EQ(0xEE, b);
    EXPECT_EQ(0, AdvDataRW(0, 29, 0, acTx, acRx));
}

TEST_F(SimKtrb04, OnlyCommand29ToABoardWithTheNode)
{
    uint8_t acTx[MOTION_KTRB04_FRAME_SIZE] = {};
    uint8_t acRx[MOTION_KTRB04_FRAME_SIZE] = {};
    EXPECT_EQ(ZELV_SIM_E_FRAME, AdvDataRW(0, 28, 0, acTx, acRx));
    EXPECT_EQ(ZELV_SIM_E_FRAME, AdvDataRW(0, 29, 0, nullptr, acRx));
    EXPECT_EQ(ZELV_SIM_E_NO_ROUTE, AdvDataRW(1, 29, 0, acTx, acRx));
    EXPECT_EQ(ZELV_SIM_E_NO_DEVICE, AdvDataRW(8, 29, 0, acTx, acRx));
    EXPECT_EQ(0, AdvDataRW(0, 29, 5, acTx, acRx)) << "station 5 names axis 4";
    EXPECT_EQ(ZELV_SIM_E_NO_ROUTE, AdvDataRW(0, 29, 1, acTx, acRx)) << "axis 0 is a servo";
}

} // namespace
