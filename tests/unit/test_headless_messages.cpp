// The window manager core of the headless window system: window lifetime,
// the queue and the loop, timers on the virtual clock, focus, and calls
// from a worker thread.
#include "winapi/headless/driver.h"
#include "winapi/win32.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

struct LOGGED {
    HWND hWnd;
    UINT nMessage;
    WPARAM wParam;
    LPARAM lParam;
    DWORD nTime;
};

std::vector<LOGGED> g_aLog;
std::vector<UINT> g_aLogged; // messages worth logging; empty logs all
std::thread::id g_idProcThread;

bool Wanted(UINT nMessage)
{
    if (g_aLogged.empty())
        return true;
    for (UINT n : g_aLogged)
        if (n == nMessage)
            return true;
    return false;
}

LRESULT CALLBACK LoggingProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (Wanted(nMessage))
        g_aLog.push_back({hWnd, nMessage, wParam, lParam, HeadlessDriver::Now()});
    if (nMessage == WM_APP) {
        g_idProcThread = std::this_thread::get_id();
        return static_cast<LRESULT>(wParam * 2);
    }
    return DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

class HeadlessMessages : public ::testing::Test {
protected:
    void SetUp() override
    {
        HeadlessDriver::Reset();
        g_aLog.clear();
        g_aLogged.clear();
        WNDCLASSW wc{};
        wc.lpfnWndProc = &LoggingProc;
        wc.lpszClassName = L"Logging";
        ASSERT_NE(RegisterClassW(&wc), 0);
    }

    void TearDown() override { HeadlessDriver::Reset(); }

    static HWND Top()
    {
        return CreateWindowExW(0, L"Logging", L"top", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                               nullptr, nullptr);
    }

    static HWND Child(HWND hParent, int nId)
    {
        return CreateWindowExW(0, L"Logging", L"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, hParent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(nId)), nullptr, nullptr);
    }

    static std::vector<std::pair<HWND, UINT>> Sequence()
    {
        std::vector<std::pair<HWND, UINT>> aSequence;
        for (const auto& entry : g_aLog)
            aSequence.emplace_back(entry.hWnd, entry.nMessage);
        return aSequence;
    }
};

TEST_F(HeadlessMessages, DestroyWindowSendsDestroyToParentFirstAndNcDestroyLast)
{
    HWND hTop = Top();
    HWND hFirst = Child(hTop, 1);
    HWND hSecond = Child(hTop, 2);
    HWND hInner = Child(hFirst, 3);
    g_aLogged = {WM_DESTROY, WM_NCDESTROY};
    g_aLog.clear();
    ASSERT_TRUE(DestroyWindow(hTop));
    const std::vector<std::pair<HWND, UINT>> aExpected = {
        {hTop, WM_DESTROY},      {hFirst, WM_DESTROY},      {hInner, WM_DESTROY},   {hInner, WM_NCDESTROY},
        {hFirst, WM_NCDESTROY}, {hSecond, WM_DESTROY},     {hSecond, WM_NCDESTROY}, {hTop, WM_NCDESTROY},
    };
    EXPECT_EQ(Sequence(), aExpected);
    for (HWND h : {hTop, hFirst, hSecond, hInner})
        EXPECT_FALSE(IsWindow(h));
}

TEST_F(HeadlessMessages, CallsOnADestroyedWindowFailSafely)
{
    HWND hTop = Top();
    HWND hChild = Child(hTop, 5);
    DestroyWindow(hTop);
    RECT rc = {1, 2, 3, 4};
    wchar_t szText[8] = L"keep";
    EXPECT_EQ(SendMessageW(hChild, WM_APP, 1, 0), 0);
    EXPECT_FALSE(PostMessageW(hChild, WM_APP, 1, 0));
    EXPECT_FALSE(SetWindowTextW(hChild, L"x"));
    EXPECT_EQ(GetWindowTextW(hChild, szText, 8), 0);
    EXPECT_EQ(szText[0], 0);
    EXPECT_FALSE(GetClientRect(hChild, &rc));
    EXPECT_FALSE(ShowWindow(hChild, SW_SHOW));
    EXPECT_FALSE(EnableWindow(hChild, FALSE));
    EXPECT_EQ(GetDlgItem(hTop, 5), nullptr);
    EXPECT_EQ(GetParent(hChild), nullptr);
    EXPECT_EQ(SetTimer(hChild, 1, 50, nullptr), 0u);
    EXPECT_EQ(SetFocus(hChild), nullptr);
    EXPECT_EQ(SetCapture(hChild), nullptr);
    EXPECT_FALSE(DestroyWindow(hChild));
    EXPECT_EQ(GetWindowLongPtrW(hChild, GWLP_USERDATA), 0);
}

TEST_F(HeadlessMessages, TimersFireInTimeOrderOnTheVirtualClock)
{
    HWND hTop = Top();
    ASSERT_EQ(SetTimer(hTop, 0, 50, nullptr), 1u);
    ASSERT_EQ(SetTimer(hTop, 1, 1000, nullptr), 1u);
    g_aLogged = {WM_TIMER};
    g_aLog.clear();
    DWORD nHookTotal = 0;
    HeadlessDriver::SetClockHook([&](DWORD nElapsed) { nHookTotal += nElapsed; });
    const DWORD dwTickBefore = GetTickCount();

    HeadlessDriver::Advance(49);
    EXPECT_TRUE(g_aLog.empty());
    HeadlessDriver::Advance(951);
    EXPECT_EQ(HeadlessDriver::Now(), 1000u);
    EXPECT_EQ(nHookTotal, 1000u);
    EXPECT_EQ(GetTickCount() - dwTickBefore, 1000u);
    ASSERT_EQ(g_aLog.size(), 21u);
    for (size_t i = 0; i < 20; ++i) {
        EXPECT_EQ(g_aLog[i].wParam, 0u);
        EXPECT_EQ(g_aLog[i].nTime, 50u * (i + 1));
    }
    EXPECT_EQ(g_aLog[20].wParam, 1u);
    EXPECT_EQ(g_aLog[20].nTime, 1000u);

    EXPECT_TRUE(KillTimer(hTop, 0));
    EXPECT_FALSE(KillTimer(hTop, 0));
    g_aLog.clear();
    HeadlessDriver::Advance(1000);
    ASSERT_EQ(g_aLog.size(), 1u);
    EXPECT_EQ(g_aLog[0].wParam, 1u);
}

TEST_F(HeadlessMessages, ATimerHasOneWaitingMessageAndDiesWithItsWindow)
{
    HWND hTop = Top();
    SetTimer(hTop, 7, 50, nullptr);
    g_aLogged = {WM_TIMER};
    g_aLog.clear();
    // Time that passes while nobody reads the queue leaves one WM_TIMER.
    HeadlessClockAdvance(500);
    EXPECT_TRUE(g_aLog.empty());
    HeadlessDriver::Pump();
    EXPECT_EQ(g_aLog.size(), 1u);

    EXPECT_EQ(HeadlessDriver::TimerCount(hTop), 1);
    DestroyWindow(hTop);
    EXPECT_EQ(HeadlessDriver::TimerCount(hTop), 0);
    g_aLog.clear();
    HeadlessDriver::Advance(1000);
    EXPECT_TRUE(g_aLog.empty());
}

TEST_F(HeadlessMessages, QueueKeepsOrderPeekAndQuit)
{
    HWND hTop = Top();
    g_aLogged = {WM_APP + 1, WM_APP + 2};
    g_aLog.clear();
    PostMessageW(hTop, WM_APP + 1, 1, 0);
    PostMessageW(hTop, WM_APP + 2, 2, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP + 1));
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_APP + 2, WM_APP + 2, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 2u);
    PostQuitMessage(3);
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_APP + 1));
    DispatchMessageW(&msg);
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    ASSERT_EQ(g_aLog.size(), 1u);
}

