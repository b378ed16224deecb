// Boards and nodes of the simulator: the default network, topology texts and
// files, the device list, axis map and node information, and the exports.
#include "sim/sim_entry_points.h"
#include "tests/support/sim_client.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

class SimTopology : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_sim.IsLoaded()) << m_sim.LoadError();
        ASSERT_EQ(0, m_sim.Reset());
    }

    std::vector<int> Devices(int* pnCount = nullptr)
    {
        int nCount = -1;
        int anDevNo[MOTION_MAX_DEVICES] = {};
        int nExtra = -1;
        EXPECT_EQ(0, GnLoadDevice(&nCount, anDevNo, &nExtra));
        if (pnCount)
            *pnCount = nCount;
        return std::vector<int>(anDevNo, anDevNo + std::max(0, std::min(nCount, static_cast<int>(MOTION_MAX_DEVICES))));
    }

    int AxisMap(int nDevice)
    {
        int nMap = 0;
        EXPECT_EQ(0, GnGetAxisMap(nDevice, &nMap));
        return nMap;
    }

    int NodeType(int nDevice, int nAxis)
    {
        unsigned char acInfo[MOTION_NODE_INFO_SIZE] = {};
        EXPECT_EQ(0, GnGetNodeInfo(nDevice, nAxis, acInfo));
        return acInfo[MOTION_NODE_INFO_TYPE_OFFSET] | acInfo[MOTION_NODE_INFO_TYPE_OFFSET + 1] << 8;
    }

    CSimClient m_sim;
};

TEST_F(SimTopology, DefaultNetworkHasTwoBoards)
{
    int nCount = 0;
    EXPECT_EQ((std::vector<int>{0, 1}), Devices(&nCount));
    EXPECT_EQ(2, nCount);
    EXPECT_EQ(0x1F, AxisMap(0));
    EXPECT_EQ((1 << 0) | (1 << 1) | (1 << 5), AxisMap(1));
}

TEST_F(SimTopology, DefaultNodeTypesAtByte20)
{
    struct Case {
        int nDevice, nAxis, nType;
    };
    const Case CASES[] = {
        {0, 0, MOTION_NODE_TYPE_SERVO},  {0, 1, MOTION_NODE_TYPE_SERVO},      {0, 2, MOTION_NODE_TYPE_KESTRALINE},
        {0, 3, MOTION_NODE_TYPE_KTRB04}, {0, 4, MOTION_NODE_TYPE_KTRB04},     {1, 0, MOTION_NODE_TYPE_SERVO},
        {1, 1, MOTION_NODE_TYPE_SERVO},  {1, 5, MOTION_NODE_TYPE_KESTRALINE},
    };
    for (const Case& c : CASES)
        EXPECT_EQ(c.nType, NodeType(c.nDevice, c.nAxis)) << "device " << c.nDevice << " axis " << c.nAxis;
}

TEST_F(SimTopology, NodeInfoCarriesVendorProductAndFirmware)
{
    unsigned char acServo[MOTION_NODE_INFO_SIZE] = {};
    unsigned char acPulse[MOTION_NODE_INFO_SIZE] = {};
    ASSERT_EQ(0, GnGetNodeInfo(0, 0, acServo));
    ASSERT_EQ(0, GnGetNodeInfo(0, 3, acPulse));
    EXPECT_EQ(acServo[0] | acServo[1] << 8, acPulse[0] | acPulse[1] << 8) << "one vendor";
    EXPECT_NE(0, acServo[0] | acServo[1] << 8);
    EXPECT_NE(acServo[2] | acServo[3] << 8, acPulse[2] | acPulse[3] << 8) << "product differs by type";
    EXPECT_NE(0, acServo[8] | acServo[9] << 8) << "firmware version";
    EXPECT_STREQ("KTRB04M2", reinterpret_cast<const char*>(acPulse + 10));
}

TEST_F(SimTopology, UnknownDeviceOrEmptyAxisLeavesOutValues)
{
    int nMap = 0x5A5A;
    EXPECT_EQ(ZELV_SIM_E_NO_DEVICE, GnGetAxisMap(9, &nMap));
    EXPECT_EQ(0x5A5A, nMap);
    unsigned char acInfo[MOTION_NODE_INFO_SIZE];
    std::memset(acInfo, 0xAA, sizeof acInfo);
    EXPECT_EQ(ZELV_SIM_E_NO_NODE, GnGetNodeInfo(0, 7, acInfo));
    EXPECT_EQ(ZELV_SIM_E_NO_NODE, GnGetNodeInfo(0, 30, acInfo));
    EXPECT_EQ(ZELV_SIM_E_NO_DEVICE, GnGetNodeInfo(5, 0, acInfo));
    for (unsigned char c : acInfo)
        EXPECT_EQ(0xAA, c);
}

