// Control functions for tests (zelv_sim.h). They take the model's lock but
// are not traced and not subject to injected call failures.
#include "sim/sim_model.h"
#include "sim/zelv_sim.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace zelvsim;

namespace {

int CopyText(const std::string& strText, char* pszBuffer, int nSize)
{
    if (pszBuffer && nSize > 0) {
        const size_t nCopy = std::min(strText.size(), static_cast<size_t>(nSize - 1));
        std::memcpy(pszBuffer, strText.data(), nCopy);
        pszBuffer[nCopy] = '\0';
    }
    return static_cast<int>(strText.size());
}

template <typename F>
int Locked(F body)
{
    CSimModel& model = CSimModel::Instance();
    std::lock_guard<std::mutex> lock(model.Lock());
    return body(model);
}

bool IsKtrb04(const SimNode& node)
{
    return node.nType == NODE_KTRB04;
}

} // namespace

int ZELV_CALL ZelvSimReset(const char* pszTopology)
{
    return Locked([&](CSimModel& model) { return model.Reset(pszTopology); });
}

int ZELV_CALL ZelvSimResetFromFile(const char* pszPath)
{
    if (!pszPath)
        return ZELV_SIM_E_ARGUMENT;
    std::FILE* pFile = std::fopen(pszPath, "rb");
    std::string strText;
    if (pFile) {
        char acBuffer[4096];
        size_t nRead = 0;
        while ((nRead = std::fread(acBuffer, 1, sizeof acBuffer, pFile)) > 0)
            strText.append(acBuffer, nRead);
        std::fclose(pFile);
    }
    return Locked([&](CSimModel& model) {
        if (!pFile)
            return model.ResetWithError(std::string("cannot open topology file ") + pszPath);
        return model.Reset(strText.c_str());
    });
}

int ZELV_CALL ZelvSimGetTopologyError(char* pszBuffer, int nSize)
{
    return Locked([&](CSimModel& model) { return CopyText(model.TopologyError(), pszBuffer, nSize); });
}

int ZELV_CALL ZelvSimUseVirtualClock(int bVirtual)
{
    return Locked([&](CSimModel& model) {
        model.Advance();
        model.Clock().SetVirtual(bVirtual != 0);
        return 0;
    });
}

int ZELV_CALL ZelvSimAdvanceMs(int nMs)
{
    return Locked([&](CSimModel& model) {
        if (nMs < 0)
            return static_cast<int>(ZELV_SIM_E_ARGUMENT);
        model.Clock().AdvanceMs(nMs);
        model.Advance();
        return 0;
    });
}

int ZELV_CALL ZelvSimGetTimeMs(double* pdMs)
{
    return Locked([&](CSimModel& model) {
        if (!pdMs)
            return static_cast<int>(ZELV_SIM_E_ARGUMENT);
        *pdMs = model.Now() * 1000.0;
        return 0;
    });
}

int ZELV_CALL ZelvSimFailCall(const char* pszName, int nError, int nCount)
{
    return Locked([&](CSimModel& model) {
        model.SetFault(pszName, nError, nCount);
        return 0;
    });
}

int ZELV_CALL ZelvSimStopShort(int nDevice, int nAxis, int nChannel, double dShort, int nCount)
{
    return Locked([&](CSimModel& model) {
        SimNode* pNode = nullptr;
        CSimAxis* pAxis = nullptr;
        if (int nResult = model.FindAnyChannel(nDevice, nAxis, nChannel, &pNode, &pAxis))
            return nResult;
        if (dShort < 0.0)
            return static_cast<int>(ZELV_SIM_E_ARGUMENT);
        // Given in the axis' user units; the node runs in pulses.
        pAxis->m_dShortPulses = IsKtrb04(*pNode) ? dShort : dShort / pAxis->Settings().dUnitDist;
        pAxis->m_nShortCount = nCount < 0 ? -1 : nCount;
        return 0;
    });
}

int ZELV_CALL ZelvSimRaiseFault(int nDevice, int nAxis, int nChannel, int nKind, int nCode)
{
    return Locked([&](CSimModel& model) {
        SimNode* pNode = nullptr;
        CSimAxis* pAxis = nullptr;
        if (int nResult = model.FindAnyChannel(nDevice, nAxis, nChannel, &pNode, &pAxis))
            return nResult;
        const double dNow = model.Advance();
        switch (nKind) {
        case ZELV_SIM_FAULT_ALARM:
            pAxis->RaiseAlarm(dNow, nCode);
            return 0;
        case ZELV_SIM_FAULT_WARNING:
            pAxis->RaiseWarning();
            return 0;
        case ZELV_SIM_FAULT_STEP_OUT:
            pAxis->RaiseStepOut(dNow);
            return 0;
        default:
            return static_cast<int>(ZELV_SIM_E_ARGUMENT);
        }
    });
}

