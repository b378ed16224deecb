// Decoding of the status read-outs: motion-state texts and the status bits
// behind each lamp, per node family. Pure tables, no window and no library.
#pragma once

#include <string>

// The three ways a node reports its status.
enum StatusFamily {
    STATUS_SERVO = 0,      // StSxReadMotionState, StReadMioStatuses
    STATUS_KESTRALINE = 1, // PmStReadMotionState, PmStReadMIOStatus
    STATUS_KTRB04 = 2      // the channel's 16-bit status word
};

// One lamp and the status bits that light it (lit when any bit is set).
struct LAMP_BIT {
    int nLamp;
    unsigned int uMask;
};

// The lamps a family drives from its status word, in the order they are set.
struct LAMP_TABLE {
    const LAMP_BIT* pEntries;
    int nCount;
};

LAMP_TABLE LampTable(StatusFamily eFamily);

// 1 when the entry's bits are set in the status word, else 0.
int LampState(const LAMP_BIT& entry, int nStatus);

// Text of a motion state as a servo or I/O Kestraline node numbers it; empty
// for states the family does not name. The KTRB04 family has no numbered
// states and always gives the empty text.
const wchar_t* MotionStateText(StatusFamily eFamily, int nState);

// Motion state of a KTRB04-M2 channel from its status word.
const wchar_t* Ktrb04MotionStateText(int nStatusWord);

// Bits of the KTRB04-M2 status word that mean "servo on".
const unsigned int KTRB04_SERVO_ON_MASK = 0x2400;

// Alarm bit of the status word read once a second.
unsigned int AlarmBitMask(StatusFamily eFamily);

// Caption of the Servo ON button: "Servo ON" only for a servo-on value of
// exactly 1.
const wchar_t* ServoOnCaption(int nServoOn);

const wchar_t* HomingText(int nBusy);      // "Homing" / "Stop"
const wchar_t* HomeSuccessText(int nFlag); // "TRUE" / "FALSE"

// Read-out texts.
std::wstring PositionText(double dValue); // "%10.3f"
std::wstring PulseText(int nValue);       // "%10d"
std::wstring MotionErrorText(int nResult);
// "Alarm : [xx]" with the low byte of the code; empty for code 0.
std::wstring AlarmText(int nCode);
