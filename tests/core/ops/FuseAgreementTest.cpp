#include <gtest/gtest.h>

#include <optional>

#include "JobRig.h"
#include "core/app/JobRestore.h"
#include "core/ops/LoadFile.h"
#include "core/ops/ProtectLayout.h"
#include "support/HexText.h"

namespace vexlor::test {
namespace {

struct PanelPair {
    bool first;  // "Unprotect", "Fast mode", "32KHz disable"
    bool second;
    bool operator==(const PanelPair&) const = default;
};

PanelPair pair(const PanelState& panel, ControlId first, ControlId second) {
    return {panel.at(first).checked, panel.at(second).checked};
}

// One load per protect layout: what the operator chose (or the program file says), the option
// byte the writer must receive, and what the Fuse group shows after the load and after a
// re-attach.
struct Case {
    const char* what;
    const char* chip;
    int setProtectMode;
    std::optional<OptionChoices> chosen;  // nullopt: the chip has no Option Select
    std::string fileName;
    Bytes file;
    std::size_t offset;
    std::uint8_t mask;
    std::uint8_t bits;  // offset & mask in buffer_option.prog
    bool protect;
    std::optional<PanelPair> mode;  // the mode and clock pairs, when the layout shows them
    std::optional<PanelPair> clock;
};

Bytes hexFile(std::vector<HexSegment> segments) {
    const std::string text = hexText(segments);
    return Bytes(text.begin(), text.end());
}

// An image for the built-in converter of the library families: device ID, configuration byte
// and an information area left blank (0xFF).
Bytes libraryHex(std::size_t idAt, std::uint16_t id, std::uint8_t config, std::size_t end) {
    return hexFile(
        {{idAt, {static_cast<std::uint8_t>(id), static_cast<std::uint8_t>(id >> 8), config}},
         {end - 1, {0xFF}}});
}

Bytes rawImage(std::size_t size, std::vector<HexSegment> patches) {
    Bytes file(size, 0xFF);
    for (const auto& [at, bytes] : patches) {
        std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(at));
    }
    return file;
}

std::vector<Case> cases() {
    const Bytes program = hexFile({{0, {0xA1, 0xB2, 0xC3, 0xD4}}});
    // QR6401 keeps a configuration word at 0x401E whose bit 0 the choice decides.
    const Bytes otp = rawImage(0x4020, {{0x401E, {0x34, 0x12}}});
    const Bytes otpUnprotected = rawImage(0x4020, {{0x401E, {0x35, 0x12}}});
    const Bytes obj = rawImage(0x87FE, {{0x87FC, {0x82, 0x13}}, {0x8002, {0x01}}});
    const Bytes objUnprotected = rawImage(0x87FE, {{0x87FC, {0x82, 0x13}}, {0x8002, {0xFE}}});
    return {
        {"1 Protect",
         "QRV7371",
         1,
         OptionChoices{1, -1, -1},
         "p.hex",
         program,
         36,
         0x01,
         0x00,
         true,
         {},
         {}},
        {"1 Unprotect",
         "QRV7371",
         1,
         OptionChoices{0, -1, -1},
         "p.hex",
         program,
         36,
         0x01,
         0x01,
         false,
         {},
         {}},
        {"1 EEPROM chip Protect",
         "QRV7038",
         1,
         OptionChoices{1, -1, -1},
         "p.hex",
         program,
         36,
         0x01,
         0x00,
         true,
         {},
         {}},
        {"2 Protect",
         "QR6401",
         2,
         OptionChoices{1, -1, -1},
         "p.otp",
         otpUnprotected,
         37,
         0x01,
         0x00,
         true,
         {},
         {}},
        {"2 Unprotect over a protected file",
         "QR6401",
         2,
         OptionChoices{0, -1, -1},
         "p.otp",
         otp,
         37,
         0x01,
         0x01,
         false,
         {},
         {}},
        {"3 file protected", "QR6417", 3, std::nullopt, "p.obj", obj, 43, 0x01, 0x01, true, {}, {}},
        {"3 file unprotected",
         "QR6417",
         3,
         std::nullopt,
         "p.obj",
         objUnprotected,
         43,
         0x01,
         0x00,
         false,
         {},
         {}},
        {"4 file protected",
         "QR68K39M",
         4,
         std::nullopt,
         "p.hex",
         libraryHex(0x3FFC, 0x6800, 0x01, 0x401E),
         130,
         0x01,
         0x00,
         true,
         {},
         {}},
        {"4 file unprotected",
         "QR68K39M",
         4,
         std::nullopt,
         "p.hex",
         libraryHex(0x3FFC, 0x6800, 0x00, 0x401E),
         130,
         0x03,
         0x01,
         false,
         {},
         {}},
        {"5 Protect Dual enable", "QRV7049", 5, OptionChoices{1, 1, 1}, "p.hex", program, 36, 0x07,
         0x00, true, PanelPair{false, true}, PanelPair{false, true}},
        {"5 Unprotect Fast disable", "QRV7049", 5, OptionChoices{0, 0, 0}, "p.hex", program, 36,
         0x07, 0x07, false, PanelPair{true, false}, PanelPair{true, false}},
        {"5 Unprotect Dual disable", "QRV7049", 5, OptionChoices{0, 1, 0}, "p.hex", program, 36,
         0x07, 0x05, false, PanelPair{false, true}, PanelPair{true, false}},
        {"9 file protected",
         "QR64NH45L",
         9,
         std::nullopt,
         "p.hex",
         libraryHex(0x17FC, 0x6803, 0x01, 0x181E),
         130,
         0x03,
         0x03,
         true,
         {},
         {}},
        {"9 file unprotected",
         "QR64NH45L",
         9,
         std::nullopt,
         "p.hex",
         libraryHex(0x17FC, 0x6803, 0x00, 0x181E),
         130,
         0x03,
         0x01,
         false,
         {},
         {}},
    };
}

void expectPanel(const PanelState& panel, const Case& c) {
    EXPECT_EQ(pair(panel, ControlId::Unprotect, ControlId::Protect),
              (PanelPair{!c.protect, c.protect}));
    if (c.mode) {
        EXPECT_EQ(pair(panel, ControlId::FastMode, ControlId::DualMode), *c.mode);
        EXPECT_EQ(pair(panel, ControlId::Clock32kDisable, ControlId::Clock32kEnable), *c.clock);
    }
}

TEST(FuseAgreement, LoadFileSetProtectAndReattachShareOneMeaning) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.what);
        JobRig rig;
        rig.selectChip(c.chip);
        ASSERT_EQ(rig.context.chipXml.chipDisplayInfo().SetProtectMode, c.setProtectMode);
        if (c.chosen) {
            rig.optionSelect.answers.push_back({*c.chosen, true});
        }
        rig.op.files.push_back(rig.base.writeBytes(c.fileName, c.file).string());
        JobServices services = rig.services();
        ASSERT_EQ(LoadFile(services), JobOutcome::Ok) << testing::PrintToString(rig.op.texts());
        EXPECT_EQ(rig.optionSelect.answers.size(), 0u);
        expectPanel(rig.panel(), c);

        // What the writer received.
        const Bytes sent = rig.file("buffer_option.prog");
        EXPECT_EQ(sent.at(c.offset) & c.mask, c.bits);
        // Set Protect with the same choice finds nothing to change.
        OptionHeader header{};
        std::copy(sent.begin(), sent.end(), header.begin());
        OptionHeader again = header;
        std::uint16_t word = 0;
        ApplyProtectChoice(c.setProtectMode, c.protect, again, word);
        EXPECT_EQ(again, header);

        // A re-attach reads the job back from the writer.
        ResetFuseBoxes(rig.panel());
        OptionHeader held{};
        rig.writer.ReadOptionHeader(held);
        ASSERT_TRUE(RestoreJobFromWriter(held, rig.context.chips, rig.op, rig.context.shell));
        expectPanel(rig.panel(), c);
    }
}

