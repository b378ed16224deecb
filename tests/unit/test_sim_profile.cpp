// Velocity profiles of the simulator: moves land exactly on their target
// with every pattern, stay within the work speed, and stop as commanded.
#include "sim/sim_profile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using zelvsim::CSimProfile;
using zelvsim::SimPattern;

namespace {

SimPattern Pattern(int nMode, double dWork, double dAccel, double dDecel, double dInitial = 0.0, double dEnd = 0.0)
{
    SimPattern pattern;
    pattern.nMode = nMode;
    pattern.dWork = dWork;
    pattern.dAccel = dAccel;
    pattern.dDecel = dDecel;
    pattern.dInitial = dInitial;
    pattern.dEnd = dEnd;
    return pattern;
}

struct MoveCase {
    int nMode;
    double dDistance;
    double dInitial;
    double dEnd;
};

class SimProfileMove : public ::testing::TestWithParam<MoveCase> {};

TEST_P(SimProfileMove, ReachesTargetExactlyWithinWorkSpeed)
{
    const MoveCase& c = GetParam();
    const SimPattern pattern = Pattern(c.nMode, 1000.0, 4000.0, 2000.0, c.dInitial, c.dEnd);
    const CSimProfile profile = CSimProfile::Move(2.0, 50.0, c.dDistance, pattern);
    const double dEnd = profile.EndTime();
    ASSERT_GT(dEnd, 2.0);
    EXPECT_EQ(50.0 + c.dDistance, profile.Position(dEnd));
    EXPECT_EQ(50.0 + c.dDistance, profile.Position(dEnd + 10.0));
    EXPECT_EQ(0.0, profile.Speed(dEnd));
    // Monotonic towards the target, never faster than the work speed, and
    // continuous: no step larger than the work speed allows.
    double dLast = profile.Position(2.0);
    const double dStep = (dEnd - 2.0) / 2000.0;
    for (double t = 2.0; t <= dEnd; t += dStep) {
        const double dPos = profile.Position(t);
        EXPECT_GE((dPos - dLast) * (c.dDistance < 0 ? -1 : 1), -1e-9) << "t " << t;
        EXPECT_LE(std::fabs(dPos - dLast), 1000.0 * dStep + 1e-9) << "t " << t;
        EXPECT_LE(std::fabs(profile.Speed(t)), 1000.0 + 1e-9);
        dLast = dPos;
    }
    EXPECT_NEAR(50.0 + c.dDistance, dLast, 1000.0 * dStep + 1e-9);
}

std::string MoveCaseName(const ::testing::TestParamInfo<MoveCase>& info)
{
    static const char* const NAMES[] = {"Constant", "Trapezoid", "SCurve"};
    const MoveCase& c = info.param;
    std::string strName = std::string(NAMES[c.nMode]) + (c.dDistance < 0 ? "Minus" : "Plus") + std::to_string(static_cast<int>(std::fabs(c.dDistance)));
    if (c.dInitial > 0.0)
        strName += "WithStartAndEndSpeed";
    return strName;
}

INSTANTIATE_TEST_SUITE_P(Patterns, SimProfileMove,
                         ::testing::Values(MoveCase{zelvsim::PATTERN_CONSTANT, 700.0, 0, 0},
                                           MoveCase{zelvsim::PATTERN_TRAPEZOID, 2500.0, 0, 0},
                                           MoveCase{zelvsim::PATTERN_TRAPEZOID, -2500.0, 0, 0},
                                           MoveCase{zelvsim::PATTERN_TRAPEZOID, 90.0, 0, 0},   // never reaches work speed
                                           MoveCase{zelvsim::PATTERN_SCURVE, 2500.0, 0, 0},
                                           MoveCase{zelvsim::PATTERN_SCURVE, -90.0, 0, 0},
                                           MoveCase{zelvsim::PATTERN_TRAPEZOID, 2500.0, 200.0, 100.0},
                                           MoveCase{zelvsim::PATTERN_TRAPEZOID, 3.0, 200.0, 100.0}), // shorter than its ramps
                         MoveCaseName);

TEST(SimProfile, TrapezoidTimesFollowFromRamps)
{
    // 0 -> 1000 at 4000/s^2 takes 0.25 s (125 pulses); down at 2000/s^2 0.5 s (250 pulses).
    const CSimProfile profile = CSimProfile::Move(0.0, 0.0, 1375.0, Pattern(zelvsim::PATTERN_TRAPEZOID, 1000.0, 4000.0, 2000.0));
    EXPECT_NEAR(1.75, profile.EndTime(), 1e-12);
    EXPECT_EQ(zelvsim::PHASE_ACCEL, profile.Phase(0.1));
    EXPECT_EQ(zelvsim::PHASE_CRUISE, profile.Phase(1.0));
    EXPECT_EQ(zelvsim::PHASE_DECEL, profile.Phase(1.5));
    EXPECT_EQ(zelvsim::PHASE_STOP, profile.Phase(1.75));
    EXPECT_NEAR(125.0, profile.Position(0.25), 1e-9);
    EXPECT_NEAR(500.0, profile.Speed(0.125), 1e-9);
}

TEST(SimProfile, SCurveStartsAndEndsItsRampsGently)
{
    const CSimProfile trapezoid = CSimProfile::Move(0.0, 0.0, 1375.0, Pattern(zelvsim::PATTERN_TRAPEZOID, 1000.0, 4000.0, 2000.0));
    const CSimProfile scurve = CSimProfile::Move(0.0, 0.0, 1375.0, Pattern(zelvsim::PATTERN_SCURVE, 1000.0, 4000.0, 2000.0));
    EXPECT_NEAR(trapezoid.EndTime(), scurve.EndTime(), 1e-12) << "same ramp times";
    EXPECT_LT(scurve.Speed(0.01), trapezoid.Speed(0.01));
    EXPECT_NEAR(500.0, scurve.Speed(0.125), 1e-9) << "half speed at half ramp";
}

TEST(SimProfile, JogRunsUntilStopped)
{
    const CSimProfile jog = CSimProfile::Jog(0.0, 10.0, -1, Pattern(zelvsim::PATTERN_TRAPEZOID, 1000.0, 4000.0, 2000.0));
    EXPECT_TRUE(std::isinf(jog.EndTime()));
    EXPECT_NEAR(-1000.0, jog.Speed(100.0), 1e-9);
    const CSimProfile stopped = jog.Stopped(10.0, 2000.0, false);
    EXPECT_NEAR(10.5, stopped.EndTime(), 1e-12);
    // v^2 / 2d = 250 pulses beyond the stop point.
    EXPECT_NEAR(jog.Position(10.0) - 250.0, stopped.FinalPosition(), 1e-9);
    const CSimProfile cut = jog.CutAt(10.0);
    EXPECT_EQ(jog.Position(10.0), cut.FinalPosition());
    EXPECT_FALSE(cut.IsRunningAt(10.0));
}

TEST(SimProfile, SofterStopThanTheMoveKeepsTheTarget)
{
    const CSimProfile move = CSimProfile::Move(0.0, 0.0, 1375.0, Pattern(zelvsim::PATTERN_TRAPEZOID, 1000.0, 4000.0, 2000.0));
    const CSimProfile stopped = move.Stopped(1.5, 100.0, false);
    EXPECT_EQ(1375.0, stopped.FinalPosition());
}

TEST(SimProfile, TimeReachingFindsTheCrossing)
{
    const CSimProfile move = CSimProfile::Move(0.0, 0.0, 1000.0, Pattern(zelvsim::PATTERN_CONSTANT, 100.0, 0.0, 0.0));
    EXPECT_NEAR(4.0, move.TimeReaching(400.0, 0.0, 10.0), 1e-9);
    EXPECT_LT(move.TimeReaching(400.0, 0.0, 3.0), 0.0);
    EXPECT_EQ(5.0, move.TimeReaching(400.0, 5.0, 6.0)) << "already beyond";
}

} // namespace