TEST_F(HeadlessMessages, FocusMovesWithKillFocusThenSetFocus)
{
    HWND hTop = Top();
    HWND hFirst = Child(hTop, 1);
    HWND hSecond = Child(hTop, 2);
    SetFocus(hFirst);
    g_aLogged = {WM_SETFOCUS, WM_KILLFOCUS};
    g_aLog.clear();
    EXPECT_EQ(SetFocus(hSecond), hFirst);
    ASSERT_EQ(g_aLog.size(), 2u);
    EXPECT_EQ(g_aLog[0].hWnd, hFirst);
    EXPECT_EQ(g_aLog[0].nMessage, static_cast<UINT>(WM_KILLFOCUS));
    EXPECT_EQ(reinterpret_cast<HWND>(g_aLog[0].wParam), hSecond);
    EXPECT_EQ(g_aLog[1].hWnd, hSecond);
    EXPECT_EQ(g_aLog[1].nMessage, static_cast<UINT>(WM_SETFOCUS));
    EXPECT_EQ(reinterpret_cast<HWND>(g_aLog[1].wParam), hFirst);
    EXPECT_EQ(GetFocus(), hSecond);
    EXPECT_EQ(GetActiveWindow(), hTop);
}

TEST_F(HeadlessMessages, WorkerThreadCallsAreServedByTheUiThreadWhenItPumps)
{
    HWND hTop = Top();
    HWND hButton = CreateWindowExW(0, L"BUTTON", L"Repeat", WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, 0, 50, 20, hTop,
                                   reinterpret_cast<HMENU>(1037), nullptr, nullptr);
    g_aLogged = {WM_APP, WM_APP + 1};
    g_aLog.clear();
    g_idProcThread = std::thread::id();
    std::atomic<bool> bDone{false};
    LRESULT lResult = 0;
    std::thread worker([&] {
        PostMessageW(hTop, WM_APP + 1, 0, 0);
        lResult = SendMessageW(hTop, WM_APP, 21, 0);
        EnableWindow(hButton, TRUE);
        bDone = true;
    });
    // The worker's calls wait until this thread looks at its queue.
    for (int i = 0; i < 100000 && !bDone; ++i) {
        HeadlessDriver::Pump();
        std::this_thread::yield();
    }
    worker.join();
    ASSERT_TRUE(bDone);
    EXPECT_EQ(lResult, 42);
    EXPECT_EQ(g_idProcThread, std::this_thread::get_id());
    EXPECT_TRUE(IsWindowEnabled(hButton));
    // Sent calls are served before posted messages, so the order depends on
    // when the pump ran; both arrive once.
    ASSERT_EQ(g_aLog.size(), 2u);
    EXPECT_NE(g_aLog[0].nMessage, g_aLog[1].nMessage);
}

