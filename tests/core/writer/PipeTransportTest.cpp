#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "WriterFixture.h"
#include "core/writer/DeviceDirectoryWatcher.h"

namespace vexlor::test {
namespace {

const std::string kInterfaceName = "vexlor#{3d7e41a2-5c19-4f60-9b8e-61a0c2d4f7b3}";

// Plays the writer on the far side of real FIFOs, answering with the fake device, until told
// to stop or to vanish.
class PipeWriterThread {
  public:
    PipeWriterThread(FakeWriterDevice& device, const std::filesystem::path& dir) : device_(device) {
        commandsIn_ = ::open((dir / "PIPE01").c_str(), O_RDWR | O_CLOEXEC);
        answersOut_ = ::open((dir / "PIPE00").c_str(), O_RDWR | O_CLOEXEC);
        thread_ = std::thread([this] { run(); });
    }
    ~PipeWriterThread() { stop(); }

    void stop() {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
        closeEnds();
    }
    // The writer goes away: its ends of both pipes close.
    void vanish() { stop(); }

  private:
    void run() {
        std::vector<std::uint8_t> chunk(4096);
        while (!stop_) {
            pollfd entry{commandsIn_, POLLIN, 0};
            if (::poll(&entry, 1, 20) <= 0) {
                continue;
            }
            const ssize_t n = ::read(commandsIn_, chunk.data(), chunk.size());
            if (n <= 0) {
                continue;
            }
            const auto answer = device_.consume(chunk.data(), static_cast<std::size_t>(n));
            std::size_t done = 0;
            while (done < answer.size()) {
                const ssize_t w = ::write(answersOut_, answer.data() + done, answer.size() - done);
                if (w <= 0) {
                    return;
                }
                done += static_cast<std::size_t>(w);
            }
        }
    }
    void closeEnds() {
        for (int* fd : {&commandsIn_, &answersOut_}) {
            if (*fd >= 0) {
                ::close(*fd);
                *fd = -1;
            }
        }
    }

    FakeWriterDevice& device_;
    int commandsIn_ = -1;
    int answersOut_ = -1;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

class PipeTransportTest : public WriterFixture {
  protected:
    PipeTransportTest() { bus.device_ = nullptr; }

    std::filesystem::path makeInterface() {
        const auto dir = scratch / "devices" / kInterfaceName;
        std::filesystem::create_directories(dir);
        EXPECT_EQ(::mkfifo((dir / "PIPE00").c_str(), 0600), 0);
        EXPECT_EQ(::mkfifo((dir / "PIPE01").c_str(), 0600), 0);
        return dir;
    }
};

TEST_F(PipeTransportTest, DownloadAndVersionOverRealFifos) {
    const auto dir = makeInterface();
    PipeWriterThread writerSide(device, dir);
    access.openResult = 1;
    ASSERT_TRUE(connection.SelectTransport(false));
    EXPECT_FALSE(link.useLibusb);
    EXPECT_EQ(link.deviceName, (dir / "PIPE01").string());

    std::string version;
    EXPECT_TRUE(connection.ReadVersionText(version));
    EXPECT_EQ(version, "USB STANDALONE WRITER");

    // Larger than a pipe's buffer, and not a whole number of pieces.
    std::vector<std::uint8_t> data(70001);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<std::uint8_t>(i * 31 + 7);
    }
    scratch.write("test_option.prog", "T");
    scratch.writeBytes("buffer_data.prog", data);
    scratch.write("buffer_option.prog", "OPTION");
    link.knownWriterVersion = true;
    EXPECT_TRUE(writer.DownloadBuffers());
    EXPECT_EQ(op.texts(), std::vector<std::string>{"Loading Data Ok"});
    writerSide.stop();
    EXPECT_EQ(device.areas[8], data);
}

TEST_F(PipeTransportTest, VanishedWriterFailsTheTransferInsteadOfHanging) {
    const auto dir = makeInterface();
    PipeWriterThread writerSide(device, dir);
    access.openResult = 1;
    ASSERT_TRUE(connection.SelectTransport(false));
    writerSide.vanish();
    std::array<std::uint8_t, 6> voltages{};
    EXPECT_FALSE(writer.ReadVoltageBlock(voltages));
    std::uint8_t mode = 0x47;
    EXPECT_FALSE(connection.UsbSendData(&mode, 1, 0x00));
}

TEST_F(PipeTransportTest, RemovalClosesBothPipes) {
    const auto dir = makeInterface();
    PipeWriterThread writerSide(device, dir);
    access.openResult = 1;
    ASSERT_TRUE(connection.SelectTransport(false));
    EXPECT_TRUE(connection.WriterRemoved(dir.string()));
    EXPECT_EQ(link.readPipe, kInvalidPipe);
    EXPECT_EQ(link.writePipe, kInvalidPipe);
    EXPECT_FALSE(link.writerConnected);
}

TEST_F(PipeTransportTest, WatcherReportsCompleteInterfacesComingAndGoing) {
    const auto devices = scratch / "devices";
    const auto early = devices / "early#{3d7e41a2-5c19-4f60-9b8e-61a0c2d4f7b3}";
    std::filesystem::create_directories(early);
    ::mkfifo((early / "PIPE00").c_str(), 0600);
    ::mkfifo((early / "PIPE01").c_str(), 0600);
    DeviceDirectoryWatcher watcher(devices);
    EXPECT_TRUE(watcher.poll().empty()) << "present at start is no arrival";

    const auto staging = devices / ("." + kInterfaceName + ".new");
    std::filesystem::create_directories(staging);
    ::mkfifo((staging / "PIPE00").c_str(), 0600);
    ::mkfifo((staging / "PIPE01").c_str(), 0600);
    EXPECT_TRUE(watcher.poll().empty()) << "hidden: still being laid out";
    std::filesystem::remove_all(staging);

    const auto dir = devices / kInterfaceName;
    std::filesystem::create_directories(dir);
    ::mkfifo((dir / "PIPE00").c_str(), 0600);
    EXPECT_TRUE(watcher.poll().empty()) << "half made";
    ::mkfifo((dir / "PIPE01").c_str(), 0600);
    EXPECT_EQ(watcher.poll(), (std::vector<DeviceEvent>{{DeviceEvent::Arrival, dir.string()}}));
    EXPECT_TRUE(watcher.poll().empty());

    std::filesystem::remove_all(dir);
    std::filesystem::remove_all(early);
    EXPECT_EQ(watcher.poll(), (std::vector<DeviceEvent>{{DeviceEvent::Removal, early.string()},
                                                        {DeviceEvent::Removal, dir.string()}}));
}

TEST(DeviceDirectoryWatcherTest, DirectoryThatAppearsLaterIsWatchedToo) {
    ScratchDir scratch;
    const auto devices = scratch / "not-yet";
    DeviceDirectoryWatcher watcher(devices);
    EXPECT_TRUE(watcher.poll().empty());
    const auto dir = devices / kInterfaceName;
    std::filesystem::create_directories(dir);
    ::mkfifo((dir / "PIPE00").c_str(), 0600);
    ::mkfifo((dir / "PIPE01").c_str(), 0600);
    EXPECT_EQ(watcher.poll(), (std::vector<DeviceEvent>{{DeviceEvent::Arrival, dir.string()}}));
}

}  // namespace
}  // namespace vexlor::test
