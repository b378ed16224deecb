// Topology text and the settings keys it shares with the control functions.
// Format: sim/README.md.
#include "sim/sim_model.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace zelvsim {

namespace {

const char DEFAULT_TOPOLOGY[] =
    "# Default simulated network: every node type and channel layout.\n"
    "board 0\n"
    "node 0 servo\n"
    "node 1 servo\n"
    "set 1 param.0x50B=0x8888   # (-) limit input wired off\n"
    "node 2 kestraline\n"
    "node 3 ktrb04 channels=0,1,2,3\n"
    "node 4 ktrb04 channels=0,2\n"
    "board 1\n"
    "node 0 servo\n"
    "node 1 servo\n"
    "node 5 kestraline\n";

// Home modes a Kestraline channel knows.
const int KESTRALINE_HOME_MODES[] = {0, 1, 2, 6, 7};

enum { KIND_SERVO = 1, KIND_KESTRALINE = 2, KIND_KTRB04 = 4, KIND_LIBRARY = KIND_SERVO | KIND_KESTRALINE, KIND_ALL = 7 };

int KindBit(int nType)
{
    return nType == NODE_SERVO ? KIND_SERVO : nType == NODE_KESTRALINE ? KIND_KESTRALINE : KIND_KTRB04;
}

struct SettingKey {
    const char* pszName;
    double SimSettings::*pdMember;
    int SimSettings::*pnMember;
    int nKinds;
};

const SettingKey SETTING_KEYS[] = {
    {"unitdist", &SimSettings::dUnitDist, nullptr, KIND_LIBRARY},
    {"unitspeed", &SimSettings::dUnitSpeed, nullptr, KIND_LIBRARY},
    {"speedmode", nullptr, &SimSettings::nSpeedMode, KIND_LIBRARY},
    {"workspeed", &SimSettings::dWorkSpeed, nullptr, KIND_LIBRARY},
    {"accel", &SimSettings::dAccel, nullptr, KIND_LIBRARY},
    {"decel", &SimSettings::dDecel, nullptr, KIND_LIBRARY},
    {"initspeed", &SimSettings::dInitSpeed, nullptr, KIND_SERVO},
    {"endspeed", &SimSettings::dEndSpeed, nullptr, KIND_SERVO},
    {"homeoffset", &SimSettings::dHomeOffset, nullptr, KIND_LIBRARY},
    {"homereverse", &SimSettings::dHomeReverse, nullptr, KIND_KESTRALINE},
    {"ezcount", nullptr, &SimSettings::nHomeEzCount, KIND_KESTRALINE},
    {"escapedist", nullptr, &SimSettings::nHomeEscape, KIND_KESTRALINE},
    {"posclrmode", nullptr, &SimSettings::nPosClrMode, KIND_KESTRALINE},
    {"outmode", nullptr, &SimSettings::nOutMode, KIND_KESTRALINE},
    {"inmode", nullptr, &SimSettings::nInMode, KIND_KESTRALINE},
    {"inmodeextra", nullptr, &SimSettings::nInModeExtra, KIND_KESTRALINE},
    {"limitminus", &SimSettings::dLimitMinus, nullptr, KIND_ALL},
    {"limitplus", &SimSettings::dLimitPlus, nullptr, KIND_ALL},
    {"origin", &SimSettings::dOrigin, nullptr, KIND_ALL},
    {"lag", &SimSettings::dLagMs, nullptr, KIND_ALL},
};

// "base.N" with N decimal or 0x hex; false when strKey is not of that form.
bool SplitIndex(const std::string& strKey, const char* pszBase, int* pnIndex, std::string* pstrRest)
{
    const size_t nBase = std::strlen(pszBase);
    if (strKey.compare(0, nBase, pszBase) != 0 || strKey.size() <= nBase || strKey[nBase] != '.')
        return false;
    const char* pszStart = strKey.c_str() + nBase + 1;
    char* pszEnd = nullptr;
    const long nValue = std::strtol(pszStart, &pszEnd, std::strncmp(pszStart, "0x", 2) == 0 || std::strncmp(pszStart, "0X", 2) == 0 ? 16 : 10);
    if (pszEnd == pszStart)
        return false;
    *pnIndex = static_cast<int>(nValue);
    *pstrRest = pszEnd;
    return true;
}

// Locates the storage of a key for a channel of node; exactly one of the
// out pointers is set, or false when the key does not exist for the node.
struct SettingRef {
    double* pd = nullptr;
    int* pn = nullptr;
    int32_t* pReg = nullptr;
    std::map<int, int>* pServoParams = nullptr;
    int nParam = 0;
    bool bServoOn = false;
};

bool FindSetting(SimNode& node, int nChannel, const std::string& strKey, SettingRef& ref, std::string& strError)
{
    SimSettings& s = node.aAxes[nChannel].Settings();
    const int nKind = KindBit(node.nType);
    for (const SettingKey& key : SETTING_KEYS) {
        if (strKey != key.pszName)
            continue;
        if (!(key.nKinds & nKind)) {
            strError = "setting '" + strKey + "' does not apply to this node type";
            return false;
        }
        if (key.pdMember)
            ref.pd = &(s.*key.pdMember);
        else
            ref.pn = &(s.*key.pnMember);
        return true;
    }
    if (strKey == "servo") {
        ref.bServoOn = true;
        return true;
    }
    int nIndex = 0;
    std::string strRest;
    const bool bLibrary = nKind & KIND_LIBRARY;
    if (bLibrary && (strKey == "homemode" || strKey == "homedir")) {
        ref.pn = &s.anHomeConfig[strKey == "homemode" ? 0 : 1];
        return true;
    }
    if (bLibrary && SplitIndex(strKey, "mio", &nIndex, &strRest) && strRest.empty() && nIndex >= 0 && nIndex < MIO_PROPERTY_COUNT) {
        ref.pn = &s.anMio[nIndex];
        return true;
    }
    if (bLibrary && SplitIndex(strKey, "homecfg", &nIndex, &strRest) && strRest.empty() && nIndex >= 0 && nIndex < HOME_CONFIG_ITEMS) {
        ref.pn = &s.anHomeConfig[nIndex];
        return true;
    }
    if (bLibrary && SplitIndex(strKey, "home", &nIndex, &strRest) && nIndex >= 0 && nIndex < HOME_PHASES) {
        if (strRest == ".mode")
            ref.pn = &s.anHomeMode[nIndex];
        else if (strRest == ".work")
            ref.pd = &s.adHomeWork[nIndex];
        else if (strRest == ".accel")
            ref.pd = &s.adHomeAccel[nIndex];
        else if (strRest == ".decel")
            ref.pd = &s.adHomeDecel[nIndex];
        if (ref.pn || ref.pd)
            return true;
    }
    if (node.nType == NODE_SERVO && SplitIndex(strKey, "param", &nIndex, &strRest) && strRest.empty() && nIndex >= 0 && nIndex <= 0xFFFF) {
        ref.pServoParams = &s.mapServoParams;
        ref.nParam = nIndex;
        return true;
    }
    if (node.nType == NODE_KTRB04 && SplitIndex(strKey, "reg", &nIndex, &strRest) && strRest.empty() && IsKtrb04ParameterRegister(nIndex)) {
        ref.pReg = &node.aRegs[nChannel].mapParams[nIndex];
        return true;
    }
    strError = "unknown setting '" + strKey + "'";
    return false;
}

bool ChannelExists(const SimNode& node, int nChannel)
{
    return node.nType == NODE_SERVO ? nChannel == 0 : node.HasChannel(nChannel);
}

bool ParseNumber(const std::string& strText, double* pdValue)
{
    if (strText.empty())
        return false;
    char* pszEnd = nullptr;
    const double dValue = std::strtod(strText.c_str(), &pszEnd);
    if (*pszEnd != '\0' || !std::isfinite(dValue))
        return false;
    *pdValue = dValue;
    return true;
}

bool ParseInt(const std::string& strText, int nMin, int nMax, int* pnValue)
{
    double dValue = 0.0;
    if (!ParseNumber(strText, &dValue) || dValue != std::floor(dValue) || dValue < nMin || dValue > nMax)
        return false;
    *pnValue = static_cast<int>(dValue);
    return true;
}

int NodeTypeFromName(const std::string& strName)
{
    if (strName == "servo")
        return NODE_SERVO;
    if (strName == "kestraline")
        return NODE_KESTRALINE;
    if (strName == "ktrb04")
        return NODE_KTRB04;
    return NODE_NONE;
}

// Parses "0,1,3" or "none" into a channel mask.
bool ParseChannels(const std::string& strList, int* pnMask)
{
    *pnMask = 0;
    if (strList == "none")
        return true;
    std::stringstream stream(strList);
    std::string strItem;
    while (std::getline(stream, strItem, ',')) {
        int nChannel = 0;
        if (!ParseInt(strItem, 0, MAX_CHANNELS - 1, &nChannel) || (*pnMask >> nChannel & 1))
            return false;
        *pnMask |= 1 << nChannel;
    }
    return *pnMask != 0;
}

class CTopologyParser {
public:
    explicit CTopologyParser(std::vector<SimBoard>& aBoards) : m_aBoards(aBoards) {}

