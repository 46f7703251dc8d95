#include <gtest/gtest.h>

#include "core/ops/OptionWord.h"

namespace vexlor {
namespace {

TEST(OptionWord, SomeChipsOfferTheProtectChoiceOnly) {
    for (const char* chip : {"QRV7371", "QRV7038", "QR64G98", "QR64S27", "QR6401"}) {
        EXPECT_EQ(PresetOptionChoices(chip), (OptionChoices{0, -1, -1})) << chip;
    }
    for (const char* chip : {"QRV7049", "QR6417", "QRV737", "qrv7371", ""}) {
        EXPECT_EQ(PresetOptionChoices(chip), (OptionChoices{0, 0, 0})) << chip;
    }
}

TEST(OptionWord, ChoicesGoIntoTheWordByChip) {
    // Bits set for Unprotect (0), Fast mode (1) and 32KHz disable (2), as the writer reads them.
    struct Case {
        const char* chip;
        OptionChoices choices;
        std::uint32_t word;
    };
    const Case cases[] = {
        {"QRV7371", {1, -1, -1}, 0x60},
        {"QRV7371", {0, -1, -1}, 0x61},
        {"QRV7038", {0, -1, -1}, 0x61},
        // The protect bit alone is the word.
        {"QR64G98", {1, -1, -1}, 0x00},
        {"QR64S27", {0, -1, -1}, 0x01},
        {"QRV7049", {1, 1, 1}, 0x60},
        {"QRV7049", {0, 1, 1}, 0x61},
        {"QRV7049", {1, 0, 1}, 0x62},
        {"QRV7049", {1, 1, 0}, 0x64},
        {"QRV7049", {0, 0, 0}, 0x67},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OptionWordAfterSelect(c.chip, kInitialOptionWord, c.choices), c.word)
            << c.chip << " " << c.choices.protect << c.choices.mode << c.choices.clock;
    }
}

TEST(OptionWord, DialogOpensOnTheJobsChoicesForTheSameChipOnly) {
    JobState job;
    job.optionChoicesChip = "QRV7049";
    job.optionChoices = {1, 0, 1};
    EXPECT_EQ(InitialOptionChoices("QRV7049", job), (OptionChoices{1, 0, 1}));
    EXPECT_EQ(InitialOptionChoices("QRV7012", job), (OptionChoices{0, 0, 0}));
    // A restored protect-only layout knows the protect choice alone.
    job.optionChoices = {1, -1, -1};
    EXPECT_EQ(InitialOptionChoices("QRV7049", job), (OptionChoices{1, 0, 0}));
    job.optionChoicesChip = "QRV7371";
    job.optionChoices = {1, 1, 1};
    EXPECT_EQ(InitialOptionChoices("QRV7371", job), (OptionChoices{1, -1, -1}));
}

}  // namespace
}  // namespace vexlor
