// Jog mode, direction buttons, moves, stop and emergency stop.
#include "ui/viruvede_dlg.h"

#include <cstdint>

#include "framework/format.h"
#include "motion/did_ktrb04.h"
#include "motion/motion_library.h"

namespace {

struct JOG_MODE_LAYOUT {
    BOOL bDistance;          // 1014 label and 1006 edit
    BOOL bPositions;         // 1017, 1007, 1018, 1008
    BOOL bRepeatTest;        // 1037
    const wchar_t* pszMinus; // caption of 1011
    const wchar_t* pszPlus;  // caption of 1016
};

const JOG_MODE_LAYOUT s_aJogModeLayout[] = {
    { FALSE, FALSE, FALSE, L"Jog (-)", L"Jog (+)" },     // JOG_VELOCITY
    { TRUE, FALSE, TRUE, L"Move (-)", L"Move (+)" },     // JOG_RELATIVE
    { FALSE, TRUE, TRUE, L"Position1", L"Position2" },   // JOG_ABSOLUTE
};

const int s_anDistanceControls[] = { IDC_DISTANCE_LABEL, IDC_DISTANCE };
const int s_anPositionControls[] = { IDC_POSITION1_LABEL, IDC_POSITION1, IDC_POSITION2_LABEL, IDC_POSITION2 };

} // namespace

void CViRuvedeDlg::OnJogModeChanged()
{
    UpdateData(TRUE);
    if (m_nJogMode < JOG_VELOCITY || m_nJogMode > JOG_ABSOLUTE)
        return;
    const JOG_MODE_LAYOUT& layout = s_aJogModeLayout[m_nJogMode];
    for (int nId : s_anDistanceControls)
        EnableItem(nId, layout.bDistance);
    for (int nId : s_anPositionControls)
        EnableItem(nId, layout.bPositions);
    EnableItem(IDC_REPEAT_TEST, layout.bRepeatTest);
    m_btnJogMinus.SetWindowText(layout.pszMinus);
    m_btnJogPlus.SetWindowText(layout.pszPlus);
}

namespace {

const wchar_t ERROR_CAPTION[] = L"Error";
const UINT ERROR_BOX = MB_OK | MB_ICONERROR;

// Velocity jog direction of the motion library.
const int DIRECTION_MINUS = 0;
const int DIRECTION_PLUS = 1;

// Stop modes of a KTRB04-M2 channel (register 0xC02).
const int KTRB04_STOP_DECELERATE = 1;
const int KTRB04_STOP_IMMEDIATE = 0;

// KTRB04 registers take whole pulses: truncated toward zero, and held inside
// the 32-bit range instead of overflowing (NaN counts as no distance).
int ClampToPulses(long long nValue)
{
    if (nValue > INT32_MAX)
        return INT32_MAX;
    if (nValue < INT32_MIN)
        return INT32_MIN;
    return static_cast<int>(nValue);
}

int TruncateToPulses(double dValue)
{
    if (!(dValue == dValue))
        return 0;
    if (dValue >= 2147483647.0)
        return INT32_MAX;
    if (dValue <= -2147483648.0)
        return INT32_MIN;
    return static_cast<int>(dValue);
}

bool IsMinusButton(LPARAM lParam)
{
    const CJogButton* pButton = reinterpret_cast<const CJogButton*>(lParam);
    return pButton != nullptr && pButton->m_nButtonID == IDC_MOVE_MINUS;
}

} // namespace

LRESULT CViRuvedeDlg::OnJogButtonDown(WPARAM, LPARAM lParam)
{
    // The release works with the mode, distance and positions read here.
    UpdateData(TRUE);
    if (m_nJogMode != JOG_VELOCITY)
        return 0;
    StartVelocityJog(IsMinusButton(lParam));
    return 0;
}

