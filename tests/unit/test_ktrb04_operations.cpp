// KTRB04 node operations and their command exchange, against a recording
// AdvDataRW: the frames sent byte by byte, the acknowledge rules, out-values
// on failure, the state kept in the command image, group tables and latch.
#include "fixtures/ktrb04_fake.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const int CH = 6;
const int VALUE = 0x01020304;
const int OUT_UNTOUCHED = -777;
const int32_t READ_DATA = static_cast<int32_t>(0x80010002u);

typedef std::array<uint16_t, KTRB04_FRAME_WORDS> WORDS;

// A frame with the given register words and channel words.
WORDS Words(uint16_t wRegChannel, uint16_t wControl, uint32_t dwData, std::array<uint16_t, 8> awChannel = {})
{
    WORDS aw = {};
    for (int i = 0; i < 8; ++i) {
        aw[1 + i] = awChannel[i];
    }
    aw[9] = wRegChannel;
    aw[10] = wControl;
    aw[11] = static_cast<uint16_t>(dwData & 0xFFFF);
    aw[12] = static_cast<uint16_t>(dwData >> 16);
    return aw;
}

FRAME_BYTES ResponseWithData(int32_t nData)
{
    const uint32_t dw = static_cast<uint32_t>(nData);
    return FrameOfWords(Words(0, 0, dw));
}

FRAME_BYTES ResponseWithChannel(int nCh, uint16_t wStatus)
{
    std::array<uint16_t, 8> aw = {};
    aw[nCh] = wStatus;
    return FrameOfWords(Words(0, 0, 0, aw));
}

std::string Hex(const FRAME_BYTES& ab)
{
    static const char HEX[] = "0123456789ABCDEF";
    std::string str;
    for (uint8_t b : ab) {
        str += HEX[b >> 4];
        str += HEX[b & 0xF];
        str += ' ';
    }
    return str;
}

class Ktrb04Operations : public ::testing::Test {
protected:
    void SetUp() override
    {
        CKtrb04Fake::Install();
        m_pDriver.reset(new CDidKtrb04());
        m_pDriver->m_nDevNo = 3;
        CKtrb04Fake::Calls().clear();
    }
    void TearDown() override
    {
        m_pDriver.reset();
        CKtrb04Fake::Remove();
    }

    CDidKtrb04& Driver() { return *m_pDriver; }
    const std::vector<ADV_CALL>& Calls() { return CKtrb04Fake::Calls(); }

    void ExpectSent(const std::vector<WORDS>& aExpected)
    {
        ASSERT_EQ(Calls().size(), aExpected.size());
        for (size_t i = 0; i < aExpected.size(); ++i) {
            EXPECT_EQ(Hex(Calls()[i].abSent), Hex(FrameOfWords(aExpected[i]))) << "frame " << i;
        }
    }

    std::unique_ptr<CDidKtrb04> m_pDriver;
};

// ---------------------------------------------------------------- byte-exact frames, one per pattern

TEST_F(Ktrb04Operations, WriteSendsTheRequestThenItsAcknowledgeByteForByte)
{
    EXPECT_EQ(Driver().WriteDistance(2, 1, -5), 0);

    const FRAME_BYTES abRequest = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                   0x02, 0x00, 0x01, 0x50, 0xFB, 0xFF, 0xFF, 0xFF};
    const FRAME_BYTES abAck = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                               0x02, 0x00, 0x01, 0x10, 0xFB, 0xFF, 0xFF, 0xFF};
    ASSERT_EQ(Calls().size(), 2u);
    EXPECT_EQ(Hex(Calls()[0].abSent), Hex(abRequest));
    EXPECT_EQ(Hex(Calls()[1].abSent), Hex(abAck));
}

