// Device, axis and channel selection: the node at the selected axis decides
// which controls the panel shows, enables and fills, and the node's settings
// are read back into it.
#include "ui/viruvede_dlg.h"

#include <cwchar>

#include "motion/did_ktrb04.h"
#include "motion/motion_library.h"

namespace {

const DWORD KTRB04_STEP_PAUSE_MS = 10;
const int KTRB04_ENTRY = 1;
const int MAX_AXIS_BITS = 32;

// Servo parameters that mark a limit input as wired off.
const int SERVO_PARAM_EL_PLUS = 0x50A;
const int SERVO_PARAM_EL_MINUS = 0x50B;
const int EL_PLUS_DISABLED = 0x8881;
const int EL_MINUS_DISABLED = 0x8888;
const int SERVO_PARAM_SIZE = 2;
const int EL_DISABLE_ITEM = 2; // "-1 : Disable"

const int SERVO_HOME_MODE_EL = 3;
const int SERVO_HOME_ITEM_ORG = 0;
const int SERVO_HOME_ITEM_EL = 1;

// One control of a layout: shown or hidden, enabled or disabled, or left.
enum : signed char { KEEP = -1, OFF = 0, ON = 1 };

struct LAYOUT_ROW {
    int nId;
    signed char nVisible;
    signed char nEnabled;
};

struct LAYOUT_TEXT {
    int nId;
    const wchar_t* pszText;
};

template <size_t N>
void ApplyRows(HWND hDlg, const LAYOUT_ROW (&aRows)[N])
{
    for (const LAYOUT_ROW& row : aRows) {
        HWND hItem = ::GetDlgItem(hDlg, row.nId);
        if (row.nVisible != KEEP)
            ::ShowWindow(hItem, row.nVisible == ON ? SW_SHOW : SW_HIDE);
        if (row.nEnabled != KEEP)
            ::EnableWindow(hItem, row.nEnabled == ON);
    }
}

template <size_t N>
void ApplyTexts(HWND hDlg, const LAYOUT_TEXT (&aTexts)[N])
{
    for (const LAYOUT_TEXT& text : aTexts)
        ::SetDlgItemTextW(hDlg, text.nId, text.pszText);
}

template <size_t N>
void FillBox(CComboBox& cbBox, const wchar_t* const (&apszItems)[N])
{
    cbBox.ResetContent();
    for (const wchar_t* pszItem : apszItems)
        cbBox.AddString(pszItem);
}

// ---- Layout common to a node type ----------------------------------------

// The controls that only a servo node uses, and the pulse-node ones in their
// place: servo first, every other node type second.
const LAYOUT_ROW s_aServoCommon[] = {
    { IDC_INIT_SPEED, KEEP, ON }, { IDC_END_SPEED, KEEP, ON },
    { IDC_EL_PLUS_LOGIC, KEEP, ON }, { IDC_EL_MINUS_LOGIC, ON, KEEP }, { IDC_EL_LOGIC, OFF, KEEP },
    { IDC_EZ_LOGIC, KEEP, OFF }, { IDC_INP_LOGIC, KEEP, OFF }, { IDC_ALM_LOGIC, KEEP, OFF },
    { IDC_ALARM_STOP_MODE, KEEP, OFF },
    { IDC_SVON_MODE, KEEP, ON },
    { IDC_CMD_PULSE_MODE, KEEP, OFF }, { IDC_FB_PULSE_MODE, KEEP, OFF },
    { IDC_ESCAPE_DIST, KEEP, OFF }, { IDC_EZ_COUNT, KEEP, OFF },
    { IDC_HOME_SPEED_MODE2, KEEP, ON }, { IDC_HOME_VEL2, KEEP, ON }, { IDC_HOME_ACCEL2, KEEP, ON }, { IDC_HOME_DECEL2, KEEP, ON },
    { IDC_HOME_SPEED_MODE3, KEEP, ON }, { IDC_HOME_VEL3, KEEP, ON }, { IDC_HOME_ACCEL3, KEEP, ON }, { IDC_HOME_DECEL3, KEEP, ON },
};

const LAYOUT_ROW s_aOtherCommon[] = {
    { IDC_INIT_SPEED, KEEP, OFF }, { IDC_END_SPEED, KEEP, OFF },
    { IDC_EL_PLUS_LOGIC, KEEP, OFF }, { IDC_EL_MINUS_LOGIC, OFF, KEEP }, { IDC_EL_LOGIC, ON, KEEP },
    { IDC_EZ_LOGIC, KEEP, ON }, { IDC_INP_LOGIC, KEEP, ON }, { IDC_ALM_LOGIC, KEEP, ON },
    { IDC_ALARM_STOP_MODE, KEEP, ON },
    { IDC_SVON_MODE, KEEP, OFF },
    { IDC_CMD_PULSE_MODE, KEEP, ON }, { IDC_FB_PULSE_MODE, KEEP, ON },
    { IDC_ESCAPE_DIST, KEEP, ON }, { IDC_EZ_COUNT, KEEP, ON },
    { IDC_HOME_SPEED_MODE2, KEEP, OFF }, { IDC_HOME_VEL2, KEEP, OFF }, { IDC_HOME_ACCEL2, KEEP, OFF }, { IDC_HOME_DECEL2, KEEP, OFF },
    { IDC_HOME_SPEED_MODE3, KEEP, OFF }, { IDC_HOME_VEL3, KEEP, OFF }, { IDC_HOME_ACCEL3, KEEP, OFF }, { IDC_HOME_DECEL3, KEEP, OFF },
};

// Captions of the two limit-logic labels per known node type.
const LAYOUT_TEXT s_aLimitCaptions[][2] = {
    { { IDC_EL_MINUS_LOGIC_LABEL, L"NEL Logic" }, { IDC_EL_PLUS_LOGIC_LABEL, L"PEL Logic" } }, // servo
    { { IDC_EL_MINUS_LOGIC_LABEL, L"EL Logic" }, { IDC_EL_PLUS_LOGIC_LABEL, L"-" } },          // I/O Kestraline
    { { IDC_EL_MINUS_LOGIC_LABEL, L"EL Logic" }, { IDC_EL_PLUS_LOGIC_LABEL, L"-" } },          // KTRB04-M2
};

// Text of 1053 per known node type.
const wchar_t* const s_apszNodeTypeText[] = { L"Servo", L"I/O Kestraline", L"KTRB04-M2" };

// ---- Servo node -----------------------------------------------------------

const LAYOUT_ROW s_aServoLayout[] = {
    { IDC_SPEED_MODE, KEEP, ON }, { IDC_INIT_SPEED, KEEP, ON }, { IDC_END_SPEED, KEEP, ON },
    { IDC_UNIT_DIST, KEEP, ON }, { IDC_UNIT_SPEED, KEEP, ON },
    { IDC_EL_LOGIC, OFF, KEEP }, { IDC_EL_MINUS_LOGIC, ON, ON }, { IDC_EL_PLUS_LOGIC, ON, ON },
    { IDC_EZ_LOGIC, KEEP, ON }, { IDC_INP_LOGIC, KEEP, ON },
    { IDC_ALM_LOGIC, KEEP, OFF }, { IDC_IN_POSITION, KEEP, OFF }, { IDC_ALARM_STOP_MODE, KEEP, OFF },
    { IDC_CMD_PULSE_MODE, OFF, OFF }, { IDC_MASTER_AXIS, OFF, OFF },
    { IDC_FB_PULSE_MODE, OFF, OFF }, { IDC_POS_CLR_MODE, KEEP, OFF }, { IDC_ESCAPE_DIST, KEEP, OFF },
    { IDC_EZ_COUNT, KEEP, OFF }, { IDC_HOME_SPEED_MODE1, KEEP, ON }, { IDC_REVERSE_VEL, KEEP, OFF },
    { IDC_HOME_SPEED_MODE2, KEEP, ON }, { IDC_HOME_VEL2, KEEP, ON }, { IDC_HOME_ACCEL2, KEEP, ON }, { IDC_HOME_DECEL2, KEEP, ON },
    { IDC_HOME_SPEED_MODE3, KEEP, ON }, { IDC_HOME_VEL3, KEEP, ON }, { IDC_HOME_ACCEL3, KEEP, ON }, { IDC_HOME_DECEL3, KEEP, ON },
    { IDC_SET_UNIT_CONFIG, KEEP, ON },
    { IDC_CMD_PULSE_MODE_LABEL, OFF, KEEP }, { IDC_SVON_MODE, ON, ON }, { IDC_SVON_MODE_LABEL, KEEP, ON },
    { IDC_FB_PULSE_MODE_LABEL, OFF, KEEP }, { IDC_GROUP_APPLY, OFF, KEEP }, { IDC_GROUP_RELEASE, OFF, KEEP },
    { IDC_CHANNEL, KEEP, OFF },
};

const LAYOUT_TEXT s_aServoTexts[] = { { IDC_PULSE_MODE_GROUP, L"SVON Mode" } };

const wchar_t* const s_apszServoHomeModes[] = { L"1 : ORG Homing", L"3 : EL Homing" };

// A limit input whose servo parameter holds its disable value shows
// "-1 : Disable"; otherwise its MIO property tells the logic.
struct SERVO_LIMIT_READ {
    int nParam;
    int nDisabled;
    int nProperty;
    CComboBox CViRuvedeDlg::*pBox;
};

const SERVO_LIMIT_READ s_aServoLimits[] = {
    { SERVO_PARAM_EL_MINUS, EL_MINUS_DISABLED, 1, &CViRuvedeDlg::m_cbElMinusLogic },
    { SERVO_PARAM_EL_PLUS, EL_PLUS_DISABLED, 0, &CViRuvedeDlg::m_cbElPlusLogic },
};

// MIO properties shown as the selected item of a box, in reading order.
struct MIO_READ {
    int nProperty;
    CComboBox CViRuvedeDlg::*pBox;
};

const MIO_READ s_aServoProperties[] = {
    { 2, &CViRuvedeDlg::m_cbOrgLogic },
    { 3, &CViRuvedeDlg::m_cbElMode },
    { 4, &CViRuvedeDlg::m_cbInPosition },
    { 6, &CViRuvedeDlg::m_cbSvonMode },
};

// ---- Empty axis ------------------------------------------------------------

const LAYOUT_ROW s_aEmptyLayout[] = {
    { IDC_CHANNEL, KEEP, OFF },
    { IDC_CMD_PULSE_MODE_LABEL, OFF, KEEP }, { IDC_SVON_MODE, ON, KEEP }, { IDC_CMD_PULSE_MODE, OFF, KEEP },
    { IDC_MASTER_AXIS, OFF, KEEP }, { IDC_FB_PULSE_MODE_LABEL, OFF, KEEP }, { IDC_FB_PULSE_MODE, OFF, KEEP },
    { IDC_GROUP_APPLY, OFF, KEEP }, { IDC_GROUP_RELEASE, OFF, KEEP },
};

const LAYOUT_TEXT s_aEmptyTexts[] = {
    { IDC_NODE_TYPE, L"Empty Node" },
    { IDC_PULSE_MODE_GROUP, L"SVON Mode" },
};

const int s_anReadouts[] = { IDC_COMMAND_POSITION, IDC_FEEDBACK_POSITION, IDC_COMMAND_SPEED, IDC_FEEDBACK_SPEED };
const int CLEARED_LAMPS = LAMP_SERVO; // lamps 0..6; the servo lamp keeps its state

// ---- I/O Kestraline channel -------------------------------------------------

const LAYOUT_ROW s_aKestralineLayout[] = {
    { IDC_SPEED_MODE, KEEP, ON }, { IDC_INIT_SPEED, KEEP, ON }, { IDC_END_SPEED, KEEP, ON },
    { IDC_UNIT_DIST, KEEP, ON }, { IDC_UNIT_SPEED, KEEP, ON },
    { IDC_EL_LOGIC, ON, KEEP }, { IDC_EL_MINUS_LOGIC, OFF, OFF }, { IDC_EL_PLUS_LOGIC, OFF, OFF },
    { IDC_EZ_LOGIC, KEEP, ON }, { IDC_INP_LOGIC, KEEP, ON }, { IDC_ALM_LOGIC, KEEP, ON },
    { IDC_IN_POSITION, KEEP, ON }, { IDC_ALARM_STOP_MODE, KEEP, ON },
    { IDC_CMD_PULSE_MODE, ON, ON }, { IDC_MASTER_AXIS, OFF, OFF },
    { IDC_FB_PULSE_MODE, ON, ON }, { IDC_POS_CLR_MODE, KEEP, ON }, { IDC_ESCAPE_DIST, KEEP, ON },
    { IDC_EZ_COUNT, KEEP, ON }, { IDC_HOME_SPEED_MODE1, KEEP, ON }, { IDC_REVERSE_VEL, KEEP, ON },
    { IDC_HOME_SPEED_MODE2, KEEP, OFF }, { IDC_HOME_VEL2, KEEP, OFF }, { IDC_HOME_ACCEL2, KEEP, OFF }, { IDC_HOME_DECEL2, KEEP, OFF },
    { IDC_HOME_SPEED_MODE3, KEEP, OFF }, { IDC_HOME_VEL3, KEEP, OFF }, { IDC_HOME_ACCEL3, KEEP, OFF }, { IDC_HOME_DECEL3, KEEP, OFF },
    { IDC_SET_UNIT_CONFIG, KEEP, ON },
    { IDC_CMD_PULSE_MODE_LABEL, ON, KEEP }, { IDC_SVON_MODE, OFF, KEEP }, { IDC_FB_PULSE_MODE_LABEL, ON, KEEP },
    { IDC_GROUP_APPLY, OFF, KEEP }, { IDC_GROUP_RELEASE, OFF, KEEP },
};

const LAYOUT_TEXT s_aKestralineTexts[] = {
    { IDC_PULSE_MODE_GROUP, L"Pulse Mode" },
    { IDC_CMD_PULSE_MODE_LABEL, L"Command Pulse Mode" },
};

const wchar_t* const s_apszKestralineHomeModes[] = {
    L"0 : ORG>Slow down>Stop",
    L"1 : ORG>Slow down>Go back>Go forward>Stop",
    L"2 : ORG>Slow down>Stop on EZ signal",
    L"6 : EL ON>Stop>Go back at Vr>EL OFF>Stop",
    L"7 : EL ON>Go back at Vr>Stop on EZ signal",
};

// Item of each home mode value; any other value shows the first item.
struct HOME_MODE_ITEM {
    int nMode;
    int nItem;
};

const HOME_MODE_ITEM s_aKestralineHomeModeItems[] = { { 1, 1 }, { 2, 2 }, { 6, 3 }, { 7, 4 } };

const wchar_t* const s_apszPosClrModes[] = {
    L"0 : HPCM_M0 (HW Clear)",
    L"1 : HPCM_M1 (SW Clear)",
    L"2 : HPCM_M2 (SW Sync)",
};

const MIO_READ s_aKestralineProperties[] = {
    { 4, &CViRuvedeDlg::m_cbElLogic },
    { 13, &CViRuvedeDlg::m_cbOrgLogic },
    { 8, &CViRuvedeDlg::m_cbEzLogic },
    { 10, &CViRuvedeDlg::m_cbInpLogic },
    { 0, &CViRuvedeDlg::m_cbAlmLogic },
    { 5, &CViRuvedeDlg::m_cbElMode },
    { 9, &CViRuvedeDlg::m_cbInPosition },
    { 1, &CViRuvedeDlg::m_cbAlarmStopMode },
};

int KestralineHomeModeItem(int nMode)
{
    for (const HOME_MODE_ITEM& item : s_aKestralineHomeModeItems)
        if (item.nMode == nMode)
            return item.nItem;
    return 0;
}

// ---- KTRB04-M2 channel -------------------------------------------------------

const LAYOUT_ROW s_aKtrb04Layout[] = {
    { IDC_SPEED_MODE, KEEP, OFF }, { IDC_INIT_SPEED, KEEP, OFF }, { IDC_END_SPEED, KEEP, OFF },
    { IDC_UNIT_DIST, KEEP, OFF }, { IDC_UNIT_SPEED, KEEP, OFF },
    { IDC_EL_LOGIC, ON, KEEP }, { IDC_EL_MINUS_LOGIC, OFF, OFF }, { IDC_EL_PLUS_LOGIC, OFF, OFF },
    { IDC_EZ_LOGIC, KEEP, OFF }, { IDC_INP_LOGIC, KEEP, OFF }, { IDC_ALM_LOGIC, KEEP, OFF },
    { IDC_IN_POSITION, KEEP, OFF }, { IDC_ALARM_STOP_MODE, KEEP, OFF },
    { IDC_CMD_PULSE_MODE, OFF, OFF }, { IDC_MASTER_AXIS, ON, ON },
    { IDC_FB_PULSE_MODE, OFF, OFF }, { IDC_POS_CLR_MODE, KEEP, OFF }, { IDC_ESCAPE_DIST, KEEP, OFF },
    { IDC_EZ_COUNT, KEEP, OFF }, { IDC_HOME_SPEED_MODE1, KEEP, OFF }, { IDC_REVERSE_VEL, KEEP, OFF },
    { IDC_HOME_SPEED_MODE2, KEEP, OFF }, { IDC_HOME_VEL2, KEEP, OFF }, { IDC_HOME_ACCEL2, KEEP, OFF }, { IDC_HOME_DECEL2, KEEP, OFF },
    { IDC_HOME_SPEED_MODE3, KEEP, OFF }, { IDC_HOME_VEL3, KEEP, OFF }, { IDC_HOME_ACCEL3, KEEP, OFF }, { IDC_HOME_DECEL3, KEEP, OFF },
    { IDC_SET_UNIT_CONFIG, KEEP, OFF },
    { IDC_CMD_PULSE_MODE_LABEL, ON, KEEP }, { IDC_SVON_MODE, OFF, KEEP }, { IDC_FB_PULSE_MODE_LABEL, OFF, KEEP },
    { IDC_GROUP_APPLY, ON, KEEP }, { IDC_GROUP_RELEASE, ON, KEEP },
};

const LAYOUT_TEXT s_aKtrb04Texts[] = {
    { IDC_PULSE_MODE_GROUP, L"Group Mode" },
    { IDC_CMD_PULSE_MODE_LABEL, L"Set Master Axis" },
};

const wchar_t* const s_apszKtrb04HomeModes[] = { L"0 : 2 Senser", L"1 : 3 Sensor" };

// A register of the channel shown in a panel value; a read that delivers
// nothing leaves the value as it was.
template <class FnRead>
void ReadRegister(FnRead fnRead, double& dValue)
{
    int nValue = 0;
    if (fnRead(&nValue) == 0)
        dValue = nValue;
}

// A register of the channel shown as the selected item of a box; a read that
// delivers nothing leaves the selection as it was.
template <class FnRead>
void ReadSelection(FnRead fnRead, CComboBox& cbBox)
{
    int nItem = cbBox.GetCurSel();
    fnRead(&nItem);
    cbBox.SetCurSel(nItem);
}

} // namespace

