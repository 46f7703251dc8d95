// The chip commands of the command-line tool, run in-process over a small data directory.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliRunner.h"
#include "cli/JobCommands.h"
#include "support/ScratchDir.h"

namespace vexlor::cli {
namespace {

constexpr const char* kCatalogue = R"(<?xml version="1.0"?>
<ChipList>
  <ChipSeries>
    <Series type="OTP">
      <Family name="QR31 OTP">
        <Chip name="QR31A"><HextoBinMode>12</HextoBinMode><FW_File>r31.nce</FW_File>
          <IC_FileType><T>Hex (*.hex)|*.hex|</T><T>All (*.*)|*.*||</T></IC_FileType></Chip>
        <Chip name="QR31B"/>
      </Family>
    </Series>
    <Series type="MTP">
      <Family name="QR42 MTP"><Chip name="QR42A"/><Chip name="QR31B"/></Family>
    </Series>
  </ChipSeries>
</ChipList>
)";

constexpr const char* kQR31A = R"(<?xml version="1.0"?>
<IC>
  <Chip_Information><ChipName>QR31A</ChipName><Inside_Number>0x1a</Inside_Number>
    <Device_ID><ID>3101</ID><ID>0xab</ID></Device_ID></Chip_Information>
  <DAC_Set_Voltage><Write><P_VDD>5.5</P_VDD></Write></DAC_Set_Voltage>
  <Timer_Setting><Program_Timeout>1500</Program_Timeout></Timer_Setting>
</IC>
)";

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

class ChipCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        scratch.write("ChipList/KLW20_mcu.xml", kCatalogue);
        scratch.write("ICInfo/QR31A.ic", kQR31A);
    }
    CliRun run(std::vector<std::string> commands) {
        std::vector<std::string> args{"--base-dir", scratch.path().string()};
        args.insert(args.end(), commands.begin(), commands.end());
        std::ostringstream out;
        std::ostringstream err;
        const int status = runCli(args, out, err, {scratch / "devices", scratch / "none.so"});
        return {status, out.str(), err.str()};
    }

    vexlor::test::ScratchDir scratch;
};

TEST_F(ChipCommands, ChipsListsMatchingNamesOnceInCatalogueOrder) {
    struct Case {
        std::vector<std::string> commands;
        std::string out;
    };
    const Case cases[] = {
        {{"chips"}, "OTP / QR31 OTP / QR31A\nOTP / QR31 OTP / QR31B\nMTP / QR42 MTP / QR42A\n"},
        {{"chips", "31"}, "OTP / QR31 OTP / QR31A\nOTP / QR31 OTP / QR31B\n"},
        {{"chips", "2A"}, "MTP / QR42 MTP / QR42A\n"},
        // A command name after chips is the next command, not the text.
        {{"chips", "chips", "B"},
         "OTP / QR31 OTP / QR31A\nOTP / QR31 OTP / QR31B\n"
         "MTP / QR42 MTP / QR42A\nOTP / QR31 OTP / QR31B\n"},
    };
    for (const Case& c : cases) {
        const CliRun result = run(c.commands);
        EXPECT_EQ(result.status, kExitOk) << result.err;
        EXPECT_EQ(result.out, c.out);
    }
}

TEST_F(ChipCommands, ChipPrintsItsKeysAndParameters) {
    const CliRun result = run({"chip", "QR31A"});
    ASSERT_EQ(result.status, kExitOk) << result.err;
    for (const char* line : {
             "chip: OTP / QR31 OTP / QR31A\n",
             "  HextoBinMode = 12\n",
             "  ISP = 0\n",
             "  FW_File = r31.nce\n",
             "  IC_FileType = Hex (*.hex)|*.hex|All (*.*)|*.*||\n",
             "  ChipName = QR31A\n",
             "  Inside_Number = 0x1A\n",
             "  Device_ID = 0x3101, 0xAB\n",
             "  P_VDD = 5.5\n",
             "  Program_Timeout = 1500\n",
             "  CFG_Address = 0x0\n",
         }) {
        EXPECT_NE(result.out.find(line), std::string::npos) << line;
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
        {{"chip", "QR99"},
         "vexlor-writer-cli: chip: QR99 is not in the chip catalogue\n",
         "",
         kExitBadInput},
        {{"chip", "qr31a"},
         "vexlor-writer-cli: chip: qr31a is not in the chip catalogue\n",
         "",
         kExitBadInput},
        {{"chip", "QR31B"},
         "vexlor-writer-cli: chip: can't read the IC information of QR31B\n",
         "Open *.ic Fail\n" + (scratch / "ICInfo" / "QR31B.ic").string() + "\n",
         kExitFailed},
        {{"chips", "X"},
         "vexlor-writer-cli: chips: no chip name contains \"X\"\n",
         "",
         kExitFailed},
    };
    for (const Case& c : cases) {
        const CliRun result = run(c.commands);
        EXPECT_EQ(result.status, c.status) << c.commands.back();
        EXPECT_EQ(result.err, c.err);
        EXPECT_EQ(result.out, c.out);
    }
    std::filesystem::remove(scratch / "ChipList/KLW20_mcu.xml");
    const CliRun missing = run({"chips"});
    EXPECT_EQ(missing.status, kExitFailed);
    EXPECT_NE(missing.err.find("can't read the chip catalogue"), std::string::npos);
}

}  // namespace
}  // namespace vexlor::cli
