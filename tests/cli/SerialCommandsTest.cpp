// The serial commands of the command-line tool on its in-process simulated writer.
#include <gtest/gtest.h>

#include <sstream>

#include "ScratchBase.h"
#include "support/CliHarness.h"
#include "support/HexText.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

class SerialCli : public ::testing::Test {
  protected:
    void SetUp() override {
        layOutBase(scratch.path(), builtBaseDir());
        program = scratch.write("prog.hex", hexText({0x12, 0x34, 0x56, 0x78})).string();
    }

    // The words of a command line; PROG stands for the program file.
    CliRun run(const std::string& line) {
        std::vector<std::string> args{"--simulate", "--base-dir", scratch.path().string()};
        std::istringstream words(line);
        for (std::string word; words >> word;) {
            args.push_back(word == "PROG" ? program : word);
        }
        return cli.run(args);
    }

    ScratchDir scratch;
    CliHarness cli{scratch.path()};
    std::string program;
};

TEST_F(SerialCli, StandAloneRunOfFiveOverSixChipsWithOneFailure) {
    const CliRun r = run(
        "--sim-fault fail-chip=3 select QRV7049 load PROG serial set --length 4 --start-address 100"
        " --first a0 --amount 5 serial run --count 6");
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_NE(r.out.find("numbers 000000a0 to 000000A4 (5), loaded into the writer"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("chip 2: 000000A1 OK\nchip 3: FAIL\nchip 4: 000000A2 OK\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("chip 6: 000000A4 OK\nMessage: Serial Number Program Complete\n"
                         "OK 5  NG 1  Total 6\n"),
              std::string::npos)
        << r.out;
}

TEST_F(SerialCli, DisplaySerialNumberRunsOnlyAfterSetAndLoad) {
    const CliRun early = run("select QRV7049 --display-serial load PROG serial run --count 1");
    EXPECT_EQ(early.status, 4);
    EXPECT_NE(early.err.find("no run: give serial set and then load first"), std::string::npos);

    const std::string set =
        "select QRV7049 --display-serial serial set --length 2 --start-address 200 --first 1"
        " --amount 3 load PROG";
    const CliRun direct = run(set + " auto");
    EXPECT_EQ(direct.status, 4);
    EXPECT_NE(direct.err.find("program chips with serial run"), std::string::npos);

    const CliRun full = run(set + " serial run --count 3 serial info");
    EXPECT_EQ(full.status, 0) << full.err;
    EXPECT_NE(full.out.find("goes with the next load"), std::string::npos);
    EXPECT_NE(full.out.find("OK 3  NG 0  Total 3"), std::string::npos);
    EXPECT_NE(full.out.find("current 0004, end 0004, numbers left 0"), std::string::npos)
        << full.out;
}

TEST_F(SerialCli, BadArgumentsAreRefusedBeforeAnythingRuns) {
    const struct {
        const char* line;
        const char* error;
    } cases[] = {
        {"select QRV7049 serial set --length 4", "serial set needs --start"},
        {"select QRV7049 serial set --colour 4", "unknown serial option"},
        {"select QRV7049 serial run --count 0", "--count needs a number"},
        {"select QRV7049 serial frob", "serial takes set, run or info"},
        {"select QRV7049 serial set --length 2 --start-address 0 --first 12345 --amount 1",
         "--first has more digits"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(c.line);
        EXPECT_EQ(r.status, 6) << c.error;
        EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace vexlor::test
