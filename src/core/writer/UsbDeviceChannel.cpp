#include "core/writer/UsbDeviceChannel.h"

#include "core/writer/WriterAnswerLimit.h"
#include "core/writer/WriterIdentity.h"

namespace vexlor {

bool UsbDeviceChannel::succeeded(int result, const char* direction) {
    if (result == kUsbErrorTimeout) {
        silent_ = true;
        diagnostics_.printf("error: bulk %s timed out: no answer from the writer within %d ms\n",
                            direction, kWriterAnswerLimitMs);
        return false;
    }
    if (result < 0) {
        diagnostics_.printf("error: bulk %s failed: %s\n", direction,
                            device_.errorText(result).c_str());
        return false;
    }
    diagnostics_.printf("success: bulk %s %d bytes\n", direction, result);
    return true;
}

bool UsbDeviceChannel::write(const std::uint8_t* data, std::size_t length) {
    return !silent_ &&
           succeeded(device_.bulkWrite(kWriterBulkOut, data, static_cast<int>(length)), "write");
}

void UsbDeviceChannel::writePieces(const std::uint8_t* data, std::size_t length,
                                   std::size_t pieceSize, const PieceSent& afterPiece) {
    if (silent_) {
        // Each piece fails at once, as a single write does.
        ByteChannel::writePieces(data, length, pieceSize, afterPiece);
        return;
    }
    device_.bulkWritePieces(kWriterBulkOut, data, length, pieceSize,
                            [&](std::size_t end, int result) {
                                // After a time-out the rest fail as quietly as later transfers.
                                if (!silent_) {
                                    succeeded(result, "write");
                                }
                                afterPiece(end);
                            });
}

bool UsbDeviceChannel::read(std::uint8_t* buffer, std::size_t length) {
    return !silent_ &&
           succeeded(device_.bulkRead(kWriterBulkIn, buffer, static_cast<int>(length)), "read");
}

}  // namespace vexlor
