// Device, axis and channel selection against the simulated network: the
// panel each node type leaves, the settings read back from the node, and the
// KTRB04-M2 entry preparation.
#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "motion/did_ktrb04.h"
#include "tests/support/dialog_fixture.h"

namespace {

// Columns of the panel table.
enum Panel { PANEL_SERVO, PANEL_KESTRALINE, PANEL_KTRB04, PANEL_EMPTY, PANEL_COUNT };

// Expected state of a control: X = not checked (the control keeps what the
// last node left), N = no, Y = yes.
enum : signed char { X = -1, N = 0, Y = 1 };

struct PANEL_ROW {
    int nId;
    signed char anVisible[PANEL_COUNT];
    signed char anEnabled[PANEL_COUNT];
};

const PANEL_ROW s_aPanel[] = {
    { IDC_CHANNEL, { X, X, X, X }, { N, Y, Y, N } },
    { IDC_SPEED_MODE, { X, X, X, X }, { Y, Y, N, X } },
    { IDC_INIT_SPEED, { X, X, X, X }, { Y, Y, N, X } },
    { IDC_END_SPEED, { X, X, X, X }, { Y, Y, N, X } },
    { IDC_UNIT_DIST, { X, X, X, X }, { Y, Y, N, X } },
    { IDC_UNIT_SPEED, { X, X, X, X }, { Y, Y, N, X } },
    { IDC_SET_UNIT_CONFIG, { X, X, X, X }, { Y, Y, N, X } },
    { IDC_EL_MINUS_LOGIC, { Y, N, N, X }, { Y, N, N, X } },
    { IDC_EL_PLUS_LOGIC, { Y, N, N, X }, { Y, N, N, X } },
    { IDC_EL_LOGIC, { N, Y, Y, X }, { X, X, X, X } },
    { IDC_EZ_LOGIC, { X, X, X, X }, { Y, Y, N, X } },
    { IDC_INP_LOGIC, { X, X, X, X }, { Y, Y, N, X } },
    { IDC_ALM_LOGIC, { X, X, X, X }, { N, Y, N, X } },
    { IDC_ALARM_STOP_MODE, { X, X, X, X }, { N, Y, N, X } },
    { IDC_IN_POSITION, { X, X, X, X }, { N, Y, N, X } },
    { IDC_HOME_SPEED_MODE1, { X, X, X, X }, { Y, Y, N, X } },
    { IDC_HOME_SPEED_MODE2, { X, X, X, X }, { Y, N, N, X } },
    { IDC_HOME_VEL2, { X, X, X, X }, { Y, N, N, X } },
    { IDC_HOME_ACCEL2, { X, X, X, X }, { Y, N, N, X } },
    { IDC_HOME_DECEL2, { X, X, X, X }, { Y, N, N, X } },
    { IDC_HOME_SPEED_MODE3, { X, X, X, X }, { Y, N, N, X } },
    { IDC_HOME_VEL3, { X, X, X, X }, { Y, N, N, X } },
    { IDC_HOME_ACCEL3, { X, X, X, X }, { Y, N, N, X } },
    { IDC_HOME_DECEL3, { X, X, X, X }, { Y, N, N, X } },
    { IDC_EZ_COUNT, { X, X, X, X }, { N, Y, N, X } },
    { IDC_ESCAPE_DIST, { X, X, X, X }, { N, Y, N, X } },
    { IDC_REVERSE_VEL, { X, X, X, X }, { N, Y, N, X } },
    { IDC_POS_CLR_MODE, { X, X, X, X }, { N, Y, N, X } },
    { IDC_SVON_MODE, { Y, N, N, Y }, { Y, N, N, X } },
    { IDC_SVON_MODE_LABEL, { N, N, N, N }, { X, X, X, X } },
    { IDC_CMD_PULSE_MODE_LABEL, { N, Y, Y, N }, { X, X, X, X } },
    { IDC_CMD_PULSE_MODE, { N, Y, N, N }, { N, Y, N, X } },
    { IDC_FB_PULSE_MODE_LABEL, { N, Y, N, N }, { X, X, X, X } },
    { IDC_FB_PULSE_MODE, { N, Y, N, N }, { N, Y, N, X } },
    { IDC_MASTER_AXIS, { N, N, Y, N }, { N, N, Y, X } },
    { IDC_GROUP_APPLY, { N, N, Y, N }, { X, X, X, X } },
    { IDC_GROUP_RELEASE, { N, N, Y, N }, { X, X, X, X } },
};

struct PANEL_TEXT {
    int nId;
    const wchar_t* apszText[PANEL_COUNT]; // null: not checked
};

const PANEL_TEXT s_aPanelTexts[] = {
    { IDC_NODE_TYPE, { L"Servo", L"I/O Kestraline", L"KTRB04-M2", L"Empty Node" } },
    { IDC_EL_MINUS_LOGIC_LABEL, { L"NEL Logic", L"EL Logic", L"EL Logic", nullptr } },
    { IDC_EL_PLUS_LOGIC_LABEL, { L"PEL Logic", L"-", L"-", nullptr } },
    { IDC_PULSE_MODE_GROUP, { L"SVON Mode", L"Pulse Mode", L"Group Mode", L"SVON Mode" } },
    { IDC_CMD_PULSE_MODE_LABEL, { nullptr, L"Command Pulse Mode", L"Set Master Axis", nullptr } },
};

using Items = std::vector<std::wstring>;

const Items s_aHomeModeItems[PANEL_COUNT] = {
    { L"1 : ORG Homing", L"3 : EL Homing" },
    { L"0 : ORG>Slow down>Stop", L"1 : ORG>Slow down>Go back>Go forward>Stop", L"2 : ORG>Slow down>Stop on EZ signal",
      L"6 : EL ON>Stop>Go back at Vr>EL OFF>Stop", L"7 : EL ON>Go back at Vr>Stop on EZ signal" },
    { L"0 : 2 Senser", L"1 : 3 Sensor" },
    {},
};

const Items s_astrPosClrItems = { L"0 : HPCM_M0 (HW Clear)", L"1 : HPCM_M1 (SW Clear)", L"2 : HPCM_M2 (SW Sync)" };

const int s_anNodeType[PANEL_COUNT] = { NODE_SERVO, NODE_KESTRALINE, NODE_KTRB04, NODE_EMPTY };

// A value shown in an edit field, and the node setting it comes from.
struct FIELD {
    int nId;
    const char* pszKey;
};

const FIELD s_aServoFields[] = {
    { IDC_UNIT_DIST, "unitdist" }, { IDC_UNIT_SPEED, "unitspeed" }, { IDC_WORK_SPEED, "workspeed" },
    { IDC_ACCEL, "accel" }, { IDC_DECEL, "decel" }, { IDC_INIT_SPEED, "initspeed" }, { IDC_END_SPEED, "endspeed" },
    { IDC_HOME_OFFSET, "homeoffset" },
    { IDC_HOME_VEL1, "home.0.work" }, { IDC_HOME_ACCEL1, "home.0.accel" }, { IDC_HOME_DECEL1, "home.0.decel" },
    { IDC_HOME_VEL2, "home.1.work" }, { IDC_HOME_ACCEL2, "home.1.accel" }, { IDC_HOME_DECEL2, "home.1.decel" },
    { IDC_HOME_VEL3, "home.2.work" }, { IDC_HOME_ACCEL3, "home.2.accel" }, { IDC_HOME_DECEL3, "home.2.decel" },
};

// A box whose selected item is the setting's value.
const FIELD s_aServoBoxes[] = {
    { IDC_SPEED_MODE, "speedmode" }, { IDC_ORG_LOGIC, "mio.2" }, { IDC_EL_MODE, "mio.3" },
    { IDC_IN_POSITION, "mio.4" }, { IDC_SVON_MODE, "mio.6" }, { IDC_HOME_DIR, "homedir" },
    { IDC_HOME_SPEED_MODE1, "home.0.mode" }, { IDC_HOME_SPEED_MODE2, "home.1.mode" }, { IDC_HOME_SPEED_MODE3, "home.2.mode" },
};

const FIELD s_aKestralineFields[] = {
    { IDC_UNIT_DIST, "unitdist" }, { IDC_UNIT_SPEED, "unitspeed" }, { IDC_WORK_SPEED, "workspeed" },
    { IDC_ACCEL, "accel" }, { IDC_DECEL, "decel" }, { IDC_HOME_OFFSET, "homeoffset" },
    { IDC_HOME_VEL1, "home.0.work" }, { IDC_HOME_ACCEL1, "home.0.accel" }, { IDC_HOME_DECEL1, "home.0.decel" },
    { IDC_REVERSE_VEL, "homereverse" }, { IDC_EZ_COUNT, "ezcount" }, { IDC_ESCAPE_DIST, "escapedist" },
};

const FIELD s_aKestralineBoxes[] = {
    { IDC_SPEED_MODE, "speedmode" }, { IDC_HOME_DIR, "homedir" }, { IDC_POS_CLR_MODE, "posclrmode" },
    { IDC_HOME_SPEED_MODE1, "home.0.mode" },
    { IDC_EL_LOGIC, "mio.4" }, { IDC_ORG_LOGIC, "mio.13" }, { IDC_EZ_LOGIC, "mio.8" }, { IDC_INP_LOGIC, "mio.10" },
    { IDC_ALM_LOGIC, "mio.0" }, { IDC_EL_MODE, "mio.5" }, { IDC_IN_POSITION, "mio.9" }, { IDC_ALARM_STOP_MODE, "mio.1" },
    { IDC_CMD_PULSE_MODE, "outmode" }, { IDC_FB_PULSE_MODE, "inmode" },
};

const FIELD s_aKtrb04Fields[] = {
    { IDC_WORK_SPEED, "reg.0x101" }, { IDC_ACCEL, "reg.0x501" }, { IDC_DECEL, "reg.0x601" },
    { IDC_HOME_OFFSET, "reg.0xC65" }, { IDC_HOME_VEL1, "reg.0xC62" },
    { IDC_HOME_ACCEL1, "reg.0xC63" }, { IDC_HOME_DECEL1, "reg.0xC63" },
};

const FIELD s_aKtrb04Boxes[] = {
    { IDC_HOME_MODE, "reg.0xC60" }, { IDC_HOME_DIR, "reg.0xC66" }, { IDC_EL_LOGIC, "reg.0xC11" },
    { IDC_ORG_LOGIC, "reg.0xC12" }, { IDC_EL_MODE, "reg.0xC14" },
};

// Home mode item shown for an I/O Kestraline mode value.
int KestralineHomeItem(int nMode)
{
    switch (nMode) {
    case 1: return 1;
    case 2: return 2;
    case 6: return 3;
    case 7: return 4;
    default: return 0;
    }
}

// One register request or command frame that reached the KTRB04-M2 node.
struct FRAME {
    int nControl;    // RegCode | Request; 0 for a command-word frame
    int nRegChannel;
    int32_t nData;
};

uint16_t FrameWord(const std::string& strHex, int nWord)
{
    const auto Byte = [&](int i) { return static_cast<uint16_t>(std::strtoul(strHex.substr(2 * i, 2).c_str(), nullptr, 16)); };
    return static_cast<uint16_t>(Byte(2 * nWord) | Byte(2 * nWord + 1) << 8);
}

// Frames sent with AdvDataRW, acknowledges left out.
std::vector<FRAME> RequestFrames(const std::vector<std::string>& astrTrace)
{
    std::vector<FRAME> aFrames;
    const std::string strPrefix = "AdvDataRW(";
    for (const std::string& strLine : astrTrace) {
        if (strLine.compare(0, strPrefix.size(), strPrefix) != 0)
            continue;
        // AdvDataRW(device,29,station,<26 bytes of hex>,&)
        size_t nPos = strPrefix.size();
        for (int nComma = 0; nComma < 3; ++nComma)
            nPos = strLine.find(',', nPos) + 1;
        const std::string strHex = strLine.substr(nPos, 2 * KTRB04_FRAME_SIZE);
        const int nControl = FrameWord(strHex, KTRB04_WORD_CONTROL);
        if (nControl != 0 && !(nControl & KTRB04_REQUEST))
            continue;
        const int32_t nData = static_cast<int32_t>(FrameWord(strHex, KTRB04_WORD_DATA_LOW) |
                                                   static_cast<uint32_t>(FrameWord(strHex, KTRB04_WORD_DATA_HIGH)) << 16);
        aFrames.push_back({ nControl, FrameWord(strHex, KTRB04_WORD_REG_CHANNEL), nData });
    }
    return aFrames;
}

std::vector<std::string> LibraryCalls(const std::vector<std::string>& astrTrace)
{
    std::vector<std::string> astrCalls;
    for (const std::string& strLine : astrTrace)
        if (strLine.compare(0, 10, "AdvDataRW(") != 0)
            astrCalls.push_back(strLine);
    return astrCalls;
}

class Selection : public CDialogTest {
protected:
    double Number(int nId) const
    {
        const std::wstring strText = Text(nId);
        wchar_t* pszEnd = nullptr;
        const double dValue = std::wcstod(strText.c_str(), &pszEnd);
        EXPECT_TRUE(!strText.empty() && *pszEnd == L'\0') << nId << " shows \"" << std::string(strText.begin(), strText.end()) << "\"";
        return dValue;
    }

