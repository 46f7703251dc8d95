// The operator's whole job for a 64 KiB program: Load File (conversion, family firmware,
// download with read-back), Program and Verify, through the device-file pipes to the simulator
// daemon with its USB pacing off. The writer's fixed waits are left out (virtual clock): what
// is timed is the host side. Goal: under 100 ms.
#include <benchmark/benchmark.h>

#include <random>

#include "DaemonProcess.h"
#include "ScratchBase.h"
#include "core/ops/ChipOperations.h"
#include "core/ops/LoadFile.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace {

using vexlor::JobOutcome;

class NoButtons final : public vexlor::OperationButtons {
  public:
    void disableOperationButtons() override {}
    void enableOperationButtons() override {}
};

class NoView final : public vexlor::JobView {
  public:
    void refreshPanel() override {}
    void showFileInHexView(const std::filesystem::path&) override {}
};

class NoOptions final : public vexlor::OptionSelectDialog {
  public:
    bool run(vexlor::OptionChoices&) override { return true; }
};

// 64 KiB of varied bytes as Intel HEX, 16 bytes a record.
std::string programText() {
    std::mt19937 random(7);
    std::string text;
    for (unsigned at = 0; at < 0x10000; at += 16) {
        unsigned sum = 16 + (at >> 8) + (at & 0xFF);
        text += vexlor::format(":10%04X00", at);
        for (int i = 0; i < 16; ++i) {
            const unsigned byte = random() & 0xFF;
            sum += byte;
            text += vexlor::format("%02X", byte);
        }
        text += vexlor::format("%02X\n", (0x100 - (sum & 0xFF)) & 0xFF);
    }
    return text + ":00000001FF\n";
}

void LoadProgramVerify64K(benchmark::State& state) {
    vexlor::test::ScratchDir scratch;
    vexlor::test::layOutBase(scratch.path(), VEXLOR_BUILT_BASE_DIR);
    vexlor::sim::test::DaemonProcess daemon(scratch / "devices", {"--usb-timing", "off"});
    if (!daemon.waitForInterface(true)) {
        state.SkipWithError("the simulator daemon did not start");
        return;
    }
    const std::string program = scratch.write("program.hex", programText()).string();

    vexlor::test::RecordingOperator op;
    vexlor::AppContext context(op, scratch.path(), vexlor::Language::English);
    context.messages.LoadMultiLanguageMsgFile(scratch / "VexlorMsg.xml");
    struct NoUsb final : vexlor::UsbBus {
        std::unique_ptr<vexlor::UsbDevice> openFirst(std::uint16_t, std::uint16_t) override {
            return nullptr;
        }
    } noUsb;
    vexlor::NullProgress progress;
    vexlor::Diagnostics silent([](std::string_view) {});
    vexlor::WriterTransports transports(
        vexlor::TransportOptions{{scratch / "devices", {}}, &noUsb, nullptr}, silent);
    vexlor::WriterConnection connection(context.link, transports,
                                        vexlor::TransferFeedback{progress, progress, silent});
    NoButtons buttons;
    vexlor::VirtualClock clock;
    vexlor::Writer writer(connection,
                          vexlor::WriterHost{op, context.messages, buttons, clock, scratch.path()});
    if (!connection.SelectTransport(false)) {
        state.SkipWithError("the pipes did not open");
        return;
    }
    context.link.knownWriterVersion = true;
    context.link.hwVersionName = "hwversion1.1";
    // QV1663 takes a 64 KiB program as 64 KiB of writer data.
    context.chips.ReadChipDisplayInfo("QV1663");
    context.chips.ReadICInfo("QV1663");
    context.shell.job.chipNameText = "QV1663";

    NoView view;
    NoOptions options;
    vexlor::JobServices services{context, writer, op, buttons, view, options, 0, {}};
    // The first load also writes the family firmware; the job is timed on a prepared writer.
    if (vexlor::LoadDroppedFile(services, program) != JobOutcome::Ok) {
        state.SkipWithError("the first load failed");
        return;
    }
    for (auto _ : state) {
        if (vexlor::LoadDroppedFile(services, program) != JobOutcome::Ok ||
            vexlor::OnProgram(services) != JobOutcome::Ok ||
            vexlor::OnVerify(services) != JobOutcome::Ok) {
            state.SkipWithError("the job failed");
            break;
        }
    }
    connection.CloseAtExit();
}
BENCHMARK(LoadProgramVerify64K)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
