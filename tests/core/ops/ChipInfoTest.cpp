#include <gtest/gtest.h>

#include "JobRig.h"
#include "core/ops/ChipInfo.h"
#include "core/ops/ChipOperations.h"
#include "core/ops/LoadFile.h"
#include "support/HexText.h"

namespace vexlor::test {
namespace {

// A header of a chip with a system configuration, C1 = 0x1234, ID 0x5503, C2 = 0xABCD.
OptionHeader readHeader(std::initializer_list<std::pair<std::size_t, std::uint8_t>> bytes) {
    OptionHeader h{};
    std::copy_n("QN3244", 6, h.begin());
    h[30] = 0x01;
    h[248] = 0x2F;
    h[249] = 0xE4;
    const std::uint8_t words[] = {0x12, 0x34, 0x55, 0x03, 0xAB, 0xCD};
    std::copy(std::begin(words), std::end(words), h.begin() + 250);
    for (auto [offset, value] : bytes) {
        h[offset] = value;
    }
    return h;
}

TEST(ChipInfoLabels, ChecksumRulesAndSystemConfig) {
    const struct {
        OptionHeader header;
        const char* systemConfig;
        const char* checksum;
    } cases[] = {
        {readHeader({}), "System Config : 2fe4", "Checksum : 1234"},
        {readHeader({{248, 0x3F}}), "System Config : 3fe4", "Checksum : abcd"},
        {readHeader({{41, 0x01}, {248, 0x3F}}), "System Config : 3fe4", "Checksum : 1234"},
        {readHeader({{41, 0xF2}, {36, 0x40}}), "System Config : 2fe4", "Checksum : abcd"},
        {readHeader({{30, 18}}), "System Config : NO Support", "Checksum : 1234"},
        {readHeader({{71, 0x10}, {77, 0x01}}), "System Config : 2fe4",
         "Checksum : 1234   /   User Checksum : abcd"},
        {readHeader({{71, 0x20}, {77, 0xF2}}), "System Config : 2fe4",
         "Checksum : abcd   /   Library Checksum : 1234"},
        {readHeader({{71, 0x20}, {77, 0x03}, {41, 0x01}}), "System Config : 2fe4",
         "Checksum : abcd"},
    };
    for (const auto& c : cases) {
        const ChipInfoLabels labels = ChipInfoReadLabels(c.header);
        EXPECT_EQ(labels,
                  (ChipInfoLabels{"Chip Name : QN3244", c.systemConfig, c.checksum, "ID : 5503"}))
            << c.checksum;
    }
}

TEST(ChipInfoLabels, ChipsWithoutSystemConfigOrReadableInformation) {
    // Without a system configuration only its high byte is shown, and nothing else changes.
    EXPECT_EQ(ChipInfoReadLabels(readHeader({{30, 0x10}})),
              (ChipInfoLabels{"Chip Name : QN3244", "System Config : 2f", {}, {}}));
    EXPECT_EQ(ChipInfoReadLabels(readHeader({{38, 0x01}})),
              (ChipInfoLabels{"Chip Name : QN3244", {}, {}, {}}));
    EXPECT_TRUE(ChipInfoSupported(readHeader({{38, 0x10}})));
    EXPECT_EQ(ChipInfoOpeningLabels(false, readHeader({})),
              (ChipInfoLabels{"NO Support", "", "", ""}));
    EXPECT_EQ(ChipInfoOpeningLabels(true, readHeader({{30, 0x20}})),
              (ChipInfoLabels{{}, {}, "", ""}));
    EXPECT_EQ(ChipInfoOpeningLabels(true, readHeader({})), ChipInfoLabels{});
}

class RecordingChipInfoView final : public ChipInfoView {
  public:
    void setButtonsEnabled(bool enabled) override { enabledStates.push_back(enabled); }
    void showLabels(const ChipInfoLabels& labels) override { shown.push_back(labels); }
    std::vector<bool> enabledStates;
    std::vector<ChipInfoLabels> shown;
};

TEST(ReadChipInfo, ShowsWhatTheWriterReadFromTheProgrammedChip) {
    JobRig rig;
    rig.selectChip("QRV7049");
    rig.optionSelect.answers.push_back({{1, 0, 0}, true});
    rig.op.files.push_back(rig.writeHex("prog.hex", hexText({0x12, 0x34, 0x56, 0x78})).string());
    JobServices services = rig.services();
    ASSERT_EQ(LoadFile(services), JobOutcome::Ok);
    ASSERT_EQ(OnProgram(services), JobOutcome::Ok);
    RecordingChipInfoView view;
    EXPECT_TRUE(OnReadChipInfoRead(services, view));
    EXPECT_EQ(view.enabledStates, (std::vector<bool>{false, true}));
    ASSERT_EQ(view.shown.size(), 2u);
    EXPECT_EQ(view.shown[0],
              (ChipInfoLabels{"Chip Name : ", "System Config : ", "Checksum : ", "ID : "}));
    // Sums over the 0x8000 downloaded bytes, the blank rest (0xFF) included.
    const OptionHeader& h = rig.header();
    EXPECT_EQ(h[250] << 8 | h[251], (0x12 + 0x34 + 0x56 + 0x78 + 0x7FFC * 0xFF) & 0xFFFF);
    EXPECT_EQ(h[254] << 8 | h[255], (0x1234 + 0x5678 + 0x3FFE * 0xFFFF) & 0xFFFF);
    // Program wrote the download's option word into the chip; the ID is the job's.
    const Bytes option = rig.file("buffer_option.prog");
    EXPECT_EQ(view.shown[1].systemConfig,
              format("System Config : %02x%02x", option[0x24], option[0x25]));
    EXPECT_EQ(view.shown[1].id, "ID : 7622");
    EXPECT_EQ(rig.progress.events.back(), "P0");
}

TEST(ReadChipInfo, AWriterGoneKeepsTheReadingLabelsAndFreesTheButtons) {
    JobRig rig;
    rig.selectChip("QRV7049");
    JobServices services = rig.services();
    rig.device.detach();
    RecordingChipInfoView view;
    EXPECT_FALSE(OnReadChipInfoRead(services, view));
    EXPECT_EQ(view.enabledStates, (std::vector<bool>{false, true}));
    // Without a system configuration in the header there is no checksum or ID to wait for.
    EXPECT_EQ(view.shown, (std::vector<ChipInfoLabels>{
                              {"Chip Name : ", "System Config : ", std::nullopt, std::nullopt}}));
}

}  // namespace
}  // namespace vexlor::test
