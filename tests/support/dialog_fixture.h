// The real main dialog on the headless window system, with the simulated
// motion library loaded through the tool's own loader, on one virtual clock.
#pragma once

#include <memory>
#include <string>
#include <vector>

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
    // The operator picks an axis and, on pulse nodes (or when a channel is
    // named), a channel, as through the panel.
    void SelectNode(int nAxis, int nChannel = 0);
    // Names of the simulator's trace lines ("SxMoveStart"), in call order.
    std::vector<std::string> TraceCalls() const;

    CSimClient m_sim;
    std::unique_ptr<CViRuvedeDlg> m_pDlg;
};

// Occurrences and first position (-1: none) of a call name in a list of them.
int CountOf(const std::vector<std::string>& astrCalls, const std::string& strName);
int IndexOf(const std::vector<std::string>& astrCalls, const std::string& strName);
