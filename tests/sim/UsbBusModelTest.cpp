// Bus times worked out by hand from the slice sizes, packets per slice and turnarounds.
#include "sim/UsbBusModel.h"

#include <gtest/gtest.h>

#include "core/writer/CommandSet.h"
#include "core/writer/LibusbTransport.h"
#include "sim/SimTransports.h"

namespace vexlor::sim {
namespace {

struct BusCase {
    const char* name;
    const UsbSpeed& speed;
    std::vector<std::size_t> sizes;
    std::size_t depth;
    std::uint64_t microseconds;
};

class UsbBusModelTimes : public ::testing::TestWithParam<BusCase> {};

TEST_P(UsbBusModelTimes, MatchTheHandWorkedFigure) {
    const BusCase& c = GetParam();
    VirtualClock clock;
    UsbBusModel model(c.speed, clock);
    model.transfer(c.sizes, c.depth);
    EXPECT_EQ(model.microseconds(), c.microseconds);
}

// High speed: one 512-byte packet per transfer, 13 a micro-frame, 2 micro-frames turnaround.
// Full speed: 8 packets per 512 bytes, 19 a frame, 1 frame turnaround.
INSTANTIATE_TEST_SUITE_P(
    Cases, UsbBusModelTimes,
    ::testing::Values(
        // 1 micro-frame of data + 2 of turnaround
        BusCase{"HighOnePiece", kHighSpeed, {512}, 1, 3 * 125},
        BusCase{"HighEmptyTransferStillTakesAPacket", kHighSpeed, {0}, 1, 3 * 125},
        // 14 packets: 13 + 1 in two micro-frames
        BusCase{"HighFourteenPackets", kHighSpeed, {13 * 512 + 1}, 1, 4 * 125},
        BusCase{"FullOnePiece", kFullSpeed, {512}, 1, 2 * 1000},
        // 20 packets: 19 + 1 in two frames
        BusCase{"FullTwentyPackets", kFullSpeed, {19 * 64 + 1}, 1, 3 * 1000},
        BusCase{"HighSynchronousHostPaysEachTurnaround", kHighSpeed, {512, 512, 512}, 1, 9 * 125},
        BusCase{"HighThirteenQueuedShareAMicroFrame", kHighSpeed, std::vector<std::size_t>(13, 512),
                13, 3 * 125},
        // all 14 in flight: 13 in micro-frame 0, 1 in micro-frame 1
        BusCase{"HighFourteenQueued", kHighSpeed, std::vector<std::size_t>(14, 512), 14, 4 * 125},
        // the 14th waits for a slot: submitted after micro-frame 0, first used in micro-frame 3
        BusCase{"HighFourteenBehindAQueueOfThirteen", kHighSpeed, std::vector<std::size_t>(14, 512),
                13, 6 * 125},
        // 24 packets: the third piece is split, 3 packets in frame 0 and 5 in frame 1
        BusCase{"FullPieceSpansTwoFrames", kFullSpeed, {512, 512, 512}, 3, 3 * 1000},
        // two pieces in frame 0, two in frame 2, the last in frame 4
        BusCase{"FullQueueOfTwo", kFullSpeed, std::vector<std::size_t>(5, 512), 2, 6 * 1000}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(UsbBusModel, LimitIsFullSlicesBackToBack) {
    EXPECT_NEAR(UsbBusModel::limitMicroseconds(kHighSpeed, 6656), 125.0, 1e-9);
    EXPECT_NEAR(UsbBusModel::limitMicroseconds(kHighSpeed, 65536), 1230.769, 1e-3);
    EXPECT_NEAR(UsbBusModel::limitMicroseconds(kFullSpeed, 65536), 53894.737, 1e-3);
}

TEST(UsbBusModel, TheClockAndTheBusKeepOneTime) {
    VirtualClock clock;
    UsbBusModel model(kHighSpeed, clock);
    const std::vector<std::size_t> pieces(8, 512);
    model.transfer(pieces, 1);  // 24 micro-frames
    EXPECT_EQ(clock.tickMs(), 3u);
    clock.busyWait(1);    // the host waits: micro-frames 24-31 pass unused
    model.transfer(512);  // micro-frame 32 + 2
    EXPECT_EQ(model.microseconds(), 35u * 125);
    EXPECT_EQ(clock.tickMs(), 4u);
}

// The own path's download on a timed bus: block, pieces, status, each as a separate transfer.
struct DownloadCase {
    const char* name;
    std::size_t queueDepth;
    std::uint64_t microseconds;
};

class ModelledDownload : public ::testing::TestWithParam<DownloadCase> {};

TEST_P(ModelledDownload, SixtyFourKiBAtHighSpeed) {
    SimWriter writer;
    VirtualClock clock;
    UsbBusModel model(kHighSpeed, clock);
    const SimBusTiming timing{model, GetParam().queueDepth};
    SimUsbBus bus(writer, &timing);
    Diagnostics silent([](std::string_view) {});
    LibusbTransport transport(bus, "modelled", silent);
    ASSERT_EQ(transport.open(), OpenResult::Opened);
    NullProgress progress;
    const std::vector<std::uint8_t> data(0x10000, 0xA5);
    transport.send(cmd::kWriteMemory, data.data(), 0x10000, {progress, progress, false});
    EXPECT_EQ(model.microseconds(), GetParam().microseconds);
    ASSERT_FALSE(writer.transcript().empty());
    EXPECT_EQ(writer.transcript().back().length, 0x10000u);
}

// Synchronous: 130 transfers of one micro-frame plus two of turnaround each. Queued: block in
// micro-frame 0; the 128 pieces fill micro-frames 3-12 at 13 a micro-frame; status in 15.
INSTANTIATE_TEST_SUITE_P(Hosts, ModelledDownload,
                         ::testing::Values(DownloadCase{"Synchronous", 1, 130 * 3 * 125},
                                           DownloadCase{"Queued", kQueuedPieces, 18 * 125}),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace vexlor::sim
