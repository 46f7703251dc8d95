#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/chipdb/CatalogueFile.h"
#include "core/chipdb/ReadChipXml.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor {
namespace {

using Names = std::vector<std::string>;

class RecordingLists : public ChipListView {
  public:
    void clear(ChipList which) override {
        lists[which].clear();
        ++clears[which];
    }
    void add(ChipList which, std::string_view text) override { lists[which].emplace_back(text); }
    Names of(ChipList which) { return lists[which]; }
    std::map<ChipList, Names> lists;
    std::map<ChipList, int> clears;
};

class ChipLists : public ::testing::Test {
  protected:
    // Two MCU types; the second has two series. Every chip carries its own HextoBinMode so the chip
    // that was read can be told apart. A comment and a bare element at each level must not count.
    const std::string catalogue = test::dataText("chipdb/lists.xml");
    test::ScratchDir scratch;
    test::RecordingOperator op;
    ReadChipXml db{op, scratch.path()};
    RecordingLists lists;
};

TEST_F(ChipLists, FillsTheCascadeForEachSelection) {
    scratch.write("ChipList/KLW20_mcu.xml", catalogue);
    const auto check = [&](int type, int series, int name, const Names& seriesList,
                           const Names& nameList, int readMode) {
        EXPECT_EQ(db.LoadChipLists(lists, type, series, name, 1), 1);
        EXPECT_EQ(lists.of(ChipList::McuType), (Names{"OTP", "MTP"}));
        EXPECT_EQ(lists.of(ChipList::ChipSeries), seriesList);
        EXPECT_EQ(lists.of(ChipList::ChipName), nameList);
        EXPECT_EQ(db.chipDisplayInfo().HextoBinMode, readMode)
            << type << "/" << series << "/" << name;
    };
    check(0, 0, 0, {"QR31"}, {"QR31A", "QR31B"}, 1);
    check(0, 0, 1, {"QR31"}, {"QR31A", "QR31B"}, 2);
    check(1, 0, 0, {"QR41", "QR42"}, {"QR41A"}, 3);
    check(1, 1, 0, {"QR41", "QR42"}, {"QR42A", "QR42B"}, 4);
    check(1, 1, 1, {"QR41", "QR42"}, {"QR42A", "QR42B"}, 5);
    EXPECT_TRUE(op.shown.empty());
}

TEST_F(ChipLists, PackagesOnlyWithTheSecondSelector) {
    scratch.write("ChipList/KLW20_mcu.xml", catalogue);
    scratch.write("ChipList/KLW21_mcu.xml", catalogue);
    db.LoadChipLists(lists, 1, 1, 1, 1);
    EXPECT_EQ(lists.clears.count(ChipList::Packages), 0u);
    EXPECT_TRUE(lists.of(ChipList::Packages).empty());
    EXPECT_EQ(db.LoadChipLists(lists, 1, 1, 1, 2), 1);
    EXPECT_EQ(lists.of(ChipList::Packages), (Names{"SOP 8", "DIP14", "QFN20"}));
    EXPECT_EQ(db.chipDisplayInfo().ISP, 1);
    EXPECT_EQ(db.LoadChipLists(lists, 0, 0, 0, 2), 1);
    EXPECT_EQ(lists.of(ChipList::Packages), (Names{"DIP 8", "SOP16"}));
    // A chip without packages shows none, not the previous chip's.
    EXPECT_EQ(db.LoadChipLists(lists, 0, 0, 1, 2), 1);
    EXPECT_TRUE(lists.of(ChipList::Packages).empty());
    lists.lists[ChipList::Packages] = {"stale"};
    EXPECT_EQ(db.LoadChipLists(lists, 0, 0, 5, 2), 0);
    EXPECT_TRUE(lists.of(ChipList::Packages).empty());
}

TEST_F(ChipLists, LastChipSeriesIsWhatRemainsShown) {
    scratch.write("ChipList/KLW20_mcu.xml", R"(<Root>
      <ChipSeries><S type="First"><F name="F1"><C name="A"/></F></S></ChipSeries>
      <ChipSeries><S type="Second"><F name="F2"><C name="B"><FW_File>b.nce</FW_File></C></F></S></ChipSeries>
    </Root>)");
    EXPECT_EQ(db.LoadChipLists(lists, 0, 0, 0, 1), 1);
    EXPECT_EQ(lists.of(ChipList::McuType), (Names{"Second"}));
    EXPECT_EQ(lists.of(ChipList::ChipSeries), (Names{"F2"}));
    EXPECT_EQ(lists.of(ChipList::ChipName), (Names{"B"}));
    EXPECT_EQ(lists.clears[ChipList::McuType], 2);
    EXPECT_EQ(db.chipDisplayInfo().FW_File, "b.nce");
}

TEST_F(ChipLists, IndexOutsideItsListIsRefusedWithoutReadingAChip) {
    scratch.write("ChipList/KLW20_mcu.xml", catalogue);
    const auto check = [&](int type, int series, int name, const Names& seriesList,
                           const Names& nameList) {
        op.shown.clear();
        lists.lists[ChipList::ChipSeries] = {"stale"};
        lists.lists[ChipList::ChipName] = {"stale"};
        EXPECT_EQ(db.LoadChipLists(lists, type, series, name, 1), 0);
        EXPECT_EQ(lists.of(ChipList::McuType), (Names{"OTP", "MTP"}));
        EXPECT_EQ(lists.of(ChipList::ChipSeries), seriesList);
        EXPECT_EQ(lists.of(ChipList::ChipName), nameList);
        ASSERT_EQ(op.shown.size(), 1u);
        EXPECT_EQ(op.last().text, "Chip List Index Error!!");
        EXPECT_EQ(db.chipDisplayInfo(), ChipDisplayInfo{});
    };
    check(2, 0, 0, {}, {});
    check(-1, 0, 0, {}, {});
    check(1, 2, 0, {"QR41", "QR42"}, {});
    check(1, 0, 1, {"QR41", "QR42"}, {"QR41A"});
    check(0, 0, -1, {"QR31"}, {"QR31A", "QR31B"});
}

// Rewritten in place within the same second and at the same size: still read again.
TEST_F(ChipLists, RewrittenOrRemovedCatalogueIsNoticed) {
    const auto attributeOfRoot = [this] {
        const pugi::xml_document* parsed = db.catalogue(1);
        return parsed ? parsed->document_element().attribute("a").as_int() : -1;
    };
    scratch.write("ChipList/KLW20_mcu.xml", R"(<Root a="1"/>)");
    EXPECT_EQ(attributeOfRoot(), 1);
    scratch.write("ChipList/KLW20_mcu.xml", R"(<Root a="2"/>)");
    EXPECT_EQ(attributeOfRoot(), 2);
    std::filesystem::remove(CatalogueFilePath(scratch.path(), 1));
    EXPECT_EQ(attributeOfRoot(), -1);
}

TEST_F(ChipLists, FailuresAreReportedWithTheListReadersMessages) {
    const auto check = [&](const char* what, const char* content, int selector,
                           const char* message) {
        test::ScratchDir base;
        test::RecordingOperator recorder;
        ReadChipXml reader(recorder, base.path());
        RecordingLists untouched;
        if (content != nullptr) {
            base.write("ChipList/KLW20_mcu.xml", content);
        }
        EXPECT_EQ(reader.LoadChipLists(untouched, 0, 0, 0, selector), 0) << what;
        ASSERT_EQ(recorder.shown.size(), 1u) << what;
        EXPECT_EQ(recorder.last().text,
                  std::string(message) + "\n" + CatalogueFilePath(base.path(), selector).string())
            << what;
        EXPECT_TRUE(untouched.clears.empty()) << what;
    };
    check("missing file", nullptr, 1, "Open *.xml Error!!");
    check("malformed", "<ChipList><ChipSeries>", 1, "Open *.xml Error!!");
    check("selector 0", catalogue.c_str(), 0, "Open *.xml Error!!");
    check("no element", "<?xml version=\"1.0\"?>", 1, "Read Root Node Fail!!");
}

}  // namespace
}  // namespace vexlor
