#include <gtest/gtest.h>

#include "support/PackageFiles.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

class ZipArchiveTest : public ::testing::Test {
  protected:
    ZipContents roundTrip(const std::vector<ZipItem>& items, const std::string& readPassword,
                          const ZipLimits& limits = {}) {
        const auto zip = makeZip(dir / "p.zip", "secret", items);
        return ReadZipFile(zip, readPassword, limits);
    }

    ScratchDir dir;
};

TEST_F(ZipArchiveTest, FilesComeBackWithThePasswordFoldersAreSkipped) {
    Bytes large(300000);
    for (std::size_t i = 0; i < large.size(); ++i) {
        large[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    }
    const ZipContents got = roundTrip({{"list.xml", bytesOf("<a/>")},
                                       {"ICInfo/", {}, 040755},
                                       {"ICInfo/empty.ic", {}},
                                       {"big.bin", large}},
                                      "secret");
    ASSERT_TRUE(got.ok()) << got.problem;
    ASSERT_EQ(got.items.size(), 3u);
    EXPECT_EQ(got.items[0].name, "list.xml");
    EXPECT_EQ(got.items[0].data, bytesOf("<a/>"));
    EXPECT_EQ(got.items[1].name, "ICInfo/empty.ic");
    EXPECT_TRUE(got.items[1].data.empty());
    EXPECT_EQ(got.items[2].data, large);
}

TEST_F(ZipArchiveTest, EncryptedItemsNeedTheRightPassword) {
    const ZipContents got = roundTrip({{"list.xml", bytesOf("<list/>")}}, "other");
    EXPECT_FALSE(got.ok());
    EXPECT_NE(got.problem.find("wrong password"), std::string::npos) << got.problem;
    EXPECT_TRUE(got.items.empty());
}

TEST_F(ZipArchiveTest, HostileOrOversizedArchivesAreRefusedWhole) {
    const Bytes zeros(5000, 0);  // packs into a few bytes: a small bomb
    ZipLimits small;
    small.maxEntryBytes = 4096;
    small.maxTotalBytes = 8192;
    small.maxEntries = 3;
    struct Case {
        const char* label;
        std::vector<ZipItem> items;
        const char* problem;
    };
    const std::vector<Case> cases = {
        {"parent folder", {{"ok.txt", bytesOf("x")}, {"../evil", bytesOf("x")}}, "outside"},
        {"link", {{"ICInfo", bytesOf("/etc"), 0120777}}, "link"},
        {"fifo", {{"pipe", {}, 0010644}}, "special"},
        {"entry over its limit", {{"bomb", zeros}}, "an entry may have"},
        {"total over its limit",
         {{"a", Bytes(3000, 1)}, {"b", Bytes(3000, 2)}, {"c", Bytes(3000, 3)}},
         "unpacks to more than"},
        {"too many entries", {{"a", {}}, {"b", {}}, {"c", {}}, {"d", {}}}, "more than 3 entries"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const ZipContents got = roundTrip(c.items, "secret", small);
        EXPECT_NE(got.problem.find(c.problem), std::string::npos) << got.problem;
        EXPECT_TRUE(got.items.empty());
    }
}

}  // namespace
}  // namespace vexlor::test
