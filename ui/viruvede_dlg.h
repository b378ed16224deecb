// CViRuvedeDlg: the main window of the axis commissioning tool. The class is
// declared here once; its members are implemented by concern in the ui/
// sources (initialisation and teardown, selection, jog and moves, monitor,
// skin, ...).
#pragma once

#include "framework/afxwin.h"
#include "res/resource.h"
#include "ui/jog_button.h"

class CDidKtrb04;

// Node type of the current axis, as the motion library reports it.
enum NodeType {
    NODE_EMPTY = -1,
    NODE_SERVO = 0,
    NODE_KESTRALINE = 1,
    NODE_KTRB04 = 2
};

// Matches no node type until the first axis selection.
const int NODE_TYPE_UNSET = 65535;
extern int g_nNodeType;

// Jog modes of the radio group 1003..1005.
enum JogMode {
    JOG_VELOCITY = 0,
    JOG_RELATIVE = 1,
    JOG_ABSOLUTE = 2
};

// Status lamps: index 0..7, control 1056 + index.
enum Lamp {
    LAMP_ALM = 0,
    LAMP_WARN = 1,
    LAMP_RDY = 2,
    LAMP_INP = 3,
    LAMP_ORG = 4,
    LAMP_NEL = 5,
    LAMP_PEL = 6,
    LAMP_SERVO = 7,
    LAMP_COUNT = 8
};

const int MAX_DEVICES = 16;
const int MAX_GROUP_CHANNELS = 8;

extern const wchar_t WINDOW_TITLE[];

class CViRuvedeDlg : public CDialog {
public:
    enum { IDD = IDD_VIRUVEDE_DIALOG };

    explicit CViRuvedeDlg(CWnd* pParent = nullptr);
    ~CViRuvedeDlg() override;

    // Lamp index 0..7: a state of 1 or more lights it, 0 or less turns it off.
    void SetLamp(int nIndex, int nState);

    // Skin: shapes the window from the background bitmap (every pure white
    // pixel see-through) and keeps the bitmap for painting.
    void BuildWindowRegion(HWND hWnd, CBitmap* pBitmap);

    // Members, in declaration order.
    CDidKtrb04* m_pKtrb04 = nullptr;
    int m_nDeviceCount = 0;
    int m_anDeviceNo[MAX_DEVICES] = {};
    CComboBox m_cbAxis;
    CComboBox m_cbChannel;
    CJogButton m_btnJogPlus;
    CJogButton m_btnJogMinus;
    int m_nJogMode = JOG_VELOCITY;
    double m_dDistance = 10000.0;
    double m_dPosition1 = 0.0;
    double m_dPosition2 = 10000.0;
    CBitmap m_bmpLampOff;
    CBitmap m_bmpLampRed;
    CBitmap m_bmpLampGreen;
    CBitmap m_bmpLampBlue;
    HICON m_hIcon = nullptr;
    HANDLE m_hRepeatThread = nullptr;
    int m_bStopRepeatTest = 0;
    int m_nDevice = 0;
    int m_nAxis = 0;
    int m_nChannel = 0;
    CComboBox m_cbSpeedMode;
    double m_dAccel = 0.0;
    double m_dDecel = 0.0;
    double m_dEndSpeed = 0.0;
    double m_dInitSpeed = 0.0;
    double m_dUnitDist = 0.0;
    double m_dUnitSpeed = 0.0;
    double m_dWorkSpeed = 0.0;
    int m_nOutMode = 0;
    int m_nInMode = 0;
    int m_nHomeMode = 0;
    int m_nHomeDir = 0;
    long m_nEzCount = 0;
    long m_nEscapeDist = 0;
    int m_nHomeOffsetPulses = 0;
    CComboBox m_cbDevice;
    CComboBox m_cbElMinusLogic;
    CComboBox m_cbElPlusLogic;
    CComboBox m_cbOrgLogic;
    long m_nDelayTime = 500;
    CComboBox m_cbElMode;
    CComboBox m_cbInPosition;
    CComboBox m_cbSvonMode;
    double m_dHomeVel[3] = { 0.0, 0.0, 0.0 };
    double m_dHomeOffset = 0.0;
    double m_dHomeDecel[3] = { 0.0, 0.0, 0.0 };
    double m_dHomeAccel[3] = { 0.0, 0.0, 0.0 };
    CComboBox m_cbHomeSpeedMode[3];
    CComboBox m_cbHomeMode;
    CComboBox m_cbHomeDir;
    CComboBox m_cbElLogic;
    CComboBox m_cbEzLogic;
    CComboBox m_cbInpLogic;
    CComboBox m_cbAlmLogic;
    CComboBox m_cbAlarmStopMode;
    CComboBox m_cbCmdPulseMode;
    CComboBox m_cbPosClrMode;
    double m_dReverseVel = 0.0;
    CBitmap m_bmpBackground;
    CRgn m_rgnWindow;
    int m_nSkinOriginX = 0;
    int m_nSkinOriginY = 0;
    int m_nSkinWidth = 0;
    int m_nSkinHeight = 0;
    CBitmap* m_pSkinBitmap = nullptr;
    CComboBox m_cbFbPulseMode;
    long m_nRingMin = 0;
    long m_nRingMax = 0;
    int m_nGroupChannel[MAX_GROUP_CHANNELS] = {};
    CComboBox m_cbMasterAxis;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;

    // Initialisation and teardown.
    HCURSOR OnQueryDragIcon();
    void OnDestroy();
    LRESULT OnLibraryNotLoaded(WPARAM wParam, LPARAM lParam);
    LRESULT OnMissingEntryPoint(WPARAM wParam, LPARAM lParam);

    // Jog and moves.
    void OnJogModeChanged();
    LRESULT OnJogButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnJogButtonUp(WPARAM wParam, LPARAM lParam);
    void OnStop();
    void OnEmergencyStop();
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void StartVelocityJog(bool bMinus);
    void EndVelocityJog(bool bMinus);
    void StartRelativeMove(bool bMinus);
    void StartAbsoluteMove(bool bMinus);
    void MoveKtrb04(int nDistance);
    int StopKtrb04(int nStopMode);

    // Status monitor.
    void OnTimer(UINT_PTR nIDEvent);
    void UpdateStatusDisplay();
    void UpdateAlarmDisplay();
    void UpdateServoStatus();
    void UpdateKestralineStatus();
    void UpdateKtrb04Status();

    // Device, axis and channel selection.
    void OnSelchangeDevice();
    void OnSelchangeAxis();
    void OnSelchangeChannel();

    // Skin.
    BOOL OnEraseBkgnd(CDC* pDC);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnPaint();

    DECLARE_MESSAGE_MAP()

private:
    // Control helpers that tolerate a missing control.
    void EnableItem(int nId, BOOL bEnable);
    void SetItemText(int nId, LPCWSTR pszText);

    void FillDeviceList();

    // Device, axis and channel selection.
    void ApplyNodeTypeLayout(int nType);
    void ClearAxisPanel();
    void ShowEmptyAxis();
    void ShowServoAxis();
    void ShowKestralineAxis();
    void ShowKtrb04Axis();
    void ShowKestralineChannel();
    void ShowKtrb04Channel();
    void PrepareKtrb04Entry();
    int SelectedChannel() const;
};
