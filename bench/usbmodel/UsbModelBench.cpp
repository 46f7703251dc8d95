// A 64 KiB download into the writer's data area over the own path, on the simulated USB bus
// model: what the host's way of writing the 512-byte pieces costs in bus time. The times are
// the model's, not measured: each iteration reports the modelled time as its own. Goal: the
// queued high-speed download within twice the bus limit.
#include <benchmark/benchmark.h>

#include "core/writer/CommandSet.h"
#include "core/writer/LibusbTransport.h"
#include "sim/SimTransports.h"
#include "sim/UsbBusModel.h"

namespace {

using namespace vexlor;

constexpr std::uint32_t kDownloadBytes = 0x10000;

void ModelledDownload(benchmark::State& state, const sim::UsbSpeed& speed, std::size_t depth) {
    const std::vector<std::uint8_t> data(kDownloadBytes, 0xA5);
    const std::uint8_t dataArea[] = {kDataArea, kAreaOpenTag};
    NullProgress progress;
    const TransferFeedbackHooks hooks{progress, progress, false};
    Diagnostics silent([](std::string_view) {});
    double microseconds = 0;
    for (auto _ : state) {
        sim::SimWriter writer;
        VirtualClock clock;
        sim::UsbBusModel model(speed, clock);
        const sim::SimBusTiming timing{model, depth};
        sim::SimUsbBus bus(writer, &timing);
        LibusbTransport transport(bus, "modelled", silent);
        if (transport.open() != OpenResult::Opened ||
            !transport.send(cmd::kOpenArea, dataArea, 2, hooks)) {
            state.SkipWithError("the simulated writer did not open its data area");
            break;
        }
        const std::uint64_t start = model.microseconds();
        if (!transport.send(cmd::kWriteArea, data.data(), kDownloadBytes, hooks) ||
            writer.downloadedLength() != kDownloadBytes) {
            state.SkipWithError("the download did not arrive");
            break;
        }
        microseconds = static_cast<double>(model.microseconds() - start);
        state.SetIterationTime(microseconds / 1e6);
    }
    const double limit = sim::UsbBusModel::limitMicroseconds(speed, kDownloadBytes);
    state.counters["bus_limit_us"] = limit;
    state.counters["x_bus_limit"] = microseconds / limit;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kDownloadBytes);
}

BENCHMARK_CAPTURE(ModelledDownload, HighSpeedSynchronous, sim::kHighSpeed, 1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ModelledDownload, HighSpeedQueued, sim::kHighSpeed, kQueuedPieces)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ModelledDownload, FullSpeedSynchronous, sim::kFullSpeed, 1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ModelledDownload, FullSpeedQueued, sim::kFullSpeed, kQueuedPieces)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
