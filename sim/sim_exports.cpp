// The library's entry points. Each one takes the model's lock, records the
// call in the trace, applies an injected failure if one is due, brings the
// model up to the present time and then acts on it.
#include "sim/sim_entry_points.h"
#include "sim/sim_model.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

using namespace zelvsim;

// A definition below whose signature differs from the contract's declaration
// fails to compile.

namespace {

struct Out {
    const void* p;
};

template <typename T>
Out AsOut(T* p)
{
    return Out{p};
}

std::string FormatArg(int n)
{
    return std::to_string(n);
}

std::string FormatArg(double d)
{
    char acText[32];
    std::snprintf(acText, sizeof acText, "%.10g", d);
    return acText;
}

std::string FormatArg(Out out)
{
    return out.p ? "&" : "null";
}

// A frame as 26 bytes of hex.
struct Frame {
    const void* p;
};

std::string FormatArg(Frame frame)
{
    if (!frame.p)
        return "null";
    const unsigned char* pb = static_cast<const unsigned char*>(frame.p);
    std::string strText;
    char acByte[4];
    for (int i = 0; i < MOTION_KTRB04_FRAME_SIZE; ++i) {
        std::snprintf(acByte, sizeof acByte, "%02X", pb[i]);
        strText += acByte;
    }
    return strText;
}

std::string FormatArgs()
{
    return std::string();
}

template <typename A, typename... Rest>
std::string FormatArgs(A first, Rest... rest)
{
    std::string strText = FormatArg(first);
    if constexpr (sizeof...(rest) > 0)
        strText += "," + FormatArgs(rest...);
    return strText;
}

// The frame of every entry point.
template <typename F, typename... A>
int Run(const char* pszName, F body, A... args)
{
    CSimModel& model = CSimModel::Instance();
    std::lock_guard<std::mutex> lock(model.Lock());
    model.Trace(std::string(pszName) + "(" + FormatArgs(args...) + ")");
    int nError = 0;
    if (model.TakeFault(pszName, &nError))
        return nError;
    const double dNow = model.Advance();
    return body(model, dNow);
}

// Unit conversions of the library: user distance = pulses * unit distance;
// user speed * unit speed = user distance per second.
double ToPulses(const CSimAxis& axis, double dDistance)
{
    return dDistance / axis.Settings().dUnitDist;
}

double SpeedToPulses(const CSimAxis& axis, double dSpeed)
{
    return dSpeed * axis.Settings().dUnitSpeed / axis.Settings().dUnitDist;
}

double Wrap(const CSimAxis& axis, double dValue)
{
    if (!axis.m_nRingEnable || axis.m_nRingMax <= axis.m_nRingMin)
        return dValue;
    const double dRange = static_cast<double>(axis.m_nRingMax) - axis.m_nRingMin;
    double dOffset = std::fmod(dValue - axis.m_nRingMin, dRange);
    if (dOffset < 0.0)
        dOffset += dRange;
    return axis.m_nRingMin + dOffset;
}

double UserPosition(const CSimAxis& axis, double dNow, int nWhich)
{
    const double dPulses = nWhich == 0 ? axis.CommandPulses(dNow) : axis.FeedbackPulses(dNow);
    return Wrap(axis, dPulses * axis.Settings().dUnitDist);
}

double UserSpeed(const CSimAxis& axis, double dNow, int nWhich)
{
    const double dPulses = nWhich == 0 ? axis.CommandSpeed(dNow) : axis.FeedbackSpeed(dNow);
    return dPulses * axis.Settings().dUnitDist / axis.Settings().dUnitSpeed;
}

SimPattern AxisPattern(const CSimAxis& axis, bool bServo)
{
    const SimSettings& s = axis.Settings();
    SimPattern pattern;
    pattern.nMode = s.nSpeedMode;
    pattern.dWork = SpeedToPulses(axis, s.dWorkSpeed);
    pattern.dAccel = SpeedToPulses(axis, s.dAccel);
    pattern.dDecel = SpeedToPulses(axis, s.dDecel);
    pattern.dInitial = bServo ? SpeedToPulses(axis, s.dInitSpeed) : 0.0;
    pattern.dEnd = bServo ? SpeedToPulses(axis, s.dEndSpeed) : 0.0;
    return pattern;
}

SimPattern HomePattern(const CSimAxis& axis)
{
    const SimSettings& s = axis.Settings();
    SimPattern pattern;
    pattern.nMode = s.anHomeMode[0];
    pattern.dWork = SpeedToPulses(axis, s.adHomeWork[0]);
    pattern.dAccel = SpeedToPulses(axis, s.adHomeAccel[0]);
    pattern.dDecel = SpeedToPulses(axis, s.adHomeDecel[0]);
    return pattern;
}

bool ValidMode(int nMode)
{
    return nMode >= PATTERN_CONSTANT && nMode <= PATTERN_SCURVE;
}

void DecelStop(CSimAxis& axis, double dNow, bool bServo)
{
    const SimPattern pattern = AxisPattern(axis, bServo);
    const double dDecel = pattern.nMode == PATTERN_CONSTANT ? 0.0 : pattern.dDecel;
    axis.Stop(dNow, dDecel, pattern.nMode == PATTERN_SCURVE);
}

// Homing target on the machine: the limit switch in the home direction for
// limit-switch modes, else the origin switch; then the home offset.
int StartHome(CSimAxis& axis, double dNow, bool bLimitMode)
{
    const SimSettings& s = axis.Settings();
    const bool bPlus = s.anHomeConfig[1] != 0;
    const double dSwitch = bLimitMode ? (bPlus ? s.dLimitPlus : s.dLimitMinus) : s.dOrigin;
    return axis.StartHoming(dNow, dSwitch + ToPulses(axis, s.dHomeOffset), HomePattern(axis));
}

int MotionState(const CSimAxis& axis, double dNow)
{
    return axis.Phase(dNow); // 0 stop, 1 acceleration, 2 work speed, 3 deceleration
}

int PmMotionState(const CSimAxis& axis, double dNow)
{
    const int nPhase = axis.Phase(dNow);
    return nPhase == PHASE_STOP ? 0 : 10 + nPhase; // 11 acceleration, 12 work speed, 13 deceleration
}

int ServoMioBits(const CSimAxis& axis, double dNow)
{
    int n = 0;
    n |= axis.InPosition(dNow) ? 1 << 0 : 0;
    n |= axis.Warning() ? 1 << 4 : 0;
    n |= axis.Alarm() ? 1 << 5 : 0;
    n |= axis.ServoOn() ? 1 << 6 : 0;
    n |= axis.AtMinusLimit(dNow) ? 1 << 8 : 0;
    n |= axis.AtPlusLimit(dNow) ? 1 << 9 : 0;
    n |= axis.AtOrigin(dNow) ? 1 << 10 : 0;
    return n;
}

int PmMioBits(const CSimAxis& axis, double dNow)
{
    int n = 0;
    n |= axis.ServoOn() ? 1 << 0 : 0;
    n |= axis.Alarm() ? 1 << 1 : 0;
    n |= axis.AtMinusLimit(dNow) ? 1 << 2 : 0;
    n |= axis.AtPlusLimit(dNow) ? 1 << 3 : 0;
    n |= axis.AtOrigin(dNow) ? 1 << 4 : 0;
    n |= axis.InPosition(dNow) ? 1 << 9 : 0;
    return n;
}

// Servo (device, axis) calls: find the axis, then act.
template <typename F>
int OnServo(CSimModel& model, int nDevice, int nAxis, F action)
{
    CSimAxis* pAxis = nullptr;
    if (int nResult = model.FindServo(nDevice, nAxis, &pAxis))
        return nResult;
    return action(*pAxis);
}

// I/O Kestraline (device, axis, channel) calls.
template <typename F>
int OnPulse(CSimModel& model, int nDevice, int nAxis, int nChannel, F action)
{
    CSimAxis* pAxis = nullptr;
    if (int nResult = model.FindPulse(nDevice, nAxis, nChannel, &pAxis))
        return nResult;
    return action(*pAxis);
}

void FillNodeInfo(const SimBoard& board, int nAxis, const SimNode& node, unsigned char* pInfo)
{
    static const char* const MODEL_NAMES[] = {"SV-M2", "KL-PM2", "KTRB04M2"};
    static const int PRODUCT_CODES[] = {0x0210, 0x0522, 0x0B04};
    static const int FIRMWARE_VERSIONS[] = {0x0213, 0x0108, 0x0301};
    std::memset(pInfo, 0, MOTION_NODE_INFO_SIZE);
    const unsigned nVendor = 0x4B5A;
    const unsigned nProduct = static_cast<unsigned>(PRODUCT_CODES[node.nType]);
    const unsigned nSerial = static_cast<unsigned>(board.nDevNo * 100 + nAxis + 1);
    const unsigned nFirmware = static_cast<unsigned>(FIRMWARE_VERSIONS[node.nType]);
    pInfo[0] = nVendor & 0xFF;
    pInfo[1] = nVendor >> 8 & 0xFF;
    pInfo[2] = nProduct & 0xFF;
    pInfo[3] = nProduct >> 8 & 0xFF;
    for (int i = 0; i < 4; ++i)
        pInfo[4 + i] = nSerial >> (8 * i) & 0xFF;
    pInfo[8] = nFirmware & 0xFF;
    pInfo[9] = nFirmware >> 8 & 0xFF;
    std::strncpy(reinterpret_cast<char*>(pInfo + 10), MODEL_NAMES[node.nType], 10);
    const int nReported = node.nReportedType >= 0 ? node.nReportedType : node.nType;
    pInfo[MOTION_NODE_INFO_TYPE_OFFSET] = static_cast<unsigned char>(nReported & 0xFF);
    pInfo[MOTION_NODE_INFO_TYPE_OFFSET + 1] = static_cast<unsigned char>(nReported >> 8 & 0xFF);
}

} // namespace

