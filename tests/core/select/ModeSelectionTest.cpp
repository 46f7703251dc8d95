#include <gtest/gtest.h>

#include "core/select/ModeSelection.h"

namespace vexlor {
namespace {

// Box order in the patterns below: Display Serial Number, Mass Production, Production Limit,
// EXHV ISP, ISP, Whole Chip Erase.
template <typename Items, typename Digit>
std::string pattern(const Items& items, Digit digit) {
    std::string text;
    for (const auto& item : items) {
        text += static_cast<char>('0' + digit(item));
    }
    return text;
}

std::string enabledPattern(const ModeControls& c) {
    return pattern(c.boxes, [](const auto& box) { return box.enabled ? 1 : 0; });
}

std::string checkedPattern(const ModeControls& c) {
    return pattern(c.boxes, [](const auto& box) { return box.checked ? 1 : 0; });
}

std::string statePattern(const ModeData& data) {
    return pattern(data.states, [](auto state) { return state; });
}

ChipDisplayInfo keys(int rolling, int mass, int limit, int exhv, int isp, int erase) {
    ChipDisplayInfo info;
    info.RollingCode = rolling;
    info.MassProduction = mass;
    info.ProductionLimit = limit;
    info.ExHVISP = exhv;
    info.ISP = isp;
    info.EraseMode = erase;
    return info;
}

TEST(ModeSelection, ChipKeysDecideWhichBoxesAreOffered) {
    const auto check = [&](const ChipDisplayInfo& keys, const char* chip, const char* enabled,
                           const char* checked) {
        ModeSelection modes;
        modes.applyChipSpecialCases(keys, chip);
        EXPECT_EQ(enabledPattern(modes.controls()), enabled) << chip;
        EXPECT_EQ(checkedPattern(modes.controls()), checked) << chip;
        EXPECT_EQ(statePattern(modes.data()), checked) << chip;
        EXPECT_FALSE(modes.controls().countEnabled) << chip;
    };
    check(keys(1, 1, 1, 1, 1, 1), "PLAIN01", "111111", "000000");
    check(keys(0, 0, 0, 0, 0, 0), "PLAIN01", "000000", "000000");
    // Each key allows its own box: any two boxes differ in one of these three patterns.
    check(keys(1, 0, 1, 0, 1, 0), "PLAIN01", "101010", "000000");
    check(keys(0, 1, 1, 0, 0, 1), "PLAIN01", "011001", "000000");
    check(keys(0, 0, 0, 1, 1, 1), "PLAIN01", "000111", "000000");
    // Any non-zero key value allows the mode.
    check(keys(5, -1, 2, 0, 0, 7), "PLAIN01", "111001", "000000");
    // A forced mode is checked and greyed and shuts out the other ISP mode.
    check(keys(1, 1, 1, 1, 1, 1), "QR46YJ45", "111001", "000100");
    check(keys(1, 1, 1, 1, 0, 1), "46EP6239MB", "111001", "000100");
    check(keys(1, 1, 1, 1, 1, 1), "QR31ZJ0115", "111001", "000010");
    check(keys(0, 0, 0, 0, 1, 0), "31YH6019B", "000000", "000010");
    // The chip's key wins over the list: a mode it does not allow is never forced on.
    check(keys(1, 1, 1, 1, 0, 1), "QR31ZJ0115", "111101", "000000");
    check(keys(1, 1, 1, 0, 1, 1), "QR46YJ45", "111011", "000000");
    // The lists are exact: a forced name in the other list forces nothing.
    check(keys(1, 1, 1, 1, 1, 1), "qr31zj0115", "111111", "000000");
}

TEST(ModeSelection, ANewChipDropsEveryEarlierChoice) {
    ModeSelection modes;
    modes.applyChipSpecialCases(keys(1, 1, 1, 1, 1, 1), "PLAIN01");
    modes.click(ModeBox::ProductionLimit, true);
    modes.click(ModeBox::WholeChipErase, true);
    modes.click(ModeBox::IspProgram, true);
    EXPECT_EQ(statePattern(modes.data()), "001011");
    EXPECT_TRUE(modes.controls().countEnabled);
    modes.applyChipSpecialCases(keys(1, 1, 0, 1, 1, 1), "PLAIN02");
    EXPECT_EQ(enabledPattern(modes.controls()), "110111");
    EXPECT_EQ(checkedPattern(modes.controls()), "000000");
    EXPECT_EQ(statePattern(modes.data()), "000000");
    EXPECT_FALSE(modes.controls().countEnabled);
}

TEST(ModeSelection, ClicksExcludeTheModesThatCannotGoTogether) {
    struct Case {
        ChipDisplayInfo keys;
        ModeBox first;
        bool uncheckAgain;
        const char* enabled;
        bool countEnabled;
    };
    const ChipDisplayInfo all = keys(1, 1, 1, 1, 1, 1);
    const Case cases[] = {
        {all, ModeBox::ExHvIspProgram, false, "111101", false},
        {all, ModeBox::IspProgram, false, "111011", false},
        {all, ModeBox::DisplaySerialNumber, false, "100111", false},
        {all, ModeBox::MassProduction, false, "010111", false},
        {all, ModeBox::ProductionLimit, false, "001111", true},
        {all, ModeBox::WholeChipErase, false, "111111", false},
        // Unchecking gives back what the check took, but only what the chip allows.
        {keys(1, 0, 1, 1, 1, 1), ModeBox::DisplaySerialNumber, true, "101111", false},
        {keys(1, 1, 0, 1, 1, 1), ModeBox::DisplaySerialNumber, true, "110111", false},
        {keys(0, 1, 1, 1, 1, 1), ModeBox::MassProduction, true, "011111", false},
        {keys(1, 1, 0, 1, 1, 1), ModeBox::MassProduction, true, "110111", false},
        {keys(0, 1, 1, 1, 1, 1), ModeBox::ProductionLimit, true, "011111", false},
        {keys(1, 0, 1, 1, 1, 1), ModeBox::ProductionLimit, true, "101111", false},
        {keys(1, 1, 1, 1, 0, 1), ModeBox::ExHvIspProgram, true, "111101", false},
        {keys(1, 1, 1, 0, 1, 1), ModeBox::IspProgram, true, "111011", false},
    };
    for (const auto& c : cases) {
        ModeSelection modes;
        modes.applyChipSpecialCases(c.keys, "PLAIN01");
        modes.click(c.first, true);
        if (c.uncheckAgain) {
            modes.click(c.first, false);
        }
        const auto index = static_cast<std::size_t>(c.first);
        EXPECT_EQ(enabledPattern(modes.controls()), c.enabled) << index << c.uncheckAgain;
        EXPECT_EQ(modes.controls().countEnabled, c.countEnabled) << index << c.uncheckAgain;
        EXPECT_EQ(modes.data()[c.first], c.uncheckAgain ? 0 : 1) << index;
        EXPECT_EQ(modes.controls()[c.first].checked, !c.uncheckAgain) << index;
    }
}

TEST(ModeSelection, ForcedModeCannotBeReleasedThroughTheOtherIspBox) {
    // The other ISP box is greyed, so no click sequence reaches the forced one.
    ModeSelection modes;
    modes.applyChipSpecialCases(keys(1, 1, 1, 1, 1, 1), "QR46NW51");
    EXPECT_FALSE(modes.controls()[ModeBox::IspProgram].enabled);
    EXPECT_FALSE(modes.controls()[ModeBox::ExHvIspProgram].enabled);
    modes.click(ModeBox::MassProduction, true);
    modes.click(ModeBox::MassProduction, false);
    EXPECT_EQ(statePattern(modes.data()), "000100");
    EXPECT_EQ(enabledPattern(modes.controls()), "111001");
}

TEST(ModeSelection, CountIsTakenOnlyWhenInRange) {
    ModeSelection modes;
    modes.applyChipSpecialCases(keys(1, 1, 1, 1, 1, 1), "PLAIN01");
    modes.click(ModeBox::ProductionLimit, true);
    modes.setCountText("5000");
    EXPECT_EQ(modes.takeData(), std::nullopt);
    EXPECT_EQ(modes.data().productionLimitCount, 5000);
    modes.setCountText("0");
    EXPECT_EQ(modes.takeData(), "Enter an integer between 1 and 99999999.");
    EXPECT_EQ(modes.data().productionLimitCount, 5000);
    // The check states are taken even when the count is refused.
    modes.click(ModeBox::WholeChipErase, true);
    modes.setCountText("123456789");
    EXPECT_EQ(modes.takeData(), "Enter an integer between 1 and 99999999.");
    EXPECT_EQ(statePattern(modes.data()), "001001");
    EXPECT_EQ(modes.data().productionLimitCount, 5000);
}

TEST(ModeSelection, ShowAndResetExchangeDataWithTheControls) {
    ModeSelection modes;
    modes.applyChipSpecialCases(keys(1, 1, 1, 1, 1, 1), "PLAIN01");
    modes.click(ModeBox::DisplaySerialNumber, true);
    modes.setCountText("77");
    ASSERT_EQ(modes.takeData(), std::nullopt);
    modes.resetData();
    EXPECT_EQ(statePattern(modes.data()), "000000");
    EXPECT_EQ(modes.data().productionLimitCount, 1);
    // Resetting the data leaves the controls until they are shown.
    EXPECT_EQ(checkedPattern(modes.controls()), "100000");
    EXPECT_EQ(modes.controls().countText, "77");
    modes.showData();
    EXPECT_EQ(checkedPattern(modes.controls()), "000000");
    EXPECT_EQ(modes.controls().countText, "1");
}

}  // namespace
}  // namespace vexlor
