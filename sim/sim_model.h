// The simulated motion network: boards, nodes and their channels, the clock,
// fault injection and the call trace. One instance per process, guarded by
// one mutex (CSimModel::Lock); every entry point runs under it.
#pragma once

#include "sim/sim_axis.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace zelvsim {

enum { MAX_TRACE_LINES = 100000 };

enum { MAX_AXES = 30, MAX_CHANNELS = 8, KESTRALINE_CHANNELS = 2, NODE_INFO_SIZE = 22 };

enum { NODE_NONE = -1, NODE_SERVO = 0, NODE_KESTRALINE = 1, NODE_KTRB04 = 2 };

// Register file and command-word memory of one KTRB04-M2 channel.
struct SimKtrb04Channel {
    std::map<int, int32_t> mapParams; // parameter registers by number (0x000..0xFFF)
    uint16_t wLastCommand = 0;        // command word of the previous frame, for edges
    bool bJogging = false;            // the run was started by a jog bit
};

struct SimNode {
    int nType = NODE_NONE;
    int nReportedType = -1; // node type GnGetNodeInfo reports; -1: nType
    int nChannelMask = 0; // bit i = channel i present
    std::array<CSimAxis, MAX_CHANNELS> aAxes;
    std::array<SimKtrb04Channel, MAX_CHANNELS> aRegs;
    // The last register request, answered again by its acknowledge.
    int nLastCode = 0;
    int32_t nLastAnswer = 0;
    uint16_t wLastWord0 = 0;

    bool HasChannel(int nChannel) const { return nChannel >= 0 && nChannel < MAX_CHANNELS && (nChannelMask >> nChannel & 1); }
};

struct SimBoard {
    int nDevNo = 0;
    std::array<SimNode, MAX_AXES> aNodes;
    int nKtrb04Route = -1; // axis that answers AdvDataRW frames with station 0
    int nCommResets = 0;
    int nAbsUpdates = 0;
};

struct SimCallFault {
    int nError = 0;
    int nCount = 0; // -1 always
};

class CSimClock {
public:
    CSimClock();
    double Now() const; // seconds since the last reset
    void Reset();
    void SetVirtual(bool bVirtual);
    void AdvanceMs(int nMs);

private:
    bool m_bVirtual = false;
    int64_t m_nVirtualUs = 0;
    std::chrono::steady_clock::time_point m_start;
};

class CSimModel {
public:
    static CSimModel& Instance();
    std::mutex& Lock() { return m_mutex; }

    // Topology (caller holds the lock).
    int Reset(const char* pszTopology);
    // A model without boards that reports strError as its topology error.
    int ResetWithError(const std::string& strError);
    const std::string& TopologyError() const { return m_strTopologyError; }

    CSimClock& Clock() { return m_clock; }
    double Now() const { return m_clock.Now(); }
    // Advance every axis to the clock's present time.
    double Advance();

    // Lookup; each returns 0 or a ZELV_SIM_E_* code and sets the out pointer.
    int FindBoard(int nDevice, SimBoard** ppBoard);
    int FindNode(int nDevice, int nAxis, SimNode** ppNode);
    int FindServo(int nDevice, int nAxis, CSimAxis** ppAxis);
    int FindPulse(int nDevice, int nAxis, int nChannel, CSimAxis** ppAxis);
    int FindAnyChannel(int nDevice, int nAxis, int nChannel, SimNode** ppNode, CSimAxis** ppAxis);
    std::vector<SimBoard>& Boards() { return m_aBoards; }

    // Fault injection and trace.
    bool TakeFault(const std::string& strName, int* pnError);
    void SetFault(const char* pszName, int nError, int nCount);
    void Trace(const std::string& strLine);
    std::deque<std::string>& TraceLines() { return m_astrTrace; }

    bool m_bLoaded = false;

private:
    CSimModel();
    ~CSimModel();
    CSimModel(const CSimModel&) = delete;
    CSimModel& operator=(const CSimModel&) = delete;

    std::mutex m_mutex;
    CSimClock m_clock;
    std::vector<SimBoard> m_aBoards;
    std::string m_strTopologyError;
    std::map<std::string, SimCallFault> m_mapFaults;
    std::deque<std::string> m_astrTrace; // the latest MAX_TRACE_LINES calls
    std::FILE* m_pTraceFile = nullptr;
};

// KTRB04-M2 frame exchange (sim_ktrb04.cpp): the node answers one 26-byte
// frame. Returns 0 or a ZELV_SIM_E_* code; the response is written in any case.
int Ktrb04Exchange(SimNode& node, double dNow, const uint8_t* pFrame, uint8_t* pResponse);
// Parameter registers the node has: entry families 0-6 (entries 0..15),
// the 0xCxx block and the master register 0xF03.
bool IsKtrb04ParameterRegister(int nRegister);
// Default register file of the nOrdinal-th KTRB04-M2 channel of a topology.
void Ktrb04DefaultRegisters(SimKtrb04Channel& regs, int nOrdinal);

// Topology text (sim_topology.cpp): builds the boards or gives "line N: ..."
// in strError. The built-in default topology text.
bool ParseTopology(const std::string& strText, std::vector<SimBoard>& aBoards, std::string& strError);
const char* DefaultTopologyText();

// Settings by key (sim_topology.cpp), shared by "set" lines and the control
// functions. Return false with a message for an unknown key or bad value.
bool ApplySetting(SimNode& node, int nChannel, const std::string& strKey, double dValue, double dNow, std::string& strError);
bool ReadSetting(SimNode& node, int nChannel, const std::string& strKey, double* pdValue);
// Servo limit inputs follow parameters 0x50A/0x50B and properties 0/1.
void UpdateServoLimitInputs(CSimAxis& axis);

} // namespace zelvsim
