// Program resources of the headless window system: the table handed over by
// the resource library, the resource API over it, and the bitmap, icon and
// cursor loaders.
#include "winapi/headless/resource_table.h"
#include "winapi/headless/window_system.h"

#include <cstdlib>
#include <cwchar>
#include <map>

using namespace headless;

namespace {

struct CResources {
    const HEADLESS_RESOURCE* pTable = nullptr;
    const char* pszScript = nullptr;
    std::map<int, HICON> mapSharedIcons; // LoadIconW hands out one icon per resource
};

CResources& Resources()
{
    static CResources resources;
    return resources;
}

// Resources are addressed by number, directly or as "#123".
int ResourceId(LPCWSTR lpName)
{
    if (lpName == nullptr)
        return -1;
    if (IS_INTRESOURCE(lpName))
        return static_cast<int>(reinterpret_cast<ULONG_PTR>(lpName));
    if (lpName[0] != L'#')
        return -1;
    wchar_t* pEnd = nullptr;
    const long nId = std::wcstol(lpName + 1, &pEnd, 10);
    return (pEnd != lpName + 1 && *pEnd == 0 && nId >= 0 && nId <= 0xFFFF) ? static_cast<int>(nId) : -1;
}

const HEADLESS_RESOURCE* Find(int nType, LPCWSTR lpName)
{
    const int nId = ResourceId(lpName);
    return nId < 0 ? nullptr : HeadlessFindResource(nType, nId);
}

uint16_t ReadWord(const unsigned char* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

// Picks from an icon group the image closest to the wanted size, preferring
// more colours.
int ChooseIconImage(const HEADLESS_RESOURCE* pGroup, int cxWanted)
{
    const unsigned char* p = pGroup->pData;
    if (pGroup->cbData < 6)
        return -1;
    const int nCount = ReadWord(p + 4);
    int nBest = -1;
    int nBestScore = 0;
    for (int i = 0; i < nCount; ++i) {
        const size_t nOffset = 6 + static_cast<size_t>(i) * 14;
        if (nOffset + 14 > pGroup->cbData)
            break;
        const unsigned char* pEntry = p + nOffset;
        const int cx = pEntry[0] == 0 ? 256 : pEntry[0];
        const int nBits = ReadWord(pEntry + 6);
        const int nScore = 100000 - std::abs(cx - cxWanted) * 100 + nBits;
        if (nBest < 0 || nScore > nBestScore) {
            nBest = ReadWord(pEntry + 12);
            nBestScore = nScore;
        }
    }
    return nBest;
}

HICON LoadIconImage(LPCWSTR lpName, int cxWanted, bool bShared)
{
    const HEADLESS_RESOURCE* pGroup = Find(14, lpName);
    if (pGroup == nullptr)
        return nullptr;
    const int nImage = ChooseIconImage(pGroup, cxWanted);
    const HEADLESS_RESOURCE* pImage = nImage < 0 ? nullptr : HeadlessFindResource(3, nImage);
    if (pImage == nullptr)
        return nullptr;
    return IconFromImage(pImage->pData, pImage->cbData, bShared);
}

} // namespace

void HeadlessSetResources(const HEADLESS_RESOURCE* pTable, const char* pszScript)
{
    std::map<int, HICON> mapOld;
    {
        auto lock = std::unique_lock<std::recursive_mutex>(StateMutex());
        CResources& resources = Resources();
        resources.pTable = pTable;
        resources.pszScript = pszScript;
        mapOld.swap(resources.mapSharedIcons);
    }
    // Icons of the previous table go with it.
    for (auto& entry : mapOld)
        ReleaseSharedIcon(entry.second);
}

const HEADLESS_RESOURCE* HeadlessFindResource(int nType, int nId)
{
    auto lock = std::unique_lock<std::recursive_mutex>(StateMutex());
    for (const HEADLESS_RESOURCE* p = Resources().pTable; p != nullptr && p->nType != 0; ++p)
        if (p->nType == nType && p->nId == nId)
            return p;
    return nullptr;
}

const char* HeadlessResourceScript()
{
    auto lock = std::unique_lock<std::recursive_mutex>(StateMutex());
    return Resources().pszScript;
}

HRSRC WINAPI FindResourceW(HMODULE, LPCWSTR lpName, LPCWSTR lpType)
{
    const int nType = ResourceId(lpType);
    if (nType < 0)
        return nullptr;
    return reinterpret_cast<HRSRC>(const_cast<HEADLESS_RESOURCE*>(Find(nType, lpName)));
}

HGLOBAL WINAPI LoadResource(HMODULE, HRSRC hResInfo)
{
    if (hResInfo == nullptr)
        return nullptr;
    const auto* p = reinterpret_cast<const HEADLESS_RESOURCE*>(hResInfo);
    return const_cast<unsigned char*>(p->pData);
}

LPVOID WINAPI LockResource(HGLOBAL hResData)
{
    return hResData;
}

DWORD WINAPI SizeofResource(HMODULE, HRSRC hResInfo)
{
    if (hResInfo == nullptr)
        return 0;
    return static_cast<DWORD>(reinterpret_cast<const HEADLESS_RESOURCE*>(hResInfo)->cbData);
}

BOOL WINAPI FreeResource(HGLOBAL)
{
    return FALSE;
}

HBITMAP WINAPI LoadBitmapW(HINSTANCE, LPCWSTR lpBitmapName)
{
    const HEADLESS_RESOURCE* p = Find(2, lpBitmapName);
    return p ? BitmapFromPackedDib(p->pData, p->cbData, false) : nullptr;
}

HICON WINAPI LoadIconW(HINSTANCE hInstance, LPCWSTR lpIconName)
{
    if (hInstance == nullptr && IS_INTRESOURCE(lpIconName))
        return StockIcon();
    const int nId = ResourceId(lpIconName);
    {
        auto lock = std::unique_lock<std::recursive_mutex>(StateMutex());
        auto it = Resources().mapSharedIcons.find(nId);
        if (it != Resources().mapSharedIcons.end())
            return it->second;
    }
    HICON hIcon = LoadIconImage(lpIconName, GetSystemMetrics(SM_CXICON), true);
    if (hIcon != nullptr) {
        auto lock = std::unique_lock<std::recursive_mutex>(StateMutex());
        Resources().mapSharedIcons[nId] = hIcon;
    }
    return hIcon;
}

HCURSOR WINAPI LoadCursorW(HINSTANCE hInstance, LPCWSTR lpCursorName)
{
    if (hInstance == nullptr && IS_INTRESOURCE(lpCursorName))
        return StockCursor();
    return nullptr;
}

HANDLE WINAPI LoadImageW(HINSTANCE hInst, LPCWSTR name, UINT type, int cx, int, UINT fuLoad)
{
    if (fuLoad & LR_LOADFROMFILE)
        return nullptr;
    switch (type) {
    case IMAGE_BITMAP: {
        const HEADLESS_RESOURCE* p = Find(2, name);
        return p ? BitmapFromPackedDib(p->pData, p->cbData, (fuLoad & LR_CREATEDIBSECTION) != 0) : nullptr;
    }
    case IMAGE_ICON: {
        if (hInst == nullptr && IS_INTRESOURCE(name))
            return StockIcon();
        int cxWanted = cx;
        if (cxWanted == 0)
            cxWanted = GetSystemMetrics(SM_CXICON);
        if (fuLoad & LR_SHARED) {
            // Shared images come from the same cache as LoadIconW.
            if (cxWanted == GetSystemMetrics(SM_CXICON))
                return LoadIconW(hInst, name);
            return LoadIconImage(name, cxWanted, true);
        }
        return LoadIconImage(name, cxWanted, false);
    }
    case IMAGE_CURSOR:
        return LoadCursorW(hInst, name);
    default:
        return nullptr;
    }
}

BOOL WINAPI DestroyCursor(HCURSOR)
{
    return TRUE;
}