TEST_F(Ktrb04Operations, BitAfterARequestKeepsItsChannelAndClearsControlAndData)
{
    Driver().WriteWorkSpeed(2, 1, 1000);
    CKtrb04Fake::Calls().clear();

    EXPECT_EQ(Driver().JogPlusBitSet(3), 0);

    const FRAME_BYTES abExpected = {0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x02, 0, 0, 0, 0, 0, 0, 0, 0,
                                    0x02, 0x00, 0, 0, 0, 0, 0, 0};
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Hex(Calls()[0].abSent), Hex(abExpected));
}

TEST_F(Ktrb04Operations, MonitorReadPutsTheChannelInRegChannelAndData)
{
    CKtrb04Fake::Reply(0, ResponseWithData(0x12345678));
    int nValue = 0;

    EXPECT_EQ(Driver().ReadCommandPosition(5, &nValue), 0);

    const FRAME_BYTES abRequest = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                   0x05, 0x00, 0x18, 0x6E, 0x05, 0x00, 0x00, 0x00};
    ASSERT_EQ(Calls().size(), 2u);
    EXPECT_EQ(Hex(Calls()[0].abSent), Hex(abRequest));
    EXPECT_EQ(nValue, 0x12345678);
}

TEST_F(Ktrb04Operations, StatusReadSignExtendsTheChannelWordWithoutAcknowledge)
{
    CKtrb04Fake::Reply(0, ResponseWithChannel(1, 0x8400));
    int nValue = 0;

    EXPECT_EQ(Driver().ReadStatusWord(1, &nValue), 0);

    EXPECT_EQ(nValue, static_cast<int16_t>(0x8400));
    const FRAME_BYTES abExpected = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                    0x01, 0x00, 0, 0, 0, 0, 0, 0};
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Hex(Calls()[0].abSent), Hex(abExpected));
}

TEST_F(Ktrb04Operations, ChannelMaskIsTheLowByteOfResponseWordZero)
{
    FRAME_BYTES abResponse = {};
    abResponse[0] = 0x0D;
    abResponse[1] = 0xA5;
    CKtrb04Fake::Reply(0, abResponse);

    EXPECT_EQ(Driver().QueryChannelMask(0, 0), 0);

    EXPECT_EQ(Driver().m_nChannelMask, 0x0D);
    ExpectSent({Words(0, 0x5C00, 0), Words(0, 0x1C00, 0)});
}

TEST_F(Ktrb04Operations, FailedChannelQueryLeavesAnEmptyMaskAndStillAcknowledges)
{
    Driver().m_nChannelMask = 0x0F;
    FRAME_BYTES abResponse = {};
    abResponse[0] = 0x0F;
    CKtrb04Fake::Reply(4, abResponse);
    CKtrb04Fake::Reply(0);

    EXPECT_EQ(Driver().QueryChannelMask(0, 0), 0);
    EXPECT_EQ(Driver().m_nChannelMask, 0);
    EXPECT_EQ(Calls().size(), 2u);
}

// ---------------------------------------------------------------- every operation in its pattern

enum PATTERN { BIT_SET, BIT_CLEAR, WRITE_ALWAYS, WRITE_IF_OK, PARAMETER_READ, MONITOR_READ };

struct OPERATION_ROW {
    const char* pszName;
    PATTERN ePattern;
    uint16_t wCode; // the bit for bit operations
    std::function<int(CDidKtrb04&, int nCh, int*)> fnRun;
    int nWritten; // the value a write sends
};

#define BIT_ROW(name, pattern, bit) {#name, pattern, bit, [](CDidKtrb04& d, int c, int*) { return d.name(c); }, 0}
#define WRITE_ROW(name, pattern, code) {#name, pattern, code, [](CDidKtrb04& d, int c, int*) { return d.name(c, VALUE); }, VALUE}
#define ENTRY_WRITE_ROW(name, code) {#name, WRITE_IF_OK, code, [](CDidKtrb04& d, int c, int*) { return d.name(c, 1, VALUE); }, VALUE}
#define FIXED_WRITE_ROW(name, code) {#name, WRITE_IF_OK, code, [](CDidKtrb04& d, int c, int*) { return d.name(c); }, 1}
#define READ_ROW(name, pattern, code) {#name, pattern, code, [](CDidKtrb04& d, int c, int* p) { return d.name(c, p); }, 0}
#define ENTRY_READ_ROW(name, code) {#name, PARAMETER_READ, code, [](CDidKtrb04& d, int c, int* p) { return d.name(c, 1, p); }, 0}

