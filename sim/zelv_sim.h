// Control functions of the simulated motion library, for tests and tools.
// They carry their own prefix and are not part of the vendor's entry points;
// the tool never calls them. Every function returns an int status, 0 = success.
#pragma once

#include "motion/motion_contract.h"

#if defined(_WIN32)
#define ZELV_SIM_EXPORT __declspec(dllexport)
#else
#define ZELV_SIM_EXPORT __attribute__((visibility("default")))
#endif

// Status codes the simulator returns (the vendor's own codes are unknown to
// us; these are chosen well away from 0 and from small negative numbers).
enum {
    ZELV_SIM_E_NOT_SIMULATED = 9001, // an entry point the simulator does not model
    ZELV_SIM_E_NO_DEVICE = 9002,     // unknown device number
    ZELV_SIM_E_NO_NODE = 9003,       // axis out of range or no node at the axis
    ZELV_SIM_E_NODE_TYPE = 9004,     // call of another node family (e.g. Pm call on a servo)
    ZELV_SIM_E_CHANNEL = 9005,       // channel the node does not have
    ZELV_SIM_E_ARGUMENT = 9006,      // null pointer, unknown property/parameter/item, bad value
    ZELV_SIM_E_SERVO_OFF = 9007,     // motion commanded with the servo off (raises the alarm)
    ZELV_SIM_E_ALARM = 9008,         // motion commanded while an alarm is active
    ZELV_SIM_E_BUSY = 9009,          // motion commanded while the axis moves
    ZELV_SIM_E_FRAME = 9010,         // AdvDataRW: unknown command or null frame
    ZELV_SIM_E_LIMIT = 9011,         // motion commanded into an active travel limit
    ZELV_SIM_E_REGISTER = 9012,      // AdvDataRW: register the KTRB04-M2 node does not have
    ZELV_SIM_E_TOPOLOGY = 9013,      // control: the topology text has an error
    ZELV_SIM_E_NO_ROUTE = 9014       // AdvDataRW: the board has no KTRB04-M2 node to answer
};

// Alarm code a node reports after a motion command with the servo off.
enum { ZELV_SIM_ALARM_SERVO_OFF_MOVE = 0x1A5 };

// Faults raised on a node or channel (ZelvSimRaiseFault).
enum {
    ZELV_SIM_FAULT_ALARM = 0,   // alarm bit with the given code; stops the axis
    ZELV_SIM_FAULT_WARNING = 1, // warning bit
    ZELV_SIM_FAULT_STEP_OUT = 2 // step-out bit (KTRB04-M2); stops the axis
};

// Snapshot of one motion channel (servo axis: channel 0). Positions and
// speeds in the axis' user units (KTRB04-M2: pulses), as the library reports.
typedef struct ZelvSimAxisState {
    double dCommandPos;
    double dFeedbackPos;
    double dCommandSpeed;
    double dFeedbackSpeed;
    double dMachinePulses; // command position in pulses, without counter offset
    int bServoOn;
    int bMoving;
    int bHoming;
    int bHomeSuccess;
    int bAlarm;
    int nAlarmCode;
    int bWarning;
    int bStepOut;
    int bPlusLimit;
    int bMinusLimit;
    int bOrigin;
    int bInPosition;
    int nMotionState; // in the numbering of the node's family
    int nAbsMode;
    int nRingEnable;
    int nRingMin;
    int nRingMax;
    int nCommResets; // GnResetComm calls on the axis' board
    int nAbsUpdates; // GnABSUpdate calls on the axis' board
} ZelvSimAxisState;

#ifdef __cplusplus
extern "C" {
#endif

// Rebuild the model from topology text; null text = the default topology.
// Clears faults and the in-memory trace, sets virtual time to 0, keeps the
// clock mode. A bad text leaves a model without boards and returns
// ZELV_SIM_E_TOPOLOGY; the message stays readable with ZelvSimGetTopologyError.
ZELV_SIM_EXPORT int ZELV_CALL ZelvSimReset(const char* pszTopology);
// As ZelvSimReset with the content of a file.
ZELV_SIM_EXPORT int ZELV_CALL ZelvSimResetFromFile(const char* pszPath);
// Last topology error ("line N: ..."), empty when none. Returns the length
// of the message; copies at most nSize-1 characters and a terminating 0.
ZELV_SIM_EXPORT int ZELV_CALL ZelvSimGetTopologyError(char* pszBuffer, int nSize);

// Clock: bVirtual 1 freezes the model's time where it stands and moves it
// only by ZelvSimAdvanceMs; 0 lets it run on in real time (steady clock).
// Time never jumps back; a reset starts it at 0 in either mode.
ZELV_SIM_EXPORT int ZELV_CALL ZelvSimUseVirtualClock(int bVirtual);
ZELV_SIM_EXPORT int ZELV_CALL ZelvSimAdvanceMs(int nMs);
ZELV_SIM_EXPORT int ZELV_CALL ZelvSimGetTimeMs(double* pdMs);

// Fault injection. The named entry point returns nError (out-values
// untouched) on its next nCount calls; nCount -1 = always, 0 = clear.
// A null name clears every call fault.
ZELV_SIM_EXPORT int ZELV_CALL ZelvSimFailCall(const char* pszName, int nError, int nCount);
// The next nCount moves (-1: all) of the channel end dShort units (pulses on
// KTRB04-M2) before their target.
ZELV_SIM_EXPORT int ZELV_CALL ZelvSimStopShort(int nDevice, int nAxis, int nChannel, double dShort, int nCount);
// Raise an alarm (with nCode), warning or step-out on a channel.
ZELV_SIM_EXPORT int ZELV_CALL ZelvSimRaiseFault(int nDevice, int nAxis, int nChannel, int nKind, int nCode);

// Node state for assertions.
ZELV_SIM_EXPORT int ZELV_CALL ZelvSimGetAxisState(int nDevice, int nAxis, int nChannel, ZelvSimAxisState* pState);
// A stored setting by its topology key (see sim/README.md), e.g. "unitdist",
// "home.1.work", "mio.4", "param.0x50A", "reg.0x101". Set applies like a
// topology "set" line.
ZELV_SIM_EXPORT int ZELV_CALL ZelvSimGetSetting(int nDevice, int nAxis, int nChannel, const char* pszKey, double* pdValue);
ZELV_SIM_EXPORT int ZELV_CALL ZelvSimSetSetting(int nDevice, int nAxis, int nChannel, const char* pszKey, double dValue);
// 1 between GnLoadDevice and GnUnloadDevice.
ZELV_SIM_EXPORT int ZELV_CALL ZelvSimIsLoaded(int* pbLoaded);

// Call trace: one "Name(args)" line per entry-point call.
ZELV_SIM_EXPORT int ZELV_CALL ZelvSimGetTraceCount(int* pnCount);
// Line nIndex; returns its length like ZelvSimGetTopologyError, -1 if none.
ZELV_SIM_EXPORT int ZELV_CALL ZelvSimGetTraceLine(int nIndex, char* pszBuffer, int nSize);
ZELV_SIM_EXPORT int ZELV_CALL ZelvSimClearTrace(void);

#ifdef __cplusplus
}
#endif