// ---- General -------------------------------------------------------------

int ZELV_CALL GnLoadDevice(int* pnCount, int* pnDevNo, int* pnExtra)
{
    return Run("GnLoadDevice", [&](CSimModel& model, double) {
        if (!pnCount || !pnDevNo || !pnExtra)
            return static_cast<int>(ZELV_SIM_E_ARGUMENT);
        const std::vector<SimBoard>& aBoards = model.Boards();
        // The count is reported as configured; the list holds at most 16.
        *pnCount = static_cast<int>(aBoards.size());
        for (size_t i = 0; i < aBoards.size() && i < MOTION_MAX_DEVICES; ++i)
            pnDevNo[i] = aBoards[i].nDevNo;
        *pnExtra = 0;
        model.m_bLoaded = true;
        return 0;
    }, AsOut(pnCount), AsOut(pnDevNo), AsOut(pnExtra));
}

int ZELV_CALL GnUnloadDevice(void)
{
    return Run("GnUnloadDevice", [&](CSimModel& model, double) {
        model.m_bLoaded = false;
        return 0;
    });
}

int ZELV_CALL GnGetAxisMap(int nDevice, int* pnMap)
{
    return Run("GnGetAxisMap", [&](CSimModel& model, double) {
        SimBoard* pBoard = nullptr;
        if (int nResult = model.FindBoard(nDevice, &pBoard))
            return nResult;
        if (!pnMap)
            return static_cast<int>(ZELV_SIM_E_ARGUMENT);
        int nMap = 0;
        for (int a = 0; a < MAX_AXES; ++a)
            if (pBoard->aNodes[a].nType != NODE_NONE)
                nMap |= 1 << a;
        *pnMap = nMap;
        return 0;
    }, nDevice, AsOut(pnMap));
}

