#include "core/writer/LibusbTransport.h"

#include "core/writer/WriterIdentity.h"

namespace vexlor {

namespace {

OpenResult Refusal(int error) {
    switch (error) {
        case kUsbErrorAccess:
            return OpenResult::Denied;
        case kUsbErrorBusy:
            return OpenResult::Busy;
        default:
            return OpenResult::Absent;
    }
}

}  // namespace

OpenResult LibusbTransport::open() {
    // A handle left from before a missed removal may be stale: start from a fresh one.
    close();
    device_ = portPath_.empty() ? bus_.openFirst(kWriterVendorId, kWriterProductId)
                                : bus_.openAt(portPath_);
    if (!device_) {
        return Refusal(bus_.lastOpenError());
    }
    const int configured = device_->setConfiguration(kWriterConfiguration);
    if (configured < 0) {
        diagnostics_.printf("error setting config #%d: %s\n", kWriterConfiguration,
                            device_->errorText(configured).c_str());
        close();
        return OpenResult::Absent;
    }
    diagnostics_.printf("success: set configuration #%d\n", kWriterConfiguration);
    const int claimed = device_->claimInterface(kWriterInterface);
    if (claimed < 0) {
        diagnostics_.printf("error claiming interface #%d:\n%s\n", kWriterInterface,
                            device_->errorText(claimed).c_str());
        close();
        return Refusal(claimed);
    }
    diagnostics_.printf("success: claim_interface #%d\n", kWriterInterface);
    channel_.emplace(*device_, diagnostics_);
    return OpenResult::Opened;
}

void LibusbTransport::close() {
    channel_.reset();
    device_.reset();
}

}  // namespace vexlor