// ---- Device and axis -------------------------------------------------------

void CViRuvedeDlg::OnSelchangeDevice()
{
    const int nItem = m_cbDevice.GetCurSel();
    if (nItem == CB_ERR)
        return;
    // The box is sorted, so the item names its board by its data, not by its
    // position.
    m_nDevice = static_cast<int>(m_cbDevice.GetItemData(nItem));
    if (m_pKtrb04 != nullptr)
        m_pKtrb04->m_nDevNo = m_nDevice;
    OnSelchangeAxis();
}

void CViRuvedeDlg::OnSelchangeAxis()
{
    m_cbHomeMode.ResetContent();
    m_nAxis = m_cbAxis.GetCurSel();
    int nMap = 0;
    MOTION_CALL(GnGetAxisMap, m_nDevice, &nMap);
    const bool bPresent = m_nAxis >= 0 && m_nAxis < MAX_AXIS_BITS && (static_cast<unsigned>(nMap) >> m_nAxis & 1u) != 0;
    if (!bPresent) {
        ShowEmptyAxis();
        return;
    }
    unsigned char abInfo[MOTION_NODE_INFO_SIZE] = {};
    MOTION_CALL(GnGetNodeInfo, m_nDevice, m_nAxis, abInfo);
    const int nType = abInfo[MOTION_NODE_INFO_TYPE_OFFSET] | abInfo[MOTION_NODE_INFO_TYPE_OFFSET + 1] << 8;
    ApplyNodeTypeLayout(nType);
    switch (nType) {
    case NODE_KTRB04:
        ShowKtrb04Axis();
        break;
    case NODE_KESTRALINE:
        ShowKestralineAxis();
        break;
    case NODE_SERVO:
        ShowServoAxis();
        break;
    default:
        // A node type this tool does not know: common layout only.
        break;
    }
    UpdateData(FALSE);
}

