// zelv_auto: drives a running dialog program from outside, for the
// end-to-end tests under Wine. One invocation runs a small script of
// commands separated by "--", so a test pays for one Wine start:
//
//   zelv_auto wait-window "Title" 20000 -- rect -- items 1039 -- close
//
// Each command prints one or more lines on stdout (UTF-8); the first command
// that fails stops the script with a message on stderr and exit code 1.
// Usage errors exit with code 2.

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

const UINT SEND_TIMEOUT_MS = 5000;
const UINT BUSY_TIMEOUT_MS = 2000;
const DWORD POLL_MS = 20;

using CArgs = std::vector<std::wstring>;

// The window under test and the process that owns it.
struct CSession {
    HWND m_hWnd = nullptr;
    DWORD m_dwProcessId = 0;
    HANDLE m_hProcess = nullptr;
    DWORD m_dwCloseTick = 0;

    ~CSession()
    {
        if (m_hProcess)
            CloseHandle(m_hProcess);
    }
};

std::string ToUtf8(const std::wstring& str)
{
    if (str.empty())
        return std::string();
    int nBytes = WideCharToMultiByte(CP_UTF8, 0, str.c_str(), static_cast<int>(str.size()),
                                     nullptr, 0, nullptr, nullptr);
    std::string strOut(static_cast<size_t>(nBytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, str.c_str(), static_cast<int>(str.size()), &strOut[0], nBytes,
                        nullptr, nullptr);
    return strOut;
}

void WriteHandle(DWORD dwStd, const std::string& str)
{
    DWORD dwWritten = 0;
    WriteFile(GetStdHandle(dwStd), str.data(), static_cast<DWORD>(str.size()), &dwWritten, nullptr);
}

void Out(const std::wstring& str) { WriteHandle(STD_OUTPUT_HANDLE, ToUtf8(str) + "\n"); }

bool Fail(const std::wstring& str)
{
    WriteHandle(STD_ERROR_HANDLE, "zelv_auto: " + ToUtf8(str) + "\n");
    return false;
}

std::wstring Format(const wchar_t* pszFormat, ...)
{
    wchar_t aszBuffer[1024];
    va_list args;
    va_start(args, pszFormat);
    _vsnwprintf(aszBuffer, 1023, pszFormat, args);
    va_end(args);
    aszBuffer[1023] = L'\0';
    return aszBuffer;
}

bool ParseInt(const std::wstring& str, long& nValue)
{
    if (str.empty())
        return false;
    wchar_t* pszEnd = nullptr;
    nValue = std::wcstol(str.c_str(), &pszEnd, 0);
    return *pszEnd == L'\0';
}

// "\uAD74\uB9BC" -> the two characters: face names whatever the Unix locale.
std::wstring Unescape(const std::wstring& str)
{
    std::wstring strOut;
    for (size_t i = 0; i < str.size(); ++i) {
        if (str[i] == L'\\' && i + 5 < str.size() && str[i + 1] == L'u') {
            strOut += static_cast<wchar_t>(std::wcstoul(str.substr(i + 2, 4).c_str(), nullptr, 16));
            i += 5;
            continue;
        }
        strOut += str[i];
    }
    return strOut;
}

// Sends with a bound, so a hung program fails the test instead of stalling it.
bool SendBounded(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                 UINT nTimeoutMs = SEND_TIMEOUT_MS)
{
    DWORD_PTR dwResult = 0;
    if (!SendMessageTimeoutW(hWnd, nMsg, wParam, lParam, SMTO_NORMAL, nTimeoutMs, &dwResult))
        return false;
    lResult = static_cast<LRESULT>(dwResult);
    return true;
}

// Sends a message whose handler may open a modal box: a timeout then means
// "still running" rather than failure.
bool SendMaybeModal(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam, const std::wstring& strWhat)
{
    DWORD_PTR dwResult = 0;
    SetLastError(0);
    if (SendMessageTimeoutW(hWnd, nMsg, wParam, lParam, SMTO_NORMAL, BUSY_TIMEOUT_MS, &dwResult)) {
        Out(strWhat + L" ok");
        return true;
    }
    if (!IsWindow(hWnd))
        return Fail(strWhat + L": window gone");
    Out(strWhat + L" busy");
    return true;
}

bool RequireWindow(const CSession& session)
{
    if (session.m_hWnd && IsWindow(session.m_hWnd))
        return true;
    return Fail(L"no target window (use wait-window first, or the window is gone)");
}

bool GetControl(const CSession& session, const std::wstring& strId, HWND& hCtrl, long& nId)
{
    if (!RequireWindow(session))
        return false;
    if (!ParseInt(strId, nId))
        return Fail(L"bad control id '" + strId + L"'");
    hCtrl = GetDlgItem(session.m_hWnd, static_cast<int>(nId));
    if (!hCtrl)
        return Fail(Format(L"no control with id %ld", nId));
    return true;
}

bool IsComboBox(HWND hCtrl)
{
    wchar_t aszClass[64] = {};
    GetClassNameW(hCtrl, aszClass, 64);
    return _wcsicmp(aszClass, L"ComboBox") == 0;
}

bool GetWindowTextBounded(HWND hWnd, std::wstring& str)
{
    LRESULT nLength = 0;
    if (!SendBounded(hWnd, WM_GETTEXTLENGTH, 0, 0, nLength))
        return Fail(L"WM_GETTEXTLENGTH timed out");
    std::vector<wchar_t> aBuffer(static_cast<size_t>(nLength) + 1, L'\0');
    LRESULT nCopied = 0;
    if (!SendBounded(hWnd, WM_GETTEXT, aBuffer.size(), reinterpret_cast<LPARAM>(aBuffer.data()), nCopied))
        return Fail(L"WM_GETTEXT timed out");
    str.assign(aBuffer.data());
    return true;
}

bool GetComboItem(HWND hCombo, LRESULT nIndex, std::wstring& str)
{
    LRESULT nLength = 0;
    if (!SendBounded(hCombo, CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex), 0, nLength) || nLength == CB_ERR)
        return Fail(Format(L"CB_GETLBTEXTLEN failed for item %ld", static_cast<long>(nIndex)));
    std::vector<wchar_t> aBuffer(static_cast<size_t>(nLength) + 1, L'\0');
    LRESULT nCopied = 0;
    if (!SendBounded(hCombo, CB_GETLBTEXT, static_cast<WPARAM>(nIndex),
                     reinterpret_cast<LPARAM>(aBuffer.data()), nCopied) || nCopied == CB_ERR)
        return Fail(Format(L"CB_GETLBTEXT failed for item %ld", static_cast<long>(nIndex)));
    str.assign(aBuffer.data());
    return true;
}

