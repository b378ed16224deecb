// The motion library loader: the load table, loading and unloading, and the
// guarded call path for missing entry points.
#include "motion/motion_library.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

int ZELV_CALL SentinelProc(void)
{
    return 0;
}

FARPROC Sentinel()
{
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)(void)>(&SentinelProc));
}

// Reads a slot through its table entry without knowing its type.
bool SlotIsNull(const MOTION_LIBRARY_ENTRY& entry)
{
    void (*pfn)(void) = nullptr;
    static_assert(sizeof(pfn) == sizeof(PFN_MotionUntyped), "slots are plain function pointers");
    std::memcpy(&pfn, entry.pSlot, sizeof(pfn));
    return pfn == nullptr;
}

void FillAllSlots(FARPROC pfn)
{
    for (const MOTION_LIBRARY_ENTRY* pEntry = MotionLibraryTable; pEntry->pszName; ++pEntry) {
        pEntry->pfnStore(pfn);
    }
}

int CountNullSlots()
{
    int nNull = 0;
    for (const MOTION_LIBRARY_ENTRY* pEntry = MotionLibraryTable; pEntry->pszName; ++pEntry) {
        nNull += SlotIsNull(*pEntry) ? 1 : 0;
    }
    return nNull;
}

std::wstring PartialPath()
{
    const std::string str = ZELV_FIXTURE_PARTIAL;
    return std::wstring(str.begin(), str.end());
}

std::vector<std::string>& Notices()
{
    static std::vector<std::string> s_aNotices;
    return s_aNotices;
}

void RecordNotice(const char* pszName)
{
    Notices().push_back(pszName);
}

class Loader : public ::testing::Test {
protected:
    void TearDown() override
    {
        while (IsMotionLibraryLoaded()) {
            UnloadMotionLibrary();
        }
        HeadlessRedirectLibrary(L"ZelvREzid2.DLL", nullptr);
        SetMissingEntryPointNotifier(nullptr);
        ResetMissingEntryPointNotices();
        FillAllSlots(nullptr);
        Notices().clear();
    }

    static void UseLibrary(const char* pszPath) { HeadlessRedirectLibrary(L"ZelvREzid2.DLL", pszPath); }
};

TEST_F(Loader, TableListsEveryEntryPointOnceInLoadOrder)
{
    std::set<std::string> setNames;
    int nCount = 0;
    for (const MOTION_LIBRARY_ENTRY* pEntry = MotionLibraryTable; pEntry->pszName; ++pEntry) {
        EXPECT_TRUE(setNames.insert(pEntry->pszName).second) << pEntry->pszName;
        EXPECT_STREQ(pEntry->pszName, MotionEntryPointName(nCount));
        ++nCount;
    }
    EXPECT_EQ(nCount, 342);
    const MOTION_LIBRARY_ENTRY& closing = MotionLibraryTable[342];
    EXPECT_EQ(closing.pszName, nullptr);
    EXPECT_EQ(closing.pSlot, nullptr);

    struct { int nIndex; const char* pszName; const void* pSlot; } aSamples[] = {
        {0, "GetResources", &g_pfnGetResources},
        {7, "GnLoadDevice", &g_pfnGnLoadDevice},
        {MOTION_INDEX_ServoParamValidate, "ServoParamValidate", &g_pfnServoParamValidate},
        {318, "AdvDeviceIDRead", &g_pfnAdvDeviceIDRead},
        {319, "GnSetABSMode", &g_pfnGnSetABSMode},
        {341, "AdvDataRW", &g_pfnAdvDataRW},
    };
    for (const auto& sample : aSamples) {
        EXPECT_STREQ(MotionLibraryTable[sample.nIndex].pszName, sample.pszName);
        EXPECT_EQ(MotionLibraryTable[sample.nIndex].pSlot, sample.pSlot);
    }
    EXPECT_EQ(MotionEntryPointName(342), nullptr);
    EXPECT_EQ(MotionEntryPointName(-1), nullptr);
}

TEST_F(Loader, LibraryExportingNoNameLoadsWithEverySlotNull)
{
    FillAllSlots(Sentinel());
    UseLibrary(ZELV_FIXTURE_NO_EXPORTS);

    EXPECT_EQ(LoadMotionLibrary(), 1);
    EXPECT_TRUE(IsMotionLibraryLoaded());
    EXPECT_EQ(CountNullSlots(), 342);
}

TEST_F(Loader, MissingLibraryGivesZeroAndTouchesNoSlot)
{
    FillAllSlots(Sentinel());
    UseLibrary("/nonexistent/ZelvREzid2.so");

    EXPECT_EQ(LoadMotionLibrary(), 0);
    EXPECT_FALSE(IsMotionLibraryLoaded());
    EXPECT_EQ(CountNullSlots(), 0);
    EXPECT_EQ(g_pfnAdvDataRW, reinterpret_cast<PFN_AdvDataRW>(reinterpret_cast<void (*)(void)>(Sentinel())));
}

