// The KTRB04-M2 node behind AdvDataRW command 29: register requests and
// their acknowledges, and the per-channel command words, acted on at their
// edges. Frames are thirteen little-endian 16-bit words.
#include "sim/sim_model.h"

#include "sim/zelv_sim.h"

#include <cmath>

namespace zelvsim {

namespace {

enum {
    WORD_RESERVED = 0,
    WORD_CHANNEL0 = 1,
    WORD_REG_CHANNEL = 9,
    WORD_CONTROL = 10,
    WORD_DATA_LOW = 11,
    WORD_DATA_HIGH = 12,
    FRAME_WORDS = 13
};

enum : uint16_t {
    CONTROL_CODE_MASK = 0x3FFF,
    CONTROL_REQUEST = 0x4000,
    CODE_MONITOR = 0x2000,
    CODE_WRITE = 0x1000,
    CODE_REGISTER_MASK = 0x0FFF
};

// Command word bits.
enum : uint16_t {
    CMD_SERVO_ON = 0x2000,
    CMD_STOP = 0x1000,
    CMD_HOME = 0x0800,
    CMD_JOG_MINUS = 0x0400,
    CMD_JOG_PLUS = 0x0200,
    CMD_MOVE = 0x0100,
    CMD_ENTRY_MASK = 0x000F
};

// Status word bits.
enum : uint16_t {
    ST_WARNING = 0x0040,
    ST_ALARM = 0x0080,
    ST_STEP_OUT = 0x0200,
    ST_MOVING = 0x0400,
    ST_ORIGIN = 0x0800,
    ST_SERVO_ON = 0x2000,
    ST_IN_POSITION = 0x8000
};

// Registers.
enum {
    REG_DISTANCE = 0x000,
    REG_SPEED = 0x100,
    REG_ACCEL = 0x500,
    REG_DECEL = 0x600,
    REG_CHANNEL_QUERY = 0xC00,
    REG_STOP_MODE = 0xC02,
    REG_EL_LOGIC = 0xC11,
    REG_ORG_LOGIC = 0xC12,
    REG_EL_STOP_MODE = 0xC14,
    REG_HOME_MODE = 0xC60,
    REG_HOME_SPEED = 0xC62,
    REG_HOME_ACCEL = 0xC63,
    REG_HOME_OFFSET = 0xC65,
    REG_HOME_DIRECTION = 0xC66,
    REG_MASTER = 0xF03,
    MON_ALARM_CODE = 0xE00,
    MON_COMMAND_POS = 0xE18,
    MON_FEEDBACK_SPEED = 0xE19,
    MON_COMMAND_SPEED = 0xE1A,
    MON_FEEDBACK_POS = 0xE1B,
    CMD_ALARM_RESET = 0xE80,
    CMD_POSITION_RESET = 0xE8B
};

uint16_t GetWord(const uint8_t* p, int nWord)
{
    return static_cast<uint16_t>(p[2 * nWord] | p[2 * nWord + 1] << 8);
}

void PutWord(uint8_t* p, int nWord, uint16_t wValue)
{
    p[2 * nWord] = static_cast<uint8_t>(wValue & 0xFF);
    p[2 * nWord + 1] = static_cast<uint8_t>(wValue >> 8);
}

int32_t Reg(const SimKtrb04Channel& regs, int nRegister)
{
    auto it = regs.mapParams.find(nRegister);
    return it == regs.mapParams.end() ? 0 : it->second;
}

int32_t ToRegister(double dValue)
{
    const double dRounded = std::round(dValue);
    if (dRounded > 2147483647.0)
        return 2147483647;
    if (dRounded < -2147483648.0)
        return -2147483647 - 1;
    return static_cast<int32_t>(dRounded);
}

SimPattern EntryPattern(const SimKtrb04Channel& regs, int nEntry)
{
    SimPattern pattern;
    pattern.nMode = PATTERN_TRAPEZOID;
    pattern.dWork = Reg(regs, REG_SPEED + nEntry);
    pattern.dAccel = Reg(regs, REG_ACCEL + nEntry);
    pattern.dDecel = Reg(regs, REG_DECEL + nEntry);
    return pattern;
}

int MonitorRead(SimNode& node, int nChannel, double dNow, int nRegister, int32_t* pnValue)
{
    const CSimAxis& axis = node.aAxes[nChannel];
    switch (nRegister) {
    case MON_ALARM_CODE:
        *pnValue = axis.AlarmCode();
        return 0;
    case MON_COMMAND_POS:
        *pnValue = ToRegister(axis.CommandPulses(dNow));
        return 0;
    case MON_FEEDBACK_SPEED:
        *pnValue = ToRegister(axis.FeedbackSpeed(dNow));
        return 0;
    case MON_COMMAND_SPEED:
        *pnValue = ToRegister(axis.CommandSpeed(dNow));
        return 0;
    case MON_FEEDBACK_POS:
        *pnValue = ToRegister(axis.FeedbackPulses(dNow));
        return 0;
    default:
        return ZELV_SIM_E_REGISTER;
    }
}

int CommandWrite(SimNode& node, int nChannel, double dNow, int nRegister, int32_t nValue)
{
    CSimAxis& axis = node.aAxes[nChannel];
    switch (nRegister) {
    case CMD_ALARM_RESET:
        if (nValue != 0)
            axis.ResetAlarm();
        return 0;
    case CMD_POSITION_RESET:
        if (nValue != 0) {
            axis.SetCommandPulses(dNow, 0.0);
            axis.SetFeedbackPulses(dNow, 0.0);
        }
        return 0;
    default:
        return ZELV_SIM_E_REGISTER;
    }
}

int RegisterRequest(SimNode& node, double dNow, int nChannel, int nCode, int32_t nData, int32_t* pnAnswer, uint16_t* pwWord0)
{
    const int nRegister = nCode & CODE_REGISTER_MASK;
    const bool bWrite = nCode & CODE_WRITE;
    const bool bMonitor = nCode & CODE_MONITOR;
    // The channel query goes to the node as a whole, on any channel number.
    if (!bMonitor && bWrite && nRegister == REG_CHANNEL_QUERY && nChannel >= 0 && nChannel < MAX_CHANNELS) {
        if (node.HasChannel(nChannel))
            node.aRegs[nChannel].mapParams[nRegister] = nData;
        *pwWord0 = static_cast<uint16_t>(node.nChannelMask & 0xFF);
        *pnAnswer = nData;
        return 0;
    }
    if (!node.HasChannel(nChannel))
        return ZELV_SIM_E_CHANNEL;
    if (bMonitor) {
        *pnAnswer = nData;
        return bWrite ? CommandWrite(node, nChannel, dNow, nRegister, nData) : MonitorRead(node, nChannel, dNow, nRegister, pnAnswer);
    }
    if (!IsKtrb04ParameterRegister(nRegister))
        return ZELV_SIM_E_REGISTER;
    SimKtrb04Channel& regs = node.aRegs[nChannel];
    if (bWrite) {
        regs.mapParams[nRegister] = nData;
        *pnAnswer = nData;
        return 0;
    }
    *pnAnswer = Reg(regs, nRegister);
    return 0;
}

// Channels that follow nMaster (their master register names it).
template <typename F>
void ForGroup(SimNode& node, int nMaster, F action)
{
    action(nMaster);
    for (int c = 0; c < MAX_CHANNELS; ++c)
        if (c != nMaster && node.HasChannel(c) && Reg(node.aRegs[c], REG_MASTER) == nMaster)
            action(c);
}

void StopChannel(SimNode& node, int nChannel, double dNow)
{
    SimKtrb04Channel& regs = node.aRegs[nChannel];
    CSimAxis& axis = node.aAxes[nChannel];
    regs.bJogging = false;
    if (Reg(regs, REG_STOP_MODE) == 0) {
        axis.StopEmg(dNow);
        return;
    }
    axis.Stop(dNow, EntryPattern(regs, regs.wLastCommand & CMD_ENTRY_MASK).dDecel, false);
}

void StartMove(SimNode& node, int nChannel, double dNow)
{
    SimKtrb04Channel& regs = node.aRegs[nChannel];
    const int nEntry = regs.wLastCommand & CMD_ENTRY_MASK;
    if (node.aAxes[nChannel].StartMove(dNow, Reg(regs, REG_DISTANCE + nEntry), EntryPattern(regs, nEntry)) == 0)
        regs.bJogging = false;
}

void StartHoming(SimNode& node, int nChannel, double dNow)
{
    const SimKtrb04Channel& regs = node.aRegs[nChannel];
    CSimAxis& axis = node.aAxes[nChannel];
    SimPattern pattern;
    pattern.nMode = PATTERN_TRAPEZOID;
    pattern.dWork = Reg(regs, REG_HOME_SPEED);
    pattern.dAccel = Reg(regs, REG_HOME_ACCEL);
    pattern.dDecel = pattern.dAccel;
    axis.StartHoming(dNow, axis.Settings().dOrigin + Reg(regs, REG_HOME_OFFSET), pattern);
}

void ApplyCommandWord(SimNode& node, int nChannel, uint16_t wCommand, double dNow)
{
    SimKtrb04Channel& regs = node.aRegs[nChannel];
    CSimAxis& axis = node.aAxes[nChannel];
    const uint16_t wRise = wCommand & ~regs.wLastCommand;
    const uint16_t wFall = regs.wLastCommand & ~wCommand;
    // The entry selection is a level, read by the starts below.
    regs.wLastCommand = wCommand;
    if (wRise & CMD_SERVO_ON)
        axis.SetServoOn(dNow, true);
    if (wFall & CMD_SERVO_ON)
        axis.SetServoOn(dNow, false);
    if (wRise & CMD_STOP)
        ForGroup(node, nChannel, [&](int c) { StopChannel(node, c, dNow); });
    if ((wFall & (CMD_JOG_MINUS | CMD_JOG_PLUS)) && regs.bJogging) {
        regs.bJogging = false;
        axis.Stop(dNow, EntryPattern(regs, wCommand & CMD_ENTRY_MASK).dDecel, false);
    }
    if (wRise & (CMD_JOG_MINUS | CMD_JOG_PLUS)) {
        const int nDir = (wRise & CMD_JOG_PLUS) ? 1 : -1;
        if (axis.StartJog(dNow, nDir, EntryPattern(regs, wCommand & CMD_ENTRY_MASK)) == 0)
            regs.bJogging = true;
    }
    if (wRise & CMD_MOVE)
        ForGroup(node, nChannel, [&](int c) { StartMove(node, c, dNow); });
    if (wRise & CMD_HOME)
        StartHoming(node, nChannel, dNow);
}

uint16_t StatusWord(const CSimAxis& axis, double dNow)
{
    uint16_t w = 0;
    if (axis.Warning())
        w |= ST_WARNING;
    if (axis.Alarm())
        w |= ST_ALARM;
    if (axis.StepOut())
        w |= ST_STEP_OUT;
    if (axis.IsMoving(dNow))
        w |= ST_MOVING;
    if (axis.AtOrigin(dNow) || axis.HomeSuccess())
        w |= ST_ORIGIN;
    if (axis.ServoOn())
        w |= ST_SERVO_ON;
    if (axis.InPosition(dNow))
        w |= ST_IN_POSITION;
    return w;
}

} // namespace

bool IsKtrb04ParameterRegister(int nRegister)
{
    const int nFamily = nRegister >> 8;
    if (nFamily >= 0 && nFamily <= 6)
        return (nRegister & 0xFF) < 16;
    return nFamily == 0xC || nRegister == REG_MASTER;
}

void Ktrb04DefaultRegisters(SimKtrb04Channel& regs, int nOrdinal)
{
    const int k = nOrdinal;
    regs = SimKtrb04Channel();
    for (int e = 0; e < 16; ++e) {
        regs.mapParams[REG_DISTANCE + e] = 0;
        regs.mapParams[REG_SPEED + e] = 2000 + 250 * k + 10 * e;
        regs.mapParams[0x200 + e] = 0;
        regs.mapParams[0x300 + e] = 0;
        regs.mapParams[0x400 + e] = 0;
        regs.mapParams[REG_ACCEL + e] = 20000 + 1000 * k + 100 * e;
        regs.mapParams[REG_DECEL + e] = 25000 + 1000 * k + 100 * e;
    }
    regs.mapParams[REG_CHANNEL_QUERY] = 0;
    regs.mapParams[REG_STOP_MODE] = 1;
    regs.mapParams[REG_EL_LOGIC] = k % 2;
    regs.mapParams[REG_ORG_LOGIC] = (k + 1) % 2;
    regs.mapParams[REG_EL_STOP_MODE] = (k / 2) % 2;
    regs.mapParams[REG_HOME_MODE] = k % 2;
    regs.mapParams[REG_HOME_SPEED] = 1500 + 100 * k;
    regs.mapParams[REG_HOME_ACCEL] = 5000 + 100 * k;
    regs.mapParams[REG_HOME_OFFSET] = -100 * (k + 1);
    regs.mapParams[REG_HOME_DIRECTION] = (k + 1) % 2;
    regs.mapParams[REG_MASTER] = -1;
}

int Ktrb04Exchange(SimNode& node, double dNow, const uint8_t* pFrame, uint8_t* pResponse)
{
    const int nChannel = GetWord(pFrame, WORD_REG_CHANNEL);
    const uint16_t wControl = GetWord(pFrame, WORD_CONTROL);
    const int nCode = wControl & CONTROL_CODE_MASK;
    const int32_t nData = static_cast<int32_t>(static_cast<uint32_t>(GetWord(pFrame, WORD_DATA_LOW)) | static_cast<uint32_t>(GetWord(pFrame, WORD_DATA_HIGH)) << 16);

    int nResult = 0;
    int32_t nAnswer = 0;
    uint16_t wWord0 = 0;
    if (nCode != 0 && (wControl & CONTROL_REQUEST)) {
        nResult = RegisterRequest(node, dNow, nChannel, nCode, nData, &nAnswer, &wWord0);
        node.nLastCode = nResult == 0 ? nCode : 0;
        node.nLastAnswer = nAnswer;
        node.wLastWord0 = wWord0;
    } else if (nCode != 0) {
        // Acknowledge: repeats the answer of the request it closes.
        if (nCode == node.nLastCode) {
            nAnswer = node.nLastAnswer;
            wWord0 = node.wLastWord0;
        }
        node.nLastCode = 0;
    }
    for (int c = 0; c < MAX_CHANNELS; ++c)
        if (node.HasChannel(c))
            ApplyCommandWord(node, c, GetWord(pFrame, WORD_CHANNEL0 + c), dNow);

    PutWord(pResponse, WORD_RESERVED, wWord0);
    for (int c = 0; c < MAX_CHANNELS; ++c)
        PutWord(pResponse, WORD_CHANNEL0 + c, node.HasChannel(c) ? StatusWord(node.aAxes[c], dNow) : 0);
    PutWord(pResponse, WORD_REG_CHANNEL, GetWord(pFrame, WORD_REG_CHANNEL));
    PutWord(pResponse, WORD_CONTROL, wControl);
    PutWord(pResponse, WORD_DATA_LOW, static_cast<uint16_t>(static_cast<uint32_t>(nAnswer) & 0xFFFF));
    PutWord(pResponse, WORD_DATA_HIGH, static_cast<uint16_t>(static_cast<uint32_t>(nAnswer) >> 16));
    return nResult;
}

} // namespace zelvsim
