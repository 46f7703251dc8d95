#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <fstream>

#include "SimRig.h"
#include "core/writer/WriterIdentity.h"
#include "core/writer/WriterPermission.h"

namespace vexlor::test {
namespace {

using sim::test::kWriterNotice;
using sim::test::SimRig;
using Reach = SimRig::Reach;
using Lines = std::vector<std::string>;

const std::string kInterfaceName = "usb#vid_7a5c&pid_0c31#{3d7e41a2-5c19-4f60-9b8e-61a0c2d4f7b3}";

TEST(TransportChoiceTest, AccessLibraryThatOpensIsChosenFirstAndAskedAboutRemovals) {
    sim::SimWriter device;
    SimRig rig(device, Reach::AccessLibrary);
    EXPECT_TRUE(rig.connect());
    EXPECT_TRUE(rig.connection.usesAccessLibrary());
    EXPECT_TRUE(rig.link.writerConnected);
    EXPECT_EQ(rig.access.timeout(), 5u);
    EXPECT_TRUE(rig.diagnosticLines.empty()) << "the own path is not tried";
    std::string text;
    EXPECT_TRUE(rig.connection.ReadVersionText(text));
    EXPECT_EQ(text, "USB STANDALONE WRITER");
    EXPECT_EQ(rig.exchanges(), Lines{"04<26"}) << "the version is one command";
    EXPECT_FALSE(rig.connection.WriterRemoved("any")) << "the library still reaches it";
    EXPECT_TRUE(rig.link.writerConnected);
    device.detach();
    EXPECT_TRUE(rig.connection.WriterRemoved("any"));
    EXPECT_FALSE(rig.link.writerConnected);
}

TEST(TransportChoiceTest, WithoutTheLibraryLibusbOpensWithConfigurationAndInterface) {
    sim::SimWriter device;
    SimRig rig(device, Reach::Usb);
    EXPECT_TRUE(rig.connection.SelectTransport(false));
    EXPECT_FALSE(rig.connection.usesAccessLibrary());
    EXPECT_EQ(rig.connection.transport().name(), "simulated writer (in-process USB)");
    EXPECT_EQ(rig.diagnosticLines,
              (Lines{"success: set configuration #1\n", "success: claim_interface #0\n"}));
}

// A bus whose writer refuses its opening, configuration or interface with the codes given.
class RefusingBus final : public UsbBus {
    class Device final : public UsbDevice {
      public:
        Device(int configured, int claimed) : configured_(configured), claimed_(claimed) {}
        int setConfiguration(int) override { return configured_; }
        int claimInterface(int) override { return claimed_; }
        int bulkWrite(std::uint8_t, const std::uint8_t*, int) override { return -4; }
        int bulkRead(std::uint8_t, std::uint8_t*, int) override { return -4; }
        std::string errorText(int code) const override { return "code " + std::to_string(code); }

      private:
        int configured_;
        int claimed_;
    };

  public:
    RefusingBus(int configured, int claimed, int opened = 0)
        : opened_(opened), configured_(configured), claimed_(claimed) {}
    std::unique_ptr<UsbDevice> openFirst(std::uint16_t, std::uint16_t) override {
        return opened_ < 0 ? nullptr : std::make_unique<Device>(configured_, claimed_);
    }
    int lastOpenError() const override { return opened_; }

  private:
    int opened_;
    int configured_;
    int claimed_;
};

TEST(TransportChoiceTest, ConfigurationErrorClosesLibusbAndFallsBackToPipes) {
    ScratchDir scratch;
    Lines lines;
    Diagnostics diagnostics([&](std::string_view line) { lines.emplace_back(line); });
    RefusingBus bus(-4, 0);
    WriterTransports transports({{scratch / "devices", {}}, &bus, nullptr}, diagnostics);
    EXPECT_EQ(transports.libusb().open(), OpenResult::Absent);
    EXPECT_FALSE(transports.libusb().isOpen());
    EXPECT_EQ(transports.pipes().open(), OpenResult::Absent);
    EXPECT_EQ(lines,
              (Lines{"error setting config #1: code -4\n", "Failed to GetUsbDeviceFileName\n"}));
}

TEST(TransportChoiceTest, LibusbRefusalsTellBusyAndDeniedApart) {
    struct Case {
        int opened, configured, claimed;
        OpenResult result;
    };
    // -3 is libusb's access error, -6 busy, -4 no device.
    for (const Case& c : {Case{-3, 0, 0, OpenResult::Denied}, Case{0, 0, -3, OpenResult::Denied},
                          Case{0, 0, -6, OpenResult::Busy}, Case{-4, 0, 0, OpenResult::Absent}}) {
        ScratchDir scratch;
        Diagnostics quiet([](std::string_view) {});
        RefusingBus bus(c.configured, c.claimed, c.opened);
        WriterTransports transports({{scratch / "devices", {}}, &bus, nullptr}, quiet);
        SCOPED_TRACE(testing::Message() << c.opened << "/" << c.claimed);
        EXPECT_EQ(transports.libusb().open(), c.result);
        WriterLink link;
        NullProgress progress;
        WriterConnection connection(link, transports, {progress, progress, quiet});
        EXPECT_FALSE(connection.SelectTransport(false));
        EXPECT_EQ(connection.writerDenied(), c.result == OpenResult::Denied);
        EXPECT_EQ(connection.writerBusy(), c.result == OpenResult::Busy);
    }
}

TEST(TransportChoiceTest, AccessDeniedMessageShowsThePackagedUdevRule) {
    std::ifstream file(std::string(VEXLOR_SOURCE_DIR) + "/packaging/udev/" + kUdevRuleFileName);
    std::string rule;
    while (std::getline(file, rule) && rule.starts_with("#")) {
    }
    EXPECT_EQ(
        rule,
        R"(SUBSYSTEM=="usb", ATTR{idVendor}=="7a5c", ATTR{idProduct}=="0c31", TAG+="uaccess")");
    EXPECT_NE(WriterAccessDeniedMessage().find("\n  " + rule + "\n"), std::string::npos);
}

TEST(TransportChoiceTest, ArrivalOfAnotherDeviceClassLeavesTheOwnPathAlone) {
    sim::SimWriter device;
    SimRig rig(device, Reach::Usb);
    EXPECT_FALSE(rig.connection.SelectTransport(true, "/dev/some-other-device"));
    EXPECT_TRUE(rig.diagnosticLines.empty());
    EXPECT_TRUE(rig.connection.SelectTransport(true, kWriterNotice));
}

TEST(TransportChoiceTest, RemovalOnTheOwnPathNeedsTheWritersName) {
    sim::SimWriter device;
    SimRig rig(device, Reach::Usb);
    ASSERT_TRUE(rig.connect());
    EXPECT_FALSE(rig.connection.WriterRemoved("/dev/other"));
    EXPECT_TRUE(rig.link.writerConnected);
    EXPECT_TRUE(rig.connection.WriterRemoved(kWriterNotice));
    EXPECT_FALSE(rig.link.writerConnected);
    EXPECT_FALSE(rig.connection.transport().isOpen());
}

class DeviceFileTest : public ::testing::Test {
  protected:
    // A device-file interface with both pipes, as the device daemon lays it out.
    std::filesystem::path makeInterface(const std::string& name) {
        const auto dir = scratch / "devices" / name;
        std::filesystem::create_directories(dir);
        EXPECT_EQ(::mkfifo((dir / "PIPE00").c_str(), 0600), 0);
        EXPECT_EQ(::mkfifo((dir / "PIPE01").c_str(), 0600), 0);
        return dir;
    }

