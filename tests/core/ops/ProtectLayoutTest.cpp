#include <gtest/gtest.h>

#include "core/ops/ProtectLayout.h"

namespace vexlor {
namespace {

// The bytes a layout touches, before and after, with the smart-option word.
struct Bits {
    std::uint8_t h36 = 0, h37 = 0, h43 = 0, h130 = 0;
    std::uint32_t word = 0;
    bool operator==(const Bits&) const = default;
};

struct ProtectCase {
    std::int32_t mode;
    bool protect;
    Bits before;
    Bits after;
    std::optional<FuseValues> fuses;
};

TEST(ProtectLayout, EveryLayoutChangesItsBitsAndNamesItsFuseBoxes) {
    const ProtectCase cases[] = {
        // Mode 1: bit 0 of 36 set means Unprotect.
        {1, false, {0xFE, 0, 0, 0, 0}, {0xFF, 0, 0, 0, 0}, FuseValues{1, -1, -1}},
        {1, true, {0xFF, 0, 0, 0, 0}, {0xFE, 0, 0, 0, 0}, FuseValues{0, -1, -1}},
        {2, false, {0, 0x80, 0, 0, 0}, {0, 0x81, 0, 0, 0}, FuseValues{1, -1, -1}},
        {2, true, {0, 0x81, 0, 0, 0}, {0, 0x80, 0, 0, 0}, FuseValues{0, -1, -1}},
        // Mode 3: bit 0 of 43 set means Protect.
        {3, true, {0, 0, 0xF0, 0, 0}, {0, 0, 0xF1, 0, 0}, FuseValues{0, -1, -1}},
        {3, false, {0, 0, 0xF1, 0, 0}, {0, 0, 0xF0, 0, 0}, FuseValues{1, -1, -1}},
        // Mode 4: Unprotect makes the low two bits 01.
        {4, false, {0, 0, 0, 0x02, 0}, {0, 0, 0, 0x01, 0}, FuseValues{1, -1, -1}},
        {4, false, {0, 0, 0, 0xFF, 0}, {0, 0, 0, 0xFD, 0}, FuseValues{1, -1, -1}},
        {4, true, {0, 0, 0, 0x03, 0}, {0, 0, 0, 0x02, 0}, FuseValues{0, -1, -1}},
        // Mode 5: the protect bit, and mode and clock from bits 1 and 2.
        {5, false, {0x04, 0, 0, 0, 0}, {0x05, 0, 0, 0, 0}, FuseValues{1, 0, 1}},
        {5, true, {0x03, 0, 0, 0, 0}, {0x02, 0, 0, 0, 0}, FuseValues{0, 1, 0}},
        // Modes 6 to 8, 10 and the rest carry the bit into the smart-option word too.
        {6, true, {0x00, 0, 0, 0, 0x0000}, {0x80, 0, 0, 0, 0x8000}, std::nullopt},
        // The word is 32 bits wide: the bits above 15 stay as they are.
        {6, false, {0xFF, 0, 0, 0, 0xFFFFFFFF}, {0x7F, 0, 0, 0, 0xFFFF7FFF}, std::nullopt},
        {7, true, {0x00, 0, 0, 0, 0x0000}, {0x20, 0, 0, 0, 0x2000}, std::nullopt},
        {7, false, {0xFF, 0, 0, 0, 0xFFFF}, {0xDF, 0, 0, 0, 0xDFFF}, std::nullopt},
        {8, true, {0xFF, 0, 0, 0, 0xFFFF}, {0x7F, 0, 0, 0, 0x7FFF}, std::nullopt},
        {8, false, {0x00, 0, 0, 0, 0x0000}, {0x80, 0, 0, 0, 0x8000}, std::nullopt},
        // Mode 9: 11 protects, 01 unprotects; the boxes get the inverted low bits.
        {9, true, {0, 0, 0, 0x00, 0}, {0, 0, 0, 0x03, 0}, FuseValues{0, -1, -1}},
        {9, false, {0, 0, 0, 0xFE, 0}, {0, 0, 0, 0xFD, 0}, FuseValues{2, -1, -1}},
        {10, true, {0, 0xFF, 0, 0, 0x1FFFF}, {0, 0x7F, 0, 0, 0x1FF7F}, std::nullopt},
        {10, false, {0, 0x00, 0, 0, 0x0000}, {0, 0x80, 0, 0, 0x0080}, std::nullopt},
        {0, true, {0xFF, 0, 0, 0, 0xFFFF}, {0xDF, 0, 0, 0, 0xDFFF}, std::nullopt},
        {0, false, {0x00, 0, 0, 0, 0x0000}, {0x20, 0, 0, 0, 0x2000}, std::nullopt},
        {11, false, {0x00, 0, 0, 0, 0x0000}, {0x20, 0, 0, 0, 0x2000}, std::nullopt},
        {-1, true, {0xFF, 0, 0, 0, 0xFFFF}, {0xDF, 0, 0, 0, 0xDFFF}, std::nullopt},
    };
    for (const ProtectCase& c : cases) {
        OptionHeader h{};
        h.fill(0x5A);
        h[36] = c.before.h36;
        h[37] = c.before.h37;
        h[43] = c.before.h43;
        h[130] = c.before.h130;
        std::uint32_t word = c.before.word;
        const auto fuses = ApplyProtectChoice(c.mode, c.protect, h, word);
        const Bits after{h[36], h[37], h[43], h[130], word};
        const std::string label =
            "mode " + std::to_string(c.mode) + (c.protect ? " protect" : " unprotect");
        EXPECT_EQ(after, c.after) << label;
        EXPECT_EQ(fuses, c.fuses) << label;
        // Nothing else in the header moves.
        for (std::size_t i = 0; i < h.size(); ++i) {
            if (i != 36 && i != 37 && i != 43 && i != 130) {
                ASSERT_EQ(h[i], 0x5A) << label << " offset " << i;
            }
        }
    }
}

}  // namespace
}  // namespace vexlor
