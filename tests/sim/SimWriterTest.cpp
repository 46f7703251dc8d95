#include "sim/SimWriter.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace vexlor::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr auto kOwn = SimTransport::OwnUsb;
constexpr auto kLib = SimTransport::AccessLibrary;

TEST(SimWriterMemory, AddressLayoutDependsOnTransport) {
    struct Case {
        SimTransport transport;
        Bytes address;
        bool accepted;
    };
    const Case cases[] = {
        {kOwn, {0xFA, 0x90}, true},
        {kOwn, {0x00, 0x00, 0xFA, 0x90}, false},
        {kLib, {0x00, 0x00, 0xFA, 0x90}, true},
        {kLib, {0xFA, 0x90}, false},
        {kLib, {0x00, 0x02, 0x00, 0x00}, false},  // past the end of writer memory
    };
    for (const auto& c : cases) {
        SimWriter w;
        ASSERT_TRUE(w.commandOut(c.transport, command::kMode, Bytes{0x00}));
        EXPECT_EQ(w.commandOut(c.transport, command::kSetAddress, c.address), c.accepted);
        if (c.accepted) {
            std::array<std::uint8_t, 2> b{};
            ASSERT_TRUE(w.commandIn(c.transport, command::kReadMemory, b));
            EXPECT_EQ(b[0], 0x5B);
            EXPECT_EQ(b[1], 0x01);
        }
    }
}

TEST(SimWriterMemory, OnlyInMemoryModeWritesAdvanceTheAddress) {
    SimWriter w;
    ASSERT_TRUE(w.commandOut(kLib, command::kMode, Bytes{0x47}));
    EXPECT_FALSE(w.commandOut(kLib, command::kSetAddress, Bytes{0, 0, 0x00, 0x39}));
    std::array<std::uint8_t, 1> b{0xAA};
    EXPECT_FALSE(w.commandIn(kLib, command::kReadMemory, b));
    EXPECT_EQ(b[0], 0x00);
    EXPECT_FALSE(w.commandOut(kLib, command::kWriteMemory, Bytes{1, 2}));
    ASSERT_TRUE(w.commandOut(kLib, command::kMode, Bytes{0x00}));
    ASSERT_TRUE(w.commandOut(kLib, command::kSetAddress, Bytes{0, 0, 0x01, 0x00}));
    ASSERT_TRUE(w.commandOut(kLib, command::kWriteMemory, Bytes{0x11, 0x22}));
    ASSERT_TRUE(w.commandOut(kLib, command::kWriteMemory, Bytes{0x33}));
    EXPECT_EQ(w.memory()[0x100], 0x11);
    EXPECT_EQ(w.memory()[0x101], 0x22);
    EXPECT_EQ(w.memory()[0x102], 0x33);
    // A write running over the end keeps what fits and is refused.
    ASSERT_TRUE(w.commandOut(kLib, command::kSetAddress, Bytes{0, 0x01, 0xFF, 0xFF}));
    EXPECT_FALSE(w.commandOut(kLib, command::kWriteMemory, Bytes{0x44, 0x55}));
    EXPECT_EQ(w.memory()[0x1FFFF], 0x44);
}

TEST(SimWriterIdentity, HardwareIdOnlyThroughAccessLibrary) {
    SimWriter w;
    std::array<std::uint8_t, 8> id{};
    ASSERT_TRUE(w.commandIn(kLib, command::kHardwareId, id));
    EXPECT_EQ(id, (std::array<std::uint8_t, 8>{'K', 'L', 'W', 0x01, 0x01, 0x12, 0x34, 0x56}));
    std::array<std::uint8_t, 8> own{};
    own.fill(0xEE);
    EXPECT_FALSE(w.commandIn(kOwn, command::kHardwareId, own));
    EXPECT_EQ(own, (std::array<std::uint8_t, 8>{}));
}

TEST(SimWriterCommands, DirectionAndPayloadLengthAreChecked) {
    struct Case {
        std::uint8_t code;
        Bytes payload;
        bool accepted;
    };
    const Case cases[] = {
        {command::kMode, {0x47}, true},
        {command::kMode, {}, false},
        {command::kMode, {1, 2}, false},
        {command::kLamp, {0x10}, true},
        {command::kControlByte, {0x30}, true},
        {command::kControlWord, {0x01}, false},
        {command::kStartJob, {0x30}, true},
        {command::kStartJob, {0x77}, false},
        {command::kVersion, {}, false},  // a reading command sent as data out
        {0x42, {0x00}, false},
    };
    for (const auto& c : cases) {
        SimWriter w;
        EXPECT_EQ(w.commandOut(kOwn, c.code, c.payload), c.accepted) << int(c.code);
    }
}

TEST(SimWriterTranscript, ObserverSeesCommandsEvenWhenNoneAreKept) {
    SimConfig config;
    config.keepTranscript = false;
    SimWriter w(config);
    std::vector<std::string> seen;
    w.setCommandObserver([&seen](const TranscriptEntry& e) {
        seen.push_back((e.in ? "in " : "out ") + std::to_string(e.command) + " " +
                       std::to_string(e.length) + (e.ok ? " ok" : " refused"));
    });
    w.commandOut(kOwn, command::kLamp, Bytes{0x10});
    std::array<std::uint8_t, 2> m{};
    w.commandIn(kOwn, command::kReadArea, m);
    EXPECT_EQ(seen, (std::vector<std::string>{"out 23 1 ok", "in 19 2 refused"}));
    EXPECT_TRUE(w.transcript().empty());
}

TEST(SimWriterAttach, DetachedWriterAnswersNothingAndKeepsItsMemory) {
    SimWriter w;
    ASSERT_TRUE(w.commandOut(kOwn, command::kMode, Bytes{0x00}));
    ASSERT_TRUE(w.commandOut(kOwn, command::kSetAddress, Bytes{0x00, 0x10}));
    ASSERT_TRUE(w.commandOut(kOwn, command::kWriteMemory, Bytes{0xAB}));
    w.detach();
    EXPECT_FALSE(w.commandOut(kOwn, command::kLamp, Bytes{0x10}));
    w.attach();
    EXPECT_TRUE(w.commandOut(kOwn, command::kMode, Bytes{0x00}));
    EXPECT_TRUE(w.commandOut(kOwn, command::kSetAddress, Bytes{0x00, 0x10}));
    std::array<std::uint8_t, 1> b{};
    EXPECT_TRUE(w.commandIn(kOwn, command::kReadMemory, b));
    EXPECT_EQ(b[0], 0xAB);
}

TEST(SimWriterFaults, RemovalAfterByteBudget) {
    SimWriter w;
    w.faults().removeAfterBytes = 10;
    EXPECT_TRUE(w.passBytes(8));
    EXPECT_TRUE(w.attached());
    EXPECT_FALSE(w.passBytes(3));
    EXPECT_FALSE(w.attached());
    EXPECT_FALSE(w.faults().removeAfterBytes.has_value());
    w.attach();
    EXPECT_TRUE(w.passBytes(1000));
}

}  // namespace
}  // namespace vexlor::sim
