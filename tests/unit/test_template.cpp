// Dialog template 102 against its control table: every control's id, class,
// caption, place and style, the template order within each group, the tab
// order, the radio group, the hidden controls and the combo-box items.
#include "res/res_headless.h"
#include "res/resource.h"
#include "winapi/headless/rc_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr uint32_t WS_POPUP_ = 0x80000000u;
constexpr uint32_t WS_CHILD_ = 0x40000000u;
constexpr uint32_t WS_VISIBLE_ = 0x10000000u;
constexpr uint32_t WS_BORDER_ = 0x00800000u;
constexpr uint32_t WS_VSCROLL_ = 0x00200000u;
constexpr uint32_t WS_SYSMENU_ = 0x00080000u;
constexpr uint32_t WS_GROUP_ = 0x00020000u;
constexpr uint32_t WS_TABSTOP_ = 0x00010000u;
constexpr uint32_t WS_EX_APPWINDOW_ = 0x00040000u;
constexpr uint32_t DS_SETFONT_ = 0x40u;
constexpr uint32_t BS_PUSHBUTTON_ = 0x0u;
constexpr uint32_t BS_GROUPBOX_ = 0x7u;
constexpr uint32_t BS_AUTORADIOBUTTON_ = 0x9u;
constexpr uint32_t BS_MULTILINE_ = 0x2000u;
constexpr uint32_t CBS_DROPDOWN_ = 0x2u;
constexpr uint32_t CBS_DROPDOWNLIST_ = 0x3u;
constexpr uint32_t CBS_SORT_ = 0x100u;
constexpr uint32_t ES_AUTOHSCROLL_ = 0x80u;
constexpr uint32_t SS_LEFT_ = 0x0u;
constexpr uint32_t SS_CENTER_ = 0x1u;
constexpr uint32_t SS_BITMAP_ = 0xEu;
constexpr uint32_t SS_CENTERIMAGE_ = 0x200u;
constexpr uint16_t CB_ADDSTRING_ = 0x403;

enum GROUP_NAME {
    TOP_ROW, STOP_BUTTONS, POSITION_MONITOR, JOG_MODE, SPEED_SETUP, UNIT_SETUP, LOGIC_SETUP, REPEAT_SETUP,
    STATE_MONITOR, MODE_SETUP, HOME_SETUP, PHASE1_SPEED, PHASE2_SPEED, PHASE3_SPEED, PULSE_MODE, ABS_MODE,
    RING_COUNTER,
};

enum CONTROL_KIND { PUSH, PUSH_MULTI, RADIO, LIST, LIST_SORTED, DROP, EDIT, TEXT, TEXT_CENTRED, BITMAP, GROUP };

struct KIND_STYLE {
    CONTROL_KIND nKind;
    const wchar_t* pszClass;
    uint32_t dwStyle;   // without WS_VISIBLE and WS_GROUP
};

const KIND_STYLE KIND_STYLES[] = {
    {PUSH, L"BUTTON", WS_CHILD_ | WS_TABSTOP_ | BS_PUSHBUTTON_},
    {PUSH_MULTI, L"BUTTON", WS_CHILD_ | WS_TABSTOP_ | BS_PUSHBUTTON_ | BS_MULTILINE_},
    {RADIO, L"BUTTON", WS_CHILD_ | BS_AUTORADIOBUTTON_},
    {LIST, L"COMBOBOX", WS_CHILD_ | WS_TABSTOP_ | WS_VSCROLL_ | CBS_DROPDOWNLIST_},
    {LIST_SORTED, L"COMBOBOX", WS_CHILD_ | WS_TABSTOP_ | WS_VSCROLL_ | CBS_DROPDOWNLIST_ | CBS_SORT_},
    {DROP, L"COMBOBOX", WS_CHILD_ | WS_TABSTOP_ | WS_VSCROLL_ | CBS_DROPDOWN_},
    {EDIT, L"EDIT", WS_CHILD_ | WS_TABSTOP_ | WS_BORDER_ | ES_AUTOHSCROLL_},
    {TEXT, L"STATIC", WS_CHILD_ | SS_LEFT_},
    {TEXT_CENTRED, L"STATIC", WS_CHILD_ | SS_CENTER_ | SS_CENTERIMAGE_},
    {BITMAP, L"STATIC", WS_CHILD_ | SS_BITMAP_},
    {GROUP, L"BUTTON", WS_CHILD_ | BS_GROUPBOX_},
};

