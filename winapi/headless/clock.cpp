// Time for the headless window system: GetTickCount, Sleep, GetLocalTime and
// the virtual clock that tests drive (semantics in kernel32.h).
#include "winapi/headless/kernel32.h"
#include "winapi/headless/clock.h"

#include <condition_variable>
#include <ctime>
#include <mutex>
#include <thread>
#include <vector>

namespace {

struct CClockListener {
    int nId;
    HEADLESS_CLOCK_LISTENER pfnListener;
    void* pContext;
};

struct CClockState {
    std::mutex mutex;
    std::condition_variable cvAdvanced;
    bool bVirtual = false;
    uint64_t qwVirtualNow = 0;
    std::thread::id uiThread;
    std::vector<CClockListener> aListeners;
    int nNextListenerId = 1;
    void (*pfnHook)(DWORD) = nullptr;
    bool bLocalTimePinned = false;
    SYSTEMTIME stPinned = {};
};

CClockState& Clock()
{
    static CClockState s_state;
    return s_state;
}

} // namespace

uint64_t HeadlessRealMilliseconds()
{
    timespec ts = {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
}

bool HeadlessClockOwnsThisThread()
{
    CClockState& clock = Clock();
    std::lock_guard<std::mutex> lock(clock.mutex);
    return clock.bVirtual && clock.uiThread == std::this_thread::get_id();
}

void HeadlessClockUseVirtual(bool bVirtual)
{
    CClockState& clock = Clock();
    {
        std::lock_guard<std::mutex> lock(clock.mutex);
        if (bVirtual && !clock.bVirtual) {
            // Continue from the real reading so GetTickCount never jumps back.
            clock.qwVirtualNow = HeadlessRealMilliseconds();
        }
        clock.bVirtual = bVirtual;
        clock.uiThread = bVirtual ? std::this_thread::get_id() : std::thread::id();
    }
    // Sleepers on other threads re-check the mode.
    clock.cvAdvanced.notify_all();
}

bool HeadlessClockIsVirtual(void)
{
    CClockState& clock = Clock();
    std::lock_guard<std::mutex> lock(clock.mutex);
    return clock.bVirtual;
}

uint64_t HeadlessClockNow(void)
{
    CClockState& clock = Clock();
    std::lock_guard<std::mutex> lock(clock.mutex);
    return clock.bVirtual ? clock.qwVirtualNow : HeadlessRealMilliseconds();
}

void HeadlessClockAdvance(DWORD dwMilliseconds)
{
    CClockState& clock = Clock();
    std::vector<CClockListener> aListeners;
    void (*pfnHook)(DWORD) = nullptr;
    {
        std::lock_guard<std::mutex> lock(clock.mutex);
        if (!clock.bVirtual || dwMilliseconds == 0) {
            return;
        }
        clock.qwVirtualNow += dwMilliseconds;
        aListeners = clock.aListeners;
        pfnHook = clock.pfnHook;
    }
    clock.cvAdvanced.notify_all();
    // Called without the lock: listeners may read the clock or sleep.
    if (pfnHook) {
        pfnHook(dwMilliseconds);
    }
    for (const CClockListener& listener : aListeners) {
        listener.pfnListener(dwMilliseconds, listener.pContext);
    }
}

int HeadlessClockAddListener(HEADLESS_CLOCK_LISTENER pfnListener, void* pContext)
{
    if (!pfnListener) {
        return 0;
    }
    CClockState& clock = Clock();
    std::lock_guard<std::mutex> lock(clock.mutex);
    const int nId = clock.nNextListenerId++;
    clock.aListeners.push_back(CClockListener{nId, pfnListener, pContext});
    return nId;
}

void HeadlessClockRemoveListener(int nId)
{
    CClockState& clock = Clock();
    std::lock_guard<std::mutex> lock(clock.mutex);
    for (auto it = clock.aListeners.begin(); it != clock.aListeners.end(); ++it) {
        if (it->nId == nId) {
            clock.aListeners.erase(it);
            return;
        }
    }
}

void HeadlessClockSetAdvanceHook(void (*pfnHook)(DWORD dwElapsedMs))
{
    CClockState& clock = Clock();
    std::lock_guard<std::mutex> lock(clock.mutex);
    clock.pfnHook = pfnHook;
}

DWORD WINAPI GetTickCount(void)
{
    return static_cast<DWORD>(HeadlessClockNow() & 0xFFFFFFFFu);
}

namespace {

void SleepReal(DWORD dwMilliseconds)
{
    if (dwMilliseconds == 0) {
        std::this_thread::yield();
        return;
    }
    while (dwMilliseconds == INFINITE) {
        std::this_thread::sleep_for(std::chrono::hours(1));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds));
}

// A thread other than the clock's owner waits for virtual time to pass. If
// the clock returns to real mode meanwhile, the wait ends at once.
void SleepUntilAdvanced(CClockState& clock, std::unique_lock<std::mutex>& lock, DWORD dwMilliseconds)
{
    const uint64_t qwTarget = clock.qwVirtualNow + dwMilliseconds;
    clock.cvAdvanced.wait(lock, [&] { return !clock.bVirtual || clock.qwVirtualNow >= qwTarget; });
}

} // namespace

void WINAPI Sleep(DWORD dwMilliseconds)
{
    CClockState& clock = Clock();
    std::unique_lock<std::mutex> lock(clock.mutex);
    if (!clock.bVirtual || dwMilliseconds == 0 || dwMilliseconds == INFINITE) {
        lock.unlock();
        SleepReal(dwMilliseconds);
        return;
    }
    if (clock.uiThread == std::this_thread::get_id()) {
        lock.unlock();
        HeadlessClockAdvance(dwMilliseconds);
        return;
    }
    SleepUntilAdvanced(clock, lock, dwMilliseconds);
}

void HeadlessSetLocalTime(const SYSTEMTIME* pTime)
{
    CClockState& clock = Clock();
    std::lock_guard<std::mutex> lock(clock.mutex);
    clock.bLocalTimePinned = pTime != nullptr;
    if (pTime) {
        clock.stPinned = *pTime;
    }
}

void WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime)
{
    if (!lpSystemTime) {
        return;
    }
    {
        CClockState& clock = Clock();
        std::lock_guard<std::mutex> lock(clock.mutex);
        if (clock.bLocalTimePinned) {
            *lpSystemTime = clock.stPinned;
            return;
        }
    }
    timespec ts = {};
    clock_gettime(CLOCK_REALTIME, &ts);
    tm local = {};
    localtime_r(&ts.tv_sec, &local);
    lpSystemTime->wYear = static_cast<WORD>(local.tm_year + 1900);
    lpSystemTime->wMonth = static_cast<WORD>(local.tm_mon + 1);
    lpSystemTime->wDayOfWeek = static_cast<WORD>(local.tm_wday);
    lpSystemTime->wDay = static_cast<WORD>(local.tm_mday);
    lpSystemTime->wHour = static_cast<WORD>(local.tm_hour);
    lpSystemTime->wMinute = static_cast<WORD>(local.tm_min);
    lpSystemTime->wSecond = static_cast<WORD>(local.tm_sec);
    lpSystemTime->wMilliseconds = static_cast<WORD>(ts.tv_nsec / 1000000);
}