    int SelectedItem(int nId) const { return Control(nId).nCurSel; }

    void SelectDevice(int nItem) { ASSERT_TRUE(HeadlessDriver::SelectComboIndex(Dlg(), IDC_DEVICE, nItem)); }
    void SelectAxis(int nAxis) { ASSERT_TRUE(HeadlessDriver::SelectComboIndex(Dlg(), IDC_AXIS, nAxis)); }
    void SelectChannel(int nItem) { ASSERT_TRUE(HeadlessDriver::SelectComboIndex(Dlg(), IDC_CHANNEL, nItem)); }

    // The controls, captions and list items that the node type decides.
    void ExpectPanel(Panel ePanel) const
    {
        for (const PANEL_ROW& row : s_aPanel) {
            const auto control = Control(row.nId);
            ASSERT_TRUE(control.bExists) << row.nId;
            if (row.anVisible[ePanel] != X) {
                EXPECT_EQ(row.anVisible[ePanel] == Y, control.bVisible) << "visible " << row.nId;
            }
            if (row.anEnabled[ePanel] != X) {
                EXPECT_EQ(row.anEnabled[ePanel] == Y, control.bEnabled) << "enabled " << row.nId;
            }
        }
        for (const PANEL_TEXT& text : s_aPanelTexts) {
            if (text.apszText[ePanel] != nullptr) {
                EXPECT_EQ(text.apszText[ePanel], Text(text.nId)) << text.nId;
            }
        }
        EXPECT_EQ(s_aHomeModeItems[ePanel], Control(IDC_HOME_MODE).aItems);
        if (ePanel == PANEL_KESTRALINE) {
            EXPECT_EQ(s_astrPosClrItems, Control(IDC_POS_CLR_MODE).aItems);
        } else if (ePanel != PANEL_EMPTY) {
            EXPECT_TRUE(Control(IDC_POS_CLR_MODE).aItems.empty());
        }
        EXPECT_EQ(s_anNodeType[ePanel], g_nNodeType);
    }

