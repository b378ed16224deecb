// The operations of CDidKtrb04, each in one of five patterns: command bit,
// register write, parameter read, monitor read, status.
#include "motion/did_ktrb04.h"

namespace {

bool IsChannel(int nCh)
{
    return nCh >= 0 && nCh < KTRB04_CHANNELS;
}

uint16_t EntryCode(uint16_t wBase, int nEntry)
{
    return static_cast<uint16_t>((wBase + nEntry) & KTRB04_REG_CODE_MASK);
}

} // namespace

// ---------------------------------------------------------------- composing

// A frame that carries only channel words: no register request, no data.
// wRegChannel stays as the last request left it.
void CDidKtrb04::ComposeChannelUpdate()
{
    m_Build.SetControl(0);
    m_Build.SetData(0);
}

void CDidKtrb04::ComposeRequest(int nCh, uint16_t wCode, int32_t nData)
{
    m_Build.SetRegChannel(static_cast<uint16_t>(nCh));
    m_Build.SetControl(static_cast<uint16_t>((wCode & KTRB04_REG_CODE_MASK) | KTRB04_REQUEST));
    m_Build.SetData(nData);
}

// ---------------------------------------------------------------- patterns

int CDidKtrb04::SetCommandBit(int nCh, uint16_t wBit, bool bSet)
{
    if (!IsChannel(nCh)) {
        return KTRB04_ERR_BAD_CHANNEL;
    }
    const uint16_t wWord = m_Build.Channel(nCh);
    m_Build.SetChannel(nCh, static_cast<uint16_t>(bSet ? (wWord | wBit) : (wWord & ~wBit)));
    ComposeChannelUpdate();
    return Exchange();
}

int CDidKtrb04::RunWrite(int nCh, uint16_t wCode, int32_t nValue, EAcknowledge eAck)
{
    if (!IsChannel(nCh)) {
        return KTRB04_ERR_BAD_CHANNEL;
    }
    ComposeRequest(nCh, wCode, nValue);
    if (Exchange() == 0 || eAck == ACK_ALWAYS) {
        Acknowledge();
    }
    return m_nLastResult;
}

int CDidKtrb04::RunRead(int nCh, uint16_t wCode, int32_t nData, int* pnValue)
{
    if (!IsChannel(nCh)) {
        return KTRB04_ERR_BAD_CHANNEL;
    }
    ComposeRequest(nCh, wCode, nData);
    if (Exchange() != 0) {
        return m_nLastResult; // the value is not written, the request not acknowledged
    }
    if (pnValue) {
        *pnValue = m_RxFrame.Data();
    }
    return Acknowledge();
}

int CDidKtrb04::RunParameterRead(int nCh, uint16_t wCode, int* pnValue)
{
    return RunRead(nCh, wCode, 0, pnValue);
}

int CDidKtrb04::RunMonitorRead(int nCh, uint16_t wCode, int* pnValue)
{
    return RunRead(nCh, wCode, nCh, pnValue);
}

// The caller reads wChannel[nCh] of the response.
int CDidKtrb04::RunStatus(int nCh)
{
    m_Build.SetRegChannel(static_cast<uint16_t>(nCh));
    ComposeChannelUpdate();
    return Exchange();
}

// ---------------------------------------------------------------- node and channel set-up

int CDidKtrb04::QueryChannelMask(int nCh, int nValue)
{
    if (!IsChannel(nCh)) {
        return KTRB04_ERR_BAD_CHANNEL;
    }
    ComposeRequest(nCh, KTRB04_REG_CHANNEL_QUERY, nValue);
    const int nResult = Exchange();
    m_nChannelMask = nResult == 0 ? (m_RxFrame.Word(KTRB04_WORD_RESERVED) & 0xFF) : 0;
    return Acknowledge();
}

int CDidKtrb04::SelectEntry(int nCh, int nEntry)
{
    if (!IsChannel(nCh)) {
        return KTRB04_ERR_BAD_CHANNEL;
    }
    const uint16_t wWord = m_Build.Channel(nCh);
    m_Build.SetChannel(nCh, static_cast<uint16_t>((wWord & ~KTRB04_CMD_ENTRY_MASK) | (nEntry & KTRB04_CMD_ENTRY_MASK)));
    ComposeChannelUpdate();
    if (Exchange() == 0) {
        Acknowledge();
    }
    return m_nLastResult;
}

