#include <gtest/gtest.h>

#include "core/writer/CommandBlock.h"
#include "core/writer/FramedTransfer.h"
#include "support/Recorders.h"

namespace vexlor::test {
namespace {

// Records every write and read size; fails the write or read with the given ordinal (1-based).
class RecordingChannel final : public ByteChannel {
  public:
    bool write(const std::uint8_t* data, std::size_t length) override {
        writes.emplace_back(data, data + length);
        return static_cast<int>(writes.size()) != failWrite;
    }
    bool read(std::uint8_t* buffer, std::size_t length) override {
        reads.push_back(length);
        for (std::size_t i = 0; i < length; ++i) {
            buffer[i] = static_cast<std::uint8_t>(0xA0 + i);
        }
        return static_cast<int>(reads.size()) != failRead;
    }
    std::vector<std::size_t> writeSizes() const {
        std::vector<std::size_t> sizes;
        for (const auto& w : writes) {
            sizes.push_back(w.size());
        }
        return sizes;
    }

    std::vector<std::vector<std::uint8_t>> writes;
    std::vector<std::size_t> reads;
    int failWrite = 0;
    int failRead = 0;
};

TEST(CommandBlockTest, SignatureZerosLengthLittleEndianAndCommand) {
    const CommandBlock block = MakeCommandBlock(0x00012345, 0x12);
    const CommandBlock expected{0x55, 0x53, 0x42, 0x43, 0, 0, 0, 0, 0x45, 0x23, 0x01, 0x00, 0x12};
    EXPECT_EQ(block, expected);
}

// Range: whole 512-byte pieces, at least 2; positions 1.., one per piece, then one more after
// the status block. Paints: two around the block, one per piece, two around the status.
TEST(SendFramedTest, PiecesProgressAndPaints) {
    const struct {
        std::uint32_t length;
        std::vector<std::size_t> writeSizes;  // block, pieces
        std::vector<std::string> progress;
        int paints;
    } cases[] = {
        {0, {13}, {"R0-2", "P1", "P1"}, 4},
        {512, {13, 512}, {"R0-1", "P1", "P1", "P2"}, 5},
        {513, {13, 512, 1}, {"R0-1", "P1", "P1", "P2", "P3"}, 6},
        {1536, {13, 512, 512, 512}, {"R0-3", "P1", "P1", "P2", "P3", "P4"}, 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        std::vector<std::uint8_t> data(c.length);
        for (std::size_t i = 0; i < data.size(); ++i) {
            data[i] = static_cast<std::uint8_t>(i * 7);
        }
        RecordingChannel channel;
        RecordingProgress progress;
        ASSERT_TRUE(SendFramed(channel, {progress, progress, true}, data.data(), c.length, 0x12));
        EXPECT_EQ(channel.writeSizes(), c.writeSizes);
        EXPECT_EQ(channel.reads, std::vector<std::size_t>{13});
        EXPECT_EQ(progress.events, c.progress);
        EXPECT_EQ(progress.paints, c.paints);
        std::vector<std::uint8_t> joined;
        for (std::size_t i = 1; i < channel.writes.size(); ++i) {
            joined.insert(joined.end(), channel.writes[i].begin(), channel.writes[i].end());
        }
        EXPECT_EQ(joined, data);
    }
}

// A failed piece does not stop the transfer: the status decides. Progress off keeps it quiet.
TEST(SendFramedTest, OnlyTheBlockAndTheStatusDecideFailure) {
    std::vector<std::uint8_t> data(1024);
    RecordingProgress progress;
    RecordingChannel piece;
    piece.failWrite = 2;  // the first data piece
    EXPECT_TRUE(SendFramed(piece, {progress, progress, false}, data.data(), 600, 0x10));
    EXPECT_EQ(piece.writeSizes(), (std::vector<std::size_t>{13, 512, 88}));
    EXPECT_TRUE(progress.events.empty());
    RecordingChannel blockFails;
    blockFails.failWrite = 1;
    EXPECT_FALSE(SendFramed(blockFails, {progress, progress, true}, data.data(), 700, 0x10));
    EXPECT_EQ(blockFails.writes.size(), 1u);
    EXPECT_TRUE(blockFails.reads.empty());
    EXPECT_TRUE(progress.events.empty());
    RecordingChannel silent;
    silent.failRead = 1;
    EXPECT_FALSE(SendFramed(silent, {progress, progress, false}, data.data(), 1024, 0x10));
}

TEST(ReceiveFramedTest, PiecesAndProgressWithoutPaints) {
    const struct {
        std::uint32_t length;
        std::vector<std::size_t> reads;
        std::vector<std::string> progress;
    } cases[] = {
        {0, {13}, {"R0-2", "P0", "P1"}},
        {512, {512, 13}, {"R0-1", "P0", "P1", "P2"}},
        {513, {512, 1, 13}, {"R0-1", "P0", "P1", "P2", "P3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        RecordingChannel channel;
        RecordingProgress progress;
        std::vector<std::uint8_t> buffer(c.length + 1, 0x55);
        ASSERT_TRUE(
            ReceiveFramed(channel, {progress, progress, true}, buffer.data(), c.length, 0x13));
        ASSERT_EQ(channel.writes.size(), 1u);
        EXPECT_TRUE(std::ranges::equal(channel.writes[0], MakeCommandBlock(c.length, 0x13)));
        EXPECT_EQ(channel.reads, c.reads);
        EXPECT_EQ(progress.events, c.progress);
        EXPECT_EQ(progress.paints, 0);
        EXPECT_EQ(buffer[c.length], 0x55) << "nothing written past the requested length";
    }
}

// Unlike a piece going out, which the writer's status answers for, a piece that did not come in
// leaves stale bytes behind: the transfer fails, after the status block has still been read.
TEST(ReceiveFramedTest, APieceThatDidNotArriveFailsTheTransfer) {
    std::vector<std::uint8_t> buffer(1024);
    RecordingProgress progress;
    RecordingChannel channel;
    channel.failRead = 2;  // the second data piece
    EXPECT_FALSE(ReceiveFramed(channel, {progress, progress, false}, buffer.data(), 1024, 0x13));
    EXPECT_EQ(channel.reads, (std::vector<std::size_t>{512, 512, 13}));
}

TEST(ReadVersionFramedTest, EachPhaseOnlyAfterTheOneBefore) {
    std::array<std::uint8_t, 26> buffer{};
    RecordingChannel ok;
    EXPECT_TRUE(ReadVersionFramed(ok, buffer.data()));
    ASSERT_EQ(ok.writes.size(), 1u);
    EXPECT_TRUE(std::ranges::equal(ok.writes[0], MakeCommandBlock(26, 0x04)));
    EXPECT_EQ(ok.reads, (std::vector<std::size_t>{26, 13}));
    RecordingChannel blockFails;
    blockFails.failWrite = 1;
    EXPECT_FALSE(ReadVersionFramed(blockFails, buffer.data()));
    EXPECT_TRUE(blockFails.reads.empty());
    RecordingChannel dataFails;
    dataFails.failRead = 1;
    EXPECT_FALSE(ReadVersionFramed(dataFails, buffer.data()));
    EXPECT_EQ(dataFails.reads, std::vector<std::size_t>{26});
}

}  // namespace
}  // namespace vexlor::test
