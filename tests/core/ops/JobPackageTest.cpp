// A prepared job carried to another base directory and writer as a job package.
#include <gtest/gtest.h>

#include "JobRig.h"
#include "core/ops/ChipOperations.h"
#include "core/ops/LoadFile.h"
#include "core/packages/JobPackage.h"
#include "support/HexText.h"
#include "support/PackageFiles.h"

namespace vexlor::test {
namespace {

const Bytes kProgram{0x21, 0x43, 0x65, 0x87, 0xA9, 0xCB, 0xED, 0x0F};

class JobPackageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        prepared.selectChip("QRV7049");
        prepared.optionSelect.answers.push_back({{1, 0, 0}, true});
        prepared.op.files.push_back(prepared.writeHex("prog.hex", hexText(kProgram)).string());
        ASSERT_EQ(LoadFile(preparedServices), JobOutcome::Ok);
    }
    JobOutcome drop(const std::filesystem::path& zip) {
        const std::vector<std::string> dropped{zip.string()};
        return OnDropFiles(freshServices, dropped);
    }
    JobRig prepared;
    JobServices preparedServices = prepared.services();
    JobRig fresh;  // another base directory without any job, another writer
    JobServices freshServices = fresh.services();
    ScratchDir outside;
};

TEST_F(JobPackageTest, AnExportedJobDownloadsTheSameBuffersElsewhere) {
    prepared.op.files.push_back((outside / "job.zip").string());
    ASSERT_EQ(OnExportSetting(prepared.op, prepared.base.path()), PackageResult::Ok);
    EXPECT_EQ(prepared.op.filters.back(), "Zip Files (*.zip)|*.zip|All Files (*.*)|*.*||");
    EXPECT_EQ(drop(outside / "job.zip"), JobOutcome::Ok);
    EXPECT_EQ(fresh.op.last().text, "Loading Data Ok");
    EXPECT_EQ(fresh.file("buffer_data.prog"), prepared.file("buffer_data.prog"));
    const std::size_t dataLength = prepared.file("buffer_data.prog").size();
    ASSERT_EQ(fresh.device.downloadedLength(), dataLength);
    EXPECT_TRUE(std::equal(fresh.device.dataArea().begin(),
                           fresh.device.dataArea().begin() + static_cast<long>(dataLength),
                           prepared.device.dataArea().begin()));
    EXPECT_TRUE(std::equal(fresh.device.optionArea().begin(), fresh.device.optionArea().end(),
                           prepared.device.optionArea().begin()));
    // The window takes the job over from the writer, and the job programs the same chip.
    EXPECT_EQ(fresh.job().chipNameText, "QRV7049");
    ASSERT_EQ(OnProgram(freshServices), JobOutcome::Ok);
    EXPECT_TRUE(
        std::equal(kProgram.begin(), kProgram.end(), fresh.device.chip().contents().begin()));
}

TEST_F(JobPackageTest, OnlyAnArchiveOfTheTwoBufferFilesIsAJobPackage) {
    const Bytes data = prepared.file("buffer_data.prog");
    const Bytes option = prepared.file("buffer_option.prog");
    const std::string password = kSettingPackagePassword;
    const std::string unexpected = " is not expected! Please recheck the file";
    struct Case {
        const char* name;
        std::vector<ZipItem> items;
        std::string password;
    };
    const Case cases[] = {
        {"three.zip",
         {{"buffer_data.prog", data}, {"buffer_option.prog", option}, {"extra.txt", {}}},
         password},
        {"renamed.zip", {{"buffer_data.prog", data}, {"run.sh", option}}, password},
        {"doubled.zip", {{"buffer_data.prog", data}, {"buffer_data.prog", option}}, password},
        {"option-first.zip", {{"buffer_option.prog", option}, {"run.sh", data}}, password},
        {"other-password.zip",
         {{"buffer_data.prog", data}, {"buffer_option.prog", option}},
         "k@vel_Sl@te73"},
    };
    fresh.device.clearTranscript();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fresh.op.shown.clear();
        const auto before = treeOf(fresh.base.path());
        EXPECT_EQ(drop(makeZip(outside / c.name, c.password, c.items)), JobOutcome::BadInput);
        ASSERT_EQ(fresh.op.shown.size(), 1u);
        EXPECT_TRUE(fresh.op.last().text.starts_with(std::string("File format (") + c.name + ")" +
                                                     unexpected))
            << fresh.op.last().text;
        EXPECT_EQ(treeOf(fresh.base.path()), before);
    }
    EXPECT_TRUE(fresh.device.transcript().empty());
}

// The two buffer files in either order are a job, and they land together or not at all.
TEST_F(JobPackageTest, AJobLandsWholeOrLeavesTheStartDirectoryAsItWas) {
    const Bytes data = prepared.file("buffer_data.prog");
    const Bytes option = prepared.file("buffer_option.prog");
    const auto zip = makeZip(outside / "reversed.zip", kSettingPackagePassword,
                             {{"buffer_option.prog", option}, {"buffer_data.prog", data}});
    std::filesystem::create_directories(outside / "start" / "buffer_option.prog");
    const auto before = treeOf(outside.path());
    EXPECT_NE(ExtractJobPackage(zip, outside / "start").find("is a folder, not a file."),
              std::string::npos);
    EXPECT_NE(ExtractJobPackage(zip, outside / "absent").find("cannot hold a staging folder."),
              std::string::npos);
    EXPECT_EQ(treeOf(outside.path()), before);

    std::filesystem::remove(outside / "start" / "buffer_option.prog");
    ASSERT_EQ(ExtractJobPackage(zip, outside / "start"), "");
    EXPECT_EQ(readBytes(outside / "start" / "buffer_data.prog"), data);
    EXPECT_EQ(readBytes(outside / "start" / "buffer_option.prog"), option);
}

TEST_F(JobPackageTest, AnExportThatCannotBeWrittenSaysWhy) {
    prepared.op.files.push_back((outside / "absent" / "job.zip").string());
    EXPECT_EQ(OnExportSetting(prepared.op, prepared.base.path()), PackageResult::WriteFailed);
    EXPECT_NE(prepared.op.last().text.find("cannot be created"), std::string::npos)
        << prepared.op.last().text;
    EXPECT_FALSE(std::filesystem::exists(outside / "absent"));
    prepared.op.files.clear();  // the save dialog cancelled
    EXPECT_EQ(OnExportSetting(prepared.op, prepared.base.path()), PackageResult::Cancelled);
}

}  // namespace
}  // namespace vexlor::test