TEST_F(SimTopology, TextBuildsBoardsNodesAndChannels)
{
    ASSERT_EQ(0, m_sim.Reset("# two boards\n"
                             "board 4\n"
                             "node 29 ktrb04 channels=1,6   # gaps\n"
                             "node 0 servo\n"
                             "\n"
                             "board 2\n"
                             "node 3 kestraline\n"
                             "set 3.1 unitdist=0.5 workspeed=777\n"))
        << m_sim.TopologyError();
    EXPECT_EQ((std::vector<int>{4, 2}), Devices());
    EXPECT_EQ(static_cast<int>((1u << 29) | 1u), AxisMap(4));
    EXPECT_EQ(1 << 3, AxisMap(2));
    EXPECT_EQ(MOTION_NODE_TYPE_KTRB04, NodeType(4, 29));
    EXPECT_EQ(MOTION_NODE_TYPE_KESTRALINE, NodeType(2, 3));
    EXPECT_DOUBLE_EQ(0.5, m_sim.Setting(2, 3, 1, "unitdist"));
    EXPECT_DOUBLE_EQ(777.0, m_sim.Setting(2, 3, 1, "workspeed"));
    EXPECT_NE(0.5, m_sim.Setting(2, 3, 0, "unitdist")) << "channel 0 keeps its own";
    EXPECT_EQ("", m_sim.TopologyError());
}

TEST_F(SimTopology, ReportTypeChangesOnlyTheNodeInformation)
{
    ASSERT_EQ(0, m_sim.Reset("board 0\n"
                             "node 6 servo reporttype=7\n"
                             "node 7 ktrb04 channels=0,2 reporttype=0x1234\n"
                             "node 8 servo\n"))
        << m_sim.TopologyError();
    EXPECT_EQ(7, NodeType(0, 6));
    EXPECT_EQ(0x1234, NodeType(0, 7));
    EXPECT_EQ(MOTION_NODE_TYPE_SERVO, NodeType(0, 8));
    // The node still behaves as its own type.
    double dUnit = -1.0;
    EXPECT_EQ(0, CfgGetUnitDist(0, 6, &dUnit));
    EXPECT_DOUBLE_EQ(m_sim.Setting(0, 6, 0, "unitdist"), dUnit);
    EXPECT_EQ((1 << 6) | (1 << 7) | (1 << 8), AxisMap(0));

    for (const char* pszBad : { "board 0\nnode 6 servo reporttype=65536\n", "board 0\nnode 6 servo reporttype=x\n" }) {
        EXPECT_EQ(ZELV_SIM_E_TOPOLOGY, m_sim.Reset(pszBad)) << pszBad;
        EXPECT_NE(std::string::npos, m_sim.TopologyError().find("line 2")) << m_sim.TopologyError();
    }
}

TEST_F(SimTopology, FileIsReadLikeText)
{
    const std::string strPath = ::testing::TempDir() + "sim_topology_test.txt";
    std::FILE* pFile = std::fopen(strPath.c_str(), "w");
    ASSERT_NE(nullptr, pFile);
    std::fputs("board 3\r\nnode 1 servo\r\nset 1 unitdist=1.5 accel=2500\r\n", pFile);
    std::fclose(pFile);
    ASSERT_EQ(0, m_sim.ResetFromFile(strPath.c_str())) << m_sim.TopologyError();
    EXPECT_EQ((std::vector<int>{3}), Devices());
    double dUnit = 0.0;
    EXPECT_EQ(0, CfgGetUnitDist(3, 1, &dUnit));
    EXPECT_DOUBLE_EQ(1.5, dUnit);
    std::remove(strPath.c_str());
    EXPECT_EQ(ZELV_SIM_E_TOPOLOGY, m_sim.ResetFromFile(strPath.c_str()));
    EXPECT_NE(std::string::npos, m_sim.TopologyError().find("cannot open"));
}

