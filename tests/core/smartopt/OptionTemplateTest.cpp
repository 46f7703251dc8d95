#include <gtest/gtest.h>

#include <tuple>

#include "core/smartopt/OptionSelections.h"
#include "core/smartopt/OptionTemplate.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

SmartOptionBlock parse(const std::string& text, int expectedItems) {
    ScratchDir dir;
    SmartOptionBlock block;
    EXPECT_EQ(ParseOptionTemplate(dir.write("chip.tin", text), block), expectedItems);
    return block;
}

std::vector<std::string> names(const SmartOptionBlock& block) {
    std::vector<std::string> out;
    for (const auto& item : block.items) {
        out.push_back(item.name);
    }
    return out;
}

TEST(OptionTemplate, MenuNumberingStopTextsAndMissingFile) {
    EXPECT_EQ(names(parse("[MENU]\nWatchdog\n[ITEM]\nOff\x01On\n", 1)),
              std::vector<std::string>{"Watchdog"});
    // The numbering counts the hidden items too.
    EXPECT_EQ(names(parse("[MENU]\nClock\nReset\nICE Mode\nDebug\n[ITEM]\n", 2)),
              (std::vector<std::string>{"01. Clock", "02. Reset"}));
    // Comments, one-character lines and CR LF ends are not items; '.' ends the menu.
    EXPECT_EQ(
        names(parse("; note\r\n[MENU]\r\n* old\r\nX\r\nClock\r\nReset\r\n.end\r\nMore\r\n", 2)),
        (std::vector<std::string>{"01. Clock", "02. Reset"}));
    EXPECT_EQ(parse("[ITEM]\nA\1B\n", 0).items.size(), 0u);
    SmartOptionBlock block;
    block.items.resize(2);
    EXPECT_EQ(ParseOptionTemplate("/nonexistent/chip.tin", block), 0);
    EXPECT_TRUE(block.items.empty());
}

TEST(OptionTemplate, SettingsDefaultsAndSwitchLines) {
    const SmartOptionBlock block = parse(
        "[MENU]\nClock\nReset\nPower\n[ITEM]\nOff\x01On\nx\x01y\x01z\nLow\x01High\n[FIRST]\n9B2\n"
        "[DIPSWITCH]\n1 30 00 10 20\nsw\n0 0Q 1\n",
        3);
    EXPECT_EQ(block.items[1].settings, (std::vector<std::string>{"x", "y", "z"}));
    // The first character of the line belongs to no item.
    EXPECT_EQ(std::tuple(block.selections[0], block.selections[1], block.selections[2]),
              std::tuple(0, 11, 2));
    // Lower case counts as upper case; any other character leaves the item's default alone.
    const SmartOptionBlock lower = parse("[MENU]\nA1\nB1\nC1\n[ITEM]\n[FIRST]\n9b-\n", 3);
    EXPECT_EQ(std::tuple(lower.selections[1], lower.selections[2]), std::tuple(11, 0));
    EXPECT_EQ(std::tuple(block.items[0].byteIndex, block.items[0].mask), std::tuple(1u, 0x30));
    EXPECT_EQ(block.items[0].values, (std::vector<std::uint32_t>{0x00, 0x10, 0x20}));
    // A damaged line is the item's line but reads nothing from the word, as a switch line.
    for (const SmartOptionItem& item : {block.items[1], block.items[2]}) {
        EXPECT_TRUE(item.switchLine && item.mask == -1 && item.values.empty()) << item.name;
    }
}

TEST(OptionSelections, WordSelectsTheSettingWithTheFieldsValue) {
    const auto check = [&](const char* line, std::uint32_t word, const char* chip, int selection) {
        SmartOptionBlock block =
            parse(std::string("[MENU]\nClock\n[ITEM]\na\1b\1c\1d\n[DIPSWITCH]\n") + line + "\n", 1);
        block.selections[0] = 7;
        SelectFromSystemConfig(block, word, chip);
        EXPECT_EQ(block.selections[0], selection) << line << " " << word << " " << chip;
    };
    check("0 30 00 10 20 30", 0x0020, "QN3244", 2);
    check("0 30 00 10 20 30", 0x2000, "QR31S0840", 2);
    check("0 30 00 10 20 30", 0x3000, "QR31X3517", 3);
    check("0 30 00 10 20 30", 0x1000, "QR31S2345", 1);
    check("0 30 00 10 20 30", 0x2000, "QN3244", 0);
    check("1 30 00 10 20 30", 0x1000, "QN3244", 1);
    check("3 C0 00 40 80 C0", 0x80000000, "QN3244", 2);
    check("4 FF 00 01 02 03", 0x01010101, "QN3244", 0);
    check("0 31 00 10 20 30", 0x0001, "QN3244", 4);
    check("SW", 0x0000, "QN3244", 4);
}

TEST(OptionSelections, UnknownWordKeepsDefaultsAndOnlyNineItemsAreRead) {
    std::string menu = "[MENU]\n";
    std::string settings = "[ITEM]\n";
    for (char c = 'A'; c <= 'K'; ++c) {
        menu += std::string("Item ") + c + "\n";
        settings += "a\1b\1c\1d\n";
    }
    const std::string text = menu + settings + "[FIRST]\n03333333333\n";
    SmartOptionBlock block = parse(text, 11);
    const auto defaults = block.selections;
    SelectFromSystemConfig(block, kUnknownSystemConfig, "QN3244");
    EXPECT_EQ(block.selections, defaults);
    EXPECT_EQ(block.selections[8], 3);
    // Items without a [DIPSWITCH] line match no value.
    SelectFromSystemConfig(block, 0, "QN3244");
    EXPECT_EQ(block.selections[8], 4);
}

TEST(OptionSelections, DefinitionFieldReadsItsBits) {
    SysCfgField field{"Clock", 0, 4, 2, 1, "", {{"a", 0}, {"b", 1}, {"c", 3}}};
    EXPECT_EQ(std::tuple(DefinitionSelection(field, 0x0010), DefinitionSelection(field, 0x0030),
                         DefinitionSelection(field, 0x0020),
                         DefinitionSelection(field, kUnknownSystemConfig)),
              std::tuple(1, 2, -1, -1));
    field.StartBit = 40;
    EXPECT_EQ(DefinitionSelection(field, 0x0030), 0);
}

}  // namespace
}  // namespace vexlor::test
