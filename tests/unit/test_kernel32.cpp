// The headless kernel32: modules, named mappings, threads and waits, the
// virtual clock, and the small helpers.
#include "winapi/win32.h"

#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string UniquePrefix(const char* pszTest)
{
    return std::string("zelvk32_") + std::to_string(getpid()) + "_" + pszTest + "_";
}

// ---------------------------------------------------------------- modules

class Kernel32Modules : public ::testing::Test {
protected:
    void TearDown() override { HeadlessRedirectLibrary(L"Fixture.DLL", nullptr); }
};

TEST_F(Kernel32Modules, BareDllNameLoadsTheSharedObjectBesideTheExecutable)
{
    HMODULE hModule = LoadLibraryW(L"MotionFixtureNoExports.DLL");
    ASSERT_NE(hModule, nullptr);

    typedef int (*PFN_MARKER)(void);
    FARPROC pfnProc = GetProcAddress(hModule, "ZelvFixtureMarker");
    ASSERT_NE(pfnProc, nullptr);
    EXPECT_EQ(reinterpret_cast<PFN_MARKER>(reinterpret_cast<void (*)(void)>(pfnProc))(), 42);

    WCHAR szPath[MAX_PATH] = {};
    const DWORD cch = GetModuleFileNameW(hModule, szPath, MAX_PATH);
    const std::wstring strPath(szPath, cch);
    EXPECT_NE(strPath.find(L"/MotionFixtureNoExports.so"), std::wstring::npos);
    EXPECT_TRUE(FreeLibrary(hModule));
}

TEST_F(Kernel32Modules, GetProcAddressSeesOnlyTheModulesOwnExports)
{
    HMODULE hModule = LoadLibraryW(L"MotionFixtureNoExports.DLL");
    ASSERT_NE(hModule, nullptr);
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(hModule, "malloc"), nullptr) << "libc's, not the module's";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_EQ(GetProcAddress(hModule, "NoSuchExport"), nullptr);
    FreeLibrary(hModule);
}

TEST_F(Kernel32Modules, RedirectedAndMissingNames)
{
    HeadlessRedirectLibrary(L"fixture.dll", ZELV_FIXTURE_PARTIAL);
    HMODULE hModule = LoadLibraryW(L"Fixture.DLL");
    ASSERT_NE(hModule, nullptr);
    EXPECT_NE(GetProcAddress(hModule, "AdvDataRW"), nullptr);
    FreeLibrary(hModule);

    HeadlessRedirectLibrary(L"Fixture.DLL", "/nonexistent/Fixture.so");
    EXPECT_EQ(LoadLibraryW(L"Fixture.DLL"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(LoadLibraryW(L"NoSuchLibraryAnywhere.DLL"), nullptr);
}

TEST_F(Kernel32Modules, ModuleFileNameOfTheProgramAndTruncation)
{
    WCHAR szPath[MAX_PATH] = {};
    const DWORD cch = GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    ASSERT_GT(cch, 0u);
    EXPECT_NE(std::wstring(szPath).find(L"test_kernel32"), std::wstring::npos);

    WCHAR szShort[4] = {L'x', L'x', L'x', L'x'};
    EXPECT_EQ(GetModuleFileNameW(nullptr, szShort, 4), 4u);
    EXPECT_EQ(szShort[3], L'\0');
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

// ---------------------------------------------------------------- mappings

class Kernel32Mappings : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string strPrefix = UniquePrefix(::testing::UnitTest::GetInstance()->current_test_info()->name());
        HeadlessSetMappingPrefix(strPrefix.c_str());
    }
    void TearDown() override
    {
        HeadlessFailMappings(0);
        HeadlessSetMappingPrefix(nullptr);
    }
};

TEST_F(Kernel32Mappings, CreateTwiceGivesTheSameBlockAndSaysItExisted)
{
    HANDLE hFirst = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 36, L"Block");
    ASSERT_NE(hFirst, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    HANDLE hSecond = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 36, L"Block");
    ASSERT_NE(hSecond, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));

    auto* pFirst = static_cast<unsigned char*>(MapViewOfFile(hFirst, FILE_MAP_WRITE, 0, 0, 0));
    auto* pSecond = static_cast<unsigned char*>(MapViewOfFile(hSecond, FILE_MAP_ALL_ACCESS, 0, 0, 36));
    ASSERT_NE(pFirst, nullptr);
    ASSERT_NE(pSecond, nullptr);
    pFirst[35] = 0x5A;
    EXPECT_EQ(pSecond[35], 0x5A);

    EXPECT_TRUE(UnmapViewOfFile(pFirst));
    EXPECT_TRUE(UnmapViewOfFile(pSecond));
    EXPECT_FALSE(UnmapViewOfFile(pSecond));
    EXPECT_TRUE(CloseHandle(hFirst));
    EXPECT_TRUE(CloseHandle(hSecond));
    EXPECT_FALSE(CloseHandle(hSecond));
}