void CViRuvedeDlg::ApplyNodeTypeLayout(int nType)
{
    const bool bServo = nType == NODE_SERVO;
    if (bServo)
        ApplyRows(m_hWnd, s_aServoCommon);
    else
        ApplyRows(m_hWnd, s_aOtherCommon);
    if (nType >= NODE_SERVO && nType <= NODE_KTRB04)
        ApplyTexts(m_hWnd, s_aLimitCaptions[nType]);
    if (!bServo)
        return;
    // A servo has one home speed phase of its own in use and no EZ homing.
    m_nEscapeDist = 0;
    m_nEzCount = 0;
    for (int p = 1; p < 3; ++p) {
        m_dHomeVel[p] = 0.0;
        m_dHomeAccel[p] = 0.0;
        m_dHomeDecel[p] = 0.0;
    }
}

void CViRuvedeDlg::ClearAxisPanel()
{
    for (int nId : s_anReadouts)
        SetItemText(nId, L"");
    m_dInitSpeed = 0.0;
    m_dEndSpeed = 0.0;
    m_dWorkSpeed = 0.0;
    m_dAccel = 0.0;
    m_dDecel = 0.0;
    m_dUnitDist = 0.0;
    m_dUnitSpeed = 0.0;
    m_nEscapeDist = 0;
    m_nEzCount = 0;
    for (int i = 0; i < CLEARED_LAMPS; ++i)
        SetLamp(i, 0);
    for (int p = 0; p < 3; ++p) {
        m_dHomeVel[p] = 0.0;
        m_dHomeAccel[p] = 0.0;
        m_dHomeDecel[p] = 0.0;
    }
    m_dHomeOffset = 0.0;
    UpdateData(FALSE);
}