int ZELV_CALL ZelvSimGetAxisState(int nDevice, int nAxis, int nChannel, ZelvSimAxisState* pState)
{
    return Locked([&](CSimModel& model) {
        SimBoard* pBoard = nullptr;
        SimNode* pNode = nullptr;
        CSimAxis* pAxis = nullptr;
        if (int nResult = model.FindBoard(nDevice, &pBoard))
            return nResult;
        if (int nResult = model.FindAnyChannel(nDevice, nAxis, nChannel, &pNode, &pAxis))
            return nResult;
        if (!pState)
            return static_cast<int>(ZELV_SIM_E_ARGUMENT);
        const double dNow = model.Advance();
        const CSimAxis& axis = *pAxis;
        const bool bPulses = IsKtrb04(*pNode);
        const double dUnit = bPulses ? 1.0 : axis.Settings().dUnitDist;
        const double dSpeedUnit = bPulses ? 1.0 : axis.Settings().dUnitDist / axis.Settings().dUnitSpeed;
        ZelvSimAxisState state{};
        state.dCommandPos = axis.CommandPulses(dNow) * dUnit;
        state.dFeedbackPos = axis.FeedbackPulses(dNow) * dUnit;
        state.dCommandSpeed = axis.CommandSpeed(dNow) * dSpeedUnit;
        state.dFeedbackSpeed = axis.FeedbackSpeed(dNow) * dSpeedUnit;
        state.dMachinePulses = axis.MachinePulses(dNow);
        state.bServoOn = axis.ServoOn();
        state.bMoving = axis.IsMoving(dNow);
        state.bHoming = axis.IsHoming(dNow);
        state.bHomeSuccess = axis.HomeSuccess();
        state.bAlarm = axis.Alarm();
        state.nAlarmCode = axis.AlarmCode();
        state.bWarning = axis.Warning();
        state.bStepOut = axis.StepOut();
        state.bPlusLimit = axis.AtPlusLimit(dNow);
        state.bMinusLimit = axis.AtMinusLimit(dNow);
        state.bOrigin = axis.AtOrigin(dNow);
        state.bInPosition = axis.InPosition(dNow);
        const int nPhase = axis.Phase(dNow);
        state.nMotionState = pNode->nType == NODE_KESTRALINE && nPhase != PHASE_STOP ? 10 + nPhase : nPhase;
        state.nAbsMode = axis.m_nAbsMode;
        state.nRingEnable = axis.m_nRingEnable;
        state.nRingMin = axis.m_nRingMin;
        state.nRingMax = axis.m_nRingMax;
        state.nCommResets = pBoard->nCommResets;
        state.nAbsUpdates = pBoard->nAbsUpdates;
        *pState = state;
        return 0;
    });
}

int ZELV_CALL ZelvSimGetSetting(int nDevice, int nAxis, int nChannel, const char* pszKey, double* pdValue)
{
    return Locked([&](CSimModel& model) {
        SimNode* pNode = nullptr;
        CSimAxis* pAxis = nullptr;
        if (int nResult = model.FindAnyChannel(nDevice, nAxis, nChannel, &pNode, &pAxis))
            return nResult;
        if (!pszKey || !pdValue || !ReadSetting(*pNode, nChannel, pszKey, pdValue))
            return static_cast<int>(ZELV_SIM_E_ARGUMENT);
        return 0;
    });
}

int ZELV_CALL ZelvSimSetSetting(int nDevice, int nAxis, int nChannel, const char* pszKey, double dValue)
{
    return Locked([&](CSimModel& model) {
        SimNode* pNode = nullptr;
        CSimAxis* pAxis = nullptr;
        if (int nResult = model.FindAnyChannel(nDevice, nAxis, nChannel, &pNode, &pAxis))
            return nResult;
        std::string strError;
        const double dNow = model.Advance();
        if (!pszKey || !ApplySetting(*pNode, nChannel, pszKey, dValue, dNow, strError))
            return static_cast<int>(ZELV_SIM_E_ARGUMENT);
        return 0;
    });
}

int ZELV_CALL ZelvSimIsLoaded(int* pbLoaded)
{
    return Locked([&](CSimModel& model) {
        if (!pbLoaded)
            return static_cast<int>(ZELV_SIM_E_ARGUMENT);
        *pbLoaded = model.m_bLoaded ? 1 : 0;
        return 0;
    });
}

int ZELV_CALL ZelvSimGetTraceCount(int* pnCount)
{
    return Locked([&](CSimModel& model) {
        if (!pnCount)
            return static_cast<int>(ZELV_SIM_E_ARGUMENT);
        *pnCount = static_cast<int>(model.TraceLines().size());
        return 0;
    });
}

int ZELV_CALL ZelvSimGetTraceLine(int nIndex, char* pszBuffer, int nSize)
{
    return Locked([&](CSimModel& model) {
        const auto& lines = model.TraceLines();
        if (nIndex < 0 || static_cast<size_t>(nIndex) >= lines.size())
            return -1;
        return CopyText(lines[static_cast<size_t>(nIndex)], pszBuffer, nSize);
    });
}

int ZELV_CALL ZelvSimClearTrace(void)
{
    return Locked([&](CSimModel& model) {
        model.TraceLines().clear();
        return 0;
    });
}
