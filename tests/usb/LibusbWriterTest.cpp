// The program's libusb transport against the simulated writer on an emulated USB bus: the
// bytes go through the real libusb and usbdevfs requests, and the simulator's transcript shows
// what arrived.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <sstream>
#include <thread>
#include <tuple>
#include <utility>

#include "EmulatedUsbWriter.h"
#include "ScratchBase.h"
#include "ServedInterface.h"
#include "cli/CliRunner.h"
#include "cli/CliSession.h"
#include "core/app/AppContext.h"
#include "core/app/WriterAttach.h"
#include "core/writer/CommandSet.h"
#include "core/writer/LibusbBus.h"
#include "core/writer/LibusbTransport.h"
#include "sim/SimTransports.h"
#include "support/HexText.h"
#include "support/Recorders.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor::usbtest {
namespace {

using Bytes = std::vector<std::uint8_t>;

// What the simulator saw of each command, whatever carried it.
using Exchange = std::tuple<int, bool, std::size_t, Bytes, bool>;
std::vector<Exchange> exchanges(const sim::SimWriter& writer) {
    std::vector<Exchange> seen;
    for (const auto& e : writer.transcript()) {
        seen.emplace_back(e.command, e.in, e.length, e.payload, e.ok);
    }
    return seen;
}

// The option block records when it was converted, up to the millisecond (offsets 0xC0-0xCE):
// the one thing two runs of the same job do not share.
std::vector<Exchange> withoutConversionTime(std::vector<Exchange> seen) {
    const std::string chip = "QRV7049";
    for (auto& [command, in, length, payload, ok] : seen) {
        if (command == cmd::kWriteArea && payload.size() > 0xCE &&
            std::equal(chip.begin(), chip.end(), payload.begin())) {
            std::fill(payload.begin() + 0xC0, payload.begin() + 0xCF, 0);
        }
    }
    return seen;
}

// The main window as the attach sequences see it: it keeps what pane 1 showed.
class StatusPane final : public MainView {
  public:
    explicit StatusPane(WriterConnection& connection) : connection_(connection) {}
    void ShowConnectionStatus() override {
        shown.push_back(connection_.ShowConnectionStatus().text);
    }
    void refreshPanel() override {}
    std::vector<std::string> shown;

  private:
    WriterConnection& connection_;
};

// The desktop program's writer link over one USB bus, with its attach and removal sequences.
class DesktopLink {
  public:
    DesktopLink(UsbBus& bus, const std::filesystem::path& base)
        : context(op, base, Language::English),
          diagnostics([](std::string_view) {}),
          transports(TransportOptions{{base / "no-devices", {}}, &bus, &access}, diagnostics),
          connection(context.link, transports, TransferFeedback{progress, progress, diagnostics}),
          writer(connection, WriterHost{op, context.messages, buttons, clock, base}),
          pane(connection) {
        context.messages.LoadMultiLanguageMsgFile(base / kMessageCatalogueFile);
    }

    ArrivalOutcome arrive(std::string_view deviceName) {
        return OnDeviceArrival(deviceName, context.shell, services());
    }
    bool remove(std::string_view deviceName) {
        return OnDeviceRemoval(deviceName, context.shell, services());
    }

    test::RecordingOperator op;
    AppContext context;
    AbsentAccessLibrary access;
    NullProgress progress;
    Diagnostics diagnostics;
    cli::NoButtons buttons;
    VirtualClock clock;
    WriterTransports transports;
    WriterConnection connection;
    Writer writer;
    StatusPane pane;

