#include "sim/UsbBusModel.h"

#include <algorithm>
#include <deque>

namespace vexlor::sim {

std::uint64_t UsbBusModel::packets(std::size_t bytes) const {
    // A transfer of no bytes still takes one empty packet.
    return std::max<std::uint64_t>(1, (bytes + speed_.packetBytes - 1) / speed_.packetBytes);
}

void UsbBusModel::transfer(std::span<const std::size_t> sizes, std::size_t depth) {
    // Time the host spent elsewhere has moved the bus on.
    frame_ = std::max(frame_, clock_.tickMs() * 1000 / speed_.frameMicroseconds);

    struct Submitted {
        std::uint64_t packetsLeft;
        std::uint64_t firstFrame;
    };
    std::deque<Submitted> queue;  // in endpoint order: only the front one moves packets
    std::size_t next = 0;
    const auto submit = [&](std::uint64_t firstFrame) {
        queue.push_back({packets(sizes[next++]), firstFrame});
    };
    while (next < sizes.size() && queue.size() < std::max<std::size_t>(depth, 1)) {
        submit(frame_);
    }
    for (std::uint64_t frame = frame_; !queue.empty();) {
        std::uint64_t room = speed_.packetsPerFrame;
        std::size_t completed = 0;
        for (Submitted& s : queue) {
            if (s.firstFrame > frame || room == 0) {
                break;
            }
            const std::uint64_t moved = std::min(room, s.packetsLeft);
            s.packetsLeft -= moved;
            room -= moved;
            if (s.packetsLeft > 0) {
                break;
            }
            ++completed;
        }
        const std::uint64_t reaction = frame + 1 + speed_.turnaroundFrames;
        for (; completed > 0; --completed) {
            queue.pop_front();
            if (next < sizes.size()) {
                submit(reaction);
            }
        }
        if (queue.empty()) {
            frame_ = reaction;
        } else {
            frame = std::max(frame + 1, queue.front().firstFrame);
        }
    }

    const std::uint64_t busMs = microseconds() / 1000;
    if (busMs > clock_.tickMs()) {
        clock_.busyWait(static_cast<std::uint32_t>(busMs - clock_.tickMs()));
    }
}

double UsbBusModel::limitMicroseconds(const UsbSpeed& speed, std::size_t bytes) {
    const double bytesPerFrame = static_cast<double>(speed.packetBytes) * speed.packetsPerFrame;
    return static_cast<double>(bytes) / bytesPerFrame * speed.frameMicroseconds;
}

}  // namespace vexlor::sim