const KIND_STYLE& StyleOf(CONTROL_KIND nKind)
{
    return *std::find_if(std::begin(KIND_STYLES), std::end(KIND_STYLES),
                         [&](const KIND_STYLE& style) { return style.nKind == nKind; });
}

struct EXPECTED_CONTROL {
    GROUP_NAME nGroup;
    int nId;
    CONTROL_KIND nKind;
    const char* pszCaption;
    int x, y, cx, cy;
    std::vector<std::string> aItems;
};

// Each group's box first, then its controls in template order.
const std::vector<EXPECTED_CONTROL> CONTROL_TABLE = {
    // top
    {TOP_ROW, -1, TEXT, "Axis", 24, 47, 16, 8, {}},
    {TOP_ROW, 1001, LIST, "", 66, 43, 48, 281, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17", "18", "19", "20", "21", "22", "23", "24", "25", "26", "27", "28", "29"}},
    {TOP_ROW, 1016, PUSH, "Move (+)", 182, 204, 152, 36, {}},
    {TOP_ROW, -1, TEXT, "Device", 24, 31, 23, 8, {}},
    {TOP_ROW, 1039, LIST_SORTED, "", 66, 28, 48, 54, {}},
    {TOP_ROW, 1011, PUSH, "Move (-)", 19, 204, 152, 36, {}},
    {TOP_ROW, 1053, TEXT_CENTRED, "Static", 199, 36, 56, 27, {}},
    {TOP_ROW, 1063, BITMAP, "#132", 264, 33, 32, 34, {}},
    {TOP_ROW, 1064, PUSH_MULTI, "Servo ON", 302, 33, 32, 34, {}},
    {TOP_ROW, -1, TEXT, "Channel", 24, 61, 28, 8, {}},
    {TOP_ROW, 1009, LIST, "", 66, 58, 48, 281, {"0", "1"}},
    {TOP_ROW, 1112, PUSH_MULTI, "Reset Comm.", 155, 33, 32, 34, {}},
    // stop
    {STOP_BUTTONS, 1015, PUSH, "|| (Stop)", 19, 244, 152, 36, {}},
    {STOP_BUTTONS, 1020, PUSH, "|| (E-Stop)", 182, 243, 152, 36, {}},
    // posmon
    {POSITION_MONITOR, 1111, GROUP, "Position Monitor", 15, 71, 322, 62, {}},
    {POSITION_MONITOR, -1, TEXT, "Command Position :", 21, 85, 67, 8, {}},
    {POSITION_MONITOR, -1, TEXT, "Feedback Position  :", 21, 101, 67, 8, {}},
    {POSITION_MONITOR, 1012, TEXT, "0.0", 95, 85, 49, 8, {}},
    {POSITION_MONITOR, 1013, TEXT, "0.0", 95, 101, 49, 8, {}},
    {POSITION_MONITOR, 1002, PUSH, "Reset Position", 272, 82, 56, 41, {}},
    {POSITION_MONITOR, -1, TEXT, "Command Speed :", 148, 85, 62, 8, {}},
    {POSITION_MONITOR, -1, TEXT, "Feedback Speed  :", 148, 101, 62, 8, {}},
    {POSITION_MONITOR, 1019, TEXT, "0.0", 221, 85, 49, 8, {}},
    {POSITION_MONITOR, 1021, TEXT, "0.0", 221, 101, 49, 8, {}},
    {POSITION_MONITOR, -1, TEXT, "Motion State     :", 21, 116, 60, 8, {}},
    {POSITION_MONITOR, 1054, TEXT, "Static", 94, 116, 76, 8, {}},
    {POSITION_MONITOR, 1130, TEXT, "", 183, 116, 62, 8, {}},
    // jog
    {JOG_MODE, 1110, GROUP, "Jog Mode Settings", 15, 134, 323, 65, {}},
    {JOG_MODE, 1003, RADIO, "Velocity Move (Jog)", 22, 146, 81, 10, {}},
    {JOG_MODE, 1004, RADIO, "Relative Position Move", 22, 163, 89, 10, {}},
    {JOG_MODE, 1005, RADIO, "Absolute Position Move", 22, 180, 92, 10, {}},
    {JOG_MODE, 1014, TEXT, "Distance", 119, 165, 29, 8, {}},
    {JOG_MODE, 1017, TEXT, "Position1", 119, 182, 30, 8, {}},
    {JOG_MODE, 1006, EDIT, "", 152, 160, 54, 15, {}},
    {JOG_MODE, 1007, EDIT, "", 152, 178, 54, 15, {}},
    {JOG_MODE, 1018, TEXT, "Position2", 213, 182, 30, 8, {}},
    {JOG_MODE, 1008, EDIT, "", 246, 178, 54, 15, {}},
    // speed
    {SPEED_SETUP, 1100, GROUP, "Speed Setup", 345, 27, 109, 131, {}},
    {SPEED_SETUP, -1, TEXT, "Speed Mode", 351, 43, 42, 8, {}},
    {SPEED_SETUP, 1040, DROP, "", 395, 41, 54, 54, {"0 : Constant", "1 : Trapezoidal", "2 : S- Curve"}},
    {SPEED_SETUP, -1, TEXT, "Initial Speed", 351, 59, 40, 8, {}},
    {SPEED_SETUP, -1, TEXT, "End Speed", 351, 76, 36, 8, {}},
    {SPEED_SETUP, -1, TEXT, "WorkSpeed", 351, 92, 37, 8, {}},
    {SPEED_SETUP, -1, TEXT, "Accel", 351, 108, 19, 8, {}},
    {SPEED_SETUP, -1, TEXT, "Decel", 351, 124, 19, 8, {}},
    {SPEED_SETUP, 1041, PUSH, "Set Speed Pattern", 350, 136, 100, 18, {}},
    {SPEED_SETUP, 1042, EDIT, "", 395, 55, 54, 15, {}},
    {SPEED_SETUP, 1043, EDIT, "", 395, 72, 54, 15, {}},
    {SPEED_SETUP, 1044, EDIT, "", 395, 88, 54, 15, {}},
    {SPEED_SETUP, 1045, EDIT, "", 395, 104, 54, 15, {}},
    {SPEED_SETUP, 1046, EDIT, "", 395, 120, 54, 15, {}},
    // unit
    {UNIT_SETUP, 1102, GROUP, "Unit Setup", 345, 160, 109, 64, {}},
    {UNIT_SETUP, -1, TEXT, "UnitDist", 351, 172, 25, 8, {}},
    {UNIT_SETUP, -1, TEXT, "UnitSpeed", 351, 188, 34, 8, {}},
    {UNIT_SETUP, 1047, EDIT, "", 395, 169, 54, 15, {}},
    {UNIT_SETUP, 1048, EDIT, "", 395, 185, 54, 15, {}},
    {UNIT_SETUP, 1049, PUSH, "Set Unit Config", 350, 201, 100, 18, {}},
    // logic
    {LOGIC_SETUP, 1103, GROUP, "Logic Setup", 345, 225, 110, 104, {}},
    {LOGIC_SETUP, 1087, TEXT, "(-) EL", 356, 238, 21, 8, {}},
    {LOGIC_SETUP, 1088, TEXT, "(+) EL", 356, 253, 21, 8, {}},
    {LOGIC_SETUP, -1, TEXT, "ORG", 356, 268, 16, 8, {}},
    {LOGIC_SETUP, 1051, LIST, "", 383, 235, 66, 67, {"0 : Normal Open(Logic A)", "1 : Normal Close(Logic B)", "-1 : Disable"}},
    {LOGIC_SETUP, 1050, LIST, "", 383, 250, 66, 69, {"0 : Normal Open(Logic A)", "1 : Normal Close(Logic B)", "-1 : Disable"}},
    {LOGIC_SETUP, 1052, LIST, "", 383, 265, 66, 70, {"0 : Normal Open(Logic A)", "1 : Normal Close(Logic B)"}},
    {LOGIC_SETUP, 1038, LIST, "", 383, 235, 66, 67, {"0 : LOGIC A", "1 : LOGIC B"}},
    {LOGIC_SETUP, -1, TEXT, "INP", 356, 298, 12, 8, {}},
    {LOGIC_SETUP, 1090, LIST, "", 383, 295, 66, 67, {"0 : LOGIC A", "1 : LOGIC B"}},
    {LOGIC_SETUP, -1, TEXT, "ALM", 356, 314, 16, 8, {}},
    {LOGIC_SETUP, 1093, LIST, "", 383, 311, 66, 67, {"0 : LOGIC A", "1 : LOGIC B"}},
    {LOGIC_SETUP, -1, TEXT, "EZ", 356, 283, 10, 8, {}},
    {LOGIC_SETUP, 1095, LIST, "", 383, 280, 66, 67, {"0 : LOGIC A", "1 : LOGIC B"}},
    // repeat
    {REPEAT_SETUP, -1, GROUP, "Repeat Setup", 233, 354, 105, 102, {}},
    {REPEAT_SETUP, 1037, PUSH, "Repeat Test", 239, 408, 92, 37, {}},
    {REPEAT_SETUP, -1, TEXT, "Delay Time (ms)", 237, 367, 56, 8, {}},
    {REPEAT_SETUP, 1055, EDIT, "", 273, 379, 57, 18, {}},
    // state
    {STATE_MONITOR, 1109, GROUP, "State Monitor", 15, 284, 323, 67, {}},
    {STATE_MONITOR, 1035, PUSH, "Clear Alarm", 279, 297, 52, 46, {}},
    {STATE_MONITOR, 1056, BITMAP, "#132", 20, 298, 32, 34, {}},
    {STATE_MONITOR, 1057, BITMAP, "#132", 57, 298, 32, 34, {}},
    {STATE_MONITOR, 1058, BITMAP, "#132", 94, 298, 32, 34, {}},
    {STATE_MONITOR, 1059, BITMAP, "#132", 131, 298, 32, 34, {}},
    {STATE_MONITOR, 1060, BITMAP, "#132", 168, 298, 32, 34, {}},
    {STATE_MONITOR, 1061, BITMAP, "#132", 205, 298, 32, 34, {}},
    {STATE_MONITOR, 1062, BITMAP, "#132", 242, 298, 32, 34, {}},
    {STATE_MONITOR, -1, TEXT, "ALM", 28, 336, 16, 8, {}},
    {STATE_MONITOR, -1, TEXT, "WARN", 63, 336, 21, 8, {}},
    {STATE_MONITOR, -1, TEXT, "RDY", 103, 336, 14, 8, {}},
    {STATE_MONITOR, -1, TEXT, "INP", 141, 336, 12, 8, {}},
    {STATE_MONITOR, -1, TEXT, "ORG", 177, 336, 16, 8, {}},
    {STATE_MONITOR, -1, TEXT, "(-)EL", 212, 336, 19, 8, {}},
    {STATE_MONITOR, -1, TEXT, "(+)EL", 248, 336, 19, 8, {}},
    // mode
    {MODE_SETUP, 1104, GROUP, "Mode Setup", 345, 331, 111, 58, {}},
    {MODE_SETUP, -1, TEXT, "EL Mode", 349, 344, 30, 8, {}},
    {MODE_SETUP, -1, TEXT, "INPosition", 349, 359, 34, 8, {}},
    {MODE_SETUP, 1065, LIST, "", 383, 341, 66, 67, {"0 : Immediately stop", "1 : Decel stop"}},
    {MODE_SETUP, 1066, LIST, "", 383, 356, 66, 67, {"0 : Disable", "1 : Enable"}},
    {MODE_SETUP, -1, TEXT, "Alarm", 349, 373, 20, 8, {}},
    {MODE_SETUP, 1094, LIST, "", 383, 371, 66, 67, {"0 : Immediately stop", "1 : Decel stop"}},
    // home
    {HOME_SETUP, 1101, GROUP, "Home Setup", 462, 27, 121, 430, {}},
    {HOME_SETUP, -1, TEXT, "Home Mode", 472, 38, 40, 8, {}},
    {HOME_SETUP, 1069, DROP, "", 472, 47, 105, 72, {"1 : ORG Homing", "3 : EL Homing"}},
    {HOME_SETUP, -1, TEXT, "Direction", 471, 80, 29, 8, {}},
    {HOME_SETUP, 1070, DROP, "", 522, 77, 54, 54, {"0 : (-) Dir", "1 : (+) Dir"}},
    {HOME_SETUP, -1, TEXT, "Offset Dist", 471, 95, 34, 8, {}},
    {HOME_SETUP, 1071, EDIT, "", 522, 92, 54, 15, {}},
    {HOME_SETUP, 1084, PUSH, "Home Move", 467, 413, 110, 33, {}},
    {HOME_SETUP, -1, TEXT, "Homing", 475, 384, 26, 8, {}},
    {HOME_SETUP, -1, TEXT, "Home Success", 475, 400, 51, 8, {}},
    {HOME_SETUP, 1085, TEXT, "ON", 535, 384, 42, 8, {}},
    {HOME_SETUP, 1086, TEXT, "ON", 535, 400, 42, 8, {}},
    {HOME_SETUP, -1, TEXT, "EZ Count", 471, 127, 31, 8, {}},
    {HOME_SETUP, 1096, EDIT, "", 522, 124, 54, 15, {}},
    {HOME_SETUP, -1, TEXT, "Escape Dist", 471, 111, 40, 8, {}},
    {HOME_SETUP, 1097, EDIT, "", 522, 108, 54, 15, {}},
    {HOME_SETUP, -1, TEXT, "PosClrMode", 471, 65, 41, 8, {}},
    {HOME_SETUP, 1099, DROP, "", 522, 62, 54, 68, {"0 : HPCM_M0 (HW Clear)", "1 : HPCM_M1(SW Clear)", "2 : HPCM_M2(SW Sync)"}},
    // phase1
    {PHASE1_SPEED, 1107, GROUP, "Phase 1 (Normal) Speed", 467, 140, 112, 89, {}},
    {PHASE1_SPEED, -1, TEXT, "Speed Mode", 474, 152, 42, 8, {}},
    {PHASE1_SPEED, 1072, DROP, "", 521, 150, 54, 54, {"0 : Constant", "1 : Trapezoidal", "2 : S- Curve"}},
    {PHASE1_SPEED, -1, TEXT, "WorkSpeed", 474, 168, 37, 8, {}},
    {PHASE1_SPEED, -1, TEXT, "Accel", 474, 183, 19, 8, {}},
    {PHASE1_SPEED, -1, TEXT, "Decel", 474, 198, 19, 8, {}},
    {PHASE1_SPEED, 1073, EDIT, "", 521, 165, 54, 14, {}},
    {PHASE1_SPEED, 1074, EDIT, "", 521, 180, 54, 14, {}},
    {PHASE1_SPEED, 1075, EDIT, "", 521, 195, 54, 14, {}},
    {PHASE1_SPEED, -1, TEXT, "Reverse Vel", 474, 213, 40, 8, {}},
    {PHASE1_SPEED, 1098, EDIT, "", 521, 210, 54, 14, {}},
    // phase2
    {PHASE2_SPEED, 1106, GROUP, "Phase 2 (Reverse) Speed", 467, 231, 112, 73, {}},
    {PHASE2_SPEED, -1, TEXT, "Speed Mode", 474, 244, 42, 8, {}},
    {PHASE2_SPEED, 1076, DROP, "", 521, 241, 54, 54, {"0 : Constant", "1 : Trapezoidal", "2 : S- Curve"}},
    {PHASE2_SPEED, -1, TEXT, "WorkSpeed", 474, 258, 37, 8, {}},
    {PHASE2_SPEED, -1, TEXT, "Accel", 474, 272, 19, 8, {}},
    {PHASE2_SPEED, -1, TEXT, "Decel", 474, 287, 19, 8, {}},
    {PHASE2_SPEED, 1077, EDIT, "", 521, 256, 54, 14, {}},
    {PHASE2_SPEED, 1078, EDIT, "", 521, 271, 54, 14, {}},
    {PHASE2_SPEED, 1079, EDIT, "", 521, 286, 54, 14, {}},
    // phase3
    {PHASE3_SPEED, 1108, GROUP, "Phase 3 (Minimum) Speed", 467, 307, 112, 72, {}},
    {PHASE3_SPEED, -1, TEXT, "Speed Mode", 474, 320, 42, 8, {}},
    {PHASE3_SPEED, 1080, DROP, "", 521, 317, 54, 54, {"0 : Constant", "1 : Trapezoidal", "2 : S- Curve"}},
    {PHASE3_SPEED, -1, TEXT, "WorkSpeed", 474, 334, 37, 8, {}},
    {PHASE3_SPEED, -1, TEXT, "Accel", 474, 349, 19, 8, {}},
    {PHASE3_SPEED, -1, TEXT, "Decel", 474, 364, 19, 8, {}},
    {PHASE3_SPEED, 1081, EDIT, "", 521, 332, 54, 14, {}},
    {PHASE3_SPEED, 1082, EDIT, "", 521, 347, 54, 14, {}},
    {PHASE3_SPEED, 1083, EDIT, "", 521, 362, 54, 14, {}},
    // pulse
    {PULSE_MODE, 1105, GROUP, "Pulse Mode", 345, 391, 114, 66, {}},
    {PULSE_MODE, 1068, TEXT, "SVON Mode", 351, 391, 41, 8, {}},
    {PULSE_MODE, 1067, LIST, "", 351, 411, 102, 67, {"0 : All Disable", "1 : SVON Enable", "2 : SVOFF Enable", "3 : All Enable"}},
    {PULSE_MODE, 1091, TEXT, "Command Pulse Mode ", 349, 401, 78, 8, {}},
    {PULSE_MODE, 1092, LIST, "", 359, 411, 88, 67, {"0 : Pulse & Dir 0", "1 : Pulse & Dir 1", "2 : Pulse & Dir 2", "3 : Pulse & Dir 3", "4 : CW & CCW 1", "5 : CW & CCW 2"}},
    {PULSE_MODE, 1113, TEXT, "Feedback Pulse Mode", 349, 429, 74, 8, {}},
    {PULSE_MODE, 1114, LIST, "", 359, 438, 88, 67, {"0 : 1x A/B Phase", "1 : 2x A/B Phase", "2 : 4x A/B Phase", "3 : CW/CCW", "4 : Step Mode"}},
    {PULSE_MODE, 1127, PUSH, "Apply", 350, 427, 48, 23, {}},
    {PULSE_MODE, 1128, PUSH, "Release", 406, 427, 48, 23, {}},
    {PULSE_MODE, 1129, LIST, "", 359, 411, 88, 67, {}},
    // abs
    {ABS_MODE, 1115, GROUP, "ABS Mode Settings", 15, 354, 107, 103, {}},
    {ABS_MODE, 1117, PUSH, "ABS Mode", 19, 366, 47, 38, {}},
    {ABS_MODE, 1118, PUSH, "INC Mode", 69, 366, 47, 38, {}},
    {ABS_MODE, 1119, PUSH_MULTI, "Set \nABS Home", 19, 408, 47, 38, {}},
    {ABS_MODE, 1120, PUSH, "ABS Update", 69, 408, 47, 38, {}},
    // ring
    {RING_COUNTER, 1116, GROUP, "Ring Counter Settings", 125, 354, 105, 103, {}},
    {RING_COUNTER, 1121, TEXT, "Min Value", 130, 369, 34, 8, {}},
    {RING_COUNTER, 1122, TEXT, "Max Value", 130, 386, 36, 8, {}},
    {RING_COUNTER, 1123, EDIT, "", 172, 367, 52, 14, {}},
    {RING_COUNTER, 1124, EDIT, "", 172, 383, 52, 14, {}},
    {RING_COUNTER, 1125, PUSH_MULTI, "Enable", 128, 408, 47, 38, {}},
    {RING_COUNTER, 1126, PUSH_MULTI, "Disable", 178, 408, 47, 38, {}},
};

const std::vector<int> TAB_ORDER = {
    1001, 1002, 1006, 1007, 1008, 1015, 1016, 1020, 1035, 1037, 1039, 1040, 1041, 1042, 1043, 1044, 1045, 1046,
    1047, 1048, 1049, 1011, 1051, 1050, 1052, 1055, 1064, 1065, 1066, 1067, 1069, 1070, 1071, 1072, 1073, 1074,
    1075, 1076, 1077, 1078, 1079, 1080, 1081, 1082, 1083, 1084, 1009, 1038, 1090, 1092, 1093, 1094, 1095, 1096,
    1097, 1098, 1099, 1112, 1114, 1117, 1118, 1119, 1120, 1123, 1124, 1125, 1126, 1127, 1128, 1129,
};

std::wstring Widen(const std::string& str)
{
    return std::wstring(str.begin(), str.end());
}

bool IsHidden(int nId)
{
    return nId == IDC_SVON_MODE || nId == IDC_SVON_MODE_LABEL;
}

bool StartsGroup(int nId)
{
    return nId == IDC_JOG_VELOCITY || nId == IDC_DISTANCE_LABEL;
}

uint32_t ExpectedStyle(const EXPECTED_CONTROL& expected)
{
    uint32_t dwStyle = StyleOf(expected.nKind).dwStyle;
    if (!IsHidden(expected.nId))
        dwStyle |= WS_VISIBLE_;
    if (StartsGroup(expected.nId))
        dwStyle |= WS_GROUP_;
    return dwStyle;
}

bool SamePlace(const RC_CONTROL& control, const EXPECTED_CONTROL& expected)
{
    return control.nId == expected.nId && control.strText == Widen(expected.pszCaption) && control.x == expected.x &&
           control.y == expected.y && control.cx == expected.cx && control.cy == expected.cy;
}

std::string Describe(const EXPECTED_CONTROL& expected)
{
    return std::to_string(expected.nId) + " \"" + expected.pszCaption + "\" at " + std::to_string(expected.x) + "," +
           std::to_string(expected.y);
}

struct DLGINIT_RECORD {
    int nId;
    std::string strText;
};

class TemplateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string strError;
        ASSERT_TRUE(RcParseDialog(ResHeadlessScript(), IDD_VIRUVEDE_DIALOG, m_dialog, strError)) << strError;
        ASSERT_TRUE(RcParseDlgInit(ResHeadlessScript(), IDD_VIRUVEDE_DIALOG, m_aDlgInit, strError)) << strError;
    }

    // Index of the template control matching the table row, -1 if none.
    int FindControl(const EXPECTED_CONTROL& expected) const
    {
        for (size_t i = 0; i < m_dialog.aControls.size(); ++i)
            if (SamePlace(m_dialog.aControls[i], expected))
                return static_cast<int>(i);
        return -1;
    }

    RC_DIALOG m_dialog;
    std::vector<unsigned char> m_aDlgInit;
};