TEST_F(Loader, FoundNamesFillTheirSlotsAndTheRestStayNull)
{
    UseLibrary(ZELV_FIXTURE_PARTIAL);
    ASSERT_EQ(LoadMotionLibrary(), 1);

    EXPECT_EQ(CountNullSlots(), 339);
    ASSERT_NE(g_pfnGnLoadDevice, nullptr);
    ASSERT_NE(g_pfnGnUnloadDevice, nullptr);
    ASSERT_NE(g_pfnAdvDataRW, nullptr);
    int nCount = 0;
    int anDevNo[MOTION_MAX_DEVICES] = {};
    int nExtra = -1;
    EXPECT_EQ(MOTION_CALL(GnLoadDevice, &nCount, anDevNo, &nExtra), 0);
    EXPECT_EQ(nCount, 2);
    EXPECT_EQ(anDevNo[1], 5);
}

TEST_F(Loader, UnloadWithoutLoadAndTwiceDoesNothing)
{
    UnloadMotionLibrary();
    EXPECT_FALSE(IsMotionLibraryLoaded());

    UseLibrary(ZELV_FIXTURE_PARTIAL);
    ASSERT_EQ(LoadMotionLibrary(), 1);
    ASSERT_NE(g_pfnAdvDataRW, nullptr);
    UnloadMotionLibrary();
    EXPECT_FALSE(IsMotionLibraryLoaded());
    EXPECT_EQ(GetModuleHandleW(PartialPath().c_str()), nullptr) << "the library was freed";
    UnloadMotionLibrary();
    EXPECT_FALSE(IsMotionLibraryLoaded());
    // No slot keeps an address of the freed library.
    EXPECT_EQ(g_pfnAdvDataRW, nullptr);
    EXPECT_EQ(g_pfnGnLoadDevice, nullptr);
    EXPECT_EQ(MOTION_CALL(AdvDataRW, 0, 29, 0, nullptr, nullptr), MOTION_ERR_NO_ENTRY_POINT);
}

TEST_F(Loader, EveryUserKeepsTheLibraryLoadedUntilTheLastUnloads)
{
    UseLibrary(ZELV_FIXTURE_PARTIAL);
    ASSERT_EQ(LoadMotionLibrary(), 1);
    ASSERT_EQ(LoadMotionLibrary(), 1);
    UnloadMotionLibrary();
    EXPECT_TRUE(IsMotionLibraryLoaded());
    EXPECT_NE(GetModuleHandleW(PartialPath().c_str()), nullptr);
    UnloadMotionLibrary();
    EXPECT_FALSE(IsMotionLibraryLoaded());
}

TEST_F(Loader, MissingEntryPointFailsTheCallLeavesOutValuesAndTellsOncePerName)
{
    UseLibrary(ZELV_FIXTURE_PARTIAL);
    ASSERT_EQ(LoadMotionLibrary(), 1);
    SetMissingEntryPointNotifier(&RecordNotice);

    int nMap = 0x55;
    EXPECT_EQ(MOTION_CALL(GnGetAxisMap, 0, &nMap), MOTION_ERR_NO_ENTRY_POINT);
    EXPECT_EQ(MOTION_CALL(GnGetAxisMap, 1, &nMap), MOTION_ERR_NO_ENTRY_POINT);
    EXPECT_EQ(MOTION_CALL(SxMoveStart, 0, 1, 2.5), MOTION_ERR_NO_ENTRY_POINT);
    EXPECT_EQ(MOTION_CALL(GnUnloadDevice), 0);
    EXPECT_EQ(nMap, 0x55);
    EXPECT_EQ(Notices(), (std::vector<std::string>{"GnGetAxisMap", "SxMoveStart"}));
}

TEST_F(Loader, NoEntryPointNoticeWhileTheLibraryIsNotLoaded)
{
    SetMissingEntryPointNotifier(&RecordNotice);
    int nMap = 0;
    EXPECT_EQ(MOTION_CALL(GnGetAxisMap, 0, &nMap), MOTION_ERR_NO_ENTRY_POINT);
    EXPECT_TRUE(Notices().empty());
}

std::atomic<int> g_nThreadNotices{0};

void CountNotice(const char*)
{
    ++g_nThreadNotices;
}

TEST_F(Loader, TwoThreadsMissingTheSameEntryPointTellItOnce)
{
    UseLibrary(ZELV_FIXTURE_PARTIAL);
    ASSERT_EQ(LoadMotionLibrary(), 1);
    g_nThreadNotices = 0;
    SetMissingEntryPointNotifier(&CountNotice);

    auto missCalls = [] {
        for (int i = 0; i < 2000; ++i) {
            MOTION_CALL(SxStop, 0, i);
        }
    };
    std::thread worker(missCalls);
    missCalls();
    worker.join();
    EXPECT_EQ(g_nThreadNotices.load(), 1);
}

} // namespace
