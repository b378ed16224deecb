// The motion library ZelvREzid2.DLL as the tool sees it: one process-wide
// slot per entry point, the name table the loader walks, and the one guarded
// path every call takes.
//
// Slots: g_pfn<Name>, typed PFN_<Name> for the entry points the tool calls,
// PFN_MotionUntyped for the rest. All are null until the library is loaded;
// a name the library lacks stays null. Slots are written while loading and
// cleared when the last user unloads the library, so no call can reach a
// freed library.
//
// Calls: MOTION_CALL(Name, args...) never calls through a null slot. A missing
// entry point makes the call fail with MOTION_ERR_NO_ENTRY_POINT, writes no
// out-value, and tells the registered notifier its name (once per name).
#pragma once

#include "motion/motion_contract.h"
#include "winapi/win32.h"

#include <utility>

// Status of a call whose entry point the library does not export. Outside
// the library's own error codes; negative like its state-read errors.
enum { MOTION_ERR_NO_ENTRY_POINT = -9999 };

// MOTION_INDEX_<Name>: position of the entry point in load order.
#define MOTION_INDEX_TYPED(name, params) MOTION_INDEX_##name,
#define MOTION_INDEX_UNTYPED(name) MOTION_INDEX_##name,
enum MotionEntryIndex { MOTION_ENTRY_POINTS(MOTION_INDEX_TYPED, MOTION_INDEX_UNTYPED) MOTION_ENTRY_COUNT };
#undef MOTION_INDEX_TYPED
#undef MOTION_INDEX_UNTYPED

#define MOTION_DECLARE_TYPED_SLOT(name, params) extern PFN_##name g_pfn##name;
#define MOTION_DECLARE_UNTYPED_SLOT(name) extern PFN_MotionUntyped g_pfn##name;
MOTION_ENTRY_POINTS(MOTION_DECLARE_TYPED_SLOT, MOTION_DECLARE_UNTYPED_SLOT)
#undef MOTION_DECLARE_TYPED_SLOT
#undef MOTION_DECLARE_UNTYPED_SLOT

// One pair of the load table: the export name and its slot. pfnStore puts a
// resolved address into the slot with the slot's own type.
struct MOTION_LIBRARY_ENTRY {
    const char* pszName;
    void* pSlot;
    void (*pfnStore)(FARPROC pfnProc);
};

// The 342 entry points in load order, closed by an entry of nulls.
extern const MOTION_LIBRARY_ENTRY MotionLibraryTable[MOTION_ENTRY_COUNT + 1];

// Loads "ZelvREzid2.DLL" and resolves every name of the table into its slot.
// Returns 1 when the library was loaded (whatever names it lacks), 0 when it
// could not be loaded; then no slot is touched. While loaded, further calls
// only count users and return 1.
int LoadMotionLibrary();

// Drops one user; the last one frees the library. Without a loaded library
// it does nothing.
void UnloadMotionLibrary();

bool IsMotionLibraryLoaded();

// Name of entry point nIndex (MotionEntryIndex), null outside the table.
const char* MotionEntryPointName(int nIndex);

// pfnNotify is told the name of each missing entry point the first time a
// call needs it while the library is loaded (a library that could not be
// loaded at all is the caller's own message). Thread-safe; null stops the
// notices. Names noticed while no notifier is registered are told later.
void SetMissingEntryPointNotifier(void (*pfnNotify)(const char* pszName));

// Forgets which names were already told (for tests).
void ResetMissingEntryPointNotices();

// Internal to the guarded path.
void MotionReportMissingEntryPoint(int nIndex);

template <class PFN, class... A>
int MotionCall(PFN pfn, int nIndex, A&&... a)
{
    if (!pfn) {
        MotionReportMissingEntryPoint(nIndex);
        return MOTION_ERR_NO_ENTRY_POINT;
    }
    return pfn(std::forward<A>(a)...);
}

// Reads the slot once, so the check and the call see the same pointer.
template <class PFN>
class CMotionGuardedCall {
public:
    CMotionGuardedCall(PFN pfn, int nIndex) : m_pfn(pfn), m_nIndex(nIndex) {}

    template <class... A>
    int operator()(A&&... a) const
    {
        return MotionCall(m_pfn, m_nIndex, std::forward<A>(a)...);
    }

private:
    PFN m_pfn;
    int m_nIndex;
};

// MOTION_CALL(SxMoveStart, nDevice, nAxis, dDistance); MOTION_CALL(GnUnloadDevice)
#define MOTION_CALL(Name, ...) \
    CMotionGuardedCall<PFN_##Name>(g_pfn##Name, MOTION_INDEX_##Name)(__VA_ARGS__)
