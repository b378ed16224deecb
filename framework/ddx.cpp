#include "framework/ddx.h"

#include <cerrno>
#include <climits>
#include <cwchar>

#include "framework/format.h"

const wchar_t AFX_PROMPT_PARSE_REAL[] = L"Please enter a number.";
const wchar_t AFX_PROMPT_PARSE_INT[] = L"Please enter an integer.";

namespace {

const wchar_t* SkipBlanks(const wchar_t* psz)
{
    while (*psz == L' ' || *psz == L'\t')
        ++psz;
    return psz;
}

// Radio buttons of one group, in template order, starting at the group's
// first button.
BOOL IsRadioButton(HWND hWnd)
{
    const LONG nType = ::GetWindowLongW(hWnd, GWL_STYLE) & 0x0F;
    return nType == BS_RADIOBUTTON || nType == BS_AUTORADIOBUTTON;
}

BOOL StartsGroup(HWND hWnd)
{
    return (::GetWindowLongW(hWnd, GWL_STYLE) & WS_GROUP) != 0;
}

} // namespace

BOOL AfxParseDouble(const wchar_t* pszText, double* pValue)
{
    const wchar_t* pszStart = SkipBlanks(pszText);
    wchar_t* pszEnd = nullptr;
    errno = 0;
    const double dValue = std::wcstod(pszStart, &pszEnd);
    if (pszEnd == pszStart || errno == ERANGE)
        return FALSE;
    if (*SkipBlanks(pszEnd) != L'\0')
        return FALSE;
    *pValue = dValue;
    return TRUE;
}

BOOL AfxParseLong(const wchar_t* pszText, long* pValue)
{
    const wchar_t* pszStart = SkipBlanks(pszText);
    wchar_t* pszEnd = nullptr;
    errno = 0;
    const long long nValue = std::wcstoll(pszStart, &pszEnd, 10);
    if (pszEnd == pszStart || errno == ERANGE)
        return FALSE;
    // The exchange is for 32-bit integers whatever the host's long.
    if (nValue < INT32_MIN || nValue > INT32_MAX)
        return FALSE;
    if (*SkipBlanks(pszEnd) != L'\0')
        return FALSE;
    *pValue = static_cast<long>(nValue);
    return TRUE;
}

std::wstring AfxFormatDouble(double dValue)
{
    return FormatText("%.15g", dValue);
}

std::wstring AfxFormatLong(long nValue)
{
    return FormatText("%ld", nValue);
}

HWND CDataExchange::PrepareCtrl(int nIdc) const
{
    return ::GetDlgItem(m_pDlgWnd->m_hWnd, nIdc);
}

void CDataExchange::Fail(HWND hWndCtrl, LPCWSTR pszPrompt)
{
    m_bFailed = TRUE;
    const std::wstring strCaption = m_pDlgWnd->GetWindowText();
    ::MessageBoxW(m_pDlgWnd->m_hWnd, pszPrompt, strCaption.c_str(), MB_OK | MB_ICONEXCLAMATION);
    if (hWndCtrl != nullptr) {
        ::SetFocus(hWndCtrl);
        ::SendMessageW(hWndCtrl, EM_SETSEL, 0, -1);
    }
}

void DDX_Control(CDataExchange* pDX, int nIdc, CWnd& rControl)
{
    if (pDX->m_bFailed || rControl.m_hWnd != nullptr)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIdc);
    if (hWndCtrl != nullptr)
        rControl.SubclassWindow(hWndCtrl);
}

void DDX_Radio(CDataExchange* pDX, int nIdc, int& value)
{
    if (pDX->m_bFailed)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIdc);
    if (hWndCtrl == nullptr)
        return;
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int nButton = 0;
    do {
        if (IsRadioButton(hWndCtrl)) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageW(hWndCtrl, BM_GETCHECK, 0, 0) != BST_UNCHECKED)
                    value = nButton;
            } else {
                ::SendMessageW(hWndCtrl, BM_SETCHECK, nButton == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++nButton;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != nullptr && !StartsGroup(hWndCtrl));
}

namespace {

template <class T, class Parse, class Format>
void ExchangeText(CDataExchange* pDX, int nIdc, T& value, Parse parse, Format format, LPCWSTR pszPrompt)
{
    if (pDX->m_bFailed)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIdc);
    if (hWndCtrl == nullptr)
        return;
    CWnd wndCtrl(hWndCtrl);
    if (!pDX->m_bSaveAndValidate) {
        wndCtrl.SetWindowText(format(value).c_str());
        return;
    }
    const std::wstring strText = wndCtrl.GetWindowText();
    T parsed = value;
    if (!parse(strText.c_str(), &parsed)) {
        pDX->Fail(hWndCtrl, pszPrompt);
        return;
    }
    value = parsed;
}

} // namespace

void DDX_Text(CDataExchange* pDX, int nIdc, double& value)
{
    ExchangeText(pDX, nIdc, value, AfxParseDouble, AfxFormatDouble, AFX_PROMPT_PARSE_REAL);
}

void DDX_Text(CDataExchange* pDX, int nIdc, long& value)
{
    ExchangeText(pDX, nIdc, value, AfxParseLong, AfxFormatLong, AFX_PROMPT_PARSE_INT);
}

void DDX_Text(CDataExchange* pDX, int nIdc, int& value)
{
    long nValue = value;
    ExchangeText(pDX, nIdc, nValue, AfxParseLong, AfxFormatLong, AFX_PROMPT_PARSE_INT);
    value = static_cast<int>(nValue);
}