  private:
    AttachServices services() { return {writer, context.chips, op, context.messages, pane}; }
};

class LibusbWriter : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(scratch / "devices");
        test::layOutBase(scratch.path(), test::builtBaseDir());
        program = scratch.write("prog.hex", test::hexText({0x12, 0x34, 0x56, 0x78})).string();
    }

    // The command-line tool in this process, expected to succeed; what it printed.
    std::string cli(std::vector<std::string> commands) {
        std::vector<std::string> args{"--base-dir", scratch.path().string()};
        args.insert(args.end(), commands.begin(), commands.end());
        std::ostringstream out;
        VirtualClock clock;
        const int status =
            cli::runCli(args, out, out, {scratch / "devices", scratch / "none.so"}, &clock);
        EXPECT_EQ(status, 0) << out.str();
        return out.str();
    }

    // Hot-plug notices arrive from libusb's own thread; a few seconds is plenty on any machine.
    static std::vector<DeviceEvent> awaitEvents(LibusbBus& bus, std::vector<DeviceEvent>& queue) {
        for (int i = 0; i < 500 && queue.empty(); ++i) {
            bus.handleEvents();
            if (queue.empty()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }
        return std::exchange(queue, {});
    }

    test::ScratchDir scratch;
    std::string program;
    sim::SimWriter writer;
    EmulatedUsbWriter usb{writer};
};

TEST_F(LibusbWriter, InfoAndAWholeJobSendWhatThePipesSend) {
    const std::vector<std::string> job{
        "devices", "info",    "select", "QRV7049", "load",
        program,   "program", "verify", "read",    (scratch / "out.otp").string()};
    sim::SimWriter piped;
    {
        sim::test::ServedInterface served(piped, scratch / "devices");
        ASSERT_TRUE(served.arrive());
        cli(job);
    }
    const Bytes pipedRead = test::readBytes(scratch / "out.otp");
    std::filesystem::remove(scratch / "out.otp");
    usb.plugIn();
    const std::string overUsb = cli(job);
    for (const char* line : {"usb: writer 7A5C:0C31 found\n", "transport: libusb\n",
                             "version: USB STANDALONE WRITER_V2.0\n", "voltage check: OK\n",
                             "Message: Loading Data Ok\n", "Message: Program OK\n",
                             "Message: Verify OK\n", "Message: Read OK\n"}) {
        EXPECT_NE(overUsb.find(line), std::string::npos) << line << overUsb;
    }
    EXPECT_EQ(withoutConversionTime(exchanges(writer)), withoutConversionTime(exchanges(piped)));
    const Bytes read = test::readBytes(scratch / "out.otp");
    EXPECT_EQ(read, pipedRead);
    ASSERT_GE(read.size(), 4u);
    EXPECT_EQ(Bytes(read.begin(), read.begin() + 4), (Bytes{0x12, 0x34, 0x56, 0x78}));
}

TEST_F(LibusbWriter, QueuedPiecesArriveWholeWithProgressInPieceOrder) {
    usb.plugIn();
    LibusbBus bus;
    Diagnostics silent([](std::string_view) {});
    LibusbTransport transport(bus, "libusb", silent);
    ASSERT_EQ(transport.open(), OpenResult::Opened);
    test::RecordingProgress progress;
    const std::uint8_t dataArea[] = {kDataArea, kAreaOpenTag};
    ASSERT_TRUE(transport.send(cmd::kOpenArea, dataArea, 2, {progress, progress, false}));
    // More pieces than the queue holds, so its slots are reused, and a short last piece.
    const std::size_t pieces = kQueuedPieces + 12;
    Bytes data((pieces - 1) * 512 + 100);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<std::uint8_t>(i ^ (i >> 9) * 37);  // a moved piece shows
    }
    ASSERT_TRUE(transport.send(cmd::kWriteArea, data.data(),
                               static_cast<std::uint32_t>(data.size()),
                               {progress, progress, true}));
    EXPECT_EQ(Bytes(writer.dataArea().begin(), writer.dataArea().begin() + data.size()), data);
    std::vector<std::string> expected{"R0-100", "P1", "R0-" + std::to_string(pieces - 1), "P1"};
    for (std::size_t p = 1; p <= pieces + 1; ++p) {
        expected.push_back("P" + std::to_string(p));
    }
    EXPECT_EQ(progress.events, expected);
}