int ZELV_CALL GnGetNodeInfo(int nDevice, int nAxis, unsigned char* pInfo)
{
    return Run("GnGetNodeInfo", [&](CSimModel& model, double) {
        SimBoard* pBoard = nullptr;
        SimNode* pNode = nullptr;
        if (int nResult = model.FindBoard(nDevice, &pBoard))
            return nResult;
        if (int nResult = model.FindNode(nDevice, nAxis, &pNode))
            return nResult;
        if (!pInfo)
            return static_cast<int>(ZELV_SIM_E_ARGUMENT);
        FillNodeInfo(*pBoard, nAxis, *pNode, pInfo);
        // The board answers frames of its KTRB04-M2 node last asked about.
        if (pNode->nType == NODE_KTRB04)
            pBoard->nKtrb04Route = nAxis;
        return 0;
    }, nDevice, nAxis, AsOut(pInfo));
}

int ZELV_CALL GnSetServoOn(int nDevice, int nAxis, int nOn)
{
    return Run("GnSetServoOn", [&](CSimModel& model, double dNow) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            axis.SetServoOn(dNow, nOn != 0);
            return 0;
        });
    }, nDevice, nAxis, nOn);
}

int ZELV_CALL GnGetServoOn(int nDevice, int nAxis, int* pnOn)
{
    return Run("GnGetServoOn", [&](CSimModel& model, double) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (!pnOn)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pnOn = axis.ServoOn() ? 1 : 0;
            return 0;
        });
    }, nDevice, nAxis, AsOut(pnOn));
}

int ZELV_CALL GnSetAlarmRes(int nDevice, int nAxis)
{
    return Run("GnSetAlarmRes", [&](CSimModel& model, double) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            axis.ResetAlarm();
            return 0;
        });
    }, nDevice, nAxis);
}

int ZELV_CALL GnGetAlarmCode(int nDevice, int nAxis, int* pnCode)
{
    return Run("GnGetAlarmCode", [&](CSimModel& model, double) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (!pnCode)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pnCode = axis.AlarmCode();
            return 0;
        });
    }, nDevice, nAxis, AsOut(pnCode));
}

int ZELV_CALL GnResetComm(int nDevice)
{
    return Run("GnResetComm", [&](CSimModel& model, double) {
        SimBoard* pBoard = nullptr;
        if (int nResult = model.FindBoard(nDevice, &pBoard))
            return nResult;
        ++pBoard->nCommResets;
        return 0;
    }, nDevice);
}

int ZELV_CALL GnSetABSMode(int nDevice, int nAxis, int nMode)
{
    return Run("GnSetABSMode", [&](CSimModel& model, double) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (nMode != 0 && nMode != 1)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            axis.m_nAbsMode = nMode;
            return 0;
        });
    }, nDevice, nAxis, nMode);
}

int ZELV_CALL GnSetABSHome(int nDevice, int nAxis)
{
    return Run("GnSetABSHome", [&](CSimModel& model, double dNow) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            // The absolute origin is where the axis stands now.
            axis.SetCommandPulses(dNow, 0.0);
            axis.SetFeedbackPulses(dNow, 0.0);
            return 0;
        });
    }, nDevice, nAxis);
}

int ZELV_CALL GnABSUpdate(int nDevice)
{
    return Run("GnABSUpdate", [&](CSimModel& model, double) {
        SimBoard* pBoard = nullptr;
        if (int nResult = model.FindBoard(nDevice, &pBoard))
            return nResult;
        ++pBoard->nAbsUpdates;
        return 0;
    }, nDevice);
}

// ---- Servo configuration -------------------------------------------------

int ZELV_CALL CfgSetMioProperty(int nDevice, int nAxis, int nProperty, int nValue)
{
    return Run("CfgSetMioProperty", [&](CSimModel& model, double) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (nProperty < 0 || nProperty >= MIO_PROPERTY_COUNT)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            axis.Settings().anMio[nProperty] = nValue;
            UpdateServoLimitInputs(axis);
            return 0;
        });
    }, nDevice, nAxis, nProperty, nValue);
}

int ZELV_CALL CfgGetMioProperty(int nDevice, int nAxis, int nProperty, int* pnValue)
{
    return Run("CfgGetMioProperty", [&](CSimModel& model, double) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (nProperty < 0 || nProperty >= MIO_PROPERTY_COUNT || !pnValue)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pnValue = axis.Settings().anMio[nProperty];
            return 0;
        });
    }, nDevice, nAxis, nProperty, AsOut(pnValue));
}

int ZELV_CALL CfgSetUnitDist(int nDevice, int nAxis, double dValue)
{
    return Run("CfgSetUnitDist", [&](CSimModel& model, double) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (!(dValue > 0.0))
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            axis.Settings().dUnitDist = dValue;
            return 0;
        });
    }, nDevice, nAxis, dValue);
}

int ZELV_CALL CfgGetUnitDist(int nDevice, int nAxis, double* pdValue)
{
    return Run("CfgGetUnitDist", [&](CSimModel& model, double) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (!pdValue)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pdValue = axis.Settings().dUnitDist;
            return 0;
        });
    }, nDevice, nAxis, AsOut(pdValue));
}

int ZELV_CALL CfgSetUnitSpeed(int nDevice, int nAxis, double dValue)
{
    return Run("CfgSetUnitSpeed", [&](CSimModel& model, double) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (!(dValue > 0.0))
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            axis.Settings().dUnitSpeed = dValue;
            return 0;
        });
    }, nDevice, nAxis, dValue);
}

int ZELV_CALL CfgGetUnitSpeed(int nDevice, int nAxis, double* pdValue)
{
    return Run("CfgGetUnitSpeed", [&](CSimModel& model, double) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (!pdValue)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pdValue = axis.Settings().dUnitSpeed;
            return 0;
        });
    }, nDevice, nAxis, AsOut(pdValue));
}

int ZELV_CALL CfgSetSpeedPattern(int nDevice, int nAxis, int nMode, double dWork, double dAccel, double dDecel, double dInitial, double dEnd)
{
    return Run("CfgSetSpeedPattern", [&](CSimModel& model, double) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (!ValidMode(nMode) || dWork < 0.0 || dAccel < 0.0 || dDecel < 0.0 || dInitial < 0.0 || dEnd < 0.0)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            SimSettings& s = axis.Settings();
            s.nSpeedMode = nMode;
            s.dWorkSpeed = dWork;
            s.dAccel = dAccel;
            s.dDecel = dDecel;
            s.dInitSpeed = dInitial;
            s.dEndSpeed = dEnd;
            return 0;
        });
    }, nDevice, nAxis, nMode, dWork, dAccel, dDecel, dInitial, dEnd);
}

