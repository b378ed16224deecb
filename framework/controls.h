// Views of the standard controls, bound to the dialog's controls by
// DDX_Control.
#pragma once

#include <string>

#include "framework/wnd.h"

class CButton : public CWnd {
public:
    int GetCheck() const;
    void SetCheck(int nCheck);

};

class CComboBox : public CWnd {
public:
    int AddString(LPCWSTR pszString);
    int InsertString(int nIndex, LPCWSTR pszString);
    int DeleteString(int nIndex);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    std::wstring GetLBText(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    DWORD_PTR GetItemData(int nIndex) const;
    int FindStringExact(int nStartAfter, LPCWSTR pszString) const;

};
