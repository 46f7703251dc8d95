// The writer link against the simulated writer's pipe server: arrival and removal seen by the
// device-directory watcher, the transport choice they trigger, and a download on the wire.
#include <atomic>
#include <thread>

#include "WriterFixture.h"
#include "core/writer/DeviceDirectoryWatcher.h"
#include "core/writer/WriterIdentity.h"
#include "sim/SimPipeServer.h"

namespace vexlor::test {
namespace {

// Runs the pipe server on its own thread while the test plays the host.
class ServedInterface {
  public:
    ServedInterface(sim::SimWriter& writer, const std::filesystem::path& devices)
        : server_(writer, {devices, {}, false}, clock_) {}
    ~ServedInterface() { remove(); }

    bool arrive() {
        std::string error;
        if (!server_.arrive(error)) {
            return false;
        }
        stop_ = false;
        thread_ = std::thread([this] {
            while (!stop_) {
                server_.serveOnce(10);
            }
        });
        return true;
    }
    void remove() {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
        server_.remove();
    }

  private:
    SteadyClock clock_;
    sim::SimPipeServer server_;
    std::atomic<bool> stop_{true};
    std::thread thread_;
};

class SimDaemonAttachTest : public WriterFixture {
  protected:
    SimDaemonAttachTest() { bus.device_ = nullptr; }

    std::filesystem::path devices() const { return scratch / "devices"; }
};

TEST_F(SimDaemonAttachTest, ArrivalOpensThePipesRemovalClosesThemArrivalAgainReconnects) {
    access.openResult = 1;  // no access library: the own path decides
    std::filesystem::create_directories(devices());
    DeviceDirectoryWatcher watcher(devices());
    sim::SimWriter simulated;
    ServedInterface served(simulated, devices());

    ASSERT_TRUE(served.arrive());
    const auto arrived = watcher.poll();
    ASSERT_EQ(arrived.size(), 1u);
    EXPECT_EQ(arrived[0].kind, DeviceEvent::Arrival);
    EXPECT_NE(arrived[0].deviceName.find(kWriterClassGuidText), std::string::npos);
    EXPECT_TRUE(connection.SelectTransport(true, arrived[0].deviceName));

    std::array<std::uint8_t, 26> version{};
    ASSERT_TRUE(connection.ReadVersionBlock(0x04, version.data(), 26));
    EXPECT_EQ(VersionString(version), "USB STANDALONE WRITER_V2.0");

    served.remove();
    const auto removed = watcher.poll();
    ASSERT_EQ(removed.size(), 1u);
    EXPECT_EQ(removed[0], (DeviceEvent{DeviceEvent::Removal, arrived[0].deviceName}));
    EXPECT_FALSE(connection.ReadVersionBlock(0x04, version.data(), 26))
        << "the pipes of a removed writer fail";
    EXPECT_TRUE(connection.WriterRemoved(removed[0].deviceName));
    EXPECT_FALSE(link.writerConnected);
    EXPECT_EQ(link.readPipe, kInvalidPipe);

    ASSERT_TRUE(served.arrive());
    const auto again = watcher.poll();
    ASSERT_EQ(again.size(), 1u);
    EXPECT_TRUE(connection.SelectTransport(true, again[0].deviceName));
    version.fill(0);
    EXPECT_TRUE(connection.ReadVersionBlock(0x04, version.data(), 26));
    EXPECT_EQ(VersionString(version), "USB STANDALONE WRITER_V2.0");
}

TEST_F(SimDaemonAttachTest, DownloadReachesTheAreasInTheWritersOrder) {
    access.openResult = 1;
    sim::SimWriter simulated;
    ServedInterface served(simulated, devices());
    ASSERT_TRUE(served.arrive());
    ASSERT_TRUE(connection.SelectTransport(false));
    link.knownWriterVersion = true;

    std::vector<std::uint8_t> data(1500);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<std::uint8_t>(i ^ 0x5A);
    }
    const std::vector<std::uint8_t> option{'Q', 'R', 'V', '7', 0, 0, 0, 0};
    scratch.writeBytes("test_option.prog", std::vector<std::uint8_t>(16, 0xA5));
    scratch.writeBytes("buffer_data.prog", data);
    scratch.writeBytes("buffer_option.prog", option);
    simulated.clearTranscript();
    ASSERT_TRUE(writer.DownloadBuffers());
    served.remove();

