#pragma once

#include <memory>
#include <optional>
#include <string>

#include "core/base/Diagnostics.h"
#include "core/writer/FramedTransport.h"
#include "core/writer/UsbBus.h"
#include "core/writer/UsbDeviceChannel.h"

namespace vexlor {

// The own path over a USB bus: the first device with the writer's identity, configured and
// its interface claimed, with bulk transfers on the writer's endpoints.
class LibusbTransport final : public FramedTransport {
  public:
    LibusbTransport(UsbBus& bus, std::string name, const Diagnostics& diagnostics)
        : FramedTransport(true), bus_(bus), name_(std::move(name)), diagnostics_(diagnostics) {}

    std::string name() const override { return name_; }
    OpenResult open() override;
    void close() override;
    bool isOpen() const override { return device_ != nullptr; }
    // Only the writer at this bus-port path is opened from now on; empty: the first one.
    void restrictTo(std::string portPath) { portPath_ = std::move(portPath); }

  private:
    ByteChannel& channel() override { return *channel_; }

    UsbBus& bus_;
    std::string name_;
    std::string portPath_;
    const Diagnostics& diagnostics_;
    std::unique_ptr<UsbDevice> device_;
    std::optional<UsbDeviceChannel> channel_;
};

}  // namespace vexlor
