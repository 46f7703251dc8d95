#include "core/writer/FramedTransport.h"

#include "core/writer/CommandBlock.h"
#include "core/writer/WriterIdentity.h"
#include "core/writer/WriterLink.h"

namespace vexlor {

bool FramedTransport::ready(const void* data, std::uint32_t length,
                            const TransferFeedbackHooks& feedback) {
    if (feedback.showProgress) {
        feedback.progress.setRange(0, 100);
        feedback.progress.setPosition(1);
    }
    // A device must never be handed a null buffer it would read from or write to.
    const bool missingData = data == nullptr && (!emptyTransferWithoutData_ || length > 0);
    return isOpen() && !missingData;
}

bool FramedTransport::send(std::uint8_t command, const std::uint8_t* data, std::uint32_t length,
                           const TransferFeedbackHooks& feedback) {
    return ready(data, length, feedback) && SendFramed(channel(), feedback, data, length, command);
}

bool FramedTransport::receive(std::uint8_t command, std::uint8_t* buffer, std::uint32_t length,
                              const TransferFeedbackHooks& feedback) {
    return ready(buffer, length, feedback) &&
           ReceiveFramed(channel(), feedback, buffer, length, command);
}

bool FramedTransport::readVersion(std::uint8_t, std::uint8_t* buffer, std::uint32_t length) {
    return isOpen() && buffer != nullptr && length >= kVersionTextSize &&
           ReadVersionFramed(channel(), buffer);
}

bool FramedTransport::concerns(std::string_view notifiedDeviceName) const {
    return notifiedDeviceName.find(kWriterClassGuidText) != std::string_view::npos;
}

}  // namespace vexlor