int ZELV_CALL CfgGetSpeedPattern(int nDevice, int nAxis, int* pnMode, double* pdWork, double* pdAccel, double* pdDecel, double* pdInitial, double* pdEnd)
{
    return Run("CfgGetSpeedPattern", [&](CSimModel& model, double) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (!pnMode || !pdWork || !pdAccel || !pdDecel || !pdInitial || !pdEnd)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            const SimSettings& s = axis.Settings();
            *pnMode = s.nSpeedMode;
            *pdWork = s.dWorkSpeed;
            *pdAccel = s.dAccel;
            *pdDecel = s.dDecel;
            *pdInitial = s.dInitSpeed;
            *pdEnd = s.dEndSpeed;
            return 0;
        });
    }, nDevice, nAxis, AsOut(pnMode), AsOut(pdWork), AsOut(pdAccel), AsOut(pdDecel), AsOut(pdInitial), AsOut(pdEnd));
}

int ZELV_CALL CfgSetRingCntr(int nDevice, int nAxis, int nEnable, int nMin, int nMax)
{
    return Run("CfgSetRingCntr", [&](CSimModel& model, double) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if ((nEnable != 0 && nEnable != 1) || (nEnable == 1 && nMax <= nMin))
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            axis.m_nRingEnable = nEnable;
            axis.m_nRingMin = nMin;
            axis.m_nRingMax = nMax;
            return 0;
        });
    }, nDevice, nAxis, nEnable, nMin, nMax);
}

int ZELV_CALL ServoParamRead(int nDevice, int nAxis, int nNumber, int nSize, int* pnValue)
{
    return Run("ServoParamRead", [&](CSimModel& model, double) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (nNumber < 0 || nNumber > 0xFFFF || (nSize != 1 && nSize != 2 && nSize != 4) || !pnValue)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            const auto& params = axis.Settings().mapServoParams;
            auto it = params.find(nNumber);
            const unsigned nValue = it == params.end() ? 0u : static_cast<unsigned>(it->second);
            *pnValue = nSize == 4 ? static_cast<int>(nValue) : static_cast<int>(nValue & ((1u << (8 * nSize)) - 1));
            return 0;
        });
    }, nDevice, nAxis, nNumber, nSize, AsOut(pnValue));
}

int ZELV_CALL ServoParamSet(int nDevice, int nAxis, int nNumber, int nSize, int* pnValue)
{
    return Run("ServoParamSet", [&](CSimModel& model, double) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (nNumber < 0 || nNumber > 0xFFFF || (nSize != 1 && nSize != 2 && nSize != 4) || !pnValue)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            const unsigned nValue = static_cast<unsigned>(*pnValue);
            axis.m_mapStagedParams[nNumber] = nSize == 4 ? static_cast<int>(nValue) : static_cast<int>(nValue & ((1u << (8 * nSize)) - 1));
            return 0;
        });
    }, nDevice, nAxis, nNumber, nSize, AsOut(pnValue));
}

int ZELV_CALL ServoParamValidate(int nDevice, int nAxis, int nMode)
{
    return Run("ServoParamValidate", [&](CSimModel& model, double) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (nMode != 0)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            for (const auto& param : axis.m_mapStagedParams)
                axis.Settings().mapServoParams[param.first] = param.second;
            axis.m_mapStagedParams.clear();
            UpdateServoLimitInputs(axis);
            return 0;
        });
    }, nDevice, nAxis, nMode);
}

// ---- Servo motion --------------------------------------------------------

int ZELV_CALL SxMoveStart(int nDevice, int nAxis, double dDistance)
{
    return Run("SxMoveStart", [&](CSimModel& model, double dNow) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            return axis.StartMove(dNow, ToPulses(axis, dDistance), AxisPattern(axis, true));
        });
    }, nDevice, nAxis, dDistance);
}

int ZELV_CALL SxMoveToStart(int nDevice, int nAxis, double dPosition)
{
    return Run("SxMoveToStart", [&](CSimModel& model, double dNow) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            const double dDistance = dPosition - UserPosition(axis, dNow, 0);
            return axis.StartMove(dNow, ToPulses(axis, dDistance), AxisPattern(axis, true));
        });
    }, nDevice, nAxis, dPosition);
}

int ZELV_CALL SxVMoveStart(int nDevice, int nAxis, int nDirection)
{
    return Run("SxVMoveStart", [&](CSimModel& model, double dNow) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (nDirection != 0 && nDirection != 1)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            return axis.StartJog(dNow, nDirection == 1 ? 1 : -1, AxisPattern(axis, true));
        });
    }, nDevice, nAxis, nDirection);
}

int ZELV_CALL SxStop(int nDevice, int nAxis)
{
    return Run("SxStop", [&](CSimModel& model, double dNow) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            DecelStop(axis, dNow, true);
            return 0;
        });
    }, nDevice, nAxis);
}

int ZELV_CALL SxStopEmg(int nDevice, int nAxis)
{
    return Run("SxStopEmg", [&](CSimModel& model, double dNow) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            axis.StopEmg(dNow);
            return 0;
        });
    }, nDevice, nAxis);
}

int ZELV_CALL SxIsDone(int nDevice, int nAxis, int* pnDone)
{
    return Run("SxIsDone", [&](CSimModel& model, double dNow) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (!pnDone)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pnDone = axis.IsMoving(dNow) ? 0 : 1;
            return 0;
        });
    }, nDevice, nAxis, AsOut(pnDone));
}

// ---- Servo homing --------------------------------------------------------

int ZELV_CALL HomeSetConfig(int nDevice, int nAxis, int nItem, int nValue)
{
    return Run("HomeSetConfig", [&](CSimModel& model, double) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (nItem < 0 || nItem >= HOME_CONFIG_ITEMS)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            axis.Settings().anHomeConfig[nItem] = nValue;
            return 0;
        });
    }, nDevice, nAxis, nItem, nValue);
}