// Text as the operator reads it: a combo box shows its selected item.
bool GetControlText(HWND hCtrl, std::wstring& str)
{
    if (IsComboBox(hCtrl)) {
        LRESULT nSel = CB_ERR;
        if (!SendBounded(hCtrl, CB_GETCURSEL, 0, 0, nSel))
            return Fail(L"CB_GETCURSEL timed out");
        if (nSel != CB_ERR)
            return GetComboItem(hCtrl, nSel, str);
    }
    return GetWindowTextBounded(hCtrl, str);
}

POINT ControlCentre(HWND hCtrl)
{
    RECT rc = {};
    GetWindowRect(hCtrl, &rc);
    POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    return pt;
}

bool SendMouse(HWND hCtrl, DWORD dwButtonFlag)
{
    POINT pt = ControlCentre(hCtrl);
    SetCursorPos(pt.x, pt.y);
    int nScreenW = GetSystemMetrics(SM_CXSCREEN);
    int nScreenH = GetSystemMetrics(SM_CYSCREEN);
    INPUT aInput[2] = {};
    aInput[0].type = INPUT_MOUSE;
    aInput[0].mi.dx = MulDiv(pt.x, 65535, nScreenW > 1 ? nScreenW - 1 : 1);
    aInput[0].mi.dy = MulDiv(pt.y, 65535, nScreenH > 1 ? nScreenH - 1 : 1);
    aInput[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    aInput[1].type = INPUT_MOUSE;
    aInput[1].mi.dwFlags = dwButtonFlag;
    if (SendInput(2, aInput, sizeof(INPUT)) != 2)
        return Fail(Format(L"SendInput failed (error %lu)", GetLastError()));
    return true;
}

bool PostMouse(HWND hCtrl, UINT nMsg, WPARAM wKeys)
{
    RECT rc = {};
    GetClientRect(hCtrl, &rc);
    LPARAM lPoint = MAKELPARAM(rc.right / 2, rc.bottom / 2);
    if (!PostMessageW(hCtrl, nMsg, wKeys, lPoint))
        return Fail(Format(L"PostMessage failed (error %lu)", GetLastError()));
    return true;
}

// ---- commands ------------------------------------------------------------

// Time since the process was created: how long the program took to show
// its window, without the automation tool's own start.
long ProcessAgeMs(HANDLE hProcess)
{
    FILETIME ftCreation = {}, ftExit = {}, ftKernel = {}, ftUser = {}, ftNow = {};
    if (!hProcess || !GetProcessTimes(hProcess, &ftCreation, &ftExit, &ftKernel, &ftUser))
        return -1;
    GetSystemTimeAsFileTime(&ftNow);
    ULARGE_INTEGER uCreation = {}, uNow = {};
    uCreation.LowPart = ftCreation.dwLowDateTime;
    uCreation.HighPart = ftCreation.dwHighDateTime;
    uNow.LowPart = ftNow.dwLowDateTime;
    uNow.HighPart = ftNow.dwHighDateTime;
    return static_cast<long>((uNow.QuadPart - uCreation.QuadPart) / 10000);
}

bool FindVisibleWindow(const std::wstring& strTitle, HWND& hWnd)
{
    hWnd = FindWindowW(nullptr, strTitle.c_str());
    return hWnd && IsWindowVisible(hWnd);
}

bool OnWaitWindow(CSession& session, const CArgs& args)
{
    long nTimeout = 0;
    if (!ParseInt(args[1], nTimeout))
        return Fail(L"wait-window: bad timeout");
    const std::wstring& strTitle = args[0];
    DWORD dwStart = GetTickCount();
    HWND hWnd = nullptr;
    while (!FindVisibleWindow(strTitle, hWnd)) {
        if (GetTickCount() - dwStart >= static_cast<DWORD>(nTimeout))
            return Fail(Format(L"wait-window: no visible window \"%ls\" after %ld ms", strTitle.c_str(), nTimeout));
        Sleep(POLL_MS);
    }
    // A sent message is served only once the window's thread runs its
    // message loop again, that is after the dialog's initialisation.
    LRESULT lIgnored = 0;
    if (!SendBounded(hWnd, WM_NULL, 0, 0, lIgnored, static_cast<UINT>(nTimeout)))
        return Fail(L"wait-window: window does not answer messages");

    if (session.m_hProcess)
        CloseHandle(session.m_hProcess);
    session.m_hWnd = hWnd;
    GetWindowThreadProcessId(hWnd, &session.m_dwProcessId);
    session.m_hProcess = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, session.m_dwProcessId);
    Out(Format(L"window %p pid %lu age_ms %ld", static_cast<void*>(hWnd), session.m_dwProcessId,
               ProcessAgeMs(session.m_hProcess)));
    return true;
}

