#pragma once

#include <cstdint>

#include "core/base/ProgressSink.h"
#include "core/writer/ByteChannel.h"

namespace vexlor {

// Where a framed transfer reports: progress only when showProgress is set, paint pumping
// around the writes of a send.
struct TransferFeedbackHooks {
    ProgressSink& progress;
    PaintPump& paint;
    bool showProgress;
};

// The phases after the opening progress report: command block, data in 512-byte pieces,
// status block. The status-block read decides the result; a failed command-block write sends
// nothing else.
bool SendFramed(ByteChannel& channel, const TransferFeedbackHooks& hooks, const std::uint8_t* data,
                std::uint32_t length, std::uint8_t command);
bool ReceiveFramed(ByteChannel& channel, const TransferFeedbackHooks& hooks, std::uint8_t* buffer,
                   std::uint32_t length, std::uint8_t command);
// Command 0x04 with 26 bytes in; each phase runs only when the one before it succeeded.
bool ReadVersionFramed(ByteChannel& channel, std::uint8_t* buffer26);

// Progress range of a transfer: whole 512-byte pieces, at least 2 when there is none.
int TransferProgressRange(std::uint32_t length);

}  // namespace vexlor
