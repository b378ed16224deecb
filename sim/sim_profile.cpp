#include "sim/sim_profile.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelvsim {

namespace {

const double INFINITE_TIME = std::numeric_limits<double>::infinity();
const double PI = 3.14159265358979323846;

// Distance covered within a segment tau seconds after its start.
double SegmentDistance(const SimSegment& seg, double dTau)
{
    if (std::isinf(seg.dDuration) || seg.dDuration <= 0.0)
        return seg.dV0 * dTau;
    const double dDv = seg.dV1 - seg.dV0;
    if (seg.bCosine) {
        const double dW = PI / seg.dDuration;
        return seg.dV0 * dTau + dDv / 2.0 * (dTau - std::sin(dW * dTau) / dW);
    }
    return seg.dV0 * dTau + dDv * dTau * dTau / (2.0 * seg.dDuration);
}

double SegmentSpeed(const SimSegment& seg, double dTau)
{
    if (std::isinf(seg.dDuration) || seg.dDuration <= 0.0)
        return seg.dV0;
    const double dDv = seg.dV1 - seg.dV0;
    const double dX = dTau / seg.dDuration;
    if (seg.bCosine)
        return seg.dV0 + dDv * (1.0 - std::cos(PI * dX)) / 2.0;
    return seg.dV0 + dDv * dX;
}

} // namespace

CSimProfile CSimProfile::Rest(double dT0, double dPos)
{
    CSimProfile profile;
    profile.m_dT0 = dT0;
    profile.m_dP0 = dPos;
    return profile;
}

void CSimProfile::Append(double dDuration, double dV0, double dV1, bool bCosine, int nPhase)
{
    if (!(dDuration > 0.0))
        return;
    SimSegment seg;
    seg.dT0 = m_aSegments.empty() ? m_dT0 : m_aSegments.back().dT0 + m_aSegments.back().dDuration;
    seg.dP0 = m_aSegments.empty() ? m_dP0
                                  : m_aSegments.back().dP0 + m_nDir * SegmentDistance(m_aSegments.back(), m_aSegments.back().dDuration);
    seg.dDuration = dDuration;
    seg.dV0 = dV0;
    seg.dV1 = dV1;
    seg.bCosine = bCosine;
    seg.nPhase = nPhase;
    m_aSegments.push_back(seg);
}

CSimProfile CSimProfile::Move(double dT0, double dPos, double dDistance, const SimPattern& pattern)
{
    CSimProfile profile = Rest(dT0, dPos);
    profile.m_nDir = dDistance < 0.0 ? -1 : 1;
    profile.m_bHasTarget = true;
    profile.m_dTarget = dPos + dDistance;
    const double dD = std::fabs(dDistance);
    const double dWork = pattern.dWork;
    if (dD <= 0.0 || dWork <= 0.0)
        return profile;

    const bool bRamps = pattern.nMode != PATTERN_CONSTANT && pattern.dAccel > 0.0 && pattern.dDecel > 0.0;
    if (!bRamps) {
        profile.Append(dD / dWork, dWork, dWork, false, PHASE_CRUISE);
        return profile;
    }
    const bool bCosine = pattern.nMode == PATTERN_SCURVE;
    const double dA = pattern.dAccel;
    const double dDe = pattern.dDecel;
    const double dVi = std::min(std::max(pattern.dInitial, 0.0), dWork);
    const double dVe = std::min(std::max(pattern.dEnd, 0.0), dWork);
    double dPeak = dWork;
    const double dRampDistance = (dWork * dWork - dVi * dVi) / (2.0 * dA) + (dWork * dWork - dVe * dVe) / (2.0 * dDe);
    if (dRampDistance > dD)
        dPeak = std::sqrt((dD + dVi * dVi / (2.0 * dA) + dVe * dVe / (2.0 * dDe)) / (1.0 / (2.0 * dA) + 1.0 / (2.0 * dDe)));
    if (dPeak <= std::max(dVi, dVe)) {
        // Too short to ramp from the start speed: run it at that speed.
        const double dV = std::max(std::max(dVi, dVe), 1e-9);
        profile.Append(dD / dV, dV, dV, false, PHASE_CRUISE);
        return profile;
    }
    const double dUp = (dPeak * dPeak - dVi * dVi) / (2.0 * dA);
    const double dDown = (dPeak * dPeak - dVe * dVe) / (2.0 * dDe);
    profile.Append((dPeak - dVi) / dA, dVi, dPeak, bCosine, PHASE_ACCEL);
    profile.Append(std::max(dD - dUp - dDown, 0.0) / dPeak, dPeak, dPeak, false, PHASE_CRUISE);
    profile.Append((dPeak - dVe) / dDe, dPeak, dVe, bCosine, PHASE_DECEL);
    return profile;
}

