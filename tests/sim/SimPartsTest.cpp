// The simulated writer's pieces: the chip, the option-area bookkeeping and the voltages.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "sim/SimChip.h"
#include "sim/SimOptionArea.h"
#include "sim/SimVoltages.h"

namespace vexlor::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(SimChip, ProgramsOnlyBlankOrEqualBytes) {
    struct Case {
        Bytes before;  // chip contents at offset 0
        Bytes image;
        bool ok;
        Bytes after;
    };
    const Case cases[] = {
        {{}, {0x12, 0x34}, true, {0x12, 0x34, 0xFF}},
        {{0x12, 0x34}, {0x12, 0x34}, true, {0x12, 0x34, 0xFF}},
        // The second byte already holds another value: programming stops there.
        {{0xFF, 0x00}, {0x11, 0x22, 0x33}, false, {0x11, 0x00, 0xFF}},
        {{}, Bytes(5, 0x00), false, {0xFF, 0xFF, 0xFF}},  // longer than the chip
    };
    for (const auto& c : cases) {
        SimChip chip(4, 0xFF);
        chip.insert(c.before);
        EXPECT_EQ(chip.program(c.image), c.ok);
        EXPECT_EQ(Bytes(chip.contents().begin(), chip.contents().begin() + 3), c.after);
    }
}

TEST(SimChip, BlankAndMatchNeedAChip) {
    SimChip chip(4, 0x00);
    EXPECT_TRUE(chip.isBlank());
    EXPECT_TRUE(chip.program(Bytes{0x00, 0x07}));
    EXPECT_FALSE(chip.isBlank());
    EXPECT_TRUE(chip.matches(Bytes{0x00, 0x07}));
    EXPECT_FALSE(chip.matches(Bytes{0x00, 0x08}));
    chip.remove();
    EXPECT_FALSE(chip.matches(Bytes{0x00, 0x07}));
    EXPECT_FALSE(chip.program(Bytes{0x00}));
    chip.insertBlank();
    EXPECT_TRUE(chip.isBlank());
}

Bytes limitArea(std::uint8_t mode, std::array<std::uint8_t, 4> count, std::uint8_t state) {
    Bytes area(0x100, 0);
    area[option::kProductionMode] = mode;
    std::copy(count.begin(), count.end(), area.begin() + option::kLimitCount);
    area[option::kLimitState] = state;
    return area;
}

TEST(SimOptionArea, ProductionLimitAllowsWhileCountIsLeftAndCountsDownInPackedDecimal) {
    struct Case {
        std::uint8_t mode;
        std::array<std::uint8_t, 4> count;
        std::uint8_t state;
        std::array<std::uint8_t, 4> countAfter;
        std::uint8_t stateAfter;
        bool allowed;  // before counting
    };
    const Case cases[] = {
        {0x11, {0, 0, 0x01, 0x00}, 0x00, {0, 0, 0x00, 0x99}, 0x00, true},
        {0x11, {0, 0, 0x00, 0x10}, 0x00, {0, 0, 0x00, 0x09}, 0x00, true},
        {0x11, {0, 0x01, 0x00, 0x00}, 0x00, {0, 0x00, 0x99, 0x99}, 0x00, true},
        {0x11, {0, 0, 0, 0x01}, 0x05, {0, 0, 0, 0x00}, 0x15, true},   // the last chip: reached
        {0x11, {0, 0, 0, 0x00}, 0x00, {0, 0, 0, 0x00}, 0x10, false},  // nothing left to count
        {0x11, {0, 0, 0, 0x05}, 0x10, {0, 0, 0, 0x05}, 0x10, false},  // already reached
        {0x11, {0, 0, 0, 0x09}, 0x1F, {0, 0, 0, 0x09}, 0x1F, false},  // only the high nibble
        {0x10, {0, 0, 0, 0x05}, 0x00, {0, 0, 0, 0x05}, 0x00, true},   // mass production: no limit
        {0x00, {0, 0, 0, 0x05}, 0x00, {0, 0, 0, 0x05}, 0x00, true},
        {0x00, {0, 0, 0, 0x00}, 0x10, {0, 0, 0, 0x00}, 0x10, true},  // no limit: state ignored
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        Bytes area = limitArea(c.mode, c.count, c.state);
        EXPECT_EQ(productionAllowed(area), c.allowed);
        countProducedChip(area);
        EXPECT_EQ(Bytes(area.begin() + 0x50, area.begin() + 0x54),
                  Bytes(c.countAfter.begin(), c.countAfter.end()));
        EXPECT_EQ(area[0xF4], c.stateAfter);
    }
}