DWORD WINAPI SendingThread(LPVOID pParam)
{
    return static_cast<DWORD>(SendMessageW(static_cast<HWND>(pParam), WM_APP, 5, 0));
}

TEST_F(HeadlessMessages, JoiningAWorkerWhileServingItsSentMessages)
{
    HWND hTop = Top();
    g_aLogged = {WM_APP};
    g_aLog.clear();
    HANDLE hThread = CreateThread(nullptr, 0, &SendingThread, hTop, 0, nullptr);
    ASSERT_NE(hThread, nullptr);
    // As a window does before it goes: wait for the thread, serving messages.
    for (;;) {
        const DWORD dwWait = MsgWaitForMultipleObjects(1, &hThread, FALSE, INFINITE, QS_ALLINPUT);
        if (dwWait == WAIT_OBJECT_0)
            break;
        ASSERT_EQ(dwWait, WAIT_OBJECT_0 + 1);
        HeadlessDriver::Pump();
    }
    DWORD dwExit = 0;
    EXPECT_TRUE(GetExitCodeThread(hThread, &dwExit));
    EXPECT_EQ(dwExit, 10u);
    CloseHandle(hThread);
    EXPECT_EQ(g_aLog.size(), 1u);
}

TEST_F(HeadlessMessages, MessageWaitWakesForAPostFromAnotherThread)
{
    HWND hTop = Top();
    g_aLogged = {WM_APP + 3};
    g_aLog.clear();
    std::thread worker([&] { PostMessageW(hTop, WM_APP + 3, 0, 0); });
    MSG msg;
    ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
    worker.join();
    DispatchMessageW(&msg);
    ASSERT_EQ(g_aLog.size(), 1u);
}

TEST_F(HeadlessMessages, ShowWindowMinimizesAndSystemCommandsAct)
{
    HWND hTop = Top();
    SendMessageW(hTop, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(hTop));
    EXPECT_TRUE(IsWindowVisible(hTop));
    ShowWindow(hTop, SW_RESTORE);
    EXPECT_FALSE(IsIconic(hTop));
    SendMessageW(hTop, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    EXPECT_EQ(HeadlessDriver::Drags(), std::vector<HWND>({hTop}));
    HICON hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    EXPECT_EQ(SendMessageW(hTop, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon)), 0);
    EXPECT_EQ(SendMessageW(hTop, WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(hIcon));
    SendMessageW(hTop, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hTop));
}

TEST_F(HeadlessMessages, ScreenAndClientCoordinatesFollowThePositions)
{
    HWND hTop = CreateWindowExW(0, L"Logging", L"", WS_POPUP | WS_VISIBLE, 100, 50, 300, 200, nullptr, nullptr,
                                nullptr, nullptr);
    HWND hChild = CreateWindowExW(0, L"Logging", L"", WS_CHILD | WS_VISIBLE, 10, 20, 30, 40, hTop, nullptr,
                                  nullptr, nullptr);
    POINT pt = {0, 0};
    ClientToScreen(hChild, &pt);
    EXPECT_EQ(pt.x, 110);
    EXPECT_EQ(pt.y, 70);
    HeadlessDriver::SetCursor(POINT{120, 75});
    GetCursorPos(&pt);
    ScreenToClient(hChild, &pt);
    EXPECT_EQ(pt.x, 10);
    EXPECT_EQ(pt.y, 5);
    MoveWindow(hTop, 0, 0, 300, 200, TRUE);
    RECT rc;
    GetWindowRect(hChild, &rc);
    EXPECT_EQ(rc.left, 10);
    EXPECT_EQ(rc.bottom, 60);
    EXPECT_EQ(HeadlessDriver::WindowAt(POINT{15, 25}), hChild);
    EXPECT_EQ(MulDiv(499, 12, 8), 749);
    EXPECT_EQ(MulDiv(-499, 12, 8), -749);
    EXPECT_EQ(MulDiv(1, 2, 0), -1);
}

} // namespace
