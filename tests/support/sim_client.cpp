#include "tests/support/sim_client.h"

#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include <cmath>
#include <limits>

namespace {

const char SIM_LIBRARY[] = "ZelvREzid2.so";

// Folder of the running program, where the build puts the library too.
std::string ProgramFolder()
{
    char acPath[PATH_MAX] = {};
    const ssize_t nLength = readlink("/proc/self/exe", acPath, sizeof acPath - 1);
    if (nLength <= 0)
        return ".";
    std::string strPath(acPath, static_cast<size_t>(nLength));
    const size_t nSlash = strPath.rfind('/');
    return nSlash == std::string::npos ? "." : strPath.substr(0, nSlash);
}

} // namespace

CSimClient::CSimClient()
{
    // The soname matches an instance loaded under any path.
    m_hLibrary = dlopen(SIM_LIBRARY, RTLD_NOW | RTLD_NOLOAD);
    if (!m_hLibrary)
        m_hLibrary = dlopen((ProgramFolder() + "/" + SIM_LIBRARY).c_str(), RTLD_NOW);
    if (!m_hLibrary) {
        const char* pszError = dlerror();
        m_strLoadError = pszError ? pszError : "cannot load the simulator";
        return;
    }
    m_pfnReset = reinterpret_cast<decltype(m_pfnReset)>(Resolve("ZelvSimReset"));
    m_pfnResetFromFile = reinterpret_cast<decltype(m_pfnResetFromFile)>(Resolve("ZelvSimResetFromFile"));
    m_pfnGetTopologyError = reinterpret_cast<decltype(m_pfnGetTopologyError)>(Resolve("ZelvSimGetTopologyError"));
    m_pfnUseVirtualClock = reinterpret_cast<decltype(m_pfnUseVirtualClock)>(Resolve("ZelvSimUseVirtualClock"));
    m_pfnAdvanceMs = reinterpret_cast<decltype(m_pfnAdvanceMs)>(Resolve("ZelvSimAdvanceMs"));
    m_pfnGetTimeMs = reinterpret_cast<decltype(m_pfnGetTimeMs)>(Resolve("ZelvSimGetTimeMs"));
    m_pfnFailCall = reinterpret_cast<decltype(m_pfnFailCall)>(Resolve("ZelvSimFailCall"));
    m_pfnStopShort = reinterpret_cast<decltype(m_pfnStopShort)>(Resolve("ZelvSimStopShort"));
    m_pfnRaiseFault = reinterpret_cast<decltype(m_pfnRaiseFault)>(Resolve("ZelvSimRaiseFault"));
    m_pfnGetAxisState = reinterpret_cast<decltype(m_pfnGetAxisState)>(Resolve("ZelvSimGetAxisState"));
    m_pfnGetSetting = reinterpret_cast<decltype(m_pfnGetSetting)>(Resolve("ZelvSimGetSetting"));
    m_pfnSetSetting = reinterpret_cast<decltype(m_pfnSetSetting)>(Resolve("ZelvSimSetSetting"));
    m_pfnIsLoaded = reinterpret_cast<decltype(m_pfnIsLoaded)>(Resolve("ZelvSimIsLoaded"));
    m_pfnGetTraceCount = reinterpret_cast<decltype(m_pfnGetTraceCount)>(Resolve("ZelvSimGetTraceCount"));
    m_pfnGetTraceLine = reinterpret_cast<decltype(m_pfnGetTraceLine)>(Resolve("ZelvSimGetTraceLine"));
    m_pfnClearTrace = reinterpret_cast<decltype(m_pfnClearTrace)>(Resolve("ZelvSimClearTrace"));
    if (!m_strLoadError.empty()) {
        dlclose(m_hLibrary);
        m_hLibrary = nullptr;
    }
}

CSimClient::~CSimClient()
{
    if (m_hLibrary)
        dlclose(m_hLibrary);
}

void* CSimClient::Resolve(const char* pszName)
{
    void* pSymbol = dlsym(m_hLibrary, pszName);
    if (!pSymbol)
        m_strLoadError += std::string("missing ") + pszName + "; ";
    return pSymbol;
}

std::string CSimClient::TopologyError() const
{
    const int nLength = m_pfnGetTopologyError(nullptr, 0);
    std::string strText(static_cast<size_t>(nLength) + 1, '\0');
    m_pfnGetTopologyError(&strText[0], nLength + 1);
    strText.resize(static_cast<size_t>(nLength));
    return strText;
}

double CSimClient::TimeMs() const
{
    double dMs = 0.0;
    m_pfnGetTimeMs(&dMs);
    return dMs;
}

ZelvSimAxisState CSimClient::State(int nDevice, int nAxis, int nChannel) const
{
    ZelvSimAxisState state{};
    m_pfnGetAxisState(nDevice, nAxis, nChannel, &state);
    return state;
}

double CSimClient::Setting(int nDevice, int nAxis, int nChannel, const char* pszKey) const
{
    double dValue = std::numeric_limits<double>::quiet_NaN();
    if (m_pfnGetSetting(nDevice, nAxis, nChannel, pszKey, &dValue) != 0)
        return std::numeric_limits<double>::quiet_NaN();
    return dValue;
}

bool CSimClient::LibraryLoaded() const
{
    int bLoaded = 0;
    m_pfnIsLoaded(&bLoaded);
    return bLoaded != 0;
}

std::vector<std::string> CSimClient::Trace() const
{
    int nCount = 0;
    m_pfnGetTraceCount(&nCount);
    std::vector<std::string> astrLines;
    for (int i = 0; i < nCount; ++i) {
        const int nLength = m_pfnGetTraceLine(i, nullptr, 0);
        if (nLength < 0)
            break;
        std::string strLine(static_cast<size_t>(nLength) + 1, '\0');
        m_pfnGetTraceLine(i, &strLine[0], nLength + 1);
        strLine.resize(static_cast<size_t>(nLength));
        astrLines.push_back(strLine);
    }
    return astrLines;
}