int ZELV_CALL HomeGetConfig(int nDevice, int nAxis, int nItem, int* pnValue)
{
    return Run("HomeGetConfig", [&](CSimModel& model, double) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (nItem < 0 || nItem >= HOME_CONFIG_ITEMS || !pnValue)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pnValue = axis.Settings().anHomeConfig[nItem];
            return 0;
        });
    }, nDevice, nAxis, nItem, AsOut(pnValue));
}

int ZELV_CALL HomeSetOffset(int nDevice, int nAxis, double dOffset)
{
    return Run("HomeSetOffset", [&](CSimModel& model, double) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            axis.Settings().dHomeOffset = dOffset;
            return 0;
        });
    }, nDevice, nAxis, dOffset);
}

int ZELV_CALL HomeGetOffset(int nDevice, int nAxis, double* pdOffset)
{
    return Run("HomeGetOffset", [&](CSimModel& model, double) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (!pdOffset)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pdOffset = axis.Settings().dHomeOffset;
            return 0;
        });
    }, nDevice, nAxis, AsOut(pdOffset));
}

int ZELV_CALL HomeSetSpeedPattern(int nDevice, int nAxis, int nPhase, int nMode, double dWork, double dAccel, double dDecel)
{
    return Run("HomeSetSpeedPattern", [&](CSimModel& model, double) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (nPhase < 0 || nPhase >= HOME_PHASES || !ValidMode(nMode) || dWork < 0.0 || dAccel < 0.0 || dDecel < 0.0)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            SimSettings& s = axis.Settings();
            s.anHomeMode[nPhase] = nMode;
            s.adHomeWork[nPhase] = dWork;
            s.adHomeAccel[nPhase] = dAccel;
            s.adHomeDecel[nPhase] = dDecel;
            return 0;
        });
    }, nDevice, nAxis, nPhase, nMode, dWork, dAccel, dDecel);
}

int ZELV_CALL HomeGetSpeedPattern(int nDevice, int nAxis, int nPhase, int* pnMode, double* pdWork, double* pdAccel, double* pdDecel)
{
    return Run("HomeGetSpeedPattern", [&](CSimModel& model, double) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (nPhase < 0 || nPhase >= HOME_PHASES || !pnMode || !pdWork || !pdAccel || !pdDecel)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            const SimSettings& s = axis.Settings();
            *pnMode = s.anHomeMode[nPhase];
            *pdWork = s.adHomeWork[nPhase];
            *pdAccel = s.adHomeAccel[nPhase];
            *pdDecel = s.adHomeDecel[nPhase];
            return 0;
        });
    }, nDevice, nAxis, nPhase, AsOut(pnMode), AsOut(pdWork), AsOut(pdAccel), AsOut(pdDecel));
}

int ZELV_CALL HomeMoveStart(int nDevice, int nAxis)
{
    return Run("HomeMoveStart", [&](CSimModel& model, double dNow) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            return StartHome(axis, dNow, axis.Settings().anHomeConfig[0] == 3);
        });
    }, nDevice, nAxis);
}

int ZELV_CALL HomeIsBusy(int nDevice, int nAxis, int* pnBusy)
{
    return Run("HomeIsBusy", [&](CSimModel& model, double dNow) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (!pnBusy)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pnBusy = axis.IsHoming(dNow) ? 1 : 0;
            return 0;
        });
    }, nDevice, nAxis, AsOut(pnBusy));
}

int ZELV_CALL HomeGetSuccess(int nDevice, int nAxis, int* pnSuccess)
{
    return Run("HomeGetSuccess", [&](CSimModel& model, double) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (!pnSuccess)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pnSuccess = axis.HomeSuccess() ? 1 : 0;
            return 0;
        });
    }, nDevice, nAxis, AsOut(pnSuccess));
}

// ---- Servo status --------------------------------------------------------

int ZELV_CALL StSetPosition(int nDevice, int nAxis, int nWhich, double dValue)
{
    return Run("StSetPosition", [&](CSimModel& model, double dNow) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (nWhich != 0 && nWhich != 1)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            if (nWhich == 0)
                axis.SetCommandPulses(dNow, ToPulses(axis, dValue));
            else
                axis.SetFeedbackPulses(dNow, ToPulses(axis, dValue));
            return 0;
        });
    }, nDevice, nAxis, nWhich, dValue);
}

int ZELV_CALL StGetPosition(int nDevice, int nAxis, int nWhich, double* pdValue)
{
    return Run("StGetPosition", [&](CSimModel& model, double dNow) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if ((nWhich != 0 && nWhich != 1) || !pdValue)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pdValue = UserPosition(axis, dNow, nWhich);
            return 0;
        });
    }, nDevice, nAxis, nWhich, AsOut(pdValue));
}

int ZELV_CALL StGetSpeed(int nDevice, int nAxis, int nWhich, double* pdValue)
{
    return Run("StGetSpeed", [&](CSimModel& model, double dNow) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if ((nWhich != 0 && nWhich != 1) || !pdValue)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pdValue = UserSpeed(axis, dNow, nWhich);
            return 0;
        });
    }, nDevice, nAxis, nWhich, AsOut(pdValue));
}

int ZELV_CALL StSxReadMotionState(int nDevice, int nAxis, int* pnState)
{
    return Run("StSxReadMotionState", [&](CSimModel& model, double dNow) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (!pnState)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pnState = MotionState(axis, dNow);
            return 0;
        });
    }, nDevice, nAxis, AsOut(pnState));
}

int ZELV_CALL StReadMioStatuses(int nDevice, int nAxis, int* pnBits)
{
    return Run("StReadMioStatuses", [&](CSimModel& model, double dNow) {
        return OnServo(model, nDevice, nAxis, [&](CSimAxis& axis) {
            if (!pnBits)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pnBits = ServoMioBits(axis, dNow);
            return 0;
        });
    }, nDevice, nAxis, AsOut(pnBits));
}

// ---- I/O Kestraline ------------------------------------------------------

