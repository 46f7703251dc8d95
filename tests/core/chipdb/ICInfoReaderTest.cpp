#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

#include "core/chipdb/CatalogueFile.h"
#include "core/chipdb/ReadChipXml.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor {
namespace {

class ICInfoReader : public ::testing::Test {
  protected:
    void writeIc(const std::string& chip, const std::string& content) {
        scratch.write("ICInfo/" + chip + ".ic", content);
    }
    void writeSections(const std::string& chip, const std::string& sections) {
        writeIc(chip, "<?xml version=\"1.0\"?>\n<IC>" + sections + "</IC>\n");
    }
    const ICInfo& info() const { return db.icInfo(); }
    // Every section with every key in one of its written forms.
    const std::string fullFile = test::dataText("chipdb/full.ic");
    test::ScratchDir scratch;
    test::RecordingOperator op;
    ReadChipXml db{op, scratch.path()};
};

TEST_F(ICInfoReader, ReadsEverySectionByItsKeyFormsAndEachReadStartsAfresh) {
    writeIc("QR31A", fullFile);
    ASSERT_EQ(db.ReadICInfo("QR31A"), 1);
    EXPECT_TRUE(op.shown.empty());
    // Data_Read_Length is a decimal key, so "0x10" stops at the x.
    const ICInfo expected{.ChipName = "QR31A",
                          .ChipType = "37",
                          .ROMtype = 2,
                          .AND_ID_Data = 0xFF00,
                          .Inside_Number = 0x1A,
                          .Device_ID_amount = 5,
                          .Device_ID = {0x3101, 0x3102, 0xAB},
                          .Normal_ROM_Capacity = 0x800,
                          .Information_ROM_Capacity = 0x10,
                          .Read_ROM_Capacity = 0x820,
                          .Checksum_Initial_Value = 0,
                          .OR_Checksum_Data = 0x3FFF,
                          .Protect_Low_Data = 0xF,
                          .Support_ReUse_Function = 1,
                          .Check_Have_Protect = -1,
                          .Trimming_IRC = 4,
                          .Trimming_IRC_Low = 0x20,
                          .Trimming_IRC_Range = 0x3F,
                          .CFG_Address = 0x2007,
                          .Device_ID_Address = 0x2000,
                          .Checksum1_Address = 0x7FE,
                          .Checksum2_Address = 0x7FF,
                          .Normal_Start_Address = 0,
                          .Reuse_Start_Address = 0x400,
                          .Blankcheck_Capacity = 0x800,
                          .Program_Capacity = 0x7FE,
                          .Verify_Capacity = 0x800,
                          .DisableHibit = 1,
                          .VDD_Power_ON_delay = 50,
                          .Program_time = 100,
                          .Blankcheck_Data = 0x3FFF,
                          .Blankcheck_CFG_Data = 0xFF,
                          .One_Word_Program_delay = 7,
                          .ProgMainRom_sda = 11,
                          .ProgMainRom_sclk = 12,
                          .ProgIRC_sda = 13,
                          .ProgIRC_sclk = 14,
                          .P_VDD = 5.5f,
                          .P_VPP = 12.5f,
                          .R_VDD = 5.0f,
                          .R_VPP = 0.25f,
                          .R_H_VDD = 6.5f,
                          .R_H_VPP = 0.0f,
                          .R_L_VDD = 2.75f,
                          .R_L_VPP = 1.5f,
                          .Timer = 1,
                          .Auto_Timeout = 2000,
                          .Blankcheck_Timeout = 300,
                          .Program_Timeout = 1500,
                          .Verify_Timeout = 400,
                          .VBG_Read = 21,
                          .Have_OPT = 1,
                          .Data_Read_Length = 0,
                          .IAP_function = 22,
                          .Have_TouchKey = 23,
                          .Have_Pagelock = 1,
                          .Version = 3};
    EXPECT_EQ(info(), expected);
    // The next read starts from the reset record.
    writeSections("Small", "<Address><CFG_Address>5</CFG_Address></Address>");
    ASSERT_EQ(db.ReadICInfo("Small"), 1);
    ICInfo small;
    small.CFG_Address = 5;
    EXPECT_EQ(info(), small);
}

TEST_F(ICInfoReader, KeysCountOnlyInTheirOwnSectionAndGroup) {
    writeSections("X", R"(
      <Other_Setting><ROMtype>7</ROMtype><CFG_Address>12</CFG_Address></Other_Setting>
      <DAC_Set_Voltage><Normal_Read><P_VDD>5.5</P_VDD></Normal_Read><R_VDD>4</R_VDD></DAC_Set_Voltage>
      <Address><Device_ID><ID>1</ID></Device_ID></Address>
      <chip_information><ChipName>lower</ChipName></chip_information>
      <Extra><Chip_Information><ChipName>nested</ChipName></Chip_Information></Extra>)");
    ASSERT_EQ(db.ReadICInfo("X"), 1);
    EXPECT_EQ(info(), ICInfo{});
}

TEST_F(ICInfoReader, RepeatedKeysAndSectionsAreProcessedAsMet) {
    writeSections("X", R"(
      <Address><CFG_Address>12</CFG_Address></Address>
      <Chip_Information><ChipName>First</ChipName><ROMtype>1</ROMtype>
        <Device_ID><a>1</a><b>2</b><c>3</c></Device_ID></Chip_Information>
      <Address><CFG_Address>34</CFG_Address></Address>
      <Chip_Information><ChipName>Second</ChipName><Device_ID><a>4</a></Device_ID></Chip_Information>)");
    ASSERT_EQ(db.ReadICInfo("X"), 1);
    // A hex key met again keeps shifting: 0x12 then "34" -> 0x1234.
    EXPECT_EQ(info().CFG_Address, 0x1234u);
    EXPECT_EQ(info().ChipName, "Second");
    EXPECT_EQ(info().ROMtype, 1);
    EXPECT_EQ(info().Device_ID, (std::vector<std::uint32_t>{1, 2, 3, 4}));
    EXPECT_EQ(info().Device_ID_amount, 0);
}

TEST_F(ICInfoReader, FailuresLeaveTheRecordReset) {
    // A readable file just outside ICInfo: a name with a folder must not reach it.
    scratch.write("ChipList/Full.ic", fullFile);
    writeIc("QR31A", fullFile);
    // A content is written as ICInfo/<chip>.ic; a null one writes nothing.
    const auto check = [&](const char* what, const char* chip, const char* content,
                           const char* message) {
        ASSERT_EQ(db.ReadICInfo("QR31A"), 1);
        op.shown.clear();
        if (content != nullptr) {
            writeIc(chip, content);
        }
        EXPECT_EQ(db.ReadICInfo(chip), 0) << what;
        ASSERT_EQ(op.shown.size(), 1u) << what;
        EXPECT_EQ(op.last().text,
                  std::string(message) + "\n" + ICInfoFilePath(scratch.path(), chip).string())
            << what;
        EXPECT_EQ(op.last().icon, MessageIcon::None) << what;
        EXPECT_EQ(info(), ICInfo{}) << what;
    };
    check("no file", "QR99", nullptr, "Open *.ic Fail");
    check("malformed", "Bad", "<IC><Address></IC>", "Open *.ic Fail");
    check("no element", "Empty", "<?xml version=\"1.0\"?><!-- none -->", "Read ICFile Fail");
    check("name with a folder", "../ChipList/Full", nullptr, "Open *.ic Fail");
    check("backslash name", "..\\ChipList\\Full", nullptr, "Open *.ic Fail");
    check("empty name", "", nullptr, "Open *.ic Fail");
}

// Builds a locale whose only rule is a decimal comma, as many operators' systems have.
bool buildDecimalCommaLocale(const test::ScratchDir& scratch) {
    const auto definition =
        scratch.write("comma.def",
                      "LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\ngrouping 3\n"
                      "END LC_NUMERIC\n");
    const std::string output = (scratch / "comma").string();
    std::string args[] = {"localedef", "-c", "-i", definition.string(), output};
    char* argv[] = {args[0].data(), args[1].data(), args[2].data(),
                    args[3].data(), args[4].data(), nullptr};
    // localedef warns about every category the definition leaves out.
    posix_spawn_file_actions_t quiet;
    ::posix_spawn_file_actions_init(&quiet);
    ::posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = ::posix_spawnp(&child, "localedef", &quiet, nullptr, argv, environ);
    ::posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0) {
        return false;
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return std::filesystem::exists(scratch / "comma" / "LC_NUMERIC");
}

TEST_F(ICInfoReader, VoltagesKeepTheirDecimalPointUnderADecimalCommaLocale) {
    ASSERT_TRUE(buildDecimalCommaLocale(scratch));
    ::setenv("LOCPATH", scratch.path().c_str(), 1);
    const char* switched = std::setlocale(LC_NUMERIC, "comma");
    ::unsetenv("LOCPATH");
    ASSERT_NE(switched, nullptr);
    // The C library itself now stops at the point.
    EXPECT_EQ(std::strtod("5.5", nullptr), 5.0);
    writeSections("X",
                  "<DAC_Set_Voltage><Write><P_VDD>5.5</P_VDD><P_VPP>12.5</P_VPP></Write>"
                  "</DAC_Set_Voltage>");
    const int read = db.ReadICInfo("X");
    std::setlocale(LC_NUMERIC, "C");
    ASSERT_EQ(read, 1);
    EXPECT_FLOAT_EQ(info().P_VDD, 5.5f);
    EXPECT_FLOAT_EQ(info().P_VPP, 12.5f);
}

}  // namespace
}  // namespace vexlor