bool OnWaitGone(CSession&, const CArgs& args)
{
    long nTimeout = 0;
    if (!ParseInt(args[1], nTimeout))
        return Fail(L"wait-gone: bad timeout");
    DWORD dwStart = GetTickCount();
    while (FindWindowW(nullptr, args[0].c_str())) {
        if (GetTickCount() - dwStart >= static_cast<DWORD>(nTimeout))
            return Fail(L"wait-gone: window \"" + args[0] + L"\" still there");
        Sleep(POLL_MS);
    }
    Out(L"gone " + args[0]);
    return true;
}

bool OnRect(CSession& session, const CArgs&)
{
    if (!RequireWindow(session))
        return false;
    RECT rcWindow = {};
    RECT rcClient = {};
    GetWindowRect(session.m_hWnd, &rcWindow);
    GetClientRect(session.m_hWnd, &rcClient);
    Out(Format(L"rect %ld %ld %ld %ld size %ld %ld client %ld %ld", rcWindow.left, rcWindow.top, rcWindow.right,
               rcWindow.bottom, rcWindow.right - rcWindow.left, rcWindow.bottom - rcWindow.top,
               rcClient.right - rcClient.left, rcClient.bottom - rcClient.top));
    return true;
}

bool OnTitle(CSession& session, const CArgs&)
{
    if (!RequireWindow(session))
        return false;
    std::wstring str;
    if (!GetWindowTextBounded(session.m_hWnd, str))
        return false;
    Out(L"title " + str);
    return true;
}