const OPERATION_ROW OPERATIONS[] = {
    WRITE_ROW(SetStopMode, WRITE_ALWAYS, 0x1C02),
    BIT_ROW(ServoOnBitSet, BIT_SET, 0x2000),
    BIT_ROW(ServoOnBitClear, BIT_CLEAR, 0x2000),
    BIT_ROW(StopBitSet, BIT_SET, 0x1000),
    BIT_ROW(StopBitClear, BIT_CLEAR, 0x1000),
    BIT_ROW(HomeStartBitSet, BIT_SET, 0x0800),
    BIT_ROW(HomeStartBitClear, BIT_CLEAR, 0x0800),
    BIT_ROW(JogMinusBitSet, BIT_SET, 0x0400),
    BIT_ROW(JogMinusBitClear, BIT_CLEAR, 0x0400),
    BIT_ROW(JogPlusBitSet, BIT_SET, 0x0200),
    BIT_ROW(JogPlusBitClear, BIT_CLEAR, 0x0200),
    BIT_ROW(MoveStartBitSet, BIT_SET, 0x0100),
    BIT_ROW(MoveStartBitClear, BIT_CLEAR, 0x0100),
    ENTRY_WRITE_ROW(WriteDistance, 0x1001),
    ENTRY_WRITE_ROW(WriteWorkSpeed, 0x1101),
    ENTRY_READ_ROW(ReadWorkSpeed, 0x0101),
    ENTRY_WRITE_ROW(WriteEntryReg2, 0x1201),
    ENTRY_WRITE_ROW(WriteEntryReg3, 0x1301),
    ENTRY_WRITE_ROW(WriteEntryReg4, 0x1401),
    ENTRY_WRITE_ROW(WriteAccel, 0x1501),
    ENTRY_READ_ROW(ReadAccel, 0x0501),
    ENTRY_WRITE_ROW(WriteDecel, 0x1601),
    ENTRY_READ_ROW(ReadDecel, 0x0601),
    READ_ROW(ReadCommandPosition, MONITOR_READ, 0x2E18),
    READ_ROW(ReadFeedbackPosition, MONITOR_READ, 0x2E1B),
    READ_ROW(ReadCommandSpeed, MONITOR_READ, 0x2E1A),
    READ_ROW(ReadAlarmCode, MONITOR_READ, 0x2E00),
    FIXED_WRITE_ROW(AlarmReset, 0x3E80),
    FIXED_WRITE_ROW(ResetPosition, 0x3E8B),
    WRITE_ROW(WriteHomeMode, WRITE_ALWAYS, 0x1C60),
    READ_ROW(ReadHomeMode, PARAMETER_READ, 0x0C60),
    WRITE_ROW(WriteHomeDirection, WRITE_ALWAYS, 0x1C66),
    READ_ROW(ReadHomeDirection, PARAMETER_READ, 0x0C66),
    WRITE_ROW(WriteHomeOffset, WRITE_ALWAYS, 0x1C65),
    READ_ROW(ReadHomeOffset, PARAMETER_READ, 0x0C65),
    WRITE_ROW(WriteHomeSpeed, WRITE_ALWAYS, 0x1C62),
    READ_ROW(ReadHomeSpeed, PARAMETER_READ, 0x0C62),
    WRITE_ROW(WriteHomeAccel, WRITE_ALWAYS, 0x1C63),
    READ_ROW(ReadHomeAccel, PARAMETER_READ, 0x0C63),
    WRITE_ROW(WriteElLogic, WRITE_ALWAYS, 0x1C11),
    READ_ROW(ReadElLogic, PARAMETER_READ, 0x0C11),
    WRITE_ROW(WriteElStopMode, WRITE_ALWAYS, 0x1C14),
    READ_ROW(ReadElStopMode, PARAMETER_READ, 0x0C14),
    WRITE_ROW(WriteOrgLogic, WRITE_ALWAYS, 0x1C12),
    READ_ROW(ReadOrgLogic, PARAMETER_READ, 0x0C12),
    WRITE_ROW(SetGroupMaster, WRITE_ALWAYS, 0x1F03),
};

