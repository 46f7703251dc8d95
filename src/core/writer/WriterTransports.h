#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "core/base/Diagnostics.h"
#include "core/writer/AccessLibraryTransport.h"
#include "core/writer/LibusbBus.h"
#include "core/writer/LibusbTransport.h"
#include "core/writer/PipeTransport.h"
#include "core/writer/WriterListing.h"
#include "core/writer/WriterPresence.h"

namespace vexlor {

// Where the real ways to the writer are found. The programs fill it from their environment.
struct WriterPaths {
    std::filesystem::path deviceDirectory;
    // The access-library plugin; a missing file means there is none.
    std::filesystem::path accessLibrary;
    // Where the kernel lists the USB devices libusb would find.
    UsbDeviceLists usb = {};
};

// Whether one of the real ways may reach a writer: the plugin is there, the device directory
// holds an interface, or the bus may carry the writer. Opens nothing and starts no libusb.
bool WriterMayBePresent(const WriterPaths& paths);

// The device-interface directory: the environment value when set and not empty, else the
// system default.
std::filesystem::path ResolveDeviceDirectory(const char* environmentValue);

// The device directory and plugin path: each environment value when set and not empty, else
// the system's device directory and the plugin beside the program.
WriterPaths ResolveWriterPaths(const std::filesystem::path& programDirectory,
                               const char* deviceDirectoryValue, const char* accessLibraryValue);

struct TransportOptions {
    WriterPaths paths;
    // In place of libusb, e.g. a bus the simulated writer sits on.
    UsbBus* usbBus = nullptr;
    // In place of the plugin named in paths.
    AccessLibrary* accessLibrary = nullptr;
    // How long the device-file pipes wait for the writer in one exchange.
    int pipeWaitLimitMs = kWriterAnswerLimitMs;
};

// Every way to the program's writer, each one transport object: the access library, the own
// path over libusb and the own path over device files.
class WriterTransports {
  public:
    WriterTransports(const TransportOptions& options, const Diagnostics& diagnostics);
    WriterTransports(const WriterTransports&) = delete;
    WriterTransports& operator=(const WriterTransports&) = delete;

    AccessLibraryTransport& library() { return *library_; }
    LibusbTransport& libusb() { return *libusb_; }
    PipeTransport& pipes() { return pipes_; }
    // The real bus, for its hot-plug notices; nullptr when another bus stands in for it.
    LibusbBus* realBus() { return realBus_.get(); }
    AccessLibrary& accessLibrary() { return *accessLibrary_; }
    UsbBus& usbBus() { return *usbBus_; }

    // Every writer attached now, without opening any of them. The access library is asked
    // only with probeLibrary: asking it means opening its writer, unless it is open already.
    std::vector<WriterListing> listWriters(bool probeLibrary);
    // From now on only this writer is opened; nullopt: whichever the usual order finds.
    void choose(const std::optional<WriterListing>& writer);
    const std::optional<WriterListing>& chosen() const { return chosen_; }
    bool allows(WriterKind kind) const { return !chosen_ || chosen_->kind == kind; }

  private:
    std::unique_ptr<AccessLibrary> loadedLibrary_;
    std::unique_ptr<LibusbBus> realBus_;
    AccessLibrary* accessLibrary_;
    UsbBus* usbBus_;
    std::unique_ptr<AccessLibraryTransport> library_;
    std::unique_ptr<LibusbTransport> libusb_;
    PipeTransport pipes_;
    std::filesystem::path deviceDirectory_;
    std::optional<WriterListing> chosen_;
};

}  // namespace vexlor