TEST_F(SimTopology, BadTextGivesLineAndNoBoards)
{
    struct Case {
        const char* pszText;
        const char* pszError;
    };
    const Case CASES[] = {
        {"board 0\nnodes 1 servo\n", "line 2: unknown keyword 'nodes'"},
        {"board 0\nnode 30 servo\n", "line 2: axis 30 out of range 0..29"},
        {"board 0\nnode x servo\n", "line 2: expected 'node"},
        {"board 0\nnode 1 stepper\n", "line 2: unknown node type 'stepper'"},
        {"board 0\nnode 1 servo\nnode 1 servo\n", "line 3: duplicate node 1"},
        {"board 0\nboard 0\n", "line 2: duplicate board 0"},
        {"node 1 servo\n", "line 1: 'node' before any 'board'"},
        {"board 0\nnode 3 ktrb04 channels=0,9\n", "line 2: bad channel list '0,9'"},
        {"board 0\nnode 3 servo channels=0\n", "line 2: unexpected 'channels=0'"},
        {"board 0\nnode 1 servo\nset 1 unitdist=abc\n", "line 3: expected key=number, got 'unitdist=abc'"},
        {"board 0\nnode 1 servo\nset 1 colour=3\n", "line 3: unknown setting 'colour'"},
        {"board 0\nnode 1 servo\nset 2 unitdist=1\n", "line 3: no node 2 on this board"},
        {"board 0\nnode 2 kestraline\nset 2.2 unitdist=1\n", "line 3: node 2 has no channel 2"},
        {"board 0\nnode 2 kestraline\nset 2 reg.0x101=5\n", "line 3: unknown setting 'reg.0x101'"},
        {"board 0\nnode 2 kestraline\nset 2 mio.4=0.5\n", "line 3: setting 'mio.4' needs a whole number"},
        {"board -1\n", "line 1: expected 'board <device number>'"},
    };
    for (const Case& c : CASES) {
        EXPECT_EQ(ZELV_SIM_E_TOPOLOGY, m_sim.Reset(c.pszText)) << c.pszText;
        EXPECT_EQ(0u, m_sim.TopologyError().find(c.pszError)) << m_sim.TopologyError();
        int nCount = -1;
        EXPECT_TRUE(Devices(&nCount).empty());
        EXPECT_EQ(0, nCount) << c.pszText;
    }
}

TEST_F(SimTopology, MoreThanSixteenBoardsReportsCountButFillsSixteen)
{
    std::string strText;
    for (int i = 0; i < 20; ++i)
        strText += "board " + std::to_string(100 + i) + "\n";
    ASSERT_EQ(0, m_sim.Reset(strText.c_str()));
    int anDevNo[MOTION_MAX_DEVICES + 4];
    for (int& n : anDevNo)
        n = -7;
    int nCount = 0;
    int nExtra = 0;
    ASSERT_EQ(0, GnLoadDevice(&nCount, anDevNo, &nExtra));
    EXPECT_EQ(20, nCount);
    for (int i = 0; i < MOTION_MAX_DEVICES; ++i)
        EXPECT_EQ(100 + i, anDevNo[i]);
    for (int i = MOTION_MAX_DEVICES; i < MOTION_MAX_DEVICES + 4; ++i)
        EXPECT_EQ(-7, anDevNo[i]) << "entry " << i << " written";
}

TEST_F(SimTopology, LoadAndUnloadAreRecorded)
{
    EXPECT_FALSE(m_sim.LibraryLoaded());
    Devices();
    EXPECT_TRUE(m_sim.LibraryLoaded());
    EXPECT_EQ(0, GnUnloadDevice());
    EXPECT_FALSE(m_sim.LibraryLoaded());
    const std::vector<std::string> astrTrace = m_sim.Trace();
    ASSERT_EQ(2u, astrTrace.size());
    EXPECT_EQ("GnLoadDevice(&,&,&)", astrTrace[0]);
    EXPECT_EQ("GnUnloadDevice()", astrTrace[1]);
}

// Every name of the list is exported under its plain name; those the tool
// never calls answer "not simulated".
TEST(SimExports, AllEntryPointsAreExported)
{
    CSimClient sim;
    ASSERT_TRUE(sim.IsLoaded()) << sim.LoadError();
    void* hLibrary = dlopen("ZelvREzid2.so", RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(nullptr, hLibrary);
    std::vector<std::string> astrMissing;
    int nNames = 0;
#define CHECK_TYPED(name, params) \
    ++nNames; \
    if (!dlsym(hLibrary, #name)) \
        astrMissing.push_back(#name);
#define CHECK_UNTYPED(name) CHECK_TYPED(name, ())
    MOTION_ENTRY_POINTS(CHECK_TYPED, CHECK_UNTYPED)
#undef CHECK_TYPED
#undef CHECK_UNTYPED
    dlclose(hLibrary);
    EXPECT_EQ(342, nNames);
    EXPECT_TRUE(astrMissing.empty()) << astrMissing.front();
}

TEST(SimExports, UntypedEntryPointsAreNotSimulated)
{
    CSimClient sim;
    ASSERT_EQ(0, sim.Reset());
    int nUntyped = 0;
#define CALL_TYPED(name, params)
#define CALL_UNTYPED(name) \
    ++nUntyped; \
    EXPECT_EQ(ZELV_SIM_E_NOT_SIMULATED, name()) << #name;
    MOTION_ENTRY_POINTS(CALL_TYPED, CALL_UNTYPED)
#undef CALL_TYPED
#undef CALL_UNTYPED
    EXPECT_EQ(342 - 79, nUntyped);
    const std::vector<std::string> astrTrace = sim.Trace();
    ASSERT_FALSE(astrTrace.empty());
    EXPECT_EQ("GetResources()", astrTrace.front());
}

} // namespace