LRESULT CViRuvedeDlg::OnJogButtonUp(WPARAM wParam, LPARAM lParam)
{
    const bool bMinus = IsMinusButton(lParam);
    if (m_nJogMode == JOG_VELOCITY) {
        // Released or taken away: the jog ends with its press.
        EndVelocityJog(bMinus);
        return 0;
    }
    // A move starts only on a real release.
    if (wParam == JOG_PRESS_CANCELLED)
        return 0;
    EnableItem(IDC_MOVE_MINUS, FALSE);
    EnableItem(IDC_MOVE_PLUS, FALSE);
    if (m_nJogMode == JOG_RELATIVE)
        StartRelativeMove(bMinus);
    else
        StartAbsoluteMove(bMinus);
    EnableItem(IDC_MOVE_MINUS, TRUE);
    EnableItem(IDC_MOVE_PLUS, TRUE);
    return 0;
}

void CViRuvedeDlg::OnActivate(UINT nState, CWnd*, BOOL)
{
    Default();
    // Deactivation takes any press away from the direction buttons.
    if (nState == WA_INACTIVE) {
        m_btnJogMinus.CancelPress();
        m_btnJogPlus.CancelPress();
    }
}

void CViRuvedeDlg::StartVelocityJog(bool bMinus)
{
    const int nDirection = bMinus ? DIRECTION_MINUS : DIRECTION_PLUS;
    switch (g_nNodeType) {
    case NODE_SERVO:
        MOTION_CALL(SxVMoveStart, m_nDevice, m_nAxis, nDirection);
        break;
    case NODE_KESTRALINE:
        MOTION_CALL(PmSxVMoveStart, m_nDevice, m_nAxis, m_nChannel, nDirection);
        break;
    case NODE_KTRB04:
        if (m_pKtrb04 == nullptr)
            break;
        if (bMinus)
            m_pKtrb04->JogMinusBitSet(m_nChannel);
        else
            m_pKtrb04->JogPlusBitSet(m_nChannel);
        break;
    default:
        break;
    }
}

void CViRuvedeDlg::EndVelocityJog(bool bMinus)
{
    switch (g_nNodeType) {
    case NODE_SERVO:
        MOTION_CALL(SxStop, m_nDevice, m_nAxis);
        break;
    case NODE_KESTRALINE:
        MOTION_CALL(PmSxStop, m_nDevice, m_nAxis, m_nChannel, 0);
        break;
    case NODE_KTRB04:
        if (m_pKtrb04 == nullptr)
            break;
        if (bMinus)
            m_pKtrb04->JogMinusBitClear(m_nChannel);
        else
            m_pKtrb04->JogPlusBitClear(m_nChannel);
        break;
    default:
        break;
    }
}

void CViRuvedeDlg::StartRelativeMove(bool bMinus)
{
    const double dDistance = bMinus ? -m_dDistance : m_dDistance;
    int nResult = 0;
    switch (g_nNodeType) {
    case NODE_SERVO:
        nResult = MOTION_CALL(SxMoveStart, m_nDevice, m_nAxis, dDistance);
        break;
    case NODE_KESTRALINE:
        nResult = MOTION_CALL(PmSxMoveStart, m_nDevice, m_nAxis, m_nChannel, dDistance);
        break;
    case NODE_KTRB04:
        // Reports its own failure.
        MoveKtrb04(TruncateToPulses(dDistance));
        return;
    default:
        return;
    }
    if (nResult != 0)
        MessageBox(L"zvlSxMove", ERROR_CAPTION, ERROR_BOX);
}

