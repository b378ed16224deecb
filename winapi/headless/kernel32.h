// The kernel32 subset of the headless Win32 seam: modules, named file
// mappings, threads and waits, time, last error. Names, signatures and values
// are those of Win32 so the same code builds against <windows.h>.
//
// Headless additions (functions named Headless...) are for tests and for the
// rest of the headless window system; Windows code never calls them.
#pragma once

#include "winapi/headless/wintypes.h"

#include <cstdint>

// ---------------------------------------------------------------- errors

#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_NOT_SUPPORTED 50L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_MOD_NOT_FOUND 126L
#define ERROR_PROC_NOT_FOUND 127L
#define ERROR_ALREADY_EXISTS 183L

DWORD WINAPI GetLastError(void);
void WINAPI SetLastError(DWORD dwErrCode);

// ---------------------------------------------------------------- modules
//
// LoadLibraryW with a bare name "X.DLL" (no directory) loads the shared object
// "X.so": first from the directory of the running executable, then through the
// normal dynamic-loader search. A name with a directory is passed to the
// loader as it is. HeadlessRedirectLibrary sends a bare name to another path.

HMODULE WINAPI LoadLibraryW(LPCWSTR lpLibFileName);
FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
BOOL WINAPI FreeLibrary(HMODULE hLibModule);
HMODULE WINAPI GetModuleHandleW(LPCWSTR lpModuleName);
DWORD WINAPI GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize);
#define LoadLibrary LoadLibraryW
#define GetModuleHandle GetModuleHandleW
#define GetModuleFileName GetModuleFileNameW

// Test hook: from now on LoadLibraryW(pszBareName) loads pszPath instead
// (a path that does not exist makes the load fail). pszPath null removes the
// redirection. The bare name is compared without regard to case.
void HeadlessRedirectLibrary(LPCWSTR pszBareName, const char* pszPath);

// ---------------------------------------------------------------- handles

BOOL WINAPI CloseHandle(HANDLE hObject);

// ---------------------------------------------------------------- file mappings
//
// Only mappings in the paging file (INVALID_HANDLE_VALUE) exist. A named
// mapping is a POSIX shared-memory object "/<prefix><name>", so processes
// share it. Windows keeps a named mapping while any process holds a handle or
// a view of it; here the process that created the object removes its name
// when it closes its last handle and view of it. A process that attached to a
// mapping it did not create never removes the name. Anonymous mappings are
// private to this process and its views.

#define PAGE_READONLY 0x02
#define PAGE_READWRITE 0x04
#define FILE_MAP_COPY 0x0001
#define FILE_MAP_WRITE 0x0002
#define FILE_MAP_READ 0x0004
#define FILE_MAP_ALL_ACCESS 0x000F001F

HANDLE WINAPI CreateFileMappingW(HANDLE hFile, LPSECURITY_ATTRIBUTES lpAttributes, DWORD flProtect,
                                 DWORD dwMaximumSizeHigh, DWORD dwMaximumSizeLow, LPCWSTR lpName);
HANDLE WINAPI OpenFileMappingW(DWORD dwDesiredAccess, BOOL bInheritHandle, LPCWSTR lpName);
LPVOID WINAPI MapViewOfFile(HANDLE hFileMappingObject, DWORD dwDesiredAccess, DWORD dwFileOffsetHigh,
                            DWORD dwFileOffsetLow, SIZE_T dwNumberOfBytesToMap);
BOOL WINAPI UnmapViewOfFile(LPCVOID lpBaseAddress);
#define CreateFileMapping CreateFileMappingW
#define OpenFileMapping OpenFileMappingW

// Prefix put before every mapping name, so parallel test processes never share
// a block. Default: the environment variable ZELV_SHM_PREFIX, else none.
// Set it before the first mapping is created; null restores the default.
void HeadlessSetMappingPrefix(const char* pszPrefix);

// Fault injection: the calls whose flags are set fail (null result,
// GetLastError ERROR_ACCESS_DENIED) until the flags are cleared with 0.
enum {
    HEADLESS_FAIL_CREATE_MAPPING = 0x1,
    HEADLESS_FAIL_OPEN_MAPPING = 0x2,
    HEADLESS_FAIL_MAP_VIEW = 0x4
};
void HeadlessFailMappings(DWORD dwFlags);

// ---------------------------------------------------------------- threads and waits

#define INFINITE 0xFFFFFFFF
#define WAIT_OBJECT_0 0x00000000L
#define WAIT_ABANDONED 0x00000080L
#define WAIT_TIMEOUT 0x00000102L
#define WAIT_FAILED 0xFFFFFFFF
#define STILL_ACTIVE 259
#define CREATE_SUSPENDED 0x00000004

