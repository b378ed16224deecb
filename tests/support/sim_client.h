// Reaches the simulator's control functions (sim/zelv_sim.h) in the instance
// of ZelvREzid2.so that the process already has loaded (through the tool's
// loader or by linking), or else loads it from the test program's folder.
// Native builds only.
#pragma once

#include "sim/zelv_sim.h"

#include <string>
#include <vector>

class CSimClient {
public:
    CSimClient();
    ~CSimClient();
    CSimClient(const CSimClient&) = delete;
    CSimClient& operator=(const CSimClient&) = delete;

    bool IsLoaded() const { return m_hLibrary != nullptr; }
    const std::string& LoadError() const { return m_strLoadError; }

    int Reset(const char* pszTopology = nullptr) const { return m_pfnReset(pszTopology); }
    int ResetFromFile(const char* pszPath) const { return m_pfnResetFromFile(pszPath); }
    std::string TopologyError() const;
    int UseVirtualClock(bool bVirtual = true) const { return m_pfnUseVirtualClock(bVirtual ? 1 : 0); }
    int AdvanceMs(int nMs) const { return m_pfnAdvanceMs(nMs); }
    double TimeMs() const;
    int FailCall(const char* pszName, int nError, int nCount) const { return m_pfnFailCall(pszName, nError, nCount); }
    int StopShort(int nDevice, int nAxis, int nChannel, double dShort, int nCount) const { return m_pfnStopShort(nDevice, nAxis, nChannel, dShort, nCount); }
    int RaiseFault(int nDevice, int nAxis, int nChannel, int nKind, int nCode = 0) const { return m_pfnRaiseFault(nDevice, nAxis, nChannel, nKind, nCode); }
    // Zeroed state when the channel does not exist.
    ZelvSimAxisState State(int nDevice, int nAxis, int nChannel = 0) const;
    int GetSetting(int nDevice, int nAxis, int nChannel, const char* pszKey, double* pdValue) const { return m_pfnGetSetting(nDevice, nAxis, nChannel, pszKey, pdValue); }
    // The setting's value, or NaN when it does not exist.
    double Setting(int nDevice, int nAxis, int nChannel, const char* pszKey) const;
    int SetSetting(int nDevice, int nAxis, int nChannel, const char* pszKey, double dValue) const { return m_pfnSetSetting(nDevice, nAxis, nChannel, pszKey, dValue); }
    bool LibraryLoaded() const;
    std::vector<std::string> Trace() const;
    int ClearTrace() const { return m_pfnClearTrace(); }

private:
    void* Resolve(const char* pszName);

    void* m_hLibrary = nullptr;
    std::string m_strLoadError;
    decltype(&ZelvSimReset) m_pfnReset = nullptr;
    decltype(&ZelvSimResetFromFile) m_pfnResetFromFile = nullptr;
    decltype(&ZelvSimGetTopologyError) m_pfnGetTopologyError = nullptr;
    decltype(&ZelvSimUseVirtualClock) m_pfnUseVirtualClock = nullptr;
    decltype(&ZelvSimAdvanceMs) m_pfnAdvanceMs = nullptr;
    decltype(&ZelvSimGetTimeMs) m_pfnGetTimeMs = nullptr;
    decltype(&ZelvSimFailCall) m_pfnFailCall = nullptr;
    decltype(&ZelvSimStopShort) m_pfnStopShort = nullptr;
    decltype(&ZelvSimRaiseFault) m_pfnRaiseFault = nullptr;
    decltype(&ZelvSimGetAxisState) m_pfnGetAxisState = nullptr;
    decltype(&ZelvSimGetSetting) m_pfnGetSetting = nullptr;
    decltype(&ZelvSimSetSetting) m_pfnSetSetting = nullptr;
    decltype(&ZelvSimIsLoaded) m_pfnIsLoaded = nullptr;
    decltype(&ZelvSimGetTraceCount) m_pfnGetTraceCount = nullptr;
    decltype(&ZelvSimGetTraceLine) m_pfnGetTraceLine = nullptr;
    decltype(&ZelvSimClearTrace) m_pfnClearTrace = nullptr;
};
