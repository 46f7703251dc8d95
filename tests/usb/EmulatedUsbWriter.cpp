#include "EmulatedUsbWriter.h"

#include <umockdev.h>

#include <stdexcept>

namespace vexlor::usbtest {

namespace {
// As written in the device description.
constexpr const char* kSysfsPath = "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-1";
constexpr const char* kDeviceNode = "/dev/bus/usb/001/002";
}  // namespace

EmulatedUsbWriter::EmulatedUsbWriter(sim::SimWriter& writer)
    : writer_(writer), testbed_(umockdev_testbed_new()), kernel_(writer, [this] { unplug(); }) {
    if (!umockdev_in_mock_environment()) {
        g_object_unref(testbed_);
        throw std::runtime_error("not under umockdev-wrapper: libusb would see the real bus");
    }
    GError* error = nullptr;
    // The bus's own root hub comes first in the device list, as on every real bus.
    if (!umockdev_testbed_add_from_file(testbed_, VEXLOR_USB_ROOT_HUB_DESCRIPTION, &error) ||
        !umockdev_testbed_attach_ioctl(testbed_, kDeviceNode, kernel_.handler(), &error)) {
        const std::string message = error->message;
        g_error_free(error);
        g_object_unref(testbed_);
        throw std::runtime_error("cannot set up the testbed: " + message);
    }
    writer_.detach();
}

EmulatedUsbWriter::~EmulatedUsbWriter() {
    umockdev_testbed_detach_ioctl(testbed_, kDeviceNode, nullptr);
    g_object_unref(testbed_);
}

void EmulatedUsbWriter::plugIn() {
    std::lock_guard lock(mutex_);
    if (pluggedIn_) {
        return;
    }
    GError* error = nullptr;
    if (!umockdev_testbed_add_from_file(testbed_, VEXLOR_USB_WRITER_DESCRIPTION, &error)) {
        const std::string message = error->message;
        g_error_free(error);
        throw std::runtime_error("cannot add the writer to the testbed: " + message);
    }
    writer_.attach();
    pluggedIn_ = true;
}

void EmulatedUsbWriter::unplug() {
    std::lock_guard lock(mutex_);
    if (!pluggedIn_) {
        return;
    }
    writer_.detach();
    umockdev_testbed_uevent(testbed_, kSysfsPath, "remove");
    umockdev_testbed_remove_device(testbed_, kSysfsPath);
    pluggedIn_ = false;
}

}  // namespace vexlor::usbtest