void CViRuvedeDlg::ShowEmptyAxis()
{
    g_nNodeType = NODE_EMPTY;
    ClearAxisPanel();
    // Every other control keeps what the last present node left.
    ApplyRows(m_hWnd, s_aEmptyLayout);
    ApplyTexts(m_hWnd, s_aEmptyTexts);
}

void CViRuvedeDlg::ShowServoAxis()
{
    SetItemText(IDC_NODE_TYPE, s_apszNodeTypeText[NODE_SERVO]);
    g_nNodeType = NODE_SERVO;
    ApplyRows(m_hWnd, s_aServoLayout);
    ApplyTexts(m_hWnd, s_aServoTexts);

    MOTION_CALL(CfgGetUnitDist, m_nDevice, m_nAxis, &m_dUnitDist);
    MOTION_CALL(CfgGetUnitSpeed, m_nDevice, m_nAxis, &m_dUnitSpeed);
    FillBox(m_cbHomeMode, s_apszServoHomeModes);
    m_cbPosClrMode.ResetContent();

    int nMode = m_cbSpeedMode.GetCurSel();
    MOTION_CALL(CfgGetSpeedPattern, m_nDevice, m_nAxis, &nMode, &m_dWorkSpeed, &m_dAccel, &m_dDecel, &m_dInitSpeed, &m_dEndSpeed);
    m_cbSpeedMode.SetCurSel(nMode);

    for (const SERVO_LIMIT_READ& limit : s_aServoLimits) {
        CComboBox& cbBox = this->*limit.pBox;
        int nParam = 0;
        MOTION_CALL(ServoParamRead, m_nDevice, m_nAxis, limit.nParam, SERVO_PARAM_SIZE, &nParam);
        if (nParam == limit.nDisabled) {
            cbBox.SetCurSel(EL_DISABLE_ITEM);
            continue;
        }
        int nValue = cbBox.GetCurSel();
        MOTION_CALL(CfgGetMioProperty, m_nDevice, m_nAxis, limit.nProperty, &nValue);
        cbBox.SetCurSel(nValue);
    }
    for (const MIO_READ& read : s_aServoProperties) {
        CComboBox& cbBox = this->*read.pBox;
        int nValue = cbBox.GetCurSel();
        MOTION_CALL(CfgGetMioProperty, m_nDevice, m_nAxis, read.nProperty, &nValue);
        cbBox.SetCurSel(nValue);
    }

    int nHomeMode = 0;
    MOTION_CALL(HomeGetConfig, m_nDevice, m_nAxis, 0, &nHomeMode);
    m_cbHomeMode.SetCurSel(nHomeMode == SERVO_HOME_MODE_EL ? SERVO_HOME_ITEM_EL : SERVO_HOME_ITEM_ORG);
    int nHomeDir = m_cbHomeDir.GetCurSel();
    MOTION_CALL(HomeGetConfig, m_nDevice, m_nAxis, 1, &nHomeDir);
    m_cbHomeDir.SetCurSel(nHomeDir);
    MOTION_CALL(HomeGetOffset, m_nDevice, m_nAxis, &m_dHomeOffset);

    for (int p = 0; p < 3; ++p) {
        int nPhaseMode = m_cbHomeSpeedMode[p].GetCurSel();
        MOTION_CALL(HomeGetSpeedPattern, m_nDevice, m_nAxis, p, &nPhaseMode, &m_dHomeVel[p], &m_dHomeAccel[p], &m_dHomeDecel[p]);
        m_cbHomeSpeedMode[p].SetCurSel(nPhaseMode);
    }
}

