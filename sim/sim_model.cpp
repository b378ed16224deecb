#include "sim/sim_model.h"

#include "sim/zelv_sim.h"

#include <cstdlib>

namespace zelvsim {

CSimClock::CSimClock() : m_start(std::chrono::steady_clock::now()) {}

double CSimClock::Now() const
{
    if (m_bVirtual)
        return static_cast<double>(m_nVirtualUs) / 1e6;
    const auto elapsed = std::chrono::steady_clock::now() - m_start;
    return std::chrono::duration<double>(elapsed).count();
}

void CSimClock::Reset()
{
    m_start = std::chrono::steady_clock::now();
    m_nVirtualUs = 0;
}

void CSimClock::SetVirtual(bool bVirtual)
{
    if (bVirtual == m_bVirtual)
        return;
    // The model's time goes on from where it stands, in either direction.
    const double dNow = Now();
    m_bVirtual = bVirtual;
    if (bVirtual) {
        m_nVirtualUs = static_cast<int64_t>(dNow * 1e6);
        return;
    }
    m_start = std::chrono::steady_clock::now() - std::chrono::microseconds(static_cast<int64_t>(dNow * 1e6));
}

void CSimClock::AdvanceMs(int nMs)
{
    if (nMs > 0)
        m_nVirtualUs += static_cast<int64_t>(nMs) * 1000;
}

CSimModel& CSimModel::Instance()
{
    static CSimModel g_model;
    return g_model;
}

CSimModel::CSimModel()
{
    const char* pszTrace = std::getenv("ZELV_SIM_TRACE");
    if (pszTrace && *pszTrace)
        m_pTraceFile = std::fopen(pszTrace, "a");
    const char* pszFile = std::getenv("ZELV_SIM");
    if (!pszFile || !*pszFile) {
        Reset(nullptr);
        return;
    }
    std::FILE* pFile = std::fopen(pszFile, "rb");
    if (!pFile) {
        ResetWithError(std::string("cannot open topology file ") + pszFile);
        return;
    }
    std::string strText;
    char acBuffer[4096];
    size_t nRead = 0;
    while ((nRead = std::fread(acBuffer, 1, sizeof acBuffer, pFile)) > 0)
        strText.append(acBuffer, nRead);
    std::fclose(pFile);
    Reset(strText.c_str());
}

CSimModel::~CSimModel()
{
    if (m_pTraceFile)
        std::fclose(m_pTraceFile);
}

int CSimModel::Reset(const char* pszTopology)
{
    m_clock.Reset();
    m_mapFaults.clear();
    m_astrTrace.clear();
    m_bLoaded = false;
    m_strTopologyError.clear();
    std::vector<SimBoard> aBoards;
    std::string strError;
    if (!ParseTopology(pszTopology ? pszTopology : DefaultTopologyText(), aBoards, strError))
        return ResetWithError(strError);
    m_aBoards = std::move(aBoards);
    return 0;
}

int CSimModel::ResetWithError(const std::string& strError)
{
    m_clock.Reset();
    m_mapFaults.clear();
    m_astrTrace.clear();
    m_bLoaded = false;
    m_aBoards.clear();
    m_strTopologyError = strError;
    std::fprintf(stderr, "ZelvREzid2 simulator: topology error: %s\n", strError.c_str());
    return ZELV_SIM_E_TOPOLOGY;
}

double CSimModel::Advance()
{
    const double dNow = m_clock.Now();
    for (SimBoard& board : m_aBoards)
        for (SimNode& node : board.aNodes)
            for (int c = 0; c < MAX_CHANNELS; ++c)
                if (node.nType == NODE_SERVO ? c == 0 : node.HasChannel(c))
                    node.aAxes[c].Advance(dNow);
    return dNow;
}

int CSimModel::FindBoard(int nDevice, SimBoard** ppBoard)
{
    for (SimBoard& board : m_aBoards) {
        if (board.nDevNo == nDevice) {
            *ppBoard = &board;
            return 0;
        }
    }
    return ZELV_SIM_E_NO_DEVICE;
}

int CSimModel::FindNode(int nDevice, int nAxis, SimNode** ppNode)
{
    SimBoard* pBoard = nullptr;
    if (int nResult = FindBoard(nDevice, &pBoard))
        return nResult;
    if (nAxis < 0 || nAxis >= MAX_AXES || pBoard->aNodes[nAxis].nType == NODE_NONE)
        return ZELV_SIM_E_NO_NODE;
    *ppNode = &pBoard->aNodes[nAxis];
    return 0;
}

int CSimModel::FindServo(int nDevice, int nAxis, CSimAxis** ppAxis)
{
    SimNode* pNode = nullptr;
    if (int nResult = FindNode(nDevice, nAxis, &pNode))
        return nResult;
    if (pNode->nType != NODE_SERVO)
        return ZELV_SIM_E_NODE_TYPE;
    *ppAxis = &pNode->aAxes[0];
    return 0;
}

int CSimModel::FindPulse(int nDevice, int nAxis, int nChannel, CSimAxis** ppAxis)
{
    SimNode* pNode = nullptr;
    if (int nResult = FindNode(nDevice, nAxis, &pNode))
        return nResult;
    if (pNode->nType != NODE_KESTRALINE)
        return ZELV_SIM_E_NODE_TYPE;
    if (!pNode->HasChannel(nChannel))
        return ZELV_SIM_E_CHANNEL;
    *ppAxis = &pNode->aAxes[nChannel];
    return 0;
}

int CSimModel::FindAnyChannel(int nDevice, int nAxis, int nChannel, SimNode** ppNode, CSimAxis** ppAxis)
{
    SimNode* pNode = nullptr;
    if (int nResult = FindNode(nDevice, nAxis, &pNode))
        return nResult;
    const bool bPresent = pNode->nType == NODE_SERVO ? nChannel == 0 : pNode->HasChannel(nChannel);
    if (!bPresent)
        return ZELV_SIM_E_CHANNEL;
    *ppNode = pNode;
    *ppAxis = &pNode->aAxes[nChannel];
    return 0;
}

bool CSimModel::TakeFault(const std::string& strName, int* pnError)
{
    auto it = m_mapFaults.find(strName);
    if (it == m_mapFaults.end() || it->second.nCount == 0)
        return false;
    *pnError = it->second.nError;
    if (it->second.nCount > 0 && --it->second.nCount == 0)
        m_mapFaults.erase(it);
    return true;
}

void CSimModel::SetFault(const char* pszName, int nError, int nCount)
{
    if (!pszName) {
        m_mapFaults.clear();
        return;
    }
    if (nCount == 0) {
        m_mapFaults.erase(pszName);
        return;
    }
    m_mapFaults[pszName] = SimCallFault{nError, nCount < 0 ? -1 : nCount};
}

void CSimModel::Trace(const std::string& strLine)
{
    m_astrTrace.push_back(strLine);
    if (m_astrTrace.size() > MAX_TRACE_LINES)
        m_astrTrace.pop_front();
    if (!m_pTraceFile)
        return;
    std::fputs(strLine.c_str(), m_pTraceFile);
    std::fputc('\n', m_pTraceFile);
    std::fflush(m_pTraceFile);
}

} // namespace zelvsim