bool IsBit(PATTERN e) { return e == BIT_SET || e == BIT_CLEAR; }
bool IsRead(PATTERN e) { return e == PARAMETER_READ || e == MONITOR_READ; }

// The command image the operation starts from: channel CH has every bit of
// the other operations set, so a bit operation must change only its own bit.
const uint16_t START_CHANNEL_WORD = 0x3F05;

std::array<uint16_t, 8> ChannelWordsAfter(const OPERATION_ROW& row)
{
    std::array<uint16_t, 8> aw = {};
    aw[CH] = START_CHANNEL_WORD;
    if (row.ePattern == BIT_SET) {
        aw[CH] = static_cast<uint16_t>(aw[CH] | row.wCode);
    } else if (row.ePattern == BIT_CLEAR) {
        aw[CH] = static_cast<uint16_t>(aw[CH] & ~row.wCode);
    }
    return aw;
}

uint32_t DataSent(const OPERATION_ROW& row)
{
    switch (row.ePattern) {
    case MONITOR_READ: return CH;
    case WRITE_ALWAYS:
    case WRITE_IF_OK: return static_cast<uint32_t>(row.nWritten);
    default: return 0;
    }
}

// The request and the acknowledge the operation should send.
std::vector<WORDS> ExpectedFrames(const OPERATION_ROW& row, bool bWithAck)
{
    const std::array<uint16_t, 8> aw = ChannelWordsAfter(row);
    if (IsBit(row.ePattern)) {
        return {Words(1, 0, 0, aw)}; // wRegChannel as the preparing request left it
    }
    std::vector<WORDS> a = {Words(CH, static_cast<uint16_t>(row.wCode | 0x4000), DataSent(row), aw)};
    if (bWithAck) {
        a.push_back(Words(CH, row.wCode, DataSent(row), aw));
    }
    return a;
}

enum SCRIPT { ALL_SUCCEED, FIRST_FAILS, ACK_FAILS };

struct CASE {
    SCRIPT eScript;
    const char* pszLabel;
};

class Ktrb04OperationTable : public Ktrb04Operations {
protected:
    // Leaves channel CH with START_CHANNEL_WORD and wRegChannel 1.
    void Prepare()
    {
        Driver().m_Build.SetChannel(CH, START_CHANNEL_WORD);
        Driver().m_Build.SetRegChannel(1);
        Driver().m_Build.SetControl(0x5555);
        Driver().m_Build.SetData(-1);
        CKtrb04Fake::Calls().clear();
        CKtrb04Fake::Script().clear();
    }

    void Run(const OPERATION_ROW& row, SCRIPT eScript)
    {
        SCOPED_TRACE(row.pszName);
        Prepare();
        const int nFirst = eScript == FIRST_FAILS ? 7 : 0;
        const int nAck = eScript == ACK_FAILS ? 9 : 0;
        CKtrb04Fake::Reply(nFirst, ResponseWithData(READ_DATA));
        CKtrb04Fake::Reply(nAck, ResponseWithData(0x11111111));
        int nOut = OUT_UNTOUCHED;

        const int nResult = row.fnRun(Driver(), CH, &nOut);

        const bool bAckRuns = !IsBit(row.ePattern) && (nFirst == 0 || row.ePattern == WRITE_ALWAYS);
        ExpectSent(ExpectedFrames(row, bAckRuns));
        const int nExpectedResult = bAckRuns ? nAck : nFirst;
        EXPECT_EQ(nResult, nExpectedResult);
        EXPECT_EQ(Driver().m_nLastResult, nExpectedResult);
        const int nExpectedOut = IsRead(row.ePattern) && nFirst == 0 ? READ_DATA : OUT_UNTOUCHED;
        EXPECT_EQ(nOut, nExpectedOut);
        for (const ADV_CALL& call : Calls()) {
            EXPECT_EQ(call.nDevice, 3);
            EXPECT_EQ(call.nCommand, 29);
            EXPECT_EQ(call.nStation, 0);
        }
    }
};

