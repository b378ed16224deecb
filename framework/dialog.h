// CDialog: a dialog built from a template of the program's resources. The
// framework runs its own modal loop so that PreTranslateMessage sees every
// queued message, as the dialog's keyboard filter needs.
#pragma once

#include "framework/wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIdTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Runs the dialog modally and returns the value given to EndDialog.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless; the headless tests drive it this way.
    BOOL Create();
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnWndMsg(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // Processes every queued message through the framework's pre-translation,
    // as one turn of the modal loop would.
    static void PumpPendingMessages();

protected:
    virtual void OnOK();
    virtual void OnCancel();

    // Fills the controls from the template's initialisation data (combo-box
    // items).
    BOOL ExecuteDlgInit(UINT nIdTemplate);

    UINT m_nIdHelp;
    LRESULT DefWindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()

private:
    friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);
    BOOL HandleInitDialog(HWND hWnd);
    HWND CreateIndirectWindow();

    UINT m_nIdTemplate;
    CWnd* m_pParentWnd;
    BOOL m_bModal = FALSE;
    BOOL m_bEndModal = FALSE;
    int m_nModalResult = -1;
};

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
