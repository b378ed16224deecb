// The application object and the program's entry point.
#pragma once

#include "framework/cmdtarget.h"

class CWnd;

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(LPCWSTR pszAppName = nullptr);
    ~CWinApp() override;

    // Sets up the application; FALSE ends the program without a message loop.
    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The message loop, entered only when InitInstance returns TRUE.
    virtual int Run();

    HINSTANCE m_hInstance = nullptr;
    LPCWSTR m_pszAppName;
    CWnd* m_pMainWnd = nullptr;

    // The framework's help command. The tool ships no help file, so there is
    // nothing to open.
    void OnHelp();

    static const AFX_MSGMAP* GetThisMessageMap();

protected:
    const AFX_MSGMAP* GetMessageMap() const override;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
// ActiveX control hosting; the tool hosts none, so this only keeps the
// start-up sequence explicit.
void AfxEnableControlContainer();

// Runs the one application object: what WinMain does.
int AfxWinMain(HINSTANCE hInstance);