CSimProfile CSimProfile::Jog(double dT0, double dPos, int nDir, const SimPattern& pattern)
{
    CSimProfile profile = Rest(dT0, dPos);
    profile.m_nDir = nDir > 0 ? 1 : -1;
    if (pattern.dWork <= 0.0)
        return profile;
    const bool bRamps = pattern.nMode != PATTERN_CONSTANT && pattern.dAccel > 0.0;
    const double dVi = bRamps ? std::min(std::max(pattern.dInitial, 0.0), pattern.dWork) : pattern.dWork;
    if (bRamps)
        profile.Append((pattern.dWork - dVi) / pattern.dAccel, dVi, pattern.dWork, pattern.nMode == PATTERN_SCURVE, PHASE_ACCEL);
    profile.Append(INFINITE_TIME, pattern.dWork, pattern.dWork, false, PHASE_CRUISE);
    return profile;
}

CSimProfile CSimProfile::CutAt(double dT) const
{
    return Rest(dT, Position(dT));
}

CSimProfile CSimProfile::Stopped(double dT, double dDecel, bool bCosine) const
{
    const double dV = std::fabs(Speed(dT));
    if (dDecel <= 0.0 || dV <= 0.0)
        return CutAt(dT);
    CSimProfile profile = Rest(dT, Position(dT));
    profile.m_nDir = m_nDir;
    profile.Append(dV / dDecel, dV, 0.0, bCosine, PHASE_DECEL);
    // A move already slowing down to its target ends there rather than
    // overshooting it with a softer stop.
    if (m_bHasTarget && (profile.FinalPosition() - m_dTarget) * m_nDir > 0.0)
        return *this;
    return profile;
}

const SimSegment* CSimProfile::SegmentAt(double dT) const
{
    for (const SimSegment& seg : m_aSegments)
        if (dT < seg.dT0 + seg.dDuration)
            return &seg;
    return nullptr;
}

double CSimProfile::EndTime() const
{
    if (m_aSegments.empty())
        return m_dT0;
    return m_aSegments.back().dT0 + m_aSegments.back().dDuration;
}

double CSimProfile::FinalPosition() const
{
    if (m_bHasTarget && !m_aSegments.empty())
        return m_dTarget;
    if (m_aSegments.empty())
        return m_dP0;
    const SimSegment& last = m_aSegments.back();
    return last.dP0 + m_nDir * SegmentDistance(last, last.dDuration);
}

double CSimProfile::Position(double dT) const
{
    if (dT <= m_dT0)
        return m_dP0;
    const SimSegment* pSeg = SegmentAt(dT);
    if (!pSeg)
        return FinalPosition();
    return pSeg->dP0 + m_nDir * SegmentDistance(*pSeg, dT - pSeg->dT0);
}

double CSimProfile::Speed(double dT) const
{
    if (dT < m_dT0)
        return 0.0;
    const SimSegment* pSeg = SegmentAt(dT);
    if (!pSeg)
        return 0.0;
    return m_nDir * SegmentSpeed(*pSeg, dT - pSeg->dT0);
}

int CSimProfile::Phase(double dT) const
{
    if (dT < m_dT0)
        return PHASE_STOP;
    const SimSegment* pSeg = SegmentAt(dT);
    return pSeg ? pSeg->nPhase : PHASE_STOP;
}

double CSimProfile::TimeReaching(double dLimit, double dFrom, double dTo) const
{
    auto beyond = [&](double dT) { return (Position(dT) - dLimit) * m_nDir >= 0.0; };
    if (beyond(dFrom))
        return dFrom;
    if (!beyond(dTo))
        return -1.0;
    double dLo = dFrom;
    double dHi = dTo;
    for (int i = 0; i < 80 && dHi - dLo > 1e-12; ++i) {
        const double dMid = (dLo + dHi) / 2.0;
        if (beyond(dMid))
            dHi = dMid;
        else
            dLo = dMid;
    }
    return dHi;
}

} // namespace zelvsim
