#include "core/writer/UsbDeviceChannel.h"

#include "core/writer/WriterIdentity.h"

namespace vexlor {

bool UsbDeviceChannel::reportWrite(int result) const {
    if (result < 0) {
        diagnostics_.printf("error: bulk write failed: %s\n", device_.errorText(result).c_str());
        return false;
    }
    diagnostics_.printf("success: bulk write %d bytes\n", result);
    return true;
}

bool UsbDeviceChannel::write(const std::uint8_t* data, std::size_t length) {
    return reportWrite(device_.bulkWrite(kWriterBulkOut, data, static_cast<int>(length)));
}

void UsbDeviceChannel::writePieces(const std::uint8_t* data, std::size_t length,
                                   std::size_t pieceSize, const PieceSent& afterPiece) {
    device_.bulkWritePieces(kWriterBulkOut, data, length, pieceSize,
                            [&](std::size_t end, int result) {
                                reportWrite(result);
                                afterPiece(end);
                            });
}

bool UsbDeviceChannel::read(std::uint8_t* buffer, std::size_t length) {
    const int result = device_.bulkRead(kWriterBulkIn, buffer, static_cast<int>(length));
    if (result < 0) {
        diagnostics_.printf("error: bulk read failed: %s\n", device_.errorText(result).c_str());
        return false;
    }
    diagnostics_.printf("success: bulk read %d bytes\n", result);
    return true;
}

}  // namespace vexlor
