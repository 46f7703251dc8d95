#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/base/Diagnostics.h"
#include "core/writer/FramedTransport.h"
#include "core/writer/PipeChannel.h"

namespace vexlor {

inline constexpr int kInvalidPipe = -1;
// Room for a device path and its pipe suffix, terminator included; longer paths are not found.
inline constexpr std::size_t kDeviceNameCapacity = 260;

// The own path over device files: the first interface of the writer's class below the device
// directory, with its answer pipe PIPE00 and its command pipe PIPE01.
class PipeTransport final : public FramedTransport {
  public:
    PipeTransport(std::filesystem::path deviceDirectory, const Diagnostics& diagnostics,
                  int waitLimitMs = kWriterAnswerLimitMs)
        : FramedTransport(false),
          deviceDirectory_(std::move(deviceDirectory)),
          diagnostics_(diagnostics),
          waitLimitMs_(waitLimitMs) {}
    ~PipeTransport() override { close(); }
    PipeTransport(const PipeTransport&) = delete;
    PipeTransport& operator=(const PipeTransport&) = delete;

    std::string name() const override;
    OpenResult open() override;
    void close() override;
    bool isOpen() const override { return readPipe_ != kInvalidPipe && writePipe_ != kInvalidPipe; }
    // Open() holds the interface exclusively until close(): a second program gets Busy and
    // sends nothing, so two programs never mix their commands on one writer. Each interface
    // has its own lock, so programs on different writers do not wait for each other.

    // Only the interface of this directory name is opened from now on; empty: the first one.
    void restrictTo(std::string interfaceName) { onlyInterface_ = std::move(interfaceName); }

  private:
    ByteChannel& channel() override { return *channel_; }
    bool GetUsbDeviceFileName();
    OpenResult LockInterface();
    int OpenWriterPipe(std::string_view pipeName);
    void DiscardUnreadAnswers();

    std::filesystem::path deviceDirectory_;
    const Diagnostics& diagnostics_;
    int waitLimitMs_;
    bool accessDenied_ = false;  // a pipe of the last open refused this user
    std::string onlyInterface_;
    std::string deviceName_;        // the interface found last, with the pipe opened last appended
    int lock_ = kInvalidPipe;       // the interface directory, flock'ed while open
    int readPipe_ = kInvalidPipe;   // PIPE00, host reads
    int writePipe_ = kInvalidPipe;  // PIPE01, host writes
    std::optional<PipeChannel> channel_;
};

}  // namespace vexlor