Bytes serialArea(std::uint8_t mode, std::uint8_t length, Bytes current, Bytes end) {
    Bytes area(0x100, 0);
    area[0x35] = mode;
    area[0x36] = length;
    area[0x37] = 0x12;
    area[0x38] = 0x34;
    std::copy(end.begin(), end.end(), area.begin() + 0x70 - end.size());
    std::copy(current.begin(), current.end(), area.begin() + 0x80 - current.size());
    return area;
}

TEST(SimOptionArea, NextSerialTakesTheLowBytesOfTheCurrentNumberInTheRunsOrder) {
    struct Case {
        std::uint8_t mode;
        std::uint8_t length;
        Bytes current;  // last bytes of the 16-byte numbers
        Bytes end;
        bool inUse;
        bool exhausted;
        Bytes patch;
    };
    const Case cases[] = {
        {0x10, 2, {0x0A, 0x0B}, {0x01, 0x00, 0x00}, true, false, {0x0A, 0x0B}},
        {0x20, 3, {0x0A, 0x0B}, {0x01, 0x00, 0x00}, true, false, {0x00, 0x0A, 0x0B}},
        // Direction 1: least significant byte at the lowest address.
        {0x21, 3, {0x0A, 0x0B}, {0x01, 0x00, 0x00}, true, false, {0x0B, 0x0A, 0x00}},
        {0x10, 2, {0x05}, {0x05}, true, true, {0x00, 0x05}},
        {0x10, 2, {0x06}, {0x05}, true, true, {0x00, 0x06}},
        {0x00, 2, {0x01}, {0x05}, false, false, {}},
        {0x10, 17, {0x01}, {0x05}, false, false, {}},
        {0x10, 0, {0x01}, {0x05}, false, false, {}},
    };
    for (const auto& c : cases) {
        const SerialStep step = nextSerial(serialArea(c.mode, c.length, c.current, c.end));
        EXPECT_EQ(step.inUse, c.inUse);
        EXPECT_EQ(step.exhausted, c.exhausted);
        EXPECT_EQ(step.patch.bytes, c.patch);
        if (c.inUse) {
            EXPECT_EQ(step.patch.address, 0x1234u);
        }
    }
}

TEST(SimOptionArea, AdvanceSerialCarriesThroughAllBytes) {
    Bytes area = serialArea(0x10, 4, {0x00, 0xFF, 0xFF}, {});
    advanceSerial(area);
    EXPECT_EQ(Bytes(area.begin() + 0x7C, area.begin() + 0x80), (Bytes{0x00, 0x01, 0x00, 0x00}));
    Bytes top(0x100, 0);
    std::fill(top.begin() + 0x70, top.begin() + 0x80, 0xFF);
    advanceSerial(top);
    EXPECT_EQ(Bytes(top.begin() + 0x70, top.begin() + 0x80), Bytes(16, 0x00));
    EXPECT_EQ(top[0x6F], 0x00);  // the end number next to it is left alone
}

TEST(SimVoltages, OlderBoardHasFixedSuppliesAndNoDacs) {
    struct Case {
        std::uint8_t controlByte;
        std::array<std::uint8_t, 6> expected;
    };
    // Nominal 5 V on both (0x47..0x53), then 6 V VDD (0x56..0x62) and 12.5 V VPP (0xBA..0xC8).
    const Case cases[] = {
        {0x30, {0x02, 0x01, 0, 0, 0, 0}},
        {0x00, {0x02, 0x01, 0, 0, 0, 0}},
        {0x0A, {0x4D, 0x4D, 0, 0, 0, 0}},
        {0x05, {0x5C, 0xC1, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SimVoltages v(false);
        v.setControlWord(0x8D01);
        v.setControlByte(c.controlByte);
        EXPECT_EQ(v.measure(), c.expected) << int(c.controlByte);
    }
}

TEST(SimVoltages, DacBoardReadsEachChannelAndOutputsFollowTheirDacs) {
    SimVoltages v(true);
    v.setControlWord(0x6401);  // VPP DAC 100 steps -> 147 counts
    v.setControlWord(0x0A03);  // WVDD DAC 10 steps -> 14 counts
    v.setControlWord(0xFF07);  // level shift 255 steps -> capped at 255
    v.setControlByte(0x0A);
    EXPECT_EQ(v.measure(), (std::array<std::uint8_t, 6>{14, 147, 147, 14, 0, 255}));
    v.setControlByte(0x05);
    EXPECT_EQ(v.measure()[0], 16);
    EXPECT_EQ(v.measure()[1], 149);
    v.setSkew(0x12);
    v.setControlByte(0x30);
    EXPECT_EQ(v.measure(), (std::array<std::uint8_t, 6>{0x14, 0x13, 165, 32, 0x12, 255}));
}

}  // namespace
}  // namespace vexlor::sim