void CViRuvedeDlg::ShowKestralineAxis()
{
    SetItemText(IDC_NODE_TYPE, s_apszNodeTypeText[NODE_KESTRALINE]);
    g_nNodeType = NODE_KESTRALINE;
    // The Channel box keeps its items: the template's "0" and "1", or what a
    // KTRB04-M2 node put there.
    EnableItem(IDC_CHANNEL, TRUE);
    FillBox(m_cbPosClrMode, s_apszPosClrModes);
    EnableItem(IDC_POS_CLR_MODE, TRUE);
    m_cbPosClrMode.SetCurSel(0);
    OnSelchangeChannel();
    EnableItem(IDC_SVON_MODE_LABEL, FALSE);
    EnableItem(IDC_SVON_MODE, FALSE);
}

void CViRuvedeDlg::ShowKtrb04Axis()
{
    SetItemText(IDC_NODE_TYPE, s_apszNodeTypeText[NODE_KTRB04]);
    g_nNodeType = NODE_KTRB04;
    EnableItem(IDC_CHANNEL, TRUE);
    m_cbPosClrMode.ResetContent();
    EnableItem(IDC_POS_CLR_MODE, FALSE);

    int nMask = 0;
    if (m_pKtrb04 != nullptr) {
        m_pKtrb04->QueryChannelMask(0, 0);
        ::Sleep(KTRB04_STEP_PAUSE_MS);
        nMask = m_pKtrb04->m_nChannelMask;
    }
    m_cbChannel.ResetContent();
    int nCount = 0;
    for (int i = 0; i < KTRB04_CHANNELS; ++i) {
        if ((nMask >> i & 1) == 0)
            continue;
        m_cbChannel.AddString(FormatText("%d", i).c_str());
        m_nGroupChannel[nCount++] = i;
    }
    if (nCount == 0)
        return; // no channel: the channel panel is not set up
    m_cbChannel.SetCurSel(0);
    OnSelchangeChannel();
}