int ZELV_CALL PmGnSetServoOn(int nDevice, int nAxis, int nChannel, int nOn)
{
    return Run("PmGnSetServoOn", [&](CSimModel& model, double dNow) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            axis.SetServoOn(dNow, nOn != 0);
            return 0;
        });
    }, nDevice, nAxis, nChannel, nOn);
}

int ZELV_CALL PmGnGetServoOn(int nDevice, int nAxis, int nChannel, int* pnOn)
{
    return Run("PmGnGetServoOn", [&](CSimModel& model, double) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if (!pnOn)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pnOn = axis.ServoOn() ? 1 : 0;
            return 0;
        });
    }, nDevice, nAxis, nChannel, AsOut(pnOn));
}

int ZELV_CALL PmGnAlarmReset(int nDevice, int nAxis, int nChannel, int nReset)
{
    return Run("PmGnAlarmReset", [&](CSimModel& model, double) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            // The reset output clears the alarm while it is asserted.
            if (nReset != 0)
                axis.ResetAlarm();
            return 0;
        });
    }, nDevice, nAxis, nChannel, nReset);
}

int ZELV_CALL PmCfgSetMioProperty(int nDevice, int nAxis, int nChannel, int nProperty, int nValue)
{
    return Run("PmCfgSetMioProperty", [&](CSimModel& model, double) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if (nProperty < 0 || nProperty >= MIO_PROPERTY_COUNT)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            axis.Settings().anMio[nProperty] = nValue;
            return 0;
        });
    }, nDevice, nAxis, nChannel, nProperty, nValue);
}

int ZELV_CALL PmCfgGetMioProperty(int nDevice, int nAxis, int nChannel, int nProperty, int* pnValue)
{
    return Run("PmCfgGetMioProperty", [&](CSimModel& model, double) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if (nProperty < 0 || nProperty >= MIO_PROPERTY_COUNT || !pnValue)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pnValue = axis.Settings().anMio[nProperty];
            return 0;
        });
    }, nDevice, nAxis, nChannel, nProperty, AsOut(pnValue));
}

int ZELV_CALL PmCfgSetInMode(int nDevice, int nAxis, int nChannel, int nMode, int nExtra)
{
    return Run("PmCfgSetInMode", [&](CSimModel& model, double) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if (nMode < 0 || nMode > 4)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            axis.Settings().nInMode = nMode;
            axis.Settings().nInModeExtra = nExtra;
            return 0;
        });
    }, nDevice, nAxis, nChannel, nMode, nExtra);
}

int ZELV_CALL PmCfgGetInMode(int nDevice, int nAxis, int nChannel, int* pnMode, int* pnExtra)
{
    return Run("PmCfgGetInMode", [&](CSimModel& model, double) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if (!pnMode || !pnExtra)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pnMode = axis.Settings().nInMode;
            *pnExtra = axis.Settings().nInModeExtra;
            return 0;
        });
    }, nDevice, nAxis, nChannel, AsOut(pnMode), AsOut(pnExtra));
}

int ZELV_CALL PmCfgSetOutMode(int nDevice, int nAxis, int nChannel, int nMode)
{
    return Run("PmCfgSetOutMode", [&](CSimModel& model, double) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if (nMode < 0 || nMode > 5)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            axis.Settings().nOutMode = nMode;
            return 0;
        });
    }, nDevice, nAxis, nChannel, nMode);
}

int ZELV_CALL PmCfgGetOutMode(int nDevice, int nAxis, int nChannel, int* pnMode)
{
    return Run("PmCfgGetOutMode", [&](CSimModel& model, double) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if (!pnMode)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pnMode = axis.Settings().nOutMode;
            return 0;
        });
    }, nDevice, nAxis, nChannel, AsOut(pnMode));
}

int ZELV_CALL PmCfgSetUnitDist(int nDevice, int nAxis, int nChannel, double dValue)
{
    return Run("PmCfgSetUnitDist", [&](CSimModel& model, double) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if (!(dValue > 0.0))
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            axis.Settings().dUnitDist = dValue;
            return 0;
        });
    }, nDevice, nAxis, nChannel, dValue);
}

int ZELV_CALL PmCfgGetUnitDist(int nDevice, int nAxis, int nChannel, double* pdValue)
{
    return Run("PmCfgGetUnitDist", [&](CSimModel& model, double) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if (!pdValue)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pdValue = axis.Settings().dUnitDist;
            return 0;
        });
    }, nDevice, nAxis, nChannel, AsOut(pdValue));
}

int ZELV_CALL PmCfgSetUnitSpeed(int nDevice, int nAxis, int nChannel, double dValue)
{
    return Run("PmCfgSetUnitSpeed", [&](CSimModel& model, double) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if (!(dValue > 0.0))
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            axis.Settings().dUnitSpeed = dValue;
            return 0;
        });
    }, nDevice, nAxis, nChannel, dValue);
}

int ZELV_CALL PmCfgGetUnitSpeed(int nDevice, int nAxis, int nChannel, double* pdValue)
{
    return Run("PmCfgGetUnitSpeed", [&](CSimModel& model, double) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if (!pdValue)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pdValue = axis.Settings().dUnitSpeed;
            return 0;
        });
    }, nDevice, nAxis, nChannel, AsOut(pdValue));
}

int ZELV_CALL PmCfgSetSpeedPattern(int nDevice, int nAxis, int nChannel, int nMode, double dWork, double dAccel, double dDecel)
{
    return Run("PmCfgSetSpeedPattern", [&](CSimModel& model, double) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if (!ValidMode(nMode) || dWork < 0.0 || dAccel < 0.0 || dDecel < 0.0)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            SimSettings& s = axis.Settings();
            s.nSpeedMode = nMode;
            s.dWorkSpeed = dWork;
            s.dAccel = dAccel;
            s.dDecel = dDecel;
            return 0;
        });
    }, nDevice, nAxis, nChannel, nMode, dWork, dAccel, dDecel);
}

