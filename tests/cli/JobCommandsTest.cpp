// The job commands on the tool's in-process simulated writer: what a production script sees.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "ScratchBase.h"
#include "support/CliHarness.h"
#include "support/HexText.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

class JobCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        layOutBase(scratch.path(), builtBaseDir());
        scratch.write("prog.hex", hexText({0x12, 0x34, 0x56, 0x78}));
    }
    // Words naming files are taken relative to the scratch base directory.
    CliRun run(std::vector<std::string> words, bool simulate = true) {
        std::vector<std::string> args{"--base-dir", scratch.path().string()};
        if (simulate) {
            args.push_back("--simulate");
        }
        for (const std::string& word : words) {
            const bool file = word.find('.') != std::string::npos && word[0] != '-';
            args.push_back(file ? (scratch / word).string() : word);
        }
        return cli.run(args);
    }

    ScratchDir scratch;
    CliHarness cli{scratch.path()};
};

TEST_F(JobCommands, ExitStatusesAProductionScriptCanTellApart) {
    struct Case {
        std::vector<std::string> words;
        int status;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {{"select", "QRV7049", "load", "prog.hex", "program", "verify"},
         0,
         {"Message: Loading Data Ok", "Message: Program OK", "Message: Verify OK"}},
        {{"select", "QRV7049", "load", "prog.hex", "auto"}, 0, {"Message: Auto OK"}},
        {{"--sim-fault", "fail", "select", "QRV7049", "load", "prog.hex", "program"},
         3,
         {"Message: Program FAIL"}},
        {{"select", "QRV7049", "program"}, 4, {"HW and SW Chip Name is discordant"}},
        // The writer vanishes once loaded: during the chip-name check, then inside the job.
        {{"--sim-fault", "remove-after=203500", "select", "QRV7049", "load", "prog.hex", "program"},
         5,
         {"no writer (it stopped answering)"}},
        {{"--sim-fault", "remove-after=204200", "select", "QRV7049", "load", "prog.hex", "program"},
         5,
         {"Message: Program FAIL", "no writer (it stopped answering)"}},
        {{"program"}, 4, {"no chip selected"}},
        {{"select", "QRV7049", "load", "missing.hex"}, 6, {"no program file"}},
        {{"select", "QRV7049", "protect", "maybe"}, 6, {"on or off"}},
        {{"select", "QRV7049", "load", "prog.hex", "protect", "on"}, 0, {"Message: Set Select OK"}},
    };
    for (const Case& c : cases) {
        const CliRun result = run(c.words);
        EXPECT_EQ(result.status, c.status) << c.words.back() << "\n" << result.out << result.err;
        for (const std::string& text : c.shown) {
            EXPECT_TRUE(result.printed(text)) << c.words.back() << ": " << text;
        }
    }
    EXPECT_EQ(run({"select", "QRV7049", "program"}, false).status, 5);
}

TEST_F(JobCommands, AFailedVoltageCheckIsShownBeforeTheFirstJob) {
    const CliRun result = run({"--sim-fault", "voltage", "select", "QRV7049", "load", "prog.hex"});
    const auto warning = result.out.find("Writer voltage check failed.");
    ASSERT_NE(warning, std::string::npos) << result.out << result.err;
    EXPECT_LT(warning, result.out.find("Message: Loading Data Ok")) << result.out;
}

TEST_F(JobCommands, ChipInfoAndCompareExitStatuses) {
    std::vector<std::uint8_t> image = qn3244Image();
    scratch.write("word.hex", hexText(image));
    image[0x20] ^= 0x01;
    scratch.write("changed.hex", hexText(image));
    const struct {
        std::vector<std::string> words;
        int status;
        const char* shown;
    } cases[] = {
        {{"select", "QN3244", "load", "word.hex", "compare", "word.hex"}, 0, "Compare Result : OK"},
        {{"select", "QN3244", "load", "word.hex", "compare", "changed.hex"},
         7,
         "Compare Result : Fail"},
        {{"select", "QN3244", "load", "word.hex", "compare", "missing.hex"}, 6, "no program file"},
        {{"select", "QN3244", "load", "word.hex", "program", "chipinfo"}, 0, "ID : 5503"},
        {{"chipinfo"}, 4, "no chip selected"},
    };
    for (const auto& c : cases) {
        const CliRun result = run(c.words);
        EXPECT_EQ(result.status, c.status) << c.words.back() << "\n" << result.out << result.err;
        EXPECT_TRUE(result.printed(c.shown)) << c.shown << "\n" << result.out;
    }
}

// A flat JSON object of string, number and boolean values, as the event lines are.
bool isEventLine(const std::string& line) {
    static const std::regex object(
        R"(\{"event":"[a-z-]+","t":[0-9]+(,"[a-z]+":([0-9]+|true|false|"([^"\\]|\\.)*"))*\})");
    return std::regex_match(line, object);
}

TEST_F(JobCommands, JsonRunPrintsOnlyEventLinesEndingInTheRunResult) {
    const CliRun result = run({"--json", "select", "QRV7049", "load", "prog.hex", "program"});
    ASSERT_EQ(result.status, 0) << result.err;
    std::istringstream lines(result.out);
    std::vector<std::string> events;
    for (std::string line; std::getline(lines, line);) {
        EXPECT_TRUE(isEventLine(line)) << line;
        events.push_back(line);
    }
    ASSERT_FALSE(events.empty());
    EXPECT_NE(result.out.find(R"("stage":"Program","ok":true,"message":"Program OK"})"),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find(R"("stage":"Download","ok":true)"), std::string::npos);
    EXPECT_NE(result.out.find(R"("message":"Message: Loading Data Ok"})"), std::string::npos);
    EXPECT_TRUE(events.back().ends_with(R"("stage":"run","ok":true,"message":""})"))
        << events.back();
    // What people read goes to the error stream instead.
    EXPECT_NE(result.err.find("Message: Program OK"), std::string::npos) << result.err;

    const CliRun failed =
        run({"--json", "--sim-fault", "fail", "select", "QRV7049", "load", "prog.hex", "program"});
    EXPECT_EQ(failed.status, 3);
    EXPECT_TRUE(failed.out.ends_with(
        R"("stage":"run","ok":false,"message":"program: the writer reported FAIL"})"
        "\n"))
        << failed.out;
}

}  // namespace
}  // namespace vexlor::test