TEST_F(Kernel32Mappings, OpenFindsOnlyLiveBlocksUnderTheCurrentPrefix)
{
    SetLastError(0);
    EXPECT_EQ(OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, L"Block"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    HANDLE hCreated = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 36, L"Block");
    ASSERT_NE(hCreated, nullptr);
    HANDLE hOpened = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, L"Block");
    ASSERT_NE(hOpened, nullptr);

    HeadlessSetMappingPrefix((UniquePrefix("other")).c_str());
    EXPECT_EQ(OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, L"Block"), nullptr) << "another prefix, another block";
    SetUp();

    // A view keeps the block alive after its creator's handle is closed.
    void* pView = MapViewOfFile(hOpened, FILE_MAP_WRITE, 0, 0, 0);
    ASSERT_NE(pView, nullptr);
    CloseHandle(hCreated);
    CloseHandle(hOpened);
    HANDLE hAgain = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, L"Block");
    EXPECT_NE(hAgain, nullptr);
    CloseHandle(hAgain);
    UnmapViewOfFile(pView);
    EXPECT_EQ(OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, L"Block"), nullptr) << "gone with the last reference";
}

TEST_F(Kernel32Mappings, AnotherProcessSharesANamedBlock)
{
    HANDLE hMap = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 36, L"Shared");
    ASSERT_NE(hMap, nullptr);
    auto* pView = static_cast<volatile unsigned char*>(MapViewOfFile(hMap, FILE_MAP_WRITE, 0, 0, 0));
    ASSERT_NE(pView, nullptr);

    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        HANDLE hChild = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, L"Shared");
        auto* pChild = hChild ? static_cast<unsigned char*>(MapViewOfFile(hChild, FILE_MAP_WRITE, 0, 0, 0)) : nullptr;
        if (pChild) {
            pChild[8] = 0xC3;
        }
        _exit(pChild ? 0 : 1);
    }
    int nStatus = -1;
    ASSERT_EQ(waitpid(pid, &nStatus, 0), pid);
    EXPECT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0);
    EXPECT_EQ(pView[8], 0xC3);
    UnmapViewOfFile(const_cast<unsigned char*>(pView));
    CloseHandle(hMap);
}

TEST_F(Kernel32Mappings, FaultFlagsFailTheirCalls)
{
    HeadlessFailMappings(HEADLESS_FAIL_CREATE_MAPPING);
    EXPECT_EQ(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 36, L"Block"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

    HeadlessFailMappings(0);
    HANDLE hMap = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 36, L"Block");
    ASSERT_NE(hMap, nullptr);
    HeadlessFailMappings(HEADLESS_FAIL_OPEN_MAPPING | HEADLESS_FAIL_MAP_VIEW);
    EXPECT_EQ(OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, L"Block"), nullptr);
    EXPECT_EQ(MapViewOfFile(hMap, FILE_MAP_WRITE, 0, 0, 0), nullptr);
    HeadlessFailMappings(0);
    CloseHandle(hMap);
}

TEST_F(Kernel32Mappings, AnonymousAndInvalidRequests)
{
    HANDLE hAnonymous = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 100, nullptr);
    ASSERT_NE(hAnonymous, nullptr);
    auto* p = static_cast<unsigned char*>(MapViewOfFile(hAnonymous, FILE_MAP_WRITE, 0, 0, 0));
    ASSERT_NE(p, nullptr);
    p[99] = 1;
    EXPECT_EQ(MapViewOfFile(hAnonymous, FILE_MAP_WRITE, 0, 0, 101), nullptr) << "larger than the mapping";
    UnmapViewOfFile(p);
    CloseHandle(hAnonymous);

    EXPECT_EQ(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 0, L"Empty"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(MapViewOfFile(reinterpret_cast<HANDLE>(0x1234), FILE_MAP_WRITE, 0, 0, 0), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

// ---------------------------------------------------------------- threads and waits

struct GATE {
    std::mutex mutex;
    std::condition_variable cv;
    bool bOpen = false;
    DWORD dwSeenId = 0;

    void Open()
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            bOpen = true;
        }
        cv.notify_all();
    }
};

