// CDidKtrb04: the driver of KTRB04-M2 pulse nodes. It owns the motion
// library's loaded lifetime and the board list, maps the shared block
// "KTRB04_M2", and drives one node channel at a time with register commands
// carried by AdvDataRW command 29.
//
// Every operation returns an int status, 0 = success (m_nLastResult unless
// stated). A channel outside 0..7 is refused with KTRB04_ERR_BAD_CHANNEL and
// nothing is sent or changed. Out-values are pointers; a read that fails
// leaves its out-value as it was.
#pragma once

#include "motion/ktrb04_frame.h"
#include "motion/motion_library.h"
#include "winapi/win32.h"

enum { KTRB04_ERR_BAD_CHANNEL = -9998 };

// Register codes (RegCode). Entry registers add the entry number.
enum : uint16_t {
    KTRB04_REG_DISTANCE = 0x1000,
    KTRB04_REG_WORK_SPEED_WRITE = 0x1100,
    KTRB04_REG_WORK_SPEED_READ = 0x0100,
    KTRB04_REG_ENTRY2_WRITE = 0x1200,
    KTRB04_REG_ENTRY3_WRITE = 0x1300,
    KTRB04_REG_ENTRY4_WRITE = 0x1400,
    KTRB04_REG_ACCEL_WRITE = 0x1500,
    KTRB04_REG_ACCEL_READ = 0x0500,
    KTRB04_REG_DECEL_WRITE = 0x1600,
    KTRB04_REG_DECEL_READ = 0x0600,
    KTRB04_REG_CHANNEL_QUERY = 0x1C00,
    KTRB04_REG_STOP_MODE = 0x1C02,
    KTRB04_REG_EL_LOGIC_WRITE = 0x1C11,
    KTRB04_REG_EL_LOGIC_READ = 0x0C11,
    KTRB04_REG_ORG_LOGIC_WRITE = 0x1C12,
    KTRB04_REG_ORG_LOGIC_READ = 0x0C12,
    KTRB04_REG_EL_STOP_MODE_WRITE = 0x1C14,
    KTRB04_REG_EL_STOP_MODE_READ = 0x0C14,
    KTRB04_REG_HOME_MODE_WRITE = 0x1C60,
    KTRB04_REG_HOME_MODE_READ = 0x0C60,
    KTRB04_REG_HOME_SPEED_WRITE = 0x1C62,
    KTRB04_REG_HOME_SPEED_READ = 0x0C62,
    KTRB04_REG_HOME_ACCEL_WRITE = 0x1C63,
    KTRB04_REG_HOME_ACCEL_READ = 0x0C63,
    KTRB04_REG_HOME_OFFSET_WRITE = 0x1C65,
    KTRB04_REG_HOME_OFFSET_READ = 0x0C65,
    KTRB04_REG_HOME_DIRECTION_WRITE = 0x1C66,
    KTRB04_REG_HOME_DIRECTION_READ = 0x0C66,
    KTRB04_REG_GROUP_MASTER = 0x1F03,
    KTRB04_REG_ALARM_CODE = 0x2E00,
    KTRB04_REG_COMMAND_POSITION = 0x2E18,
    KTRB04_REG_FEEDBACK_SPEED = 0x2E19,
    KTRB04_REG_COMMAND_SPEED = 0x2E1A,
    KTRB04_REG_FEEDBACK_POSITION = 0x2E1B,
    KTRB04_REG_ALARM_RESET = 0x3E80,
    KTRB04_REG_POSITION_RESET = 0x3E8B
};

class CDidKtrb04 {
public:
    // Loads the motion library, reads the board list and maps the shared block.
    CDidKtrb04();
    // Unmaps the shared block, unloads the boards and the library.
    virtual ~CDidKtrb04();

    CDidKtrb04(const CDidKtrb04&) = delete;
    CDidKtrb04& operator=(const CDidKtrb04&) = delete;

    // Node and channel set-up.
    int QueryChannelMask(int nCh, int nValue); // fills m_nChannelMask (0 when the exchange fails)
    int SelectEntry(int nCh, int nEntry);      // low four bits of the command word
    int SetStopMode(int nCh, int nMode);
    int SetGroupMaster(int nCh, int nMaster);  // 0..7 follows that master, -1 releases

    // Command bits: set sends the bit until the matching clear.
    int ServoOnBitSet(int nCh);
    int ServoOnBitClear(int nCh);
    int StopBitSet(int nCh);
    int StopBitClear(int nCh);
    int HomeStartBitSet(int nCh);
    int HomeStartBitClear(int nCh);
    int JogMinusBitSet(int nCh);
    int JogMinusBitClear(int nCh);
    int JogPlusBitSet(int nCh);
    int JogPlusBitClear(int nCh);
    int MoveStartBitSet(int nCh);
    int MoveStartBitClear(int nCh);