    template <size_t NF, size_t NB>
    void ExpectSettings(const FIELD (&aFields)[NF], const FIELD (&aBoxes)[NB], int nDevice, int nAxis, int nChannel) const
    {
        for (const FIELD& field : aFields)
            EXPECT_DOUBLE_EQ(m_sim.Setting(nDevice, nAxis, nChannel, field.pszKey), Number(field.nId)) << field.pszKey;
        for (const FIELD& box : aBoxes)
            EXPECT_EQ(static_cast<int>(m_sim.Setting(nDevice, nAxis, nChannel, box.pszKey)), SelectedItem(box.nId)) << box.pszKey;
    }

    void ExpectServoSettings(int nDevice, int nAxis) const
    {
        ExpectSettings(s_aServoFields, s_aServoBoxes, nDevice, nAxis, 0);
        const auto Setting = [&](const char* pszKey) { return static_cast<int>(m_sim.Setting(nDevice, nAxis, 0, pszKey)); };
        EXPECT_EQ(Setting("param.0x50B") == 0x8888 ? 2 : Setting("mio.1"), SelectedItem(IDC_EL_MINUS_LOGIC));
        EXPECT_EQ(Setting("param.0x50A") == 0x8881 ? 2 : Setting("mio.0"), SelectedItem(IDC_EL_PLUS_LOGIC));
        EXPECT_EQ(Setting("homemode") == 3 ? 1 : 0, SelectedItem(IDC_HOME_MODE));
        EXPECT_EQ(L"0", Text(IDC_EZ_COUNT));
        EXPECT_EQ(L"0", Text(IDC_ESCAPE_DIST));
    }

    void ExpectKestralineSettings(int nDevice, int nAxis, int nChannel) const
    {
        ExpectSettings(s_aKestralineFields, s_aKestralineBoxes, nDevice, nAxis, nChannel);
        EXPECT_EQ(KestralineHomeItem(static_cast<int>(m_sim.Setting(nDevice, nAxis, nChannel, "homemode"))), SelectedItem(IDC_HOME_MODE));
    }

