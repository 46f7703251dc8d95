// The chip commands over a small hand-written data directory.
#include <gtest/gtest.h>

#include "cli/CliRunner.h"
#include "cli/JobCommands.h"
#include "support/CliHarness.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

class ChipCommands : public ::testing::Test {
  protected:
    void SetUp() override { scratch.copyData("cli/chips"); }
    CliRun run(std::vector<std::string> commands) {
        commands.insert(commands.begin(), {"--base-dir", scratch.path().string()});
        return cli.run(commands);
    }

    ScratchDir scratch;
    CliHarness cli{scratch.path()};
};

// Which chips match is the catalogue search's rule; the command prints them and hands the
// next word on when it is a command name.
TEST_F(ChipCommands, ChipsPrintsTypeSeriesAndNameAndStopsAtTheNextCommand) {
    const CliRun result = run({"chips", "2A", "chips", "chips", "B"});
    EXPECT_EQ(result.status, cli::kExitOk) << result.err;
    EXPECT_EQ(result.out,
              "MTP / QR42 MTP / QR42A\n"
              "OTP / QR31 OTP / QR31A\nOTP / QR31 OTP / QR31B\nMTP / QR42 MTP / QR42A\n"
              "OTP / QR31 OTP / QR31B\n");
}

TEST_F(ChipCommands, ChipPrintsItsKeysAndParametersInHex) {
    const CliRun result = run({"chip", "QR31A"});
    ASSERT_EQ(result.status, cli::kExitOk) << result.err;
    for (const char* line :
         {"chip: OTP / QR31 OTP / QR31A\n", "  HextoBinMode = 12\n", "  FW_File = r31.nce\n",
          "  IC_FileType = Hex (*.hex)|*.hex|All (*.*)|*.*||\n", "  Inside_Number = 0x1A\n",
          "  Device_ID = 0x3101, 0xAB\n", "  P_VDD = 5.5\n", "  CFG_Address = 0x0\n"}) {
        EXPECT_TRUE(result.printed(line)) << line;
    }
}

TEST_F(ChipCommands, FailuresGiveOneLineReasons) {
    struct Case {
        std::vector<std::string> commands;
        std::string err;
        std::string out;
        int status;
    };
    const Case cases[] = {
        {{"chip", "qr31a"}, "chip: qr31a is not in the chip catalogue\n", "", cli::kExitBadInput},
        {{"chip", "QR31B"},
         "chip: can't read the IC information of QR31B\n",
         "Open *.ic Fail\n" + (scratch / "ICInfo" / "QR31B.ic").string() + "\n",
         cli::kExitFailed},
        {{"chips", "X"}, "chips: no chip name contains \"X\"\n", "", cli::kExitFailed},
    };
    for (const Case& c : cases) {
        const CliRun result = run(c.commands);
        EXPECT_EQ(result.status, c.status) << c.commands.back();
        EXPECT_EQ(result.err, "vexlor-writer-cli: " + c.err);
        EXPECT_EQ(result.out, c.out);
    }
    std::filesystem::remove(scratch / "ChipList/KLW20_mcu.xml");
    const CliRun missing = run({"chips"});
    EXPECT_EQ(missing.status, cli::kExitFailed);
    EXPECT_TRUE(missing.printed("can't read the chip catalogue"));
}

}  // namespace
}  // namespace vexlor::test
