// The command-line tool, run in-process with captured output.
#include <gtest/gtest.h>

#include <sstream>

#include "DaemonProcess.h"
#include "cli/CliRunner.h"
#include "sim/SimFirmwareImage.h"
#include "support/ScratchDir.h"

namespace vexlor::cli {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun runWith(const std::vector<std::string>& args, const WriterPaths& paths) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = runCli(args, out, err, paths);
    return {status, out.str(), err.str()};
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class Cli : public ::testing::Test {
  protected:
    CliRun run(const std::vector<std::string>& args) const { return runWith(args, paths); }

    vexlor::test::ScratchDir scratch;
    std::string base = scratch.path().string();
    // Nothing real is reachable: an empty device directory and no access library.
    WriterPaths paths{scratch / "devices", scratch / "none.so"};
};

TEST_F(Cli, InfoOnTheSimulatedWriters) {
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
        std::vector<std::string> args{"--simulate", "--base-dir", base};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back("info");
        const CliRun r = run(args);
        EXPECT_EQ(r.status, c.status) << r.err;
        for (const auto& line : c.outLines) {
            EXPECT_TRUE(has(r.out, line)) << line << " missing in:\n" << r.out;
        }
        if (!c.absent.empty()) {
            EXPECT_FALSE(has(r.out, c.absent)) << r.out;
        }
        EXPECT_EQ(r.err, c.err);
    }
}

TEST_F(Cli, SimulatedWriterRunsTheShippedBaseFirmware) {
    scratch.writeBytes("firmware/20test.nce", sim::makeFirmwareImage(0x0123, 0));
    const CliRun shipped = run({"--simulate", "--base-dir", base, "info"});
    EXPECT_TRUE(has(shipped.out, "firmware: 0123\n")) << shipped.out;
    // A file of the wrong length is passed over.
    scratch.writeBytes("firmware/20test.nce", Bytes(0x100, 0));
    const CliRun generated = run({"--simulate", "--base-dir", base, "info"});
    EXPECT_TRUE(has(generated.out, "firmware: 5B01\n")) << generated.out;
}

TEST_F(Cli, UsageErrorsEndWithStatusTwoAndOneReason) {
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
         "vexlor-writer-cli: unknown fault \"melt\" (fail, never-settle, corrupt, voltage, "
         "remove-after=N, fail-chip=N)"},
        {{"--base-dir"}, "vexlor-writer-cli: missing value after --base-dir"},
        {{"--colour", "info"}, "vexlor-writer-cli: unknown option --colour"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err.substr(0, r.err.find('\n')), c.firstErrLine);
        EXPECT_TRUE(r.out.empty());
    }
}

TEST_F(Cli, CommandsRunInOrderAndStopAtTheFirstFailure) {
    const CliRun both = run({"--simulate", "--base-dir", base, "devices", "info"});
    EXPECT_EQ(both.status, 0);
    const auto devices = both.out.find("usb (simulated): writer 7A5C:0C31 found\n");
    const auto info = both.out.find("transport: ");
    ASSERT_NE(devices, std::string::npos);
    ASSERT_NE(info, std::string::npos);
    EXPECT_LT(devices, info);

    const CliRun stopped = run({"--base-dir", base, "info", "devices"});
    EXPECT_EQ(stopped.status, 5);
    EXPECT_EQ(stopped.err, "vexlor-writer-cli: info: no writer found (see the devices command)\n");
    EXPECT_FALSE(has(stopped.out, "device files"));
}

TEST_F(Cli, DevicesWithNothingAttached) {
    const CliRun r = run({"--base-dir", base, "devices"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(has(r.out, "access library: " + base + "/none.so: not installed\n")) << r.out;
    EXPECT_TRUE(has(r.out, "device files: " + base + "/devices: none\n")) << r.out;
}

TEST_F(Cli, InfoThroughThePlugin) {
    paths.accessLibrary = VEXLOR_SIM_PLUGIN;
    const CliRun r = run({"--base-dir", base, "devices", "info"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(r.out, std::string("access library: ") + VEXLOR_SIM_PLUGIN + ": writer found"));
    EXPECT_TRUE(has(r.out, std::string("transport: access library ") + VEXLOR_SIM_PLUGIN));
    EXPECT_TRUE(has(r.out, "firmware: 5B01\n"));
}

TEST_F(Cli, InfoOverTheDaemonsPipes) {
    vexlor::sim::test::DaemonProcess daemon(scratch / "devices", {"--version", "V1.1"});
    ASSERT_TRUE(daemon.waitForInterface(true));
    const CliRun r = run({"--base-dir", base, "devices", "info"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(has(r.out, "  " + daemon.interfacePath().string() + "\n")) << r.out;
    EXPECT_TRUE(has(r.out, "transport: device files " + daemon.interfacePath().string() + "\n"))
        << r.out;
    EXPECT_TRUE(has(r.out, "version: USB STANDALONE WRITER_V1.1\n"));
    EXPECT_TRUE(has(r.out, "firmware: 5B01\n"));
}

}  // namespace
}  // namespace vexlor::cli
