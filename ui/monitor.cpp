// Status monitor: positions, speeds, motion state, lamps, servo state and
// homing read-outs every 50 ms, the alarm code once a second. It only reads;
// every value is read afresh and formatted anew on each tick.
#include "ui/viruvede_dlg.h"

#include "motion/did_ktrb04.h"
#include "motion/motion_library.h"
#include "ui/status_decode.h"

namespace {

// Timer ids set in OnInitDialog.
const UINT_PTR TIMER_STATUS = 0;
const UINT_PTR TIMER_ALARM = 1;

// Position or speed source of the St/PmSt reads.
const int SOURCE_COMMAND = 0;
const int SOURCE_FEEDBACK = 1;

void SetText(HWND hDlg, int nId, const std::wstring& strText)
{
    ::SetDlgItemTextW(hDlg, nId, strText.c_str());
}

void ShowLamps(CViRuvedeDlg& dlg, StatusFamily eFamily, int nStatus)
{
    const LAMP_TABLE table = LampTable(eFamily);
    for (int i = 0; i < table.nCount; ++i)
        dlg.SetLamp(table.pEntries[i].nLamp, LampState(table.pEntries[i], nStatus));
}

void ShowMotionState(HWND hDlg, StatusFamily eFamily, int nResult, int nState)
{
    if (nResult < 0)
        SetText(hDlg, IDC_MOTION_STATE, MotionErrorText(nResult));
    else
        SetText(hDlg, IDC_MOTION_STATE, MotionStateText(eFamily, nState));
}

// Servo ON caption and lamp from a servo-on value of the library.
void ShowServoOn(CViRuvedeDlg& dlg, int nServoOn)
{
    SetText(dlg.m_hWnd, IDC_SERVO_ON, ServoOnCaption(nServoOn));
    dlg.SetLamp(LAMP_SERVO, nServoOn);
}

} // namespace

void CViRuvedeDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMER_STATUS)
        UpdateStatusDisplay();
    else if (nIDEvent == TIMER_ALARM)
        UpdateAlarmDisplay();
    Default();
}

void CViRuvedeDlg::UpdateStatusDisplay()
{
    switch (g_nNodeType) {
    case NODE_SERVO:
        UpdateServoStatus();
        break;
    case NODE_KESTRALINE:
        UpdateKestralineStatus();
        break;
    case NODE_KTRB04:
        UpdateKtrb04Status();
        break;
    default:
        break;
    }
}

void CViRuvedeDlg::UpdateServoStatus()
{
    const int nDevice = m_nDevice;
    const int nAxis = m_nAxis;
    double dCommandPos = 0.0;
    double dFeedbackPos = 0.0;
    double dCommandSpeed = 0.0;
    double dFeedbackSpeed = 0.0;
    MOTION_CALL(StGetPosition, nDevice, nAxis, SOURCE_COMMAND, &dCommandPos);
    SetText(m_hWnd, IDC_COMMAND_POSITION, PositionText(dCommandPos));
    MOTION_CALL(StGetPosition, nDevice, nAxis, SOURCE_FEEDBACK, &dFeedbackPos);
    SetText(m_hWnd, IDC_FEEDBACK_POSITION, PositionText(dFeedbackPos));
    MOTION_CALL(StGetSpeed, nDevice, nAxis, SOURCE_COMMAND, &dCommandSpeed);
    SetText(m_hWnd, IDC_COMMAND_SPEED, PositionText(dCommandSpeed));
    MOTION_CALL(StGetSpeed, nDevice, nAxis, SOURCE_FEEDBACK, &dFeedbackSpeed);
    SetText(m_hWnd, IDC_FEEDBACK_SPEED, PositionText(dFeedbackSpeed));

    int nState = 0;
    const int nResult = MOTION_CALL(StSxReadMotionState, nDevice, nAxis, &nState);
    ShowMotionState(m_hWnd, STATUS_SERVO, nResult, nState);

    int nStatus = 0;
    MOTION_CALL(StReadMioStatuses, nDevice, nAxis, &nStatus);
    ShowLamps(*this, STATUS_SERVO, nStatus);

    int nServoOn = 0;
    MOTION_CALL(GnGetServoOn, nDevice, nAxis, &nServoOn);
    ShowServoOn(*this, nServoOn);

    int nBusy = 0;
    MOTION_CALL(HomeIsBusy, nDevice, nAxis, &nBusy);
    SetText(m_hWnd, IDC_HOMING_STATE, HomingText(nBusy));
    int nSuccess = 0;
    MOTION_CALL(HomeGetSuccess, nDevice, nAxis, &nSuccess);
    SetText(m_hWnd, IDC_HOME_SUCCESS, HomeSuccessText(nSuccess));
}

