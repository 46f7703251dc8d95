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