int ZELV_CALL PmCfgGetSpeedPattern(int nDevice, int nAxis, int nChannel, int* pnMode, double* pdWork, double* pdAccel, double* pdDecel)
{
    return Run("PmCfgGetSpeedPattern", [&](CSimModel& model, double) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if (!pnMode || !pdWork || !pdAccel || !pdDecel)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            const SimSettings& s = axis.Settings();
            *pnMode = s.nSpeedMode;
            *pdWork = s.dWorkSpeed;
            *pdAccel = s.dAccel;
            *pdDecel = s.dDecel;
            return 0;
        });
    }, nDevice, nAxis, nChannel, AsOut(pnMode), AsOut(pdWork), AsOut(pdAccel), AsOut(pdDecel));
}

int ZELV_CALL PmHomeSetConfig(int nDevice, int nAxis, int nChannel, int nMode, int nDirection, int nEzCount, int nEscapeDist, double dOffset)
{
    return Run("PmHomeSetConfig", [&](CSimModel& model, double) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            const bool bMode = nMode == 0 || nMode == 1 || nMode == 2 || nMode == 6 || nMode == 7;
            if (!bMode || (nDirection != 0 && nDirection != 1) || nEzCount < 0 || nEscapeDist < 0)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            SimSettings& s = axis.Settings();
            s.anHomeConfig[0] = nMode;
            s.anHomeConfig[1] = nDirection;
            s.nHomeEzCount = nEzCount;
            s.nHomeEscape = nEscapeDist;
            s.dHomeOffset = dOffset;
            return 0;
        });
    }, nDevice, nAxis, nChannel, nMode, nDirection, nEzCount, nEscapeDist, dOffset);
}

int ZELV_CALL PmHomeGetConfig(int nDevice, int nAxis, int nChannel, int* pnMode, int* pnDirection, int* pnEzCount, int* pnEscapeDist, double* pdOffset)
{
    return Run("PmHomeGetConfig", [&](CSimModel& model, double) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if (!pnMode || !pnDirection || !pnEzCount || !pnEscapeDist || !pdOffset)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            const SimSettings& s = axis.Settings();
            *pnMode = s.anHomeConfig[0];
            *pnDirection = s.anHomeConfig[1];
            *pnEzCount = s.nHomeEzCount;
            *pnEscapeDist = s.nHomeEscape;
            *pdOffset = s.dHomeOffset;
            return 0;
        });
    }, nDevice, nAxis, nChannel, AsOut(pnMode), AsOut(pnDirection), AsOut(pnEzCount), AsOut(pnEscapeDist), AsOut(pdOffset));
}

int ZELV_CALL PmHomeSetPosClrMode(int nDevice, int nAxis, int nChannel, int nMode)
{
    return Run("PmHomeSetPosClrMode", [&](CSimModel& model, double) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if (nMode < 0 || nMode > 2)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            axis.Settings().nPosClrMode = nMode;
            return 0;
        });
    }, nDevice, nAxis, nChannel, nMode);
}

int ZELV_CALL PmHomeGetPosClrMode(int nDevice, int nAxis, int nChannel, int* pnMode)
{
    return Run("PmHomeGetPosClrMode", [&](CSimModel& model, double) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if (!pnMode)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pnMode = axis.Settings().nPosClrMode;
            return 0;
        });
    }, nDevice, nAxis, nChannel, AsOut(pnMode));
}

int ZELV_CALL PmHomeSetSpeedPattern(int nDevice, int nAxis, int nChannel, int nMode, double dWork, double dAccel, double dDecel, double dReverse)
{
    return Run("PmHomeSetSpeedPattern", [&](CSimModel& model, double) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if (!ValidMode(nMode) || dWork < 0.0 || dAccel < 0.0 || dDecel < 0.0 || dReverse < 0.0)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            SimSettings& s = axis.Settings();
            s.anHomeMode[0] = nMode;
            s.adHomeWork[0] = dWork;
            s.adHomeAccel[0] = dAccel;
            s.adHomeDecel[0] = dDecel;
            s.dHomeReverse = dReverse;
            return 0;
        });
    }, nDevice, nAxis, nChannel, nMode, dWork, dAccel, dDecel, dReverse);
}

int ZELV_CALL PmHomeGetSpeedPattern(int nDevice, int nAxis, int nChannel, int* pnMode, double* pdWork, double* pdAccel, double* pdDecel, double* pdReverse)
{
    return Run("PmHomeGetSpeedPattern", [&](CSimModel& model, double) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if (!pnMode || !pdWork || !pdAccel || !pdDecel || !pdReverse)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            const SimSettings& s = axis.Settings();
            *pnMode = s.anHomeMode[0];
            *pdWork = s.adHomeWork[0];
            *pdAccel = s.adHomeAccel[0];
            *pdDecel = s.adHomeDecel[0];
            *pdReverse = s.dHomeReverse;
            return 0;
        });
    }, nDevice, nAxis, nChannel, AsOut(pnMode), AsOut(pdWork), AsOut(pdAccel), AsOut(pdDecel), AsOut(pdReverse));
}

int ZELV_CALL PmHomeMoveStart(int nDevice, int nAxis, int nChannel)
{
    return Run("PmHomeMoveStart", [&](CSimModel& model, double dNow) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            const int nMode = axis.Settings().anHomeConfig[0];
            return StartHome(axis, dNow, nMode == 6 || nMode == 7);
        });
    }, nDevice, nAxis, nChannel);
}

int ZELV_CALL PmHomeGetSuccess(int nDevice, int nAxis, int nChannel, int* pnSuccess)
{
    return Run("PmHomeGetSuccess", [&](CSimModel& model, double) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if (!pnSuccess)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pnSuccess = axis.HomeSuccess() ? 1 : 0;
            return 0;
        });
    }, nDevice, nAxis, nChannel, AsOut(pnSuccess));
}

int ZELV_CALL PmSxMoveStart(int nDevice, int nAxis, int nChannel, double dDistance)
{
    return Run("PmSxMoveStart", [&](CSimModel& model, double dNow) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            return axis.StartMove(dNow, ToPulses(axis, dDistance), AxisPattern(axis, false));
        });
    }, nDevice, nAxis, nChannel, dDistance);
}