    bool ParseLine(const std::vector<std::string>& astrWords, std::string& strError)
    {
        const std::string& strKeyword = astrWords[0];
        if (strKeyword == "board")
            return ParseBoard(astrWords, strError);
        if (strKeyword == "node")
            return ParseNode(astrWords, strError);
        if (strKeyword == "set")
            return ParseSet(astrWords, strError);
        strError = "unknown keyword '" + strKeyword + "'";
        return false;
    }

private:
    bool ParseBoard(const std::vector<std::string>& astrWords, std::string& strError)
    {
        int nDevNo = 0;
        if (astrWords.size() != 2 || !ParseInt(astrWords[1], 0, 0x7FFFFFFF, &nDevNo)) {
            strError = "expected 'board <device number>'";
            return false;
        }
        for (const SimBoard& board : m_aBoards) {
            if (board.nDevNo == nDevNo) {
                strError = "duplicate board " + astrWords[1];
                return false;
            }
        }
        m_aBoards.emplace_back();
        m_aBoards.back().nDevNo = nDevNo;
        return true;
    }

    bool ParseNode(const std::vector<std::string>& astrWords, std::string& strError)
    {
        if (m_aBoards.empty()) {
            strError = "'node' before any 'board'";
            return false;
        }
        int nAxis = 0;
        if (astrWords.size() < 3 || !ParseInt(astrWords[1], 0, 0x7FFFFFFF, &nAxis)) {
            strError = "expected 'node <axis 0..29> servo|kestraline|ktrb04 [channels=...] [reporttype=N]'";
            return false;
        }
        if (nAxis >= MAX_AXES) {
            strError = "axis " + astrWords[1] + " out of range 0..29";
            return false;
        }
        const int nType = NodeTypeFromName(astrWords[2]);
        if (nType == NODE_NONE) {
            strError = "unknown node type '" + astrWords[2] + "'";
            return false;
        }
        SimBoard& board = m_aBoards.back();
        SimNode& node = board.aNodes[nAxis];
        if (node.nType != NODE_NONE) {
            strError = "duplicate node " + astrWords[1];
            return false;
        }
        int nMask = nType == NODE_SERVO ? 1 : nType == NODE_KESTRALINE ? (1 << KESTRALINE_CHANNELS) - 1 : 0x0F;
        int nReportedType = -1;
        for (size_t i = 3; i < astrWords.size(); ++i) {
            const std::string& strWord = astrWords[i];
            if (strWord.compare(0, 11, "reporttype=") == 0) {
                if (!ParseInt(strWord.substr(11), 0, 0xFFFF, &nReportedType)) {
                    strError = "bad node type '" + strWord.substr(11) + "' (0..65535)";
                    return false;
                }
                continue;
            }
            if (nType != NODE_KTRB04 || strWord.compare(0, 9, "channels=") != 0) {
                strError = "unexpected '" + strWord + "' (only a ktrb04 node takes channels=)";
                return false;
            }
            if (!ParseChannels(strWord.substr(9), &nMask)) {
                strError = "bad channel list '" + strWord.substr(9) + "' (channels 0..7, or none)";
                return false;
            }
        }
        node.nType = nType;
        node.nReportedType = nReportedType;
        node.nChannelMask = nMask;
        for (int c = 0; c < MAX_CHANNELS; ++c) {
            if (!ChannelExists(node, c))
                continue;
            node.aAxes[c].Settings() = DefaultSettings(m_nOrdinal);
            if (nType == NODE_KESTRALINE)
                node.aAxes[c].Settings().anHomeConfig[0] = KESTRALINE_HOME_MODES[m_nOrdinal % 5];
            if (nType == NODE_KTRB04)
                Ktrb04DefaultRegisters(node.aRegs[c], m_nOrdinal);
            UpdateServoLimitInputs(node.aAxes[c]);
            ++m_nOrdinal;
        }
        if (nType == NODE_KTRB04 && board.nKtrb04Route < 0)
            board.nKtrb04Route = nAxis;
        return true;
    }