// ---- Channel ---------------------------------------------------------------

int CViRuvedeDlg::SelectedChannel() const
{
    const int nItem = m_cbChannel.GetCurSel();
    if (nItem == CB_ERR)
        return CB_ERR;
    // Items show the channel's own number; a KTRB04-M2 node may leave gaps
    // ("0", "2"), so the position is not the channel.
    const std::wstring strItem = m_cbChannel.GetLBText(nItem);
    wchar_t* pszEnd = nullptr;
    const long nChannel = std::wcstol(strItem.c_str(), &pszEnd, 10);
    if (pszEnd == strItem.c_str())
        return nItem;
    return static_cast<int>(nChannel);
}

void CViRuvedeDlg::OnSelchangeChannel()
{
    m_nChannel = SelectedChannel();
    if (g_nNodeType == NODE_KTRB04)
        ShowKtrb04Channel();
    else if (g_nNodeType == NODE_KESTRALINE)
        ShowKestralineChannel();
    UpdateData(FALSE);
}

void CViRuvedeDlg::ShowKestralineChannel()
{
    const int nDev = m_nDevice;
    const int nAx = m_nAxis;
    const int nCh = m_nChannel;
    ApplyRows(m_hWnd, s_aKestralineLayout);
    ApplyTexts(m_hWnd, s_aKestralineTexts);

    MOTION_CALL(PmCfgGetUnitDist, nDev, nAx, nCh, &m_dUnitDist);
    MOTION_CALL(PmCfgGetUnitSpeed, nDev, nAx, nCh, &m_dUnitSpeed);
    FillBox(m_cbHomeMode, s_apszKestralineHomeModes);

    int nMode = m_cbSpeedMode.GetCurSel();
    MOTION_CALL(PmCfgGetSpeedPattern, nDev, nAx, nCh, &nMode, &m_dWorkSpeed, &m_dAccel, &m_dDecel);
    m_cbSpeedMode.SetCurSel(nMode);

    // The two counts are exchanged as long; the library writes int.
    int nEzCount = static_cast<int>(m_nEzCount);
    int nEscapeDist = static_cast<int>(m_nEscapeDist);
    MOTION_CALL(PmHomeGetConfig, nDev, nAx, nCh, &m_nHomeMode, &m_nHomeDir, &nEzCount, &nEscapeDist, &m_dHomeOffset);
    m_nEzCount = nEzCount;
    m_nEscapeDist = nEscapeDist;
    m_cbHomeMode.SetCurSel(KestralineHomeModeItem(m_nHomeMode));
    m_cbHomeDir.SetCurSel(m_nHomeDir);

    int nPosClrMode = m_cbPosClrMode.GetCurSel();
    MOTION_CALL(PmHomeGetPosClrMode, nDev, nAx, nCh, &nPosClrMode);
    m_cbPosClrMode.SetCurSel(nPosClrMode);

    int nHomeSpeedMode = m_cbHomeSpeedMode[0].GetCurSel();
    MOTION_CALL(PmHomeGetSpeedPattern, nDev, nAx, nCh, &nHomeSpeedMode, &m_dHomeVel[0], &m_dHomeAccel[0], &m_dHomeDecel[0], &m_dReverseVel);
    m_cbHomeSpeedMode[0].SetCurSel(nHomeSpeedMode);

    for (const MIO_READ& read : s_aKestralineProperties) {
        CComboBox& cbBox = this->*read.pBox;
        int nValue = cbBox.GetCurSel();
        MOTION_CALL(PmCfgGetMioProperty, nDev, nAx, nCh, read.nProperty, &nValue);
        cbBox.SetCurSel(nValue);
    }

    MOTION_CALL(PmCfgGetOutMode, nDev, nAx, nCh, &m_nOutMode);
    m_cbCmdPulseMode.SetCurSel(m_nOutMode);
    int nInModeExtra = 0;
    MOTION_CALL(PmCfgGetInMode, nDev, nAx, nCh, &m_nInMode, &nInModeExtra);
    m_cbFbPulseMode.SetCurSel(m_nInMode);
}

