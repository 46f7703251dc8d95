// The serial commands and the production run of the tool on its in-process simulated writer.
#include <sstream>

#include "CliTest.h"
#include "core/base/Sha256.h"

namespace vexlor::test {
namespace {

class SerialCli : public CliTest {
  protected:
    // The words of a command line, split at spaces.
    CliRun run(const std::string& line) const {
        std::istringstream in(line);
        std::vector<std::string> words;
        for (std::string word; in >> word;) {
            words.push_back(word);
        }
        return CliTest::run(words);
    }
};

TEST_F(SerialCli, StandAloneRunOfFiveOverSixChipsWithOneFailure) {
    const CliRun r =
        run("--sim-fault fail-chip=3 select QRV7049 load @prog.hex serial set --length 4 "
            "--start-address 100 --first a0 --amount 5 serial run --count 6");
    EXPECT_EQ(r.status, cli::kExitJobFail) << r.err;
    for (const char* shown :
         {"numbers 000000a0 to 000000A4 (5), loaded into the writer",
          "chip 2: 000000A1 OK\nchip 3: FAIL\nchip 4: 000000A2 OK\n",
          "chip 6: 000000A4 OK\nMessage: Serial Number Program Complete\nOK 5  NG 1  Total 6\n"}) {
        EXPECT_NE(r.out.find(shown), std::string::npos) << shown << "\n" << r.out;
    }
}

TEST_F(SerialCli, DisplaySerialNumberRunsOnlyAfterSetAndLoad) {
    const CliRun early = run("select QRV7049 --display-serial load @prog.hex serial run --count 1");
    EXPECT_EQ(early.status, cli::kExitRefused);
    EXPECT_NE(early.err.find("no run: give serial set and then load first"), std::string::npos);

    const std::string set =
        "select QRV7049 --display-serial serial set --length 2 --start-address 200 --first 1"
        " --amount 3 load @prog.hex";
    const CliRun direct = run(set + " auto");
    EXPECT_EQ(direct.status, cli::kExitRefused);
    EXPECT_NE(direct.err.find("program chips with serial run"), std::string::npos);

    const CliRun full = run(set + " serial run --count 3 serial info");
    EXPECT_EQ(full.status, cli::kExitOk) << full.err;
    for (const char* shown : {"goes with the next load", "OK 3  NG 0  Total 3",
                              "current 0004, end 0004, numbers left 0"}) {
        EXPECT_NE(full.out.find(shown), std::string::npos) << shown << "\n" << full.out;
    }
}

TEST_F(SerialCli, TwentyChipsOverAStopAndARestartLeaveACompleteLogAndNoRepeats) {
    scratch.write("job.txt", "chip = QRV7049\nprogram = prog.hex\nsha256 = " +
                                 *Sha256OfFile(scratch / "prog.hex") +
                                 "\nserial.length = 4\nserial.address = 100\n"
                                 "serial.first = A0\nserial.count = 20\n");
    const CliRun first = run("run @job.txt --count 8");
    ASSERT_EQ(first.status, cli::kExitOk) << first.err;
    EXPECT_NE(first.out.find("000000A7 OK  (OK 8  NG 0  Total 8)"), std::string::npos);

    const CliRun rest = run("--json run @job.txt");
    ASSERT_EQ(rest.status, cli::kExitOk) << rest.err;
    EXPECT_NE(rest.err.find("continuing the interrupted run at S/N A8"), std::string::npos);
    EXPECT_NE(rest.out.find("\"stage\":\"Chip\",\"ok\":true,\"message\":\"000000B3 OK  (OK 14  "
                            "NG 0  Total 14)\""),
              std::string::npos)
        << rest.out;

    const CliRun again = run("run @job.txt");
    EXPECT_EQ(again.status, cli::kExitRefused);
    EXPECT_NE(again.err.find("job.txt:6: S/N 000000A0 was already given"), std::string::npos)
        << again.err;

    ASSERT_EQ(run("log export --csv -o @log.csv").status, cli::kExitOk);
    std::istringstream lines(readText(scratch / "log.csv"));
    std::string line;
    std::getline(lines, line);
    int serial = 0xA0;
    for (; std::getline(lines, line); ++serial) {
        char expected[32];
        std::snprintf(expected, sizeof expected, ",%08X,OK,\r", serial);
        EXPECT_NE(line.find(",simulated,QRV7049,"), std::string::npos) << line;
        EXPECT_TRUE(line.ends_with(expected)) << line;
    }
    EXPECT_EQ(serial, 0xA0 + 20);

    scratch.write("bad.txt", "chip = QRV7049\nspeed = 9\n");
    EXPECT_EQ(run("run @bad.txt").status, cli::kExitBadInput);
    EXPECT_EQ(run("log export --csv --since 2026-02-30").status, cli::kExitBadInput);
}

}  // namespace
}  // namespace vexlor::test
