// The device side of the own path's framing, and the in-process bus and library over it.
#include "sim/SimEndpoint.h"

#include <gtest/gtest.h>

#include "PipeHost.h"
#include "core/writer/WriterIdentity.h"
#include "sim/SimTransports.h"

namespace vexlor::sim {
namespace {

using test::Bytes;
using test::commandBytes;

const Bytes kStatusOk{'U', 'S', 'B', 'S', 0, 0, 0, 0, 0, 0, 0, 0, 0};
const Bytes kStatusFailed{'U', 'S', 'B', 'S', 0, 0, 0, 0, 0, 0, 0, 0, 1};

Bytes readAll(SimEndpoint& endpoint) {
    Bytes all(endpoint.pending());
    all.resize(endpoint.hostRead(all));
    return all;
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(SimEndpoint, WriteCommandArrivesInAnyPieces) {
    // Open the data area, then send 0x12 with 600 bytes cut at awkward places.
    Bytes payload(600);
    for (std::size_t i = 0; i < payload.size(); ++i) {
        payload[i] = std::uint8_t(i ^ 0x5A);
    }
    const std::vector<Bytes> commands{commandBytes(0x00, 1) + Bytes{0x47},
                                      commandBytes(0x14, 2) + Bytes{8, 0x17},
                                      commandBytes(0x12, 600) + payload};
    for (std::size_t cut : {1u, 5u, 13u, 512u, 700u}) {
        SimWriter writer;
        SimEndpoint endpoint(writer);
        Bytes answers;
        for (const Bytes& command : commands) {
            for (std::size_t at = 0; at < command.size(); at += cut) {
                const std::size_t n = std::min(cut, command.size() - at);
                ASSERT_TRUE(endpoint.hostWrite(std::span(command).subspan(at, n)));
            }
            answers = answers + readAll(endpoint);
        }
        EXPECT_EQ(answers, kStatusOk + kStatusOk + kStatusOk) << cut;
        EXPECT_EQ(writer.downloadedLength(), 600u);
        EXPECT_TRUE(std::equal(payload.begin(), payload.end(), writer.dataArea().begin()));
    }
}

TEST(SimEndpoint, DataInPrecedesTheStatusWhichTellsRefusedCommands) {
    struct Case {
        Bytes stream;
        Bytes answer;
    };
    const std::string version = "USB STANDALONE WRITER_V2.0";
    const Case cases[] = {
        {commandBytes(0x04, 26), Bytes(version.begin(), version.end()) + kStatusOk},
        {commandBytes(0x17, 0), kStatusFailed},                // the lamp needs its byte
        {commandBytes(0x17, 1) + Bytes{0x10}, kStatusOk},      //
        {commandBytes(0x42, 1) + Bytes{0x00}, kStatusFailed},  // no such command
        {commandBytes(0x16, 1), Bytes{0x00} + kStatusOk},      // idle writer: status 0
        {commandBytes(0x11, 0x40001), kStatusFailed},          // too long: refused, no data
        {commandBytes(0x13, 2), Bytes{0, 0} + kStatusFailed},  // no area open
    };
    for (const auto& c : cases) {
        SimWriter writer;
        SimEndpoint endpoint(writer);
        ASSERT_TRUE(endpoint.hostWrite(c.stream));
        EXPECT_EQ(readAll(endpoint), c.answer);
    }
}

// An overlong block, stray bytes and a reset each leave the stream at a command boundary.
TEST(SimEndpoint, StreamRecoversFromOverlongBlocksStrayBytesAndResets) {
    SimWriter writer;
    SimEndpoint endpoint(writer);
    ASSERT_TRUE(endpoint.hostWrite(commandBytes(0x12, 0xFFFFFFFF)));
    EXPECT_TRUE(endpoint.atCommandBoundary());
    EXPECT_EQ(readAll(endpoint), kStatusFailed);
    ASSERT_TRUE(
        endpoint.hostWrite(Bytes{'U', 'S', 'X', 0x00, 'U'} + commandBytes(0x17, 1) + Bytes{0x10}));
    EXPECT_EQ(readAll(endpoint), kStatusOk);
    EXPECT_EQ(endpoint.skippedBytes(), 5u);
    EXPECT_EQ(writer.lamp(), 0x10);
    ASSERT_TRUE(endpoint.hostWrite(commandBytes(0x17, 1)));
    EXPECT_FALSE(endpoint.atCommandBoundary());
    endpoint.reset();
    EXPECT_TRUE(endpoint.atCommandBoundary());
    ASSERT_TRUE(endpoint.hostWrite(commandBytes(0x00, 1) + Bytes{0x80}));
    EXPECT_EQ(readAll(endpoint), kStatusOk);
    EXPECT_EQ(writer.mode(), 0x80);
    EXPECT_EQ(writer.lamp(), 0x10) << "the half lamp command never ran";
}

TEST(SimEndpoint, AnswersUnreadAtTheNextCommandAreDropped) {
    SimWriter writer;
    SimEndpoint endpoint(writer);
    ASSERT_TRUE(endpoint.hostWrite(commandBytes(0x04, 26) + commandBytes(0x17, 1)));
    ASSERT_TRUE(endpoint.hostWrite(Bytes{0x10}));
    EXPECT_EQ(readAll(endpoint), kStatusOk);
    // Half read is as good as unread.
    ASSERT_TRUE(endpoint.hostWrite(commandBytes(0x04, 26)));
    Bytes some(5);
    ASSERT_EQ(endpoint.hostRead(some), 5u);
    ASSERT_TRUE(endpoint.hostWrite(commandBytes(0x16, 1)));
    EXPECT_EQ(readAll(endpoint), Bytes{0x00} + kStatusOk);
}

TEST(SimEndpoint, VanishedWriterTakesNothing) {
    SimWriter writer;
    SimEndpoint endpoint(writer);
    writer.faults().removeAfterBytes = 20;
    ASSERT_TRUE(endpoint.hostWrite(commandBytes(0x04, 26)));
    Bytes part(10);
    EXPECT_EQ(endpoint.hostRead(part), 0u);  // 13 + 10 bytes pass the budget of 20
    EXPECT_FALSE(writer.attached());
    EXPECT_FALSE(endpoint.hostWrite(commandBytes(0x04, 26)));
}

TEST(SimUsbBus, FindsOnlyTheAttachedWriterWithItsIdentity) {
    SimWriter writer;
    SimUsbBus bus(writer);
    EXPECT_EQ(bus.openFirst(0x1234, kWriterProductId), nullptr);
    EXPECT_EQ(bus.openFirst(kWriterVendorId, 0x0001), nullptr);
    auto device = bus.openFirst(kWriterVendorId, kWriterProductId);
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->setConfiguration(1), 0);
    EXPECT_EQ(device->claimInterface(0), 0);
    EXPECT_EQ(device->claimInterface(1), kUsbErrorInvalidParam);
    const Bytes lamp = commandBytes(0x17, 1) + Bytes{0x10};
    EXPECT_EQ(device->bulkWrite(0x81, lamp.data(), 14), kUsbErrorInvalidParam);
    EXPECT_EQ(device->bulkWrite(0x02, lamp.data(), 14), 14);
    Bytes status(13);
    EXPECT_EQ(device->bulkRead(0x81, status.data(), 13), 13);
    EXPECT_EQ(status, kStatusOk);
    EXPECT_EQ(device->bulkRead(0x81, status.data(), 13), kUsbErrorTimeout);
    writer.detach();
    EXPECT_EQ(device->bulkWrite(0x02, lamp.data(), 14), kUsbErrorNoDevice);
    EXPECT_EQ(bus.openFirst(kWriterVendorId, kWriterProductId), nullptr);
}

TEST(SimAccessLibrary, OpensOnlyAnAttachedWriter) {
    SimWriter writer;
    SimAccessLibrary library(writer);
    std::uint8_t mode = 0x47;
    EXPECT_EQ(library.sendCommand(0x00, &mode, 1), 0);  // not open yet
    EXPECT_EQ(library.open(0x5A5B, 0, 0), 0);
    EXPECT_EQ(library.sendCommand(0x00, &mode, 1), 1);
    EXPECT_EQ(library.sendCommand(0x00, nullptr, 1), 0);
    library.setTimeout(5);
    EXPECT_EQ(library.timeout(), 5u);
    writer.detach();
    EXPECT_EQ(library.open(0x5A5B, 0, 0), 1);
    EXPECT_EQ(library.sendCommand(0x00, &mode, 1), 0);
}

}  // namespace
}  // namespace vexlor::sim