int ZELV_CALL PmSxMoveToStart(int nDevice, int nAxis, int nChannel, double dPosition)
{
    return Run("PmSxMoveToStart", [&](CSimModel& model, double dNow) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            const double dDistance = dPosition - UserPosition(axis, dNow, 0);
            return axis.StartMove(dNow, ToPulses(axis, dDistance), AxisPattern(axis, false));
        });
    }, nDevice, nAxis, nChannel, dPosition);
}

int ZELV_CALL PmSxVMoveStart(int nDevice, int nAxis, int nChannel, int nDirection)
{
    return Run("PmSxVMoveStart", [&](CSimModel& model, double dNow) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if (nDirection != 0 && nDirection != 1)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            return axis.StartJog(dNow, nDirection == 1 ? 1 : -1, AxisPattern(axis, false));
        });
    }, nDevice, nAxis, nChannel, nDirection);
}

int ZELV_CALL PmSxStop(int nDevice, int nAxis, int nChannel, int nMode)
{
    return Run("PmSxStop", [&](CSimModel& model, double dNow) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            // Mode 0 decelerates with the channel's pattern, 1 stops at once.
            if (nMode != 0 && nMode != 1)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            if (nMode == 1)
                axis.StopEmg(dNow);
            else
                DecelStop(axis, dNow, false);
            return 0;
        });
    }, nDevice, nAxis, nChannel, nMode);
}

int ZELV_CALL PmSxStopEmg(int nDevice, int nAxis, int nChannel)
{
    return Run("PmSxStopEmg", [&](CSimModel& model, double dNow) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            axis.StopEmg(dNow);
            return 0;
        });
    }, nDevice, nAxis, nChannel);
}

int ZELV_CALL PmSxIsDone(int nDevice, int nAxis, int nChannel, int* pnDone)
{
    return Run("PmSxIsDone", [&](CSimModel& model, double dNow) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if (!pnDone)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pnDone = axis.IsMoving(dNow) ? 0 : 1;
            return 0;
        });
    }, nDevice, nAxis, nChannel, AsOut(pnDone));
}

int ZELV_CALL PmStSetPosition(int nDevice, int nAxis, int nChannel, int nWhich, double dValue)
{
    return Run("PmStSetPosition", [&](CSimModel& model, double dNow) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if (nWhich != 0 && nWhich != 1)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            if (nWhich == 0)
                axis.SetCommandPulses(dNow, ToPulses(axis, dValue));
            else
                axis.SetFeedbackPulses(dNow, ToPulses(axis, dValue));
            return 0;
        });
    }, nDevice, nAxis, nChannel, nWhich, dValue);
}

int ZELV_CALL PmStGetPosition(int nDevice, int nAxis, int nChannel, int nWhich, double* pdValue)
{
    return Run("PmStGetPosition", [&](CSimModel& model, double dNow) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if ((nWhich != 0 && nWhich != 1) || !pdValue)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pdValue = UserPosition(axis, dNow, nWhich);
            return 0;
        });
    }, nDevice, nAxis, nChannel, nWhich, AsOut(pdValue));
}

int ZELV_CALL PmStGetSpeed(int nDevice, int nAxis, int nChannel, int nWhich, double* pdValue)
{
    return Run("PmStGetSpeed", [&](CSimModel& model, double dNow) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if ((nWhich != 0 && nWhich != 1) || !pdValue)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pdValue = UserSpeed(axis, dNow, nWhich);
            return 0;
        });
    }, nDevice, nAxis, nChannel, nWhich, AsOut(pdValue));
}

int ZELV_CALL PmStReadMotionState(int nDevice, int nAxis, int nChannel, int* pnState)
{
    return Run("PmStReadMotionState", [&](CSimModel& model, double dNow) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if (!pnState)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pnState = PmMotionState(axis, dNow);
            return 0;
        });
    }, nDevice, nAxis, nChannel, AsOut(pnState));
}

int ZELV_CALL PmStReadMIOStatus(int nDevice, int nAxis, int nChannel, int* pnBits)
{
    return Run("PmStReadMIOStatus", [&](CSimModel& model, double dNow) {
        return OnPulse(model, nDevice, nAxis, nChannel, [&](CSimAxis& axis) {
            if (!pnBits)
                return static_cast<int>(ZELV_SIM_E_ARGUMENT);
            *pnBits = PmMioBits(axis, dNow);
            return 0;
        });
    }, nDevice, nAxis, nChannel, AsOut(pnBits));
}

// ---- KTRB04-M2 exchange --------------------------------------------------

int ZELV_CALL AdvDataRW(int nDevice, int nCommand, int nStation, void* pFrame, void* pResponse)
{
    return Run("AdvDataRW", [&](CSimModel& model, double dNow) {
        SimBoard* pBoard = nullptr;
        if (int nResult = model.FindBoard(nDevice, &pBoard))
            return nResult;
        if (nCommand != MOTION_ADV_KTRB04_COMMAND || !pFrame || !pResponse)
            return static_cast<int>(ZELV_SIM_E_FRAME);
        // Station 0 is the board's current KTRB04-M2 node; 1..30 name axis 0..29.
        const int nAxis = nStation == 0 ? pBoard->nKtrb04Route : nStation - 1;
        if (nAxis < 0 || nAxis >= MAX_AXES || pBoard->aNodes[nAxis].nType != NODE_KTRB04)
            return static_cast<int>(ZELV_SIM_E_NO_ROUTE);
        return Ktrb04Exchange(pBoard->aNodes[nAxis], dNow, static_cast<const uint8_t*>(pFrame), static_cast<uint8_t*>(pResponse));
    }, nDevice, nCommand, nStation, Frame{pFrame}, AsOut(pResponse));
}

// ---- Entry points the simulator does not model ---------------------------

#define SIM_DEFINE_UNTYPED(name) \
    int ZELV_CALL name(void) \
    { \
        return Run(#name, [](CSimModel&, double) { return static_cast<int>(ZELV_SIM_E_NOT_SIMULATED); }); \
    }
#define SIM_SKIP_TYPED(name, params)
MOTION_ENTRY_POINTS(SIM_SKIP_TYPED, SIM_DEFINE_UNTYPED)
#undef SIM_DEFINE_UNTYPED
#undef SIM_SKIP_TYPED