    ScratchDir scratch;
    Lines lines;
    Diagnostics diagnostics{[this](std::string_view line) { lines.emplace_back(line); }};
    PipeTransport pipes{scratch / "devices", diagnostics};
};

TEST_F(DeviceFileTest, LookupSkipsOtherClassesHiddenOverlongAndNonFolderEntries) {
    std::filesystem::create_directories(scratch / "devices" / "some-other-interface");
    const auto plainFile = scratch.write("devices/b" + std::string(kWriterClassGuidText), "");
    std::filesystem::create_directories(scratch / "devices" / ("." + kInterfaceName + ".new"));
    // Sorts before the real interface, and with "/PIPE00" it would not fit the device name.
    const auto overlong =
        scratch / "devices" /
        (std::string(240 - kWriterClassGuidText.size(), 'a') + std::string(kWriterClassGuidText));
    ASSERT_GE(overlong.string().size() + 7, kDeviceNameCapacity);
    std::filesystem::create_directories(overlong);
    const auto dir = makeInterface(kInterfaceName);
    EXPECT_EQ(pipes.open(), OpenResult::Absent) << "nobody serves the command pipe";
    EXPECT_FALSE(pipes.isOpen()) << "no half-open pair is kept";
    const std::string in = (dir / "PIPE00").string();
    const std::string out = (dir / "PIPE01").string();
    const std::string skipped = "Device path too long, skipped: " + overlong.string() + "\n";
    const std::string found = "Attempting to open " + dir.string() + "\n";
    const Lines lookup{skipped, "Attempting to open " + plainFile.string() + "\n",
                       "FAILED to open " + plainFile.string() + "\n", found};
    // The lookup runs for the lock on the interface, then once for each pipe.
    Lines expected = lookup;
    expected.insert(expected.end(), lookup.begin(), lookup.end());
    expected.insert(expected.end(),
                    {"completeDeviceName = (" + in + ")\n", "Opened successfully.\n"});
    expected.insert(expected.end(), lookup.begin(), lookup.end());
    expected.insert(expected.end(),
                    {"completeDeviceName = (" + out + ")\n", "Failed to open (" + out + ") = 6"});
    EXPECT_EQ(lines, expected);
}

// Another program holds the interface: the writer is busy, not absent, and nothing stays open.
TEST_F(DeviceFileTest, AnInterfaceLockedByAnotherProgramIsBusy) {
    const auto dir = makeInterface(kInterfaceName);
    const int other = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
    EXPECT_EQ(pipes.open(), OpenResult::Busy);
    EXPECT_FALSE(pipes.isOpen());
    EXPECT_EQ(lines.back(),
              "Failed to lock " + dir.string() + " = " + std::to_string(EWOULDBLOCK) + "\n");
    ::close(other);
}

TEST_F(DeviceFileTest, NoDeviceDirectoryMeansNotFound) {
    EXPECT_EQ(pipes.open(), OpenResult::Absent);
    EXPECT_EQ(lines, (Lines{"Failed to GetUsbDeviceFileName\n"}));
}

TEST(WriterPathsTest, EnvironmentValuesFirstThenTheDefaults) {
    const WriterPaths defaults = ResolveWriterPaths("/opt/vexlor", nullptr, "");
    EXPECT_EQ(defaults.deviceDirectory, "/run/vexlor-writer");
    EXPECT_EQ(defaults.accessLibrary, "/opt/vexlor/liborvoapi.so");
    const WriterPaths given = ResolveWriterPaths("/opt/vexlor", "/tmp/devices", "/tmp/x.so");
    EXPECT_EQ(given.deviceDirectory, "/tmp/devices");
    EXPECT_EQ(given.accessLibrary, "/tmp/x.so");
}

}  // namespace
}  // namespace vexlor::test
