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
        const char* name;
        std::size_t size;
        int atKlw20;  // -1: leave the byte as generated
        int atKlw21;
        MaintOutcome outcome;
        const char* message;  // nullptr: the open file error
        bool sent;
    };
    const Case cases[] = {
        {"KLW20 code", 0x10800, 0x5A, 0x00, MaintOutcome::Ok, "Update Firmware Ok", true},
        {"KLW21 code after another byte", 0x10800, 0x77, 0x5B, MaintOutcome::Ok,
         "Update Firmware Ok", true},
        {"codes swapped", 0x10800, 0x5B, 0x5A, MaintOutcome::BadFile, nullptr, false},
        {"ends before the KLW21 code", 0xFA90, 0x00, -1, MaintOutcome::BadFile, nullptr, false},
        {"KLW20 code in a short file", 0xFA90, 0x5A, -1, MaintOutcome::Failed,
         "Update Firmware Fail", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MaintRig m(SimWithVersion(sim::kVersionV11));
        m.rig.link.familyFirmwareLoaded = true;
        auto image = sim::makeFirmwareImage(0x1234, 0x0102);
        image[0xFA8F] = static_cast<std::uint8_t>(c.atKlw20);
        if (c.atKlw21 >= 0) {
            image[0xFA90] = static_cast<std::uint8_t>(c.atKlw21);
        }
        image.resize(c.size);
        const auto path = m.rig.base.writeBytes("update.nce", image);
        m.rig.op.files = {path.string()};

        EXPECT_EQ(OnUpdateFirmware(m.services), c.outcome);
        EXPECT_EQ(m.rig.op.filters.at(0), kFirmwareFileFilter);
        EXPECT_EQ(m.rig.op.last().text,
                  c.message != nullptr ? c.message : path.string() + " open file error\n");
        EXPECT_EQ(m.rig.op.last().icon,
                  c.outcome == MaintOutcome::Failed ? MessageIcon::Stop : MessageIcon::None);
        EXPECT_EQ(!m.rig.exchanges().empty(), c.sent);
        if (c.outcome == MaintOutcome::Ok) {
            EXPECT_TRUE(memoryHolds(m.device, image));
        }
        EXPECT_EQ(m.rig.link.familyFirmwareLoaded, c.outcome == MaintOutcome::BadFile);
        EXPECT_EQ(m.rig.op.busyCursors, std::vector<std::string>{kFirmwareUpdateCursor});
        EXPECT_EQ(m.rig.op.busyEnded, 1);
        EXPECT_EQ(m.rig.progress.events.back(), "P0");
    }
}

TEST(FirmwareUpdate, NoFileChosenSendsNothing) {
    MaintRig m(SimWithVersion(sim::kVersionV11));
    EXPECT_EQ(OnUpdateFirmware(m.services), MaintOutcome::Cancelled);
    EXPECT_TRUE(m.rig.exchanges().empty());
    EXPECT_TRUE(m.rig.op.busyCursors.empty());
}

TEST(FirmwareReset, NoSendsNothing) {
    MaintRig m(SimWithVersion(sim::kVersionV11));
    m.rig.op.answers = {false};
    EXPECT_EQ(OnResetWriterFirmware(m.services), MaintOutcome::Cancelled);
    EXPECT_EQ(m.rig.op.last().text, " Are you sure reset writer firmware ? ");
    EXPECT_EQ(m.rig.op.last().caption, " ");
    EXPECT_TRUE(m.rig.exchanges().empty());
}

TEST(FirmwareReset, BaseFirmwareAndDefaultOptionsGoBackAndTheFirmwareIsForgotten) {
    MaintRig m(SimWithVersion(sim::kVersionV11));
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
    EXPECT_EQ(m.rig.op.log, "");

    m.device.faults().corruptReadBack = true;
    EXPECT_EQ(OnResetWriterFirmware(m.services), MaintOutcome::Failed);
    EXPECT_EQ(m.rig.op.last().text, "Reset Firmware Fail");
    EXPECT_EQ(m.rig.op.last().icon, MessageIcon::Stop);
}

}  // namespace
}  // namespace vexlor::test
