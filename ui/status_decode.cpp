#include "ui/status_decode.h"

#include "framework/format.h"
#include "ui/viruvede_dlg.h"

namespace {

const unsigned int BIT0 = 1u << 0;
const unsigned int BIT1 = 1u << 1;
const unsigned int BIT2 = 1u << 2;
const unsigned int BIT3 = 1u << 3;
const unsigned int BIT4 = 1u << 4;
const unsigned int BIT5 = 1u << 5;
const unsigned int BIT6 = 1u << 6;
const unsigned int BIT7 = 1u << 7;
const unsigned int BIT8 = 1u << 8;
const unsigned int BIT9 = 1u << 9;
const unsigned int BIT10 = 1u << 10;
const unsigned int BIT11 = 1u << 11;
const unsigned int BIT13 = 1u << 13;
const unsigned int BIT15 = 1u << 15;

// StReadMioStatuses: lamps 0..6 in index order.
const LAMP_BIT s_aServoLamps[] = {
    { LAMP_ALM, BIT5 }, { LAMP_WARN, BIT4 }, { LAMP_RDY, BIT6 }, { LAMP_INP, BIT0 },
    { LAMP_ORG, BIT10 }, { LAMP_NEL, BIT8 }, { LAMP_PEL, BIT9 },
};

// PmStReadMIOStatus has no warning bit; WARN keeps what it showed.
const LAMP_BIT s_aKestralineLamps[] = {
    { LAMP_ALM, BIT1 }, { LAMP_RDY, BIT0 }, { LAMP_INP, BIT9 },
    { LAMP_ORG, BIT4 }, { LAMP_NEL, BIT2 }, { LAMP_PEL, BIT3 },
};

// The status word carries the servo state too; the limit lamps are not
// reported by this node.
const LAMP_BIT s_aKtrb04Lamps[] = {
    { LAMP_WARN, BIT6 }, { LAMP_ALM, BIT7 }, { LAMP_ORG, BIT11 }, { LAMP_RDY, BIT13 },
    { LAMP_SERVO, KTRB04_SERVO_ON_MASK }, { LAMP_INP, BIT15 },
};

template <size_t N>
LAMP_TABLE TableOf(const LAMP_BIT (&aEntries)[N])
{
    return LAMP_TABLE{ aEntries, static_cast<int>(N) };
}

// Motion states 0..15; null is the empty text.
const wchar_t* const s_apServoStates[] = {
    L"Stop", L"In Acceleration", L"In WorkSpeed", L"In Deceleration",
    L"In Initial Speed", L"waiting for Input", L"In Sync Mode", nullptr,
    nullptr, nullptr, L"In Home Idle", nullptr,
    nullptr, nullptr, L"In Wait sampling", L"Unknown State",
};

const wchar_t* const s_apKestralineStates[] = {
    L"Stop", nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, L"In Initial Speed", L"In Acceleration",
    L"In WorkSpeed", L"In Deceleration", nullptr, nullptr,
};

const int MOTION_STATE_COUNT = 16;
static_assert(sizeof(s_apServoStates) / sizeof(s_apServoStates[0]) == MOTION_STATE_COUNT, "servo states");
static_assert(sizeof(s_apKestralineStates) / sizeof(s_apKestralineStates[0]) == MOTION_STATE_COUNT, "pulse states");

// First matching bit wins; no bit means stopped.
const struct {
    unsigned int uMask;
    const wchar_t* pszText;
} s_aKtrb04States[] = {
    { BIT9, L"Axis StepOut" },
    { BIT10, L"Moving" },
};

} // namespace

LAMP_TABLE LampTable(StatusFamily eFamily)
{
    switch (eFamily) {
    case STATUS_SERVO:
        return TableOf(s_aServoLamps);
    case STATUS_KESTRALINE:
        return TableOf(s_aKestralineLamps);
    case STATUS_KTRB04:
        return TableOf(s_aKtrb04Lamps);
    }
    return LAMP_TABLE{ nullptr, 0 };
}

int LampState(const LAMP_BIT& entry, int nStatus)
{
    return (static_cast<unsigned int>(nStatus) & entry.uMask) != 0 ? 1 : 0;
}

const wchar_t* MotionStateText(StatusFamily eFamily, int nState)
{
    if (nState < 0 || nState >= MOTION_STATE_COUNT)
        return L"";
    const wchar_t* pszText = nullptr;
    if (eFamily == STATUS_SERVO)
        pszText = s_apServoStates[nState];
    else if (eFamily == STATUS_KESTRALINE)
        pszText = s_apKestralineStates[nState];
    return pszText != nullptr ? pszText : L"";
}

const wchar_t* Ktrb04MotionStateText(int nStatusWord)
{
    for (const auto& state : s_aKtrb04States)
        if ((static_cast<unsigned int>(nStatusWord) & state.uMask) != 0)
            return state.pszText;
    return L"Stop";
}

unsigned int AlarmBitMask(StatusFamily eFamily)
{
    switch (eFamily) {
    case STATUS_SERVO:
        return BIT5;
    case STATUS_KESTRALINE:
        return BIT1;
    case STATUS_KTRB04:
        return BIT7;
    }
    return 0;
}

const wchar_t* ServoOnCaption(int nServoOn)
{
    return nServoOn == 1 ? L"Servo ON" : L"Servo OFF";
}

const wchar_t* HomingText(int nBusy)
{
    return nBusy != 0 ? L"Homing" : L"Stop";
}

const wchar_t* HomeSuccessText(int nFlag)
{
    return nFlag != 0 ? L"TRUE" : L"FALSE";
}

std::wstring PositionText(double dValue)
{
    return FormatText("%10.3f", dValue);
}

std::wstring PulseText(int nValue)
{
    return FormatText("%10d", nValue);
}

std::wstring MotionErrorText(int nResult)
{
    return FormatText("Motion Error : [%d]", nResult);
}

std::wstring AlarmText(int nCode)
{
    if (nCode == 0)
        return std::wstring();
    return FormatText("Alarm : [%02x]", static_cast<unsigned int>(nCode) & 0xFFu);
}
