#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "WriterFixture.h"
#include "core/writer/WriterIdentity.h"

namespace vexlor::test {
namespace {

const std::string kInterfaceName = "usb#vid_7a5c&pid_0c31#{3d7e41a2-5c19-4f60-9b8e-61a0c2d4f7b3}";

class WriterConnectionTest : public WriterFixture {
  protected:
    // A device-file interface with both pipes, as the device daemon lays it out.
    std::filesystem::path makeInterface(const std::string& name) {
        const auto dir = scratch / "devices" / name;
        std::filesystem::create_directories(dir);
        EXPECT_EQ(::mkfifo((dir / "PIPE00").c_str(), 0600), 0);
        EXPECT_EQ(::mkfifo((dir / "PIPE01").c_str(), 0600), 0);
        return dir;
    }
    bool saw(const std::string& line) const {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
};

TEST_F(WriterConnectionTest, AccessLibraryThatOpensIsChosenFirst) {
    access.openResult = 0;
    EXPECT_TRUE(connection.SelectTransport(false));
    EXPECT_TRUE(link.useAccessLibrary);
    EXPECT_TRUE(link.writerConnected);
    EXPECT_EQ(access.calls, (std::vector<std::string>{"open 23131 0 0", "timeout 5"}));
    EXPECT_TRUE(bus.searched.empty()) << "the own path is not tried";
}

TEST_F(WriterConnectionTest, ArrivalClosesTheLibraryBeforeOpeningAgain) {
    access.openResult = 0;
    connection.SelectTransport(true, "anything");
    EXPECT_EQ(access.calls, (std::vector<std::string>{"close", "open 23131 0 0", "timeout 5"}));
}

TEST_F(WriterConnectionTest, WithoutLibraryLibusbOpensWithConfigurationAndInterface) {
    access.openResult = 1;
    EXPECT_TRUE(connection.SelectTransport(false));
    EXPECT_FALSE(link.useAccessLibrary);
    EXPECT_TRUE(link.useLibusb);
    EXPECT_TRUE(link.writerConnected);
    ASSERT_EQ(bus.searched.size(), 1u);
    EXPECT_EQ(bus.searched[0], std::make_pair(kWriterVendorId, kWriterProductId));
    EXPECT_EQ(lines, (std::vector<std::string>{"success: set configuration #1\n",
                                               "success: claim_interface #0\n"}));
}

TEST_F(WriterConnectionTest, ConfigurationErrorClosesLibusbAndFallsBackToPipes) {
    access.openResult = 1;
    bus.configurationResult = -4;
    EXPECT_FALSE(connection.SelectTransport(false));
    EXPECT_FALSE(link.useLibusb);
    EXPECT_EQ(link.libusbHandle, nullptr);
    EXPECT_EQ(lines.front(), "error setting config #1: fake error -4\n");
    EXPECT_TRUE(saw("Failed to GetUsbDeviceFileName\n"));
    EXPECT_FALSE(link.writerConnected);
}

TEST_F(WriterConnectionTest, NothingPresentMeansBothPipeOpensFail) {
    access.openResult = 1;
    bus.device_ = nullptr;
    EXPECT_FALSE(connection.SelectTransport(false));
    EXPECT_EQ(lines, (std::vector<std::string>{"Failed to GetUsbDeviceFileName\n",
                                               "Failed to GetUsbDeviceFileName\n"}));
    EXPECT_EQ(link.readPipe, kInvalidPipe);
    EXPECT_EQ(link.writePipe, kInvalidPipe);
}

TEST_F(WriterConnectionTest, ArrivalOfAnotherDeviceClassLeavesTheOwnPathAlone) {
    access.openResult = 1;
    EXPECT_FALSE(connection.SelectTransport(true, "/dev/some-other-device"));
    EXPECT_TRUE(bus.searched.empty());
    EXPECT_TRUE(connection.SelectTransport(
        true, "usb-001-002#{" + std::string(kWriterClassGuidText) + "}"));
    EXPECT_TRUE(link.useLibusb);
}

TEST_F(WriterConnectionTest, RemovalByTransport) {
    connect(Path::Own);
    EXPECT_FALSE(connection.WriterRemoved("/dev/other")) << "not the writer's notice";
    EXPECT_TRUE(link.writerConnected);
    EXPECT_TRUE(connection.WriterRemoved(kInterfaceName));
    EXPECT_FALSE(link.writerConnected);
    EXPECT_FALSE(link.useLibusb);

    connect(Path::Library);
    access.calls.clear();
    EXPECT_FALSE(connection.WriterRemoved("x")) << "the library still reaches the writer";
    EXPECT_TRUE(link.writerConnected);
    access.openResult = 1;
    EXPECT_TRUE(connection.WriterRemoved("x"));
    EXPECT_FALSE(link.writerConnected);
    EXPECT_EQ(access.calls,
              (std::vector<std::string>{"open 23131 0 0", "open 23131 0 0", "close"}));
}

TEST_F(WriterConnectionTest, ConnectionStatusByState) {
    connect(Path::Own);
    const ConnectionStatus connected = connection.ShowConnectionStatus();
    EXPECT_EQ(connected.icon, ConnectionIcon::Connected);
    EXPECT_EQ(static_cast<int>(connected.icon), 137);
    EXPECT_EQ(connected.text, "USB STANDALONE WRITER");

    device.versionText = "XSB STANDALONE WRITER_V9.9";
    std::string text;
    EXPECT_FALSE(connection.ReadVersionText(text));
    EXPECT_EQ(connection.ShowConnectionStatus().text, "XSB STANDALONE WRITER")
        << "a version not beginning with U is still shown";

    connection.CloseWriter();
    link.writerConnected = false;
    const ConnectionStatus absent = connection.ShowConnectionStatus();
    EXPECT_EQ(static_cast<int>(absent.icon), 138);
    EXPECT_EQ(absent.text, "USB was not connected");
}

TEST_F(WriterConnectionTest, VersionThroughTheLibraryUsesOrdinal21WithCommand4) {
    connect(Path::Library);
    std::string text;
    EXPECT_TRUE(connection.ReadVersionText(text));
    EXPECT_EQ(text, "USB STANDALONE WRITER");
    EXPECT_EQ(device.transcript, (std::vector<SeenCommand>{In(0x04, 26)}));
}

TEST_F(WriterConnectionTest, DeviceFileLookupSkipsOtherClassesAndOverlongPaths) {
    const auto other = scratch / "devices" / "some-other-interface";
    std::filesystem::create_directories(other);
    std::filesystem::create_directories(scratch / "devices" / ("." + kInterfaceName + ".new"));
    // Sorts before the real interface, and with "/PIPE00" it would not fit the device name.
    const auto overlong =
        scratch / "devices" /
        (std::string(240 - kWriterClassGuidText.size(), 'a') + std::string(kWriterClassGuidText));
    ASSERT_GE(overlong.string().size() + 7, kDeviceNameCapacity);
    std::filesystem::create_directories(overlong);
    makeInterface(kInterfaceName);

    EXPECT_TRUE(connection.GetUsbDeviceFileName());
    EXPECT_EQ(link.deviceName, (scratch / "devices" / kInterfaceName).string());
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Device path too long, skipped: " + overlong.string() + "\n",
                         "Attempting to open " + link.deviceName + "\n"}));
}

