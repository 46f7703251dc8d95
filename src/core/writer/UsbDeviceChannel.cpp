#include "core/writer/UsbDeviceChannel.h"

#include "core/writer/WriterIdentity.h"

namespace vexlor {

bool UsbDeviceChannel::write(const std::uint8_t* data, std::size_t length) {
    const int result = device_.bulkWrite(kWriterBulkOut, data, static_cast<int>(length));
    if (result < 0) {
        diagnostics_.printf("error: bulk write failed: %s\n", device_.errorText(result).c_str());
        return false;
    }
    diagnostics_.printf("success: bulk write %d bytes\n", result);
    return true;
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
