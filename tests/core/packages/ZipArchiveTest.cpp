#include <gtest/gtest.h>

#include <functional>

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
    std::vector<std::pair<std::string, Bytes>> items;
    for (const ZipItem& item : got.items) {
        items.emplace_back(item.name, item.data);
    }
    EXPECT_EQ(items,
              (std::vector<std::pair<std::string, Bytes>>{
                  {"list.xml", bytesOf("<a/>")}, {"ICInfo/empty.ic", {}}, {"big.bin", large}}));
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
    const auto check = [&](const char* label, const std::vector<ZipItem>& items,
                           const char* problem) {
        SCOPED_TRACE(label);
        const ZipContents got = roundTrip(items, "secret", small);
        EXPECT_NE(got.problem.find(problem), std::string::npos) << got.problem;
        EXPECT_TRUE(got.items.empty());
    };
    check("parent folder", {{"ok.txt", bytesOf("x")}, {"../evil", bytesOf("x")}}, "outside");
    check("link", {{"ICInfo", bytesOf("/etc"), 0120777}}, "link");
    check("fifo", {{"pipe", {}, 0010644}}, "special");
    check("entry over its limit", {{"bomb", zeros}}, "an entry may have");
    check("total over its limit",
          {{"a", Bytes(3000, 1)}, {"b", Bytes(3000, 2)}, {"c", Bytes(3000, 3)}},
          "unpacks to more than");
    check("too many entries", {{"a", {}}, {"b", {}}, {"c", {}}, {"d", {}}}, "more than 3 entries");
}

// Sets the 16-bit field at `offset` of every header that starts with `signature`.
void patchHeaders(Bytes& zip, std::string_view signature, std::size_t offset, std::uint16_t value) {
    for (std::size_t at = 0; at + offset + 2 <= zip.size(); ++at) {
        if (std::equal(signature.begin(), signature.end(), zip.begin() + long(at))) {
            zip[at + offset] = static_cast<std::uint8_t>(value);
            zip[at + offset + 1] = static_cast<std::uint8_t>(value >> 8);
        }
    }
}

// The compression method of the local (offset 8) and the central (offset 10) headers.
void setMethod(Bytes& zip, std::uint16_t method) {
    patchHeaders(zip, "PK\3\4", 8, method);
    patchHeaders(zip, "PK\1\2", 10, method);
}

TEST_F(ZipArchiveTest, DamagedArchivesAreRefusedWithTheirReason) {
    const Bytes text = bytesOf(std::string(200, 'a') + "end");
    const Bytes good = readBytes(makeZip(dir / "good.zip", "", {{"a.txt", text}}));
    ASSERT_TRUE(ReadZipArchive(good, "").ok());
    struct Case {
        const char* label;
        std::function<void(Bytes&)> damage;
        const char* problem;
    };
    const Case cases[] = {
        {"no archive at all", [](Bytes& zip) { zip.assign(64, 'x'); }, "not a zip archive"},
        {"cut short", [](Bytes& zip) { zip.resize(zip.size() - 30); }, "not a zip archive"},
        // The first entry's data follows its 30-byte header, its name and its extra field.
        {"packed data changed", [](Bytes& zip) { zip[30 + zip[26] + zip[28] + 1] ^= 0x55; },
         "cannot be unpacked"},
        {"packed data read as stored", [](Bytes& zip) { setMethod(zip, 0); }, "cannot be unpacked"},
        {"a method it does not know", [](Bytes& zip) { setMethod(zip, 12); },
         "packed with a method"},
        {"entry header lost", [](Bytes& zip) { zip[0] = 'X'; }, "\"a.txt\" cannot be unpacked"},
        {"directory entry lost", [](Bytes& zip) { patchHeaders(zip, "PK\1\2", 0, 0); },
         "its list of entries cannot be read"},
    };
    for (const Case& c : cases) {
        Bytes zip = good;
        c.damage(zip);
        const ZipContents got = ReadZipArchive(zip, "");
        EXPECT_NE(got.problem.find(c.problem), std::string::npos) << c.label << ": " << got.problem;
        EXPECT_TRUE(got.items.empty()) << c.label;
    }
    EXPECT_NE(ReadZipFile(dir / "absent.zip", "").problem.find("cannot be read"),
              std::string::npos);
    const auto huge = dir / "huge.zip";
    std::filesystem::resize_file(makeZip(huge, "", {{"a.txt", text}}), (64u << 20) + 1);  // sparse
    EXPECT_EQ(ReadZipFile(huge, "").problem,
              huge.string() + " cannot be read.\nThe file is larger than the 64 MiB limit.");
}

}  // namespace
}  // namespace vexlor::test
