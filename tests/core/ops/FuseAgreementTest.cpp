// Load File, Set Protect and the restore after a re-attach read the option bytes one way.
#include <gtest/gtest.h>

#include "JobRig.h"
#include "core/app/JobRestore.h"
#include "core/ops/LoadFile.h"
#include "core/ops/ProtectLayout.h"
#include "support/HexText.h"

namespace vexlor::test {
namespace {

using Boxes = std::pair<bool, bool>;  // first box ("Unprotect", "Fast mode", ...), second box

Boxes boxes(const PanelState& panel, ControlId first, ControlId second) {
    return {panel.at(first).checked, panel.at(second).checked};
}

Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// A raw image of 0xFF with some bytes placed.
Bytes image(std::size_t size, const std::vector<HexSegment>& placed) {
    Bytes file(size, 0xFF);
    for (const auto& [at, bytes] : placed) {
        std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(at));
    }
    return file;
}

// The built-in converter of the library families: device ID, configuration byte (bit 0 clear:
// unprotected), and a blank information area.
Bytes libraryHex(std::size_t idAt, std::uint16_t id, std::uint8_t config, std::size_t end) {
    const auto lo = static_cast<std::uint8_t>(id), hi = static_cast<std::uint8_t>(id >> 8);
    return bytesOf(hexText(std::vector<HexSegment>{{idAt, {lo, hi, config}}, {end - 1, {0xFF}}}));
}

struct Case {
    const char* chip;
    OptionChoices chosen;  // protect -1: no Option Select, the program file decides
    Bytes file;
    const char* extension;
    std::size_t offset;  // in buffer_option.prog
    std::uint8_t mask;
    std::uint8_t bits;
    bool protect;
};

TEST(FuseAgreement, OneMeaningPerProtectLayoutFromChoiceToWriterToReattach) {
    const Bytes hex = bytesOf(hexText({0xA1, 0xB2, 0xC3, 0xD4}));
    const Bytes otpProtected = image(0x4020, {{0x401E, {0x34, 0x12}}});
    const Bytes otpUnprotected = image(0x4020, {{0x401E, {0x35, 0x12}}});
    const auto obj = [](std::uint8_t config) {
        return image(0x87FE, {{0x87FC, {0x82, 0x13}}, {0x8002, {config}}});
    };
    const auto flash = [](std::uint8_t config) {
        return libraryHex(0x17FC, 0x6803, config, 0x181E);
    };
    const auto mtp = [](std::uint8_t config) { return libraryHex(0x3FFC, 0x6800, config, 0x401E); };
    const Case cases[] = {
        // Layout 1: bit 0 of byte 36 set is Unprotect.
        {"QRV7371", {1, -1, -1}, hex, ".hex", 36, 0x01, 0x00, true},
        {"QRV7371", {0, -1, -1}, hex, ".hex", 36, 0x01, 0x01, false},
        {"QRV7038", {1, -1, -1}, hex, ".hex", 36, 0x01, 0x00, true},
        // Layout 2: bit 0 of byte 37, whatever the program file's configuration word says.
        {"QR6401", {1, -1, -1}, otpUnprotected, ".otp", 37, 0x01, 0x00, true},
        {"QR6401", {0, -1, -1}, otpProtected, ".otp", 37, 0x01, 0x01, false},
        // Layout 3: bit 0 of byte 43 set is Protect.
        {"QR6417", {-1, -1, -1}, obj(0x01), ".obj", 43, 0x01, 0x01, true},
        {"QR6417", {-1, -1, -1}, obj(0xFE), ".obj", 43, 0x01, 0x00, false},
        // Layout 4: byte 130 low bits 01 Unprotect, bit 0 clear Protect.
        {"QR68K39M", {-1, -1, -1}, mtp(1), ".hex", 130, 1, 0, true},
        {"QR68K39M", {-1, -1, -1}, mtp(0), ".hex", 130, 3, 1, false},
        // Layout 5: bits 0, 1, 2 of byte 36 set are Unprotect, Fast mode, 32KHz disable.
        {"QRV7049", {1, 1, 1}, hex, ".hex", 36, 0x07, 0x00, true},
        {"QRV7049", {0, 0, 0}, hex, ".hex", 36, 0x07, 0x07, false},
        {"QRV7049", {0, 1, 0}, hex, ".hex", 36, 0x07, 0x05, false},
        // Layout 9: byte 130 low bits 11 Protect, 01 Unprotect.
        {"QR64NH45L", {-1, -1, -1}, flash(1), ".hex", 130, 3, 3, true},
        {"QR64NH45L", {-1, -1, -1}, flash(0), ".hex", 130, 3, 1, false},
    };
    for (const Case& c : cases) {
        JobRig rig;
        rig.selectChip(c.chip);
        const int layout = rig.context.chipXml.chipDisplayInfo().SetProtectMode;
        SCOPED_TRACE(testing::Message() << c.chip << " layout " << layout << " protect "
                                        << c.protect << " mode " << c.chosen.mode);
        if (c.chosen.protect != -1) {
            rig.optionSelect.answers.push_back({c.chosen, true});
        }
        rig.op.files.push_back(
            rig.base.writeBytes(std::string("p") + c.extension, c.file).string());
        JobServices services = rig.services();
        ASSERT_EQ(LoadFile(services), JobOutcome::Ok) << testing::PrintToString(rig.op.texts());
        const Bytes sent = rig.file("buffer_option.prog");
        EXPECT_EQ(sent.at(c.offset) & c.mask, c.bits);
        // Set Protect with the same choice finds nothing to change.
        OptionHeader header{};
        std::copy(sent.begin(), sent.end(), header.begin());
        OptionHeader again = header;
        std::uint32_t word = 0;
        ApplyProtectChoice(layout, c.protect, again, word);
        EXPECT_EQ(again, header);
        const auto expectPanel = [&](const PanelState& panel) {
            EXPECT_EQ(boxes(panel, ControlId::Unprotect, ControlId::Protect),
                      Boxes(!c.protect, c.protect));
            if (c.chosen.mode != -1) {
                EXPECT_EQ(boxes(panel, ControlId::FastMode, ControlId::DualMode),
                          Boxes(c.chosen.mode == 0, c.chosen.mode == 1));
                EXPECT_EQ(boxes(panel, ControlId::Clock32kDisable, ControlId::Clock32kEnable),
                          Boxes(c.chosen.clock == 0, c.chosen.clock == 1));
            }
        };
        expectPanel(rig.panel());
        // A re-attach reads the job back from the writer.
        ResetFuseBoxes(rig.panel());
        OptionHeader held{};
        rig.writer.ReadOptionHeader(held);
        ASSERT_TRUE(RestoreJobFromWriter(held, rig.context.chips, rig.op, rig.context.shell));
        expectPanel(rig.panel());
    }
}

TEST(FuseAgreement, CancelKeepsTheChoicesTheDialogOpenedOn) {
    JobRig rig;
    rig.selectChip("QRV7049");
    JobServices services = rig.services();
    rig.job().optionChoicesChip = "QRV7049";
    rig.job().optionChoices = {1, 0, 1};
    rig.optionSelect.answers.push_back({{0, 1, 0}, false});
    rig.op.files.push_back(rig.base.writeBytes("p.hex", bytesOf(hexText({0xA1, 0xB2}))).string());
    ASSERT_EQ(LoadFile(services), JobOutcome::Ok);
    EXPECT_EQ(rig.optionSelect.openedWith.at(0), (OptionChoices{1, 0, 1}));
    EXPECT_EQ(rig.file("buffer_option.prog").at(0x24), 0x62);  // Protect, Fast, enable
}

TEST(FuseAgreement, RefusedProgramLeavesThePanelShowingTheWritersJob) {
    JobRig rig;
    rig.selectChip("QRV7049");
    Bytes held = JobRig::headerFor("QRV7049");
    held[36] = 0x61;  // Unprotect, Dual mode, 32KHz enable
    std::copy(held.begin(), held.end(), rig.header().begin());
    rig.optionSelect.answers.push_back({{1, 0, 0}, true});
    rig.op.files.push_back(rig.base.write("p.hex", "not a HEX file\n").string());
    JobServices services = rig.services();
    ASSERT_EQ(LoadFile(services), JobOutcome::BadInput);
    EXPECT_EQ(boxes(rig.panel(), ControlId::Unprotect, ControlId::Protect), Boxes(true, false));
    EXPECT_EQ(boxes(rig.panel(), ControlId::FastMode, ControlId::DualMode), Boxes(false, true));
    EXPECT_EQ(boxes(rig.panel(), ControlId::Clock32kDisable, ControlId::Clock32kEnable),
              Boxes(false, true));
}

}  // namespace
}  // namespace vexlor::test
