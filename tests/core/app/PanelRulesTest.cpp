#include <gtest/gtest.h>

#include "core/app/PanelRules.h"

namespace vexlor {
namespace {

JobState jobWith(void (*change)(JobState&)) {
    JobState job;
    change(job);
    return job;
}

// A label's text, or "-" when it is hidden.
std::string label(const PanelState& panel, ControlId id) {
    return panel.at(id).visible ? panel.at(id).text : "-";
}

TEST(ShowModeLabels, PicksTheFirstApplyingTextPerLabel) {
    const struct {
        const char* what;
        JobState job;
        const char *erase, *isp, *mode;
    } cases[] = {
        {"nothing set", JobState{}, "-", "-", "-"},
        {"erase", jobWith([](JobState& j) { j.wholeChipErase = 1; }), "Whole Chip Erase", "-", "-"},
        {"exhv before isp", jobWith([](JobState& j) { j.exhvIspProgram = j.ispProgram = 1; }), "-",
         "EXHV ISP Program", "-"},
        {"isp", jobWith([](JobState& j) { j.ispProgram = 1; }), "-", "ISP Program", "-"},
        {"display serial wins",
         jobWith([](JobState& j) { j.displaySerialNumber = j.serialNumberProgram = 1; }), "-", "-",
         "Display Serial Number"},
        {"serial before mass",
         jobWith([](JobState& j) { j.serialNumberProgram = j.massProduction = 1; }), "-", "-",
         "Serial Number Program"},
        {"mass production", jobWith([](JobState& j) { j.massProduction = 1; }), "-", "-",
         "Mass Production Mode"},
        {"production limit", jobWith([](JobState& j) { j.productionLimit = 1; }), "-", "-",
         "Production Limit"},
        {"mass value 0x11 reads as limit", jobWith([](JobState& j) { j.massProduction = 0x11; }),
         "-", "-", "Production Limit"},
        {"mass value 2 shows nothing", jobWith([](JobState& j) { j.massProduction = 2; }), "-", "-",
         "-"},
    };
    for (const auto& c : cases) {
        PanelState panel;
        ShowModeLabels(c.job, panel);
        EXPECT_EQ(label(panel, ControlId::EraseModeLabel) + "|" +
                      label(panel, ControlId::IspModeLabel) + "|" +
                      label(panel, ControlId::JobModeLabel),
                  std::string(c.erase) + "|" + c.isp + "|" + c.mode)
            << c.what;
    }
}

constexpr ControlId kOperationButtons[] = {
    ControlId::Auto, ControlId::BlankCheck, ControlId::Program,    ControlId::Verify,
    ControlId::Read, ControlId::WriterTest, ControlId::SmartOption};

// One character per operation button, in the order of kOperationButtons.
std::string enabledButtons(const PanelState& panel) {
    std::string flags;
    for (ControlId id : kOperationButtons) {
        flags += panel.at(id).enabled ? '1' : '0';
    }
    return flags;
}

TEST(EnableOperationButtons, FollowsSerialAndProductionModes) {
    struct Case {
        const char* what;
        JobState job;
        bool before;  // state of the buttons before enabling
        const char* want;
    };
    const auto displaySerial = jobWith([](JobState& j) { j.displaySerialNumber = 1; });
    const Case cases[] = {
        {"plain job", JobState{}, false, "1111110"},
        {"smart option", jobWith([](JobState& j) { j.smartOptionAvailable = 1; }), false,
         "1111111"},
        {"mass production", jobWith([](JobState& j) { j.massProduction = 1; }), true, "1000110"},
        {"production limit", jobWith([](JobState& j) { j.productionLimit = 1; }), true, "1000110"},
        {"display serial keeps disabled", displaySerial, false, "0000110"},
        {"display serial keeps enabled", displaySerial, true, "1111110"},
    };
    for (const auto& c : cases) {
        PanelState panel;
        for (ControlId id : kOperationButtons) {
            panel.enable(id, c.before);
        }
        EnableOperationButtons(c.job, panel);
        EXPECT_EQ(enabledButtons(panel), c.want) << c.what;
    }
}

TEST(DisableOperationButtons, DisablesTheSevenButtonsOnly) {
    PanelState panel;
    DisableOperationButtons(panel);
    EXPECT_EQ(enabledButtons(panel), "0000000");
    EXPECT_TRUE(panel.at(ControlId::PinPlacement).enabled);
}

// Per box pair (protect, mode, 32k clock): "-" when hidden, else whether each box is checked.
std::string fuseBoxes(const PanelState& p) {
    std::string text;
    for (const auto& [first, second] : {std::pair{ControlId::Unprotect, ControlId::Protect},
                                        {ControlId::FastMode, ControlId::DualMode},
                                        {ControlId::Clock32kDisable, ControlId::Clock32kEnable}}) {
        text += text.empty() ? "" : " ";
        text += !p.at(first).visible ? std::string("-")
                                     : std::string{p.at(first).checked ? '1' : '0',
                                                   p.at(second).checked ? '1' : '0'};
    }
    return text;
}

struct HeaderFuseCase {
    const char* what;
    int setProtectMode;
    int offset;
    std::uint8_t value;
    const char* want;
};

TEST(FuseBoxesFromHeader, ReadsTheLayoutOfEachProtectMode) {
    // A set bit means "Unprotect"; mode 3 stores the inverse, mode 9 two inverted bits.
    const HeaderFuseCase cases[] = {
        {"mode 1 bit set", 1, 36, 0xFF, "10 - -"},
        {"mode 1 bit clear", 1, 36, 0xFE, "01 - -"},
        {"mode 2 uses byte 37", 2, 37, 0x01, "10 - -"},
        {"mode 2 ignores byte 36", 2, 36, 0x01, "01 - -"},
        {"mode 3 inverted set", 3, 43, 0x01, "01 - -"},
        {"mode 3 inverted clear", 3, 43, 0x00, "10 - -"},
        {"mode 4 byte 130", 4, 130, 0x03, "10 - -"},
        {"mode 5 three bits 101", 5, 36, 0x05, "10 01 10"},
        {"mode 5 three bits 010", 5, 36, 0x02, "01 10 01"},
        {"mode 9 protect 11", 9, 130, 0x03, "01 - -"},
        {"mode 9 unprotect 01", 9, 130, 0x01, "10 - -"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        OptionHeader h{};
        h[c.offset] = c.value;
        PanelState panel;
        FuseBoxesFromHeader(c.setProtectMode, h, panel);
        EXPECT_EQ(fuseBoxes(panel), c.want);
    }
}

TEST(FuseBoxesFromHeader, OtherModesLeaveTheBoxesAlone) {
    for (int mode : {0, 6, 7, 8, 10, 11}) {
        SCOPED_TRACE(mode);
        OptionHeader h;
        h.fill(0xFF);
        PanelState panel;
        panel[ControlId::Protect].checked = true;
        FuseBoxesFromHeader(mode, h, panel);
        EXPECT_EQ(fuseBoxes(panel), "01 00 00");
    }
}

TEST(ShowFuseBoxesForChip, ShowsThePairsTheChipUses) {
    struct Case {
        int display;
        bool protectShown, othersShown, changed;
    };
    for (const Case& c :
         {Case{1, true, true, true}, Case{2, true, false, true}, Case{3, false, false, true},
          Case{0, true, true, false}, Case{4, true, true, false}}) {
        SCOPED_TRACE(c.display);
        PanelState panel;
        panel[ControlId::Unprotect].checked = true;
        panel[ControlId::Clock32kEnable].checked = true;
        ChipDisplayInfo chip;
        chip.FuseCheckBoxDisplay = c.display;
        ShowFuseBoxesForChip(chip, panel);
        EXPECT_EQ(panel.at(ControlId::Unprotect).visible, c.protectShown);
        EXPECT_EQ(panel.at(ControlId::Protect).visible, c.protectShown);
        EXPECT_EQ(panel.at(ControlId::DualMode).visible, c.othersShown);
        EXPECT_EQ(panel.at(ControlId::Clock32kEnable).visible, c.othersShown);
        EXPECT_EQ(panel.at(ControlId::Unprotect).checked, !c.changed);
        EXPECT_EQ(panel.at(ControlId::Clock32kEnable).checked, !c.changed);
    }
}

TEST(ApplyOperationVisibility, ShowsOnlyButtonsWhoseValueIsOneUpToTheFirstEmptyName) {
    PanelState panel;
    panel.show(ControlId::Read, false);
    OperationVisibilityTable table = InitialOperationVisibility();
    table[3].value = "0";  // Verify
    ApplyOperationVisibility(table, panel);
    for (ControlId id : {ControlId::Auto, ControlId::BlankCheck, ControlId::Program,
                         ControlId::Verify, ControlId::Read}) {
        EXPECT_EQ(panel.at(id).visible, id != ControlId::Verify) << static_cast<int>(id);
    }
    PanelState other;
    ApplyOperationVisibility(
        {{{"Auto", "yes"}, {"Program", " 1"}, {"Unknown", "0"}, {}, {"Verify", "0"}, {}}}, other);
    EXPECT_FALSE(other.at(ControlId::Auto).visible);
    EXPECT_FALSE(other.at(ControlId::Program).visible);
    EXPECT_TRUE(other.at(ControlId::Verify).visible) << "entries after the empty name do not count";
}

// One character per menu entry: load, save as, export, device, update firmware, hardware ID,
// serial info, serial program, compare, set protect, read chip info.
std::string menuFlags(const MenuStates& m) {
    std::string flags;
    for (bool on :
         {m.loadFile, m.saveAs, m.exportSetting, m.device, m.updateFirmware, m.readHardwareId,
          m.readSerialInfo, m.serialNumberProgram, m.compareFile, m.setProtect, m.readChipInfo}) {
        flags += on ? '1' : '0';
    }
    return flags;
}

TEST(EvaluateMenuStates, FollowsChipWriterAndProductionState) {
    ChipDisplayInfo allMenus;
    allMenus.MenuSerial_Num = 1;
    allMenus.MenuCompare_File = 1;
    allMenus.MenuSet_Protect = 1;
    allMenus.MenuRead_ChipInfo = 1;
    JobState chip;
    chip.chipNameText = "QR64L74M";
    OptionHeader clean{};
    OptionHeader limit{};
    limit[78] = 0x11;
    JobState mass = chip;
    mass.massProduction = 1;
    ChipDisplayInfo serialTwo = allMenus;
    serialTwo.MenuSerial_Num = 2;
    serialTwo.MenuRead_ChipInfo = 0;
    struct Case {
        const char* what;
        JobState job;
        ChipDisplayInfo info;
        bool connected;
        const OptionHeader* header;
        const char* want;
    };
    JobState loaded = chip;
    loaded.loadedFilePath = "prog.hex";
    const Case cases[] = {
        {"nothing", JobState{}, ChipDisplayInfo{}, false, &clean, "00010000000"},
        {"writer only", JobState{}, allMenus, true, &clean, "00011111000"},
        {"chip without writer", chip, allMenus, false, &clean, "00010001000"},
        {"chip and writer", chip, allMenus, true, &clean, "10011111111"},
        {"production limit in header", chip, allMenus, true, &limit, "10011111110"},
        {"mass production", mass, allMenus, true, &clean, "10011111110"},
        {"job loaded, writer gone", loaded, allMenus, false, &clean, "00110001000"},
        {"menu keys not 1", chip, serialTwo, true, &clean, "10011110110"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(menuFlags(EvaluateMenuStates(c.job, c.info, c.connected, *c.header)), c.want)
            << c.what;
    }
}

}  // namespace
}  // namespace vexlor
