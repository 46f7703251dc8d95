// The writer link over device-file pipes, against the simulated writer's pipe server on a
// thread of its own: arrival and removal seen by the directory watcher, the transport choice
// they trigger, and a download on the wire.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "ServedInterface.h"
#include "SimRig.h"
#include "core/writer/DeviceDirectoryWatcher.h"

namespace vexlor::test {
namespace {

using sim::test::ServedInterface;
using sim::test::SimRig;
using Words = std::vector<std::string>;

class PipeLinkTest : public ::testing::Test {
  protected:
    std::filesystem::path devices() const { return scratch / "devices"; }

    ScratchDir scratch;
    sim::SimWriter device;
    SimRig rig{device, SimRig::Reach::DeviceDirectory, devices()};
    ServedInterface served{device, devices()};
};

TEST_F(PipeLinkTest, ArrivalOpensThePipesRemovalClosesThemArrivalAgainReconnects) {
    std::filesystem::create_directories(devices());
    DeviceDirectoryWatcher watcher(devices());
    std::array<std::uint8_t, 26> version{};
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(served.arrive());
        const auto arrived = watcher.poll();
        ASSERT_EQ(arrived.size(), 1u);
        EXPECT_EQ(arrived[0].kind, DeviceEvent::Arrival);
        EXPECT_TRUE(rig.connection.SelectTransport(true, arrived[0].deviceName));
        EXPECT_EQ(rig.connection.transport().name(), "device files " + arrived[0].deviceName);
        version.fill(0);
        ASSERT_TRUE(rig.connection.ReadVersionBlock(cmd::kVersion, version.data(), 26));
        EXPECT_EQ(VersionString(version), "USB STANDALONE WRITER_V2.0");
        served.remove();
        const auto removed = watcher.poll();
        EXPECT_EQ(removed,
                  (std::vector<DeviceEvent>{{DeviceEvent::Removal, arrived[0].deviceName}}));
        EXPECT_FALSE(rig.connection.ReadVersionBlock(cmd::kVersion, version.data(), 26))
            << "the pipes of a vanished writer fail instead of hanging";
        EXPECT_TRUE(rig.connection.WriterRemoved(removed[0].deviceName));
        EXPECT_FALSE(rig.link.writerConnected);
        EXPECT_FALSE(rig.connection.transport().isOpen());
    }
}

TEST_F(PipeLinkTest, DownloadLargerThanAPipeBufferArrivesWhole) {
    ASSERT_TRUE(served.arrive());
    ASSERT_TRUE(rig.connect());
    std::vector<std::uint8_t> data(70001);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<std::uint8_t>(i * 31 + 7);
    }
    rig.base.writeBytes("test_option.prog", std::vector<std::uint8_t>(16, 0xA5));
    rig.base.writeBytes("buffer_data.prog", data);
    rig.base.write("buffer_option.prog", "QRV7");
    ASSERT_TRUE(rig.writer.DownloadBuffers());
    served.remove();
    EXPECT_EQ(rig.op.texts(), Words{"Loading Data Ok"});
    EXPECT_TRUE(std::equal(data.begin(), data.end(), device.dataArea().begin()));
}

// A writer that takes a command and never sends the status block costs one wait on either own
// path: that exchange fails, the rest of the connection fails at once, and a new open recovers.
TEST_F(PipeLinkTest, StatusBlockThatNeverComesSilencesTheConnectionUntilReopened) {
    constexpr int kShortLimitMs = 50;
    const TransferFeedbackHooks hooks{rig.progress, rig.progress, false};
    const std::uint8_t mode = kModeTransfer;
    std::vector<std::uint8_t> area(kAreaBufferSize);
    const auto silenceThenReopen = [&](FramedTransport& transport) {
        ASSERT_EQ(transport.open(), OpenResult::Opened);
        device.faults().statusWithheld = true;
        EXPECT_FALSE(transport.send(cmd::kMode, &mode, 1, hooks));
        device.faults().statusWithheld = false;
        EXPECT_FALSE(transport.receive(cmd::kReadArea, area.data(), kAreaBufferSize, hooks));
        ASSERT_EQ(transport.open(), OpenResult::Opened);
        EXPECT_TRUE(transport.send(cmd::kMode, &mode, 1, hooks));
        transport.close();
    };
    ASSERT_TRUE(served.arrive());
    PipeTransport pipes(devices(), rig.diagnostics, kShortLimitMs);
    silenceThenReopen(pipes);
    served.remove();
    sim::SimUsbBus bus(device);
    LibusbTransport usb(bus, "usb", rig.diagnostics);
    silenceThenReopen(usb);
    EXPECT_EQ(rig.exchanges(), Words(4, "00>47")) << "nothing reached the writer while silent";
}

TEST(DeviceDirectoryWatcherTest, ReportsCompleteVisibleInterfacesComingAndGoing) {
    ScratchDir scratch;
    const auto devices = scratch / "not-yet";
    const auto makeInterface = [&](const std::string& name, bool bothPipes) {
        const auto dir = devices / name;
        std::filesystem::create_directories(dir);
        ::mkfifo((dir / "PIPE00").c_str(), 0600);
        if (bothPipes) {
            ::mkfifo((dir / "PIPE01").c_str(), 0600);
        }
        return dir;
    };
    DeviceDirectoryWatcher watcher(devices);
    EXPECT_TRUE(watcher.poll().empty()) << "a directory that appears later is watched too";
    const auto early = makeInterface("early#{3d7e41a2-5c19-4f60-9b8e-61a0c2d4f7b3}", true);
    EXPECT_EQ(watcher.poll(), (std::vector<DeviceEvent>{{DeviceEvent::Arrival, early.string()}}));
    DeviceDirectoryWatcher late(devices);
    EXPECT_TRUE(late.poll().empty()) << "present at start is no arrival";
    makeInterface(".vexlor#{3d7e41a2-5c19-4f60-9b8e-61a0c2d4f7b3}.new", true);
    const auto half = makeInterface("vexlor#{3d7e41a2-5c19-4f60-9b8e-61a0c2d4f7b3}", false);
    EXPECT_TRUE(late.poll().empty()) << "hidden or half made";
    ::mkfifo((half / "PIPE01").c_str(), 0600);
    EXPECT_EQ(late.poll(), (std::vector<DeviceEvent>{{DeviceEvent::Arrival, half.string()}}));
    std::filesystem::remove_all(half);
    std::filesystem::remove_all(early);
    EXPECT_EQ(late.poll(), (std::vector<DeviceEvent>{{DeviceEvent::Removal, early.string()},
                                                     {DeviceEvent::Removal, half.string()}}));
}

}  // namespace
}  // namespace vexlor::test
