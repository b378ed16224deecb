// Jog mode, direction buttons, moves, stop and emergency stop.
#include "ui/viruvede_dlg.h"

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
