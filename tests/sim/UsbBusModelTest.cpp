// Bus times worked out by hand from the slice sizes, packets per slice and turnarounds.
#include "sim/UsbBusModel.h"

#include <gtest/gtest.h>

#include "core/writer/CommandSet.h"
#include "core/writer/LibusbTransport.h"
#include "sim/SimTransports.h"

namespace vexlor::sim {
namespace {

std::vector<std::size_t> pieces(std::size_t count) {
    return std::vector<std::size_t>(count, 512);
}

// High speed: a 512-byte piece is one packet, 13 a micro-frame, 2 micro-frames turnaround.
// Full speed: a piece is 8 packets, 19 a frame, 1 frame turnaround.
TEST(UsbBusModel, TimesMatchTheHandWorkedFigures) {
    const struct {
        const char* what;
        UsbSpeed speed;
        std::vector<std::size_t> sizes;
        std::size_t depth;
        std::uint64_t microseconds;
    } cases[] = {
        {"1 of data, 2 of turnaround", kHighSpeed, {512}, 1, 3 * 125},
        {"still one (empty) packet", kHighSpeed, {0}, 1, 3 * 125},
        {"14 packets: 2 slices", kHighSpeed, {13 * 512 + 1}, 1, 4 * 125},
        {"full speed piece", kFullSpeed, {512}, 1, 2 * 1000},
        {"each pays its turnaround", kHighSpeed, pieces(3), 1, 9 * 125},
        {"13 in slice 0, 1 in 1", kHighSpeed, pieces(14), 14, 4 * 125},
        {"the 14th runs in slice 3", kHighSpeed, pieces(14), 13, 6 * 125},
        {"the 3rd spans frames 0-1", kFullSpeed, pieces(3), 3, 3 * 1000},
        {"in frames 0, 0, 2, 2, 4", kFullSpeed, pieces(5), 2, 6 * 1000},
    };
    for (const auto& c : cases) {
        VirtualClock clock;
        UsbBusModel model(c.speed, clock);
        model.transfer(c.sizes, c.depth);
        EXPECT_EQ(model.microseconds(), c.microseconds) << c.what;
    }
}

TEST(UsbBusModel, LimitIsFullSlicesBackToBack) {
    EXPECT_NEAR(UsbBusModel::limitMicroseconds(kHighSpeed, 65536), 1230.769, 1e-3);
    EXPECT_NEAR(UsbBusModel::limitMicroseconds(kFullSpeed, 65536), 53894.737, 1e-3);
}

TEST(UsbBusModel, TheClockAndTheBusKeepOneTime) {
    VirtualClock clock;
    UsbBusModel model(kHighSpeed, clock);
    model.transfer(pieces(8), 1);  // 24 micro-frames
    EXPECT_EQ(clock.tickMs(), 3u);
    clock.busyWait(1);    // the host waits: micro-frames 24-31 pass unused
    model.transfer(512);  // micro-frame 32 + 2
    EXPECT_EQ(model.microseconds(), 35u * 125);
    EXPECT_EQ(clock.tickMs(), 4u);
}

// The own path's 64 KiB download at high speed: block, pieces and status as separate transfers.
std::uint64_t DownloadMicroseconds(std::size_t queueDepth) {
    SimWriter writer;
    VirtualClock clock;
    UsbBusModel model(kHighSpeed, clock);
    const SimBusTiming timing{model, queueDepth};
    SimUsbBus bus(writer, &timing);
    Diagnostics silent([](std::string_view) {});
    LibusbTransport transport(bus, "modelled", silent);
    EXPECT_EQ(transport.open(), OpenResult::Opened);
    NullProgress progress;
    const std::vector<std::uint8_t> data(0x10000, 0xA5);
    transport.send(cmd::kWriteMemory, data.data(), 0x10000, {progress, progress, false});
    return model.microseconds();
}

TEST(ModelledDownload, QueuedPiecesShareMicroFrames) {
    // 130 transfers of one micro-frame plus two of turnaround each
    EXPECT_EQ(DownloadMicroseconds(1), 130u * 3 * 125);
    // block in micro-frame 0; the 128 pieces fill 3-12 at 13 a micro-frame; status in 15
    EXPECT_EQ(DownloadMicroseconds(kQueuedPieces), 18u * 125);
}

}  // namespace
}  // namespace vexlor::sim