    // Entry registers.
    int WriteDistance(int nCh, int nEntry, int nValue);
    int WriteWorkSpeed(int nCh, int nEntry, int nValue);
    int ReadWorkSpeed(int nCh, int nEntry, int* pnValue);
    int WriteEntryReg2(int nCh, int nEntry, int nValue);
    int WriteEntryReg3(int nCh, int nEntry, int nValue);
    int WriteEntryReg4(int nCh, int nEntry, int nValue);
    int WriteAccel(int nCh, int nEntry, int nValue);
    int ReadAccel(int nCh, int nEntry, int* pnValue);
    int WriteDecel(int nCh, int nEntry, int nValue);
    int ReadDecel(int nCh, int nEntry, int* pnValue);

    // Monitor registers and status.
    int ReadCommandPosition(int nCh, int* pnValue);
    int ReadFeedbackPosition(int nCh, int* pnValue);
    int ReadCommandSpeed(int nCh, int* pnValue);
    int ReadFeedbackSpeed(int nCh, int* pnValue); // never exchanged: 0 after a good previous exchange
    int ReadAlarmCode(int nCh, int* pnValue);
    int ReadStatusWord(int nCh, int* pnValue);
    int ReadHomeSuccess(int nCh, int* pnFlag);    // latched once seen

    // Commands.
    int AlarmReset(int nCh);
    int ResetPosition(int nCh);

    // Homing and signal-logic parameters.
    int WriteHomeMode(int nCh, int nValue);
    int ReadHomeMode(int nCh, int* pnValue);
    int WriteHomeDirection(int nCh, int nValue);
    int ReadHomeDirection(int nCh, int* pnValue);
    int WriteHomeOffset(int nCh, int nValue);
    int ReadHomeOffset(int nCh, int* pnValue);
    int WriteHomeSpeed(int nCh, int nValue);
    int ReadHomeSpeed(int nCh, int* pnValue);
    int WriteHomeAccel(int nCh, int nValue);
    int ReadHomeAccel(int nCh, int* pnValue);
    int WriteElLogic(int nCh, int nValue);
    int ReadElLogic(int nCh, int* pnValue);
    int WriteElStopMode(int nCh, int nValue);
    int ReadElStopMode(int nCh, int* pnValue);
    int WriteOrgLogic(int nCh, int nValue);
    int ReadOrgLogic(int nCh, int* pnValue);

    // The exchange steps.
    void StampStation();
    int Exchange();
    int Acknowledge();

    // Fields in their documented order; the dialog reads m_nDevCount,
    // m_anDevNo, m_nChannelMask, m_bGroupMaster and m_nGroupMembers and
    // writes m_nDevNo.
    int m_nLastResult;
    int m_nDevCount;              // clamped to 0..MOTION_MAX_DEVICES
    int m_anDevNo[MOTION_MAX_DEVICES];
    int m_nDevLoadExtra;
    int m_nDevNo;
    int m_nChannelMask;
    HANDLE m_hSharedMap;
    Ktrb04SharedBlock* m_pShared; // null without a shared block
    DWORD m_dwHeader;
    Ktrb04Frame m_Build;
    int m_nStation;
    Ktrb04Frame m_TxFrame;
    Ktrb04Frame m_RxFrame;
    int m_bHomeLatch[KTRB04_CHANNELS];
    int m_bGroupMaster[KTRB04_CHANNELS];
    int m_nMasterOf[KTRB04_CHANNELS];
    int m_nGroupMembers[KTRB04_CHANNELS];
    int m_bLibraryLoaded;         // result of loading the motion library

private:
    enum EAcknowledge { ACK_IF_OK, ACK_ALWAYS };

    void MapSharedBlock();
    void UnmapSharedBlock();

    int SetCommandBit(int nCh, uint16_t wBit, bool bSet);
    void ComposeChannelUpdate();
    void ComposeRequest(int nCh, uint16_t wCode, int32_t nData);
    int RunWrite(int nCh, uint16_t wCode, int32_t nValue, EAcknowledge eAck);
    int RunRead(int nCh, uint16_t wCode, int32_t nData, int* pnValue);
    int RunParameterRead(int nCh, uint16_t wCode, int* pnValue);
    int RunMonitorRead(int nCh, uint16_t wCode, int* pnValue);
    int RunStatus(int nCh);
    void UpdateGroupTables(int nCh, int nMaster);
};