TEST_F(TemplateTest, DialogFrameFontAndSize)
{
    EXPECT_EQ(m_dialog.dwStyle, WS_POPUP_ | WS_VISIBLE_ | WS_SYSMENU_ | DS_SETFONT_);
    EXPECT_EQ(m_dialog.dwExStyle, WS_EX_APPWINDOW_);
    EXPECT_EQ(m_dialog.cx, 611);
    EXPECT_EQ(m_dialog.cy, 499);
    EXPECT_EQ(m_dialog.strCaption, L"");
    EXPECT_EQ(m_dialog.strFontFace, L"\uAD74\uB9BC");
    EXPECT_EQ(m_dialog.nPointSize, 9);
    EXPECT_EQ(m_dialog.nWeight, 400);
    EXPECT_EQ(m_dialog.bItalic, 0);
}

TEST_F(TemplateTest, HoldsExactlyTheTableControls)
{
    ASSERT_EQ(CONTROL_TABLE.size(), 167u);
    ASSERT_EQ(m_dialog.aControls.size(), 167u);
    std::set<int> setMatched;
    for (const EXPECTED_CONTROL& expected : CONTROL_TABLE) {
        const int nIndex = FindControl(expected);
        ASSERT_GE(nIndex, 0) << "missing " << Describe(expected);
        EXPECT_TRUE(setMatched.insert(nIndex).second) << "matched twice: " << Describe(expected);
        const RC_CONTROL& control = m_dialog.aControls[static_cast<size_t>(nIndex)];
        EXPECT_EQ(control.strClass, StyleOf(expected.nKind).pszClass) << Describe(expected);
        EXPECT_EQ(control.dwStyle, ExpectedStyle(expected)) << Describe(expected);
        EXPECT_EQ(control.dwExStyle, 0u) << Describe(expected);
    }
}

