#include "tests/support/dialog_fixture.h"

#include <algorithm>

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

void CDialogTest::SelectNode(int nAxis, int nChannel)
{
    ASSERT_TRUE(HeadlessDriver::SelectComboIndex(Dlg(), IDC_AXIS, nAxis));
    if (nChannel != 0 || g_nNodeType == NODE_KESTRALINE || g_nNodeType == NODE_KTRB04) {
        ASSERT_TRUE(HeadlessDriver::SelectComboIndex(Dlg(), IDC_CHANNEL, nChannel));
    }
    HeadlessDriver::Pump();
}

std::vector<std::string> CDialogTest::TraceCalls() const
{
    std::vector<std::string> astrCalls;
    for (const std::string& strLine : m_sim.Trace())
        astrCalls.push_back(strLine.substr(0, strLine.find('(')));
    return astrCalls;
}

int CountOf(const std::vector<std::string>& astrCalls, const std::string& strName)
{
    return static_cast<int>(std::count(astrCalls.begin(), astrCalls.end(), strName));
}

int IndexOf(const std::vector<std::string>& astrCalls, const std::string& strName)
{
    const auto it = std::find(astrCalls.begin(), astrCalls.end(), strName);
    return it == astrCalls.end() ? -1 : static_cast<int>(it - astrCalls.begin());
}
