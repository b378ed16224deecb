#include "framework/dialog.h"

#include <cstring>
#include <string>

#include "framework/winapp.h"

namespace {

// Template initialisation records use the 16-bit message numbers.
const WORD DLGINIT_CB_ADDSTRING = 0x0403;
const WORD DLGINIT_LB_ADDSTRING = 0x0401;

// The dialog manager returns these messages' results directly instead of
// through DWLP_MSGRESULT.
BOOL ReturnsResultDirectly(UINT nMessage)
{
    return (nMessage >= WM_CTLCOLORMSGBOX && nMessage <= WM_CTLCOLORSTATIC) || nMessage == WM_QUERYDRAGICON ||
           nMessage == WM_COMPAREITEM || nMessage == WM_VKEYTOITEM || nMessage == WM_CHARTOITEM ||
           nMessage == WM_INITDIALOG;
}

WORD ReadWord(const unsigned char* p)
{
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

DWORD ReadDword(const unsigned char* p)
{
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) | (static_cast<DWORD>(p[2]) << 16) |
           (static_cast<DWORD>(p[3]) << 24);
}

} // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIdTemplate, CWnd* pParentWnd)
    : m_nIdHelp(nIdTemplate), m_nIdTemplate(nIdTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog()
{
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
}

HWND CDialog::CreateIndirectWindow()
{
    HWND hParent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    return ::CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nIdTemplate), hParent, &AfxDlgProc,
                                reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::Create()
{
    m_bModal = FALSE;
    return CreateIndirectWindow() != nullptr;
}

INT_PTR CDialog::DoModal()
{
    HWND hParent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    m_bModal = TRUE;
    m_bEndModal = FALSE;
    m_nModalResult = -1;
    if (CreateIndirectWindow() == nullptr)
        return -1;
    if (hParent != nullptr)
        ::EnableWindow(hParent, FALSE);
    MSG msg;
    while (!m_bEndModal && m_hWnd != nullptr) {
        const BOOL bGot = ::GetMessageW(&msg, nullptr, 0, 0);
        if (bGot == 0 || bGot == -1) {
            if (bGot == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (hParent != nullptr)
        ::EnableWindow(hParent, TRUE);
    if (m_hWnd != nullptr)
        ::DestroyWindow(m_hWnd);
    m_bModal = FALSE;
    return m_nModalResult;
}

void CDialog::PumpPendingMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            break;
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    if (m_bModal) {
        m_bEndModal = TRUE;
        // Wake the modal loop so it sees the request.
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
        return;
    }
    if (m_hWnd != nullptr)
        ::DestroyWindow(m_hWnd);
}

BOOL CDialog::ExecuteDlgInit(UINT nIdTemplate)
{
    HINSTANCE hInstance = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceW(hInstance, MAKEINTRESOURCEW(nIdTemplate), MAKEINTRESOURCEW(240));
    if (hResource == nullptr)
        return TRUE;
    HGLOBAL hData = ::LoadResource(hInstance, hResource);
    const DWORD cbData = ::SizeofResource(hInstance, hResource);
    const unsigned char* p = static_cast<const unsigned char*>(::LockResource(hData));
    if (p == nullptr)
        return FALSE;
    const unsigned char* pEnd = p + cbData;
    while (pEnd - p >= 2) {
        const WORD nIdCtrl = ReadWord(p);
        if (nIdCtrl == 0)
            break;
        if (pEnd - p < 8)
            return FALSE;
        const WORD nMessage = ReadWord(p + 2);
        const DWORD cbText = ReadDword(p + 4);
        p += 8;
        if (static_cast<DWORD>(pEnd - p) < cbText)
            return FALSE;
        // The stored text is ANSI and carries its NUL; the items are ASCII.
        std::wstring strItem;
        for (DWORD i = 0; i < cbText && p[i] != 0; ++i)
            strItem.push_back(static_cast<wchar_t>(p[i]));
        p += cbText;
        UINT nWin32Message = 0;
        if (nMessage == DLGINIT_CB_ADDSTRING)
            nWin32Message = CB_ADDSTRING;
        else if (nMessage == DLGINIT_LB_ADDSTRING)
            nWin32Message = LB_ADDSTRING;
        else
            continue;
        ::SendDlgItemMessageW(m_hWnd, nIdCtrl, nWin32Message, 0, reinterpret_cast<LPARAM>(strItem.c_str()));
    }
    return TRUE;
}

BOOL CDialog::OnInitDialog()
{
    ExecuteDlgInit(m_nIdTemplate);
    UpdateData(FALSE);
    return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // Keyboard navigation of the dialog (Tab, Enter as OK, Esc as Cancel).
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    return ::IsDialogMessageW(m_hWnd, pMsg);
}

BOOL CDialog::OnWndMsg(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CWnd::OnWndMsg(nMessage, wParam, lParam, pResult))
        return TRUE;
    // Commands the dialog does not handle go on to the application.
    if (nMessage == WM_COMMAND && AfxGetApp() != nullptr)
        return AfxGetApp()->DispatchToMap(nMessage, wParam, lParam, pResult);
    return FALSE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

LRESULT CDialog::DefWindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    // The dialog manager's own processing runs once the dialog procedure
    // returns unhandled; a handler asking for the default gets the window's.
    return ::DefWindowProcW(m_hWnd, nMessage, wParam, lParam);
}

BOOL CDialog::HandleInitDialog(HWND hWnd)
{
    AttachPermanent(hWnd);
    return OnInitDialog();
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_INITDIALOG) {
        CDialog* pDialog = reinterpret_cast<CDialog*>(lParam);
        return pDialog ? pDialog->HandleInitDialog(hWnd) : FALSE;
    }
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return FALSE;
    LRESULT lResult = 0;
    const BOOL bHandled = pWnd->RouteDialogMessage(nMessage, wParam, lParam, &lResult);
    if (nMessage == WM_NCDESTROY) {
        pWnd->HandleNcDestroy();
        return FALSE;
    }
    if (!bHandled)
        return FALSE;
    if (ReturnsResultDirectly(nMessage))
        return static_cast<INT_PTR>(lResult);
    ::SetWindowLongPtrW(hWnd, DWLP_MSGRESULT, static_cast<LONG_PTR>(lResult));
    return TRUE;
}
