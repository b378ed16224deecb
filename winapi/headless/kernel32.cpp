// kernel32 for the headless window system: modules through the dynamic
// loader, named mappings through POSIX shared memory, threads through
// std::thread. Semantics and their limits are documented in kernel32.h.
#include "winapi/headless/kernel32.h"
#include "winapi/headless/clock.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

thread_local DWORD t_dwLastError = ERROR_SUCCESS;
thread_local DWORD t_dwThreadId = 0;
std::atomic<DWORD> g_dwNextThreadId{1};

// ---------------------------------------------------------------- text

std::string Narrow(LPCWSTR psz)
{
    std::string str;
    for (; psz && *psz; ++psz) {
        const uint32_t c = static_cast<uint32_t>(*psz);
        if (c < 0x80) {
            str += static_cast<char>(c);
        } else if (c < 0x800) {
            str += static_cast<char>(0xC0 | (c >> 6));
            str += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            str += static_cast<char>(0xE0 | (c >> 12));
            str += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            str += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            str += static_cast<char>(0xF0 | (c >> 18));
            str += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            str += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            str += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return str;
}

// Decodes UTF-8; a malformed byte is taken as it is.
std::wstring Widen(const std::string& str)
{
    std::wstring wstr;
    for (size_t i = 0; i < str.size();) {
        const unsigned char c = static_cast<unsigned char>(str[i]);
        const int nMore = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (nMore == 0 || i + nMore >= str.size()) {
            wstr += static_cast<wchar_t>(c);
            ++i;
            continue;
        }
        uint32_t code = c & (0x3F >> nMore);
        for (int k = 1; k <= nMore; ++k) {
            code = (code << 6) | (static_cast<unsigned char>(str[i + k]) & 0x3F);
        }
        wstr += static_cast<wchar_t>(code);
        i += nMore + 1;
    }
    return wstr;
}

std::string Lower(std::string str)
{
    for (char& c : str) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return str;
}

bool EndsWithNoCase(const std::string& str, const char* pszSuffix)
{
    const size_t cch = std::strlen(pszSuffix);
    return str.size() >= cch && Lower(str.substr(str.size() - cch)) == Lower(pszSuffix);
}

// Copies str into a caller's buffer the way GetModuleFileNameW does.
DWORD CopyOut(const std::wstring& str, LPWSTR pszBuffer, DWORD cchBuffer)
{
    if (!pszBuffer || cchBuffer == 0) {
        t_dwLastError = ERROR_INSUFFICIENT_BUFFER;
        return 0;
    }
    if (str.size() < cchBuffer) {
        std::copy(str.begin(), str.end(), pszBuffer);
        pszBuffer[str.size()] = L'\0';
        t_dwLastError = ERROR_SUCCESS;
        return static_cast<DWORD>(str.size());
    }
    std::copy(str.begin(), str.begin() + (cchBuffer - 1), pszBuffer);
    pszBuffer[cchBuffer - 1] = L'\0';
    t_dwLastError = ERROR_INSUFFICIENT_BUFFER;
    return cchBuffer;
}

// ---------------------------------------------------------------- modules

std::mutex g_moduleMutex;
std::map<std::string, std::string> g_mapRedirects; // lower-case bare name -> path

std::string ExecutablePath()
{
    char sz[4096];
    const ssize_t cch = readlink("/proc/self/exe", sz, sizeof(sz) - 1);
    if (cch <= 0) {
        return std::string();
    }
    return std::string(sz, static_cast<size_t>(cch));
}

std::string ExecutableDirectory()
{
    const std::string strPath = ExecutablePath();
    const size_t nSlash = strPath.rfind('/');
    return nSlash == std::string::npos ? std::string() : strPath.substr(0, nSlash);
}

// "X.DLL" -> "X.so"; a name without extension gets ".so" as Windows would
// give it ".DLL".
std::string SharedObjectName(const std::string& strBare)
{
    if (EndsWithNoCase(strBare, ".dll")) {
        return strBare.substr(0, strBare.size() - 4) + ".so";
    }
    if (strBare.find('.') == std::string::npos) {
        return strBare + ".so";
    }
    return strBare;
}

void* OpenModule(const std::string& strName, int nFlags)
{
    if (strName.find('/') != std::string::npos) {
        return dlopen(strName.c_str(), nFlags);
    }
    {
        std::lock_guard<std::mutex> lock(g_moduleMutex);
        const auto it = g_mapRedirects.find(Lower(strName));
        if (it != g_mapRedirects.end()) {
            return dlopen(it->second.c_str(), nFlags);
        }
    }
    const std::string strObject = SharedObjectName(strName);
    const std::string strDir = ExecutableDirectory();
    if (!strDir.empty()) {
        if (void* pModule = dlopen((strDir + "/" + strObject).c_str(), nFlags)) {
            return pModule;
        }
    }
    return dlopen(strObject.c_str(), nFlags);
}

void* ModuleOfHandle(HMODULE hModule)
{
    return reinterpret_cast<void*>(hModule);
}

const link_map* LinkMapOf(void* pModule)
{
    link_map* pMap = nullptr;
    if (dlinfo(pModule, RTLD_DI_LINKMAP, &pMap) != 0) {
        return nullptr;
    }
    return pMap;
}

// ---------------------------------------------------------------- kernel objects

struct CKernelObject {
    virtual ~CKernelObject() = default;
};

struct CMappingObject : CKernelObject {
    int nFd = -1;
    bool bWritable = true;
    std::string strShmName; // empty for an anonymous mapping
    ~CMappingObject() override
    {
        if (nFd >= 0) {
            close(nFd);
        }
    }
};

// Guarded by g_waitMutex; waits sleep on g_cvWait.
struct CThreadState {
    bool bDone = false;
    DWORD dwExitCode = STILL_ACTIVE;
};

struct CThreadObject : CKernelObject {
    std::shared_ptr<CThreadState> pState;
    std::thread thread;
    ~CThreadObject() override
    {
        if (thread.joinable()) {
            thread.detach();
        }
    }
};

struct CNamedMapping {
    int nRefs = 0;        // handles and views of this process
    bool bCreator = false; // this process created the shared-memory object
};

struct CView {
    size_t cb = 0;
    std::string strShmName;
};

std::mutex g_objectMutex;
std::map<HANDLE, std::shared_ptr<CKernelObject>> g_mapObjects;
std::map<std::string, CNamedMapping> g_mapNames;
std::map<const void*, CView> g_mapViews;
uintptr_t g_nNextHandle = 0x1000;
std::string g_strPrefix;
bool g_bPrefixSet = false;
std::atomic<DWORD> g_dwMappingFaults{0};

std::mutex g_waitMutex;
std::condition_variable g_cvWait;
std::atomic<BOOL (*)(DWORD)> g_pfnMessageProbe{nullptr};

HANDLE AddObject(std::shared_ptr<CKernelObject> pObject)
{
    std::lock_guard<std::mutex> lock(g_objectMutex);
    g_nNextHandle += 4;
    HANDLE h = reinterpret_cast<HANDLE>(g_nNextHandle);
    g_mapObjects[h] = std::move(pObject);
    return h;
}

template <class T>
std::shared_ptr<T> FindObject(HANDLE h)
{
    std::lock_guard<std::mutex> lock(g_objectMutex);
    const auto it = g_mapObjects.find(h);
    return it == g_mapObjects.end() ? nullptr : std::dynamic_pointer_cast<T>(it->second);
}

std::string MappingPrefix()
{
    if (g_bPrefixSet) {
        return g_strPrefix;
    }
    const char* pszEnv = std::getenv("ZELV_SHM_PREFIX");
    return pszEnv ? pszEnv : "";
}

std::string ShmName(LPCWSTR pszName)
{
    std::string str = "/" + MappingPrefix() + Narrow(pszName);
    std::replace(str.begin() + 1, str.end(), '/', '_');
    std::replace(str.begin() + 1, str.end(), '\\', '_');
    return str;
}

// g_objectMutex held.
void AddNameRef(const std::string& strShmName, bool bCreated)
{
    if (strShmName.empty()) {
        return;
    }
    CNamedMapping& named = g_mapNames[strShmName];
    ++named.nRefs;
    named.bCreator = named.bCreator || bCreated;
}

// g_objectMutex held.
void ReleaseNameRef(const std::string& strShmName)
{
    const auto it = g_mapNames.find(strShmName);
    if (strShmName.empty() || it == g_mapNames.end()) {
        return;
    }
    if (--it->second.nRefs > 0) {
        return;
    }
    if (it->second.bCreator) {
        shm_unlink(strShmName.c_str());
    }
    g_mapNames.erase(it);
}

bool MappingFault(DWORD dwFlag)
{
    if ((g_dwMappingFaults.load() & dwFlag) == 0) {
        return false;
    }
    t_dwLastError = ERROR_ACCESS_DENIED;
    return true;
}

HANDLE AddMapping(int nFd, bool bWritable, const std::string& strShmName, bool bCreated)
{
    auto pMapping = std::make_shared<CMappingObject>();
    pMapping->nFd = nFd;
    pMapping->bWritable = bWritable;
    pMapping->strShmName = strShmName;
    HANDLE h = AddObject(pMapping);
    std::lock_guard<std::mutex> lock(g_objectMutex);
    AddNameRef(strShmName, bCreated);
    return h;
}

HANDLE CreateAnonymousMapping(uint64_t cbSize)
{
    const int nFd = memfd_create("zelv-mapping", MFD_CLOEXEC);
    if (nFd < 0 || ftruncate(nFd, static_cast<off_t>(cbSize)) != 0) {
        if (nFd >= 0) {
            close(nFd);
        }
        t_dwLastError = ERROR_NOT_ENOUGH_MEMORY;
        return nullptr;
    }
    HANDLE h = AddMapping(nFd, true, std::string(), true);
    t_dwLastError = ERROR_SUCCESS;
    return h;
}

HANDLE CreateNamedMapping(const std::string& strShmName, uint64_t cbSize)
{
    int nFd = shm_open(strShmName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (nFd >= 0) {
        if (ftruncate(nFd, static_cast<off_t>(cbSize)) != 0) {
            close(nFd);
            shm_unlink(strShmName.c_str());
            t_dwLastError = ERROR_NOT_ENOUGH_MEMORY;
            return nullptr;
        }
        HANDLE h = AddMapping(nFd, true, strShmName, true);
        t_dwLastError = ERROR_SUCCESS;
        return h;
    }
    if (errno != EEXIST) {
        t_dwLastError = ERROR_ACCESS_DENIED;
        return nullptr;
    }
    // Windows hands out the existing object and says so.
    nFd = shm_open(strShmName.c_str(), O_RDWR | O_CLOEXEC, 0600);
    if (nFd < 0) {
        t_dwLastError = ERROR_ACCESS_DENIED;
        return nullptr;
    }
    HANDLE h = AddMapping(nFd, true, strShmName, false);
    t_dwLastError = ERROR_ALREADY_EXISTS;
    return h;
}

// ---------------------------------------------------------------- waits

// Collects the thread states of the handles; null when one is not a thread.
bool CollectThreads(DWORD nCount, const HANDLE* pHandles, std::vector<std::shared_ptr<CThreadState>>& aStates)
{
    for (DWORD i = 0; i < nCount; ++i) {
        auto pThread = FindObject<CThreadObject>(pHandles[i]);
        if (!pThread) {
            return false;
        }
        aStates.push_back(pThread->pState);
    }
    return true;
}

// g_waitMutex held. Returns the wait result when the condition holds.
bool Signalled(const std::vector<std::shared_ptr<CThreadState>>& aStates, bool bAll, DWORD& dwResult)
{
    if (aStates.empty()) {
        return false;
    }
    if (bAll) {
        for (const auto& pState : aStates) {
            if (!pState->bDone) {
                return false;
            }
        }
        dwResult = WAIT_OBJECT_0;
        return true;
    }
    for (size_t i = 0; i < aStates.size(); ++i) {
        if (aStates[i]->bDone) {
            dwResult = static_cast<DWORD>(WAIT_OBJECT_0 + i);
            return true;
        }
    }
    return false;
}

bool HasMessageInput(bool bMessages, DWORD dwWakeMask)
{
    BOOL (*pfnProbe)(DWORD) = g_pfnMessageProbe.load();
    return bMessages && pfnProbe && pfnProbe(dwWakeMask);
}

DWORD WaitForObjects(DWORD nCount, const HANDLE* pHandles, bool bAll, DWORD dwMilliseconds, bool bMessages,
                     DWORD dwWakeMask)
{
    std::vector<std::shared_ptr<CThreadState>> aStates;
    if ((nCount > 0 && !pHandles) || !CollectThreads(nCount, pHandles, aStates)) {
        t_dwLastError = ERROR_INVALID_HANDLE;
        return WAIT_FAILED;
    }
    // The clock's own thread waits in virtual time: it lets the clock move
    // 1 ms for every slice it waits, so the threads it waits for progress.
    const bool bVirtual = HeadlessClockOwnsThisThread();
    const uint64_t qwStart = bVirtual ? HeadlessClockNow() : HeadlessRealMilliseconds();
    for (;;) {
        DWORD dwResult = WAIT_FAILED;
        {
            std::lock_guard<std::mutex> lock(g_waitMutex);
            if (Signalled(aStates, bAll, dwResult)) {
                return dwResult;
            }
        }
        if (HasMessageInput(bMessages, dwWakeMask)) {
            return WAIT_OBJECT_0 + nCount;
        }
        const uint64_t qwElapsed = (bVirtual ? HeadlessClockNow() : HeadlessRealMilliseconds()) - qwStart;
        if (dwMilliseconds != INFINITE && qwElapsed >= dwMilliseconds) {
            return WAIT_TIMEOUT;
        }
        uint64_t qwSlice = 10;
        if (bVirtual) {
            HeadlessClockAdvance(1);
            qwSlice = 1;
        } else if (dwMilliseconds != INFINITE) {
            qwSlice = std::min<uint64_t>(qwSlice, dwMilliseconds - qwElapsed);
        }
        // The slice bounds the wait for a wake-up that raced with the checks.
        std::unique_lock<std::mutex> lock(g_waitMutex);
        if (!Signalled(aStates, bAll, dwResult)) {
            g_cvWait.wait_for(lock, std::chrono::milliseconds(qwSlice));
        }
    }
}

} // namespace

// ---------------------------------------------------------------- errors

DWORD WINAPI GetLastError(void)
{
    return t_dwLastError;
}

void WINAPI SetLastError(DWORD dwErrCode)
{
    t_dwLastError = dwErrCode;
}

// ---------------------------------------------------------------- modules

void HeadlessRedirectLibrary(LPCWSTR pszBareName, const char* pszPath)
{
    std::lock_guard<std::mutex> lock(g_moduleMutex);
    const std::string strKey = Lower(Narrow(pszBareName));
    if (pszPath) {
        g_mapRedirects[strKey] = pszPath;
    } else {
        g_mapRedirects.erase(strKey);
    }
}

HMODULE WINAPI LoadLibraryW(LPCWSTR lpLibFileName)
{
    if (!lpLibFileName || !*lpLibFileName) {
        t_dwLastError = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    void* pModule = OpenModule(Narrow(lpLibFileName), RTLD_NOW | RTLD_LOCAL);
    if (!pModule) {
        t_dwLastError = ERROR_MOD_NOT_FOUND;
        return nullptr;
    }
    t_dwLastError = ERROR_SUCCESS;
    return reinterpret_cast<HMODULE>(pModule);
}

FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName)
{
    void* pModule = ModuleOfHandle(hModule);
    if (!pModule) {
        t_dwLastError = ERROR_INVALID_HANDLE;
        return nullptr;
    }
    if (!lpProcName || IS_INTRESOURCE(lpProcName)) {
        t_dwLastError = ERROR_PROC_NOT_FOUND; // no export ordinals here
        return nullptr;
    }
    void* pSymbol = dlsym(pModule, lpProcName);
    // dlsym also searches the module's dependencies; Windows looks only at
    // the module's own exports.
    Dl_info info = {};
    link_map* pSymbolMap = nullptr;
    const link_map* pModuleMap = LinkMapOf(pModule);
    if (!pSymbol || !dladdr1(pSymbol, &info, reinterpret_cast<void**>(&pSymbolMap), RTLD_DL_LINKMAP) ||
        pSymbolMap != pModuleMap) {
        t_dwLastError = ERROR_PROC_NOT_FOUND;
        return nullptr;
    }
    t_dwLastError = ERROR_SUCCESS;
    return reinterpret_cast<FARPROC>(pSymbol);
}

BOOL WINAPI FreeLibrary(HMODULE hLibModule)
{
    void* pModule = ModuleOfHandle(hLibModule);
    if (!pModule || dlclose(pModule) != 0) {
        t_dwLastError = ERROR_INVALID_HANDLE;
        return FALSE;
    }
    return TRUE;
}

HMODULE WINAPI GetModuleHandleW(LPCWSTR lpModuleName)
{
    if (!lpModuleName) {
        return reinterpret_cast<HMODULE>(dlopen(nullptr, RTLD_LAZY));
    }
    void* pModule = OpenModule(Narrow(lpModuleName), RTLD_LAZY | RTLD_NOLOAD);
    if (!pModule) {
        t_dwLastError = ERROR_MOD_NOT_FOUND;
        return nullptr;
    }
    // GetModuleHandle takes no reference; the module stays loaded by whoever
    // loaded it.
    dlclose(pModule);
    return reinterpret_cast<HMODULE>(pModule);
}

DWORD WINAPI GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize)
{
    std::string strPath;
    if (hModule) {
        const link_map* pMap = LinkMapOf(ModuleOfHandle(hModule));
        if (!pMap) {
            t_dwLastError = ERROR_INVALID_HANDLE;
            return 0;
        }
        strPath = pMap->l_name ? pMap->l_name : "";
    }
    if (strPath.empty()) {
        strPath = ExecutablePath();
    }
    return CopyOut(Widen(strPath), lpFilename, nSize);
}

// ---------------------------------------------------------------- handles

BOOL WINAPI CloseHandle(HANDLE hObject)
{
    std::shared_ptr<CKernelObject> pObject;
    {
        std::lock_guard<std::mutex> lock(g_objectMutex);
        const auto it = g_mapObjects.find(hObject);
        if (it == g_mapObjects.end()) {
            t_dwLastError = ERROR_INVALID_HANDLE;
            return FALSE;
        }
        pObject = it->second;
        g_mapObjects.erase(it);
        if (auto pMapping = std::dynamic_pointer_cast<CMappingObject>(pObject)) {
            ReleaseNameRef(pMapping->strShmName);
        }
    }
    if (auto pThread = std::dynamic_pointer_cast<CThreadObject>(pObject)) {
        std::lock_guard<std::mutex> lock(g_waitMutex);
        if (pThread->pState->bDone && pThread->thread.joinable()) {
            pThread->thread.join(); // finished: joining does not block
        }
    }
    return TRUE;
}

// ---------------------------------------------------------------- file mappings

void HeadlessSetMappingPrefix(const char* pszPrefix)
{
    std::lock_guard<std::mutex> lock(g_objectMutex);
    g_bPrefixSet = pszPrefix != nullptr;
    g_strPrefix = pszPrefix ? pszPrefix : "";
}

void HeadlessFailMappings(DWORD dwFlags)
{
    g_dwMappingFaults.store(dwFlags);
}

HANDLE WINAPI CreateFileMappingW(HANDLE hFile, LPSECURITY_ATTRIBUTES lpAttributes, DWORD flProtect,
                                 DWORD dwMaximumSizeHigh, DWORD dwMaximumSizeLow, LPCWSTR lpName)
{
    (void)lpAttributes;
    if (MappingFault(HEADLESS_FAIL_CREATE_MAPPING)) {
        return nullptr;
    }
    const uint64_t cbSize = (static_cast<uint64_t>(dwMaximumSizeHigh) << 32) | dwMaximumSizeLow;
    if (hFile != INVALID_HANDLE_VALUE) {
        t_dwLastError = ERROR_NOT_SUPPORTED; // only the paging file backs mappings here
        return nullptr;
    }
    if (cbSize == 0 || (flProtect & 0xFF) != PAGE_READWRITE) {
        t_dwLastError = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    if (!lpName || !*lpName) {
        return CreateAnonymousMapping(cbSize);
    }
    std::string strShmName;
    {
        std::lock_guard<std::mutex> lock(g_objectMutex);
        strShmName = ShmName(lpName);
    }
    return CreateNamedMapping(strShmName, cbSize);
}

HANDLE WINAPI OpenFileMappingW(DWORD dwDesiredAccess, BOOL bInheritHandle, LPCWSTR lpName)
{
    (void)bInheritHandle;
    if (MappingFault(HEADLESS_FAIL_OPEN_MAPPING)) {
        return nullptr;
    }
    if (!lpName || !*lpName) {
        t_dwLastError = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    std::string strShmName;
    {
        std::lock_guard<std::mutex> lock(g_objectMutex);
        strShmName = ShmName(lpName);
    }
    const bool bWritable = (dwDesiredAccess & FILE_MAP_WRITE) != 0;
    const int nFd = shm_open(strShmName.c_str(), (bWritable ? O_RDWR : O_RDONLY) | O_CLOEXEC, 0600);
    if (nFd < 0) {
        t_dwLastError = errno == ENOENT ? ERROR_FILE_NOT_FOUND : ERROR_ACCESS_DENIED;
        return nullptr;
    }
    HANDLE h = AddMapping(nFd, bWritable, strShmName, false);
    t_dwLastError = ERROR_SUCCESS;
    return h;
}

LPVOID WINAPI MapViewOfFile(HANDLE hFileMappingObject, DWORD dwDesiredAccess, DWORD dwFileOffsetHigh,
                            DWORD dwFileOffsetLow, SIZE_T dwNumberOfBytesToMap)
{
    if (MappingFault(HEADLESS_FAIL_MAP_VIEW)) {
        return nullptr;
    }
    auto pMapping = FindObject<CMappingObject>(hFileMappingObject);
    if (!pMapping) {
        t_dwLastError = ERROR_INVALID_HANDLE;
        return nullptr;
    }
    const bool bWrite = (dwDesiredAccess & FILE_MAP_WRITE) != 0;
    if (bWrite && !pMapping->bWritable) {
        t_dwLastError = ERROR_ACCESS_DENIED;
        return nullptr;
    }
    struct stat st = {};
    const uint64_t qwOffset = (static_cast<uint64_t>(dwFileOffsetHigh) << 32) | dwFileOffsetLow;
    const uint64_t cbPage = static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
    if (fstat(pMapping->nFd, &st) != 0 || qwOffset % cbPage != 0 || qwOffset >= static_cast<uint64_t>(st.st_size)) {
        t_dwLastError = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    const uint64_t cbAvailable = static_cast<uint64_t>(st.st_size) - qwOffset;
    const uint64_t cbView = dwNumberOfBytesToMap == 0 ? cbAvailable : dwNumberOfBytesToMap;
    if (cbView > cbAvailable) {
        t_dwLastError = ERROR_ACCESS_DENIED;
        return nullptr;
    }
    const int nProtect = PROT_READ | (bWrite ? PROT_WRITE : 0);
    const int nShare = (dwDesiredAccess & FILE_MAP_COPY) && !(dwDesiredAccess & FILE_MAP_WRITE) ? MAP_PRIVATE : MAP_SHARED;
    void* pView = mmap(nullptr, cbView, nProtect, nShare, pMapping->nFd, static_cast<off_t>(qwOffset));
    if (pView == MAP_FAILED) {
        t_dwLastError = ERROR_NOT_ENOUGH_MEMORY;
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(g_objectMutex);
    g_mapViews[pView] = CView{static_cast<size_t>(cbView), pMapping->strShmName};
    AddNameRef(pMapping->strShmName, false);
    t_dwLastError = ERROR_SUCCESS;
    return pView;
}

BOOL WINAPI UnmapViewOfFile(LPCVOID lpBaseAddress)
{
    std::lock_guard<std::mutex> lock(g_objectMutex);
    const auto it = g_mapViews.find(lpBaseAddress);
    if (it == g_mapViews.end()) {
        t_dwLastError = ERROR_INVALID_PARAMETER;
        return FALSE;
    }
    munmap(const_cast<void*>(lpBaseAddress), it->second.cb);
    ReleaseNameRef(it->second.strShmName);
    g_mapViews.erase(it);
    return TRUE;
}

// ---------------------------------------------------------------- threads

HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES lpThreadAttributes, SIZE_T dwStackSize,
                           LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter,
                           DWORD dwCreationFlags, LPDWORD lpThreadId)
{
    (void)lpThreadAttributes;
    (void)dwStackSize;
    if (!lpStartAddress) {
        t_dwLastError = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    if (dwCreationFlags & CREATE_SUSPENDED) {
        t_dwLastError = ERROR_NOT_SUPPORTED;
        return nullptr;
    }
    auto pThread = std::make_shared<CThreadObject>();
    pThread->pState = std::make_shared<CThreadState>();
    const DWORD dwId = g_dwNextThreadId.fetch_add(1);
    std::shared_ptr<CThreadState> pState = pThread->pState;
    pThread->thread = std::thread([pState, lpStartAddress, lpParameter, dwId] {
        t_dwThreadId = dwId;
        const DWORD dwExitCode = lpStartAddress(lpParameter);
        {
            std::lock_guard<std::mutex> lock(g_waitMutex);
            pState->dwExitCode = dwExitCode;
            pState->bDone = true;
        }
        g_cvWait.notify_all();
    });
    if (lpThreadId) {
        *lpThreadId = dwId;
    }
    t_dwLastError = ERROR_SUCCESS;
    return AddObject(pThread);
}

BOOL WINAPI GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode)
{
    auto pThread = FindObject<CThreadObject>(hThread);
    if (!pThread || !lpExitCode) {
        t_dwLastError = ERROR_INVALID_HANDLE;
        return FALSE;
    }
    std::lock_guard<std::mutex> lock(g_waitMutex);
    *lpExitCode = pThread->pState->dwExitCode;
    return TRUE;
}

DWORD WINAPI GetCurrentThreadId(void)
{
    if (t_dwThreadId == 0) {
        t_dwThreadId = g_dwNextThreadId.fetch_add(1);
    }
    return t_dwThreadId;
}

DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds)
{
    return WaitForObjects(1, &hHandle, true, dwMilliseconds, false, 0);
}

DWORD WINAPI WaitForMultipleObjects(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll, DWORD dwMilliseconds)
{
    if (nCount == 0) {
        t_dwLastError = ERROR_INVALID_PARAMETER;
        return WAIT_FAILED;
    }
    return WaitForObjects(nCount, lpHandles, bWaitAll != FALSE, dwMilliseconds, false, 0);
}

DWORD WINAPI MsgWaitForMultipleObjects(DWORD nCount, const HANDLE* pHandles, BOOL fWaitAll,
                                       DWORD dwMilliseconds, DWORD dwWakeMask)
{
    return WaitForObjects(nCount, pHandles, fWaitAll != FALSE, dwMilliseconds, true, dwWakeMask);
}

void HeadlessSetMessageProbe(BOOL (*pfnHasInput)(DWORD dwWakeMask))
{
    g_pfnMessageProbe.store(pfnHasInput);
}

void HeadlessWakeMessageWaiters(void)
{
    {
        std::lock_guard<std::mutex> lock(g_waitMutex);
    }
    g_cvWait.notify_all();
}

LONG WINAPI InterlockedExchange(LONG volatile* plTarget, LONG lValue)
{
    return __atomic_exchange_n(plTarget, lValue, __ATOMIC_SEQ_CST);
}

LONG WINAPI InterlockedCompareExchange(LONG volatile* plDestination, LONG lExchange, LONG lComparand)
{
    __atomic_compare_exchange_n(plDestination, &lComparand, lExchange, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
    return lComparand; // the initial value, whether or not it was replaced
}

LONG WINAPI InterlockedIncrement(LONG volatile* plAddend)
{
    return __atomic_add_fetch(plAddend, 1, __ATOMIC_SEQ_CST);
}

LONG WINAPI InterlockedDecrement(LONG volatile* plAddend)
{
    return __atomic_sub_fetch(plAddend, 1, __ATOMIC_SEQ_CST);
}

// ---------------------------------------------------------------- miscellaneous

void WINAPI OutputDebugStringA(LPCSTR lpOutputString)
{
    if (lpOutputString && std::getenv("ZELV_DEBUG")) {
        std::fputs(lpOutputString, stderr);
    }
}

void WINAPI OutputDebugStringW(LPCWSTR lpOutputString)
{
    if (lpOutputString && std::getenv("ZELV_DEBUG")) {
        std::fputs(Narrow(lpOutputString).c_str(), stderr);
    }
}

int WINAPI MulDiv(int nNumber, int nNumerator, int nDenominator)
{
    if (nDenominator == 0) {
        return -1;
    }
    int64_t llProduct = static_cast<int64_t>(nNumber) * nNumerator;
    int64_t llDivisor = nDenominator;
    if (llDivisor < 0) {
        llProduct = -llProduct;
        llDivisor = -llDivisor;
    }
    const int64_t llHalf = llDivisor / 2;
    const int64_t llResult = (llProduct >= 0 ? llProduct + llHalf : llProduct - llHalf) / llDivisor;
    if (llResult > 2147483647LL || llResult < -2147483647LL) {
        return -1;
    }
    return static_cast<int>(llResult);
}
