#include "framework/cmdtarget.h"

namespace {

const AFX_MSGMAP_ENTRY s_aNoEntries[] = { { 0, 0, 0, 0, 0, nullptr } };
const AFX_MSGMAP s_rootMap = { nullptr, s_aNoEntries };

BOOL EntryMatches(const AFX_MSGMAP_ENTRY& entry, UINT nMessage, WPARAM wParam)
{
    if (nMessage < entry.nMessage || nMessage > entry.nMessageLast)
        return FALSE;
    if (nMessage != WM_COMMAND)
        return TRUE;
    const UINT nCode = HIWORD(wParam);
    const UINT nId = LOWORD(wParam);
    return nCode == entry.nCode && nId >= entry.nIdFirst && nId <= entry.nIdLast;
}

} // namespace

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage, WPARAM wParam)
{
    for (; pMap != nullptr; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->pEntries; pEntry->pfnThunk != nullptr; ++pEntry) {
            if (EntryMatches(*pEntry, nMessage, wParam))
                return pEntry;
        }
    }
    return nullptr;
}

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    return &s_rootMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

BOOL CCmdTarget::DispatchToMap(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const AFX_MSGMAP_ENTRY* pEntry = AfxFindMessageEntry(GetMessageMap(), nMessage, wParam);
    if (pEntry == nullptr)
        return FALSE;
    return pEntry->pfnThunk(this, nMessage, wParam, lParam, pResult);
}