int CDidKtrb04::SetStopMode(int nCh, int nMode)
{
    return RunWrite(nCh, KTRB04_REG_STOP_MODE, nMode, ACK_ALWAYS);
}

int CDidKtrb04::SetGroupMaster(int nCh, int nMaster)
{
    if (!IsChannel(nCh)) {
        return KTRB04_ERR_BAD_CHANNEL;
    }
    ComposeRequest(nCh, KTRB04_REG_GROUP_MASTER, nMaster);
    if (Exchange() == 0) {
        UpdateGroupTables(nCh, nMaster);
    }
    return Acknowledge();
}

// Release clears the old master's flag even when other channels still follow
// it, and keeps their bits in its member mask; naming a master does not clean
// up a previous one. Values other than -1..7 change no table.
void CDidKtrb04::UpdateGroupTables(int nCh, int nMaster)
{
    if (nMaster == -1) {
        const int nOld = m_nMasterOf[nCh];
        if (IsChannel(nOld)) {
            m_bGroupMaster[nOld] = 0;
            m_nGroupMembers[nOld] &= ~(1 << nCh);
        }
        m_nMasterOf[nCh] = -1;
        return;
    }
    if (!IsChannel(nMaster)) {
        return;
    }
    m_bGroupMaster[nMaster] = 1;
    m_nMasterOf[nCh] = nMaster;
    m_nGroupMembers[nMaster] |= 1 << nCh;
}

// ---------------------------------------------------------------- command bits

int CDidKtrb04::ServoOnBitSet(int nCh) { return SetCommandBit(nCh, KTRB04_CMD_SERVO_ON, true); }
int CDidKtrb04::ServoOnBitClear(int nCh) { return SetCommandBit(nCh, KTRB04_CMD_SERVO_ON, false); }
int CDidKtrb04::StopBitSet(int nCh) { return SetCommandBit(nCh, KTRB04_CMD_STOP, true); }
int CDidKtrb04::StopBitClear(int nCh) { return SetCommandBit(nCh, KTRB04_CMD_STOP, false); }
int CDidKtrb04::HomeStartBitSet(int nCh) { return SetCommandBit(nCh, KTRB04_CMD_HOME_START, true); }
int CDidKtrb04::HomeStartBitClear(int nCh) { return SetCommandBit(nCh, KTRB04_CMD_HOME_START, false); }
int CDidKtrb04::JogMinusBitSet(int nCh) { return SetCommandBit(nCh, KTRB04_CMD_JOG_MINUS, true); }
int CDidKtrb04::JogMinusBitClear(int nCh) { return SetCommandBit(nCh, KTRB04_CMD_JOG_MINUS, false); }
int CDidKtrb04::JogPlusBitSet(int nCh) { return SetCommandBit(nCh, KTRB04_CMD_JOG_PLUS, true); }
int CDidKtrb04::JogPlusBitClear(int nCh) { return SetCommandBit(nCh, KTRB04_CMD_JOG_PLUS, false); }
int CDidKtrb04::MoveStartBitSet(int nCh) { return SetCommandBit(nCh, KTRB04_CMD_MOVE_START, true); }
int CDidKtrb04::MoveStartBitClear(int nCh) { return SetCommandBit(nCh, KTRB04_CMD_MOVE_START, false); }

// ---------------------------------------------------------------- entry registers

int CDidKtrb04::WriteDistance(int nCh, int nEntry, int nValue)
{
    return RunWrite(nCh, EntryCode(KTRB04_REG_DISTANCE, nEntry), nValue, ACK_IF_OK);
}

int CDidKtrb04::WriteWorkSpeed(int nCh, int nEntry, int nValue)
{
    return RunWrite(nCh, EntryCode(KTRB04_REG_WORK_SPEED_WRITE, nEntry), nValue, ACK_IF_OK);
}

