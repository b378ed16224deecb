// The KTRB04 driver object: what construction reads and maps, what
// destruction releases, and the shared block "KTRB04_M2".
#include "fixtures/ktrb04_fake.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

class Ktrb04Driver : public ::testing::Test {
protected:
    void SetUp() override { CKtrb04Fake::Install(); }
    void TearDown() override { CKtrb04Fake::Remove(); }
};

bool IsZero(const Ktrb04Frame& frame)
{
    const Ktrb04Frame zero = {};
    return std::memcmp(frame.abBytes, zero.abBytes, KTRB04_FRAME_SIZE) == 0;
}

TEST_F(Ktrb04Driver, ConstructionReadsTheBoardsAndStartsFromAZeroImage)
{
    CDidKtrb04 driver;

    EXPECT_EQ(driver.m_nDevCount, 2);
    EXPECT_EQ(driver.m_anDevNo[0], 10);
    EXPECT_EQ(driver.m_anDevNo[1], 11);
    EXPECT_EQ(driver.m_nDevLoadExtra, 77);
    EXPECT_EQ(driver.m_nLastResult, 0);
    EXPECT_EQ(driver.m_nDevNo, 0);
    EXPECT_EQ(driver.m_nChannelMask, 0);
    EXPECT_EQ(driver.m_dwHeader, 0u);
    EXPECT_EQ(driver.m_nStation, 0);
    EXPECT_TRUE(IsZero(driver.m_Build));
    EXPECT_TRUE(IsZero(driver.m_TxFrame));
    EXPECT_TRUE(IsZero(driver.m_RxFrame));
    for (int nCh = 0; nCh < KTRB04_CHANNELS; ++nCh) {
        EXPECT_EQ(driver.m_bHomeLatch[nCh], 0);
        EXPECT_EQ(driver.m_bGroupMaster[nCh], 0);
        EXPECT_EQ(driver.m_nMasterOf[nCh], -1);
        EXPECT_EQ(driver.m_nGroupMembers[nCh], 0);
    }
    EXPECT_NE(driver.m_pShared, nullptr);
    EXPECT_NE(driver.m_hSharedMap, nullptr);
    EXPECT_TRUE(CKtrb04Fake::Calls().empty()) << "construction sends no frame";
}

TEST_F(Ktrb04Driver, BoardCountIsKeptWithinTheSixteenEntryList)
{
    const struct { int nReported; int nKept; } aCases[] = {{0, 0}, {16, 16}, {40, 16}, {-3, 0}};
    for (const auto& c : aCases) {
        CKtrb04Fake::DevCount() = c.nReported;
        CDidKtrb04 driver;
        EXPECT_EQ(driver.m_nDevCount, c.nKept) << "reported " << c.nReported;
    }
}

TEST_F(Ktrb04Driver, WithoutTheBoardEntryPointThereAreNoBoards)
{
    g_pfnGnLoadDevice = nullptr;
    CDidKtrb04 driver;
    EXPECT_EQ(driver.m_nDevCount, 0);
}

TEST_F(Ktrb04Driver, DestructionUnloadsTheBoardsAndReleasesTheBlock)
{
    std::unique_ptr<CDidKtrb04> pFirst(new CDidKtrb04());
    pFirst->m_pShared->SetWord(3, 0xABCD);
    pFirst.reset();
    EXPECT_EQ(CKtrb04Fake::UnloadCalls(), 1);

    // Its creator gone, the block is created anew.
    CDidKtrb04 second;
    ASSERT_NE(second.m_pShared, nullptr);
    EXPECT_EQ(second.m_pShared->Word(3), 0u);
}

TEST_F(Ktrb04Driver, ASecondDriverAttachesToTheBlockWithoutZeroingIt)
{
    CDidKtrb04 first;
    ASSERT_NE(first.m_pShared, nullptr);
    for (int nWord = 0; nWord < KTRB04_SHARED_WORDS; ++nWord) {
        first.m_pShared->SetWord(nWord, 0x1000u + static_cast<uint32_t>(nWord));
    }

    CDidKtrb04 second;
    ASSERT_NE(second.m_pShared, nullptr);
    EXPECT_NE(second.m_pShared, first.m_pShared) << "its own view";
    for (int nWord = 0; nWord < KTRB04_SHARED_WORDS; ++nWord) {
        EXPECT_EQ(second.m_pShared->Word(nWord), 0x1000u + static_cast<uint32_t>(nWord));
    }
    second.m_pShared->SetWord(5, 0x5555);
    EXPECT_EQ(first.m_pShared->Word(5), 0x5555u);
}

TEST_F(Ktrb04Driver, WorksWithoutASharedBlock)
{
    const DWORD aFaults[] = {HEADLESS_FAIL_OPEN_MAPPING | HEADLESS_FAIL_CREATE_MAPPING, HEADLESS_FAIL_MAP_VIEW};
    for (DWORD dwFaults : aFaults) {
        HeadlessFailMappings(dwFaults);
        CDidKtrb04 driver;
        HeadlessFailMappings(0);
        EXPECT_EQ(driver.m_pShared, nullptr) << "faults " << dwFaults;
        EXPECT_EQ(driver.m_hSharedMap, nullptr) << "faults " << dwFaults;

        CKtrb04Fake::Calls().clear();
        EXPECT_EQ(driver.WriteDistance(0, 1, 10), 0);
        EXPECT_EQ(CKtrb04Fake::Calls().size(), 2u) << "the exchange still runs";
    }
}

TEST_F(Ktrb04Driver, KnowsWhetherTheMotionLibraryLoaded)
{
    {
        CDidKtrb04 driver;
        EXPECT_EQ(driver.m_bLibraryLoaded, 0);
        EXPECT_FALSE(IsMotionLibraryLoaded());
    }

    CKtrb04Fake::Remove();
    HeadlessRedirectLibrary(L"ZelvREzid2.DLL", ZELV_FIXTURE_PARTIAL);
    {
        CDidKtrb04 driver;
        EXPECT_EQ(driver.m_bLibraryLoaded, 1);
        EXPECT_TRUE(IsMotionLibraryLoaded());
        EXPECT_EQ(driver.m_nDevCount, 2);
        EXPECT_EQ(driver.m_anDevNo[1], 5);
        EXPECT_EQ(driver.WriteDistance(1, 1, 8), 0);
    }
    EXPECT_FALSE(IsMotionLibraryLoaded()) << "the driver's end unloads it";
}

} // namespace
