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

bool UsbDeviceChannel::read(std::uint8_t* buffer, std::size_t length) {
    return !silent_ &&
           succeeded(device_.bulkRead(kWriterBulkIn, buffer, static_cast<int>(length)), "read");
}

}  // namespace vexlor
