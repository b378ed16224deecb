// Construction, data exchange, initialisation, keyboard filter, lamps and
// teardown of the main dialog.
#include "ui/viruvede_dlg.h"

#include <new>

#include "motion/did_ktrb04.h"
#include "ui/dialog_messages.h"

int g_nNodeType = NODE_TYPE_UNSET;

const wchar_t WINDOW_TITLE[] = L"Zelvora Mechatrolink-II Single Axis Dravenel v.16.1.21.0";

namespace {

const DWORD TEARDOWN_PAUSE_MS = 100;

// Owner of the "entry point missing" notices: the main window while it lives,
// and the thread that runs it.
HWND s_hNoticeOwner = nullptr;
DWORD s_dwNoticeThread = 0;

void ShowMissingEntryPoint(const char* pszName)
{
    std::wstring strText = L"The motion library ZelvREzid2.DLL has no entry point \"";
    for (const char* p = pszName; *p != '\0'; ++p)
        strText.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*p)));
    strText += L"\". The command was not carried out.";
    ::MessageBoxW(s_hNoticeOwner, strText.c_str(), L"Error", MB_OK | MB_ICONERROR);
}

// Called by the motion library's guarded calls, on whichever thread made the
// call. The names are the load table's own strings, so a posted pointer stays
// valid.
void NotifyMissingEntryPoint(const char* pszName)
{
    if (s_hNoticeOwner != nullptr && ::GetCurrentThreadId() != s_dwNoticeThread) {
        ::PostMessageW(s_hNoticeOwner, WM_APP_MISSING_ENTRY_POINT, 0, reinterpret_cast<LPARAM>(pszName));
        return;
    }
    ShowMissingEntryPoint(pszName);
}

} // namespace

BEGIN_MESSAGE_MAP(CViRuvedeDlg, CDialog)
    ON_WM_QUERYDRAGICON()
    ON_WM_DESTROY()
    ON_CONTROL_RANGE(BN_CLICKED, IDC_JOG_VELOCITY, IDC_JOG_ABSOLUTE, OnJogModeChanged)
    ON_CBN_SELCHANGE(IDC_DEVICE, OnSelchangeDevice)
    ON_CBN_SELCHANGE(IDC_AXIS, OnSelchangeAxis)
    ON_CBN_SELCHANGE(IDC_CHANNEL, OnSelchangeChannel)
    ON_MESSAGE(WM_JOGBUTTON_DOWN, OnJogButtonDown)
    ON_MESSAGE(WM_JOGBUTTON_UP, OnJogButtonUp)
    ON_BN_CLICKED(IDC_STOP, OnStop)
    ON_BN_CLICKED(IDC_EMERGENCY_STOP, OnEmergencyStop)
    ON_WM_ACTIVATE()
    ON_WM_TIMER()
    ON_MESSAGE(WM_APP_LIBRARY_NOT_LOADED, OnLibraryNotLoaded)
    ON_MESSAGE(WM_APP_MISSING_ENTRY_POINT, OnMissingEntryPoint)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_NCLBUTTONDOWN()
END_MESSAGE_MAP()