    bool ParseSet(const std::vector<std::string>& astrWords, std::string& strError)
    {
        if (m_aBoards.empty()) {
            strError = "'set' before any 'board'";
            return false;
        }
        if (astrWords.size() < 3) {
            strError = "expected 'set <axis>[.<channel>] key=value ...'";
            return false;
        }
        const std::string& strTarget = astrWords[1];
        const size_t nDot = strTarget.find('.');
        int nAxis = 0;
        int nChannel = 0;
        if (!ParseInt(strTarget.substr(0, nDot), 0, MAX_AXES - 1, &nAxis)
            || (nDot != std::string::npos && !ParseInt(strTarget.substr(nDot + 1), 0, MAX_CHANNELS - 1, &nChannel))) {
            strError = "bad axis or channel '" + strTarget + "'";
            return false;
        }
        SimNode& node = m_aBoards.back().aNodes[nAxis];
        if (node.nType == NODE_NONE) {
            strError = "no node " + std::to_string(nAxis) + " on this board";
            return false;
        }
        if (!ChannelExists(node, nChannel)) {
            strError = "node " + std::to_string(nAxis) + " has no channel " + std::to_string(nChannel);
            return false;
        }
        for (size_t i = 2; i < astrWords.size(); ++i) {
            const size_t nEq = astrWords[i].find('=');
            double dValue = 0.0;
            if (nEq == std::string::npos || !ParseNumber(astrWords[i].substr(nEq + 1), &dValue)) {
                strError = "expected key=number, got '" + astrWords[i] + "'";
                return false;
            }
            if (!ApplySetting(node, nChannel, astrWords[i].substr(0, nEq), dValue, 0.0, strError))
                return false;
        }
        return true;
    }

