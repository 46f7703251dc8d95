// The chip and select commands over small hand-written catalogues. Which chips match a search
// and which modes a chip allows are core's rules; here the commands print what core decided,
// keep the selection and print their refusals.
#include "CliTest.h"
#include "SelectFixture.h"

namespace vexlor::test {
namespace {

struct Refusal {
    std::vector<std::string> words;
    std::string err;
    std::string out;
    int status;
};

class CatalogueCommands : public CliTest {
  protected:
    void expectRefusals(const std::vector<Refusal>& cases) const {
        for (const Refusal& c : cases) {
            const CliRun result = run(c.words);
            EXPECT_EQ(result.status, c.status) << c.words.back();
            EXPECT_EQ(result.err, "vexlor-writer-cli: " + c.err);
            EXPECT_EQ(result.out, c.out) << c.words.back();
        }
    }
};

class ChipCommands : public CatalogueCommands {
  protected:
    void SetUp() override { scratch.copyData("cli/chips"); }
};

class SelectCommands : public CatalogueCommands {
  protected:
    void SetUp() override {
        WriteSampleCatalogue(scratch);
        for (const char* picture : {"QV3a1", "QV115", "QV5d1"}) {
            scratch.write(std::string("res/ICPicture/") + picture + ".jpg", "picture");
        }
    }
};

// A search word is followed by the next command's name, which the command hands on.
TEST_F(ChipCommands, ChipsPrintsTypeSeriesAndNameAndStopsAtTheNextCommand) {
    const CliRun result = run({"chips", "2A", "chips", "chips", "B"}, false);
    EXPECT_EQ(result.status, cli::kExitOk) << result.err;
    EXPECT_EQ(result.out,
              "MTP / QR42 MTP / QR42A\n"
              "OTP / QR31 OTP / QR31A\nOTP / QR31 OTP / QR31B\nMTP / QR42 MTP / QR42A\n"
              "OTP / QR31 OTP / QR31B\n");
}

TEST_F(ChipCommands, ChipPrintsItsKeysAndParametersInHex) {
    const CliRun result = run({"chip", "QR31A"}, false);
    ASSERT_EQ(result.status, cli::kExitOk) << result.err;
    for (const char* line :
         {"chip: OTP / QR31 OTP / QR31A\n", "  HextoBinMode = 12\n", "  FW_File = r31.nce\n",
          "  IC_FileType = Hex (*.hex)|*.hex|All (*.*)|*.*||\n", "  Inside_Number = 0x1A\n",
          "  Device_ID = 0x3101, 0xAB\n", "  P_VDD = 5.5\n", "  CFG_Address = 0x0\n"}) {
        EXPECT_TRUE(result.printed(line)) << line;
    }
}

TEST_F(ChipCommands, FailuresGiveOneLineReasons) {
    expectRefusals({
        {{"chip", "qr31a"}, "chip: qr31a is not in the chip catalogue\n", "", cli::kExitBadInput},
        {{"chip", "QR31B"},
         "chip: can't read the IC information of QR31B\n",
         "Open *.ic Fail\n" + (scratch / "ICInfo" / "QR31B.ic").string() + "\n",
         cli::kExitFailed},
        {{"chips", "X"}, "chips: no chip name contains \"X\"\n", "", cli::kExitFailed},
    });
    std::filesystem::remove(scratch / "ChipList/KLW20_mcu.xml");
    const CliRun missing = run({"chips"}, false);
    EXPECT_EQ(missing.status, cli::kExitFailed);
    EXPECT_TRUE(missing.printed("can't read the chip catalogue"));
}

TEST_F(SelectCommands, SelectionHoldsForTheFollowingCommands) {
    const CliRun result = run({"select", "QR31A100", "--whole-chip-erase", "--production-limit",
                               "250", "job", "select", "QR31ZJ0115", "select", "SHARED1", "job"});
    EXPECT_EQ(result.status, cli::kExitOk) << result.err;
    const std::string limited =
        "chip: QR31A100\nmodes: Production Limit 250, Whole Chip Erase\npackage code: 0\n";
    // The forced mode comes with the chip; the next selection drops it again.
    const std::string forced = "chip: QR31ZJ0115\nmodes: ISP Program\npackage code: 0\n";
    const std::string shared = "chip: SHARED1\nmodes: none\npackage code: 0\n";
    EXPECT_EQ(result.out, limited + limited + forced + shared + shared);
}

TEST_F(SelectCommands, RefusalsArePrintedAndFail) {
    expectRefusals({
        {{"select", "QR31K1C13", "--isp"},
         "select: QR31K1C13 does not allow ISP Program\n",
         "",
         cli::kExitFailed},
        {{"select", "QR31A100", "--production-limit"},
         "select: --production-limit needs a count\n",
         "",
         cli::kExitFailed},
        {{"select", "QR31A100", "--fast"},
         "select: unknown mode option --fast\n",
         "",
         cli::kExitFailed},
        {{"select", "qr31a100"}, "select: Can't find qr31a100\n", "", cli::kExitBadInput},
        {{"job"}, "job: no chip selected (see the select command)\n", "", cli::kExitFailed},
    });
}

}  // namespace
}  // namespace vexlor::test
