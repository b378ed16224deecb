// Decoding of the monitor's status words and motion states.
#include <gtest/gtest.h>

#include <map>

#include "ui/status_decode.h"
#include "ui/viruvede_dlg.h"

namespace {

// Lamp -> state for every lamp a family sets from one status word.
std::map<int, int> Lamps(StatusFamily eFamily, int nStatus)
{
    std::map<int, int> mapLamps;
    const LAMP_TABLE table = LampTable(eFamily);
    for (int i = 0; i < table.nCount; ++i)
        mapLamps[table.pEntries[i].nLamp] = LampState(table.pEntries[i], nStatus);
    return mapLamps;
}

std::map<int, int> AllOff(std::initializer_list<int> anLamps)
{
    std::map<int, int> mapLamps;
    for (int nLamp : anLamps)
        mapLamps[nLamp] = 0;
    return mapLamps;
}

std::map<int, int> With(std::map<int, int> mapLamps, int nLamp)
{
    mapLamps[nLamp] = 1;
    return mapLamps;
}

const std::initializer_list<int> SERVO_LAMPS = { LAMP_ALM, LAMP_WARN, LAMP_RDY, LAMP_INP, LAMP_ORG, LAMP_NEL, LAMP_PEL };
const std::initializer_list<int> PULSE_LAMPS = { LAMP_ALM, LAMP_RDY, LAMP_INP, LAMP_ORG, LAMP_NEL, LAMP_PEL };
const std::initializer_list<int> KTRB04_LAMPS = { LAMP_WARN, LAMP_ALM, LAMP_ORG, LAMP_RDY, LAMP_SERVO, LAMP_INP };

TEST(StatusDecode, EachStatusBitLightsItsLampOnly)
{
    struct {
        StatusFamily eFamily;
        std::initializer_list<int> anLamps;
        int nBit;
        int nLamp; // -1: no lamp
    } const aRows[] = {
        { STATUS_SERVO, SERVO_LAMPS, 5, LAMP_ALM },
        { STATUS_SERVO, SERVO_LAMPS, 4, LAMP_WARN },
        { STATUS_SERVO, SERVO_LAMPS, 6, LAMP_RDY },
        { STATUS_SERVO, SERVO_LAMPS, 0, LAMP_INP },
        { STATUS_SERVO, SERVO_LAMPS, 10, LAMP_ORG },
        { STATUS_SERVO, SERVO_LAMPS, 8, LAMP_NEL },
        { STATUS_SERVO, SERVO_LAMPS, 9, LAMP_PEL },
        { STATUS_SERVO, SERVO_LAMPS, 1, -1 },
        { STATUS_SERVO, SERVO_LAMPS, 13, -1 },
        { STATUS_KESTRALINE, PULSE_LAMPS, 1, LAMP_ALM },
        { STATUS_KESTRALINE, PULSE_LAMPS, 0, LAMP_RDY },
        { STATUS_KESTRALINE, PULSE_LAMPS, 9, LAMP_INP },
        { STATUS_KESTRALINE, PULSE_LAMPS, 4, LAMP_ORG },
        { STATUS_KESTRALINE, PULSE_LAMPS, 2, LAMP_NEL },
        { STATUS_KESTRALINE, PULSE_LAMPS, 3, LAMP_PEL },
        { STATUS_KESTRALINE, PULSE_LAMPS, 5, -1 },
        { STATUS_KESTRALINE, PULSE_LAMPS, 6, -1 },
        { STATUS_KTRB04, KTRB04_LAMPS, 6, LAMP_WARN },
        { STATUS_KTRB04, KTRB04_LAMPS, 7, LAMP_ALM },
        { STATUS_KTRB04, KTRB04_LAMPS, 11, LAMP_ORG },
        { STATUS_KTRB04, KTRB04_LAMPS, 15, LAMP_INP },
        { STATUS_KTRB04, KTRB04_LAMPS, 9, -1 },
        { STATUS_KTRB04, KTRB04_LAMPS, 0, -1 },
    };
    for (const auto& row : aRows) {
        auto expected = AllOff(row.anLamps);
        if (row.nLamp >= 0)
            expected[row.nLamp] = 1;
        EXPECT_EQ(expected, Lamps(row.eFamily, 1 << row.nBit)) << "family " << row.eFamily << " bit " << row.nBit;
    }
}

TEST(StatusDecode, Ktrb04ReadyAndMovingBitsLightTheServoLamp)
{
    const auto off = AllOff(KTRB04_LAMPS);
    EXPECT_EQ(With(With(off, LAMP_RDY), LAMP_SERVO), Lamps(STATUS_KTRB04, 0x2000));
    EXPECT_EQ(With(off, LAMP_SERVO), Lamps(STATUS_KTRB04, 0x0400));
    EXPECT_EQ(off, Lamps(STATUS_KTRB04, 0));
}

TEST(StatusDecode, LampTablesSetTheirLampsInOrderAndLeaveTheRestAlone)
{
    // The pulse node has no warning bit, the KTRB04-M2 node no limit inputs.
    const struct {
        StatusFamily eFamily;
        std::vector<int> anOrder;
    } aRows[] = {
        { STATUS_SERVO, { LAMP_ALM, LAMP_WARN, LAMP_RDY, LAMP_INP, LAMP_ORG, LAMP_NEL, LAMP_PEL } },
        { STATUS_KESTRALINE, { LAMP_ALM, LAMP_RDY, LAMP_INP, LAMP_ORG, LAMP_NEL, LAMP_PEL } },
        { STATUS_KTRB04, { LAMP_WARN, LAMP_ALM, LAMP_ORG, LAMP_RDY, LAMP_SERVO, LAMP_INP } },
    };
    for (const auto& row : aRows) {
        const LAMP_TABLE table = LampTable(row.eFamily);
        std::vector<int> anOrder;
        for (int i = 0; i < table.nCount; ++i)
            anOrder.push_back(table.pEntries[i].nLamp);
        EXPECT_EQ(row.anOrder, anOrder) << row.eFamily;
    }
}

TEST(StatusDecode, MotionStatesAreNamedAsEachFamilyNumbersThem)
{
    struct {
        int nState;
        const wchar_t* pszServo;
        const wchar_t* pszPulse;
    } const aRows[] = {
        { 0, L"Stop", L"Stop" },
        { 1, L"In Acceleration", L"" },
        { 2, L"In WorkSpeed", L"" },
        { 3, L"In Deceleration", L"" },
        { 4, L"In Initial Speed", L"" },
        { 5, L"waiting for Input", L"" },
        { 6, L"In Sync Mode", L"" },
        { 7, L"", L"" },
        { 8, L"", L"" },
        { 9, L"", L"" },
        { 10, L"In Home Idle", L"In Initial Speed" },
        { 11, L"", L"In Acceleration" },
        { 12, L"", L"In WorkSpeed" },
        { 13, L"", L"In Deceleration" },
        { 14, L"In Wait sampling", L"" },
        { 15, L"Unknown State", L"" },
        { 16, L"", L"" },
        { -1, L"", L"" },
        { 0x7FFFFFFF, L"", L"" },
    };
    for (const auto& row : aRows) {
        EXPECT_STREQ(row.pszServo, MotionStateText(STATUS_SERVO, row.nState)) << row.nState;
        EXPECT_STREQ(row.pszPulse, MotionStateText(STATUS_KESTRALINE, row.nState)) << row.nState;
        EXPECT_STREQ(L"", MotionStateText(STATUS_KTRB04, row.nState)) << row.nState;
    }
}

TEST(StatusDecode, Ktrb04StateComesFromTheStatusWord)
{
    struct {
        int nStatus;
        const wchar_t* pszText;
    } const aRows[] = {
        { 0x0000, L"Stop" },
        { 0x2000, L"Stop" },
        { 0x0400, L"Moving" },
        { 0x2400, L"Moving" },
        { 0x0200, L"Axis StepOut" },
        { 0x0600, L"Axis StepOut" },
        { -1, L"Axis StepOut" },
    };
    for (const auto& row : aRows)
        EXPECT_STREQ(row.pszText, Ktrb04MotionStateText(row.nStatus)) << row.nStatus;
}

TEST(StatusDecode, ReadOutTexts)
{
    EXPECT_EQ(L"  1234.500", PositionText(1234.5));
    EXPECT_EQ(L"    -0.125", PositionText(-0.125));
    EXPECT_EQ(L"  12345678", PulseText(12345678));
    EXPECT_EQ(L"        -7", PulseText(-7));
    EXPECT_EQ(L"Motion Error : [-3]", MotionErrorText(-3));
    EXPECT_EQ(L"Alarm : [a5]", AlarmText(0x1A5));
    EXPECT_EQ(L"Alarm : [07]", AlarmText(7));
    EXPECT_EQ(L"Alarm : [00]", AlarmText(0x100));
    EXPECT_EQ(L"", AlarmText(0));
}

TEST(StatusDecode, ServoCaptionNeedsExactlyOneAndHomingTexts)
{
    EXPECT_STREQ(L"Servo ON", ServoOnCaption(1));
    for (int nValue : { 0, 2, -1 })
        EXPECT_STREQ(L"Servo OFF", ServoOnCaption(nValue)) << nValue;
    EXPECT_STREQ(L"Homing", HomingText(3));
    EXPECT_STREQ(L"Stop", HomingText(0));
    EXPECT_STREQ(L"TRUE", HomeSuccessText(-1));
    EXPECT_STREQ(L"FALSE", HomeSuccessText(0));
}

TEST(StatusDecode, AlarmBitOfEachFamily)
{
    EXPECT_EQ(1u << 5, AlarmBitMask(STATUS_SERVO));
    EXPECT_EQ(1u << 1, AlarmBitMask(STATUS_KESTRALINE));
    EXPECT_EQ(1u << 7, AlarmBitMask(STATUS_KTRB04));
}

} // namespace