void CViRuvedeDlg::StartAbsoluteMove(bool bMinus)
{
    const double dTarget = bMinus ? m_dPosition1 : m_dPosition2;
    int nResult = 0;
    switch (g_nNodeType) {
    case NODE_SERVO:
        nResult = MOTION_CALL(SxMoveToStart, m_nDevice, m_nAxis, dTarget);
        break;
    case NODE_KESTRALINE:
        nResult = MOTION_CALL(PmSxMoveToStart, m_nDevice, m_nAxis, m_nChannel, dTarget);
        break;
    case NODE_KTRB04: {
        if (m_pKtrb04 == nullptr)
            return;
        // A failed read leaves the channel at 0 as far as the move knows.
        int nCurrent = 0;
        m_pKtrb04->ReadCommandPosition(m_nChannel, &nCurrent);
        MoveKtrb04(ClampToPulses(static_cast<long long>(TruncateToPulses(dTarget)) - nCurrent));
        return;
    }
    default:
        return;
    }
    if (nResult != 0)
        MessageBox(L"zvlSxMoveTo", ERROR_CAPTION, ERROR_BOX);
}

void CViRuvedeDlg::MoveKtrb04(int nDistance)
{
    if (m_pKtrb04 == nullptr)
        return;
    const int nChannel = m_nChannel;
    m_pKtrb04->WriteDistance(nChannel, 1, nDistance);
    // Group members get the master's distance; only the master is started.
    if (nChannel >= 0 && nChannel < MAX_GROUP_CHANNELS && m_pKtrb04->m_bGroupMaster[nChannel] != 0) {
        const int nMembers = m_pKtrb04->m_nGroupMembers[nChannel];
        for (int i = 0; i < MAX_GROUP_CHANNELS; ++i)
            if (i != nChannel && (nMembers & (1 << i)) != 0)
                m_pKtrb04->WriteDistance(i, 1, nDistance);
    }
    if (m_pKtrb04->MoveStartBitSet(nChannel) != 0)
        MessageBox(L"zvlSxMove", ERROR_CAPTION, ERROR_BOX);
    m_pKtrb04->MoveStartBitClear(nChannel);
}

int CViRuvedeDlg::StopKtrb04(int nStopMode)
{
    if (m_pKtrb04 == nullptr)
        return 0;
    m_pKtrb04->SetStopMode(m_nChannel, nStopMode);
    m_pKtrb04->StopBitSet(m_nChannel);
    return m_pKtrb04->StopBitClear(m_nChannel);
}

void CViRuvedeDlg::OnStop()
{
    EnableItem(IDC_STOP, FALSE);
    m_bStopRepeatTest = 1;
    int nResult = 0;
    switch (g_nNodeType) {
    case NODE_KTRB04:
        nResult = StopKtrb04(KTRB04_STOP_DECELERATE);
        break;
    case NODE_KESTRALINE:
        nResult = MOTION_CALL(PmSxStop, m_nDevice, m_nAxis, m_nChannel, 0);
        break;
    case NODE_SERVO:
        nResult = MOTION_CALL(SxStop, m_nDevice, m_nAxis);
        break;
    default:
        break;
    }
    if (nResult != 0)
        MessageBox(FormatText("zvlSxStop : [%d]", nResult).c_str(), ERROR_CAPTION, ERROR_BOX);
    EnableItem(IDC_STOP, TRUE);
}

void CViRuvedeDlg::OnEmergencyStop()
{
    // The stop goes out before anything else, also when the window closes.
    int nResult = 0;
    switch (g_nNodeType) {
    case NODE_KTRB04:
        nResult = StopKtrb04(KTRB04_STOP_IMMEDIATE);
        break;
    case NODE_KESTRALINE:
        nResult = MOTION_CALL(PmSxStopEmg, m_nDevice, m_nAxis, m_nChannel);
        break;
    case NODE_SERVO:
        nResult = MOTION_CALL(SxStopEmg, m_nDevice, m_nAxis);
        break;
    default:
        break;
    }
    EnableItem(IDC_EMERGENCY_STOP, FALSE);
    m_bStopRepeatTest = 1;
    if (nResult != 0)
        MessageBox(FormatText("zvlSxStopEmg : [%d]", nResult).c_str(), ERROR_CAPTION, ERROR_BOX);
    EnableItem(IDC_EMERGENCY_STOP, TRUE);
}
