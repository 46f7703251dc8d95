#pragma once

#include "core/writer/ByteChannel.h"
#include "core/writer/WriterTransport.h"

namespace vexlor {

// The own USB path: every command framed by the 13-byte blocks over a byte channel. The
// libusb and device-file transports differ only in how they open and what channel they give.
class FramedTransport : public WriterTransport {
  public:
    bool send(std::uint8_t command, const std::uint8_t* data, std::uint32_t length,
              const TransferFeedbackHooks& feedback) override;
    bool receive(std::uint8_t command, std::uint8_t* buffer, std::uint32_t length,
                 const TransferFeedbackHooks& feedback) override;
    // The own path always reads the full block; a smaller buffer cannot take it.
    bool readVersion(std::uint8_t command, std::uint8_t* buffer, std::uint32_t length) override;

    TransportTraits traits() const override { return {WordOrder::LowFirst, 2, true, false}; }
    bool concerns(std::string_view notifiedDeviceName) const override;
    bool stillReachable() override { return false; }

  protected:
    // emptyTransferWithoutData: a null data pointer is let through when there is no data.
    explicit FramedTransport(bool emptyTransferWithoutData)
        : emptyTransferWithoutData_(emptyTransferWithoutData) {}

    // Only called while isOpen().
    virtual ByteChannel& channel() = 0;

  private:
    bool ready(const void* data, std::uint32_t length, const TransferFeedbackHooks& feedback);

    bool emptyTransferWithoutData_;
};

}  // namespace vexlor