bool OnText(CSession& session, const CArgs& args)
{
    HWND hCtrl = nullptr;
    long nId = 0;
    std::wstring str;
    if (!GetControl(session, args[0], hCtrl, nId) || !GetControlText(hCtrl, str))
        return false;
    Out(Format(L"text %ld ", nId) + str);
    return true;
}

bool OnWaitText(CSession& session, const CArgs& args)
{
    HWND hCtrl = nullptr;
    long nId = 0;
    long nTimeout = 0;
    if (!GetControl(session, args[0], hCtrl, nId))
        return false;
    if (!ParseInt(args[2], nTimeout))
        return Fail(L"wait-text: bad timeout");
    DWORD dwStart = GetTickCount();
    std::wstring str;
    for (;;) {
        if (!GetControlText(hCtrl, str))
            return false;
        if (str == args[1])
            break;
        if (GetTickCount() - dwStart >= static_cast<DWORD>(nTimeout))
            return Fail(Format(L"wait-text: control %ld shows \"%ls\", not \"%ls\"", nId, str.c_str(), args[1].c_str()));
        Sleep(POLL_MS);
    }
    Out(Format(L"text %ld ", nId) + str);
    return true;
}

bool OnSel(CSession& session, const CArgs& args)
{
    HWND hCtrl = nullptr;
    long nId = 0;
    LRESULT nSel = CB_ERR;
    if (!GetControl(session, args[0], hCtrl, nId))
        return false;
    if (!SendBounded(hCtrl, CB_GETCURSEL, 0, 0, nSel))
        return Fail(L"sel: CB_GETCURSEL timed out");
    Out(Format(L"sel %ld %ld", nId, static_cast<long>(nSel)));
    return true;
}

bool OnItems(CSession& session, const CArgs& args)
{
    HWND hCtrl = nullptr;
    long nId = 0;
    LRESULT nCount = 0;
    if (!GetControl(session, args[0], hCtrl, nId))
        return false;
    if (!SendBounded(hCtrl, CB_GETCOUNT, 0, 0, nCount) || nCount == CB_ERR)
        return Fail(Format(L"items: control %ld is not a combo box", nId));
    Out(Format(L"items %ld %ld", nId, static_cast<long>(nCount)));
    for (LRESULT i = 0; i < nCount; ++i) {
        std::wstring str;
        if (!GetComboItem(hCtrl, i, str))
            return false;
        Out(Format(L"item %ld %ld ", nId, static_cast<long>(i)) + str);
    }
    return true;
}

bool OnSelect(CSession& session, const CArgs& args)
{
    HWND hCtrl = nullptr;
    long nId = 0;
    long nIndex = 0;
    LRESULT nResult = 0;
    if (!GetControl(session, args[0], hCtrl, nId))
        return false;
    if (!ParseInt(args[1], nIndex))
        return Fail(L"select: bad index");
    if (!SendBounded(hCtrl, CB_SETCURSEL, static_cast<WPARAM>(nIndex), 0, nResult))
        return Fail(L"select: CB_SETCURSEL timed out");
    if (nResult == CB_ERR && nIndex != -1)
        return Fail(Format(L"select: control %ld has no item %ld", nId, nIndex));
    // Setting the selection by message does not notify; the operator's
    // choice does, so the parent gets CBN_SELCHANGE as from a click.
    WPARAM wCommand = MAKEWPARAM(static_cast<WORD>(nId), CBN_SELCHANGE);
    return SendMaybeModal(GetParent(hCtrl), WM_COMMAND, wCommand, reinterpret_cast<LPARAM>(hCtrl),
                          Format(L"select %ld %ld", nId, nIndex));
}