// The attach over libusb sends what the in-process bus sends; a writer pulled in the middle of
// a download fails it, and its removal notice is handled only afterwards.
TEST_F(LibusbWriter, ArrivalRestoresTheJobAsInProcessAndAPulledWriterFailsTheDownload) {
    usb.plugIn();
    cli({"select", "QRV7049", "load", program});
    usb.unplug();
    sim::SimWriter inProcess = writer;  // the same job in the same writer
    inProcess.attach();
    writer.clearTranscript();
    inProcess.clearTranscript();
    LibusbBus bus;
    std::vector<DeviceEvent> events;
    bool downloading = false;
    bool noticeDuringTransfer = false;
    ASSERT_TRUE(bus.watchWriter([&](const DeviceEvent& e) {
        noticeDuringTransfer = noticeDuringTransfer || downloading;
        events.push_back(e);
    }));
    DesktopLink desktop(bus, scratch.path());
    usb.plugIn();
    const auto arrived = awaitEvents(bus, events);
    ASSERT_EQ(arrived.size(), 1u);
    ASSERT_EQ(arrived[0].kind, DeviceEvent::Arrival);
    EXPECT_EQ(desktop.arrive(arrived[0].deviceName), ArrivalOutcome::JobRestored);
    EXPECT_EQ(&desktop.connection.transport(), &desktop.transports.libusb());
    EXPECT_EQ(desktop.context.shell.job.chipNameText, "QRV7049");
    EXPECT_EQ(desktop.pane.shown, std::vector<std::string>{"USB STANDALONE WRITER"});
    // A V2.0 writer gets the voltage check, then the base firmware's marks are read.
    const auto seen = exchanges(writer);
    const auto sent = [&](std::uint8_t command, bool in, Bytes payload) {
        return std::any_of(seen.begin(), seen.end(), [&](const Exchange& e) {
            return std::get<0>(e) == command && std::get<1>(e) == in && std::get<3>(e) == payload;
        });
    };
    EXPECT_TRUE(sent(cmd::kVoltage, true, {}));
    EXPECT_TRUE(sent(cmd::kSetAddress, false, {0x00, 0x39}));
    EXPECT_TRUE(sent(cmd::kSetAddress, false, {0xFA, 0x8F}));
    sim::SimUsbBus inProcessBus(inProcess);
    DesktopLink reference(inProcessBus, scratch.path());
    EXPECT_EQ(reference.arrive(arrived[0].deviceName), ArrivalOutcome::JobRestored);
    EXPECT_EQ(exchanges(writer), exchanges(inProcess));
    EXPECT_EQ(desktop.op.texts(), reference.op.texts());
    scratch.writeBytes("buffer_data.prog", Bytes(1500, 0x5A));
    scratch.writeBytes("buffer_option.prog", Bytes(64, 0));
    writer.faults().removeAfterBytes = 700;  // inside the second piece of the data area
    desktop.op.shown.clear();
    downloading = true;
    EXPECT_FALSE(desktop.writer.DownloadBuffers());
    downloading = false;
    EXPECT_EQ(desktop.op.texts(),
              std::vector<std::string>{"Loading Data Fail. Please load the file again."});
    EXPECT_FALSE(usb.pluggedIn());
    const auto removed = awaitEvents(bus, events);
    EXPECT_FALSE(noticeDuringTransfer);
    ASSERT_EQ(removed.size(), 1u);
    EXPECT_EQ(removed[0], (DeviceEvent{DeviceEvent::Removal, arrived[0].deviceName}));
    EXPECT_TRUE(desktop.remove(removed[0].deviceName));
    EXPECT_FALSE(desktop.context.link.writerConnected);
    EXPECT_EQ(desktop.pane.shown.back(), "USB was not connected");
}

// A transport tied to a bus-port path opens the writer there and nothing elsewhere; a bus that
// has started finds nothing once the writer is pulled.
TEST_F(LibusbWriter, PortPathDecidesWhichWriterOpens) {
    usb.plugIn();
    LibusbBus bus;
    const std::vector<UsbWriterPlace> places = bus.writerPlaces();
    ASSERT_EQ(places.size(), 1u);
    EXPECT_EQ(places[0].portPath, "1-1");
    Diagnostics silent([](std::string_view) {});
    struct Case {
        std::string portPath;
        bool pluggedIn;
        OpenResult expected;
    };
    const Case cases[] = {
        {"1-1", true, OpenResult::Opened},  {"1-1.3", true, OpenResult::Absent},
        {"2-1", true, OpenResult::Absent},  {"1", true, OpenResult::Absent},
        {"1-1", false, OpenResult::Absent}, {"", false, OpenResult::Absent},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.portPath + (c.pluggedIn ? " plugged in" : " pulled"));
        if (usb.pluggedIn() != c.pluggedIn) {
            c.pluggedIn ? usb.plugIn() : usb.unplug();
        }
        LibusbTransport transport(bus, "libusb", silent);
        transport.restrictTo(c.portPath);
        EXPECT_EQ(transport.open(), c.expected);
        EXPECT_EQ(transport.isOpen(), c.expected == OpenResult::Opened);
    }
}

