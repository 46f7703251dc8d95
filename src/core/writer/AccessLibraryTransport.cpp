#include "core/writer/AccessLibraryTransport.h"

namespace vexlor {

OpenResult AccessLibraryTransport::open() {
    open_ = library_.open(kOpenArgument, 0, 0) == 0;
    if (!open_) {
        return OpenResult::Absent;
    }
    library_.setTimeout(kTimeout);
    return OpenResult::Opened;
}

bool AccessLibraryTransport::send(std::uint8_t command, const std::uint8_t* data,
                                  std::uint32_t length, const TransferFeedbackHooks&) {
    // The library's C interface takes a mutable pointer but only reads the data out.
    return library_.sendCommand(command, const_cast<std::uint8_t*>(data), length) != 0;
}

bool AccessLibraryTransport::receive(std::uint8_t command, std::uint8_t* buffer,
                                     std::uint32_t length, const TransferFeedbackHooks&) {
    return library_.receiveCommand(command, buffer, length) != 0;
}

}  // namespace vexlor
