#pragma once

#include "core/writer/ByteChannel.h"

namespace vexlor {

// The writer's two device-file pipes. A writer that stops answering for longer than the wait
// limit, or whose pipes close, fails the call instead of blocking the program for good.
class PipeChannel final : public ByteChannel {
  public:
    static constexpr int kWaitLimitMs = 10000;

    PipeChannel(int readFd, int writeFd, int waitLimitMs = kWaitLimitMs)
        : readFd_(readFd), writeFd_(writeFd), waitLimitMs_(waitLimitMs) {}

    bool write(const std::uint8_t* data, std::size_t length) override;
    bool read(std::uint8_t* buffer, std::size_t length) override;

  private:
    int readFd_;
    int writeFd_;
    int waitLimitMs_;
};

}  // namespace vexlor
