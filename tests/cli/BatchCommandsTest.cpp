// run and log export on the in-process simulated writer.
#include <gtest/gtest.h>

#include <sstream>

#include "ScratchBase.h"
#include "core/base/Sha256.h"
#include "support/CliHarness.h"
#include "support/HexText.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

class BatchCli : public ::testing::Test {
  protected:
    void SetUp() override {
        layOutBase(scratch.path(), builtBaseDir());
        const auto program = scratch.write("prog.hex", hexText({0x12, 0x34, 0x56, 0x78}));
        job = scratch
                  .write("job.txt",
                         "chip = QRV7049\nprogram = prog.hex\nsha256 = " + *Sha256OfFile(program) +
                             "\nserial.length = 4\nserial.address = 100\n"
                             "serial.first = A0\nserial.count = 20\n")
                  .string();
    }

    CliRun run(std::vector<std::string> words) {
        words.insert(words.begin(), {"--simulate", "--base-dir", scratch.path().string()});
        return cli.run(words);
    }

    ScratchDir scratch;
    CliHarness cli{scratch.path()};
    std::string job;
};

TEST_F(BatchCli, TwentyChipsOverAStopAndARestartLeaveACompleteLogAndNoRepeats) {
    const CliRun first = run({"run", job, "--count", "8"});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_NE(first.out.find("000000A7 OK  (OK 8  NG 0  Total 8)"), std::string::npos);

    const CliRun rest = run({"--json", "run", job});
    ASSERT_EQ(rest.status, 0) << rest.err;
    EXPECT_NE(rest.err.find("continuing the interrupted run at S/N A8"), std::string::npos);
    EXPECT_NE(rest.out.find("\"stage\":\"Chip\",\"ok\":true,\"message\":\"000000B3 OK  (OK 14  "
                            "NG 0  Total 14)\""),
              std::string::npos)
        << rest.out;

    const CliRun again = run({"run", job});
    EXPECT_EQ(again.status, 4);
    EXPECT_NE(again.err.find("job.txt:6: S/N 000000A0 was already given"), std::string::npos)
        << again.err;

    const CliRun csv = run({"log", "export", "--csv", "-o", (scratch / "log.csv").string()});
    ASSERT_EQ(csv.status, 0) << csv.err;
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
    EXPECT_EQ(run({"run", (scratch / "bad.txt").string()}).status, 6);
    EXPECT_EQ(run({"log", "export", "--csv", "--since", "2026-02-30"}).status, 6);
}

}  // namespace
}  // namespace vexlor::test
