#include <gtest/gtest.h>

#include "MaintRig.h"
#include "core/maint/FirmwareUpdate.h"
#include "sim/SimFirmwareImage.h"

namespace vexlor::test {
namespace {

bool memoryHolds(const sim::SimWriter& device, const std::vector<std::uint8_t>& image) {
    return std::equal(image.begin(), image.end(), device.memory().begin());
}

TEST(FirmwareUpdate, ModelCodeIsCheckedBeforeAnythingIsSent) {
    struct Case {
        std::size_t size;
        std::uint8_t atKlw20;
        std::uint8_t atKlw21;  // beyond a file of 0xFA90 bytes
        MaintOutcome outcome;
        const char* message;  // nullptr: the open file error
    };
    const Case cases[] = {
        {0x10800, 0x5A, 0x00, MaintOutcome::Ok, "Update Firmware Ok"},
        {0x10800, 0x77, 0x5B, MaintOutcome::Ok, "Update Firmware Ok"},
        {0x10800, 0x5B, 0x5A, MaintOutcome::BadFile, nullptr},
        {0xFA90, 0x00, 0x5B, MaintOutcome::BadFile, nullptr},
        {0xFA90, 0x5A, 0x00, MaintOutcome::Failed, "Update Firmware Fail"},  // too short to write
    };
    for (const Case& c : cases) {
        MaintRig m(SimWithVersion(sim::kVersionV11));
        m.rig.link.familyFirmwareLoaded = true;
        auto image = sim::makeFirmwareImage(0x1234, 0x0102);
        image[0xFA8F] = c.atKlw20;
        image[0xFA90] = c.atKlw21;
        image.resize(c.size);
        const auto path = m.rig.base.writeBytes("update.nce", image);
        m.rig.op.files = {path.string()};
        EXPECT_EQ(OnUpdateFirmware(m.services), c.outcome) << c.size << " " << int(c.atKlw20);
        EXPECT_EQ(m.rig.op.last().text,
                  c.message != nullptr ? c.message : path.string() + " open file error\n");
        const bool ok = c.outcome == MaintOutcome::Ok;
        EXPECT_EQ(m.rig.op.last().icon, ok || !c.message ? MessageIcon::None : MessageIcon::Stop);
        EXPECT_EQ(m.rig.exchanges().empty(), !ok);
        EXPECT_TRUE(!ok || memoryHolds(m.device, image));
        EXPECT_EQ(m.rig.link.familyFirmwareLoaded, c.outcome == MaintOutcome::BadFile);
        EXPECT_EQ(m.rig.op.busyCursors, std::vector<std::string>{kFirmwareUpdateCursor});
        EXPECT_EQ(m.rig.op.busyEnded, 1);
    }
}

TEST(FirmwareReset, NoSendsNothingYesPutsTheBaseFirmwareBackAndForgetsTheFamily) {
    MaintRig m(SimWithVersion(sim::kVersionV11));
    m.rig.op.answers = {false};
    EXPECT_EQ(OnResetWriterFirmware(m.services), MaintOutcome::Cancelled);
    EXPECT_EQ(m.rig.op.last().text, " Are you sure reset writer firmware ? ");
    EXPECT_TRUE(m.rig.exchanges().empty());
    m.context.shell.chipListSelector = 2;
    m.rig.link.writerFirmwareVersion = 0x1600;
    m.rig.link.familyFirmwareLoaded = true;
    EXPECT_EQ(OnResetWriterFirmware(m.services), MaintOutcome::Ok);
    EXPECT_EQ(m.rig.op.last().text, "Reset Firmware Ok.\nPlease Re-select The IC");
    const auto base = builtBaseDir();
    EXPECT_TRUE(memoryHolds(m.device, readBytes(base / "firmware" / "20test.nce")));
    const auto option = readBytes(base / "hwversion1.1" / "test_option.prog");
    EXPECT_TRUE(std::equal(option.begin(), option.end(), m.device.optionArea().begin()));
    EXPECT_EQ(m.context.shell.chipListSelector, 1);
    EXPECT_EQ(m.rig.link.writerFirmwareVersion, 0);
    EXPECT_FALSE(m.rig.link.familyFirmwareLoaded);
    EXPECT_EQ(m.view.statusShown, 1);
    m.device.faults().corruptReadBack = true;
    EXPECT_EQ(OnResetWriterFirmware(m.services), MaintOutcome::Failed);
    EXPECT_EQ(m.rig.op.last().text, "Reset Firmware Fail");
    EXPECT_EQ(m.rig.op.last().icon, MessageIcon::Stop);
}

}  // namespace
}  // namespace vexlor::test