TEST_F(TemplateTest, KeepsTableOrderWithinEachGroup)
{
    std::map<GROUP_NAME, int> mapLastIndex;
    for (const EXPECTED_CONTROL& expected : CONTROL_TABLE) {
        const int nIndex = FindControl(expected);
        ASSERT_GE(nIndex, 0) << "missing " << Describe(expected);
        const auto it = mapLastIndex.find(expected.nGroup);
        if (it != mapLastIndex.end()) {
            EXPECT_GT(nIndex, it->second) << Describe(expected) << " is out of order";
        }
        mapLastIndex[expected.nGroup] = nIndex;
    }
}

TEST_F(TemplateTest, GroupMembersStartInsideTheirBox)
{
    std::map<GROUP_NAME, const EXPECTED_CONTROL*> mapBox;
    for (const EXPECTED_CONTROL& expected : CONTROL_TABLE) {
        if (expected.nKind == GROUP && !mapBox.count(expected.nGroup)) {
            mapBox[expected.nGroup] = &expected;
            continue;
        }
        const auto it = mapBox.find(expected.nGroup);
        if (it == mapBox.end())
            continue;   // the top row and the stop buttons lie in no box
        const EXPECTED_CONTROL& box = *it->second;
        EXPECT_TRUE(expected.x >= box.x && expected.x <= box.x + box.cx && expected.y >= box.y &&
                    expected.y <= box.y + box.cy)
            << Describe(expected) << " outside " << box.pszCaption;
    }
}

