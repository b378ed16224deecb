// Message maps route messages, commands and notifications to handlers, with
// the base class's map behind the derived one.
#include <vector>

#include "framework/afxwin.h"
#include "res/resource.h"
#include "tests/support/headless_app.h"

namespace {

const UINT WM_TEST_PRIVATE = WM_USER + 0x300;

class CBaseDlg : public CDialog {
public:
    CBaseDlg() : CDialog(IDD_VIRUVEDE_DIALOG) {}
    std::vector<int> m_anCalls;

protected:
    void OnBaseStop() { m_anCalls.push_back(100); }
    void OnOverridden() { m_anCalls.push_back(101); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseDlg, CDialog)
    ON_BN_CLICKED(IDC_STOP, OnBaseStop)
    ON_BN_CLICKED(IDC_CLEAR_ALARM, OnOverridden)
END_MESSAGE_MAP()

class CDerivedDlg : public CBaseDlg {
protected:
    void OnJogMode() { m_anCalls.push_back(1); }
    void OnAxis() { m_anCalls.push_back(2); }
    void OnDerivedClearAlarm() { m_anCalls.push_back(3); }
    LRESULT OnPrivate(WPARAM wParam, LPARAM lParam)
    {
        m_anCalls.push_back(static_cast<int>(wParam + lParam));
        return 77;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedDlg, CBaseDlg)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_JOG_VELOCITY, IDC_JOG_ABSOLUTE, OnJogMode)
    ON_CBN_SELCHANGE(IDC_AXIS, OnAxis)
    ON_BN_CLICKED(IDC_CLEAR_ALARM, OnDerivedClearAlarm)
    ON_MESSAGE(WM_TEST_PRIVATE, OnPrivate)
END_MESSAGE_MAP()

class MessageMap : public CHeadlessTest {
protected:
    void SetUp() override
    {
        CHeadlessTest::SetUp();
        ASSERT_TRUE(m_dlg.Create()) << HeadlessDriver::LastDialogError();
    }
    void TearDown() override
    {
        m_dlg.DestroyWindow();
        CHeadlessTest::TearDown();
    }
    CDerivedDlg m_dlg;
};

TEST_F(MessageMap, RoutesCommandsNotificationsAndPrivateMessages)
{
    const HWND hDlg = m_dlg.m_hWnd;
    HeadlessDriver::Click(hDlg, IDC_JOG_ABSOLUTE);
    HeadlessDriver::Click(hDlg, IDC_JOG_VELOCITY);
    HeadlessDriver::SelectComboIndex(hDlg, IDC_AXIS, 3);
    HeadlessDriver::Click(hDlg, IDC_STOP);           // only the base handles it
    HeadlessDriver::Click(hDlg, IDC_CLEAR_ALARM);    // the derived entry wins
    HeadlessDriver::Click(hDlg, IDC_SERVO_ON);       // nobody handles it
    EXPECT_EQ(77, ::SendMessageW(hDlg, WM_TEST_PRIVATE, 4, 5));
    HeadlessDriver::Pump();
    EXPECT_EQ((std::vector<int>{ 1, 1, 2, 100, 3, 9 }), m_dlg.m_anCalls);
}

TEST_F(MessageMap, ANotificationOtherThanTheMappedOneIsNotRouted)
{
    ::SendMessageW(m_dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_AXIS, CBN_DROPDOWN),
                   reinterpret_cast<LPARAM>(HeadlessDriver::Control(m_dlg.m_hWnd, IDC_AXIS)));
    EXPECT_TRUE(m_dlg.m_anCalls.empty());
}

} // namespace
