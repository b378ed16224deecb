// The KTRB04 driver object: construction, destruction and the shared block.
#include "motion/did_ktrb04.h"

#include <cstring>

namespace {

const wchar_t SHARED_BLOCK_NAME[] = L"KTRB04_M2";

int Clamp(int nValue, int nLow, int nHigh)
{
    return nValue < nLow ? nLow : nValue > nHigh ? nHigh : nValue;
}

} // namespace

CDidKtrb04::CDidKtrb04()
    : m_nLastResult(0),
      m_nDevCount(0),
      m_anDevNo(),
      m_nDevLoadExtra(0),
      m_nDevNo(0),
      m_nChannelMask(0),
      m_hSharedMap(nullptr),
      m_pShared(nullptr),
      m_dwHeader(0),
      m_Build(),
      m_nStation(0),
      m_TxFrame(),
      m_RxFrame(), // read by the status operations even after a failed exchange
      m_bHomeLatch(),
      m_bGroupMaster(),
      m_nMasterOf(),
      m_nGroupMembers(),
      m_bLibraryLoaded(0)
{
    m_bLibraryLoaded = LoadMotionLibrary();
    MOTION_CALL(GnLoadDevice, &m_nDevCount, m_anDevNo, &m_nDevLoadExtra);
    // The list holds 16 boards; a larger count must not send readers past it.
    m_nDevCount = Clamp(m_nDevCount, 0, MOTION_MAX_DEVICES);
    for (int nCh = 0; nCh < KTRB04_CHANNELS; ++nCh) {
        m_bHomeLatch[nCh] = 0;
        m_bGroupMaster[nCh] = 0;
        m_nGroupMembers[nCh] = 0;
        m_nMasterOf[nCh] = -1;
    }
    m_pShared = nullptr;
    MapSharedBlock();
}

CDidKtrb04::~CDidKtrb04()
{
    UnmapSharedBlock();
    MOTION_CALL(GnUnloadDevice);
    UnloadMotionLibrary();
}

// An existing block keeps its content; the process that creates it zeroes it.
// Without a view the driver runs without a shared block.
void CDidKtrb04::MapSharedBlock()
{
    if (m_pShared) {
        return;
    }
    m_hSharedMap = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, SHARED_BLOCK_NAME);
    bool bCreated = false;
    if (!m_hSharedMap) {
        m_hSharedMap = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, KTRB04_SHARED_SIZE,
                                          SHARED_BLOCK_NAME);
        // Another process may have created it between the two calls.
        bCreated = m_hSharedMap && GetLastError() != ERROR_ALREADY_EXISTS;
    }
    if (!m_hSharedMap) {
        return;
    }
    m_pShared = static_cast<Ktrb04SharedBlock*>(MapViewOfFile(m_hSharedMap, FILE_MAP_WRITE, 0, 0, 0));
    if (!m_pShared) {
        CloseHandle(m_hSharedMap);
        m_hSharedMap = nullptr;
        return;
    }
    if (bCreated) {
        for (int nWord = 0; nWord < KTRB04_SHARED_WORDS; ++nWord) {
            m_pShared->SetWord(nWord, 0);
        }
    }
}

void CDidKtrb04::UnmapSharedBlock()
{
    if (!m_pShared) {
        return;
    }
    UnmapViewOfFile(m_pShared);
    CloseHandle(m_hSharedMap);
    m_pShared = nullptr;
    m_hSharedMap = nullptr;
}
