#include <gtest/gtest.h>

#include "core/chipdb/ChipSearch.h"
#include "support/ScratchDir.h"

namespace vexlor {
namespace {

std::vector<std::string> namesOf(const std::vector<ChipPath>& paths) {
    std::vector<std::string> names;
    for (const ChipPath& path : paths) {
        names.push_back(path.name);
    }
    return names;
}

class ChipSearch : public ::testing::Test {
  protected:
    // QR31B sits under two series; the bare element and the entry without a name attribute still
    // hold their places in the lists, so the chips after them keep their list positions.
    void SetUp() override {
        catalogue = scratch.write("ChipList/KLW20_mcu.xml", test::dataText("chipdb/search.xml"));
    }
    test::ScratchDir scratch;
    std::filesystem::path catalogue;
};

TEST_F(ChipSearch, FindsTheFirstChipOfExactlyThatNameWithItsListPositions) {
    const auto check = [&](const char* name, const ChipPath& expected) {
        ChipPath found;
        EXPECT_TRUE(FindChipInCatalogue(catalogue, name, found)) << name;
        EXPECT_EQ(found, expected) << name;
    };
    check("QR31A", {"OTP", 0, "QR31", 0, "QR31A", 0});
    check("QR31B", {"OTP", 0, "QR31", 0, "QR31B", 1});
    check("QR41a", {"MTP", 1, "QR41", 0, "QR41a", 1});
    check("QR42A", {"MTP", 1, "QR42", 1, "QR42A", 0});
    // Exact, case-sensitive names only; a miss leaves the path alone.
    for (const char* name : {"QR41A", "qr31a", "QR31", "", "unnamed"}) {
        ChipPath found{"keep", 7, "keep", 7, "keep", 7};
        EXPECT_FALSE(FindChipInCatalogue(catalogue, name, found)) << name;
        EXPECT_EQ(found, (ChipPath{"keep", 7, "keep", 7, "keep", 7})) << name;
    }
}

TEST_F(ChipSearch, FilterListsEachContainingNameOnceInCatalogueOrder) {
    const auto check = [&](const char* text, const std::vector<std::string>& names) {
        EXPECT_EQ(namesOf(FilterChipsInCatalogue(catalogue, text)), names) << text;
    };
    check("", {"QR31A", "QR31B", "QR41a", "QR42A"});
    check("QR3", {"QR31A", "QR31B"});
    check("1B", {"QR31B"});
    check("A", {"QR31A", "QR42A"});
    check("a", {"QR41a"});
    check("qr", {});
    check("QR31BX", {});
    // The duplicate keeps the place of its first occurrence.
    const auto matches = FilterChipsInCatalogue(catalogue, "QR31B");
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(matches[0].series, "QR31");
}

TEST_F(ChipSearch, UnreadableCatalogueFindsNothing) {
    for (const auto& file : {scratch.path() / "none.xml", scratch.write("bad.xml", "<a><b></a>"),
                             std::filesystem::path()}) {
        ChipPath found;
        EXPECT_FALSE(FindChipInCatalogue(file, "QR31A", found));
        EXPECT_TRUE(FilterChipsInCatalogue(file, "").empty());
    }
}

}  // namespace
}  // namespace vexlor