int CDidKtrb04::ReadWorkSpeed(int nCh, int nEntry, int* pnValue)
{
    return RunParameterRead(nCh, EntryCode(KTRB04_REG_WORK_SPEED_READ, nEntry), pnValue);
}

int CDidKtrb04::WriteEntryReg2(int nCh, int nEntry, int nValue)
{
    return RunWrite(nCh, EntryCode(KTRB04_REG_ENTRY2_WRITE, nEntry), nValue, ACK_IF_OK);
}

int CDidKtrb04::WriteEntryReg3(int nCh, int nEntry, int nValue)
{
    return RunWrite(nCh, EntryCode(KTRB04_REG_ENTRY3_WRITE, nEntry), nValue, ACK_IF_OK);
}

int CDidKtrb04::WriteEntryReg4(int nCh, int nEntry, int nValue)
{
    return RunWrite(nCh, EntryCode(KTRB04_REG_ENTRY4_WRITE, nEntry), nValue, ACK_IF_OK);
}

int CDidKtrb04::WriteAccel(int nCh, int nEntry, int nValue)
{
    return RunWrite(nCh, EntryCode(KTRB04_REG_ACCEL_WRITE, nEntry), nValue, ACK_IF_OK);
}

int CDidKtrb04::ReadAccel(int nCh, int nEntry, int* pnValue)
{
    return RunParameterRead(nCh, EntryCode(KTRB04_REG_ACCEL_READ, nEntry), pnValue);
}

int CDidKtrb04::WriteDecel(int nCh, int nEntry, int nValue)
{
    return RunWrite(nCh, EntryCode(KTRB04_REG_DECEL_WRITE, nEntry), nValue, ACK_IF_OK);
}

int CDidKtrb04::ReadDecel(int nCh, int nEntry, int* pnValue)
{
    return RunParameterRead(nCh, EntryCode(KTRB04_REG_DECEL_READ, nEntry), pnValue);
}

// ---------------------------------------------------------------- monitor registers and status

int CDidKtrb04::ReadCommandPosition(int nCh, int* pnValue)
{
    return RunMonitorRead(nCh, KTRB04_REG_COMMAND_POSITION, pnValue);
}

int CDidKtrb04::ReadFeedbackPosition(int nCh, int* pnValue)
{
    return RunMonitorRead(nCh, KTRB04_REG_FEEDBACK_POSITION, pnValue);
}

int CDidKtrb04::ReadCommandSpeed(int nCh, int* pnValue)
{
    return RunMonitorRead(nCh, KTRB04_REG_COMMAND_SPEED, pnValue);
}

// The request frame is composed but never exchanged: only its acknowledge
// goes out, and only when the previous operation succeeded. The feedback
// speed of a KTRB04 channel therefore reads 0.
int CDidKtrb04::ReadFeedbackSpeed(int nCh, int* pnValue)
{
    if (!IsChannel(nCh)) {
        return KTRB04_ERR_BAD_CHANNEL;
    }
    ComposeRequest(nCh, KTRB04_REG_FEEDBACK_SPEED, nCh);
    StampStation();
    m_TxFrame = m_Build;
    if (m_nLastResult == 0) {
        if (pnValue) {
            *pnValue = 0;
        }
        Acknowledge();
    }
    return m_nLastResult;
}

int CDidKtrb04::ReadAlarmCode(int nCh, int* pnValue)
{
    return RunMonitorRead(nCh, KTRB04_REG_ALARM_CODE, pnValue);
}

// The value comes from the response buffer whatever the status: after a
// failed exchange it is what the buffer last held (zero before any answer).
int CDidKtrb04::ReadStatusWord(int nCh, int* pnValue)
{
    if (!IsChannel(nCh)) {
        return KTRB04_ERR_BAD_CHANNEL;
    }
    RunStatus(nCh);
    if (pnValue) {
        *pnValue = static_cast<int16_t>(m_RxFrame.Channel(nCh));
    }
    return m_nLastResult;
}

