// The production log in the program's database, its times and its CSV.
#include <gtest/gtest.h>

#include "core/production/ProductionCsv.h"
#include "core/production/UtcTime.h"
#include "core/serial/ProductionLog.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

TEST(UtcTime, TimestampsAndWhatSinceAccepts) {
    EXPECT_EQ(UtcTimestamp(0), "1970-01-01T00:00:00Z");
    EXPECT_EQ(UtcTimestamp(951782400), "2000-02-29T00:00:00Z");
    const struct {
        const char* text;
        const char* parsed;  // nullptr: refused
    } cases[] = {
        {"2026-12-06", "2026-12-06T00:00:00Z"},
        {"2026-12-06T08:30", "2026-12-06T08:30:00Z"},
        {"2026-12-06 08:30:59Z", "2026-12-06T08:30:59Z"},
        {"2024-02-29", "2024-02-29T00:00:00Z"},
        {"2026-02-29", nullptr},
        {"2026-13-01", nullptr},
        {"2026-12-06T24:00", nullptr},
        {"2026-12-06T08:60", nullptr},
        {"2026-12-06T08", nullptr},
        {"2026-12-06T08:30:5", nullptr},
        {"yesterday", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseUtcTimestamp(c.text);
        EXPECT_EQ(parsed.has_value(), c.parsed != nullptr) << c.text;
        if (parsed && c.parsed) {
            EXPECT_EQ(*parsed, c.parsed);
        }
    }
}

TEST(ProductionCsv, QuotesOnlyFieldsThatNeedIt) {
    const std::vector<ProductionEntry> entries = {
        {"2026-12-06T08:00:00Z", "simulated", "QRV7049", "ab", "00A0", true, ""},
        {"2026-12-06T08:00:01Z", "KLW300 12,34", "QRV7049", "ab", "", false, "said \"no\"\nthen"},
    };
    EXPECT_EQ(ProductionLogCsv(entries),
              "time,writer,chip,checksum,serial,result,message\r\n"
              "2026-12-06T08:00:00Z,simulated,QRV7049,ab,00A0,OK,\r\n"
              "2026-12-06T08:00:01Z,\"KLW300 12,34\",QRV7049,ab,,NG,\"said \"\"no\"\"\nthen\"\r\n");
}

TEST(ProductionLog, KeepsEntriesAcrossOpeningsAndSelectsThem) {
    ScratchDir dir;
    const auto entry = [](const char* time, const char* chip, const char* serial, bool passed) {
        return ProductionEntry{time, "simulated", chip, "ab", serial, passed, passed ? "" : "x"};
    };
    const std::vector<ProductionEntry> written = {
        entry("2026-12-05T23:59:59Z", "QRV7049", "00A0", true),
        entry("2026-12-06T00:00:00Z", "QRV7049", "", false),
        entry("2026-12-06T00:00:01Z", "QRV7049", "00A1", true),
        entry("2026-12-06T00:00:02Z", "QR31N4365", "00A2", true),
        entry("2026-12-06T00:00:03Z", "QRV7049", "000000A2", true),
    };
    {
        ProductionLog log(dir / "vexlor-writer.db");
        for (const auto& e : written) {
            ASSERT_TRUE(log.append(e)) << log.error();
        }
    }
    ProductionLog log(dir / "vexlor-writer.db");
    EXPECT_EQ(log.entriesSince(""), written);
    EXPECT_EQ(log.entriesSince("2026-12-06T00:00:00Z"),
              (std::vector(written.begin() + 1, written.end())));
    // Only passing chips of the chip, with numbers of the same width, in the range.
    const auto given = log.serialsGiven("QRV7049", "00A1", "00FF");
    ASSERT_TRUE(given);
    EXPECT_EQ(*given, std::vector{written[2]});
}

}  // namespace
}  // namespace vexlor::test