TEST_F(Ktrb04OperationTable, EveryOperationSendsItsPatternWhenAllSucceed)
{
    for (const OPERATION_ROW& row : OPERATIONS) {
        Run(row, ALL_SUCCEED);
    }
}

TEST_F(Ktrb04OperationTable, AFailingFirstExchangeSkipsOrKeepsTheAcknowledgeByRow)
{
    for (const OPERATION_ROW& row : OPERATIONS) {
        Run(row, FIRST_FAILS);
    }
}

TEST_F(Ktrb04OperationTable, AFailingAcknowledgeIsTheResult)
{
    for (const OPERATION_ROW& row : OPERATIONS) {
        Run(row, ACK_FAILS);
    }
}

TEST_F(Ktrb04OperationTable, ChannelsOutsideZeroToSevenAreRefusedAndTouchNothing)
{
    for (const OPERATION_ROW& row : OPERATIONS) {
        SCOPED_TRACE(row.pszName);
        for (int nCh : {-1, 8, 1000}) {
            Prepare();
            Driver().m_nLastResult = 5;
            const Ktrb04Frame before = Driver().m_Build;
            int nOut = OUT_UNTOUCHED;
            const int nResult = row.fnRun(Driver(), nCh, &nOut);
            EXPECT_EQ(nResult, KTRB04_ERR_BAD_CHANNEL);
            EXPECT_TRUE(Calls().empty());
            EXPECT_EQ(Driver().m_nLastResult, 5);
            EXPECT_EQ(0, std::memcmp(before.abBytes, Driver().m_Build.abBytes, KTRB04_FRAME_SIZE));
            EXPECT_EQ(nOut, OUT_UNTOUCHED);
        }
    }
}

TEST_F(Ktrb04Operations, SpecialOperationsRefuseBadChannels)
{
    int nOut = OUT_UNTOUCHED;
    const int aResults[] = {
        Driver().QueryChannelMask(8, 0),      Driver().SelectEntry(-1, 1),
        Driver().ReadFeedbackSpeed(8, &nOut), Driver().ReadStatusWord(-2, &nOut),
        Driver().ReadHomeSuccess(9, &nOut),
    };
    for (int nResult : aResults) {
        EXPECT_EQ(nResult, KTRB04_ERR_BAD_CHANNEL);
    }
    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(nOut, OUT_UNTOUCHED);
}

// ---------------------------------------------------------------- state carried in the command image

TEST_F(Ktrb04Operations, CommandBitsStaySetInEveryLaterFrameUntilCleared)
{
    Driver().ServoOnBitSet(2);
    Driver().JogMinusBitSet(2);
    Driver().WriteDistance(4, 1, 9);
    Driver().JogMinusBitClear(2);

    std::array<uint16_t, 8> awBoth = {};
    awBoth[2] = 0x2400;
    std::array<uint16_t, 8> awServo = {};
    awServo[2] = 0x2000;
    std::array<uint16_t, 8> awFirst = {};
    awFirst[2] = 0x2000;
    ExpectSent({Words(0, 0, 0, awFirst), Words(0, 0, 0, awBoth), Words(4, 0x5001, 9, awBoth),
                Words(4, 0x1001, 9, awBoth), Words(4, 0, 0, awServo)});
}

