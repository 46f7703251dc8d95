#include <gtest/gtest.h>

#include "SimRig.h"

namespace vexlor::test {
namespace {

using sim::test::SimRig;
using Reach = SimRig::Reach;
using Words = std::vector<std::string>;

// High byte first through the access library, low byte first through the own path.
TEST(ControlWordTest, ModeThenWordInTheTransportsByteOrder) {
    const struct {
        Reach reach;
        std::uint16_t value;
        const char* onTheWire;
    } cases[] = {{Reach::AccessLibrary, 0x3905, "03>39 05"},
                 {Reach::Usb, 0x3905, "03>05 39"},
                 {Reach::AccessLibrary, 0x8D01, "03>8D 01"},
                 {Reach::Usb, 0x8D01, "03>01 8D"}};
    for (const auto& c : cases) {
        sim::SimWriter device;
        SimRig rig(device, c.reach);
        ASSERT_TRUE(rig.connect());
        rig.writer.WriteControlWord(c.value);
        EXPECT_EQ(rig.exchanges(), (Words{"00>47", c.onTheWire}));
    }
}

class WriterCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(rig.connect()); }

    sim::SimWriter device;
    SimRig rig{device};
};

// The access library takes four address bytes whatever the version; the own path two, and
// nothing at all while the version is unknown. The base firmware's model code 0x5A is at 0xFA8F.
TEST(ReadWriterByteTest, AddressBytesFollowTheTransportAndTheVersion) {
    const struct {
        Reach reach;
        bool known;
        std::uint16_t address;
        std::uint8_t value;
        Words words;
    } cases[] = {
        {Reach::Usb, true, 0xFA8F, 0x5A, {"00>00", "0F>FA 8F", "11<1"}},
        {Reach::Usb, false, 0x39, 0, {}},
        {Reach::AccessLibrary, false, 0x39, 0xC8, {"00>00", "0F>00 00 00 39", "11<1"}},
    };
    for (const auto& c : cases) {
        sim::SimWriter device;
        SimRig rig(device, c.reach);
        ASSERT_TRUE(rig.connect());
        rig.link.knownWriterVersion = c.known;
        EXPECT_EQ(rig.writer.ReadWriterByte(c.address), c.value);
        EXPECT_EQ(rig.exchanges(), c.words);
        EXPECT_FALSE(rig.link.busy);
        EXPECT_FALSE(rig.link.showTransferProgress);
    }
}

TEST_F(WriterCommandsTest, OptionHeaderIsTheFirst512BytesOfTheOptionArea) {
    std::vector<std::uint8_t> job(700, 0);
    job[0] = 'Q';
    job[511] = 0x77;
    job[512] = 0x99;
    ASSERT_TRUE(rig.writer.WriteAreaFromFile(rig.base.writeBytes("job.prog", job), 4));
    rig.exchanges();
    rig.writer.ReadOptionHeader(rig.link.optionHeader);
    EXPECT_EQ(rig.link.optionHeader[0], 'Q');
    EXPECT_EQ(rig.link.optionHeader[511], 0x77);
    EXPECT_EQ(rig.exchanges(), (Words{"00>47", "14>04 17", "13<512", "14>0C 07", "00>07"}));
}

TEST_F(WriterCommandsTest, JobDataAndHostSequence) {
    const std::vector<std::uint8_t> contents{9, 8, 7};
    device.chip().insert(contents);
    const std::uint8_t read = job::kRead;
    rig.writer.SendCommand(cmd::kStartJob, &read, 1);
    std::array<std::uint8_t, 3> data{};
    EXPECT_TRUE(rig.writer.ReadJobData(data.data(), 3));
    EXPECT_EQ(data, (std::array<std::uint8_t, 3>{9, 8, 7}));
    rig.writer.BeginHostSequence();
    EXPECT_EQ(rig.exchanges(), (Words{"15>34", "18<3", "15>30", "17>10"}));
    EXPECT_EQ(rig.clock.waits(), std::vector<std::uint32_t>{300});
}

TEST_F(WriterCommandsTest, VersionBlockNeedsRoomForAllOfIt) {
    std::array<std::uint8_t, 26> buffer{};
    EXPECT_FALSE(rig.connection.ReadVersionBlock(cmd::kVersion, buffer.data(), 21));
    EXPECT_TRUE(rig.exchanges().empty());
    EXPECT_TRUE(rig.connection.ReadVersionBlock(cmd::kVersion, buffer.data(), 26));
    EXPECT_EQ(VersionString(buffer), "USB STANDALONE WRITER_V2.0");
}

TEST_F(WriterCommandsTest, ConnectionStatusShowsTheVersionOrNotConnected) {
    const ConnectionStatus connected = rig.connection.ShowConnectionStatus();
    EXPECT_EQ(connected.icon, ConnectionIcon::Connected);
    EXPECT_EQ(connected.text, "USB STANDALONE WRITER");
    rig.connection.WriterRemoved(sim::test::kWriterNotice);
    const ConnectionStatus absent = rig.connection.ShowConnectionStatus();
    EXPECT_EQ(absent.icon, ConnectionIcon::NotConnected);
    EXPECT_EQ(absent.text, "USB was not connected");
}

TEST(WriterVersionTextTest, TextNotBeginningWithUIsStillShown) {
    sim::SimConfig config;
    config.versionText = "XSB STANDALONE WRITER_V9.9";
    sim::SimWriter device(config);
    SimRig rig(device);
    ASSERT_TRUE(rig.connect());
    std::string text;
    EXPECT_FALSE(rig.connection.ReadVersionText(text));
    EXPECT_EQ(rig.connection.ShowConnectionStatus().text, "XSB STANDALONE WRITER");
}

TEST(ClosedWriterTest, EveryCommandFailsAndNothingIsSent) {
    sim::SimWriter device;
    SimRig rig(device);
    std::uint8_t byte = 1;
    std::array<std::uint8_t, 26> buffer{};
    EXPECT_FALSE(rig.writer.SendCommand(cmd::kLamp, &byte, 1));
    EXPECT_FALSE(rig.writer.ReceiveData(cmd::kVoltage, buffer.data(), 6));
    EXPECT_FALSE(rig.writer.ReadVersionBlock(cmd::kVersion, buffer.data(), 26));
    EXPECT_TRUE(rig.exchanges().empty());
}

TEST_F(WriterCommandsTest, OwnPathTakesNoMissingDataButMaySendAnEmptyTransfer) {
    EXPECT_TRUE(rig.writer.SendCommand(cmd::kLamp, nullptr, 0));
    EXPECT_FALSE(rig.writer.SendCommand(cmd::kLamp, nullptr, 4));
    EXPECT_EQ(rig.exchanges(), Words{"17>!"}) << "the writer refuses a lamp without a value";
}

}  // namespace
}  // namespace vexlor::test