void CViRuvedeDlg::ShowKtrb04Channel()
{
    ApplyRows(m_hWnd, s_aKtrb04Layout);
    ApplyTexts(m_hWnd, s_aKtrb04Texts);
    if (m_pKtrb04 == nullptr)
        return;
    CDidKtrb04& drv = *m_pKtrb04;
    const int nCh = m_nChannel;

    m_cbMasterAxis.ResetContent();
    for (int i = 0; i < KTRB04_CHANNELS; ++i)
        if (drv.m_nChannelMask >> i & 1)
            m_cbMasterAxis.AddString(FormatText("Channel %d", i).c_str());
    if (m_cbMasterAxis.GetCount() > 0)
        m_cbMasterAxis.SetCurSel(0);
    FillBox(m_cbHomeMode, s_apszKtrb04HomeModes);

    ReadRegister([&](int* p) { return drv.ReadWorkSpeed(nCh, KTRB04_ENTRY, p); }, m_dWorkSpeed);
    ReadRegister([&](int* p) { return drv.ReadAccel(nCh, KTRB04_ENTRY, p); }, m_dAccel);
    ReadRegister([&](int* p) { return drv.ReadDecel(nCh, KTRB04_ENTRY, p); }, m_dDecel);
    drv.ReadHomeMode(nCh, &m_nHomeMode);
    m_cbHomeMode.SetCurSel(m_nHomeMode);
    drv.ReadHomeDirection(nCh, &m_nHomeDir);
    m_cbHomeDir.SetCurSel(m_nHomeDir);
    drv.ReadHomeOffset(nCh, &m_nHomeOffsetPulses);
    m_dHomeOffset = m_nHomeOffsetPulses;
    ReadRegister([&](int* p) { return drv.ReadHomeSpeed(nCh, p); }, m_dHomeVel[0]);
    // The node has one home acceleration for both ramps.
    int nHomeAccel = 0;
    if (drv.ReadHomeAccel(nCh, &nHomeAccel) == 0) {
        m_dHomeAccel[0] = nHomeAccel;
        m_dHomeDecel[0] = nHomeAccel;
    }
    ReadSelection([&](int* p) { return drv.ReadElLogic(nCh, p); }, m_cbElLogic);
    ReadSelection([&](int* p) { return drv.ReadOrgLogic(nCh, p); }, m_cbOrgLogic);
    ReadSelection([&](int* p) { return drv.ReadElStopMode(nCh, p); }, m_cbElMode);

    PrepareKtrb04Entry();
}

void CViRuvedeDlg::PrepareKtrb04Entry()
{
    // Every channel selection makes entry 1 current and clears its registers
    // 2, 3 and 4, so a move starts from a known entry.
    CDidKtrb04& drv = *m_pKtrb04;
    const int nCh = m_nChannel;
    drv.SelectEntry(nCh, KTRB04_ENTRY);
    ::Sleep(KTRB04_STEP_PAUSE_MS);
    drv.WriteEntryReg2(nCh, KTRB04_ENTRY, 0);
    ::Sleep(KTRB04_STEP_PAUSE_MS);
    drv.WriteEntryReg3(nCh, KTRB04_ENTRY, 0);
    ::Sleep(KTRB04_STEP_PAUSE_MS);
    drv.WriteEntryReg4(nCh, KTRB04_ENTRY, 0);
    ::Sleep(KTRB04_STEP_PAUSE_MS);
}