CViRuvedeDlg::CViRuvedeDlg(CWnd* pParent) : CDialog(IDD, pParent)
{
    m_hIcon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

CViRuvedeDlg::~CViRuvedeDlg()
{
    // The window normally deletes the driver when it is destroyed; this
    // covers a dialog that never got that far.
    delete m_pKtrb04;
    m_pKtrb04 = nullptr;
}

void CViRuvedeDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_AXIS, m_cbAxis);
    DDX_Control(pDX, IDC_MOVE_PLUS, m_btnJogPlus);
    DDX_Control(pDX, IDC_MOVE_MINUS, m_btnJogMinus);
    DDX_Radio(pDX, IDC_JOG_VELOCITY, m_nJogMode);
    DDX_Text(pDX, IDC_DISTANCE, m_dDistance);
    DDX_Text(pDX, IDC_POSITION1, m_dPosition1);
    DDX_Text(pDX, IDC_POSITION2, m_dPosition2);
    DDX_Control(pDX, IDC_SPEED_MODE, m_cbSpeedMode);
    DDX_Text(pDX, IDC_ACCEL, m_dAccel);
    DDX_Text(pDX, IDC_DECEL, m_dDecel);
    DDX_Text(pDX, IDC_END_SPEED, m_dEndSpeed);
    DDX_Text(pDX, IDC_INIT_SPEED, m_dInitSpeed);
    DDX_Text(pDX, IDC_UNIT_DIST, m_dUnitDist);
    DDX_Text(pDX, IDC_UNIT_SPEED, m_dUnitSpeed);
    DDX_Text(pDX, IDC_WORK_SPEED, m_dWorkSpeed);
    DDX_Text(pDX, IDC_ESCAPE_DIST, m_nEscapeDist);
    DDX_Text(pDX, IDC_EZ_COUNT, m_nEzCount);
    DDX_Control(pDX, IDC_DEVICE, m_cbDevice);
    DDX_Control(pDX, IDC_EL_MINUS_LOGIC, m_cbElMinusLogic);
    DDX_Control(pDX, IDC_EL_PLUS_LOGIC, m_cbElPlusLogic);
    DDX_Control(pDX, IDC_ORG_LOGIC, m_cbOrgLogic);
    DDX_Text(pDX, IDC_DELAY_TIME, m_nDelayTime);
    DDX_Control(pDX, IDC_EL_MODE, m_cbElMode);
    DDX_Control(pDX, IDC_IN_POSITION, m_cbInPosition);
    DDX_Control(pDX, IDC_SVON_MODE, m_cbSvonMode);
    DDX_Text(pDX, IDC_HOME_VEL1, m_dHomeVel[0]);
    DDX_Text(pDX, IDC_HOME_VEL2, m_dHomeVel[1]);
    DDX_Text(pDX, IDC_HOME_VEL3, m_dHomeVel[2]);
    DDX_Text(pDX, IDC_HOME_OFFSET, m_dHomeOffset);
    DDX_Text(pDX, IDC_HOME_DECEL1, m_dHomeDecel[0]);
    DDX_Text(pDX, IDC_HOME_DECEL2, m_dHomeDecel[1]);
    DDX_Text(pDX, IDC_HOME_DECEL3, m_dHomeDecel[2]);
    DDX_Text(pDX, IDC_HOME_ACCEL1, m_dHomeAccel[0]);
    DDX_Text(pDX, IDC_HOME_ACCEL2, m_dHomeAccel[1]);
    DDX_Text(pDX, IDC_HOME_ACCEL3, m_dHomeAccel[2]);
    DDX_Control(pDX, IDC_HOME_SPEED_MODE1, m_cbHomeSpeedMode[0]);
    DDX_Control(pDX, IDC_HOME_SPEED_MODE2, m_cbHomeSpeedMode[1]);
    DDX_Control(pDX, IDC_HOME_SPEED_MODE3, m_cbHomeSpeedMode[2]);
    DDX_Control(pDX, IDC_HOME_MODE, m_cbHomeMode);
    DDX_Control(pDX, IDC_HOME_DIR, m_cbHomeDir);
    DDX_Control(pDX, IDC_CHANNEL, m_cbChannel);
    DDX_Control(pDX, IDC_EL_LOGIC, m_cbElLogic);
    DDX_Control(pDX, IDC_EZ_LOGIC, m_cbEzLogic);
    DDX_Control(pDX, IDC_INP_LOGIC, m_cbInpLogic);
    DDX_Control(pDX, IDC_ALM_LOGIC, m_cbAlmLogic);
    DDX_Control(pDX, IDC_ALARM_STOP_MODE, m_cbAlarmStopMode);
    DDX_Control(pDX, IDC_CMD_PULSE_MODE, m_cbCmdPulseMode);
    DDX_Control(pDX, IDC_POS_CLR_MODE, m_cbPosClrMode);
    DDX_Text(pDX, IDC_REVERSE_VEL, m_dReverseVel);
    DDX_Control(pDX, IDC_FB_PULSE_MODE, m_cbFbPulseMode);
    DDX_Text(pDX, IDC_RING_MIN, m_nRingMin);
    DDX_Text(pDX, IDC_RING_MAX, m_nRingMax);
    DDX_Control(pDX, IDC_MASTER_AXIS, m_cbMasterAxis);
}

