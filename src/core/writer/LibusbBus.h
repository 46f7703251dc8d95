#pragma once

#include <functional>
#include <memory>

#include "core/writer/DeviceEvent.h"
#include "core/writer/UsbBus.h"
#include "core/writer/WriterAnswerLimit.h"
#include "core/writer/WriterPresence.h"

struct libusb_context;
struct libusb_device;

namespace vexlor {

// The real USB bus through libusb-1.0, with its own library context. libusb starts on first
// need, and an open does not start it while the kernel lists no writer.
class LibusbBus final : public UsbBus {
  public:
    // answerLimitMs bounds every bulk transfer of the devices it opens.
    explicit LibusbBus(UsbDeviceLists lists = {}, unsigned answerLimitMs = kWriterAnswerLimitMs);
    ~LibusbBus() override;
    LibusbBus(const LibusbBus&) = delete;
    LibusbBus& operator=(const LibusbBus&) = delete;

    // False until libusb started, or when it could not start; the bus then finds no device.
    bool usable() const { return context_ != nullptr; }

    std::unique_ptr<UsbDevice> openFirst(std::uint16_t vendorId, std::uint16_t productId) override;
    int lastOpenError() const override { return lastOpenError_; }
    // Listed from sysfs, which names devices by the same bus-port path and shows their serial
    // numbers without opening them.
    std::vector<UsbWriterPlace> writerPlaces() override;
    std::unique_ptr<UsbDevice> openAt(const std::string& portPath) override;

    // Arrival and removal of devices with the writer's identity. Returns false when the
    // platform offers no hot-plug notices. Events arrive from inside handleEvents() only, never
    // from inside a transfer.
    bool watchWriter(std::function<void(const DeviceEvent&)> onEvent);
    // Delivers pending hot-plug notices without blocking; call it from a timer.
    void handleEvents();

  private:
    bool start();
    // Opens the first writer the filter accepts; the first one found decides, as on a bus walk.
    std::unique_ptr<UsbDevice> openMatching(std::uint16_t vendorId, std::uint16_t productId,
                                            const std::function<bool(libusb_device*)>& filter);

    UsbDeviceLists lists_;
    unsigned answerLimitMs_;
    libusb_context* context_ = nullptr;
    int lastOpenError_ = 0;
    struct Watch;
    std::unique_ptr<Watch> watch_;
};

}  // namespace vexlor
