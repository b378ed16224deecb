// One motion channel of the simulated network (a servo axis, one channel of
// an I/O Kestraline or KTRB04-M2 node): its stored settings and its motion
// on the clock. Positions are kept in machine pulses; the library's user
// units are applied by the entry points.
#pragma once

#include "sim/sim_profile.h"

#include <map>
#include <string>

namespace zelvsim {

enum { MIO_PROPERTY_COUNT = 16, HOME_CONFIG_ITEMS = 8, HOME_PHASES = 3 };

// Everything the library's Get/Set pairs store for a channel. A KTRB04-M2
// channel keeps its registers instead (CSimKtrb04Channel) and uses only the
// physical part (limits, origin, lag).
struct SimSettings {
    double dUnitDist = 1.0;  // user distance per pulse
    double dUnitSpeed = 1.0; // speeds are given in user distance per second times this
    int nSpeedMode = PATTERN_TRAPEZOID;
    double dWorkSpeed = 1000.0;
    double dAccel = 10000.0;
    double dDecel = 10000.0;
    double dInitSpeed = 0.0;
    double dEndSpeed = 0.0;
    int anMio[MIO_PROPERTY_COUNT] = {};
    int anHomeConfig[HOME_CONFIG_ITEMS] = {}; // item 0 mode, 1 direction
    double dHomeOffset = 0.0;
    int anHomeMode[HOME_PHASES] = {};
    double adHomeWork[HOME_PHASES] = {};
    double adHomeAccel[HOME_PHASES] = {};
    double adHomeDecel[HOME_PHASES] = {};
    double dHomeReverse = 0.0;
    int nHomeEzCount = 0;
    int nHomeEscape = 0;
    int nPosClrMode = 0;
    int nOutMode = 0;
    int nInMode = 0;
    int nInModeExtra = 0;
    std::map<int, int> mapServoParams; // validated servo parameters
    // Physical set-up, in pulses.
    double dLimitMinus = -1000000.0;
    double dLimitPlus = 1000000.0;
    double dOrigin = 0.0;
    double dLagMs = 20.0;
};

// Plausible, distinct settings for the nOrdinal-th motion channel of a
// topology, so that a value read from the wrong axis shows in tests.
SimSettings DefaultSettings(int nOrdinal);

class CSimAxis {
public:
    CSimAxis();

    SimSettings& Settings() { return m_settings; }
    const SimSettings& Settings() const { return m_settings; }

    // Bring the motion up to dNow: end finished runs, stop at limits.
    void Advance(double dNow);

    // Motion commands in pulses and pulses per second; 0 or a ZELV_SIM_E_* code.
    int StartMove(double dNow, double dDistance, const SimPattern& pattern);
    int StartJog(double dNow, int nDir, const SimPattern& pattern);
    // Homing run to dMachineTarget (ignores limits); the counters read 0 there.
    int StartHoming(double dNow, double dMachineTarget, const SimPattern& pattern);
    void Stop(double dNow, double dDecel, bool bCosine);
    void StopEmg(double dNow);

    // Counters in pulses (machine position less the counter offset).
    double CommandPulses(double dNow) const;
    double FeedbackPulses(double dNow) const;
    double CommandSpeed(double dNow) const;  // pulses/s, signed
    double FeedbackSpeed(double dNow) const;
    double MachinePulses(double dNow) const { return m_profile.Position(dNow); }
    void SetCommandPulses(double dNow, double dValue);
    void SetFeedbackPulses(double dNow, double dValue);
    int Phase(double dNow) const { return m_profile.Phase(dNow); }

    bool IsMoving(double dNow) const { return m_profile.IsRunningAt(dNow); }
    bool IsHoming(double dNow) const { return m_bHoming && IsMoving(dNow); }
    bool HomeSuccess() const { return m_bHomeSuccess; }
    void ClearHomeSuccess() { m_bHomeSuccess = false; }
    bool InPosition(double dNow) const;
    bool AtPlusLimit(double dNow) const;
    bool AtMinusLimit(double dNow) const;
    bool AtOrigin(double dNow) const;

    bool ServoOn() const { return m_bServoOn; }
    void SetServoOn(double dNow, bool bOn);

    bool Alarm() const { return m_bAlarm; }
    int AlarmCode() const { return m_nAlarmCode; }
    bool Warning() const { return m_bWarning; }
    bool StepOut() const { return m_bStepOut; }
    void RaiseAlarm(double dNow, int nCode);
    void RaiseWarning() { m_bWarning = true; }
    void RaiseStepOut(double dNow);
    void ResetAlarm();

    // Limit inputs that the node watches (a servo can disable either side).
    bool m_bPlusLimitEnabled = true;
    bool m_bMinusLimitEnabled = true;

    // Fault injection: the next moves end short of their target.
    double m_dShortPulses = 0.0;
    int m_nShortCount = 0;

    // Servo parameters written but not yet validated.
    std::map<int, int> m_mapStagedParams;

    int m_nAbsMode = 0;
    int m_nRingEnable = 0;
    int m_nRingMin = 0;
    int m_nRingMax = 0;

private:
    int CheckStart(double dNow, int nDir) const;
    void Begin(double dNow, const CSimProfile& profile, bool bTarget, bool bHoming);
    void Halt(double dNow, const CSimProfile& profile);
    void FinishHoming();
    double FeedbackMachine(double dNow) const;
    double LagSeconds() const { return m_settings.dLagMs / 1000.0; }

    SimSettings m_settings;
    CSimProfile m_profile;
    CSimProfile m_previous;      // the run before, for the lagging feedback
    double m_dCheckedUntil = 0.0; // limits checked up to this time
    double m_dCmdOffset = 0.0;    // machine minus command counter
    double m_dFbOffset = 0.0;     // machine minus feedback counter
    bool m_bTarget = false;       // the current or last run was a move to a target
    bool m_bOnTarget = true;      // ... and it ended there
    bool m_bHoming = false;
    bool m_bHomeSuccess = false;
    bool m_bServoOn = false;
    bool m_bAlarm = false;
    int m_nAlarmCode = 0;
    bool m_bWarning = false;
    bool m_bStepOut = false;
};

} // namespace zelvsim