    void ExpectKtrb04Settings(int nDevice, int nAxis, int nChannel) const
    {
        ExpectSettings(s_aKtrb04Fields, s_aKtrb04Boxes, nDevice, nAxis, nChannel);
        // Entry 1 prepared: current entry, registers 2, 3 and 4 cleared.
        for (const char* pszKey : { "reg.0x201", "reg.0x301", "reg.0x401" })
            EXPECT_EQ(0.0, m_sim.Setting(nDevice, nAxis, nChannel, pszKey)) << pszKey;
        EXPECT_EQ(1, m_pDlg->m_pKtrb04->m_Build.Channel(nChannel) & KTRB04_CMD_ENTRY_MASK);
    }

    // The panel and every value it shows for the selected node.
    void ExpectNode(Panel ePanel, int nDevice, int nAxis, int nChannel) const
    {
        ExpectPanel(ePanel);
        EXPECT_EQ(nDevice, m_pDlg->m_nDevice);
        EXPECT_EQ(nDevice, m_pDlg->m_pKtrb04->m_nDevNo);
        EXPECT_EQ(nAxis, m_pDlg->m_nAxis);
        switch (ePanel) {
        case PANEL_SERVO:
            ExpectServoSettings(nDevice, nAxis);
            break;
        case PANEL_KESTRALINE:
            EXPECT_EQ(nChannel, m_pDlg->m_nChannel);
            ExpectKestralineSettings(nDevice, nAxis, nChannel);
            break;
        case PANEL_KTRB04:
            EXPECT_EQ(nChannel, m_pDlg->m_nChannel);
            ExpectKtrb04Settings(nDevice, nAxis, nChannel);
            break;
        default:
            break;
        }
    }

