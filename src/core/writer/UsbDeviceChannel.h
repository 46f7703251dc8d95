#pragma once

#include "core/base/Diagnostics.h"
#include "core/writer/ByteChannel.h"
#include "core/writer/UsbBus.h"

namespace vexlor {

// Bulk transfers on the writer's endpoints, one diagnostic line per transfer. A non-negative
// result is success, as the writer link has always judged it. After a transfer timed out,
// every later one fails at once.
class UsbDeviceChannel final : public ByteChannel {
  public:
    UsbDeviceChannel(UsbDevice& device, const Diagnostics& diagnostics)
        : device_(device), diagnostics_(diagnostics) {}

    bool write(const std::uint8_t* data, std::size_t length) override;
    bool read(std::uint8_t* buffer, std::size_t length) override;
    // The pieces go out queued, so the bus need not wait for the program between them.
    void writePieces(const std::uint8_t* data, std::size_t length, std::size_t pieceSize,
                     const PieceSent& afterPiece) override;

  private:
    // False, with its diagnostic line, for a failed transfer.
    bool succeeded(int result, const char* direction);

    UsbDevice& device_;
    const Diagnostics& diagnostics_;
    bool silent_ = false;
};

}  // namespace vexlor
