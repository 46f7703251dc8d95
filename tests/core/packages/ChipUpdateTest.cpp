#include <gtest/gtest.h>

#include "core/packages/ChipUpdate.h"
#include "support/PackageFiles.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

using Items = std::vector<UpdateFileItem>;

// One scratch tree holds the program directory, the temporary parent and the packages, so a
// snapshot of it shows anything written anywhere.
class ChipUpdateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        scratch.write("program/ICInfo/OLD.ic", "old parameters");
        scratch.write("program/ChipList/KLW20_mcu.xml", "old catalogue");
        std::filesystem::create_directories(temp);
    }
    // The list in "list.xml" at the package's top, followed by the files.
    std::filesystem::path package(const char* name, const Items& list, std::vector<ZipItem> files) {
        files.insert(files.begin(), {"list.xml", bytesOf(updateListXml(list))});
        return makeZip(scratch / name, kUpdatePackagePassword, files);
    }
    PackageResult update(const std::filesystem::path& zip) {
        return UpdateChipFromPackage(op, zip, program, temp);
    }
    ScratchDir scratch;
    std::filesystem::path program = scratch / "program";
    std::filesystem::path temp = scratch / "tmp";
    RecordingOperator op;
};

TEST_F(ChipUpdateTest, FilesLandWhereTheListSays) {
    const auto zip = package("in.zip",
                             {{"NEW.ic", "ICInfo", "files"},
                              {"KLW20_mcu.xml", "ChipList", "files"},
                              {"readme.txt", "$$Root$$", ""},
                              {"QV1234.jpg", "res\\ICPicture", "files\\pictures"},
                              {"absent.ic", "ICInfo", "files"}},
                             {{"files/NEW.ic", bytesOf("new parameters")},
                              {"files/KLW20_mcu.xml", bytesOf("new catalogue")},
                              {"readme.txt", bytesOf("root file")},
                              {"files/pictures/QV1234.jpg", bytesOf("picture")},
                              // The list is the first XML file at the top by name.
                              {"z.xml", bytesOf("not the list")},
                              {"a.xml/note.txt", bytesOf("a folder, not a list")}});
    EXPECT_EQ(update(zip), PackageResult::Ok);
    EXPECT_EQ(op.texts(), std::vector<std::string>{"Update chip success !"});
    EXPECT_EQ(readText(program / "ICInfo" / "NEW.ic"), "new parameters");
    EXPECT_EQ(readText(program / "ICInfo" / "OLD.ic"), "old parameters");
    EXPECT_EQ(readText(program / "ChipList" / "KLW20_mcu.xml"), "new catalogue");
    EXPECT_EQ(readText(program / "readme.txt"), "root file");
    // A missing folder is made inside the program directory; a file the package lacks is
    // skipped without a word.
    EXPECT_EQ(readText(program / "res" / "ICPicture" / "QV1234.jpg"), "picture");
    EXPECT_FALSE(std::filesystem::exists(program / "ICInfo" / "absent.ic"));
    // The private extraction directory and the staging folder are gone.
    EXPECT_TRUE(std::filesystem::is_empty(temp));
    EXPECT_EQ(treeOf(program).size(), 9u);
}

TEST_F(ChipUpdateTest, FailuresLeaveEverythingAsItWas) {
    // The last file's place is a folder, so its swap fails after three files went in, one of
    // them into new folders.
    scratch.write("program/ChipList/blocked/keep.txt", "kept");
    const Items list{{"NEW.ic", "ICInfo", "f"},
                     {"x.jpg", "res/ICPicture", "f"},
                     {"KLW20_mcu.xml", "ChipList", "f"},
                     {"blocked", "ChipList", "f"}};
    const std::vector<ZipItem> files{{"f/NEW.ic", bytesOf("new")},
                                     {"f/KLW20_mcu.xml", bytesOf("new catalogue")},
                                     {"f/blocked", bytesOf("file")},
                                     {"f/x.jpg", bytesOf("jpg")}};
    struct Case {
        const char* label;
        std::filesystem::path zip;
        std::string message;  // its start
        PackageResult result;
    };
    std::filesystem::create_directories(scratch / "packages");
    const auto make = [this](const char* name, const Items& l, const std::vector<ZipItem>& f) {
        return package((std::string("packages/") + name).c_str(), l, f);
    };
    const Case cases[] = {
        {"interrupted half-way", make("half.zip", list, files), "Update chip fail !\n",
         PackageResult::WriteFailed},
        {"entry leaving the package",
         make("dots.zip", {}, {{"../../program/ICInfo/OLD.ic", bytesOf("evil")}}),
         "Update chip fail !\nRefused entry", PackageResult::BadPackage},
        {"entry that is a link", make("link.zip", {}, {{"ICInfo", bytesOf(".."), 0120777}}),
         "Update chip fail !\nRefused entry", PackageResult::BadPackage},
        {"absolute DestinationPath",
         make("abs.zip", {{"NEW.ic", "ICInfo", ""}, {"OLD.ic", (scratch / "tmp").string(), ""}},
              {{"NEW.ic", bytesOf("new")}, {"OLD.ic", bytesOf("evil")}}),
         "Update chip fail !\nRefused file list: DestinationPath", PackageResult::BadPackage},
        {"no file list",
         makeZip(scratch / "packages" / "nolist.zip", kUpdatePackagePassword, files),
         "Update chip fail !\nCan not find chip information file", PackageResult::BadPackage},
        {"no such file", scratch / "packages" / "none.zip",
         (scratch / "packages" / "none.zip").string() + " open file error\n",
         PackageResult::BadPackage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        op.shown.clear();
        const auto before = treeOf(scratch.path());
        EXPECT_EQ(update(c.zip), c.result);
        ASSERT_EQ(op.shown.size(), 1u) << testing::PrintToString(op.texts());
        EXPECT_TRUE(op.last().text.starts_with(c.message)) << op.last().text;
        EXPECT_EQ(treeOf(scratch.path()), before);
    }
}

TEST_F(ChipUpdateTest, AnUnreadableListGivesTheLoaderMessageThenTheFailure) {
    const auto zip = makeZip(scratch / "in.zip", kUpdatePackagePassword,
                             {{"list.xml", bytesOf("<UpdateList><Chip>")}});
    EXPECT_EQ(update(zip), PackageResult::BadPackage);
    EXPECT_EQ(op.headlines(),
              (std::vector<std::string>{"Open XML File Fail", "Update chip fail !"}));
    EXPECT_TRUE(std::filesystem::is_empty(temp));
}

}  // namespace
}  // namespace vexlor::test