    // Registers 2..4 of entry 1 of every channel set to non-zero values, so
    // that the entry preparation shows.
    void DirtyEntryRegisters(int nDevice, int nAxis, int nChannelMask) const
    {
        for (int c = 0; c < KTRB04_CHANNELS; ++c) {
            if ((nChannelMask >> c & 1) == 0)
                continue;
            for (const char* pszKey : { "reg.0x201", "reg.0x301", "reg.0x401" }) {
                ASSERT_EQ(0, m_sim.SetSetting(nDevice, nAxis, c, pszKey, 77.0 + c));
            }
        }
    }
};

// ---- The resulting panel, in several orders --------------------------------

enum Action { DEVICE, AXIS, CHANNEL };

struct STEP {
    Action eAction;
    int nIndex; // item of the box
    Panel ePanel;
    int nDevice;
    int nAxis;
    int nChannel;
};

struct SCENARIO {
    const char* pszName;
    std::vector<STEP> aSteps;
};

// Default network: board 0 has servos at 0 and 1 (1 with its (-) limit
// input off), I/O Kestraline at 2, KTRB04-M2 with channels 0..3 at 3 and
// with channels 0 and 2 at 4; board 1 has servos at 0 and 1, I/O
// Kestraline at 5.
const SCENARIO s_aScenarios[] = {
    { "servo to pulse nodes and back",
      { { AXIS, 2, PANEL_KESTRALINE, 0, 2, 0 },
        { CHANNEL, 1, PANEL_KESTRALINE, 0, 2, 1 },
        { AXIS, 0, PANEL_SERVO, 0, 0, 0 },
        { AXIS, 3, PANEL_KTRB04, 0, 3, 0 },
        { AXIS, 1, PANEL_SERVO, 0, 1, 0 },
        { AXIS, 4, PANEL_KTRB04, 0, 4, 0 },
        { AXIS, 0, PANEL_SERVO, 0, 0, 0 } } },
    { "pulse nodes to empty",
      { { AXIS, 2, PANEL_KESTRALINE, 0, 2, 0 },
        { AXIS, 5, PANEL_EMPTY, 0, 5, 0 },
        { AXIS, 3, PANEL_KTRB04, 0, 3, 0 },
        { AXIS, 5, PANEL_EMPTY, 0, 5, 0 },
        { AXIS, 0, PANEL_SERVO, 0, 0, 0 },
        { AXIS, 6, PANEL_EMPTY, 0, 6, 0 } } },
    { "KTRB04 channels 0 to 3",
      { { AXIS, 3, PANEL_KTRB04, 0, 3, 0 },
        { CHANNEL, 1, PANEL_KTRB04, 0, 3, 1 },
        { CHANNEL, 2, PANEL_KTRB04, 0, 3, 2 },
        { CHANNEL, 3, PANEL_KTRB04, 0, 3, 3 },
        { CHANNEL, 0, PANEL_KTRB04, 0, 3, 0 } } },
    { "KTRB04 channels 0 and 2",
      { { AXIS, 4, PANEL_KTRB04, 0, 4, 0 },
        { CHANNEL, 1, PANEL_KTRB04, 0, 4, 2 },
        { CHANNEL, 0, PANEL_KTRB04, 0, 4, 0 },
        { AXIS, 3, PANEL_KTRB04, 0, 3, 0 },
        { AXIS, 4, PANEL_KTRB04, 0, 4, 0 } } },
    { "boards keep the axis",
      { { AXIS, 1, PANEL_SERVO, 0, 1, 0 },
        { DEVICE, 1, PANEL_SERVO, 1, 1, 0 },
        { AXIS, 5, PANEL_KESTRALINE, 1, 5, 0 },
        { DEVICE, 0, PANEL_EMPTY, 0, 5, 0 },
        { DEVICE, 1, PANEL_KESTRALINE, 1, 5, 0 },
        { AXIS, 2, PANEL_EMPTY, 1, 2, 0 },
        { DEVICE, 0, PANEL_KESTRALINE, 0, 2, 0 } } },
};

TEST_F(Selection, EveryNodeTypeLeavesItsPanelInAnyOrder)
{
    for (const SCENARIO& scenario : s_aScenarios) {
        SCOPED_TRACE(scenario.pszName);
        OpenDialog();
        DirtyEntryRegisters(0, 3, 0x0F);
        DirtyEntryRegisters(0, 4, 0x05);
        ExpectNode(PANEL_SERVO, 0, 0, 0);
        for (size_t i = 0; i < scenario.aSteps.size(); ++i) {
            const STEP& step = scenario.aSteps[i];
            SCOPED_TRACE("step " + std::to_string(i));
            if (step.eAction == DEVICE)
                SelectDevice(step.nIndex);
            else if (step.eAction == AXIS)
                SelectAxis(step.nIndex);
            else
                SelectChannel(step.nIndex);
            ExpectNode(step.ePanel, step.nDevice, step.nAxis, step.nChannel);
            if (step.ePanel == PANEL_KTRB04)
                DirtyEntryRegisters(step.nDevice, step.nAxis, m_pDlg->m_pKtrb04->m_nChannelMask);
        }
        ::DestroyWindow(Dlg());
    }
}

TEST_F(Selection, AnEmptyAxisClearsItsValuesAndKeepsTheRestOfTheLastNode)
{
    struct {
        int nAxisBefore;
        int nSpeedModeEnabled; // 1040 as the node before left it
    } const aRows[] = { { 0, 1 }, { 3, 0 } };
    for (const auto& row : aRows) {
        OpenDialog();
        SelectAxis(row.nAxisBefore);
        m_pDlg->SetLamp(LAMP_ALM, 1);
        m_pDlg->SetLamp(LAMP_PEL, 1);
        m_pDlg->SetLamp(LAMP_SERVO, 1);
        ::SetDlgItemTextW(Dlg(), IDC_COMMAND_POSITION, L"12.5");
        SelectAxis(7);
        ExpectPanel(PANEL_EMPTY);
        for (int nId : { IDC_COMMAND_POSITION, IDC_FEEDBACK_POSITION, IDC_COMMAND_SPEED, IDC_FEEDBACK_SPEED })
            EXPECT_EQ(L"", Text(nId)) << nId;
        for (int nId : { IDC_INIT_SPEED, IDC_END_SPEED, IDC_WORK_SPEED, IDC_ACCEL, IDC_DECEL, IDC_UNIT_DIST, IDC_UNIT_SPEED,
                         IDC_ESCAPE_DIST, IDC_EZ_COUNT, IDC_HOME_OFFSET, IDC_HOME_VEL1, IDC_HOME_ACCEL1, IDC_HOME_DECEL1,
                         IDC_HOME_VEL2, IDC_HOME_ACCEL2, IDC_HOME_DECEL2, IDC_HOME_VEL3, IDC_HOME_ACCEL3, IDC_HOME_DECEL3 })
            EXPECT_EQ(L"0", Text(nId)) << nId;
        for (int i = 0; i < LAMP_SERVO; ++i)
            EXPECT_EQ(m_pDlg->m_bmpLampOff.GetSafeHandle(), Control(IDC_LAMP_ALM + i).hImage) << i;
        EXPECT_EQ(m_pDlg->m_bmpLampGreen.GetSafeHandle(), Control(IDC_LAMP_SERVO).hImage) << "the servo lamp is left";
        EXPECT_EQ(row.nSpeedModeEnabled == 1, Control(IDC_SPEED_MODE).bEnabled);
        ::DestroyWindow(Dlg());
    }
}

// ---- Settings read back, in order -------------------------------------------

TEST_F(Selection, SettingsAreReadInTheirOrder)
{
    struct {
        int nAxis;
        int nChannelItem; // -1: select the axis
        std::vector<std::string> astrCalls;
    } const aRows[] = {
        { 0, -1,
          { "GnGetAxisMap(0,&)", "GnGetNodeInfo(0,0,&)", "CfgGetUnitDist(0,0,&)", "CfgGetUnitSpeed(0,0,&)",
            "CfgGetSpeedPattern(0,0,&,&,&,&,&,&)", "ServoParamRead(0,0,1291,2,&)", "CfgGetMioProperty(0,0,1,&)",
            "ServoParamRead(0,0,1290,2,&)", "CfgGetMioProperty(0,0,0,&)", "CfgGetMioProperty(0,0,2,&)",
            "CfgGetMioProperty(0,0,3,&)", "CfgGetMioProperty(0,0,4,&)", "CfgGetMioProperty(0,0,6,&)",
            "HomeGetConfig(0,0,0,&)", "HomeGetConfig(0,0,1,&)", "HomeGetOffset(0,0,&)",
            "HomeGetSpeedPattern(0,0,0,&,&,&,&)", "HomeGetSpeedPattern(0,0,1,&,&,&,&)", "HomeGetSpeedPattern(0,0,2,&,&,&,&)" } },
        // Axis 1 has its (-) limit input off: no property read for that side.
        { 1, -1,
          { "GnGetAxisMap(0,&)", "GnGetNodeInfo(0,1,&)", "CfgGetUnitDist(0,1,&)", "CfgGetUnitSpeed(0,1,&)",
            "CfgGetSpeedPattern(0,1,&,&,&,&,&,&)", "ServoParamRead(0,1,1291,2,&)",
            "ServoParamRead(0,1,1290,2,&)", "CfgGetMioProperty(0,1,0,&)", "CfgGetMioProperty(0,1,2,&)",
            "CfgGetMioProperty(0,1,3,&)", "CfgGetMioProperty(0,1,4,&)", "CfgGetMioProperty(0,1,6,&)",
            "HomeGetConfig(0,1,0,&)", "HomeGetConfig(0,1,1,&)", "HomeGetOffset(0,1,&)",
            "HomeGetSpeedPattern(0,1,0,&,&,&,&)", "HomeGetSpeedPattern(0,1,1,&,&,&,&)", "HomeGetSpeedPattern(0,1,2,&,&,&,&)" } },
        { 2, 1,
          { "PmCfgGetUnitDist(0,2,1,&)", "PmCfgGetUnitSpeed(0,2,1,&)", "PmCfgGetSpeedPattern(0,2,1,&,&,&,&)",
            "PmHomeGetConfig(0,2,1,&,&,&,&,&)", "PmHomeGetPosClrMode(0,2,1,&)", "PmHomeGetSpeedPattern(0,2,1,&,&,&,&,&)",
            "PmCfgGetMioProperty(0,2,1,4,&)", "PmCfgGetMioProperty(0,2,1,13,&)", "PmCfgGetMioProperty(0,2,1,8,&)",
            "PmCfgGetMioProperty(0,2,1,10,&)", "PmCfgGetMioProperty(0,2,1,0,&)", "PmCfgGetMioProperty(0,2,1,5,&)",
            "PmCfgGetMioProperty(0,2,1,9,&)", "PmCfgGetMioProperty(0,2,1,1,&)", "PmCfgGetOutMode(0,2,1,&)",
            "PmCfgGetInMode(0,2,1,&,&)" } },
    };
    for (const auto& row : aRows) {
        OpenDialog();
        if (row.nChannelItem >= 0)
            SelectAxis(row.nAxis);
        m_sim.ClearTrace();
        if (row.nChannelItem >= 0)
            SelectChannel(row.nChannelItem);
        else
            SelectAxis(row.nAxis);
        EXPECT_EQ(row.astrCalls, LibraryCalls(m_sim.Trace())) << "axis " << row.nAxis;
        ::DestroyWindow(Dlg());
    }
}

TEST_F(Selection, Ktrb04ChannelReadsItsRegistersThenPreparesEntryOne)
{
    OpenDialog();
    SelectAxis(4);
    for (int nPass = 0; nPass < 2; ++nPass) {
        // The same channel twice: the preparation goes out each time.
        SCOPED_TRACE(nPass);
        DirtyEntryRegisters(0, 4, 0x05);
        m_sim.ClearTrace();
        const DWORD nBefore = HeadlessDriver::Now();
        SelectChannel(1);
        std::vector<int> anControls;
        for (const FRAME& frame : RequestFrames(m_sim.Trace())) {
            anControls.push_back(frame.nControl);
            if (frame.nControl != 0) {
                EXPECT_EQ(2, frame.nRegChannel) << std::hex << frame.nControl;
            }
            if (frame.nControl == (KTRB04_REQUEST | 0x1201) || frame.nControl == (KTRB04_REQUEST | 0x1301) ||
                frame.nControl == (KTRB04_REQUEST | 0x1401)) {
                EXPECT_EQ(0, frame.nData);
            }
        }
        const std::vector<int> anExpected = {
            0x4101, 0x4501, 0x4601, 0x4C60, 0x4C66, 0x4C65, 0x4C62, 0x4C63, 0x4C11, 0x4C12, 0x4C14,
            0, 0, // entry 1 selected in the command word, and its acknowledge
            0x5201, 0x5301, 0x5401,
        };
        // The status monitor may read the channel once the selection is done.
        ASSERT_GE(anControls.size(), anExpected.size());
        anControls.resize(anExpected.size());
        EXPECT_EQ(anExpected, anControls);
        // Each of the four preparation steps is followed by a 10 ms pause.
        EXPECT_EQ(40u, HeadlessDriver::Now() - nBefore);
        ExpectNode(PANEL_KTRB04, 0, 4, 2);
        // Channel 1 of this node does not exist; nothing went to it, and
        // channel 0 kept its registers.
        EXPECT_EQ(77.0, m_sim.Setting(0, 4, 0, "reg.0x201"));
    }
}

TEST_F(Selection, Ktrb04AxisQueriesItsChannelsAndListsThem)
{
    struct {
        const char* pszChannels;
        Items astrItems;
        Items astrMasters;
        std::vector<int> anGroup;
    } const aRows[] = {
        { "0,1", { L"0", L"1" }, { L"Channel 0", L"Channel 1" }, { 0, 1 } },
        { "0,2", { L"0", L"2" }, { L"Channel 0", L"Channel 2" }, { 0, 2 } },
        { "1,3,7", { L"1", L"3", L"7" }, { L"Channel 1", L"Channel 3", L"Channel 7" }, { 1, 3, 7 } },
        { "0,1,2,3,4,5,6,7", { L"0", L"1", L"2", L"3", L"4", L"5", L"6", L"7" },
          { L"Channel 0", L"Channel 1", L"Channel 2", L"Channel 3", L"Channel 4", L"Channel 5", L"Channel 6", L"Channel 7" },
          { 0, 1, 2, 3, 4, 5, 6, 7 } },
    };
    for (const auto& row : aRows) {
        SCOPED_TRACE(row.pszChannels);
        OpenDialog((std::string("board 0\nnode 0 servo\nnode 9 ktrb04 channels=") + row.pszChannels + "\n").c_str());
        m_sim.ClearTrace();
        const DWORD nBefore = HeadlessDriver::Now();
        SelectAxis(9);
        const auto frames = RequestFrames(m_sim.Trace());
        ASSERT_FALSE(frames.empty());
        EXPECT_EQ(KTRB04_REQUEST | 0x1C00, frames[0].nControl);
        EXPECT_EQ(0, frames[0].nRegChannel);
        EXPECT_EQ(0, frames[0].nData);
        EXPECT_EQ(50u, HeadlessDriver::Now() - nBefore) << "query pause and the four preparation pauses";
        const auto channel = Control(IDC_CHANNEL);
        EXPECT_EQ(row.astrItems, channel.aItems);
        EXPECT_EQ(0, channel.nCurSel);
        const auto master = Control(IDC_MASTER_AXIS);
        EXPECT_EQ(row.astrMasters, master.aItems);
        EXPECT_EQ(0, master.nCurSel);
        for (size_t k = 0; k < row.anGroup.size(); ++k)
            EXPECT_EQ(row.anGroup[k], m_pDlg->m_nGroupChannel[k]) << k;
        ExpectNode(PANEL_KTRB04, 0, 9, row.anGroup[0]);
        // The last item reaches the channel it shows.
        SelectChannel(static_cast<int>(row.anGroup.size()) - 1);
        ExpectNode(PANEL_KTRB04, 0, 9, row.anGroup.back());
        ::DestroyWindow(Dlg());
    }
}

TEST_F(Selection, Ktrb04WithoutChannelsLeavesTheChannelPanelAlone)
{
    struct {
        const char* pszName;
        const char* pszChannels;
        bool bFailExchanges;
    } const aRows[] = {
        { "node reports no channel", "none", false },
        { "channel query fails", "0,1", true },
    };
    for (const auto& row : aRows) {
        SCOPED_TRACE(row.pszName);
        OpenDialog((std::string("board 0\nnode 0 servo\nnode 9 ktrb04 channels=") + row.pszChannels + "\n").c_str());
        if (row.bFailExchanges)
            m_sim.FailCall("AdvDataRW", ZELV_SIM_E_FRAME, -1);
        const double dWorkSpeed = Number(IDC_WORK_SPEED);
        m_sim.ClearTrace();
        SelectAxis(9);
        m_sim.FailCall(nullptr, 0, 0);
        EXPECT_EQ(NODE_KTRB04, g_nNodeType);
        EXPECT_EQ(L"KTRB04-M2", Text(IDC_NODE_TYPE));
        EXPECT_TRUE(Control(IDC_CHANNEL).aItems.empty());
        EXPECT_TRUE(Control(IDC_CHANNEL).bEnabled);
        EXPECT_TRUE(Control(IDC_HOME_MODE).aItems.empty());
        EXPECT_TRUE(Control(IDC_POS_CLR_MODE).aItems.empty());
        EXPECT_EQ(0, m_pDlg->m_pKtrb04->m_nChannelMask);
        // Only the channel query went out; the servo's values stay.
        const auto frames = RequestFrames(m_sim.Trace());
        ASSERT_EQ(1u, frames.size());
        EXPECT_EQ(KTRB04_REQUEST | 0x1C00, frames[0].nControl);
        EXPECT_EQ(dWorkSpeed, Number(IDC_WORK_SPEED));
        EXPECT_EQ(L"SVON Mode", Text(IDC_PULSE_MODE_GROUP));
        ::DestroyWindow(Dlg());
    }
}

// ---- Edge cases of the settings shown ---------------------------------------

TEST_F(Selection, ServoLimitInputsWiredOffShowDisable)
{
    struct {
        const char* pszSettings;
        int nMinusItem;
        int nPlusItem;
    } const aRows[] = {
        { "param.0x50B=0x8888 param.0x50A=0 mio.0=1 mio.1=0", 2, 1 },
        { "param.0x50A=0x8881 param.0x50B=0 mio.0=0 mio.1=1", 1, 2 },
        { "param.0x50A=0x8881 param.0x50B=0x8888 mio.0=0 mio.1=0", 2, 2 },
        // Each side has its own disable value.
        { "param.0x50A=0x8888 param.0x50B=0x8881 mio.0=1 mio.1=0", 0, 1 },
        { "param.0x50A=0 param.0x50B=0 mio.0=0 mio.1=1", 1, 0 },
    };
    for (const auto& row : aRows) {
        SCOPED_TRACE(row.pszSettings);
        OpenDialog((std::string("board 0\nnode 0 servo\nset 0 ") + row.pszSettings + "\n").c_str());
        EXPECT_EQ(row.nMinusItem, SelectedItem(IDC_EL_MINUS_LOGIC));
        EXPECT_EQ(row.nPlusItem, SelectedItem(IDC_EL_PLUS_LOGIC));
        ::DestroyWindow(Dlg());
    }
}

TEST_F(Selection, HomeModeValuesSelectTheirItems)
{
    struct {
        const char* pszNode;
        int nMode;
        int nItem;
    } const aRows[] = {
        { "servo", 3, 1 }, { "servo", 1, 0 }, { "servo", 0, 0 }, { "servo", 5, 0 },
        { "kestraline", 0, 0 }, { "kestraline", 1, 1 }, { "kestraline", 2, 2 }, { "kestraline", 6, 3 },
        { "kestraline", 7, 4 }, { "kestraline", 3, 0 }, { "kestraline", 5, 0 },
    };
    for (const auto& row : aRows) {
        SCOPED_TRACE(std::string(row.pszNode) + " mode " + std::to_string(row.nMode));
        OpenDialog((std::string("board 0\nnode 0 ") + row.pszNode + "\nset 0 homemode=" + std::to_string(row.nMode) + "\n").c_str());
        EXPECT_EQ(row.nItem, SelectedItem(IDC_HOME_MODE));
        if (row.nItem == 3) {
            EXPECT_EQ(L"6 : EL ON>Stop>Go back at Vr>EL OFF>Stop", Control(IDC_HOME_MODE).aItems[3]);
        }
        ::DestroyWindow(Dlg());
    }
}

TEST_F(Selection, Ktrb04HomeValuesShowAsWholePulses)
{
    OpenDialog("board 0\nnode 0 servo\nnode 2 ktrb04 channels=0,1\nset 2.1 reg.0xC63=500 reg.0xC65=-1200 reg.0xC62=1750\n");
    SelectAxis(2);
    SelectChannel(1);
    EXPECT_EQ(L"500", Text(IDC_HOME_ACCEL1));
    EXPECT_EQ(L"500", Text(IDC_HOME_DECEL1));
    EXPECT_EQ(L"-1200", Text(IDC_HOME_OFFSET));
    EXPECT_EQ(-1200, m_pDlg->m_nHomeOffsetPulses);
    EXPECT_EQ(L"1750", Text(IDC_HOME_VEL1));
}

TEST_F(Selection, AKestralineChannelIsTheNumberItsItemShows)
{
    OpenDialog();
    // A KTRB04-M2 node with channels 0 and 2 leaves its items in the box.
    SelectAxis(4);
    SelectAxis(2);
    EXPECT_EQ((Items{ L"0", L"2" }), Control(IDC_CHANNEL).aItems);
    ExpectNode(PANEL_KESTRALINE, 0, 2, 0);
    SelectChannel(1);
    EXPECT_EQ(2, m_pDlg->m_nChannel);
    ::DestroyWindow(Dlg());
    // With the template items the position and the number agree.
    OpenDialog();
    SelectAxis(2);
    EXPECT_EQ((Items{ L"0", L"1" }), Control(IDC_CHANNEL).aItems);
    SelectChannel(1);
    ExpectNode(PANEL_KESTRALINE, 0, 2, 1);
}

TEST_F(Selection, AnUnknownNodeTypeGetsOnlyTheCommonLayout)
{
    OpenDialog("board 0\nnode 0 servo\nnode 1 kestraline reporttype=7\n");
    m_sim.ClearTrace();
    SelectAxis(1);
    EXPECT_EQ((std::vector<std::string>{ "GnGetAxisMap(0,&)", "GnGetNodeInfo(0,1,&)" }), LibraryCalls(m_sim.Trace()));
    // Type and captions of the servo before stay.
    EXPECT_EQ(NODE_SERVO, g_nNodeType);
    EXPECT_EQ(L"Servo", Text(IDC_NODE_TYPE));
    EXPECT_EQ(L"NEL Logic", Text(IDC_EL_MINUS_LOGIC_LABEL));
    EXPECT_EQ(L"PEL Logic", Text(IDC_EL_PLUS_LOGIC_LABEL));
    EXPECT_TRUE(Control(IDC_HOME_MODE).aItems.empty());
    // Every servo-only control is disabled.
    for (int nId : { IDC_INIT_SPEED, IDC_END_SPEED, IDC_EL_PLUS_LOGIC, IDC_SVON_MODE, IDC_HOME_SPEED_MODE2, IDC_HOME_VEL2,
                     IDC_HOME_ACCEL2, IDC_HOME_DECEL2, IDC_HOME_SPEED_MODE3, IDC_HOME_VEL3, IDC_HOME_ACCEL3, IDC_HOME_DECEL3 })
        EXPECT_FALSE(Control(nId).bEnabled) << nId;
    EXPECT_FALSE(Control(IDC_EL_MINUS_LOGIC).bVisible);
    EXPECT_TRUE(Control(IDC_EL_LOGIC).bVisible);
    for (int nId : { IDC_EZ_LOGIC, IDC_INP_LOGIC, IDC_ALM_LOGIC, IDC_ALARM_STOP_MODE, IDC_CMD_PULSE_MODE, IDC_FB_PULSE_MODE,
                     IDC_ESCAPE_DIST, IDC_EZ_COUNT })
        EXPECT_TRUE(Control(nId).bEnabled) << nId;
}

// ---- Device box ------------------------------------------------------------

TEST_F(Selection, EachDeviceItemReachesTheBoardItShows)
{
    std::string strTopology;
    for (int i = 0; i < 12; ++i)
        strTopology += "board " + std::to_string(i) + "\nnode 0 servo\n";
    OpenDialog(strTopology.c_str());
    const auto device = Control(IDC_DEVICE);
    ASSERT_EQ(12u, device.aItems.size());
    EXPECT_EQ(L"Dev 10", device.aItems[2]);
    for (int nItem : { 2, 3, 4, 11, 0 }) {
        const std::wstring& strItem = device.aItems[static_cast<size_t>(nItem)];
        const int nDevice = std::stoi(strItem.substr(4));
        SelectDevice(nItem);
        SCOPED_TRACE(nDevice);
        ExpectNode(PANEL_SERVO, nDevice, 0, 0);
    }
}

TEST_F(Selection, ADeviceBoxWithoutSelectionChangesNothing)
{
    OpenDialog();
    SelectDevice(1);
    ::SendDlgItemMessageW(Dlg(), IDC_DEVICE, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    m_sim.ClearTrace();
    ::SendMessageW(Dlg(), WM_COMMAND, MAKEWPARAM(IDC_DEVICE, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(HeadlessDriver::Control(Dlg(), IDC_DEVICE)));
    EXPECT_TRUE(m_sim.Trace().empty());
    EXPECT_EQ(1, m_pDlg->m_nDevice);
    EXPECT_EQ(1, m_pDlg->m_pKtrb04->m_nDevNo);
}

TEST_F(Selection, StartUpShowsAxisZeroOfTheFirstBoard)
{
    OpenDialog("board 5\nnode 0 kestraline\nboard 3\nnode 0 servo\n");
    // Board 5 is reported first, but the sorted box shows "Dev 3" as item
    // 0: the panel belongs to the board that item names.
    EXPECT_EQ(0, Control(IDC_DEVICE).nCurSel);
    const int nDevice = static_cast<int>(Control(IDC_DEVICE).aItemData[0]);
    EXPECT_EQ(3, nDevice);
    ExpectNode(PANEL_SERVO, 3, 0, 0);
}

} // namespace
