// The writer commands (devices, writers, info) and the tool's own usage rules.
#include <tuple>

#include "CliTest.h"
#include "DaemonProcess.h"
#include "core/writer/PipeTransport.h"
#include "sim/SimFirmwareImage.h"

namespace vexlor::test {
namespace {

// The scratch directory is the base directory itself, with nothing laid out in it.
class WriterCommands : public CliTest {
  protected:
    void SetUp() override {}
};

TEST_F(WriterCommands, InfoOnTheSimulatedWriters) {
    struct Case {
        std::vector<std::string> options;
        int status;
        std::vector<std::string> outLines;
        std::string absent;  // a text that must not be printed
        std::string err;
    };
    const std::string grounded = "voltages: P_VDD=02 P_VPP=01 ";
    const Case cases[] = {
        {{},
         cli::kExitOk,
         {"transport: simulated writer (in-process USB)\n", "version: USB STANDALONE WRITER_V2.0\n",
          "firmware: 5B01\n", grounded + "DAC_VPP=CF DAC_WVDD=63 DAC_RVDD=53 DAC_LS=31\n",
          "voltage check: OK\n"},
         "",
         ""},
        // Only the newest writer gets the voltage check; the older board has no DACs.
        {{"--sim-version", "V1.0"},
         cli::kExitOk,
         {"version: USB STANDALONE WRITER_V1.0\n",
          grounded + "DAC_VPP=00 DAC_WVDD=00 DAC_RVDD=00 DAC_LS=00\n"},
         "voltage check",
         ""},
        {{"--sim-fault", "voltage"},
         cli::kExitFailed,
         {"voltage check: FAIL\n"},
         "",
         "vexlor-writer-cli: info: voltage check failed\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> words = c.options;
        words.push_back("info");
        const CliRun r = run(words);
        EXPECT_EQ(r.status, c.status) << r.err;
        for (const auto& line : c.outLines) {
            EXPECT_TRUE(r.printed(line)) << line << " missing in:\n" << r.out;
        }
        EXPECT_TRUE(c.absent.empty() || !r.printed(c.absent)) << r.out;
        EXPECT_EQ(r.err, c.err);
    }
}

TEST_F(WriterCommands, SimulatedWriterRunsTheShippedBaseFirmware) {
    scratch.writeBytes("firmware/20test.nce", sim::makeFirmwareImage(0x0123, 0));
    EXPECT_TRUE(run({"info"}).printed("firmware: 0123\n"));
    // A file of the wrong length is passed over.
    scratch.writeBytes("firmware/20test.nce", std::vector<std::uint8_t>(0x100, 0));
    EXPECT_TRUE(run({"info"}).printed("firmware: 5B01\n"));
}

TEST_F(WriterCommands, UsageErrorsEndWithStatusTwoAndOneReason) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--simulate"}, "vexlor-writer-cli: no command given"},
        {{"--simulate", "frobnicate"}, "vexlor-writer-cli: unknown command frobnicate"},
        {{"--base-dir", "/nonexistent/vexlor", "info"},
         "vexlor-writer-cli: base directory /nonexistent/vexlor does not exist"},
        {{"--sim-fault", "melt", "info"},
         "vexlor-writer-cli: unknown fault \"melt\" (fail, never-settle, corrupt, no-status, "
         "voltage, voltage-at-low, voltage-at-high, voltage-below-low, voltage-above-high, "
         "remove-after=N, fail-chip=N)"},
        {{"--base-dir"}, "vexlor-writer-cli: missing value after --base-dir"},
        {{"--colour", "info"}, "vexlor-writer-cli: unknown option --colour"},
    };
    for (const auto& [args, firstErrLine] : cases) {
        const CliRun r = cli.run(args);
        EXPECT_EQ(r.status, cli::kExitUsage);
        EXPECT_EQ(r.err.substr(0, r.err.find('\n')), firstErrLine);
        EXPECT_TRUE(r.out.empty());
    }
}

TEST_F(WriterCommands, CommandsRunInOrderAndStopAtTheFirstFailure) {
    const CliRun both = run({"devices", "info"});
    EXPECT_EQ(both.status, cli::kExitOk);
    const auto devices = both.out.find("usb (simulated): writer 7A5C:0C31 found\n");
    ASSERT_NE(devices, std::string::npos);
    EXPECT_LT(devices, both.out.find("transport: "));

    const CliRun stopped = run({"info", "devices"}, false);
    EXPECT_EQ(stopped.status, cli::kExitNoWriter);
    EXPECT_EQ(stopped.err, "vexlor-writer-cli: info: no writer found (see the devices command)\n");
    EXPECT_FALSE(stopped.printed("device files"));
}

// Each way to a writer is listed by devices and named by info.
TEST_F(WriterCommands, DevicesAndInfoOnEachTransport) {
    const CliRun none = run({"devices"}, false);
    EXPECT_EQ(none.status, cli::kExitOk);
    EXPECT_TRUE(
        none.printed("access library: " + cli.absentLibrary.string() + ": not installed\n"));
    EXPECT_TRUE(none.printed("device files: " + cli.devices.string() + ": none\n")) << none.out;

    {
        sim::test::DaemonProcess daemon(cli.devices, {"--version", "V1.1"});
        ASSERT_TRUE(daemon.waitForInterface(true));
        const std::string pipe = daemon.interfacePath().string();
        const CliRun r = run({"devices", "info"}, false);
        EXPECT_EQ(r.status, cli::kExitOk) << r.err;
        for (const std::string& line :
             {"  " + pipe + "\n", "transport: device files " + pipe + "\n",
              std::string("version: USB STANDALONE WRITER_V1.1\n"),
              std::string("firmware: 5B01\n")}) {
            EXPECT_TRUE(r.printed(line)) << line << r.out;
        }
    }

    cli.useAccessLibrary(VEXLOR_SIM_PLUGIN);
    const CliRun plugin = run({"devices", "info"}, false);
    EXPECT_EQ(plugin.status, cli::kExitOk) << plugin.err;
    const std::string library = VEXLOR_SIM_PLUGIN;
    EXPECT_TRUE(plugin.printed("access library: " + library + ": writer found"));
    EXPECT_TRUE(plugin.printed("transport: access library " + library));
    EXPECT_TRUE(plugin.printed("firmware: 5B01\n"));
}

TEST_F(WriterCommands, AWriterHeldByAnotherProgramIsBusy) {
    sim::test::DaemonProcess daemon(cli.devices);
    ASSERT_TRUE(daemon.waitForInterface(true));
    Diagnostics quiet;
    PipeTransport other(cli.devices, quiet);
    ASSERT_EQ(other.open(), OpenResult::Opened);
    const CliRun r = run({"info"}, false);
    EXPECT_EQ(r.status, cli::kExitNoWriter);
    EXPECT_TRUE(r.printed("writer busy")) << r.err;
}

// Which writer a command uses; that each has its own lock is the parallel_writers.sh test.
TEST_F(WriterCommands, WithSeveralWritersOneIsNamed) {
    sim::test::DaemonProcess a(cli.devices, {}, "a");
    sim::test::DaemonProcess b(cli.devices, {"--version", "V1.1"}, "b");
    ASSERT_TRUE(a.waitForInterface(true) && b.waitForInterface(true));
    const std::tuple<std::vector<std::string>, int, std::string> cases[] = {
        {{"writers"}, cli::kExitOk, "pipe:a\tpipe\tdevice-file interface a#{"},
        {{"info"}, cli::kExitBadInput, "choose one with --writer ID: pipe:a, pipe:b"},
        {{"--writer", "pipe:c", "info"},
         cli::kExitBadInput,
         "no writer pipe:c attached; attached: pipe:a, pipe:b"},
        {{"--writer", "pipe:b", "info"}, cli::kExitOk, "version: USB STANDALONE WRITER_V1.1\n"},
    };
    for (const auto& [words, status, shown] : cases) {
        const CliRun r = run(words, false);
        EXPECT_EQ(r.status, status) << r.err;
        EXPECT_TRUE(r.printed(shown)) << r.out << r.err;
    }
}

}  // namespace
}  // namespace vexlor::test
