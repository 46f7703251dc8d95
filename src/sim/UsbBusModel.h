#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/base/Clock.h"

namespace vexlor::sim {

// How a USB 2.0 bus moves bulk data. The host controller works in fixed time slices, frames
// at full speed and micro-frames at high speed; a bulk packet carries at most the endpoint's
// packet size, and the bus fits only so many bulk packets into one slice next to their
// token, handshake and gaps: 19 packets of 64 bytes in a 1 ms frame, 13 packets of 512 bytes
// in a 125 us micro-frame (the bus's own bandwidth tables for bulk transfers).
struct UsbSpeed {
    std::uint32_t frameMicroseconds;
    std::uint32_t packetBytes;
    std::uint32_t packetsPerFrame;
    // Slices between the end of the slice that completed a transfer and the first slice that
    // can carry a transfer the host submits in reaction. At least one, as the controller has
    // already taken up the slice in which the host learns of the completion. At high speed the
    // host's reaction (completion interrupt, waking the waiting program, the next submission
    // through the kernel) outlasts one 125 us micro-frame on a desktop: two are counted; it
    // fits in one 1 ms frame.
    std::uint32_t turnaroundFrames;
};

inline constexpr UsbSpeed kFullSpeed{1000, 64, 19, 1};
inline constexpr UsbSpeed kHighSpeed{125, 512, 13, 2};

// Bus time of the transfers the simulated writer sees, kept in whole slices and passed on to
// the clock, so that download times can be predicted. The bus carries nothing else.
class UsbBusModel {
  public:
    UsbBusModel(const UsbSpeed& speed, Clock& clock) : speed_(speed), clock_(clock) {}

    // Transfers of these sizes, in this order on one endpoint, with at most depth of them
    // submitted at a time; each completion lets the host submit the next. Returns when the
    // host has seen the last completion and could submit again. Depth 1 is a synchronous host.
    void transfer(std::span<const std::size_t> sizes, std::size_t depth);
    void transfer(std::size_t size) { transfer(std::span(&size, 1), 1); }

    // When the host is next free to submit, in microseconds of bus time.
    std::uint64_t microseconds() const { return frame_ * speed_.frameMicroseconds; }

    // The least time the bus needs for bytes of bulk data: full slices, no host in the way.
    static double limitMicroseconds(const UsbSpeed& speed, std::size_t bytes);

  private:
    std::uint64_t packets(std::size_t bytes) const;

    UsbSpeed speed_;
    Clock& clock_;
    std::uint64_t frame_ = 0;  // the first slice a submission can use
};

}  // namespace vexlor::sim
