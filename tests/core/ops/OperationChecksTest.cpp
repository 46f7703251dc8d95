#include <gtest/gtest.h>

#include "core/ops/OperationChecks.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

OptionHeader headerWith(const std::string& name, std::uint8_t sumHigh, std::uint8_t sumLow,
                        std::uint8_t jobState = 0) {
    OptionHeader h{};
    std::copy(name.begin(), name.end(), h.begin());
    h[16] = sumHigh;
    h[17] = sumLow;
    h[53] = jobState;
    return h;
}

struct CheckCase {
    const char* label;
    OptionHeader header;
    std::string selected;
    HeaderChecks checks;
    const char* refusal;  // nullptr: the job may start
};

TEST(OperationChecks, HeaderChecksInTheirOrder) {
    OptionHeader tenLetters = headerWith("ABCDEFGHIJ", 0x12, 0x34);
    tenLetters[10] = 'K';  // no zero byte after the tenth letter
    const CheckCase cases[] = {
        {"same name, downloaded", headerWith("QRV7049", 0x12, 0x34), "QRV7049",
         HeaderChecks::Download, nullptr},
        {"stored name shorter", headerWith("ABC", 0x12, 0x34), "ABCD", HeaderChecks::Download,
         "HW and SW Chip Name is discordant"},
        {"stored name longer", headerWith("ABCD", 0x12, 0x34), "ABC", HeaderChecks::Download,
         "HW and SW Chip Name is discordant"},
        {"case differs", headerWith("qrv7049", 0x12, 0x34), "QRV7049", HeaderChecks::Download,
         "HW and SW Chip Name is discordant"},
        {"ten letters, no terminator", tenLetters, "ABCDEFGHIJ", HeaderChecks::Download, nullptr},
        {"reload needed", headerWith("QRV7049", 0x12, 0x34, 0x10), "QRV7049",
         HeaderChecks::Download, "Please Reload Program File"},
        {"serial mode is no reload", headerWith("QRV7049", 0x12, 0x34, 0x11), "QRV7049",
         HeaderChecks::Download, nullptr},
        {"reload before download", headerWith("QRV7049", 0, 0, 0x10), "QRV7049",
         HeaderChecks::Download, "Please Reload Program File"},
        {"nothing downloaded", headerWith("QRV7049", 0, 0), "QRV7049", HeaderChecks::Download,
         "Please Download File"},
        {"checksum 00 01", headerWith("QRV7049", 0x00, 0x01), "QRV7049", HeaderChecks::Download,
         nullptr},
        {"checksum 01 00", headerWith("QRV7049", 0x01, 0x00), "QRV7049", HeaderChecks::Download,
         nullptr},
        {"read ignores download", headerWith("QRV7049", 0, 0, 0x10), "QRV7049",
         HeaderChecks::ChipNameOnly, nullptr},
        {"read checks the name", headerWith("QRV7003", 0, 0), "QRV7049", HeaderChecks::ChipNameOnly,
         "HW and SW Chip Name is discordant"},
    };
    for (const CheckCase& c : cases) {
        RecordingOperator op;
        const bool passed = CheckWriterJob(c.header, c.selected, c.checks, op);
        EXPECT_EQ(passed, c.refusal == nullptr) << c.label;
        if (c.refusal != nullptr) {
            ASSERT_EQ(op.shown.size(), 1u) << c.label;
            EXPECT_EQ(op.last().text, c.refusal) << c.label;
            EXPECT_EQ(op.last().caption, "Message") << c.label;
            EXPECT_EQ(op.last().icon, MessageIcon::Exclamation) << c.label;
        } else {
            EXPECT_TRUE(op.shown.empty()) << c.label;
        }
    }
}

TEST(OperationChecks, ProductionLimitIsTheHighNibbleOfOffset244) {
    const std::pair<std::uint8_t, bool> cases[] = {{0x1F, true},  {0x10, true},  {0x00, false},
                                                   {0x0F, false}, {0x01, false}, {0x20, false},
                                                   {0x9F, false}};
    for (auto [value, reached] : cases) {
        OptionHeader h{};
        h[244] = value;
        EXPECT_EQ(ProductionLimitReached(h), reached) << int(value);
    }
}

TEST(OperationChecks, ErasableChipsAreNamedByOffset71OfTheLocalBuffer) {
    ScratchDir dir;
    const std::pair<std::uint8_t, bool> cases[] = {{17, true},  {33, true},  {0, false},
                                                   {16, false}, {18, false}, {0x11 + 0x10, true}};
    for (auto [kind, erasable] : cases) {
        std::vector<std::uint8_t> buffer(512, 0);
        buffer[71] = kind;
        EXPECT_EQ(BufferNamesErasableChip(dir.writeBytes("o.prog", buffer)), erasable) << int(kind);
    }
    EXPECT_FALSE(BufferNamesErasableChip(dir / "missing.prog"));
    EXPECT_FALSE(
        BufferNamesErasableChip(dir.writeBytes("short.prog", std::vector<std::uint8_t>(71, 17))));
}

}  // namespace
}  // namespace vexlor::test