TEST_F(Ktrb04Operations, RequestStaysSetAfterASkippedAcknowledgeUntilTheNextOperation)
{
    CKtrb04Fake::Reply(3);
    EXPECT_EQ(Driver().WriteDistance(1, 1, 100), 3);
    EXPECT_EQ(Driver().m_Build.Control(), 0x5001);

    Driver().MoveStartBitSet(1);
    std::array<uint16_t, 8> aw = {};
    aw[1] = 0x0100;
    EXPECT_EQ(Hex(Calls().back().abSent), Hex(FrameOfWords(Words(1, 0, 0, aw))));
}

TEST_F(Ktrb04Operations, SelectEntryReplacesOnlyTheLowFourBitsAndAcknowledgesOnSuccess)
{
    Driver().ServoOnBitSet(0);
    Driver().SelectEntry(0, 3);
    CKtrb04Fake::Calls().clear();

    EXPECT_EQ(Driver().SelectEntry(0, 17), 0);

    std::array<uint16_t, 8> aw = {};
    aw[0] = 0x2001;
    ExpectSent({Words(0, 0, 0, aw), Words(0, 0, 0, aw)});

    CKtrb04Fake::Calls().clear();
    CKtrb04Fake::Reply(6);
    EXPECT_EQ(Driver().SelectEntry(0, 2), 6);
    EXPECT_EQ(Calls().size(), 1u) << "no acknowledge after a failed exchange";
}

// ---------------------------------------------------------------- feedback speed

TEST_F(Ktrb04Operations, FeedbackSpeedSendsOnlyTheAcknowledgeAndReadsZero)
{
    Driver().ServoOnBitSet(2);
    CKtrb04Fake::Calls().clear();
    int nValue = 55;

    EXPECT_EQ(Driver().ReadFeedbackSpeed(2, &nValue), 0);

    EXPECT_EQ(nValue, 0);
    std::array<uint16_t, 8> aw = {};
    aw[2] = 0x2000;
    ExpectSent({Words(2, 0x2E19, 2, aw)});
}

TEST_F(Ktrb04Operations, FeedbackSpeedAfterAFailedOperationSendsNothing)
{
    CKtrb04Fake::Reply(8);
    Driver().ServoOnBitSet(2);
    CKtrb04Fake::Calls().clear();
    int nValue = 55;

    EXPECT_EQ(Driver().ReadFeedbackSpeed(2, &nValue), 8);

    EXPECT_EQ(nValue, 55);
    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(Driver().m_Build.Control(), 0x6E19) << "the request stays composed";
}

TEST_F(Ktrb04Operations, FeedbackSpeedBeforeAnyExchangeCountsAsSuccess)
{
    int nValue = 55;
    EXPECT_EQ(Driver().m_nLastResult, 0);
    CKtrb04Fake::Reply(2);

    EXPECT_EQ(Driver().ReadFeedbackSpeed(0, &nValue), 2);
    EXPECT_EQ(nValue, 0);
    EXPECT_EQ(Calls().size(), 1u);
}

// ---------------------------------------------------------------- status and home latch

TEST_F(Ktrb04Operations, StatusWordAfterAFailedExchangeReadsTheBufferAsItStands)
{
    int nValue = 99;
    CKtrb04Fake::Reply(5); // the library leaves the buffer alone
    EXPECT_EQ(Driver().ReadStatusWord(3, &nValue), 5);
    EXPECT_EQ(nValue, 0) << "the response buffer starts zeroed";

    CKtrb04Fake::Reply(0, ResponseWithChannel(3, 0x2000));
    Driver().ReadStatusWord(3, &nValue);
    CKtrb04Fake::Reply(5);
    EXPECT_EQ(Driver().ReadStatusWord(3, &nValue), 5);
    EXPECT_EQ(nValue, 0x2000);
}

