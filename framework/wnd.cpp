#include "framework/wnd.h"

#include <map>
#include <memory>
#include <vector>

#include "framework/ddx.h"
#include "framework/gdi.h"

namespace {

// Windows attached to framework objects. Only the user-interface thread
// creates, routes and destroys windows, so no lock is needed.
std::map<HWND, CWnd*>& PermanentMap()
{
    static std::map<HWND, CWnd*> s_map;
    return s_map;
}

// Views handed out by FromHandle for windows without an object; released
// when the outermost message has been handled.
std::map<HWND, std::unique_ptr<CWnd>>& TemporaryMap()
{
    static std::map<HWND, std::unique_ptr<CWnd>> s_map;
    return s_map;
}

int s_nDispatchDepth = 0;

struct CDispatchScope {
    CDispatchScope() { ++s_nDispatchDepth; }
    ~CDispatchScope()
    {
        if (--s_nDispatchDepth == 0)
            TemporaryMap().clear();
    }
};

} // namespace

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::~CWnd()
{
    if (m_pfnSuper != nullptr)
        UnsubclassWindow();
    else if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
        DetachPermanent();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    auto it = PermanentMap().find(hWnd);
    return it == PermanentMap().end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    std::unique_ptr<CWnd>& pTemp = TemporaryMap()[hWnd];
    if (!pTemp)
        pTemp.reset(new CWnd(hWnd));
    return pTemp.get();
}

void CWnd::AttachPermanent(HWND hWnd)
{
    m_hWnd = hWnd;
    PermanentMap()[hWnd] = this;
    TemporaryMap().erase(hWnd);
}

void CWnd::DetachPermanent()
{
    PermanentMap().erase(m_hWnd);
    m_hWnd = nullptr;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (hWnd == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWnd) != nullptr)
        return FALSE;
    AttachPermanent(hWnd);
    m_pfnSuper = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nId, CWnd* pParent)
{
    if (pParent == nullptr)
        return FALSE;
    return SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nId)));
}

HWND CWnd::UnsubclassWindow()
{
    HWND hWnd = m_hWnd;
    if (hWnd == nullptr)
        return nullptr;
    if (m_pfnSuper != nullptr && ::IsWindow(hWnd))
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    DetachPermanent();
    return hWnd;
}

void CWnd::HandleNcDestroy()
{
    if (m_pfnSuper != nullptr)
        UnsubclassWindow();
    else
        DetachPermanent();
    PostNcDestroy();
}

CWnd* CWnd::GetDlgItem(int nId) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nId));
}

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
void CWnd::SetWindowText(LPCWSTR pszText) { ::SetWindowTextW(m_hWnd, pszText); }

std::wstring CWnd::GetWindowText() const
{
    const int nLength = ::GetWindowTextLengthW(m_hWnd);
    if (nLength <= 0)
        return std::wstring();
    std::vector<wchar_t> buffer(static_cast<size_t>(nLength) + 1, L'\0');
    const int nCopied = ::GetWindowTextW(m_hWnd, buffer.data(), nLength + 1);
    return std::wstring(buffer.data(), nCopied > 0 ? static_cast<size_t>(nCopied) : 0);
}

void CWnd::SetDlgItemText(int nId, LPCWSTR pszText) { ::SetDlgItemTextW(m_hWnd, nId, pszText); }

std::wstring CWnd::GetDlgItemText(int nId) const
{
    CWnd wndItem(::GetDlgItem(m_hWnd, nId));
    return wndItem.m_hWnd ? wndItem.GetWindowText() : std::wstring();
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIdEvent, UINT nElapse, TIMERPROC pfnTimer)
{
    return ::SetTimer(m_hWnd, nIdEvent, nElapse, pfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIdEvent) { return ::KillTimer(m_hWnd, nIdEvent); }
BOOL CWnd::PostMessage(UINT nMessage, WPARAM wParam, LPARAM lParam) { return ::PostMessageW(m_hWnd, nMessage, wParam, lParam); }
LRESULT CWnd::SendMessage(UINT nMessage, WPARAM wParam, LPARAM lParam) { return ::SendMessageW(m_hWnd, nMessage, wParam, lParam); }

int CWnd::MessageBox(LPCWSTR pszText, LPCWSTR pszCaption, UINT nType)
{
    return ::MessageBoxW(m_hWnd, pszText, pszCaption, nType);
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

void CWnd::GetClientRect(LPRECT pRect) const { ::GetClientRect(m_hWnd, pRect); }
void CWnd::ScreenToClient(LPPOINT pPoint) const { ::ScreenToClient(m_hWnd, pPoint); }
int CWnd::SetWindowRgn(HRGN hRgn, BOOL bRedraw) { return ::SetWindowRgn(m_hWnd, hRgn, bRedraw); }
void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE)); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
BOOL CWnd::DestroyWindow() { return m_hWnd != nullptr && ::DestroyWindow(m_hWnd); }

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::OnWndMsg(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return DispatchToMap(nMessage, wParam, lParam, pResult);
}

LRESULT CWnd::WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    CDispatchScope scope;
    const CURRENT_MSG saved = m_current;
    m_current = { nMessage, wParam, lParam };
    LRESULT lResult = 0;
    if (!OnWndMsg(nMessage, wParam, lParam, &lResult))
        lResult = DefWindowProc(nMessage, wParam, lParam);
    m_current = saved;
    return lResult;
}

BOOL CWnd::RouteDialogMessage(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CDispatchScope scope;
    const CURRENT_MSG saved = m_current;
    m_current = { nMessage, wParam, lParam };
    const BOOL bHandled = OnWndMsg(nMessage, wParam, lParam, pResult);
    m_current = saved;
    return bHandled;
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_current.nMessage, m_current.wParam, m_current.lParam);
}

LRESULT CWnd::DefWindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, nMessage, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, nMessage, wParam, lParam);
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT)
{
    return reinterpret_cast<HBRUSH>(Default());
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcW(hWnd, nMessage, wParam, lParam);
    const LRESULT lResult = pWnd->WindowProc(nMessage, wParam, lParam);
    if (nMessage == WM_NCDESTROY)
        pWnd->HandleNcDestroy();
    return lResult;
}

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
    }
    return FALSE;
}
