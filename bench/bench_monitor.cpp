// Cost of one status-monitor tick (timer 0) of the main window, per node
// type, against the simulated motion library on the headless window system.
// Prints microseconds per tick and the share of the 50 ms timer period.
//
//   bench_monitor [ticks]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "framework/wnd.h"
#include "res/res_headless.h"
#include "ui/viruvede_dlg.h"
#include "winapi/headless/driver.h"
#include "winapi/headless/kernel32.h"

namespace {

const double TIMER_PERIOD_US = 50000.0;
const int DEFAULT_TICKS = 5000;
const int WARM_UP_TICKS = 100;

// Axes of the simulator's default network on board 0.
const struct {
    const char* pszNode;
    int nAxis;
    int nChannel;
    int nExpectedType;
} s_aNodes[] = {
    { "Servo", 0, 0, NODE_SERVO },
    { "I/O Kestraline", 2, 0, NODE_KESTRALINE },
    { "KTRB04-M2", 3, 0, NODE_KTRB04 },
    { "Empty Node", 9, 0, NODE_EMPTY },
};

double MeasureTicks(HWND hDlg, int nTicks)
{
    for (int i = 0; i < WARM_UP_TICKS; ++i)
        ::SendMessageW(hDlg, WM_TIMER, 0, 0);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < nTicks; ++i)
        ::SendMessageW(hDlg, WM_TIMER, 0, 0);
    const std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / nTicks;
}

} // namespace

int main(int argc, char** argv)
{
    const int nTicks = argc > 1 ? std::atoi(argv[1]) : DEFAULT_TICKS;
    if (nTicks <= 0) {
        std::fprintf(stderr, "usage: bench_monitor [ticks > 0]\n");
        return 2;
    }
    HeadlessDriver::Reset();
    HeadlessSetResources(ResHeadlessTable(), ResHeadlessScript());
    // The window's clock stands still (no timer fires by itself); the
    // simulator runs in real time.
    HeadlessClockUseVirtual(true);

    std::unique_ptr<CViRuvedeDlg> pDlg(new CViRuvedeDlg);
    if (!pDlg->Create()) {
        std::fprintf(stderr, "bench_monitor: the main window did not open: %s\n",
                     HeadlessDriver::LastDialogError().c_str());
        return 1;
    }
    HeadlessDriver::Pump();
    const HWND hDlg = pDlg->m_hWnd;
    if (pDlg->m_nDeviceCount == 0) {
        std::fprintf(stderr, "bench_monitor: no simulated board (is ZelvREzid2.so beside the program?)\n");
        return 1;
    }

    std::printf("%-16s %12s %14s\n", "node", "us/tick", "share of 50 ms");
    int nStatus = 0;
    for (const auto& node : s_aNodes) {
        HeadlessDriver::SelectComboIndex(hDlg, IDC_AXIS, node.nAxis);
        if (node.nExpectedType == NODE_KESTRALINE || node.nExpectedType == NODE_KTRB04)
            HeadlessDriver::SelectComboIndex(hDlg, IDC_CHANNEL, node.nChannel);
        HeadlessDriver::Pump();
        if (g_nNodeType != node.nExpectedType) {
            std::fprintf(stderr, "bench_monitor: axis %d is not a %s node\n", node.nAxis, node.pszNode);
            nStatus = 1;
            continue;
        }
        const double dMicros = MeasureTicks(hDlg, nTicks);
        std::printf("%-16s %12.2f %13.4f%%\n", node.pszNode, dMicros, 100.0 * dMicros / TIMER_PERIOD_US);
    }
    ::DestroyWindow(hDlg);
    HeadlessDriver::Pump();
    pDlg.reset();
    HeadlessDriver::Reset();
    return nStatus;
}
