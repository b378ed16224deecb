// The KTRB04 command exchange: one AdvDataRW command 29 per frame, and the
// acknowledge that closes a register request.
#include "motion/did_ktrb04.h"

void CDidKtrb04::StampStation()
{
    if (m_pShared) {
        const uint32_t dwWord = m_pShared->Word(KTRB04_SHARED_STATION);
        m_pShared->SetWord(KTRB04_SHARED_STATION, (dwWord & 0x000000FFu) | (m_dwHeader & 0xFFFFFF00u));
    }
    m_nStation = static_cast<int>(m_dwHeader >> 8);
}

int CDidKtrb04::Exchange()
{
    StampStation();
    m_TxFrame = m_Build;
    m_nLastResult = MOTION_CALL(AdvDataRW, m_nDevNo, static_cast<int>(MOTION_ADV_KTRB04_COMMAND), m_nStation,
                                m_TxFrame.abBytes, m_RxFrame.abBytes);
    return m_nLastResult;
}

int CDidKtrb04::Acknowledge()
{
    m_Build.SetControl(static_cast<uint16_t>(m_Build.Control() & ~KTRB04_REQUEST));
    m_TxFrame = m_Build;
    m_nLastResult = MOTION_CALL(AdvDataRW, m_nDevNo, static_cast<int>(MOTION_ADV_KTRB04_COMMAND), m_nStation,
                                m_TxFrame.abBytes, m_RxFrame.abBytes);
    if (m_nLastResult == 0 && m_pShared) {
        m_pShared->SetWord(KTRB04_SHARED_HANDSHAKE, 0);
    }
    return m_nLastResult;
}
