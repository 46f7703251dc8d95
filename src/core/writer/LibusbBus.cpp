#include "core/writer/LibusbBus.h"

#include <utility>
#include <vector>

#include "core/base/Diagnostics.h"
#include "core/writer/LibusbApi.h"
#include "core/writer/LibusbQueuedWrite.h"
#include "core/writer/WriterIdentity.h"

namespace vexlor {

namespace {

class LibusbDevice final : public UsbDevice {
  public:
    LibusbDevice(libusb_context* context, libusb_device_handle* handle, unsigned answerLimitMs)
        : context_(context), handle_(handle), answerLimitMs_(answerLimitMs) {}
    ~LibusbDevice() override {
        if (claimed_ >= 0) {
            Libusb()->release_interface(handle_, claimed_);
        }
        Libusb()->close(handle_);
    }
    LibusbDevice(const LibusbDevice&) = delete;
    LibusbDevice& operator=(const LibusbDevice&) = delete;

    int setConfiguration(int configuration) override {
        return Libusb()->set_configuration(handle_, configuration);
    }
    int claimInterface(int interfaceNumber) override {
        const int result = Libusb()->claim_interface(handle_, interfaceNumber);
        if (result >= 0) {
            claimed_ = interfaceNumber;
        }
        return result;
    }
    int bulkWrite(std::uint8_t endpoint, const std::uint8_t* data, int length) override {
        // libusb's signature is not const-correct; an OUT transfer only reads the buffer.
        return transfer(endpoint, const_cast<std::uint8_t*>(data), length);
    }
    int bulkRead(std::uint8_t endpoint, std::uint8_t* buffer, int length) override {
        return transfer(endpoint, buffer, length);
    }
    void bulkWritePieces(std::uint8_t endpoint, const std::uint8_t* data, std::size_t length,
                         std::size_t pieceSize, const PieceDone& onDone) override {
        LibusbWritePieces(context_, handle_, endpoint, data, length, pieceSize, answerLimitMs_,
                          onDone);
    }
    std::string errorText(int code) const override { return Libusb()->strerror(code); }

  private:
    int transfer(std::uint8_t endpoint, std::uint8_t* data, int length) {
        int moved = 0;
        const int result =
            Libusb()->bulk_transfer(handle_, endpoint, data, length, &moved, answerLimitMs_);
        return result < 0 ? result : moved;
    }

    libusb_context* context_;
    libusb_device_handle* handle_;
    unsigned answerLimitMs_;
    int claimed_ = -1;
};

// Hot-plug names carry the writer's class GUID text, as the device-file names do, so the
// receivers' rule "is it the writer?" is the same for every transport.
std::string HotplugDeviceName(libusb_device* device) {
    return format("usb-%03u-%03u#{%.*s}", Libusb()->get_bus_number(device),
                  Libusb()->get_device_address(device),
                  static_cast<int>(kWriterClassGuidText.size()), kWriterClassGuidText.data());
}

// The kernel's name of the device's place: bus number, then the hub ports down to it
// ("1-4.2"), as sysfs lists it.
std::string PortPath(libusb_device* device) {
    std::uint8_t ports[8];
    const int depth = Libusb()->get_port_numbers(device, ports, sizeof ports);
    std::string path = std::to_string(Libusb()->get_bus_number(device));
    for (int i = 0; i < depth; ++i) {
        path += (i == 0 ? "-" : ".") + std::to_string(ports[i]);
    }
    return path;
}

}  // namespace

struct LibusbBus::Watch {
    std::function<void(const DeviceEvent&)> onEvent;
    libusb_hotplug_callback_handle handle = 0;
    // libusb calls back from whatever waits for its events, bulk transfers included; a notice
    // handled there could close the device under the running transfer.
    std::vector<DeviceEvent> pending;

