#include <gtest/gtest.h>

#include "core/app/PanelRules.h"

namespace vexlor {
namespace {

struct LabelCase {
    const char* what;
    JobState job;
    bool eraseShown;
    const char* ispText;   // nullptr: hidden
    const char* modeText;  // nullptr: hidden
};

JobState jobWith(void (*change)(JobState&)) {
    JobState job;
    change(job);
    return job;
}

TEST(ShowModeLabels, PicksTheFirstApplyingTextPerLabel) {
    const LabelCase cases[] = {
        {"nothing set", JobState{}, false, nullptr, nullptr},
        {"erase", jobWith([](JobState& j) { j.wholeChipErase = 1; }), true, nullptr, nullptr},
        {"exhv before isp", jobWith([](JobState& j) { j.exhvIspProgram = j.ispProgram = 1; }),
         false, "EXHV ISP Program", nullptr},
        {"isp", jobWith([](JobState& j) { j.ispProgram = 1; }), false, "ISP Program", nullptr},
        {"display serial wins",
         jobWith([](JobState& j) { j.displaySerialNumber = j.serialNumberProgram = 1; }), false,
         nullptr, "Display Serial Number"},
        {"serial before mass",
         jobWith([](JobState& j) { j.serialNumberProgram = j.massProduction = 1; }), false, nullptr,
         "Serial Number Program"},
        {"mass production", jobWith([](JobState& j) { j.massProduction = 1; }), false, nullptr,
         "Mass Production Mode"},
        {"production limit", jobWith([](JobState& j) { j.productionLimit = 1; }), false, nullptr,
         "Production Limit"},
        {"mass value 0x11 reads as limit", jobWith([](JobState& j) { j.massProduction = 0x11; }),
         false, nullptr, "Production Limit"},
        {"mass value 2 shows nothing", jobWith([](JobState& j) { j.massProduction = 2; }), false,
         nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PanelState panel;
        ShowModeLabels(c.job, panel);
        EXPECT_EQ(panel.at(ControlId::EraseModeLabel).visible, c.eraseShown);
        if (c.eraseShown) {
            EXPECT_EQ(panel.at(ControlId::EraseModeLabel).text, "Whole Chip Erase");
        }
        EXPECT_EQ(panel.at(ControlId::IspModeLabel).visible, c.ispText != nullptr);
        if (c.ispText) {
            EXPECT_EQ(panel.at(ControlId::IspModeLabel).text, c.ispText);
        }
        EXPECT_EQ(panel.at(ControlId::JobModeLabel).visible, c.modeText != nullptr);
        if (c.modeText) {
            EXPECT_EQ(panel.at(ControlId::JobModeLabel).text, c.modeText);
        }
    }
}

struct ButtonCase {
    const char* what;
    JobState job;
    bool before;  // state of Auto..Verify before enabling
    bool autoOn, blankOn, programOn, verifyOn, smartOn;
};

TEST(EnableOperationButtons, FollowsSerialAndProductionModes) {
    const ButtonCase cases[] = {
        {"plain job", JobState{}, false, true, true, true, true, false},
        {"smart option", jobWith([](JobState& j) { j.smartOptionAvailable = 1; }), false, true,
         true, true, true, true},
        {"mass production", jobWith([](JobState& j) { j.massProduction = 1; }), true, true, false,
         false, false, false},
        {"production limit", jobWith([](JobState& j) { j.productionLimit = 1; }), true, true, false,
         false, false, false},
        {"display serial keeps disabled", jobWith([](JobState& j) { j.displaySerialNumber = 1; }),
         false, false, false, false, false, false},
        {"display serial keeps enabled", jobWith([](JobState& j) { j.displaySerialNumber = 1; }),
         true, true, true, true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PanelState panel;
        for (ControlId id :
             {ControlId::Auto, ControlId::BlankCheck, ControlId::Program, ControlId::Verify,
              ControlId::Read, ControlId::WriterTest, ControlId::SmartOption}) {
            panel.enable(id, c.before);
        }
        EnableOperationButtons(c.job, panel);
        EXPECT_EQ(panel.at(ControlId::Auto).enabled, c.autoOn);
        EXPECT_EQ(panel.at(ControlId::BlankCheck).enabled, c.blankOn);
        EXPECT_EQ(panel.at(ControlId::Program).enabled, c.programOn);
        EXPECT_EQ(panel.at(ControlId::Verify).enabled, c.verifyOn);
        EXPECT_TRUE(panel.at(ControlId::Read).enabled);
        EXPECT_TRUE(panel.at(ControlId::WriterTest).enabled);
        EXPECT_EQ(panel.at(ControlId::SmartOption).enabled, c.smartOn);
    }
}

TEST(DisableOperationButtons, DisablesTheSevenButtonsOnly) {
    PanelState panel;
    DisableOperationButtons(panel);
    for (ControlId id :
         {ControlId::Auto, ControlId::BlankCheck, ControlId::Program, ControlId::Verify,
          ControlId::Read, ControlId::WriterTest, ControlId::SmartOption}) {
        EXPECT_FALSE(panel.at(id).enabled) << static_cast<int>(id);
    }
    EXPECT_TRUE(panel.at(ControlId::PinPlacement).enabled);
}

struct Fuse {
    bool unprotectShown, unprotect, protect;
    bool modeShown, fast, dual;
    bool clockShown, disable, enable;
};

Fuse fuseOf(const PanelState& p) {
    return {p.at(ControlId::Unprotect).visible,       p.at(ControlId::Unprotect).checked,
            p.at(ControlId::Protect).checked,         p.at(ControlId::FastMode).visible,
            p.at(ControlId::FastMode).checked,        p.at(ControlId::DualMode).checked,
            p.at(ControlId::Clock32kDisable).visible, p.at(ControlId::Clock32kDisable).checked,
            p.at(ControlId::Clock32kEnable).checked};
}

void expectFuse(const Fuse& got, const Fuse& want) {
    EXPECT_EQ(got.unprotectShown, want.unprotectShown);
    if (want.unprotectShown) {
        EXPECT_EQ(got.unprotect, want.unprotect);
        EXPECT_EQ(got.protect, want.protect);
    }
    EXPECT_EQ(got.modeShown, want.modeShown);
    if (want.modeShown) {
        EXPECT_EQ(got.fast, want.fast);
        EXPECT_EQ(got.dual, want.dual);
    }
    EXPECT_EQ(got.clockShown, want.clockShown);
    if (want.clockShown) {
        EXPECT_EQ(got.disable, want.disable);
        EXPECT_EQ(got.enable, want.enable);
    }
}

struct HeaderFuseCase {
    const char* what;
    int setProtectMode;
    int offset;
    std::uint8_t value;
    Fuse want;
};

TEST(FuseBoxesFromHeader, ReadsTheLayoutOfEachProtectMode) {
    // A set bit means "Unprotect"; mode 3 stores the inverse, mode 9 two inverted bits.
    const HeaderFuseCase cases[] = {
        {"mode 1 bit set", 1, 36, 0xFF, {true, true, false, false, 0, 0, false, 0, 0}},
        {"mode 1 bit clear", 1, 36, 0xFE, {true, false, true, false, 0, 0, false, 0, 0}},
        {"mode 2 uses byte 37", 2, 37, 0x01, {true, true, false, false, 0, 0, false, 0, 0}},
        {"mode 2 ignores byte 36", 2, 36, 0x01, {true, false, true, false, 0, 0, false, 0, 0}},
        {"mode 3 inverted set", 3, 43, 0x01, {true, false, true, false, 0, 0, false, 0, 0}},
        {"mode 3 inverted clear", 3, 43, 0x00, {true, true, false, false, 0, 0, false, 0, 0}},
        {"mode 4 byte 130", 4, 130, 0x03, {true, true, false, false, 0, 0, false, 0, 0}},
        {"mode 5 three bits 101",
         5,
         36,
         0x05,
         {true, true, false, true, false, true, true, true, false}},
        {"mode 5 three bits 010",
         5,
         36,
         0x02,
         {true, false, true, true, true, false, true, false, true}},
        {"mode 9 protect 11", 9, 130, 0x03, {true, false, true, false, 0, 0, false, 0, 0}},
        {"mode 9 unprotect 01", 9, 130, 0x01, {true, true, false, false, 0, 0, false, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        OptionHeader h{};
        h[c.offset] = c.value;
        PanelState panel;
        FuseBoxesFromHeader(c.setProtectMode, h, panel);
        expectFuse(fuseOf(panel), c.want);
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
        expectFuse(fuseOf(panel), {true, false, true, true, false, false, true, false, false});
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

TEST(ApplyOperationVisibility, ShowsOnlyButtonsWhoseValueIsOne) {
    PanelState panel;
    panel.show(ControlId::Read, false);
    OperationVisibilityTable table = InitialOperationVisibility();
    table[3].value = "0";  // Verify
    ApplyOperationVisibility(table, panel);
    EXPECT_TRUE(panel.at(ControlId::Auto).visible);
    EXPECT_TRUE(panel.at(ControlId::BlankCheck).visible);
    EXPECT_TRUE(panel.at(ControlId::Program).visible);
    EXPECT_FALSE(panel.at(ControlId::Verify).visible);
    EXPECT_TRUE(panel.at(ControlId::Read).visible);
}

TEST(ApplyOperationVisibility, AnyTextOtherThanOneHides) {
    PanelState panel;
    OperationVisibilityTable table{
        {{"Auto", "yes"}, {"Program", " 1"}, {"Unknown", "0"}, {}, {"Verify", "0"}, {}}};
    ApplyOperationVisibility(table, panel);
    EXPECT_FALSE(panel.at(ControlId::Auto).visible);
    EXPECT_FALSE(panel.at(ControlId::Program).visible);
    EXPECT_TRUE(panel.at(ControlId::Verify).visible) << "entries after the empty name do not count";
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

    struct Case {
        const char* what;
        JobState job;
        ChipDisplayInfo info;
        bool connected;
        const OptionHeader* header;
        MenuStates want;
    };
    JobState mass = chip;
    mass.massProduction = 1;
    JobState loaded = chip;
    loaded.loadedFilePath = "prog.hex";
    ChipDisplayInfo serialTwo = allMenus;
    serialTwo.MenuSerial_Num = 2;
    serialTwo.MenuRead_ChipInfo = 0;

    // Fields: load, saveAs, export, device, updateFw, hwId, snInfo, serial, compare, protect,
    // readChipInfo.
    const Case cases[] = {
        {"nothing",
         JobState{},
         ChipDisplayInfo{},
         false,
         &clean,
         {false, false, false, true, false, false, false, false, false, false, false}},
        {"writer only",
         JobState{},
         allMenus,
         true,
         &clean,
         {false, false, false, true, true, true, true, true, false, false, false}},
        {"chip without writer",
         chip,
         allMenus,
         false,
         &clean,
         {false, false, false, true, false, false, false, true, false, false, false}},
        {"chip and writer",
         chip,
         allMenus,
         true,
         &clean,
         {true, false, false, true, true, true, true, true, true, true, true}},
        {"production limit in header",
         chip,
         allMenus,
         true,
         &limit,
         {true, false, false, true, true, true, true, true, true, true, false}},
        {"mass production",
         mass,
         allMenus,
         true,
         &clean,
         {true, false, false, true, true, true, true, true, true, true, false}},
        {"job loaded, writer gone",
         loaded,
         allMenus,
         false,
         &clean,
         {false, false, true, true, false, false, false, true, false, false, false}},
        {"menu keys not 1",
         chip,
         serialTwo,
         true,
         &clean,
         {true, false, false, true, true, true, true, false, true, true, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MenuStates got = EvaluateMenuStates(c.job, c.info, c.connected, *c.header);
        EXPECT_EQ(got.loadFile, c.want.loadFile);
        EXPECT_FALSE(got.saveAs);
        EXPECT_EQ(got.exportSetting, c.want.exportSetting);
        EXPECT_TRUE(got.device);
        EXPECT_EQ(got.updateFirmware, c.want.updateFirmware);
        EXPECT_EQ(got.readHardwareId, c.want.readHardwareId);
        EXPECT_EQ(got.readSerialInfo, c.want.readSerialInfo);
        EXPECT_EQ(got.serialNumberProgram, c.want.serialNumberProgram);
        EXPECT_EQ(got.compareFile, c.want.compareFile);
        EXPECT_EQ(got.setProtect, c.want.setProtect);
        EXPECT_EQ(got.readChipInfo, c.want.readChipInfo);
    }
}

}  // namespace
}  // namespace vexlor
