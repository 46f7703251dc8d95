// The job commands on the tool's in-process simulated writer: what a production script sees.
#include <regex>
#include <sstream>

#include "CliTest.h"

namespace vexlor::test {
namespace {

using JobCommands = CliTest;

TEST_F(JobCommands, AFailedVoltageCheckIsShownBeforeTheFirstJob) {
    const CliRun result = run({"--sim-fault", "voltage", "select", "QRV7049", "load", "@prog.hex"});
    const auto warning = result.out.find("Writer voltage check failed.");
    ASSERT_NE(warning, std::string::npos) << result.out << result.err;
    EXPECT_LT(warning, result.out.find("Message: Loading Data Ok")) << result.out;
}

// A flat JSON object of string, number and boolean values, as the event lines are.
bool isEventLine(const std::string& line) {
    static const std::regex object(
        R"(\{"event":"[a-z-]+","t":[0-9]+(,"[a-z]+":([0-9]+|true|false|"([^"\\]|\\.)*"))*\})");
    return std::regex_match(line, object);
}

TEST_F(JobCommands, JsonRunPrintsOnlyEventLinesEndingInTheRunResult) {
    const CliRun result = run({"--json", "select", "QRV7049", "load", "@prog.hex", "program"});
    ASSERT_EQ(result.status, 0) << result.err;
    std::istringstream lines(result.out);
    std::string last;
    for (std::string line; std::getline(lines, line); last = line) {
        EXPECT_TRUE(isEventLine(line)) << line;
    }
    for (const char* event :
         {R"("stage":"Program","ok":true,"message":"Program OK"})",
          R"("stage":"Download","ok":true)", R"("message":"Message: Loading Data Ok"})"}) {
        EXPECT_NE(result.out.find(event), std::string::npos) << event;
    }
    EXPECT_TRUE(last.ends_with(R"("stage":"run","ok":true,"message":""})")) << last;
    // What people read goes to the error stream instead.
    EXPECT_NE(result.err.find("Message: Program OK"), std::string::npos) << result.err;

    const CliRun failed =
        run({"--json", "--sim-fault", "fail", "select", "QRV7049", "load", "@prog.hex", "program"});
    EXPECT_EQ(failed.status, cli::kExitJobFail);
    EXPECT_TRUE(failed.out.ends_with(
        R"("stage":"run","ok":false,"message":"program: the writer reported FAIL"})"
        "\n"))
        << failed.out;
}

TEST_F(JobCommands, ReadAsksBeforeReplacingAnExistingFile) {
    scratch.write("out.otp", "keep me");
    const CliRun refused = run({"select", "QRV7049", "load", "@prog.hex", "read", "@out.otp"});
    EXPECT_EQ(refused.status, cli::kExitRefused);
    EXPECT_FALSE(refused.printed("Read OK")) << "refused before reading";
    EXPECT_EQ(readText(scratch / "out.otp"), "keep me");
    for (const char* agree : {"--force", "--yes"}) {
        const CliRun r = run({agree, "select", "QRV7049", "load", "@prog.hex", "read", "@out.otp"});
        EXPECT_EQ(r.status, cli::kExitOk) << agree << "\n" << r.out << r.err;
        EXPECT_NE(readText(scratch / "out.otp"), "keep me") << agree;
        scratch.write("out.otp", "keep me");
    }
}

TEST_F(JobCommands, DiagnosticsOnlyWithVerboseAndNeverOnStandardOutput) {
    const std::string transfer = "success: bulk write";
    for (const bool verbose : {false, true}) {
        std::vector<std::string> words{"select", "QRV7049", "load", "@prog.hex"};
        if (verbose) {
            words.insert(words.begin(), "--verbose");
        }
        const CliRun result = run(words);
        EXPECT_EQ(result.status, 0) << result.out << result.err;
        EXPECT_NE(result.out.find("Loading Data Ok"), std::string::npos) << verbose;
        EXPECT_EQ(result.out.find(transfer), std::string::npos) << verbose;
        EXPECT_EQ(result.err.find(transfer) != std::string::npos, verbose) << result.err;
    }
}

TEST_F(JobCommands, ConvertPrintsChecksumDescriptionAndResult) {
    // Header words 0xFFFF and 0x0001 leave 0x8005; the data word 0x8005 clears it and 0x0100
    // leaves 0x0100 * x^16 mod P = 0x8603.
    std::vector<std::uint8_t> file(36, 0);
    file[0] = file[1] = 0xFF;
    file[30] = 0x01;
    file[32] = 0x05;
    file[33] = 0x80;
    file[35] = 0x01;
    const auto program = scratch.writeBytes("prog.otp", file);
    const CliRun result = run({"select", "QRV7034", "convert", "@prog.otp"});
    EXPECT_EQ(result.status, cli::kExitOk) << result.err;
    EXPECT_TRUE(result.printed("checksum 8603\ndescription " + program.string() + "\nresult 0\n"))
        << result.out;
    EXPECT_EQ(readBytes(scratch / "buffer_data.prog"),
              (std::vector<std::uint8_t>{0x80, 0x05, 0x01, 0x00}));
}

TEST_F(JobCommands, ConvertTakesTheOptionWordElseTheChipsDefault) {
    for (const auto& [words, value] :
         {std::pair<std::vector<std::string>, std::uint8_t>{{"--option-word", "0x62"}, 0x62},
          {{"--option-word", "7"}, 0x07},
          {{}, 0x60}}) {
        std::vector<std::string> line = words;
        line.insert(line.end(), {"select", "QRV7049", "convert", "@prog.hex"});
        ASSERT_EQ(run(line).status, cli::kExitOk);
        EXPECT_EQ(readBytes(scratch / "buffer_option.prog").at(0x24), value) << value;
    }
}

}  // namespace
}  // namespace vexlor::test
