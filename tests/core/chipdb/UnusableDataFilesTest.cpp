#include <sys/stat.h>

#include <gtest/gtest.h>

#include "core/chipdb/CatalogueFile.h"
#include "core/chipdb/ChipSearch.h"
#include "core/chipdb/MultiLanguageCatalogue.h"
#include "core/chipdb/OperationVisibility.h"
#include "core/chipdb/ReadChipXml.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor {
namespace {

class NoLists : public ChipListView {
  public:
    void clear(ChipList) override { ++calls; }
    void add(ChipList, std::string_view) override { ++calls; }
    int calls = 0;
};

enum class Kind { Directory, Pipe };

void occupy(const std::filesystem::path& path, Kind kind) {
    std::filesystem::create_directories(path.parent_path());
    if (kind == Kind::Directory) {
        std::filesystem::create_directory(path);
    } else {
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0) << path;
    }
}

// Something that is not a regular file where a data file belongs: every reader gives its open
// failure at once, without waiting on a pipe or sizing a directory, and leaves it in place.
TEST(UnusableDataFiles, DirectoryOrPipeGivesTheOpenFailure) {
    for (Kind kind : {Kind::Directory, Kind::Pipe}) {
        SCOPED_TRACE(kind == Kind::Directory ? "directory" : "pipe");
        test::ScratchDir base;
        const auto catalogue = CatalogueFilePath(base.path(), kChipListKLW20);
        const auto icFile = ICInfoFilePath(base.path(), "QR31A");
        const auto options = base / "QR31A_Dec.ic";
        const auto visibility = base / "KLW_Read.xml";
        const auto messages = base / "VexlorMsg.xml";
        for (const auto& path : {catalogue, icFile, options, visibility, messages}) {
            occupy(path, kind);
        }
        test::RecordingOperator op;
        ReadChipXml db(op, base.path());
        NoLists lists;
        EXPECT_EQ(db.LoadChipLists(lists, 0, 0, 0, kChipListKLW20), 0);
        EXPECT_EQ(lists.calls, 0);
        db.ReadChipDisplayInfo("QR31A", kChipListKLW20);
        EXPECT_EQ(db.ReadICInfo("QR31A"), 0);
        EXPECT_EQ(db.ReadSysCfgOptions(options), 0);
        OperationVisibilityTable table = InitialOperationVisibility();
        EXPECT_FALSE(ReadOperationVisibility(op, visibility, table));
        EXPECT_EQ(table, InitialOperationVisibility());
        EXPECT_EQ(op.headlines(), (std::vector<std::string>{"Open *.xml Error!!", "Open *.XML Fail",
                                                            "Open *.ic Fail", "Open *.XML Fail",
                                                            "Open XML File Fail"}));
        MultiLanguageCatalogue catalogueTexts;
        EXPECT_FALSE(catalogueTexts.LoadMultiLanguageMsgFile(messages));
        ChipPath found;
        EXPECT_FALSE(FindChipInCatalogue(catalogue, "QR31A", found));
        EXPECT_TRUE(std::filesystem::exists(options));
    }
}

}  // namespace
}  // namespace vexlor
