// The daemon serving the simulated writer as real FIFOs, driven by the program's pipe path.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "DaemonProcess.h"
#include "SimRig.h"
#include "core/writer/CommandBlock.h"

namespace vexlor::sim::test {
namespace {

bool isFifo(const std::filesystem::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
}

std::string versionBlock(SimRig& rig) {
    std::array<std::uint8_t, 26> text{};
    if (!rig.writer.ReadVersionBlock(0x04, text.data(), 26)) {
        return "(no answer)";
    }
    return std::string(text.begin(), text.end());
}

constexpr const char* kVersion = "USB STANDALONE WRITER_V2.0";

// A running daemon and a program that reaches writers only through its device directory.
class SimDaemon : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(daemon.waitForInterface(true)); }
    std::filesystem::path devices() const { return scratch / "devices"; }

    vexlor::test::ScratchDir scratch;
    DaemonProcess daemon{devices()};
    SimWriter unused;
    SimRig rig{unused, SimRig::Reach::DeviceDirectory, devices()};
};

TEST_F(SimDaemon, InterfaceAppearsWithItsPipesAndGoesAtTheEnd) {
    EXPECT_TRUE(isFifo(daemon.interfacePath() / "PIPE00"));
    EXPECT_TRUE(isFifo(daemon.interfacePath() / "PIPE01"));
    EXPECT_EQ(daemon.stop(), 0);
    EXPECT_FALSE(std::filesystem::exists(daemon.interfacePath()));
}

TEST_F(SimDaemon, HostMayCloseAndReopenEvenWithAnswersUnread) {
    ASSERT_TRUE(rig.connect());
    EXPECT_EQ(versionBlock(rig), kVersion);
    rig.connection.CloseAtExit();
    // Another host asks for the 26-byte version and walks away without reading the answer.
    const auto pipes = daemon.interfacePath();
    const int answers = ::open((pipes / "PIPE00").c_str(), O_RDONLY | O_NONBLOCK);
    const int commands = ::open((pipes / "PIPE01").c_str(), O_WRONLY | O_NONBLOCK);
    const CommandBlock block = MakeCommandBlock(26, 0x04);
    ASSERT_EQ(::write(commands, block.data(), block.size()), 13);
    pollfd answered{answers, POLLIN, 0};
    ASSERT_EQ(::poll(&answered, 1, 5000), 1);
    ::close(commands);
    ::close(answers);
    ASSERT_TRUE(rig.connect());
    EXPECT_EQ(rig.writer.ReadWriterByte(0xFA8F), 0x5A);
    EXPECT_EQ(versionBlock(rig), kVersion);
}

TEST_F(SimDaemon, OneHostHoldsTheWriterUntilItLetsGo) {
    SimRig second(unused, SimRig::Reach::DeviceDirectory, devices());
    ASSERT_TRUE(rig.connect());
    EXPECT_EQ(versionBlock(rig), kVersion);
    EXPECT_FALSE(second.connect());
    EXPECT_TRUE(second.connection.writerBusy());
    // The refused host neither sent commands nor took the first one's answers.
    EXPECT_EQ(versionBlock(rig), kVersion);
    rig.connection.CloseAtExit();
    ASSERT_TRUE(second.connect());
    EXPECT_FALSE(second.connection.writerBusy());
    EXPECT_EQ(versionBlock(second), kVersion);
}

TEST_F(SimDaemon, UnplugAndPlugInAgain) {
    ASSERT_TRUE(rig.connect());
    daemon.signal(SIGUSR1);
    ASSERT_TRUE(daemon.waitForInterface(false));
    EXPECT_EQ(versionBlock(rig), "(no answer)");
    rig.connection.CloseAtExit();
    EXPECT_FALSE(rig.connect());
    daemon.signal(SIGUSR1);
    ASSERT_TRUE(daemon.waitForInterface(true));
    ASSERT_TRUE(rig.connect());
    EXPECT_EQ(rig.writer.ReadWriterByte(0x39), 0xC8);
}

TEST(SimDaemonOptions, BadOptionsEndWithStatusTwo) {
    vexlor::test::ScratchDir scratch;
    for (const std::vector<std::string>& options : {std::vector<std::string>{"--fault", "melt"},
                                                    {"--usb-timing", "maybe"},
                                                    {"--bogus"},
                                                    {"--chip-size", "0"},
                                                    {"--firmware", "/nonexistent/base.nce"}}) {
        DaemonProcess daemon(scratch / "devices", options);
        EXPECT_EQ(daemon.wait(), 2) << options.front();
        EXPECT_FALSE(std::filesystem::exists(daemon.interfacePath()));
    }
}

}  // namespace
}  // namespace vexlor::sim::test