TEST_F(TemplateTest, TabStopsFollowTheTabOrder)
{
    std::vector<int> anTabStops;
    for (const RC_CONTROL& control : m_dialog.aControls)
        if (control.dwStyle & WS_TABSTOP_)
            anTabStops.push_back(control.nId);
    EXPECT_EQ(anTabStops, TAB_ORDER);
}

TEST_F(TemplateTest, JogRadiosFormOneGroup)
{
    const auto& a = m_dialog.aControls;
    const auto it = std::find_if(a.begin(), a.end(), [](const RC_CONTROL& c) { return c.nId == IDC_JOG_VELOCITY; });
    ASSERT_NE(it, a.end());
    ASSERT_LT(it + 3, a.end());
    EXPECT_EQ(it[1].nId, IDC_JOG_RELATIVE);
    EXPECT_EQ(it[2].nId, IDC_JOG_ABSOLUTE);
    EXPECT_TRUE(it[0].dwStyle & WS_GROUP_);
    EXPECT_FALSE(it[1].dwStyle & WS_GROUP_);
    EXPECT_FALSE(it[2].dwStyle & WS_GROUP_);
    EXPECT_EQ(it[3].strClass, L"STATIC");
    EXPECT_TRUE(it[3].dwStyle & WS_GROUP_);
    for (const RC_CONTROL& control : a) {
        if ((control.dwStyle & 0xF) == BS_AUTORADIOBUTTON_ && control.strClass == L"BUTTON") {
            EXPECT_TRUE(control.nId >= IDC_JOG_VELOCITY && control.nId <= IDC_JOG_ABSOLUTE) << control.nId;
        }
    }
}

