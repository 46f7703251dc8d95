#include "cli/CliSession.h"

#include <unistd.h>

#include <cstdlib>

#include "core/app/WriterVersion.h"
#include "core/writer/LibusbBus.h"
#include "core/writer/PluginAccessLibrary.h"
#include "sim/SimFirmwareImage.h"
#include "sim/SimTransports.h"

namespace vexlor::cli {

namespace {
std::filesystem::path programDirectory() {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path(ec) : self.parent_path();
}

// Transport lines only with --verbose; nobody acts on them.
Diagnostics::Sink diagnosticSink(bool verbose, std::ostream& out) {
    if (!verbose) {
        return [](std::string_view) {};
    }
    return [&out](std::string_view line) { out << line << std::flush; };
}

// The messages the writer operations look up by key.
void loadMessages(AppContext& context) {
    context.messages.LoadMultiLanguageMsgFile(context.shell.baseDirectory / kMessageCatalogueFile);
}
}  // namespace

CliSession::CliSession(SessionOptions options, std::ostream& out, std::ostream& err)
    : options_(std::move(options)),
      out_(out),
      operator_(out, err, options_.answers),
      diagnostics_(diagnosticSink(options_.verbose, out)) {
    context_ = std::make_unique<AppContext>(operator_, options_.baseDirectory, Language::English);
    loadMessages(*context_);
    deviceDirectory_ = ResolveDeviceDirectory(std::getenv("VEXLOR_DEVICE_DIR"));
    if (options_.simulate) {
        // The simulated writer answers at once; waiting for it would only slow the tool down.
        ownClock_ = std::make_unique<VirtualClock>();
        // The simulated writer runs the base firmware shipped in the data directory, when there.
        std::string ignored;
        sim::readFirmwareImage(options_.baseDirectory / "firmware" / "20test.nce",
                               options_.simConfig.firmwareImage, ignored);
        simulated_ = std::make_unique<sim::SimWriter>(options_.simConfig);
        simulated_->faults() = options_.simFaults;
        access_ = std::make_unique<AbsentAccessLibrary>();
        usb_ = std::make_unique<sim::SimUsbBus>(*simulated_);
    } else {
        ownClock_ = std::make_unique<SteadyClock>();
        accessLibraryPath_ =
            ResolveAccessLibraryPath(programDirectory(), std::getenv("VEXLOR_ACCESS_LIBRARY"));
        access_ = LoadAccessLibrary(accessLibraryPath_, diagnostics_);
        usb_ = std::make_unique<LibusbBus>();
    }
    clock_ = options_.clock != nullptr ? options_.clock : ownClock_.get();
    connection_ = std::make_unique<WriterConnection>(
        context_->link, WriterTransports{*access_, *usb_, deviceDirectory_},
        TransferFeedback{progress_, progress_, diagnostics_});
    writer_ = std::make_unique<Writer>(
        *connection_,
        WriterHost{operator_, context_->messages, buttons_, *clock_, options_.baseDirectory});
}

CliSession::~CliSession() {
    if (connected_) {
        connection_->CloseAtExit();
    }
}

bool CliSession::connect(std::string& reason) {
    if (connected_) {
        return true;
    }
    if (!connection_->SelectTransport(false)) {
        reason = "no writer found (see the devices command)";
        return false;
    }
    connected_ = true;
    WriterLink& link = context_->link;
    writer_->ReadVersionBlock(cmd::kVersion, link.hwVersionText.data(),
                              static_cast<std::uint32_t>(link.hwVersionText.size()));
    const WriterVersionClass version = ClassifyWriterVersion(VersionString(link.hwVersionText));
    link.hwVersionName = version.hwVersionName;
    link.knownWriterVersion = version.known;
    return true;
}

std::string CliSession::transportName() const {
    const WriterLink& link = context_->link;
    if (link.useAccessLibrary) {
        return "access library " + accessLibraryPath_.string();
    }
    if (link.useLibusb) {
        return options_.simulate ? "simulated writer (in-process USB)" : "libusb";
    }
    const auto name = link.deviceName;
    const auto slash = name.rfind('/');
    return "device files " + (slash == std::string::npos ? name : name.substr(0, slash));
}

}  // namespace vexlor::cli
