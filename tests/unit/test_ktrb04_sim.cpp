// The KTRB04 driver against the simulated node, through the real loader:
// the simulator library sits beside the test program as the motion library.
#include "motion/did_ktrb04.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <unistd.h>

namespace {

typedef int (ZELV_CALL* PFN_SIM_USE_VIRTUAL_CLOCK)(int bVirtual);
typedef int (ZELV_CALL* PFN_SIM_ADVANCE_MS)(int nMs);

template <class PFN>
PFN SimControl(const char* pszName)
{
    HMODULE hLibrary = GetModuleHandleW(L"ZelvREzid2.DLL");
    FARPROC pfnProc = hLibrary ? GetProcAddress(hLibrary, pszName) : nullptr;
    return reinterpret_cast<PFN>(reinterpret_cast<void (*)(void)>(pfnProc));
}

class Ktrb04Simulated : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string strPrefix = "zelvsim" + std::to_string(getpid()) + "_";
        HeadlessSetMappingPrefix(strPrefix.c_str());
        m_pDriver.reset(new CDidKtrb04());
        ASSERT_EQ(m_pDriver->m_bLibraryLoaded, 1) << "ZelvREzid2.so beside the test program";
        m_pfnUseVirtual = SimControl<PFN_SIM_USE_VIRTUAL_CLOCK>("ZelvSimUseVirtualClock");
        m_pfnAdvance = SimControl<PFN_SIM_ADVANCE_MS>("ZelvSimAdvanceMs");
        ASSERT_NE(m_pfnUseVirtual, nullptr);
        ASSERT_NE(m_pfnAdvance, nullptr);
        m_pfnUseVirtual(1);
        ASSERT_GE(m_pDriver->m_nDevCount, 1);
        m_pDriver->m_nDevNo = m_pDriver->m_anDevNo[0];
    }
    void TearDown() override
    {
        m_pDriver.reset();
        HeadlessSetMappingPrefix(nullptr);
    }

    std::unique_ptr<CDidKtrb04> m_pDriver;
    PFN_SIM_USE_VIRTUAL_CLOCK m_pfnUseVirtual = nullptr;
    PFN_SIM_ADVANCE_MS m_pfnAdvance = nullptr;
};

TEST_F(Ktrb04Simulated, RelativeMoveArrivesAndReportsInPosition)
{
    CDidKtrb04& driver = *m_pDriver;
    ASSERT_EQ(driver.QueryChannelMask(0, 0), 0);
    EXPECT_EQ(driver.m_nChannelMask, 0x0F) << "the first KTRB04 node has channels 0..3";

    int nStart = -1;
    ASSERT_EQ(driver.ReadCommandPosition(1, &nStart), 0);
    EXPECT_EQ(driver.ServoOnBitSet(1), 0);
    EXPECT_EQ(driver.SelectEntry(1, 1), 0);
    EXPECT_EQ(driver.WriteDistance(1, 1, 500), 0);
    EXPECT_EQ(driver.MoveStartBitSet(1), 0);
    EXPECT_EQ(driver.MoveStartBitClear(1), 0);

    int nStatus = 0;
    ASSERT_EQ(driver.ReadStatusWord(1, &nStatus), 0);
    EXPECT_NE(nStatus & KTRB04_STS_MOVING, 0) << "the move has started";

    for (int nStep = 0; nStep < 200 && !(nStatus & KTRB04_STS_IN_POSITION); ++nStep) {
        m_pfnAdvance(50);
        driver.ReadStatusWord(1, &nStatus);
    }
    int nPosition = -1;
    EXPECT_EQ(driver.ReadCommandPosition(1, &nPosition), 0);
    EXPECT_EQ(nPosition, nStart + 500);
    EXPECT_NE(nStatus & KTRB04_STS_IN_POSITION, 0);
    EXPECT_EQ(nStatus & KTRB04_STS_MOVING, 0);
    EXPECT_NE(nStatus & KTRB04_STS_SERVO_READY, 0);
}

TEST_F(Ktrb04Simulated, ParameterWrittenIsReadBack)
{
    CDidKtrb04& driver = *m_pDriver;
    EXPECT_EQ(driver.WriteWorkSpeed(2, 1, 3456), 0);
    int nValue = 0;
    EXPECT_EQ(driver.ReadWorkSpeed(2, 1, &nValue), 0);
    EXPECT_EQ(nValue, 3456);
}

} // namespace
