// Loader of the motion library: the slots, the load table and the notices
// about missing entry points.
#include "motion/motion_library.h"

#include <atomic>

// ---------------------------------------------------------------- slots

#define MOTION_DEFINE_TYPED_SLOT(name, params) PFN_##name g_pfn##name = nullptr;
#define MOTION_DEFINE_UNTYPED_SLOT(name) PFN_MotionUntyped g_pfn##name = nullptr;
MOTION_ENTRY_POINTS(MOTION_DEFINE_TYPED_SLOT, MOTION_DEFINE_UNTYPED_SLOT)
#undef MOTION_DEFINE_TYPED_SLOT
#undef MOTION_DEFINE_UNTYPED_SLOT

static_assert(MOTION_ENTRY_COUNT == 342, "the motion library resolves 342 entry points");

namespace {

// GetProcAddress hands out an untyped address; the slot's type is the
// contract. Going through void(*)(void) is the sanctioned way to convert
// between function pointer types without a cast-function-type warning.
template <class PFN>
PFN ProcAs(FARPROC pfnProc)
{
    return reinterpret_cast<PFN>(reinterpret_cast<void (*)(void)>(pfnProc));
}

std::atomic<HMODULE> g_hMotionLibrary{nullptr};
int g_nLibraryUsers = 0; // loading and unloading run on the UI thread only

std::atomic<void (*)(const char*)> g_pfnMissingNotifier{nullptr};
std::atomic<bool> g_abMissingTold[MOTION_ENTRY_COUNT];

} // namespace

// ---------------------------------------------------------------- table

#define MOTION_TYPED_ENTRY(name, params) \
    {#name, &g_pfn##name, [](FARPROC pfnProc) { g_pfn##name = ProcAs<PFN_##name>(pfnProc); }},
#define MOTION_UNTYPED_ENTRY(name) \
    {#name, &g_pfn##name, [](FARPROC pfnProc) { g_pfn##name = ProcAs<PFN_MotionUntyped>(pfnProc); }},
const MOTION_LIBRARY_ENTRY MotionLibraryTable[MOTION_ENTRY_COUNT + 1] = {
    MOTION_ENTRY_POINTS(MOTION_TYPED_ENTRY, MOTION_UNTYPED_ENTRY)
    {nullptr, nullptr, nullptr}
};
#undef MOTION_TYPED_ENTRY
#undef MOTION_UNTYPED_ENTRY

// ---------------------------------------------------------------- loading

int LoadMotionLibrary()
{
    if (g_hMotionLibrary.load()) {
        ++g_nLibraryUsers;
        return 1;
    }
    // Bare name: the system's library search order finds it.
    HMODULE hLibrary = LoadLibraryW(L"ZelvREzid2.DLL");
    if (!hLibrary) {
        return 0;
    }
    for (const MOTION_LIBRARY_ENTRY* pEntry = MotionLibraryTable; pEntry->pszName; ++pEntry) {
        pEntry->pfnStore(GetProcAddress(hLibrary, pEntry->pszName));
    }
    g_nLibraryUsers = 1;
    g_hMotionLibrary.store(hLibrary);
    return 1;
}

void UnloadMotionLibrary()
{
    HMODULE hLibrary = g_hMotionLibrary.load();
    if (!hLibrary) {
        return;
    }
    if (--g_nLibraryUsers > 0) {
        return;
    }
    g_hMotionLibrary.store(nullptr);
    // The freed library's addresses must never be called: a late call (or a
    // later failed load, which touches no slot) then fails as a missing entry
    // point instead of jumping into unmapped code.
    for (const MOTION_LIBRARY_ENTRY* pEntry = MotionLibraryTable; pEntry->pszName; ++pEntry) {
        pEntry->pfnStore(nullptr);
    }
    FreeLibrary(hLibrary);
}

bool IsMotionLibraryLoaded()
{
    return g_hMotionLibrary.load() != nullptr;
}

const char* MotionEntryPointName(int nIndex)
{
    if (nIndex < 0 || nIndex >= MOTION_ENTRY_COUNT) {
        return nullptr;
    }
    return MotionLibraryTable[nIndex].pszName;
}

// ---------------------------------------------------------------- missing entry points

void SetMissingEntryPointNotifier(void (*pfnNotify)(const char* pszName))
{
    g_pfnMissingNotifier.store(pfnNotify);
}

void ResetMissingEntryPointNotices()
{
    for (std::atomic<bool>& bTold : g_abMissingTold) {
        bTold.store(false);
    }
}

void MotionReportMissingEntryPoint(int nIndex)
{
    const char* pszName = MotionEntryPointName(nIndex);
    void (*pfnNotify)(const char*) = g_pfnMissingNotifier.load();
    if (!pszName || !pfnNotify || !IsMotionLibraryLoaded()) {
        return;
    }
    // exchange: exactly one caller tells, even when both threads miss at once.
    if (g_abMissingTold[nIndex].exchange(true)) {
        return;
    }
    pfnNotify(pszName);
}