    EXPECT_EQ(op.texts(), std::vector<std::string>{"Loading Data Ok"});
    EXPECT_TRUE(std::equal(data.begin(), data.end(), simulated.dataArea().begin()));
    EXPECT_TRUE(std::equal(option.begin(), option.end(), simulated.optionArea().begin()));
    // (command, data in?, length) of every exchange.
    std::vector<std::tuple<int, bool, std::size_t>> seen;
    for (const auto& entry : simulated.transcript()) {
        seen.emplace_back(entry.command, entry.in, entry.length);
        EXPECT_TRUE(entry.ok) << "command " << int(entry.command);
    }
    const std::vector<std::tuple<int, bool, std::size_t>> expected{
        {0x15, false, 1},  {0x17, false, 1},    {0x00, false, 1},   {0x14, false, 2},
        {0x12, false, 16}, {0x13, true, 16},    {0x14, false, 2},   {0x00, false, 1},
        {0x14, false, 2},  {0x12, false, 1500}, {0x13, true, 1500}, {0x14, false, 2},
        {0x00, false, 1},  {0x14, false, 2},    {0x12, false, 8},   {0x13, true, 8},
        {0x14, false, 2},  {0x00, false, 1},    {0x17, false, 1}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(simulated.lamp(), 0x90);
    EXPECT_EQ(simulated.mode(), 0x07);
}

TEST_F(SimDaemonAttachTest, FamilyFirmwareGoesIntoWriterMemoryOverThePipes) {
    access.openResult = 1;
    sim::SimWriter simulated;
    ServedInterface served(simulated, devices());
    ASSERT_TRUE(served.arrive());
    ASSERT_TRUE(connection.SelectTransport(false));
    link.knownWriterVersion = true;
    link.writerFirmwareVersion = 0x5B01;  // the base firmware, read at attach

    // Version 0x0203, family 0x5A31: the firmware of another chip family.
    std::vector<std::uint8_t> image(0x10800);
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>((i * 7) >> 3);
    }
    image[0xFA8F] = 0x5A;  // writer model code
    image[0xFA90] = 0x02;
    image[0xFA91] = 0x03;
    image[0xFA94] = 0x5A;
    image[0xFA95] = 0x31;
    const auto nce = scratch.writeBytes("family.nce", image);
    scratch.writeBytes("buffer_option.prog", std::vector<std::uint8_t>(256, 0));
    simulated.clearTranscript();
    ASSERT_TRUE(writer.EnsureFamilyFirmware(nce));
    served.remove();

    EXPECT_TRUE(std::equal(image.begin(), image.end(), simulated.memory().begin()));
    EXPECT_EQ(link.writerFirmwareVersion, 0x0203);
    EXPECT_EQ(link.familyWord, 0x5A31);
    std::vector<std::pair<int, std::size_t>> seen;
    for (const auto& entry : simulated.transcript()) {
        seen.emplace_back(entry.command, entry.length);
    }
    const std::vector<std::pair<int, std::size_t>> expected{
        {0x15, 1}, {0x00, 1},       {0x0F, 2}, {0x10, 0x10800},
        {0x0F, 2}, {0x11, 0x10800}, {0x00, 1}, {0x17, 1}};
    EXPECT_EQ(seen, expected);
    const auto option = readBytes(scratch / "buffer_option.prog");
    EXPECT_EQ(std::vector<std::uint8_t>(option.begin() + 240, option.begin() + 244),
              (std::vector<std::uint8_t>{0x20, 0x23, 0x5A, 0x31}));
}

TEST_F(SimDaemonAttachTest, CorruptedReadBackFailsTheDownloadWithTheCatalogueMessage) {
    access.openResult = 1;
    sim::SimWriter simulated;
    simulated.faults().corruptReadBack = true;
    ServedInterface served(simulated, devices());
    ASSERT_TRUE(served.arrive());
    ASSERT_TRUE(connection.SelectTransport(false));
    scratch.writeBytes("test_option.prog", std::vector<std::uint8_t>(16, 0xA5));
    scratch.writeBytes("buffer_data.prog", std::vector<std::uint8_t>(600, 0x11));
    scratch.writeBytes("buffer_option.prog", std::vector<std::uint8_t>(64, 0x22));
    EXPECT_FALSE(writer.DownloadBuffers());
    served.remove();
    ASSERT_FALSE(op.shown.empty());
    EXPECT_EQ(op.last().text, "<LoadingdataFailMsg>");
    EXPECT_EQ(op.last().icon, MessageIcon::Stop);
    EXPECT_EQ(simulated.lamp(), 0x90);
}

}  // namespace
}  // namespace vexlor::test