#define QS_KEY 0x0001
#define QS_MOUSEMOVE 0x0002
#define QS_MOUSEBUTTON 0x0004
#define QS_POSTMESSAGE 0x0008
#define QS_TIMER 0x0010
#define QS_PAINT 0x0020
#define QS_SENDMESSAGE 0x0040
#define QS_HOTKEY 0x0080
#define QS_ALLPOSTMESSAGE 0x0100
#define QS_RAWINPUT 0x0400
#define QS_MOUSE (QS_MOUSEMOVE | QS_MOUSEBUTTON)
#define QS_INPUT (QS_MOUSE | QS_KEY | QS_RAWINPUT)
#define QS_ALLEVENTS (QS_INPUT | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_HOTKEY)
#define QS_ALLINPUT (QS_INPUT | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_HOTKEY | QS_SENDMESSAGE)

// CREATE_SUSPENDED is not supported (null, ERROR_NOT_SUPPORTED). A thread
// handle that is closed while its thread runs lets the thread run on.
HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES lpThreadAttributes, SIZE_T dwStackSize,
                           LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter,
                           DWORD dwCreationFlags, LPDWORD lpThreadId);
BOOL WINAPI GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode);
DWORD WINAPI GetCurrentThreadId(void);

// Thread handles are the only waitable objects. Timeouts are in
// milliseconds of GetTickCount's clock (see the virtual clock below).
DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);
DWORD WINAPI WaitForMultipleObjects(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll, DWORD dwMilliseconds);

// Returns WAIT_OBJECT_0 + nCount when the message probe reports input for
// dwWakeMask. The window system registers the probe and wakes waiters
// whenever it queues a message for a thread.
DWORD WINAPI MsgWaitForMultipleObjects(DWORD nCount, const HANDLE* pHandles, BOOL fWaitAll,
                                       DWORD dwMilliseconds, DWORD dwWakeMask);
void HeadlessSetMessageProbe(BOOL (*pfnHasInput)(DWORD dwWakeMask));
void HeadlessWakeMessageWaiters(void);

LONG WINAPI InterlockedExchange(LONG volatile* plTarget, LONG lValue);
LONG WINAPI InterlockedCompareExchange(LONG volatile* plDestination, LONG lExchange, LONG lComparand);
LONG WINAPI InterlockedIncrement(LONG volatile* plAddend);
LONG WINAPI InterlockedDecrement(LONG volatile* plAddend);

// ---------------------------------------------------------------- time
//
// Virtual clock. In real mode GetTickCount counts real milliseconds and Sleep
// blocks. In virtual mode (for tests) time passes only when it is made to:
//  - HeadlessClockAdvance(ms), from any thread;
//  - Sleep(ms) on the UI thread advances the clock by ms and returns at once;
//  - a wait (WaitForSingleObject, WaitForMultipleObjects,
//    MsgWaitForMultipleObjects) on the UI thread advances the clock 1 ms at a
//    time while it waits, so its timeout counts virtual milliseconds and the
//    threads it waits for can make progress;
//  - Sleep(ms) on any other thread blocks until the clock has advanced by ms
//    (it never advances the clock itself); Sleep(0) only yields.
// The UI thread is the one that switched the clock to virtual mode. Every
// advance calls the advance listeners on the advancing thread, after the
// clock has moved, with the milliseconds just added.

DWORD WINAPI GetTickCount(void);
void WINAPI Sleep(DWORD dwMilliseconds);
void WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime);

void HeadlessClockUseVirtual(bool bVirtual);
bool HeadlessClockIsVirtual(void);
void HeadlessClockAdvance(DWORD dwMilliseconds);
uint64_t HeadlessClockNow(void); // milliseconds; GetTickCount is its low 32 bits

typedef void (*HEADLESS_CLOCK_LISTENER)(DWORD dwElapsedMs, void* pContext);
// Returns an id for HeadlessClockRemoveListener (never 0).
int HeadlessClockAddListener(HEADLESS_CLOCK_LISTENER pfnListener, void* pContext);
void HeadlessClockRemoveListener(int nId);
// One hook for a test (for example to advance the simulator in step); null
// removes it. Independent of the listeners above.
void HeadlessClockSetAdvanceHook(void (*pfnHook)(DWORD dwElapsedMs));

// Test hook: GetLocalTime returns *pTime from now on; null returns to the
// real local time.
void HeadlessSetLocalTime(const SYSTEMTIME* pTime);

// ---------------------------------------------------------------- miscellaneous

// Written to standard error only when the environment variable ZELV_DEBUG is
// set; otherwise discarded.
void WINAPI OutputDebugStringW(LPCWSTR lpOutputString);
void WINAPI OutputDebugStringA(LPCSTR lpOutputString);
#define OutputDebugString OutputDebugStringW

// (nNumber * nNumerator) / nDenominator with a 64-bit intermediate, rounded
// half away from zero; -1 when nDenominator is 0 or the result overflows.
int WINAPI MulDiv(int nNumber, int nNumerator, int nDenominator);
