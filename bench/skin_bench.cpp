// Skin benchmark of the Windows build:
//
//   zelv_skin_bench region [runs]
//       builds the window region from bitmap 138 on a hidden popup window,
//       with the dialog's own BuildWindowRegion, and times each build;
//   zelv_skin_bench startup <program> [runs]
//       starts the program and times, from process creation, until its main
//       window exists and until the screen shows the window's painted title
//       bar; then closes it.
//
// Each run prints one line; the last line is the median.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ui/viruvede_dlg.h"

namespace {

const wchar_t MAIN_TITLE[] = L"Zelvora Mechatrolink-II Single Axis Dravenel v.16.1.21.0";
const DWORD START_TIMEOUT_MS = 60000;
const DWORD EXIT_TIMEOUT_MS = 30000;
// A point inside the painted title bar, from the window's top-left corner.
const int TITLE_PROBE_X = 500;
const int TITLE_PROBE_Y = 10;

double NowMs()
{
    static LARGE_INTEGER s_frequency = {};
    if (s_frequency.QuadPart == 0)
        ::QueryPerformanceFrequency(&s_frequency);
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(s_frequency.QuadPart);
}

double Median(std::vector<double> adValues)
{
    if (adValues.empty())
        return 0.0;
    std::sort(adValues.begin(), adValues.end());
    const size_t n = adValues.size();
    return n % 2 ? adValues[n / 2] : (adValues[n / 2 - 1] + adValues[n / 2]) / 2.0;
}

int RunRegion(int nRuns)
{
    HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"skin bench", WS_POPUP, 0, 0, 1069, 749, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    if (hWnd == nullptr) {
        std::fprintf(stderr, "zelv_skin_bench: no window\n");
        return 1;
    }
    // The dialog object without its window: only its skin is used.
    CViRuvedeDlg dlg;
    dlg.m_bmpBackground.LoadBitmap(IDB_BACKGROUND);
    BITMAP bm = {};
    if (dlg.m_bmpBackground.GetBitmap(&bm) == 0) {
        std::fprintf(stderr, "zelv_skin_bench: bitmap %d not found\n", IDB_BACKGROUND);
        ::DestroyWindow(hWnd);
        return 1;
    }
    std::printf("bitmap %ld x %ld, %d bits per pixel\n", bm.bmWidth, bm.bmHeight, bm.bmBitsPixel);
    std::vector<double> adMs;
    for (int i = 0; i < nRuns; ++i) {
        const double dStart = NowMs();
        dlg.BuildWindowRegion(hWnd, &dlg.m_bmpBackground);
        adMs.push_back(NowMs() - dStart);
        std::printf("region_build_ms run %d %.1f\n", i + 1, adMs.back());
    }
    RECT rcBox = {};
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    const int nType = ::GetWindowRgn(hWnd, hRgn);
    ::GetRgnBox(hRgn, &rcBox);
    ::DeleteObject(hRgn);
    std::printf("region box %ld %ld %ld %ld type %d\n", rcBox.left, rcBox.top, rcBox.right, rcBox.bottom, nType);
    std::printf("region_build_ms median %.1f\n", Median(adMs));
    ::DestroyWindow(hWnd);
    return 0;
}

bool IsTitleBarBlue(COLORREF cr)
{
    return cr != CLR_INVALID && GetBValue(cr) > 100 && GetBValue(cr) > GetRValue(cr) + 40;
}

// One start: milliseconds to the window and to its painted title bar.
bool StartOnce(const std::wstring& strProgram, double* pdWindowMs, double* pdPaintedMs)
{
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::wstring strCommand = L"\"" + strProgram + L"\"";
    const double dStart = NowMs();
    if (!::CreateProcessW(nullptr, &strCommand[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    HWND hWnd = nullptr;
    HDC hScreen = ::GetDC(nullptr);
    *pdWindowMs = -1.0;
    *pdPaintedMs = -1.0;
    while (NowMs() - dStart < START_TIMEOUT_MS) {
        if (hWnd == nullptr) {
            hWnd = ::FindWindowW(nullptr, MAIN_TITLE);
            if (hWnd != nullptr)
                *pdWindowMs = NowMs() - dStart;
        }
        if (hWnd != nullptr && ::IsWindowVisible(hWnd)) {
            RECT rc;
            ::GetWindowRect(hWnd, &rc);
            if (IsTitleBarBlue(::GetPixel(hScreen, rc.left + TITLE_PROBE_X, rc.top + TITLE_PROBE_Y))) {
                *pdPaintedMs = NowMs() - dStart;
                break;
            }
        }
        ::Sleep(1);
    }
    ::ReleaseDC(nullptr, hScreen);
    if (hWnd != nullptr)
        ::PostMessageW(hWnd, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(pi.hProcess, EXIT_TIMEOUT_MS) != WAIT_OBJECT_0)
        ::TerminateProcess(pi.hProcess, 1);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return *pdPaintedMs >= 0.0;
}

int RunStartup(const std::wstring& strProgram, int nRuns)
{
    std::vector<double> adWindow;
    std::vector<double> adPainted;
    for (int i = 0; i <= nRuns; ++i) {
        double dWindow = 0.0;
        double dPainted = 0.0;
        if (!StartOnce(strProgram, &dWindow, &dPainted)) {
            std::fprintf(stderr, "zelv_skin_bench: run %d: no painted window within %lu ms\n", i,
                         static_cast<unsigned long>(START_TIMEOUT_MS));
            return 1;
        }
        // Run 0 warms up Wine and the file cache.
        const char* pszRun = i == 0 ? "warm-up" : "run";
        std::printf("startup %s %d window_ms %.0f painted_ms %.0f\n", pszRun, i, dWindow, dPainted);
        if (i == 0)
            continue;
        adWindow.push_back(dWindow);
        adPainted.push_back(dPainted);
    }
    std::printf("startup median window_ms %.0f painted_ms %.0f\n", Median(adWindow), Median(adPainted));
    return 0;
}

int Usage()
{
    std::fprintf(stderr, "usage: zelv_skin_bench region [runs]\n"
                         "       zelv_skin_bench startup <program> [runs]\n");
    return 2;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    // Lines appear as they are measured, also through a pipe.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 2)
        return Usage();
    const std::wstring strMode = argv[1];
    if (strMode == L"region") {
        const int nRuns = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;
        return RunRegion(nRuns);
    }
    if (strMode == L"startup" && argc > 2) {
        const int nRuns = argc > 3 ? std::max(1, _wtoi(argv[3])) : 5;
        return RunStartup(argv[2], nRuns);
    }
    return Usage();
}
