// The writer commands (devices, info) and the tool's own usage rules, on the simulated writers.
#include <gtest/gtest.h>

#include <tuple>

#include "DaemonProcess.h"
#include "cli/CliRunner.h"
#include "cli/JobCommands.h"
#include "core/writer/PipeTransport.h"
#include "sim/SimFirmwareImage.h"
#include "support/CliHarness.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

class WriterCommands : public ::testing::Test {
  protected:
    CliRun run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--base-dir", base});
        return cli.run(arguments);
    }

    ScratchDir scratch;
    CliHarness cli{scratch.path()};
    std::string base = scratch.path().string();
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
         0,
         {"transport: simulated writer (in-process USB)\n", "version: USB STANDALONE WRITER_V2.0\n",
          "firmware: 5B01\n", grounded + "DAC_VPP=CF DAC_WVDD=63 DAC_RVDD=53 DAC_LS=31\n",
          "voltage check: OK\n"},
         "",
         ""},
        // Only the newest writer gets the voltage check; the older board has no DACs.
        {{"--sim-version", "V1.0"},
         0,
         {"version: USB STANDALONE WRITER_V1.0\n",
          grounded + "DAC_VPP=00 DAC_WVDD=00 DAC_RVDD=00 DAC_LS=00\n"},
         "voltage check",
         ""},
        // An unknown version: addressed reads are not sent on the own path and give 0.
        {{"--sim-version", "USB STANDALONE WRITER_V9.9"},
         0,
         {"version: USB STANDALONE WRITER_V9.9\n", "firmware: 0000\n"},
         "voltage check",
         ""},
        {{"--sim-fault", "voltage"},
         1,
         {"voltage check: FAIL\n"},
         "",
         "vexlor-writer-cli: info: voltage check failed\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"--simulate"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back("info");
        const CliRun r = run(args);
        EXPECT_EQ(r.status, c.status) << r.err;
        for (const auto& line : c.outLines) {
            EXPECT_TRUE(r.printed(line)) << line << " missing in:\n" << r.out;
        }
        if (!c.absent.empty()) {
            EXPECT_FALSE(r.printed(c.absent)) << r.out;
        }
        EXPECT_EQ(r.err, c.err);
    }
}

TEST_F(WriterCommands, SimulatedWriterRunsTheShippedBaseFirmware) {
    scratch.writeBytes("firmware/20test.nce", sim::makeFirmwareImage(0x0123, 0));
    EXPECT_TRUE(run({"--simulate", "info"}).printed("firmware: 0123\n"));
    // A file of the wrong length is passed over.
    scratch.writeBytes("firmware/20test.nce", std::vector<std::uint8_t>(0x100, 0));
    EXPECT_TRUE(run({"--simulate", "info"}).printed("firmware: 5B01\n"));
}

TEST_F(WriterCommands, UsageErrorsEndWithStatusTwoAndOneReason) {
    struct Case {
        std::vector<std::string> args;
        std::string firstErrLine;
    };
    const Case cases[] = {
        {{"--simulate"}, "vexlor-writer-cli: no command given"},
        {{"--simulate", "frobnicate"}, "vexlor-writer-cli: unknown command frobnicate"},
        {{"--base-dir", "/nonexistent/vexlor", "info"},
         "vexlor-writer-cli: base directory /nonexistent/vexlor does not exist"},
        {{"--sim-fault", "melt", "info"},
         "vexlor-writer-cli: unknown fault \"melt\" (fail, never-settle, corrupt, no-status, "
         "voltage, "
         "voltage-at-low, voltage-at-high, voltage-below-low, voltage-above-high, "
         "remove-after=N, fail-chip=N)"},
        {{"--base-dir"}, "vexlor-writer-cli: missing value after --base-dir"},
        {{"--colour", "info"}, "vexlor-writer-cli: unknown option --colour"},
    };
    for (const auto& c : cases) {
        const CliRun r = cli.run(c.args);
        EXPECT_EQ(r.status, cli::kExitUsage);
        EXPECT_EQ(r.err.substr(0, r.err.find('\n')), c.firstErrLine);
        EXPECT_TRUE(r.out.empty());
    }
}

TEST_F(WriterCommands, CommandsRunInOrderAndStopAtTheFirstFailure) {
    const CliRun both = run({"--simulate", "devices", "info"});
    EXPECT_EQ(both.status, cli::kExitOk);
    const auto devices = both.out.find("usb (simulated): writer 7A5C:0C31 found\n");
    const auto info = both.out.find("transport: ");
    ASSERT_NE(devices, std::string::npos);
    ASSERT_NE(info, std::string::npos);
    EXPECT_LT(devices, info);

    const CliRun stopped = run({"info", "devices"});
    EXPECT_EQ(stopped.status, cli::kExitNoWriter);
    EXPECT_EQ(stopped.err, "vexlor-writer-cli: info: no writer found (see the devices command)\n");
    EXPECT_FALSE(stopped.printed("device files"));
}

TEST_F(WriterCommands, DevicesWithNothingAttached) {
    const CliRun r = run({"devices"});
    EXPECT_EQ(r.status, cli::kExitOk);
    EXPECT_TRUE(r.printed("access library: " + cli.absentLibrary.string() + ": not installed\n"));
    EXPECT_TRUE(r.printed("device files: " + cli.devices.string() + ": none\n")) << r.out;
}

TEST_F(WriterCommands, InfoThroughThePlugin) {
    cli.useAccessLibrary(VEXLOR_SIM_PLUGIN);
    const CliRun r = run({"devices", "info"});
    EXPECT_EQ(r.status, cli::kExitOk) << r.err;
    EXPECT_TRUE(r.printed(std::string("access library: ") + VEXLOR_SIM_PLUGIN + ": writer found"));
    EXPECT_TRUE(r.printed(std::string("transport: access library ") + VEXLOR_SIM_PLUGIN));
    EXPECT_TRUE(r.printed("firmware: 5B01\n"));
}

TEST_F(WriterCommands, InfoOverTheDaemonsPipes) {
    sim::test::DaemonProcess daemon(cli.devices, {"--version", "V1.1"});
    ASSERT_TRUE(daemon.waitForInterface(true));
    const CliRun r = run({"devices", "info"});
    EXPECT_EQ(r.status, cli::kExitOk) << r.err;
    EXPECT_TRUE(r.printed("  " + daemon.interfacePath().string() + "\n")) << r.out;
    EXPECT_TRUE(r.printed("transport: device files " + daemon.interfacePath().string() + "\n"));
    EXPECT_TRUE(r.printed("version: USB STANDALONE WRITER_V1.1\n"));
    EXPECT_TRUE(r.printed("firmware: 5B01\n"));
}

TEST_F(WriterCommands, AWriterHeldByAnotherProgramIsBusy) {
    sim::test::DaemonProcess daemon(cli.devices);
    ASSERT_TRUE(daemon.waitForInterface(true));
    Diagnostics quiet;
    PipeTransport other(cli.devices, quiet);
    ASSERT_EQ(other.open(), OpenResult::Opened);
    const CliRun r = run({"info"});
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
        const CliRun r = run(words);
        EXPECT_EQ(r.status, status) << r.err;
        EXPECT_TRUE(r.printed(shown)) << r.out << r.err;
    }
}

}  // namespace
}  // namespace vexlor::test