TEST_F(WriterConnectionTest, NoDeviceDirectoryMeansNotFound) {
    EXPECT_FALSE(connection.GetUsbDeviceFileName());
    EXPECT_TRUE(link.deviceName.empty());
}

TEST_F(WriterConnectionTest, PipeOpenWithoutAWriterServingItFails) {
    const auto dir = makeInterface(kInterfaceName);
    const int readFd = connection.OpenWriterPipe("PIPE00");
    EXPECT_NE(readFd, kInvalidPipe) << "the answer pipe opens without a writer";
    EXPECT_EQ(link.deviceName, (dir / "PIPE00").string());
    EXPECT_TRUE(saw("completeDeviceName = (" + (dir / "PIPE00").string() + ")\n"));
    EXPECT_EQ(connection.OpenWriterPipe("PIPE01"), kInvalidPipe) << "nobody reads the command pipe";
    EXPECT_TRUE(saw("Failed to open (" + (dir / "PIPE01").string() + ") = 6"));
    ::close(readFd);
}

TEST_F(WriterConnectionTest, OpenWriterKeepsNoHalfOpenPipePair) {
    makeInterface(kInterfaceName);
    access.openResult = 1;
    bus.device_ = nullptr;
    EXPECT_FALSE(connection.OpenWriter()) << "nobody serves the command pipe";
    EXPECT_EQ(link.readPipe, kInvalidPipe);
    EXPECT_EQ(link.writePipe, kInvalidPipe);
}

}  // namespace
}  // namespace vexlor::test
