#include "tests/support/dialog_fixture.h"

void CDialogTest::SetUp()
{
    CHeadlessTest::SetUp();
    ASSERT_TRUE(m_sim.IsLoaded()) << m_sim.LoadError();
    m_sim.UseVirtualClock(true);
    const CSimClient* pSim = &m_sim;
    HeadlessDriver::SetClockHook([pSim](DWORD nMs) { pSim->AdvanceMs(static_cast<int>(nMs)); });
}

void CDialogTest::TearDown()
{
    if (m_pDlg && ::IsWindow(m_pDlg->m_hWnd))
        ::DestroyWindow(m_pDlg->m_hWnd);
    m_pDlg.reset();
    g_nNodeType = NODE_TYPE_UNSET;
    CHeadlessTest::TearDown();
}

void CDialogTest::OpenDialog(const char* pszTopology)
{
    ASSERT_EQ(0, m_sim.Reset(pszTopology)) << m_sim.TopologyError();
    m_sim.ClearTrace();
    m_pDlg.reset(new CViRuvedeDlg);
    ASSERT_TRUE(m_pDlg->Create()) << HeadlessDriver::LastDialogError();
    HeadlessDriver::Pump();
}

void CDialogTest::CloseDialog()
{
    ::PostMessageW(Dlg(), WM_CLOSE, 0, 0);
    HeadlessDriver::Pump();
}
