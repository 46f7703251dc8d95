#include <gtest/gtest.h>

#include <algorithm>

#include "JobRig.h"
#include "core/ops/LoadFile.h"
#include "support/HexText.h"

namespace vexlor::test {
namespace {

const Bytes kProgram{0xA1, 0xB2, 0xC3, 0xD4};

class LoadFileTest : public ::testing::Test {
  protected:
    void SetUp() override { rig.selectChip("QRV7049"); }
    std::string programFile(const std::string& name = "prog.hex") {
        return rig.writeHex(name, hexText(kProgram)).string();
    }
    std::uint8_t optionWordStored() { return rig.file("buffer_option.prog").at(0x24); }
    JobRig rig;
    JobServices services = rig.services();
};

TEST_F(LoadFileTest, CancelLeavesBufferFilesAndWriterUntouched) {
    const Bytes data{1, 2, 3};
    const Bytes option{4, 5, 6};
    rig.base.writeBytes("buffer_data.prog", data);
    rig.base.writeBytes("buffer_option.prog", option);
    rig.device.clearTranscript();
    EXPECT_EQ(LoadFile(services), JobOutcome::Cancelled);
    EXPECT_EQ(rig.op.filters,
              std::vector<std::string>{"QvIce Hex Files (*.hex)|*.hex|All files (*)|*||"});
    EXPECT_TRUE(rig.op.statuses.empty());
    EXPECT_EQ(rig.file("buffer_data.prog"), data);
    EXPECT_EQ(rig.file("buffer_option.prog"), option);
    EXPECT_TRUE(rig.device.transcript().empty());
    EXPECT_TRUE(rig.op.shown.empty());
    EXPECT_TRUE(rig.optionSelect.openedWith.empty());
    EXPECT_TRUE(rig.panel().hexViewShown);
    EXPECT_FALSE(rig.panel().at(ControlId::Log).enabled);
    EXPECT_TRUE(rig.job().loadedFilePath.empty());
}

TEST_F(LoadFileTest, WithoutOptionsTheWordStays0x60) {
    rig.context.chipXml.icInfo().Have_OPT = 0;
    rig.op.files.push_back(programFile());
    ASSERT_EQ(LoadFile(services), JobOutcome::Ok);
    EXPECT_TRUE(rig.optionSelect.openedWith.empty());
    EXPECT_EQ(optionWordStored(), 0x60);
}

TEST_F(LoadFileTest, EmptyPathStopsBeforeAnythingIsWritten) {
    rig.optionSelect.answers.push_back({{0, 0, 0}, true});
    rig.op.files.push_back(std::string());
    rig.device.clearTranscript();
    EXPECT_EQ(LoadFile(services), JobOutcome::BadInput);
    EXPECT_EQ(rig.op.texts(), std::vector<std::string>{"File is empty."});
    EXPECT_FALSE(std::filesystem::exists(rig.base / "buffer_data.prog"));
    EXPECT_TRUE(rig.device.transcript().empty());
    EXPECT_TRUE(rig.panel().hexViewShown);
}

TEST_F(LoadFileTest, UnreadableProgramSkipsFirmwareAndDownload) {
    rig.optionSelect.answers.push_back({{0, 0, 0}, true});
    rig.op.files.push_back((rig.base / "missing.hex").string());
    rig.device.clearTranscript();
    EXPECT_EQ(LoadFile(services), JobOutcome::BadInput);
    EXPECT_EQ(rig.op.statuses, (std::vector<std::string>{"Loading file ...", "File not loaded"}));
    EXPECT_FALSE(rig.areaWritten());
    EXPECT_TRUE(rig.view.shownFiles.empty());
    EXPECT_TRUE(rig.panel().hexViewShown);
    EXPECT_EQ(rig.op.busyEnded, 1);
}

// A firmware name that is missing, or that would leave the firmware folder for a real image
// one folder up, stops the load before the download.
TEST_F(LoadFileTest, FirmwareOutsideTheFirmwareFolderEndsWithUpdateFirmwareFail) {
    std::filesystem::copy_file(
        rig.base / "firmware" / rig.context.chipXml.chipDisplayInfo().FW_File,
        rig.base / "evil.nce");
    const std::pair<const char*, std::string> cases[] = {
        {"absent.nce", "Can't Find NceFile\n" + (rig.base / "firmware" / "absent.nce").string()},
        {"../evil.nce", "Can't Find NceFile\n../evil.nce is not a file of the firmware folder"},
    };
    for (const auto& [firmware, firstText] : cases) {
        SCOPED_TRACE(firmware);
        rig.op.shown.clear();
        rig.context.chipXml.chipDisplayInfo().FW_File = firmware;
        rig.optionSelect.answers.push_back({{0, 0, 0}, true});
        rig.op.files.push_back(programFile());
        rig.device.clearTranscript();
        EXPECT_EQ(LoadFile(services), JobOutcome::Failed);
        ASSERT_FALSE(rig.op.shown.empty());
        EXPECT_EQ(rig.op.texts().at(0), firstText);
        EXPECT_EQ(rig.op.last().text, "Update Firmware Fail");
        EXPECT_EQ(rig.op.last().icon, MessageIcon::Stop);
        EXPECT_FALSE(rig.areaWritten());
        EXPECT_EQ(rig.device.mode(), kModeDone);
        EXPECT_EQ(rig.device.lamp(), kLampIdle);
    }
}

TEST_F(LoadFileTest, DownloadLogFollowsTheSystemLanguage) {
    rig.context.chipXml.icInfo().Have_OPT = 0;
    services.systemSubLanguage = 3;
    rig.op.files.push_back(programFile());
    ASSERT_EQ(LoadFile(services), JobOutcome::Ok);
    ASSERT_FALSE(rig.op.logHistory.empty());
    EXPECT_EQ(rig.op.logHistory.front().size(), 52u);
}

TEST_F(LoadFileTest, FailedLoadLeavesTheLastGoodJob) {
    rig.context.chipXml.icInfo().Have_OPT = 0;
    ASSERT_EQ(LoadDroppedFile(services, programFile()), JobOutcome::Ok);
    const Bytes data = rig.file("buffer_data.prog");
    const Bytes option = rig.file("buffer_option.prog");
    rig.device.clearTranscript();
    const std::string broken = rig.writeHex("broken.hex", ":0100000011EE\nrubbish\n").string();
    EXPECT_EQ(LoadDroppedFile(services, broken), JobOutcome::BadInput);
    EXPECT_EQ(rig.file("buffer_data.prog"), data);
    EXPECT_EQ(rig.file("buffer_option.prog"), option);
    EXPECT_FALSE(rig.areaWritten());
    EXPECT_TRUE(rig.job().loadedFilePath.empty());
    EXPECT_EQ(rig.op.last().text,
              broken + " open file error\nline 2: the line is not an Intel HEX record");
}

TEST_F(LoadFileTest, DamagedHexGoesOnOnlyWhenAccepted) {
    struct Case {
        DamagedHex rule;
        bool answer;
        JobOutcome outcome;
        bool asked;
    };
    const Case cases[] = {
        {DamagedHex::AskOperator, true, JobOutcome::Ok, true},
        {DamagedHex::AskOperator, false, JobOutcome::BadInput, true},
        {DamagedHex::Accept, false, JobOutcome::Ok, false},
        {DamagedHex::Refuse, true, JobOutcome::BadInput, false},
    };
    rig.context.chipXml.icInfo().Have_OPT = 0;
    // The second record's checksum is wrong (DC is right).
    const std::string damaged =
        rig.writeHex("damaged.hex", ":0100000011EE\n:0100010022DD\n:00000001FF\n").string();
    for (const Case& c : cases) {
        rig.op.shown.clear();
        rig.op.answers = {c.answer};
        services.damagedHex = c.rule;
        EXPECT_EQ(LoadDroppedFile(services, damaged), c.outcome) << static_cast<int>(c.rule);
        const bool asked = std::any_of(rig.op.shown.begin(), rig.op.shown.end(), [](auto& shown) {
            return shown.question &&
                   shown.text.find("line 2: the record checksum is DD") != std::string::npos;
        });
        EXPECT_EQ(asked, c.asked) << static_cast<int>(c.rule);
        if (c.outcome == JobOutcome::Ok) {
            const Bytes data = rig.file("buffer_data.prog");
            EXPECT_EQ(Bytes(data.begin(), data.begin() + 2), (Bytes{0x11, 0x22}));
        }
    }
}

TEST_F(LoadFileTest, ConversionFilesStayOutOfTheOperatorsFolder) {
    rig.context.chipXml.icInfo().Have_OPT = 0;
    const std::filesystem::path mine = rig.base / "mine";
    std::filesystem::create_directories(mine);
    const std::string program = (mine / "fw.hex").string();
    std::filesystem::copy_file(programFile(), program);
    const Bytes ownBin{0xDE, 0xAD};
    rig.base.writeBytes("mine/fw.bin", ownBin);
    ASSERT_EQ(LoadDroppedFile(services, program), JobOutcome::Ok);
    EXPECT_EQ(rig.job().loadedFilePath, program);
    EXPECT_EQ(readBytes(mine / "fw.bin"), ownBin);
    EXPECT_FALSE(std::filesystem::exists(mine / "fw.otp"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(mine), {}), 2);
    EXPECT_TRUE(std::filesystem::exists(rig.base / "work" / "fw.bin"));
    EXPECT_TRUE(std::filesystem::exists(rig.base / "work" / "fw.otp"));
}

TEST_F(LoadFileTest, FileOfAnotherKindIsRefusedWhateverTheWayItCame) {
    rig.context.chipXml.icInfo().Have_OPT = 0;
    const std::string otp = rig.base.writeBytes("prog.otp", Bytes(64, 0)).string();
    rig.op.files.push_back(otp);
    rig.device.clearTranscript();
    EXPECT_EQ(LoadFile(services), JobOutcome::BadInput);
    EXPECT_EQ(LoadDroppedFile(services, otp), JobOutcome::BadInput);
    EXPECT_EQ(rig.op.texts(), std::vector<std::string>(2,
                                                       "File format (.otp) is not expected! "
                                                       "Please recheck the file\n"
                                                       "This chip takes *.hex files."));
    EXPECT_FALSE(rig.areaWritten());
}

TEST(ProgramFileType, AnyPatternOfTheFilterWithoutRegardToCase) {
    const char* hexOrBin = "QvIce Hex Files (*.hex)|*.hex|QvIce Bin Files (*.bin)|*.bin||";
    struct Case {
        const char* filter;
        const char* path;
        bool accepted;
    };
    const Case cases[] = {
        {hexOrBin, "a/prog.hex", true}, {hexOrBin, "prog.BIN", true},
        {hexOrBin, "prog.otp", false},  {hexOrBin, "prog", false},
        {"", "prog.hex", false},        {"QvIce Otp Files (*.otp)|*.otp||", "prog.hex", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProgramFileTypeProblem(c.filter, c.path).empty(), c.accepted) << c.path;
    }
    EXPECT_NE(ProgramFileTypeProblem(hexOrBin, "prog.otp").find("takes *.hex, *.bin files"),
              std::string::npos);
}

TEST_F(LoadFileTest, NextChoiceOpensInTheFolderOfTheLastProgramFile) {
    rig.context.chipXml.icInfo().Have_OPT = 0;
    rig.op.files.push_back(rig.base.write("work/prog.hex", hexText(kProgram)).string());
    ASSERT_EQ(LoadFile(services), JobOutcome::Ok);
    EXPECT_EQ(rig.op.statuses, (std::vector<std::string>{"Loading file ...", "Download complete"}));
    EXPECT_EQ(LoadFile(services), JobOutcome::Cancelled);
    EXPECT_EQ(rig.op.startFolders, (std::vector<std::filesystem::path>{{}, rig.base / "work"}));
}

TEST(DropExtension, TakenFromTheFirstPatternOfTheFilter) {
    const std::pair<const char*, const char*> cases[] = {
        {"QvIce Hex Files (*.hex)|*.hex||", ".hex"},
        {"QvIce Hex Files (*.hex)|*.hex|QvIce Bin Files (*.bin)|*.bin||", ".hex"},
        {"QvIce Hex Files (*.hex)|*.hex|", ".hex"},
        {"QvIce Orvo Files (*.orvo)|*.orvo||", ".orvo"},
        {"All (*.*)|*.*||", ".*"},
        {"no pattern at all", ""},
        {"", ""},
    };
    for (auto [filter, extension] : cases) {
        EXPECT_EQ(ExpectedDropExtension(filter), extension) << filter;
    }
}

TEST_F(LoadFileTest, DroppedFileInCapitalsIsLoaded) {
    rig.optionSelect.answers.push_back({{0, 0, 0}, true});
    const std::vector<std::string> dropped{programFile("PROG.HEX"), programFile("other.hex")};
    EXPECT_EQ(OnDropFiles(services, dropped), JobOutcome::Ok);
    EXPECT_TRUE(rig.op.filters.empty());
    EXPECT_EQ(rig.op.last().text, "Loading Data Ok");
}

TEST_F(LoadFileTest, DroppedFilesOfAnotherKindAreRefused) {
    rig.device.clearTranscript();
    for (const char* name : {"prog.bin", "prog", "prog.hex.txt"}) {
        rig.op.shown.clear();
        const std::vector<std::string> dropped{(rig.base / name).string()};
        EXPECT_EQ(OnDropFiles(services, dropped), JobOutcome::Refused) << name;
        const std::string extension = std::filesystem::path(name).extension().string();
        ASSERT_EQ(rig.op.texts(),
                  std::vector<std::string>{"File format (" + extension +
                                           ") is not expected! Please recheck the file"})
            << name;
    }
    EXPECT_TRUE(rig.device.transcript().empty());
}

TEST_F(LoadFileTest, WithoutAChipTheMenuAndADropAskForOne) {
    rig.job().chipNameText.clear();
    const std::vector<std::string> dropped{programFile()};
    EXPECT_EQ(LoadFile(services), JobOutcome::Refused);
    EXPECT_EQ(OnDropFiles(services, dropped), JobOutcome::Refused);
    EXPECT_EQ(OnDropFiles(services, {}), JobOutcome::Cancelled);
    ASSERT_EQ(rig.op.shown.size(), 2u);
    EXPECT_EQ(rig.op.last().text, "No Chip Name");
    EXPECT_EQ(rig.op.last().caption, "Message");
    EXPECT_EQ(rig.op.last().icon, MessageIcon::Exclamation);
    EXPECT_TRUE(rig.op.filters.empty());
}

}  // namespace
}  // namespace vexlor::test