TEST_F(TemplateTest, OnlySvonModeControlsAreHidden)
{
    std::set<int> setHidden;
    for (const RC_CONTROL& control : m_dialog.aControls)
        if (!(control.dwStyle & WS_VISIBLE_))
            setHidden.insert(control.nId);
    EXPECT_EQ(setHidden, (std::set<int>{IDC_SVON_MODE, IDC_SVON_MODE_LABEL}));
}

TEST_F(TemplateTest, ComboItemsComeFromTheInitData)
{
    // Records: WORD id, WORD CB_ADDSTRING, DWORD length with NUL, the text.
    std::vector<DLGINIT_RECORD> aRecords;
    const std::vector<unsigned char>& a = m_aDlgInit;
    size_t i = 0;
    for (;;) {
        ASSERT_LE(i + 2, a.size());
        const int nId = a[i] | (a[i + 1] << 8);
        if (nId == 0)
            break;
        ASSERT_LE(i + 8, a.size());
        EXPECT_EQ(a[i + 2] | (a[i + 3] << 8), CB_ADDSTRING_);
        const size_t cbText = a[i + 4] | (a[i + 5] << 8) | (a[i + 6] << 16) | (static_cast<size_t>(a[i + 7]) << 24);
        ASSERT_GE(cbText, 1u);
        ASSERT_LE(i + 8 + cbText, a.size());
        EXPECT_EQ(a[i + 8 + cbText - 1], 0) << "item of " << nId << " lacks its NUL";
        aRecords.push_back({nId, std::string(a.begin() + static_cast<long>(i + 8),
                                             a.begin() + static_cast<long>(i + 8 + cbText - 1))});
        i += 8 + cbText;
    }
    EXPECT_EQ(i + 2, a.size()) << "bytes after the closing WORD";

    std::map<int, std::vector<std::string>> mapItems;
    for (const DLGINIT_RECORD& record : aRecords)
        mapItems[record.nId].push_back(record.strText);
    for (const EXPECTED_CONTROL& expected : CONTROL_TABLE) {
        const auto it = mapItems.find(expected.nId);
        const std::vector<std::string> aActual = it == mapItems.end() ? std::vector<std::string>() : it->second;
        EXPECT_EQ(aActual, expected.aItems) << Describe(expected);
        if (it != mapItems.end())
            mapItems.erase(it);
    }
    EXPECT_TRUE(mapItems.empty()) << "items for a control outside the table";
}

TEST_F(TemplateTest, HeadlessTableCarriesTheInitData)
{
    const HEADLESS_RESOURCE* pFound = nullptr;
    for (const HEADLESS_RESOURCE* p = ResHeadlessTable(); p->nType != 0; ++p)
        if (p->nType == 240 && p->nId == IDD_VIRUVEDE_DIALOG)
            pFound = p;
    ASSERT_NE(pFound, nullptr);
    EXPECT_EQ(std::vector<unsigned char>(pFound->pData, pFound->pData + pFound->cbData), m_aDlgInit);
}

} // namespace
