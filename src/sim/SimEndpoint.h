#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "sim/SimWriter.h"

namespace vexlor::sim {

inline constexpr std::size_t kBlockSize = 13;
// Longest data phase the writer accepts; a longer command is refused at its block.
inline constexpr std::size_t kMaxDataPhase = 0x40000;

// The writer's end of the own USB path: it takes the host's bytes (13-byte command block
// "USBC", data pieces) and queues its answer (data for commands that read, then the 13-byte
// status block "USBS"). Bytes that do not start a command block are skipped, and answers still
// unread when the next command begins are dropped.
class SimEndpoint {
  public:
    explicit SimEndpoint(SimWriter& writer) : writer_(writer) {}

    // False when the writer is gone; then nothing was taken.
    bool hostWrite(std::span<const std::uint8_t> bytes);
    // Up to buffer.size() queued bytes; 0 when nothing is queued or the writer is gone.
    std::size_t hostRead(std::span<std::uint8_t> buffer);
    std::size_t pending() const { return replies_.size() - replyPos_; }
    // The host gave up on a command: forget what is half received and not yet read.
    void reset();
    std::size_t skippedBytes() const { return skipped_; }
    // No command is half received: the next host byte starts a command block.
    bool atCommandBoundary() const { return !inDataPhase_ && block_.empty(); }

  private:
    void takeBlockByte(std::uint8_t byte);
    void startCommand();
    void finishOut();
    void queueStatus(bool ok);

    SimWriter& writer_;
    std::vector<std::uint8_t> block_;
    bool inDataPhase_ = false;
    std::uint8_t command_ = 0;
    std::size_t length_ = 0;
    std::vector<std::uint8_t> data_;
    std::size_t received_ = 0;
    std::vector<std::uint8_t> replies_;
    std::size_t replyPos_ = 0;
    std::size_t skipped_ = 0;
};

}  // namespace vexlor::sim
