#include <gtest/gtest.h>

#include <vector>

#include "SelectFixture.h"
#include "core/select/ChipSearchModel.h"
#include "support/RecordingOperator.h"

namespace vexlor {
namespace {

using Strings = std::vector<std::string>;

class ChipSearchModelTest : public ::testing::Test {
  protected:
    ChipSearchModelTest() { test::WriteSampleCatalogue(base); }
    test::ScratchDir base;
    std::filesystem::path catalogue = base / "ChipList/KLW20_mcu.xml";
    ChipSearchModel search{catalogue};
};

TEST_F(ChipSearchModelTest, TypedTextIsCapitalisedAndAnExactNameSelected) {
    // Which names contain the text is the catalogue search's rule; here what the dialog adds.
    const auto check = [&](const char* typed, const char* shown, const Strings& names,
                           int selection) {
        search.setText(typed);
        EXPECT_EQ(search.text(), shown) << typed;
        EXPECT_EQ(search.names(), names) << typed;
        EXPECT_EQ(search.selection(), selection) << typed;
    };
    check("A1", "A1", Strings{"QR31A100", "31A100"}, -1);
    // An exact name selects the first entry of that name.
    check("SHARED1", "SHARED1", Strings{"SHARED1"}, 0);
    check("31A100", "31A100", Strings{"QR31A100", "31A100"}, 0);
    // Typed letters become capitals, so a lower-case letter in a name cannot be matched.
    check("m20y2", "M20Y2", Strings{"M20Y2"}, 0);
    check("QR46b", "QR46B", Strings{}, -1);
}

TEST_F(ChipSearchModelTest, ClickingAnEntryPutsItsNameIntoTheEdit) {
    search.setText("A1");
    search.selectEntry(1);
    EXPECT_EQ(search.text(), "31A100");
    // The full name matches the earlier chip too; the first entry is the one selected.
    EXPECT_EQ(search.names(), (Strings{"QR31A100", "31A100"}));
    EXPECT_EQ(search.selection(), 0);
    search.selectEntry(5);
    EXPECT_EQ(search.text(), "31A100");
    // Keys walk the list without narrowing it.
    search.setText("A1");
    search.highlightEntry(1);
    EXPECT_EQ(search.text(), "31A100");
    EXPECT_EQ(search.names(), (Strings{"QR31A100", "31A100"}));
}

TEST_F(ChipSearchModelTest, TextLookedUpDependsOnHowTheDialogClosed) {
    const auto check = [&](const char* typed, SearchClosing closing, const char* lookedUp) {
        search.setText(typed);
        EXPECT_EQ(search.lookUpText(closing), lookedUp) << typed;
    };
    check("ZJ01", SearchClosing::Ok, "QR31ZJ0115");  // the one chip listed
    check("ZJ01", SearchClosing::Dismissed, "ZJ01");
    check("ZJ01", SearchClosing::Cancel, "");
    check("A1", SearchClosing::Ok, "A1");  // two listed: the text as typed
    check("QR99", SearchClosing::Ok, "QR99");
}

TEST_F(ChipSearchModelTest, LookupAfterClosingFindsTheFirstChipOfTheName) {
    test::RecordingOperator op;
    EXPECT_EQ(LookUpSearchedChip(catalogue, "", op), std::nullopt);
    EXPECT_TRUE(op.shown.empty());
    const auto shared = LookUpSearchedChip(catalogue, "SHARED1", op);
    ASSERT_TRUE(shared.has_value());
    EXPECT_EQ(*shared, (ChipPath{"MTP", 1, "M10", 0, "SHARED1", 1}));
    EXPECT_TRUE(op.shown.empty());
    EXPECT_EQ(LookUpSearchedChip(catalogue, "QR31", op), std::nullopt);
    ASSERT_EQ(op.shown.size(), 1u);
    EXPECT_EQ(op.last().text, "Can't find QR31");
    EXPECT_EQ(op.last().icon, MessageIcon::None);
    std::filesystem::remove(catalogue);
    EXPECT_EQ(LookUpSearchedChip(catalogue, "SHARED1", op), std::nullopt);
    EXPECT_EQ(op.last().text, "Can't find SHARED1");
}

}  // namespace
}  // namespace vexlor