bool OnClick(CSession& session, const CArgs& args)
{
    HWND hCtrl = nullptr;
    long nId = 0;
    if (!GetControl(session, args[0], hCtrl, nId))
        return false;
    return SendMaybeModal(hCtrl, BM_CLICK, 0, 0, Format(L"click %ld", nId));
}

bool OnPress(CSession& session, const CArgs& args)
{
    HWND hCtrl = nullptr;
    long nId = 0;
    if (!GetControl(session, args[0], hCtrl, nId) || !SendMouse(hCtrl, MOUSEEVENTF_LEFTDOWN))
        return false;
    Out(Format(L"press %ld ok", nId));
    return true;
}

bool OnRelease(CSession& session, const CArgs& args)
{
    HWND hCtrl = nullptr;
    long nId = 0;
    if (!GetControl(session, args[0], hCtrl, nId) || !SendMouse(hCtrl, MOUSEEVENTF_LEFTUP))
        return false;
    Out(Format(L"release %ld ok", nId));
    return true;
}

bool OnPostPress(CSession& session, const CArgs& args)
{
    HWND hCtrl = nullptr;
    long nId = 0;
    if (!GetControl(session, args[0], hCtrl, nId) || !PostMouse(hCtrl, WM_LBUTTONDOWN, MK_LBUTTON))
        return false;
    Out(Format(L"post-press %ld ok", nId));
    return true;
}

bool OnPostRelease(CSession& session, const CArgs& args)
{
    HWND hCtrl = nullptr;
    long nId = 0;
    if (!GetControl(session, args[0], hCtrl, nId) || !PostMouse(hCtrl, WM_LBUTTONUP, 0))
        return false;
    Out(Format(L"post-release %ld ok", nId));
    return true;
}

bool OnEnabled(CSession& session, const CArgs& args)
{
    HWND hCtrl = nullptr;
    long nId = 0;
    if (!GetControl(session, args[0], hCtrl, nId))
        return false;
    Out(Format(L"enabled %ld %d", nId, IsWindowEnabled(hCtrl) ? 1 : 0));
    return true;
}

bool OnVisible(CSession& session, const CArgs& args)
{
    HWND hCtrl = nullptr;
    long nId = 0;
    if (!GetControl(session, args[0], hCtrl, nId))
        return false;
    // The control's own style bit: a hidden parent would hide every child.
    bool bVisible = (GetWindowLongW(hCtrl, GWL_STYLE) & WS_VISIBLE) != 0;
    Out(Format(L"visible %ld %d", nId, bVisible ? 1 : 0));
    return true;
}

bool OnRegionBox(CSession& session, const CArgs&)
{
    if (!RequireWindow(session))
        return false;
    HRGN hRgn = CreateRectRgn(0, 0, 0, 0);
    int nType = GetWindowRgn(session.m_hWnd, hRgn);
    RECT rc = {};
    if (nType != ERROR)
        GetRgnBox(hRgn, &rc);
    DeleteObject(hRgn);
    if (nType == ERROR) {
        Out(L"region-box none");
        return true;
    }
    const wchar_t* pszType = nType == COMPLEXREGION ? L"complex" : nType == SIMPLEREGION ? L"simple" : L"empty";
    Out(Format(L"region-box %ld %ld %ld %ld type %ls", rc.left, rc.top, rc.right, rc.bottom, pszType));
    return true;
}

bool OnDump(CSession& session, const CArgs&)
{
    if (!RequireWindow(session))
        return false;
    for (HWND hCtrl = GetWindow(session.m_hWnd, GW_CHILD); hCtrl; hCtrl = GetWindow(hCtrl, GW_HWNDNEXT)) {
        wchar_t aszClass[64] = {};
        GetClassNameW(hCtrl, aszClass, 64);
        std::wstring str;
        if (!GetWindowTextBounded(hCtrl, str))
            return false;
        LONG nStyle = GetWindowLongW(hCtrl, GWL_STYLE);
        Out(Format(L"control %d %ls visible %d enabled %d text ", GetDlgCtrlID(hCtrl), aszClass,
                   (nStyle & WS_VISIBLE) ? 1 : 0, IsWindowEnabled(hCtrl) ? 1 : 0) + str);
    }
    return true;
}

