#include <gtest/gtest.h>

#include "JobRig.h"
#include "core/ops/SetProtect.h"

namespace vexlor::test {
namespace {

class SetProtectTest : public ::testing::Test {
  protected:
    void SetUp() override {
        rig.selectChip("QRV7049");
        header = JobRig::headerFor("QRV7049");
    }
    // The writer holds header; the layout is the given one; the operator picks protect.
    JobOutcome run(std::int32_t layout, std::int32_t protect, bool ok = true) {
        rig.putHeaderInWriter(header);
        rig.context.chipXml.chipDisplayInfo().SetProtectMode = layout;
        rig.optionSelect.answers.push_back({{protect, -1, -1}, ok});
        return OnSetProtect(services);
    }
    std::uint8_t writerByte(std::size_t offset) { return rig.device.optionArea()[offset]; }
    JobRig rig;
    JobServices services = rig.services();
    Bytes header;
};

TEST_F(SetProtectTest, UnprotectInLayout1SetsBit0Of36) {
    header[36] = 0xFE;
    ASSERT_EQ(run(1, 0), JobOutcome::Ok);
    // The dialog opens on what the writer holds: a clear bit is Protect.
    EXPECT_EQ(rig.optionSelect.openedWith.at(0), (OptionChoices{1, -1, -1}));
    EXPECT_EQ(writerByte(36), 0xFF);
    const Bytes saved = rig.file("buffer_option.prog");
    ASSERT_EQ(saved.size(), 512u);
    Bytes expected = header;
    expected[36] = 0xFF;
    EXPECT_EQ(saved, expected);
    EXPECT_TRUE(rig.panel().at(ControlId::Unprotect).checked);
    EXPECT_FALSE(rig.panel().at(ControlId::Protect).checked);
    EXPECT_FALSE(rig.panel().at(ControlId::FastMode).visible);
    EXPECT_EQ(rig.op.last().text, "Set Select OK");
    EXPECT_EQ(rig.op.last().caption, "Message");
    EXPECT_EQ(rig.buttons.calls.front(), "disable");
    EXPECT_EQ(rig.buttons.calls.back(), "enable");
    EXPECT_EQ(rig.device.mode(), kModeDone);
    EXPECT_EQ(rig.device.lamp(), kLampIdle);
}

// Which bits a layout changes is the layout's rule; here the choice reaches the writer, the
// fuse boxes and the smart-option word.
TEST_F(SetProtectTest, ProtectChoiceReachesTheWriterAndChecksProtect) {
    header[130] = 0xF0;
    ASSERT_EQ(run(9, 1), JobOutcome::Ok);
    EXPECT_EQ(writerByte(130), 0xF3);
    EXPECT_FALSE(rig.panel().at(ControlId::Unprotect).checked);
    EXPECT_TRUE(rig.panel().at(ControlId::Protect).checked);
}

TEST_F(SetProtectTest, SmartOptionWordFollowsTheBit) {
    rig.job().smartOptionWord = 0x0000;
    ASSERT_EQ(run(6, 1), JobOutcome::Ok);
    EXPECT_EQ(writerByte(36), 0x80);
    EXPECT_EQ(rig.job().smartOptionWord, 0x8000);
}

TEST_F(SetProtectTest, CancelChangesNothing) {
    header[36] = 0xFE;
    const Bytes before{9, 8, 7};
    rig.base.writeBytes("buffer_option.prog", before);
    EXPECT_EQ(run(1, 1, false), JobOutcome::Cancelled);
    EXPECT_EQ(rig.file("buffer_option.prog"), before);
    EXPECT_EQ(writerByte(36), 0xFE);
    EXPECT_FALSE(rig.areaWritten());
    EXPECT_FALSE(rig.jobStarted());
    EXPECT_TRUE(rig.op.shown.empty());
    EXPECT_EQ(rig.buttons.calls, (std::vector<std::string>{"disable", "enable"}));
}

TEST_F(SetProtectTest, WriteNotReadBackUnchangedIsReportedAsFailure) {
    rig.putHeaderInWriter(header);
    rig.context.chipXml.chipDisplayInfo().SetProtectMode = 1;
    rig.optionSelect.answers.push_back({{1, -1, -1}, true});
    rig.device.faults().corruptReadBack = true;
    EXPECT_EQ(OnSetProtect(services), JobOutcome::Failed);
    EXPECT_EQ(rig.op.last().text, "Set Select FAIL");
    EXPECT_EQ(rig.op.last().icon, MessageIcon::Stop);
}

}  // namespace
}  // namespace vexlor::test
