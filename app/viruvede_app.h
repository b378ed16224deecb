// CViRuvedeApp: the application object; it runs the main dialog modally and
// ends the program when the dialog closes.
#pragma once

#include "framework/afxwin.h"

class CViRuvedeApp : public CWinApp {
public:
    CViRuvedeApp();

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};

extern CViRuvedeApp theApp;
