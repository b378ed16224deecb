// The real main dialog on the headless window system, with the simulated
// motion library loaded through the tool's own loader, on one virtual clock.
#pragma once

#include <memory>
#include <string>

#include "tests/support/headless_app.h"
#include "tests/support/sim_client.h"
#include "ui/viruvede_dlg.h"

class CDialogTest : public CHeadlessTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Resets the simulated network (null: the default topology) and opens
    // the main dialog on it.
    void OpenDialog(const char* pszTopology = nullptr);
    // Closes the window as the operator does (WM_CLOSE) and pumps.
    void CloseDialog();

    HWND Dlg() const { return m_pDlg ? m_pDlg->m_hWnd : nullptr; }
    HeadlessDriver::CONTROL_STATE Control(int nId) const { return HeadlessDriver::ReadControl(Dlg(), nId); }
    std::wstring Text(int nId) const { return Control(nId).strText; }
    // Advances the window system's and the simulator's clocks together.
    void Advance(DWORD nMs) { HeadlessDriver::Advance(nMs); }

    CSimClient m_sim;
    std::unique_ptr<CViRuvedeDlg> m_pDlg;
};
