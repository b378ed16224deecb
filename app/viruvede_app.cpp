#include "app/viruvede_app.h"

#include "ui/viruvede_dlg.h"

namespace {

const UINT ID_HELP = 0xE146;

} // namespace

BEGIN_MESSAGE_MAP(CViRuvedeApp, CWinApp)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CViRuvedeApp::CViRuvedeApp() : CWinApp(nullptr) {}

CViRuvedeApp theApp;

BOOL CViRuvedeApp::InitInstance()
{
    AfxEnableControlContainer();
    CViRuvedeDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // No message loop of our own: the program ends with the dialog.
    return FALSE;
}