bool OnClose(CSession& session, const CArgs&)
{
    if (!RequireWindow(session))
        return false;
    if (!PostMessageW(session.m_hWnd, WM_CLOSE, 0, 0))
        return Fail(L"close: PostMessage failed");
    session.m_dwCloseTick = GetTickCount();
    Out(L"close ok");
    return true;
}

bool OnWaitExit(CSession& session, const CArgs& args)
{
    long nTimeout = 0;
    if (!ParseInt(args[0], nTimeout))
        return Fail(L"wait-exit: bad timeout");
    if (!session.m_hProcess)
        return Fail(L"wait-exit: no target process (use wait-window first)");
    if (WaitForSingleObject(session.m_hProcess, static_cast<DWORD>(nTimeout)) != WAIT_OBJECT_0)
        return Fail(Format(L"wait-exit: process %lu still running after %ld ms", session.m_dwProcessId, nTimeout));
    DWORD dwCode = 0;
    GetExitCodeProcess(session.m_hProcess, &dwCode);
    long nAfterClose = session.m_dwCloseTick ? static_cast<long>(GetTickCount() - session.m_dwCloseTick) : -1;
    Out(Format(L"exit %lu after_close_ms %ld", dwCode, nAfterClose));
    return true;
}

bool OnSleep(CSession&, const CArgs& args)
{
    long nMs = 0;
    if (!ParseInt(args[0], nMs) || nMs < 0)
        return Fail(L"sleep: bad duration");
    Sleep(static_cast<DWORD>(nMs));
    return true;
}

