#include "framework/controls.h"

#include <vector>

namespace {

LRESULT Send(HWND hWnd, UINT nMessage, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return ::SendMessageW(hWnd, nMessage, wParam, lParam);
}

} // namespace

int CButton::GetCheck() const { return static_cast<int>(Send(m_hWnd, BM_GETCHECK)); }
void CButton::SetCheck(int nCheck) { Send(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(nCheck)); }

int CComboBox::AddString(LPCWSTR pszString)
{
    return static_cast<int>(Send(m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pszString)));
}

int CComboBox::InsertString(int nIndex, LPCWSTR pszString)
{
    return static_cast<int>(Send(m_hWnd, CB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(pszString)));
}

int CComboBox::DeleteString(int nIndex) { return static_cast<int>(Send(m_hWnd, CB_DELETESTRING, static_cast<WPARAM>(nIndex))); }
void CComboBox::ResetContent() { Send(m_hWnd, CB_RESETCONTENT); }
int CComboBox::GetCount() const { return static_cast<int>(Send(m_hWnd, CB_GETCOUNT)); }
int CComboBox::GetCurSel() const { return static_cast<int>(Send(m_hWnd, CB_GETCURSEL)); }
int CComboBox::SetCurSel(int nSelect) { return static_cast<int>(Send(m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(nSelect))); }

std::wstring CComboBox::GetLBText(int nIndex) const
{
    const LRESULT nLength = Send(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex));
    if (nLength < 0)
        return std::wstring();
    std::vector<wchar_t> buffer(static_cast<size_t>(nLength) + 1, L'\0');
    const LRESULT nCopied = Send(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(buffer.data()));
    return nCopied < 0 ? std::wstring() : std::wstring(buffer.data(), static_cast<size_t>(nCopied));
}

int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return static_cast<int>(Send(m_hWnd, CB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
}

DWORD_PTR CComboBox::GetItemData(int nIndex) const
{
    return static_cast<DWORD_PTR>(Send(m_hWnd, CB_GETITEMDATA, static_cast<WPARAM>(nIndex)));
}

int CComboBox::FindStringExact(int nStartAfter, LPCWSTR pszString) const
{
    return static_cast<int>(Send(m_hWnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(pszString)));
}