void CViRuvedeDlg::UpdateKestralineStatus()
{
    const int nDevice = m_nDevice;
    const int nAxis = m_nAxis;
    const int nChannel = m_nChannel;
    double dCommandPos = 0.0;
    double dFeedbackPos = 0.0;
    double dCommandSpeed = 0.0;
    double dFeedbackSpeed = 0.0;
    MOTION_CALL(PmStGetPosition, nDevice, nAxis, nChannel, SOURCE_COMMAND, &dCommandPos);
    SetText(m_hWnd, IDC_COMMAND_POSITION, PositionText(dCommandPos));
    MOTION_CALL(PmStGetPosition, nDevice, nAxis, nChannel, SOURCE_FEEDBACK, &dFeedbackPos);
    SetText(m_hWnd, IDC_FEEDBACK_POSITION, PositionText(dFeedbackPos));
    MOTION_CALL(PmStGetSpeed, nDevice, nAxis, nChannel, SOURCE_COMMAND, &dCommandSpeed);
    SetText(m_hWnd, IDC_COMMAND_SPEED, PositionText(dCommandSpeed));
    MOTION_CALL(PmStGetSpeed, nDevice, nAxis, nChannel, SOURCE_FEEDBACK, &dFeedbackSpeed);
    SetText(m_hWnd, IDC_FEEDBACK_SPEED, PositionText(dFeedbackSpeed));

    int nState = 0;
    const int nResult = MOTION_CALL(PmStReadMotionState, nDevice, nAxis, nChannel, &nState);
    ShowMotionState(m_hWnd, STATUS_KESTRALINE, nResult, nState);

    int nStatus = 0;
    MOTION_CALL(PmStReadMIOStatus, nDevice, nAxis, nChannel, &nStatus);
    ShowLamps(*this, STATUS_KESTRALINE, nStatus);

    int nServoOn = 0;
    MOTION_CALL(PmGnGetServoOn, nDevice, nAxis, nChannel, &nServoOn);
    ShowServoOn(*this, nServoOn);

    // Pulse nodes report no homing activity.
    SetText(m_hWnd, IDC_HOMING_STATE, L"-");
    int nSuccess = 0;
    MOTION_CALL(PmHomeGetSuccess, nDevice, nAxis, nChannel, &nSuccess);
    SetText(m_hWnd, IDC_HOME_SUCCESS, HomeSuccessText(nSuccess));
}

void CViRuvedeDlg::UpdateKtrb04Status()
{
    if (m_pKtrb04 == nullptr)
        return;
    const int nChannel = m_nChannel;
    int nCommandPos = 0;
    int nCommandSpeed = 0;
    int nFeedbackPos = 0;
    int nFeedbackSpeed = 0;
    m_pKtrb04->ReadCommandPosition(nChannel, &nCommandPos);
    SetText(m_hWnd, IDC_COMMAND_POSITION, PulseText(nCommandPos));
    m_pKtrb04->ReadCommandSpeed(nChannel, &nCommandSpeed);
    SetText(m_hWnd, IDC_COMMAND_SPEED, PulseText(nCommandSpeed));
    m_pKtrb04->ReadFeedbackPosition(nChannel, &nFeedbackPos);
    SetText(m_hWnd, IDC_FEEDBACK_POSITION, PulseText(nFeedbackPos));
    m_pKtrb04->ReadFeedbackSpeed(nChannel, &nFeedbackSpeed);
    SetText(m_hWnd, IDC_FEEDBACK_SPEED, PulseText(nFeedbackSpeed));

    int nStatus = 0;
    const int nResult = m_pKtrb04->ReadStatusWord(nChannel, &nStatus);
    if (nResult < 0) {
        // The status word is not trustworthy: leave lamps and captions alone.
        SetText(m_hWnd, IDC_MOTION_STATE, MotionErrorText(nResult));
        return;
    }
    SetText(m_hWnd, IDC_MOTION_STATE, Ktrb04MotionStateText(nStatus));
    // The lamp table holds the servo lamp; the caption follows the same bits.
    ShowLamps(*this, STATUS_KTRB04, nStatus);
    const bool bServoOn = (static_cast<unsigned int>(nStatus) & KTRB04_SERVO_ON_MASK) != 0;
    SetText(m_hWnd, IDC_SERVO_ON, ServoOnCaption(bServoOn ? 1 : 0));
    SetText(m_hWnd, IDC_HOMING_STATE, L"-");
    int nHomeSuccess = 0;
    m_pKtrb04->ReadHomeSuccess(nChannel, &nHomeSuccess);
    SetText(m_hWnd, IDC_HOME_SUCCESS, HomeSuccessText(nHomeSuccess));
}

void CViRuvedeDlg::UpdateAlarmDisplay()
{
    int nStatus = 0;
    int nCode = 0;
    switch (g_nNodeType) {
    case NODE_SERVO:
        MOTION_CALL(StReadMioStatuses, m_nDevice, m_nAxis, &nStatus);
        if ((static_cast<unsigned int>(nStatus) & AlarmBitMask(STATUS_SERVO)) != 0)
            MOTION_CALL(GnGetAlarmCode, m_nDevice, m_nAxis, &nCode);
        break;
    case NODE_KTRB04:
        if (m_pKtrb04 == nullptr)
            return;
        m_pKtrb04->ReadStatusWord(m_nChannel, &nStatus);
        if ((static_cast<unsigned int>(nStatus) & AlarmBitMask(STATUS_KTRB04)) != 0)
            m_pKtrb04->ReadAlarmCode(m_nChannel, &nCode);
        break;
    default:
        // I/O Kestraline channels report no alarm code; the text stays.
        return;
    }
    SetText(m_hWnd, IDC_ALARM_TEXT, AlarmText(nCode));
}
