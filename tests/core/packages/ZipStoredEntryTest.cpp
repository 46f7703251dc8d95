// Archives whose entries are stored without compression, as some zip tools write small or
// incompressible files. The program never writes them, so the test lays them out by hand.
#include <zlib.h>

#include <gtest/gtest.h>

#include <optional>

#include "core/packages/ZipArchive.h"
#include "core/packages/ZipCipher.h"
#include "support/PackageFiles.h"

namespace vexlor::test {
namespace {

struct StoredEntry {
    std::string name;
    Bytes data;
    std::string password;  // empty: not encrypted
    // What the headers claim the entry unpacks to; the data's own size when absent.
    std::optional<std::uint32_t> claimedSize = std::nullopt;
};

void put(Bytes& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

Bytes storedArchive(const std::vector<StoredEntry>& entries) {
    Bytes archive;
    Bytes directory;
    for (const StoredEntry& entry : entries) {
        const auto crc = static_cast<std::uint32_t>(
            crc32(0, entry.data.data(), static_cast<uInt>(entry.data.size())));
        Bytes body = entry.data;
        if (!entry.password.empty()) {
            ZipCipher cipher(entry.password);
            body.clear();
            for (int i = 0; i < ZipCipher::kHeaderSize - 1; ++i) {
                body.push_back(cipher.encrypt(static_cast<std::uint8_t>(0x5a + i)));
            }
            body.push_back(cipher.encrypt(static_cast<std::uint8_t>(crc >> 24)));
            for (std::uint8_t byte : entry.data) {
                body.push_back(cipher.encrypt(byte));
            }
        }
        const std::uint32_t flags = entry.password.empty() ? 0 : 1;
        const std::uint32_t size = entry.claimedSize.value_or(std::uint32_t(entry.data.size()));
        const auto common = [&](Bytes& out) {
            put(out, flags, 2);
            put(out, 0, 2);  // stored
            put(out, 0, 4);  // time and date
            put(out, crc, 4);
            put(out, std::uint32_t(body.size()), 4);
            put(out, size, 4);
            put(out, std::uint32_t(entry.name.size()), 2);
            put(out, 0, 2);  // no extra field
        };
        put(directory, 0x02014b50, 4);
        put(directory, 0x0314, 2);  // made on Unix
        put(directory, 20, 2);
        common(directory);
        put(directory, 0, 2 + 2 + 2);  // comment, disk, internal attributes
        put(directory, 0100644u << 16, 4);
        put(directory, std::uint32_t(archive.size()), 4);
        directory.insert(directory.end(), entry.name.begin(), entry.name.end());

        put(archive, 0x04034b50, 4);
        put(archive, 20, 2);
        common(archive);
        archive.insert(archive.end(), entry.name.begin(), entry.name.end());
        archive.insert(archive.end(), body.begin(), body.end());
    }
    const auto directoryAt = std::uint32_t(archive.size());
    archive.insert(archive.end(), directory.begin(), directory.end());
    put(archive, 0x06054b50, 4);
    put(archive, 0, 4);
    put(archive, std::uint32_t(entries.size()), 2);
    put(archive, std::uint32_t(entries.size()), 2);
    put(archive, std::uint32_t(directory.size()), 4);
    put(archive, directoryAt, 4);
    put(archive, 0, 2);
    return archive;
}

TEST(ZipStoredEntry, StoredEntriesComeBackOrAreRefusedByTheirLimits) {
    Bytes noise(3500);
    for (std::size_t i = 0; i < noise.size(); ++i) {
        noise[i] = static_cast<std::uint8_t>(i * 131 + 7);
    }
    ZipLimits limits;
    limits.maxEntryBytes = 4096;
    limits.maxTotalBytes = 6000;
    struct Case {
        const char* label;
        std::vector<StoredEntry> entries;
        std::string password;
        std::string problem;  // empty: the entries come back as written
    };
    const std::vector<Case> cases = {
        {"plain", {{"list.xml", bytesOf("<list/>"), ""}, {"empty.ic", {}, ""}}, "", ""},
        {"encrypted", {{"list.xml", noise, "secret"}}, "secret", ""},
        {"encrypted, wrong password",
         {{"list.xml", noise, "secret"}},
         "other",
         "\"list.xml\" cannot be unpacked (wrong password or damaged data)."},
        {"together beyond the total",
         {{"a.bin", noise, ""}, {"b.bin", noise, ""}},
         "",
         "The package unpacks to more than 0 MiB."},
        {"more data than its header claims",
         {{"big.bin", Bytes(5000, 0x11), "", 100}},
         "",
         "\"big.bin\" unpacks to more than the 0 MiB an entry may have."},
        {"a name that leaves no file",
         {{"./.", bytesOf("x"), ""}},
         "",
         "Refused entry: \"./.\" names no file."},
        {"a name longer than any path",
         {{std::string(1024, 'n'), bytesOf("x"), ""}},
         "",
         "The package holds an entry with an overlong name."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const ZipContents got = ReadZipArchive(storedArchive(c.entries), c.password, limits);
        EXPECT_EQ(got.problem, c.problem);
        if (!c.problem.empty()) {
            EXPECT_TRUE(got.items.empty());
            continue;
        }
        ASSERT_EQ(got.items.size(), c.entries.size());
        for (std::size_t i = 0; i < c.entries.size(); ++i) {
            EXPECT_EQ(got.items[i].name, c.entries[i].name);
            EXPECT_EQ(got.items[i].data, c.entries[i].data);
            EXPECT_EQ(got.items[i].unixMode, 0100644u);
        }
    }
}

}  // namespace
}  // namespace vexlor::test