// A transfer that fails on the bus fails the download with its message and leaves nothing
// queued. A writer that stopped answering costs one wait, then the link fails at once until the
// writer is opened anew; after a fault the writer itself survives, the link recovers by itself.
TEST_F(LibusbWriter, BusFaultsFailTheDownloadAndTheLinkRecovers) {
    using Kind = UrbFault::Kind;
    constexpr unsigned char kOut = 0x02;
    constexpr unsigned char kIn = 0x81;
    struct Case {
        const char* name;
        UrbFault fault;  // on the data area's second piece, going out or read back
        bool silenced;
    };
    const Case cases[] = {
        {"stall out", {Kind::Status, kOut, 512, 2, -EPIPE}, true},
        {"overflow out", {Kind::Status, kOut, 512, 2, -EOVERFLOW}, true},
        {"bus error out", {Kind::Status, kOut, 512, 2, -EPROTO}, true},
        {"gone out", {Kind::Status, kOut, 512, 2, -ENODEV}, true},
        {"held out", {Kind::Hold, kOut, 512, 2}, true},
        {"submit refused", {Kind::RefuseSubmit, kOut, 512, 2, ENOMEM}, true},
        {"reap failed", {Kind::FailReap, kOut, 512, 2, EIO}, true},
        {"stall in", {Kind::Status, kIn, 512, 2, -EPIPE}, false},
        {"overflow in", {Kind::Status, kIn, 512, 2, -EOVERFLOW}, false},
        {"held in", {Kind::Hold, kIn, 512, 2}, true},
        {"short in", {Kind::Short, kIn, 512, 2, 100}, false},
    };
    usb.plugIn();
    LibusbBus bus({}, 500);  // the one wait each silenced case costs
    DesktopLink desktop(bus, scratch.path());
    // More pieces than the queue holds, so some are yet to go when one fails; no two alike, so
    // a shifted read-back shows.
    Bytes data((kQueuedPieces + 12) * 512);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<std::uint8_t>(i ^ (i >> 9) * 37);
    }
    scratch.writeBytes("buffer_data.prog", data);
    scratch.writeBytes("buffer_option.prog", Bytes(64, 0));
    const std::string fail = "Loading Data Fail. Please load the file again.";
    ASSERT_TRUE(desktop.connection.SelectTransport(false));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        desktop.op.shown.clear();
        usb.kernel().inject(c.fault);
        EXPECT_FALSE(desktop.writer.DownloadBuffers());
        EXPECT_EQ(usb.kernel().urbsQueued(), 0u);
        EXPECT_EQ(usb.kernel().submittedAfterGivingUp(), 0u);
        std::vector<std::string> expected{fail, "Loading Data Ok"};
        if (c.silenced) {
            writer.clearTranscript();
            EXPECT_FALSE(desktop.writer.DownloadBuffers());
            EXPECT_TRUE(writer.transcript().empty());
            expected.insert(expected.begin(), fail);
            ASSERT_TRUE(desktop.connection.SelectTransport(false));
        }
        EXPECT_TRUE(desktop.writer.DownloadBuffers());
        EXPECT_EQ(desktop.op.texts(), expected);
        EXPECT_EQ(usb.kernel().urbsQueued(), 0u);
    }
    ASSERT_GE(writer.dataArea().size(), data.size());
    EXPECT_TRUE(std::equal(data.begin(), data.end(), writer.dataArea().begin()));
}

}  // namespace
}  // namespace vexlor::usbtest