    static int LIBUSB_CALL Callback(libusb_context*, libusb_device* device,
                                    libusb_hotplug_event event, void* self) {
        auto& watch = *static_cast<Watch*>(self);
        const auto kind = event == LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED ? DeviceEvent::Arrival
                                                                       : DeviceEvent::Removal;
        watch.pending.push_back(DeviceEvent{kind, HotplugDeviceName(device)});
        return 0;
    }
};

LibusbBus::LibusbBus(UsbDeviceLists lists, unsigned answerLimitMs)
    : lists_(std::move(lists)), answerLimitMs_(answerLimitMs) {}

bool LibusbBus::start() {
    if (context_ == nullptr &&
        (Libusb() == nullptr || Libusb()->init(&context_) != LIBUSB_SUCCESS)) {
        context_ = nullptr;
    }
    return context_ != nullptr;
}

LibusbBus::~LibusbBus() {
    if (context_ == nullptr) {
        return;
    }
    if (watch_) {
        Libusb()->hotplug_deregister_callback(context_, watch_->handle);
    }
    Libusb()->exit(context_);
}

std::unique_ptr<UsbDevice> LibusbBus::openFirst(std::uint16_t vendorId, std::uint16_t productId) {
    return openMatching(vendorId, productId, [](libusb_device*) { return true; });
}

std::vector<UsbWriterPlace> LibusbBus::writerPlaces() {
    return SysfsUsbWriters(lists_.sysfs);
}

std::unique_ptr<UsbDevice> LibusbBus::openAt(const std::string& portPath) {
    return openMatching(kWriterVendorId, kWriterProductId,
                        [&](libusb_device* device) { return PortPath(device) == portPath; });
}

std::unique_ptr<UsbDevice> LibusbBus::openMatching(
    std::uint16_t vendorId, std::uint16_t productId,
    const std::function<bool(libusb_device*)>& filter) {
    lastOpenError_ = 0;
    // Hot-plug watching starts libusb anyway; only a bus not yet started is worth sparing.
    if (context_ == nullptr && !UsbDeviceMayBePresent(lists_, vendorId, productId)) {
        return nullptr;
    }
    if (!start()) {
        return nullptr;
    }
    libusb_device** list = nullptr;
    const ssize_t count = Libusb()->get_device_list(context_, &list);
    std::unique_ptr<UsbDevice> opened;
    for (ssize_t i = 0; i < count && !opened; ++i) {
        libusb_device_descriptor descriptor{};
        if (Libusb()->get_device_descriptor(list[i], &descriptor) != LIBUSB_SUCCESS ||
            descriptor.idVendor != vendorId || descriptor.idProduct != productId ||
            !filter(list[i])) {
            continue;
        }
        libusb_device_handle* handle = nullptr;
        lastOpenError_ = Libusb()->open(list[i], &handle);
        if (lastOpenError_ == LIBUSB_SUCCESS) {
            opened = std::make_unique<LibusbDevice>(context_, handle, answerLimitMs_);
        }
        break;
    }
    if (count >= 0) {
        Libusb()->free_device_list(list, 1);
    }
    return opened;
}

bool LibusbBus::watchWriter(std::function<void(const DeviceEvent&)> onEvent) {
    if (!start() || !Libusb()->has_capability(LIBUSB_CAP_HAS_HOTPLUG)) {
        return false;
    }
    if (watch_) {
        Libusb()->hotplug_deregister_callback(context_, watch_->handle);
    }
    watch_ = std::make_unique<Watch>();
    watch_->onEvent = std::move(onEvent);
    const int result = Libusb()->hotplug_register_callback(
        context_,
        static_cast<libusb_hotplug_event>(LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED |
                                          LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT),
        LIBUSB_HOTPLUG_NO_FLAGS, kWriterVendorId, kWriterProductId, LIBUSB_HOTPLUG_MATCH_ANY,
        &Watch::Callback, watch_.get(), &watch_->handle);
    if (result != LIBUSB_SUCCESS) {
        watch_.reset();
        return false;
    }
    return true;
}

void LibusbBus::handleEvents() {
    if (context_ == nullptr || !watch_) {
        return;
    }
    timeval none{0, 0};
    Libusb()->handle_events_timeout_completed(context_, &none, nullptr);
    // The receiver may open or close devices, which queues more notices: take the list first.
    for (const DeviceEvent& event : std::exchange(watch_->pending, {})) {
        watch_->onEvent(event);
    }
}

}  // namespace vexlor
