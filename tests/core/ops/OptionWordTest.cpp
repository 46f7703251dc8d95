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
    struct Case {
        const char* chip;
        OptionChoices choices;
        std::uint32_t word;
    };
    const Case cases[] = {
        // Protect choice only: OR b0.
        {"QRV7371", {0, -1, -1}, 0x60},
        {"QRV7371", {1, -1, -1}, 0x61},
        {"QRV7038", {1, -1, -1}, 0x61},
        // The protect choice alone is the word.
        {"QR64G98", {0, -1, -1}, 0x00},
        {"QR64S27", {1, -1, -1}, 0x01},
        {"QR6401", {1, -1, -1}, 0x01},
        // Everyone else: b0, b1 x 2, b2 x 4.
        {"QRV7049", {0, 0, 0}, 0x60},
        {"QRV7049", {1, 0, 0}, 0x61},
        {"QRV7049", {0, 1, 0}, 0x62},
        {"QRV7049", {0, 0, 1}, 0x64},
        {"QRV7049", {1, 1, 1}, 0x67},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OptionWordAfterSelect(c.chip, kInitialOptionWord, c.choices), c.word)
            << c.chip << " " << c.choices.protect << c.choices.mode << c.choices.clock;
    }
}

}  // namespace
}  // namespace vexlor