// Handshake with the shell around the script: create a file, or wait for one.
bool OnTouch(CSession&, const CArgs& args)
{
    HANDLE hFile = CreateFileW(args[0].c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return Fail(L"touch: cannot create " + args[0]);
    CloseHandle(hFile);
    Out(L"touch " + args[0]);
    return true;
}

bool OnWaitFile(CSession&, const CArgs& args)
{
    long nTimeout = 0;
    if (!ParseInt(args[1], nTimeout))
        return Fail(L"wait-file: bad timeout");
    DWORD dwStart = GetTickCount();
    while (GetFileAttributesW(args[0].c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - dwStart >= static_cast<DWORD>(nTimeout))
            return Fail(L"wait-file: no " + args[0]);
        Sleep(POLL_MS);
    }
    Out(L"file " + args[0]);
    return true;
}

// What GDI makes of a face name, and the dialog base units it gives: shows
// whether a font substitute is in effect.
bool OnFont(CSession&, const CArgs& args)
{
    long nPoints = 0;
    if (!ParseInt(args[1], nPoints))
        return Fail(L"font: bad point size");
    std::wstring strFace = Unescape(args[0]);
    HDC hDC = GetDC(nullptr);
    LOGFONTW lf = {};
    lf.lfHeight = -MulDiv(nPoints, GetDeviceCaps(hDC, LOGPIXELSY), 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(lf.lfFaceName, strFace.c_str(), LF_FACESIZE - 1);
    HFONT hFont = CreateFontIndirectW(&lf);
    HGDIOBJ hOld = SelectObject(hDC, hFont);
    wchar_t aszFace[LF_FACESIZE] = {};
    GetTextFaceW(hDC, LF_FACESIZE, aszFace);
    TEXTMETRICW tm = {};
    GetTextMetricsW(hDC, &tm);
    SIZE size = {};
    const wchar_t* pszAlphabet = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    GetTextExtentPoint32W(hDC, pszAlphabet, 52, &size);
    int nDpi = GetDeviceCaps(hDC, LOGPIXELSY);
    SelectObject(hDC, hOld);
    DeleteObject(hFont);
    ReleaseDC(nullptr, hDC);
    Out(Format(L"font face %ls height %ld base %ld %ld dpi %d", aszFace, tm.tmHeight, (size.cx / 26 + 1) / 2,
               tm.tmHeight, nDpi));
    return true;
}

using PFN_COMMAND = bool (*)(CSession&, const CArgs&);

struct CCommand {
    const wchar_t* m_pszName;
    size_t m_nArgs;
    PFN_COMMAND m_pfn;
    const char* m_pszUsage;
};

const CCommand COMMANDS[] = {
    {L"wait-window", 2, OnWaitWindow, "wait-window <title> <timeout_ms>   target the visible window with that title"},
    {L"wait-gone", 2, OnWaitGone, "wait-gone <title> <timeout_ms>     until no window has that title"},
    {L"rect", 0, OnRect, "rect                               window rectangle and client size"},
    {L"title", 0, OnTitle, "title                              window title"},
    {L"text", 1, OnText, "text <id>                          control text (combo: selected item)"},
    {L"wait-text", 3, OnWaitText, "wait-text <id> <text> <timeout_ms> until the control shows the text"},
    {L"sel", 1, OnSel, "sel <id>                           combo selection index"},
    {L"items", 1, OnItems, "items <id>                         combo items"},
    {L"select", 2, OnSelect, "select <id> <index>                CB_SETCURSEL and CBN_SELCHANGE"},
    {L"click", 1, OnClick, "click <id>                         BM_CLICK"},
    {L"press", 1, OnPress, "press <id>                         real left button down at the control centre"},
    {L"release", 1, OnRelease, "release <id>                       real left button up at the control centre"},
    {L"post-press", 1, OnPostPress, "post-press <id>                    posted WM_LBUTTONDOWN"},
    {L"post-release", 1, OnPostRelease, "post-release <id>                  posted WM_LBUTTONUP"},
    {L"enabled", 1, OnEnabled, "enabled <id>                       1 or 0"},
    {L"visible", 1, OnVisible, "visible <id>                       1 or 0 (the control's own style)"},
    {L"region-box", 0, OnRegionBox, "region-box                         bounding box of the window region"},
    {L"dump", 0, OnDump, "dump                               every child control"},
    {L"close", 0, OnClose, "close                              post WM_CLOSE"},
    {L"wait-exit", 1, OnWaitExit, "wait-exit <timeout_ms>             until the target process ends"},
    {L"sleep", 1, OnSleep, "sleep <ms>"},
    {L"touch", 1, OnTouch, "touch <path>                       create an empty file"},
    {L"wait-file", 2, OnWaitFile, "wait-file <path> <timeout_ms>      until the file exists"},
    {L"font", 2, OnFont, "font <face> <points>               face GDI picks (\\uXXXX escapes allowed)"},
};

int Usage()
{
    std::string str = "usage: zelv_auto <command> [args] [-- <command> [args]]...\n";
    for (const CCommand& command : COMMANDS)
        str += std::string("  ") + command.m_pszUsage + "\n";
    WriteHandle(STD_ERROR_HANDLE, str);
    return 2;
}

const CCommand* FindCommand(const std::wstring& strName)
{
    for (const CCommand& command : COMMANDS) {
        if (strName == command.m_pszName)
            return &command;
    }
    return nullptr;
}

std::vector<CArgs> SplitScript(int nArgc, wchar_t** ppszArgv)
{
    std::vector<CArgs> aScript(1);
    for (int i = 1; i < nArgc; ++i) {
        if (std::wcscmp(ppszArgv[i], L"--") == 0) {
            aScript.emplace_back();
            continue;
        }
        aScript.back().push_back(ppszArgv[i]);
    }
    return aScript;
}

int Run(int nArgc, wchar_t** ppszArgv)
{
    std::vector<CArgs> aScript = SplitScript(nArgc, ppszArgv);
    for (const CArgs& step : aScript) {
        if (step.empty())
            return Usage();
        const CCommand* pCommand = FindCommand(step[0]);
        if (!pCommand || step.size() - 1 != pCommand->m_nArgs) {
            Fail(L"bad command: " + step[0]);
            return Usage();
        }
    }
    CSession session;
    for (const CArgs& step : aScript) {
        CArgs args(step.begin() + 1, step.end());
        if (!FindCommand(step[0])->m_pfn(session, args))
            return 1;
    }
    return 0;
}

} // namespace

int main()
{
    int nArgc = 0;
    wchar_t** ppszArgv = CommandLineToArgvW(GetCommandLineW(), &nArgc);
    if (!ppszArgv)
        return 2;
    int nResult = nArgc < 2 ? Usage() : Run(nArgc, ppszArgv);
    LocalFree(ppszArgv);
    return nResult;
}
