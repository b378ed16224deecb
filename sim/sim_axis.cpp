#include "sim/sim_axis.h"

#include "sim/zelv_sim.h"

#include <cmath>

namespace zelvsim {

namespace {

const double ORIGIN_WIDTH = 1.0;   // pulses either side of the origin switch
const double SETTLED_PULSES = 0.5; // feedback within this of the command is settled

const double UNIT_DISTS[] = {1.0, 2.5, 0.5, 4.0, 1.5, 2.0, 0.25, 3.0};
const double UNIT_SPEEDS[] = {1.0, 1.5, 2.0, 0.5, 1.25, 3.0, 0.75, 2.5};

} // namespace

SimSettings DefaultSettings(int nOrdinal)
{
    const int k = nOrdinal;
    SimSettings s;
    s.dUnitDist = UNIT_DISTS[k % 8];
    s.dUnitSpeed = UNIT_SPEEDS[(k + 3) % 8];
    s.nSpeedMode = 1 + k % 2; // trapezoidal or S-curve
    s.dWorkSpeed = 1000.0 + 500.0 * k;
    s.dAccel = 10000.0 + 1000.0 * k;
    s.dDecel = 12000.0 + 1000.0 * k;
    s.dInitSpeed = 100.0 + 10.0 * k;
    s.dEndSpeed = 50.0 + 10.0 * k;
    for (int i = 0; i < MIO_PROPERTY_COUNT; ++i)
        s.anMio[i] = (i + k) % 2;
    s.anMio[6] = (3 + k) % 4; // servo-on mode has four items
    s.anHomeConfig[0] = k % 2 ? 3 : 1;
    s.anHomeConfig[1] = (k + 1) % 2;
    s.dHomeOffset = 10.0 * (k + 1);
    for (int p = 0; p < HOME_PHASES; ++p) {
        s.anHomeMode[p] = (k + p) % 3;
        s.adHomeWork[p] = 800.0 - 200.0 * p + 50.0 * k;
        s.adHomeAccel[p] = 4000.0 + 100.0 * p + 50.0 * k;
        s.adHomeDecel[p] = 4500.0 + 100.0 * p + 50.0 * k;
    }
    s.dHomeReverse = 300.0 + 25.0 * k;
    s.nHomeEzCount = 1 + k % 3;
    s.nHomeEscape = 100 + 10 * k;
    s.nPosClrMode = k % 3;
    s.nOutMode = k % 6;
    s.nInMode = (k + 2) % 5;
    s.nInModeExtra = 0;
    s.dOrigin = -5000.0 - 100.0 * k;
    return s;
}

CSimAxis::CSimAxis() : m_profile(CSimProfile::Rest(0.0, 0.0)), m_previous(CSimProfile::Rest(0.0, 0.0)) {}

void CSimAxis::Advance(double dNow)
{
    if (dNow <= m_dCheckedUntil)
        return;
    const double dFrom = m_dCheckedUntil;
    m_dCheckedUntil = dNow;
    if (!m_profile.IsRunningAt(dFrom))
        return;
    const double dTo = std::fmin(dNow, m_profile.EndTime());
    if (!m_bHoming) {
        const int nDir = m_profile.Direction();
        const bool bWatch = nDir > 0 ? m_bPlusLimitEnabled : m_bMinusLimitEnabled;
        const double dLimit = nDir > 0 ? m_settings.dLimitPlus : m_settings.dLimitMinus;
        const double dHit = bWatch ? m_profile.TimeReaching(dLimit, dFrom, dTo) : -1.0;
        if (dHit >= 0.0) {
            m_previous = m_profile;
            m_profile = CSimProfile::Rest(dHit, dLimit);
            m_bOnTarget = false;
            return;
        }
    }
    if (!m_profile.IsRunningAt(dNow))
        FinishHoming();
}

void CSimAxis::FinishHoming()
{
    if (!m_bHoming)
        return;
    // The home position becomes 0 on both counters.
    const double dEnd = m_profile.FinalPosition();
    m_dCmdOffset = dEnd;
    m_dFbOffset = dEnd;
    m_bHomeSuccess = true;
    m_bHoming = false;
}

int CSimAxis::CheckStart(double dNow, int nDir) const
{
    if (m_bAlarm || m_bStepOut)
        return ZELV_SIM_E_ALARM;
    if (!m_bServoOn)
        return ZELV_SIM_E_SERVO_OFF;
    if (IsMoving(dNow))
        return ZELV_SIM_E_BUSY;
    if (nDir > 0 && AtPlusLimit(dNow))
        return ZELV_SIM_E_LIMIT;
    if (nDir < 0 && AtMinusLimit(dNow))
        return ZELV_SIM_E_LIMIT;
    return 0;
}

void CSimAxis::Begin(double dNow, const CSimProfile& profile, bool bTarget, bool bHoming)
{
    m_previous = m_profile.CutAt(dNow);
    m_profile = profile;
    m_bTarget = bTarget;
    m_bOnTarget = true;
    m_bHoming = bHoming;
    m_dCheckedUntil = dNow;
}

void CSimAxis::Halt(double dNow, const CSimProfile& profile)
{
    m_previous = m_profile;
    m_profile = profile;
    if (m_bTarget && (!IsMoving(dNow) || profile.FinalPosition() != m_previous.FinalPosition()))
        m_bOnTarget = false;
    if (m_bHoming)
        m_bHoming = false;
}

int CSimAxis::StartMove(double dNow, double dDistance, const SimPattern& pattern)
{
    const int nCheck = CheckStart(dNow, dDistance < 0.0 ? -1 : 1);
    if (nCheck == ZELV_SIM_E_SERVO_OFF)
        RaiseAlarm(dNow, ZELV_SIM_ALARM_SERVO_OFF_MOVE);
    if (nCheck)
        return nCheck;
    if (pattern.dWork <= 0.0)
        return ZELV_SIM_E_ARGUMENT;
    double dRun = dDistance;
    bool bShort = false;
    if (m_nShortCount != 0 && std::fabs(dDistance) > m_dShortPulses) {
        dRun = dDistance - (dDistance < 0.0 ? -m_dShortPulses : m_dShortPulses);
        bShort = true;
        if (m_nShortCount > 0)
            --m_nShortCount;
    }
    const double dPos = m_profile.Position(dNow);
    Begin(dNow, CSimProfile::Move(dNow, dPos, dRun, pattern), true, false);
    m_bOnTarget = !bShort;
    Advance(dNow);
    return 0;
}

int CSimAxis::StartJog(double dNow, int nDir, const SimPattern& pattern)
{
    const int nCheck = CheckStart(dNow, nDir > 0 ? 1 : -1);
    if (nCheck == ZELV_SIM_E_SERVO_OFF)
        RaiseAlarm(dNow, ZELV_SIM_ALARM_SERVO_OFF_MOVE);
    if (nCheck)
        return nCheck;
    if (pattern.dWork <= 0.0)
        return ZELV_SIM_E_ARGUMENT;
    Begin(dNow, CSimProfile::Jog(dNow, m_profile.Position(dNow), nDir, pattern), false, false);
    return 0;
}

int CSimAxis::StartHoming(double dNow, double dMachineTarget, const SimPattern& pattern)
{
    int nCheck = CheckStart(dNow, 0);
    if (nCheck == ZELV_SIM_E_SERVO_OFF)
        RaiseAlarm(dNow, ZELV_SIM_ALARM_SERVO_OFF_MOVE);
    if (nCheck)
        return nCheck;
    if (pattern.dWork <= 0.0)
        return ZELV_SIM_E_ARGUMENT;
    m_bHomeSuccess = false;
    const double dPos = m_profile.Position(dNow);
    Begin(dNow, CSimProfile::Move(dNow, dPos, dMachineTarget - dPos, pattern), false, true);
    if (!IsMoving(dNow))
        FinishHoming(); // already at the home position
    return 0;
}

void CSimAxis::Stop(double dNow, double dDecel, bool bCosine)
{
    Advance(dNow);
    if (!IsMoving(dNow))
        return;
    Halt(dNow, m_profile.Stopped(dNow, dDecel, bCosine));
}

void CSimAxis::StopEmg(double dNow)
{
    Advance(dNow);
    if (!IsMoving(dNow))
        return;
    Halt(dNow, m_profile.CutAt(dNow));
}

double CSimAxis::FeedbackMachine(double dNow) const
{
    const double dT = dNow - LagSeconds();
    if (dT >= m_profile.StartTime())
        return m_profile.Position(dT);
    return m_previous.Position(dT);
}

double CSimAxis::CommandPulses(double dNow) const
{
    return m_profile.Position(dNow) - m_dCmdOffset;
}

double CSimAxis::FeedbackPulses(double dNow) const
{
    return FeedbackMachine(dNow) - m_dFbOffset;
}

double CSimAxis::CommandSpeed(double dNow) const
{
    return m_profile.Speed(dNow);
}

double CSimAxis::FeedbackSpeed(double dNow) const
{
    const double dT = dNow - LagSeconds();
    if (dT >= m_profile.StartTime())
        return m_profile.Speed(dT);
    return m_previous.Speed(dT);
}

void CSimAxis::SetCommandPulses(double dNow, double dValue)
{
    m_dCmdOffset = m_profile.Position(dNow) - dValue;
}

void CSimAxis::SetFeedbackPulses(double dNow, double dValue)
{
    m_dFbOffset = FeedbackMachine(dNow) - dValue;
}

bool CSimAxis::InPosition(double dNow) const
{
    if (IsMoving(dNow) || (m_bTarget && !m_bOnTarget))
        return false;
    return std::fabs(FeedbackMachine(dNow) - m_profile.Position(dNow)) <= SETTLED_PULSES;
}

bool CSimAxis::AtPlusLimit(double dNow) const
{
    return m_bPlusLimitEnabled && m_profile.Position(dNow) >= m_settings.dLimitPlus;
}

bool CSimAxis::AtMinusLimit(double dNow) const
{
    return m_bMinusLimitEnabled && m_profile.Position(dNow) <= m_settings.dLimitMinus;
}

bool CSimAxis::AtOrigin(double dNow) const
{
    return std::fabs(m_profile.Position(dNow) - m_settings.dOrigin) <= ORIGIN_WIDTH;
}

void CSimAxis::SetServoOn(double dNow, bool bOn)
{
    if (!bOn)
        StopEmg(dNow);
    m_bServoOn = bOn;
}

void CSimAxis::RaiseAlarm(double dNow, int nCode)
{
    StopEmg(dNow);
    m_bAlarm = true;
    m_nAlarmCode = nCode;
}

void CSimAxis::RaiseStepOut(double dNow)
{
    StopEmg(dNow);
    m_bStepOut = true;
}

void CSimAxis::ResetAlarm()
{
    m_bAlarm = false;
    m_nAlarmCode = 0;
    m_bWarning = false;
    m_bStepOut = false;
}

} // namespace zelvsim
