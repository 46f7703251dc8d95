#include "core/writer/WriterTransports.h"

#include "core/writer/DeviceDirectoryWatcher.h"
#include "core/writer/PluginAccessLibrary.h"
#include "core/writer/WriterIdentity.h"

namespace vexlor {

namespace {
std::filesystem::path OrDefault(const char* value, std::filesystem::path fallback) {
    return value != nullptr && *value != '\0' ? std::filesystem::path(value) : fallback;
}
}  // namespace

std::filesystem::path ResolveDeviceDirectory(const char* environmentValue) {
    return OrDefault(environmentValue, std::filesystem::path(kDefaultDeviceDirectory));
}

WriterPaths ResolveWriterPaths(const std::filesystem::path& programDirectory,
                               const char* deviceDirectoryValue, const char* accessLibraryValue) {
    return {ResolveDeviceDirectory(deviceDirectoryValue),
            OrDefault(accessLibraryValue, programDirectory / kAccessLibraryFileName)};
}

bool WriterMayBePresent(const WriterPaths& paths) {
    std::error_code error;
    return (!paths.accessLibrary.empty() && std::filesystem::exists(paths.accessLibrary, error)) ||
           !PresentDeviceInterfaces(paths.deviceDirectory).empty() ||
           UsbDeviceMayBePresent(paths.usb, kWriterVendorId, kWriterProductId);
}

WriterTransports::WriterTransports(const TransportOptions& options, const Diagnostics& diagnostics)
    : pipes_(options.paths.deviceDirectory, diagnostics, options.pipeWaitLimitMs),
      deviceDirectory_(options.paths.deviceDirectory) {
    accessLibrary_ = options.accessLibrary;
    if (accessLibrary_ == nullptr) {
        loadedLibrary_ = options.paths.accessLibrary.empty()
                             ? std::make_unique<AbsentAccessLibrary>()
                             : LoadAccessLibrary(options.paths.accessLibrary, diagnostics);
        accessLibrary_ = loadedLibrary_.get();
    }
    usbBus_ = options.usbBus;
    if (usbBus_ == nullptr) {
        realBus_ = std::make_unique<LibusbBus>(options.paths.usb);
        usbBus_ = realBus_.get();
    }
    library_ = std::make_unique<AccessLibraryTransport>(
        *accessLibrary_, "access library " + options.paths.accessLibrary.string());
    libusb_ = std::make_unique<LibusbTransport>(
        *usbBus_, realBus_ ? "libusb" : "simulated writer (in-process USB)", diagnostics);
}

std::vector<WriterListing> WriterTransports::listWriters(bool probeLibrary) {
    WriterSources sources{usbBus_->writerPlaces(), PipeInterfaceNames(deviceDirectory_)};
    if (probeLibrary) {
        sources.accessLibraryWriter = library_->isOpen();
        if (!sources.accessLibraryWriter && library_->open() == OpenResult::Opened) {
            sources.accessLibraryWriter = true;
            library_->close();
        }
    }
    return ListWriters(sources);
}

void WriterTransports::choose(const std::optional<WriterListing>& writer) {
    chosen_ = writer;
    pipes_.restrictTo(allows(WriterKind::Pipe) && chosen_ ? chosen_->place : "");
    libusb_->restrictTo(allows(WriterKind::Usb) && chosen_ ? chosen_->place : "");
}

}  // namespace vexlor