DWORD WINAPI GatedThread(LPVOID pParam)
{
    GATE* pGate = static_cast<GATE*>(pParam);
    std::unique_lock<std::mutex> lock(pGate->mutex);
    pGate->dwSeenId = GetCurrentThreadId();
    pGate->cv.wait(lock, [&] { return pGate->bOpen; });
    return 17;
}

TEST(Kernel32Threads, ThreadRunsReportsItsExitCodeAndIsWaitedFor)
{
    GATE gate;
    DWORD dwId = 0;
    HANDLE hThread = CreateThread(nullptr, 0, &GatedThread, &gate, 0, &dwId);
    ASSERT_NE(hThread, nullptr);
    EXPECT_NE(dwId, GetCurrentThreadId());

    DWORD dwCode = 0;
    EXPECT_TRUE(GetExitCodeThread(hThread, &dwCode));
    EXPECT_EQ(dwCode, static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(WaitForSingleObject(hThread, 0), static_cast<DWORD>(WAIT_TIMEOUT));

    gate.Open();
    EXPECT_EQ(WaitForSingleObject(hThread, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_TRUE(GetExitCodeThread(hThread, &dwCode));
    EXPECT_EQ(dwCode, 17u);
    EXPECT_EQ(gate.dwSeenId, dwId);
    EXPECT_TRUE(CloseHandle(hThread));
    EXPECT_EQ(WaitForSingleObject(hThread, 0), static_cast<DWORD>(WAIT_FAILED));
}

BOOL g_bInput = FALSE;

BOOL ProbeInput(DWORD dwWakeMask)
{
    return g_bInput && (dwWakeMask & QS_POSTMESSAGE);
}

TEST(Kernel32Threads, MessageWaitReturnsForInputAndForTheThread)
{
    GATE gate;
    HANDLE hThread = CreateThread(nullptr, 0, &GatedThread, &gate, 0, nullptr);
    ASSERT_NE(hThread, nullptr);
    HeadlessSetMessageProbe(&ProbeInput);

    g_bInput = TRUE;
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &hThread, FALSE, INFINITE, QS_ALLINPUT), static_cast<DWORD>(WAIT_OBJECT_0 + 1));
    g_bInput = FALSE;
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &hThread, FALSE, 0, QS_ALLINPUT), static_cast<DWORD>(WAIT_TIMEOUT));
    gate.Open();
    EXPECT_EQ(MsgWaitForMultipleObjects(1, &hThread, FALSE, INFINITE, QS_ALLINPUT), static_cast<DWORD>(WAIT_OBJECT_0));

    HeadlessSetMessageProbe(nullptr);
    CloseHandle(hThread);
}

// ---------------------------------------------------------------- virtual clock

std::vector<DWORD> g_adwHooked;

void RecordAdvance(DWORD dwElapsed)
{
    g_adwHooked.push_back(dwElapsed);
}

struct LISTENED {
    DWORD dwTotal = 0;
};

void CountAdvance(DWORD dwElapsed, void* pContext)
{
    static_cast<LISTENED*>(pContext)->dwTotal += dwElapsed;
}

class Kernel32Clock : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_adwHooked.clear();
        HeadlessClockUseVirtual(true);
    }
    void TearDown() override
    {
        HeadlessClockSetAdvanceHook(nullptr);
        HeadlessClockUseVirtual(false);
    }
};

TEST_F(Kernel32Clock, SleepOnTheUiThreadAdvancesTheClockAndTellsTheHooks)
{
    LISTENED listened;
    const int nId = HeadlessClockAddListener(&CountAdvance, &listened);
    ASSERT_NE(nId, 0);
    HeadlessClockSetAdvanceHook(&RecordAdvance);
    const DWORD dwStart = GetTickCount();

    Sleep(250);
    HeadlessClockAdvance(40);

    EXPECT_EQ(GetTickCount() - dwStart, 290u);
    EXPECT_EQ(g_adwHooked, (std::vector<DWORD>{250, 40}));
    EXPECT_EQ(listened.dwTotal, 290u);
    HeadlessClockRemoveListener(nId);
    HeadlessClockAdvance(10);
    EXPECT_EQ(listened.dwTotal, 290u);
}

