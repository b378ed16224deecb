// Velocity profile of one axis: a chain of ramps and cruises in one direction,
// evaluated at any time. Units are the axis' pulses and seconds.
#pragma once

#include <vector>

namespace zelvsim {

enum {
    PATTERN_CONSTANT = 0,
    PATTERN_TRAPEZOID = 1,
    PATTERN_SCURVE = 2
};

// Phase of a segment; the families map it to their own state numbers.
enum {
    PHASE_STOP = 0,
    PHASE_ACCEL = 1,
    PHASE_CRUISE = 2,
    PHASE_DECEL = 3
};

// Speeds as magnitudes; the profile's direction gives the sign.
struct SimPattern {
    int nMode = PATTERN_TRAPEZOID;
    double dWork = 0.0;
    double dAccel = 0.0;
    double dDecel = 0.0;
    double dInitial = 0.0;
    double dEnd = 0.0;
};

struct SimSegment {
    double dT0 = 0.0;
    double dDuration = 0.0; // infinite for a jog cruise
    double dP0 = 0.0;       // position at dT0
    double dV0 = 0.0;
    double dV1 = 0.0;
    bool bCosine = false;   // S-curve ramp: same duration and distance as the straight one
    int nPhase = PHASE_CRUISE;
};

class CSimProfile {
public:
    // At rest at dPos from dT0 on.
    static CSimProfile Rest(double dT0, double dPos);
    // A move of dDistance (signed) from rest; reaches dPos + dDistance exactly.
    static CSimProfile Move(double dT0, double dPos, double dDistance, const SimPattern& pattern);
    // A velocity jog from rest, nDir > 0 plus, else minus, until stopped.
    static CSimProfile Jog(double dT0, double dPos, int nDir, const SimPattern& pattern);
    // Decelerating stop of this profile at dT with dDecel (<= 0: immediate).
    CSimProfile Stopped(double dT, double dDecel, bool bCosine) const;
    // This profile cut at dT: at rest from there on.
    CSimProfile CutAt(double dT) const;

    double Position(double dT) const;
    double Speed(double dT) const; // signed
    int Phase(double dT) const;
    double StartTime() const { return m_dT0; }
    double EndTime() const;        // infinite for a jog
    double FinalPosition() const;
    int Direction() const { return m_nDir; }
    bool IsRunningAt(double dT) const { return dT < EndTime(); }
    // First time in [dFrom, dTo] at which the position reaches dLimit, or a
    // negative value when it does not (the profile is monotonic).
    double TimeReaching(double dLimit, double dFrom, double dTo) const;

private:
    void Append(double dDuration, double dV0, double dV1, bool bCosine, int nPhase);
    const SimSegment* SegmentAt(double dT) const;

    double m_dT0 = 0.0;
    double m_dP0 = 0.0;
    int m_nDir = 1;
    bool m_bHasTarget = false;
    double m_dTarget = 0.0;
    std::vector<SimSegment> m_aSegments;
};

} // namespace zelvsim