TEST_F(Ktrb04Operations, HomeSuccessLatchesPerChannelAndThenAsksNoMore)
{
    int nFlag = -1;
    CKtrb04Fake::Reply(0, ResponseWithChannel(4, 0x0000));
    EXPECT_EQ(Driver().ReadHomeSuccess(4, &nFlag), 0);
    EXPECT_EQ(nFlag, 0);
    EXPECT_EQ(Driver().m_bHomeLatch[4], 0);

    CKtrb04Fake::Reply(0, ResponseWithChannel(4, 0x0800));
    EXPECT_EQ(Driver().ReadHomeSuccess(4, &nFlag), 0);
    EXPECT_EQ(nFlag, 1);
    EXPECT_EQ(Driver().m_bHomeLatch[4], 1);

    CKtrb04Fake::Calls().clear();
    Driver().m_nLastResult = 12;
    nFlag = -1;
    EXPECT_EQ(Driver().ReadHomeSuccess(4, &nFlag), 0);
    EXPECT_EQ(nFlag, 1);
    EXPECT_TRUE(Calls().empty());

    CKtrb04Fake::Reply(0, ResponseWithChannel(5, 0x0000));
    EXPECT_EQ(Driver().ReadHomeSuccess(5, &nFlag), 0);
    EXPECT_EQ(nFlag, 0) << "the latch is per channel";
}

TEST_F(Ktrb04Operations, FailedExchangeNeverLatchesHomeFromAStaleResponse)
{
    CKtrb04Fake::Reply(0, ResponseWithChannel(1, 0x0000));
    int nStatus = 0;
    Driver().ReadStatusWord(1, &nStatus);
    // The node answers home success, but the library reports a failure.
    CKtrb04Fake::Reply(3, ResponseWithChannel(1, 0x0800));
    int nFlag = -1;

    EXPECT_EQ(Driver().ReadHomeSuccess(1, &nFlag), 3);
    EXPECT_EQ(nFlag, 0);
    EXPECT_EQ(Driver().m_bHomeLatch[1], 0);
}

// ---------------------------------------------------------------- group tables

struct GROUP_STEP {
    int nCh;
    int nMaster;
    int nFirstStatus;
};

struct GROUP_CASE {
    const char* pszLabel;
    std::vector<GROUP_STEP> aSteps;
    std::array<int, 8> abMaster;
    std::array<int, 8> anMasterOf;
    std::array<int, 8> anMembers;
};

const GROUP_CASE GROUP_CASES[] = {
    {"two members follow channel 0",
     {{1, 0, 0}, {2, 0, 0}},
     {1, 0, 0, 0, 0, 0, 0, 0}, {-1, 0, 0, -1, -1, -1, -1, -1}, {0x6, 0, 0, 0, 0, 0, 0, 0}},
    {"releasing one member clears the master's flag, keeps the other's bit",
     {{1, 0, 0}, {2, 0, 0}, {1, -1, 0}},
     {0, 0, 0, 0, 0, 0, 0, 0}, {-1, -1, 0, -1, -1, -1, -1, -1}, {0x4, 0, 0, 0, 0, 0, 0, 0}},
    {"releasing a channel that follows nobody changes nothing",
     {{3, -1, 0}},
     {0, 0, 0, 0, 0, 0, 0, 0}, {-1, -1, -1, -1, -1, -1, -1, -1}, {0, 0, 0, 0, 0, 0, 0, 0}},
    {"a new master does not clean up the previous one",
     {{3, 0, 0}, {3, 1, 0}},
     {1, 1, 0, 0, 0, 0, 0, 0}, {-1, -1, -1, 1, -1, -1, -1, -1}, {0x8, 0x8, 0, 0, 0, 0, 0, 0}},
    {"a failed first exchange leaves the tables",
     {{2, 5, 4}},
     {0, 0, 0, 0, 0, 0, 0, 0}, {-1, -1, -1, -1, -1, -1, -1, -1}, {0, 0, 0, 0, 0, 0, 0, 0}},
    {"a master outside the channels changes no table",
     {{2, 8, 0}, {2, -2, 0}},
     {0, 0, 0, 0, 0, 0, 0, 0}, {-1, -1, -1, -1, -1, -1, -1, -1}, {0, 0, 0, 0, 0, 0, 0, 0}},
    {"a channel may follow itself",
     {{7, 7, 0}},
     {0, 0, 0, 0, 0, 0, 0, 1}, {-1, -1, -1, -1, -1, -1, -1, 7}, {0, 0, 0, 0, 0, 0, 0, 0x80}},
};