TEST(FuseAgreement, OptionSelectOpensOnTheJobsChoicesAndCancelKeepsThem) {
    JobRig rig;
    rig.selectChip("QRV7049");
    const Bytes program = hexFile({{0, {0xA1, 0xB2}}});
    JobServices services = rig.services();
    rig.optionSelect.answers.push_back({{1, 0, 1}, true});
    rig.op.files.push_back(rig.base.writeBytes("p.hex", program).string());
    ASSERT_EQ(LoadFile(services), JobOutcome::Ok);
    // The operator clicks Unprotect, then cancels: the job's choices stand.
    rig.optionSelect.answers.push_back({{0, 0, 1}, false});
    rig.op.files.push_back(rig.base.writeBytes("p.hex", program).string());
    ASSERT_EQ(LoadFile(services), JobOutcome::Ok);
    ASSERT_EQ(rig.optionSelect.openedWith.size(), 2u);
    EXPECT_EQ(rig.optionSelect.openedWith[0], (OptionChoices{0, 0, 0}));
    EXPECT_EQ(rig.optionSelect.openedWith[1], (OptionChoices{1, 0, 1}));
    EXPECT_EQ(rig.file("buffer_option.prog").at(0x24), 0x62);  // Protect, Fast, enable
    EXPECT_TRUE(rig.panel().at(ControlId::Protect).checked);
    // Another chip starts from its own preset.
    rig.selectChip("QRV7371");
    rig.op.files.push_back(rig.base.writeBytes("p.hex", program).string());
    ASSERT_EQ(LoadFile(services), JobOutcome::Ok);
    EXPECT_EQ(rig.optionSelect.openedWith.at(2), (OptionChoices{0, -1, -1}));
}

TEST(FuseAgreement, RefusedProgramLeavesThePanelShowingTheWritersJob) {
    for (const bool shownProtect : {false, true}) {
        JobRig rig;
        rig.selectChip("QR6417");
        SetFuseBoxes(rig.panel(), shownProtect ? 0 : 1, -1, -1);
        rig.op.files.push_back(rig.base.writeBytes("p.obj", hexFile({{0, {0x12, 0x34}}})).string());
        JobServices services = rig.services();
        ASSERT_EQ(LoadFile(services), JobOutcome::BadInput);
        EXPECT_EQ(pair(rig.panel(), ControlId::Unprotect, ControlId::Protect),
                  (PanelPair{!shownProtect, shownProtect}));
    }
}

}  // namespace
}  // namespace vexlor::test
