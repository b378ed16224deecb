// Data exchange between members and the controls of a real template.
#include <cmath>
#include <string>

#include "framework/afxwin.h"
#include "res/resource.h"
#include "tests/support/headless_app.h"

namespace {

// A dialog on template 102 that binds three edits: a double, a 32-bit
// integer and another double, in that order.
class CExchangeDlg : public CDialog {
public:
    CExchangeDlg() : CDialog(IDD_VIRUVEDE_DIALOG) {}

    double m_dFirst = 10000.0;
    long m_nSecond = 500;
    double m_dThird = 0.0;
    int m_nMode = 1;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Radio(pDX, IDC_JOG_VELOCITY, m_nMode);
        DDX_Text(pDX, IDC_DISTANCE, m_dFirst);
        DDX_Text(pDX, IDC_DELAY_TIME, m_nSecond);
        DDX_Text(pDX, IDC_POSITION1, m_dThird);
    }
};

class DataExchange : public CHeadlessTest {
protected:
    void SetUp() override
    {
        CHeadlessTest::SetUp();
        ASSERT_TRUE(m_dlg.Create()) << HeadlessDriver::LastDialogError();
        m_dlg.SetWindowText(L"Exchange Title");
    }

    void TearDown() override
    {
        m_dlg.DestroyWindow();
        CHeadlessTest::TearDown();
    }

    std::wstring Text(int nId) const { return HeadlessDriver::ReadControl(m_dlg.m_hWnd, nId).strText; }
    void SetText(int nId, const wchar_t* pszText) { ::SetDlgItemTextW(m_dlg.m_hWnd, nId, pszText); }

    CExchangeDlg m_dlg;
};

TEST_F(DataExchange, InitialisationWritesTheMembersIntoTheControls)
{
    EXPECT_EQ(L"10000", Text(IDC_DISTANCE));
    EXPECT_EQ(L"500", Text(IDC_DELAY_TIME));
    EXPECT_EQ(L"0", Text(IDC_POSITION1));
    EXPECT_EQ(static_cast<UINT>(BST_CHECKED), HeadlessDriver::ReadControl(m_dlg.m_hWnd, IDC_JOG_RELATIVE).nCheck);
    EXPECT_EQ(static_cast<UINT>(BST_UNCHECKED), HeadlessDriver::ReadControl(m_dlg.m_hWnd, IDC_JOG_VELOCITY).nCheck);
}

TEST(DataExchangeFormat, DoublesUseFifteenSignificantDigitsAndLongsPercentLd)
{
    struct {
        double dValue;
        const wchar_t* pszText;
    } const aDoubles[] = {
        { 10000.0, L"10000" }, { 0.0, L"0" }, { -1200.0, L"-1200" }, { 0.1, L"0.1" },
        { 1.0 / 3.0, L"0.333333333333333" }, { 123456789012345678.0, L"1.23456789012346e+17" },
        { 2.5e-7, L"2.5e-07" },
    };
    for (const auto& row : aDoubles)
        EXPECT_EQ(row.pszText, AfxFormatDouble(row.dValue)) << row.dValue;
    EXPECT_EQ(L"-2147483648", AfxFormatLong(-2147483647L - 1));
    EXPECT_EQ(L"500", AfxFormatLong(500));
}

TEST(DataExchangeParse, AcceptsWhatTheFrameworkAcceptsAndNothingElse)
{
    struct {
        const wchar_t* pszText;
        bool bDouble;
        double dDouble;
        bool bLong;
        long nLong;
    } const aRows[] = {
        { L"12", true, 12.0, true, 12 },
        { L"  -7\t", true, -7.0, true, -7 },
        { L"+3", true, 3.0, true, 3 },
        { L"12.5", true, 12.5, false, 0 },
        { L"1e3", true, 1000.0, false, 0 },
        { L"", false, 0, false, 0 },
        { L"   ", false, 0, false, 0 },
        { L"abc", false, 0, false, 0 },
        { L"12x", false, 0, false, 0 },
        { L"1 2", false, 0, false, 0 },
        { L"2147483647", true, 2147483647.0, true, 2147483647L },
        { L"2147483648", true, 2147483648.0, false, 0 },
        { L"-2147483648", true, -2147483648.0, true, -2147483647L - 1 },
        { L"1e999", false, 0, false, 0 },
    };
    for (const auto& row : aRows) {
        double dValue = -1.0;
        long nValue = -1;
        EXPECT_EQ(row.bDouble, AfxParseDouble(row.pszText, &dValue) != FALSE) << row.pszText;
        if (row.bDouble)
            EXPECT_DOUBLE_EQ(row.dDouble, dValue);
        else
            EXPECT_EQ(-1.0, dValue);
        EXPECT_EQ(row.bLong, AfxParseLong(row.pszText, &nValue) != FALSE);
        EXPECT_EQ(row.bLong ? row.nLong : -1, nValue);
    }
}

TEST_F(DataExchange, SaveReadsEveryField)
{
    SetText(IDC_DISTANCE, L"-5");
    SetText(IDC_DELAY_TIME, L"250");
    SetText(IDC_POSITION1, L"3.25");
    ::CheckRadioButton(m_dlg.m_hWnd, IDC_JOG_VELOCITY, IDC_JOG_ABSOLUTE, IDC_JOG_ABSOLUTE);
    EXPECT_TRUE(m_dlg.UpdateData(TRUE));
    EXPECT_EQ(-5.0, m_dlg.m_dFirst);
    EXPECT_EQ(250, m_dlg.m_nSecond);
    EXPECT_EQ(3.25, m_dlg.m_dThird);
    EXPECT_EQ(2, m_dlg.m_nMode);
    EXPECT_TRUE(HeadlessDriver::MessageBoxes().empty());
}

TEST_F(DataExchange, NoRadioCheckedReadsMinusOne)
{
    for (int nId = IDC_JOG_VELOCITY; nId <= IDC_JOG_ABSOLUTE; ++nId)
        ::CheckDlgButton(m_dlg.m_hWnd, nId, BST_UNCHECKED);
    m_dlg.UpdateData(TRUE);
    EXPECT_EQ(-1, m_dlg.m_nMode);
}

TEST_F(DataExchange, ABadFieldPromptsAndStopsTheExchangeThere)
{
    struct {
        const wchar_t* pszFirst;
        const wchar_t* pszSecond;
        const wchar_t* pszPrompt;
        double dFirst;   // expected after the exchange
    } const aRows[] = {
        // The first field is updated, the bad second one and the third are not.
        { L"7", L"12.5", L"Please enter an integer.", 7.0 },
        // The first field is bad: nothing after it changes.
        { L"seven", L"12", L"Please enter a number.", 10000.0 },
    };
    for (const auto& row : aRows) {
        m_dlg.m_dFirst = 10000.0;
        m_dlg.m_nSecond = 500;
        m_dlg.m_dThird = 0.0;
        HeadlessDriver::ClearMessageBoxes();
        SetText(IDC_DISTANCE, row.pszFirst);
        SetText(IDC_DELAY_TIME, row.pszSecond);
        SetText(IDC_POSITION1, L"99");

        EXPECT_FALSE(m_dlg.UpdateData(TRUE));

        EXPECT_EQ(row.dFirst, m_dlg.m_dFirst);
        EXPECT_EQ(500, m_dlg.m_nSecond);
        EXPECT_EQ(0.0, m_dlg.m_dThird);
        const auto boxes = HeadlessDriver::MessageBoxes();
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(row.pszPrompt, boxes[0].strText);
        EXPECT_EQ(L"Exchange Title", boxes[0].strCaption);
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), boxes[0].uType);
    }
}

} // namespace