struct SLEEPER {
    uint64_t qwStart = 0;
    uint64_t qwWoke = 0;
};

DWORD WINAPI SleepingThread(LPVOID pParam)
{
    SLEEPER* pSleeper = static_cast<SLEEPER*>(pParam);
    Sleep(100);
    pSleeper->qwWoke = HeadlessClockNow();
    return 0;
}

TEST_F(Kernel32Clock, SleepOnAnotherThreadWaitsForVirtualTime)
{
    SLEEPER sleeper;
    sleeper.qwStart = HeadlessClockNow();
    HANDLE hThread = CreateThread(nullptr, 0, &SleepingThread, &sleeper, 0, nullptr);
    ASSERT_NE(hThread, nullptr);

    // The UI thread's wait lets virtual time pass until the sleeper is done.
    EXPECT_EQ(WaitForSingleObject(hThread, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_GE(sleeper.qwWoke, sleeper.qwStart + 100);
    CloseHandle(hThread);
}

TEST_F(Kernel32Clock, UiThreadWaitTimeoutCountsVirtualMilliseconds)
{
    GATE gate;
    HANDLE hThread = CreateThread(nullptr, 0, &GatedThread, &gate, 0, nullptr);
    ASSERT_NE(hThread, nullptr);
    const uint64_t qwStart = HeadlessClockNow();

    EXPECT_EQ(WaitForSingleObject(hThread, 30), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_GE(HeadlessClockNow(), qwStart + 30);

    gate.Open();
    WaitForSingleObject(hThread, INFINITE);
    CloseHandle(hThread);
}

// ---------------------------------------------------------------- helpers

TEST(Kernel32Helpers, MulDivRoundsHalfAwayFromZeroAndReportsOverflow)
{
    const struct { int a, b, c, nExpected; } aCases[] = {
        {10, 3, 4, 8},   {-10, 3, 4, -8}, {7, -1, 2, -4},       {7, 1, -2, -4}, {5, 5, 5, 5},
        {1, 1, 0, -1},   {INT_MAX, 2, 1, -1}, {INT_MAX, 2, 2, INT_MAX}, {96, 120, 96, 120}, {0, 9, 7, 0},
    };
    for (const auto& c : aCases) {
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.nExpected) << c.a << " * " << c.b << " / " << c.c;
    }
}

TEST(Kernel32Helpers, InterlockedOperationsReturnWhatWin32Returns)
{
    volatile LONG lValue = 5;
    EXPECT_EQ(InterlockedExchange(&lValue, 9), 5);
    EXPECT_EQ(InterlockedCompareExchange(&lValue, 1, 4), 9);
    EXPECT_EQ(lValue, 9);
    EXPECT_EQ(InterlockedCompareExchange(&lValue, 1, 9), 9);
    EXPECT_EQ(lValue, 1);
    EXPECT_EQ(InterlockedIncrement(&lValue), 2);
    EXPECT_EQ(InterlockedDecrement(&lValue), 1);
}

DWORD WINAPI ReadLastError(LPVOID pParam)
{
    *static_cast<DWORD*>(pParam) = GetLastError();
    return 0;
}

TEST(Kernel32Helpers, LastErrorIsPerThreadAndLocalTimeCanBePinned)
{
    SetLastError(1234);
    DWORD dwOther = 99;
    HANDLE hThread = CreateThread(nullptr, 0, &ReadLastError, &dwOther, 0, nullptr);
    ASSERT_NE(hThread, nullptr);
    WaitForSingleObject(hThread, INFINITE);
    CloseHandle(hThread);
    EXPECT_EQ(dwOther, 0u);

    SYSTEMTIME stPinned = {2024, 5, 3, 17, 8, 30, 15, 250};
    HeadlessSetLocalTime(&stPinned);
    SYSTEMTIME st = {};
    GetLocalTime(&st);
    HeadlessSetLocalTime(nullptr);
    EXPECT_EQ(0, std::memcmp(&st, &stPinned, sizeof(st)));
    GetLocalTime(&st);
    EXPECT_GE(st.wYear, 2024);
}

} // namespace
