#pragma once

#include "core/writer/ByteChannel.h"
#include "core/writer/WriterAnswerLimit.h"

namespace vexlor {

// The writer's two device-file pipes. A writer that stops answering for longer than the wait
// limit, or whose pipes close, fails the call instead of blocking the program for good; after
// a wait ran out, every later call fails at once.
class PipeChannel final : public ByteChannel {
  public:
    PipeChannel(int readFd, int writeFd, int waitLimitMs = kWriterAnswerLimitMs)
        : readFd_(readFd), writeFd_(writeFd), waitLimitMs_(waitLimitMs) {}

    bool write(const std::uint8_t* data, std::size_t length) override;
    bool read(std::uint8_t* buffer, std::size_t length) override;

  private:
    // Waits for the pipe; a wait that runs out leaves the channel silent.
    bool ready(int fd, short events);

    int readFd_;
    int writeFd_;
    int waitLimitMs_;
    bool silent_ = false;
};

}  // namespace vexlor