TEST_F(Ktrb04Operations, GroupTablesFollowEverySetGroupMaster)
{
    for (const GROUP_CASE& groupCase : GROUP_CASES) {
        SCOPED_TRACE(groupCase.pszLabel);
        TearDown();
        SetUp();
        for (const GROUP_STEP& step : groupCase.aSteps) {
            CKtrb04Fake::Calls().clear();
            CKtrb04Fake::Reply(step.nFirstStatus);
            Driver().SetGroupMaster(step.nCh, step.nMaster);
            EXPECT_EQ(Calls().size(), 2u) << "the acknowledge always goes out";
        }
        for (int nCh = 0; nCh < 8; ++nCh) {
            EXPECT_EQ(Driver().m_bGroupMaster[nCh], groupCase.abMaster[nCh]) << "channel " << nCh;
            EXPECT_EQ(Driver().m_nMasterOf[nCh], groupCase.anMasterOf[nCh]) << "channel " << nCh;
            EXPECT_EQ(Driver().m_nGroupMembers[nCh], groupCase.anMembers[nCh]) << "channel " << nCh;
        }
    }
}

// ---------------------------------------------------------------- the shared block and the exchange

TEST_F(Ktrb04Operations, ExchangesKeepTheLowByteOfWordZeroAndClearTheRest)
{
    ASSERT_NE(Driver().m_pShared, nullptr);
    Driver().m_pShared->SetWord(0, 0xDEADBEEF);
    Driver().m_pShared->SetWord(8, 0x12345678);

    Driver().StopBitSet(0);
    EXPECT_EQ(Driver().m_pShared->Word(0), 0x000000EFu);
    EXPECT_EQ(Driver().m_pShared->Word(8), 0x12345678u) << "no acknowledge, no handshake";

    Driver().m_pShared->SetWord(0, 0xCAFE0042);
    CKtrb04Fake::Reply(0);
    CKtrb04Fake::Reply(1);
    Driver().WriteDistance(0, 1, 3);
    EXPECT_EQ(Driver().m_pShared->Word(0), 0x00000042u);
    EXPECT_EQ(Driver().m_pShared->Word(8), 0x12345678u) << "a failed acknowledge leaves it";

    Driver().WriteDistance(0, 1, 3);
    EXPECT_EQ(Driver().m_pShared->Word(8), 0u);
}

TEST_F(Ktrb04Operations, AMissingExchangeEntryPointFailsEveryOperationWithoutOutValues)
{
    g_pfnAdvDataRW = nullptr;
    int nOut = OUT_UNTOUCHED;

    EXPECT_EQ(Driver().ReadCommandPosition(0, &nOut), MOTION_ERR_NO_ENTRY_POINT);
    EXPECT_EQ(Driver().ReadWorkSpeed(0, 1, &nOut), MOTION_ERR_NO_ENTRY_POINT);
    EXPECT_EQ(Driver().WriteHomeMode(0, 1), MOTION_ERR_NO_ENTRY_POINT);
    EXPECT_EQ(Driver().ReadFeedbackSpeed(0, &nOut), MOTION_ERR_NO_ENTRY_POINT);
    EXPECT_EQ(nOut, OUT_UNTOUCHED);
    EXPECT_EQ(Driver().QueryChannelMask(0, 0), MOTION_ERR_NO_ENTRY_POINT);
    EXPECT_EQ(Driver().m_nChannelMask, 0);
}

} // namespace