// Once a channel has reported home success it reports it without asking
// again. A failed exchange reports 0 and never latches: its response buffer
// may be stale.
int CDidKtrb04::ReadHomeSuccess(int nCh, int* pnFlag)
{
    if (!IsChannel(nCh)) {
        return KTRB04_ERR_BAD_CHANNEL;
    }
    if (m_bHomeLatch[nCh]) {
        if (pnFlag) {
            *pnFlag = 1;
        }
        return 0;
    }
    const bool bHome = RunStatus(nCh) == 0 && (m_RxFrame.Channel(nCh) & KTRB04_STS_HOME) != 0;
    m_bHomeLatch[nCh] = bHome ? 1 : 0;
    if (pnFlag) {
        *pnFlag = bHome ? 1 : 0;
    }
    return m_nLastResult;
}

// ---------------------------------------------------------------- commands

int CDidKtrb04::AlarmReset(int nCh)
{
    return RunWrite(nCh, KTRB04_REG_ALARM_RESET, 1, ACK_IF_OK);
}

int CDidKtrb04::ResetPosition(int nCh)
{
    return RunWrite(nCh, KTRB04_REG_POSITION_RESET, 1, ACK_IF_OK);
}

// ---------------------------------------------------------------- homing and signal logic

int CDidKtrb04::WriteHomeMode(int nCh, int nValue) { return RunWrite(nCh, KTRB04_REG_HOME_MODE_WRITE, nValue, ACK_ALWAYS); }
int CDidKtrb04::ReadHomeMode(int nCh, int* pnValue) { return RunParameterRead(nCh, KTRB04_REG_HOME_MODE_READ, pnValue); }
int CDidKtrb04::WriteHomeDirection(int nCh, int nValue) { return RunWrite(nCh, KTRB04_REG_HOME_DIRECTION_WRITE, nValue, ACK_ALWAYS); }
int CDidKtrb04::ReadHomeDirection(int nCh, int* pnValue) { return RunParameterRead(nCh, KTRB04_REG_HOME_DIRECTION_READ, pnValue); }
int CDidKtrb04::WriteHomeOffset(int nCh, int nValue) { return RunWrite(nCh, KTRB04_REG_HOME_OFFSET_WRITE, nValue, ACK_ALWAYS); }
int CDidKtrb04::ReadHomeOffset(int nCh, int* pnValue) { return RunParameterRead(nCh, KTRB04_REG_HOME_OFFSET_READ, pnValue); }
int CDidKtrb04::WriteHomeSpeed(int nCh, int nValue) { return RunWrite(nCh, KTRB04_REG_HOME_SPEED_WRITE, nValue, ACK_ALWAYS); }
int CDidKtrb04::ReadHomeSpeed(int nCh, int* pnValue) { return RunParameterRead(nCh, KTRB04_REG_HOME_SPEED_READ, pnValue); }
int CDidKtrb04::WriteHomeAccel(int nCh, int nValue) { return RunWrite(nCh, KTRB04_REG_HOME_ACCEL_WRITE, nValue, ACK_ALWAYS); }
int CDidKtrb04::ReadHomeAccel(int nCh, int* pnValue) { return RunParameterRead(nCh, KTRB04_REG_HOME_ACCEL_READ, pnValue); }
int CDidKtrb04::WriteElLogic(int nCh, int nValue) { return RunWrite(nCh, KTRB04_REG_EL_LOGIC_WRITE, nValue, ACK_ALWAYS); }
int CDidKtrb04::ReadElLogic(int nCh, int* pnValue) { return RunParameterRead(nCh, KTRB04_REG_EL_LOGIC_READ, pnValue); }
int CDidKtrb04::WriteElStopMode(int nCh, int nValue) { return RunWrite(nCh, KTRB04_REG_EL_STOP_MODE_WRITE, nValue, ACK_ALWAYS); }
int CDidKtrb04::ReadElStopMode(int nCh, int* pnValue) { return RunParameterRead(nCh, KTRB04_REG_EL_STOP_MODE_READ, pnValue); }
int CDidKtrb04::WriteOrgLogic(int nCh, int nValue) { return RunWrite(nCh, KTRB04_REG_ORG_LOGIC_WRITE, nValue, ACK_ALWAYS); }
int CDidKtrb04::ReadOrgLogic(int nCh, int* pnValue) { return RunParameterRead(nCh, KTRB04_REG_ORG_LOGIC_READ, pnValue); }
