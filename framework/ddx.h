// Dialog data exchange: moves values between members and controls. When a
// field does not parse, the operator gets the framework's standard prompt,
// the exchange stops at that field (earlier fields keep their new values,
// later ones are not touched) and UpdateData returns FALSE.
#pragma once

#include "framework/wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate;   // TRUE: controls to members
    CWnd* m_pDlgWnd;
    BOOL m_bFailed = FALSE;

    // The control's window, or null (and the exchange skips it) when the
    // dialog has no such control.
    HWND PrepareCtrl(int nIdc) const;
    // Reports a field that does not parse and stops the exchange.
    void Fail(HWND hWndCtrl, LPCWSTR pszPrompt);
};

void DDX_Control(CDataExchange* pDX, int nIdc, CWnd& rControl);
void DDX_Radio(CDataExchange* pDX, int nIdc, int& value);
void DDX_Text(CDataExchange* pDX, int nIdc, double& value);
void DDX_Text(CDataExchange* pDX, int nIdc, long& value);
void DDX_Text(CDataExchange* pDX, int nIdc, int& value);

// Parsers and formatters of the exchange, shared with the tests.
BOOL AfxParseDouble(const wchar_t* pszText, double* pValue);
BOOL AfxParseLong(const wchar_t* pszText, long* pValue);
std::wstring AfxFormatDouble(double dValue);
std::wstring AfxFormatLong(long nValue);

extern const wchar_t AFX_PROMPT_PARSE_REAL[];
extern const wchar_t AFX_PROMPT_PARSE_INT[];
