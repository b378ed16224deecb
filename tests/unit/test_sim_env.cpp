// The environment the library reads when it starts: ZELV_SIM names the
// topology file, ZELV_SIM_TRACE a file that receives every call. Each case
// runs in its own process (see CMakeLists.sim.cmake).
#include "sim/sim_entry_points.h"
#include "tests/support/sim_client.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> ReadLines(const std::string& strPath)
{
    std::ifstream file(strPath);
    std::vector<std::string> astrLines;
    std::string strLine;
    while (std::getline(file, strLine))
        astrLines.push_back(strLine);
    return astrLines;
}

TEST(SimEnvironment, GoodFileGivesItsBoardsAndTraceFileGetsEachCall)
{
    const char* pszTrace = std::getenv("ZELV_SIM_ENV_TRACE");
    ASSERT_NE(nullptr, pszTrace);
    // The library opens the trace on its first call, so a fresh file is seen whole.
    std::remove(pszTrace);

    int nCount = 0;
    int anDevNo[MOTION_MAX_DEVICES] = {};
    int nExtra = 0;
    ASSERT_EQ(0, GnLoadDevice(&nCount, anDevNo, &nExtra));
    ASSERT_EQ(1, nCount);
    EXPECT_EQ(7, anDevNo[0]);
    int nMap = 0;
    ASSERT_EQ(0, GnGetAxisMap(7, &nMap));
    EXPECT_EQ(1 << 12, nMap);
    double dUnit = 0.0;
    ASSERT_EQ(0, PmCfgGetUnitDist(7, 12, 1, &dUnit));
    EXPECT_DOUBLE_EQ(0.125, dUnit);
    ASSERT_EQ(0, GnUnloadDevice());

    // Each line is flushed as it is written.
    const std::vector<std::string> astrExpected = {"GnLoadDevice(&,&,&)", "GnGetAxisMap(7,&)", "PmCfgGetUnitDist(7,12,1,&)", "GnUnloadDevice()"};
    EXPECT_EQ(astrExpected, ReadLines(pszTrace));
}

TEST(SimEnvironment, BadFileGivesNoBoardsAndItsError)
{
    int nCount = -1;
    int anDevNo[MOTION_MAX_DEVICES] = {};
    int nExtra = 0;
    ASSERT_EQ(0, GnLoadDevice(&nCount, anDevNo, &nExtra));
    EXPECT_EQ(0, nCount);
    CSimClient sim;
    ASSERT_TRUE(sim.IsLoaded()) << sim.LoadError();
    EXPECT_EQ("line 3: axis 31 out of range 0..29", sim.TopologyError());
}

} // namespace
