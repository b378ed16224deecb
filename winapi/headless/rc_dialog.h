// Reads dialog templates and their combo-box initialisation data from the
// resource script, so that the headless window system and the Windows build
// share one source for every dialog.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RC_CONTROL {
    int nId;                // -1 for captions without an id of their own
    std::wstring strClass;  // L"BUTTON", L"COMBOBOX", L"EDIT", L"STATIC"
    std::wstring strText;   // caption; "#132" for a bitmap static naming bitmap 132
    uint32_t dwStyle;       // full style as the resource compiler stores it (WS_CHILD, WS_VISIBLE, ...)
    uint32_t dwExStyle;
    int x, y, cx, cy;       // dialog units
};

struct RC_DIALOG {
    int nId;
    uint32_t dwStyle;
    uint32_t dwExStyle;
    int x, y, cx, cy;       // dialog units
    std::wstring strCaption;
    std::wstring strFontFace;
    int nPointSize;
    int nWeight;
    int bItalic;
    int nCharset;
    std::vector<RC_CONTROL> aControls; // in template order
};

// Parses DIALOGEX nDialogId of the script. Returns false with a readable
// reason when the dialog is missing or malformed.
bool RcParseDialog(const std::string& strScript, int nDialogId, RC_DIALOG& dialog, std::string& strError);

// Parses the DLGINIT block of nDialogId into the binary layout the resource
// compiler stores (records of WORD control id, WORD message 0x0403, DWORD
// length, that many bytes of NUL-terminated ANSI text; closed by a WORD 0).
bool RcParseDlgInit(const std::string& strScript, int nDialogId, std::vector<unsigned char>& data, std::string& strError);
