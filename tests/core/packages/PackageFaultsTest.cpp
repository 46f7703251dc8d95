// Packages that are not what they claim and places that cannot take them: each is refused with
// a message and leaves the trees as they were.
#include <gtest/gtest.h>

#include "core/packages/ChipUpdate.h"
#include "core/packages/InstallTransaction.h"
#include "core/packages/JobPackage.h"
#include "support/PackageFiles.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

TEST(PackageFaults, ArchivesThatCannotBeReadOrWritten) {
    ScratchDir dir;
    // Without a password the entry is plain deflate data; a flipped byte in it must not pass.
    auto plain = readBytes(makeZip(dir / "plain.zip", "", {{"a.txt", Bytes(400, 'a')}}));
    EXPECT_TRUE(ReadZipArchive(plain, "").ok());
    plain[40] ^= 0x55;
    const struct {
        const char* label;
        ZipContents contents;
        const char* problem;
    } cases[] = {
        {"not a zip", ReadZipArchive(bytesOf("PK but nothing more"), ""), "not a zip archive"},
        {"missing file", ReadZipFile(dir / "absent.zip", ""), "absent.zip cannot be read"},
        {"damaged data", ReadZipArchive(plain, ""), "\"a.txt\" cannot be unpacked"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(c.contents.ok()) << c.label;
        EXPECT_TRUE(c.contents.items.empty()) << c.label;
        EXPECT_TRUE(contains(c.contents.problem, c.problem))
            << c.label << ": " << c.contents.problem;
    }

    std::filesystem::create_directories(dir / "folder.zip" / "inside");
    const auto before = treeOf(dir.path());
    const ZipItem item{"a.txt", bytesOf("x")};
    EXPECT_TRUE(contains(WriteZipFile(dir / "no" / "p.zip", "", {&item, 1}), "cannot be created"));
    EXPECT_TRUE(contains(WriteZipFile(dir / "folder.zip", "", {&item, 1}), "cannot be written"));
    EXPECT_TRUE(contains(ExportSetting(dir.path(), dir / "job.zip"), kBufferDataFile));
    EXPECT_EQ(treeOf(dir.path()), before);
}

TEST(PackageFaults, AnInstallRootThatIsAFileTakesNothing) {
    ScratchDir dir;
    const auto root = dir.write("root", "a file");
    InstallTransaction install(root);
    EXPECT_FALSE(install.stage("a.txt", bytesOf("x")));
    EXPECT_TRUE(contains(install.problem(), "cannot hold a staging folder")) << install.problem();
    EXPECT_EQ(readText(root), "a file");
}

TEST(PackageFaults, UpdatePackagesThatCannotBeUnpackedChangeNothing) {
    const Bytes list = bytesOf(updateListXml({{"N.ic", "ICInfo", ""}}));
    const struct {
        const char* label;
        std::vector<ZipItem> items;
        bool tempIsAFile;
        PackageResult result;
        const char* message;
    } cases[] = {
        {"no private folder",
         {{"list.xml", list}, {"N.ic", bytesOf("new")}},
         true,
         PackageResult::WriteFailed,
         "No private folder can be made"},
        {"a file where a folder must go",
         {{"x", bytesOf("1")}, {"x/y", bytesOf("2")}},
         false,
         PackageResult::WriteFailed,
         "x/y cannot be unpacked into"},
        // The first list by name is the one applied; a folder named like a list is none.
        {"lists by name",
         {{"b.xml", bytesOf("<broken")}, {"a.xml/c", {}}, {"a1.xml", list}},
         false,
         PackageResult::Ok,
         "Update chip success !"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ScratchDir dir;
        dir.write("program/ICInfo/OLD.ic", "old");
        if (c.tempIsAFile) {
            dir.write("tmp", "");
        } else {
            std::filesystem::create_directories(dir / "tmp");
        }
        const auto zip = makeZip(dir / "u.zip", kUpdatePackagePassword, c.items);
        const auto before = treeOf(dir.path());
        RecordingOperator op;
        op.files.push_back(zip.string());
        EXPECT_EQ(OnUpdateChip(op, dir / "program", dir / "tmp"), c.result);
        ASSERT_FALSE(op.shown.empty());
        EXPECT_TRUE(contains(op.last().text, c.message)) << op.last().text;
        if (c.result != PackageResult::Ok) {
            EXPECT_EQ(treeOf(dir.path()), before);
        }
    }
}

TEST(PackageFaults, FileListsNamingOddFilesAreRefused) {
    const struct {
        UpdateFileItem item;
        const char* problem;  // start of the reason
    } cases[] = {
        {{"a/b.ic", "ICInfo", ""}, "FileName \"a/b.ic\""},
        {{"CON", "ICInfo", ""}, "FileName \"CON\""},
        {{"b.ic", "ICInfo", "../up"}, "RelativeFilePath_XML "},
        {{"b.ic", "../ICInfo", ""}, "DestinationPath "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UpdateItemProblem(c.item).rfind(c.problem, 0), 0u) << UpdateItemProblem(c.item);
    }
}

}  // namespace
}  // namespace vexlor::test
