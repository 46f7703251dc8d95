// A writer firmware image (0x10800 bytes) written and read back through the device-file pipes
// to the simulator daemon, as the program's firmware download does it. Goal: over 40 MB/s.
#include <benchmark/benchmark.h>

#include "DaemonProcess.h"
#include "core/base/Clock.h"
#include "core/base/MessageCatalogue.h"
#include "core/base/ProgressSink.h"
#include "core/writer/Writer.h"
#include "sim/SimFirmwareImage.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace {

class KeyCatalogue final : public vexlor::MessageCatalogue {
  public:
    std::string text(std::string_view key) const override { return std::string(key); }
};

class NoButtons final : public vexlor::OperationButtons {
  public:
    void disableOperationButtons() override {}
    void enableOperationButtons() override {}
};

void PipeFirmwareDownload(benchmark::State& state) {
    vexlor::test::ScratchDir scratch;
    vexlor::sim::test::DaemonProcess daemon(scratch / "devices");
    if (!daemon.waitForInterface(true)) {
        state.SkipWithError("the simulator daemon did not start");
        return;
    }
    const auto image = scratch.writeBytes("bench.nce", vexlor::sim::makeFirmwareImage(0x1234, 0));

    struct NoUsb final : vexlor::UsbBus {
        std::unique_ptr<vexlor::UsbDevice> openFirst(std::uint16_t, std::uint16_t) override {
            return nullptr;
        }
    } noUsb;
    vexlor::NullProgress progress;
    vexlor::Diagnostics silent([](std::string_view) {});
    vexlor::WriterTransports transports(
        vexlor::TransportOptions{{scratch / "devices", {}}, &noUsb, nullptr}, silent);
    vexlor::WriterLink link;
    vexlor::WriterConnection connection(link, transports,
                                        vexlor::TransferFeedback{progress, progress, silent});
    vexlor::test::RecordingOperator op;
    KeyCatalogue catalogue;
    NoButtons buttons;
    // The fixed waits around the image are the writer's, not the link's: leave them out.
    vexlor::VirtualClock clock;
    vexlor::Writer writer(connection,
                          vexlor::WriterHost{op, catalogue, buttons, clock, scratch.path()});
    if (!connection.SelectTransport(false)) {
        state.SkipWithError("the pipes did not open");
        return;
    }
    link.knownWriterVersion = true;

    for (auto _ : state) {
        if (!writer.WriteFirmwareImage(image, false)) {
            state.SkipWithError("read-back differed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(vexlor::sim::kFirmwareImageSize));
    connection.CloseAtExit();
}
BENCHMARK(PipeFirmwareDownload)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