BOOL CViRuvedeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_nAxis = 0;
    m_nDevice = 0;
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    m_bmpBackground.LoadBitmap(IDB_BACKGROUND);
    SetWindowText(WINDOW_TITLE);
    s_hNoticeOwner = m_hWnd;
    s_dwNoticeThread = ::GetCurrentThreadId();
    SetMissingEntryPointNotifier(&NotifyMissingEntryPoint);
    BuildWindowRegion(m_hWnd, &m_bmpBackground);

    m_bmpLampOff.LoadBitmap(IDB_LAMP_OFF);
    m_bmpLampRed.LoadBitmap(IDB_LAMP_RED);
    m_bmpLampGreen.LoadBitmap(IDB_LAMP_GREEN);
    m_bmpLampBlue.LoadBitmap(IDB_LAMP_BLUE);

    m_pKtrb04 = new (std::nothrow) CDidKtrb04;
    if (m_pKtrb04 == nullptr)
        return FALSE;
    if (!m_pKtrb04->m_bLibraryLoaded) {
        // Shown once the window is up, so the operator sees it drawn.
        PostMessage(WM_APP_LIBRARY_NOT_LOADED);
    }

    FillDeviceList();
    if (m_nDeviceCount == 0)
        return FALSE;

    m_cbDevice.SetCurSel(0);
    m_cbAxis.SetCurSel(0);
    m_cbChannel.SetCurSel(0);
    m_btnJogMinus.m_nButtonID = IDC_MOVE_MINUS;
    m_btnJogPlus.m_nButtonID = IDC_MOVE_PLUS;
    OnJogModeChanged();
    // Enabled now, shown only on node types that use them.
    EnableItem(IDC_SVON_MODE_LABEL, TRUE);
    EnableItem(IDC_SVON_MODE, TRUE);
    OnSelchangeDevice();
    SetTimer(0, 50, nullptr);
    SetTimer(1, 1000, nullptr);
    return TRUE;
}

void CViRuvedeDlg::EnableItem(int nId, BOOL bEnable)
{
    ::EnableWindow(::GetDlgItem(m_hWnd, nId), bEnable);
}

void CViRuvedeDlg::SetItemText(int nId, LPCWSTR pszText)
{
    ::SetDlgItemTextW(m_hWnd, nId, pszText);
}

void CViRuvedeDlg::FillDeviceList()
{
    m_cbDevice.ResetContent();
    int nCount = m_pKtrb04->m_nDevCount;
    // The library's list holds 16 boards; never read past it.
    if (nCount < 0)
        nCount = 0;
    if (nCount > MAX_DEVICES)
        nCount = MAX_DEVICES;
    m_nDeviceCount = nCount;
    for (int i = 0; i < m_nDeviceCount; ++i) {
        m_anDeviceNo[i] = m_pKtrb04->m_anDevNo[i];
        const int nItem = m_cbDevice.AddString(FormatText("Dev %d", m_anDeviceNo[i]).c_str());
        // The box is sorted ("Dev 10" before "Dev 2"), so each item carries
        // the device number it shows.
        m_cbDevice.SetItemData(nItem, static_cast<DWORD_PTR>(m_anDeviceNo[i]));
    }
}

LRESULT CViRuvedeDlg::OnLibraryNotLoaded(WPARAM, LPARAM)
{
    MessageBox(L"The motion library ZelvREzid2.DLL could not be loaded.", L"Error", MB_OK | MB_ICONERROR);
    return 0;
}

LRESULT CViRuvedeDlg::OnMissingEntryPoint(WPARAM, LPARAM lParam)
{
    ShowMissingEntryPoint(reinterpret_cast<const char*>(lParam));
    return 0;
}

BOOL CViRuvedeDlg::PreTranslateMessage(MSG* pMsg)
{
    // Esc and Enter never close the window nor press a default button; the
    // key goes on to the focused control.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_RETURN))
        return FALSE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CViRuvedeDlg::SetLamp(int nIndex, int nState)
{
    static CBitmap CViRuvedeDlg::* const s_apOnImage[LAMP_COUNT] = {
        &CViRuvedeDlg::m_bmpLampRed,   // ALM
        &CViRuvedeDlg::m_bmpLampBlue,  // WARN
        &CViRuvedeDlg::m_bmpLampGreen, // RDY
        &CViRuvedeDlg::m_bmpLampGreen, // INP
        &CViRuvedeDlg::m_bmpLampGreen, // ORG
        &CViRuvedeDlg::m_bmpLampRed,   // (-)EL
        &CViRuvedeDlg::m_bmpLampRed,   // (+)EL
        &CViRuvedeDlg::m_bmpLampGreen, // servo
    };
    if (nIndex < 0 || nIndex >= LAMP_COUNT)
        return;
    const CBitmap& bmpImage = nState >= 1 ? this->*s_apOnImage[nIndex] : m_bmpLampOff;
    ::SendDlgItemMessageW(m_hWnd, IDC_LAMP_ALM + nIndex, STM_SETIMAGE, IMAGE_BITMAP,
                          reinterpret_cast<LPARAM>(bmpImage.GetSafeHandle()));
}

HCURSOR CViRuvedeDlg::OnQueryDragIcon()
{
    return reinterpret_cast<HCURSOR>(m_hIcon);
}

void CViRuvedeDlg::OnDestroy()
{
    CDialog::OnDestroy();
    OnEmergencyStop();
    ::Sleep(TEARDOWN_PAUSE_MS);
    delete m_pKtrb04;
    m_pKtrb04 = nullptr;
    SetMissingEntryPointNotifier(nullptr);
    s_hNoticeOwner = nullptr;
}