    std::vector<SimBoard>& m_aBoards;
    int m_nOrdinal = 0;
};

} // namespace

const char* DefaultTopologyText()
{
    return DEFAULT_TOPOLOGY;
}

void UpdateServoLimitInputs(CSimAxis& axis)
{
    const SimSettings& s = axis.Settings();
    auto param = [&](int nNumber) {
        auto it = s.mapServoParams.find(nNumber);
        return it == s.mapServoParams.end() ? 0 : it->second;
    };
    axis.m_bPlusLimitEnabled = param(0x50A) != 0x8881 && s.anMio[0] != -1;
    axis.m_bMinusLimitEnabled = param(0x50B) != 0x8888 && s.anMio[1] != -1;
}

bool ApplySetting(SimNode& node, int nChannel, const std::string& strKey, double dValue, double dNow, std::string& strError)
{
    if (!ChannelExists(node, nChannel)) {
        strError = "no such channel";
        return false;
    }
    SettingRef ref;
    if (!FindSetting(node, nChannel, strKey, ref, strError))
        return false;
    const bool bIntegral = dValue == std::floor(dValue) && std::fabs(dValue) <= 2147483647.0;
    if (!ref.pd && !bIntegral) {
        strError = "setting '" + strKey + "' needs a whole number";
        return false;
    }
    CSimAxis& axis = node.aAxes[nChannel];
    if (ref.pd)
        *ref.pd = dValue;
    else if (ref.pn)
        *ref.pn = static_cast<int>(dValue);
    else if (ref.pReg)
        *ref.pReg = static_cast<int32_t>(dValue);
    else if (ref.pServoParams)
        (*ref.pServoParams)[ref.nParam] = static_cast<int>(dValue);
    else if (ref.bServoOn)
        axis.SetServoOn(dNow, dValue != 0.0);
    if (node.nType == NODE_SERVO)
        UpdateServoLimitInputs(axis);
    return true;
}

bool ReadSetting(SimNode& node, int nChannel, const std::string& strKey, double* pdValue)
{
    if (!ChannelExists(node, nChannel))
        return false;
    SettingRef ref;
    std::string strError;
    // Reading a register that was never written must not create it.
    if (node.nType == NODE_KTRB04) {
        int nIndex = 0;
        std::string strRest;
        if (SplitIndex(strKey, "reg", &nIndex, &strRest) && strRest.empty() && IsKtrb04ParameterRegister(nIndex)) {
            const auto& regs = node.aRegs[nChannel].mapParams;
            auto it = regs.find(nIndex);
            *pdValue = it == regs.end() ? 0.0 : it->second;
            return true;
        }
    }
    if (!FindSetting(node, nChannel, strKey, ref, strError))
        return false;
    if (ref.pd)
        *pdValue = *ref.pd;
    else if (ref.pn)
        *pdValue = *ref.pn;
    else if (ref.pServoParams) {
        auto it = ref.pServoParams->find(ref.nParam);
        *pdValue = it == ref.pServoParams->end() ? 0.0 : it->second;
    } else if (ref.bServoOn)
        *pdValue = node.aAxes[nChannel].ServoOn() ? 1.0 : 0.0;
    return true;
}

bool ParseTopology(const std::string& strText, std::vector<SimBoard>& aBoards, std::string& strError)
{
    aBoards.clear();
    CTopologyParser parser(aBoards);
    std::stringstream stream(strText);
    std::string strLine;
    int nLine = 0;
    while (std::getline(stream, strLine)) {
        ++nLine;
        const size_t nHash = strLine.find('#');
        if (nHash != std::string::npos)
            strLine.erase(nHash);
        std::stringstream words(strLine);
        std::vector<std::string> astrWords;
        std::string strWord;
        while (words >> strWord)
            astrWords.push_back(strWord);
        if (astrWords.empty())
            continue;
        std::string strLineError;
        if (!parser.ParseLine(astrWords, strLineError)) {
            strError = "line " + std::to_string(nLine) + ": " + strLineError;
            aBoards.clear();
            return false;
        }
    }
    return true;
}

} // namespace zelvsim
