#include "cli/CliSession.h"

#include "cli/JobCommands.h"
#include "core/app/VoltageCheck.h"
#include "core/app/WriterVersion.h"
#include "core/writer/WriterPermission.h"
#include "sim/SimFirmwareImage.h"

namespace vexlor::cli {

namespace {
// Transport lines only with --verbose, and on the error stream: standard output carries the
// commands' results.
Diagnostics::Sink diagnosticSink(bool verbose, std::ostream& err) {
    if (!verbose) {
        return [](std::string_view) {};
    }
    return [&err](std::string_view line) { err << line << std::flush; };
}

// The messages the writer operations look up by key; most runs show none.
void loadMessages(AppContext& context) {
    context.messages.LoadOnFirstLookup(context.shell.baseDirectory / kMessageCatalogueFile);
}
}  // namespace

CliSession::CliSession(SessionOptions options, std::ostream& out, std::ostream& err)
    : options_(std::move(options)),
      out_(out),
      operator_(out, err, options_.answers),
      diagnostics_(diagnosticSink(options_.verbose, err)) {
    operator_.echoMessagesTo(&progress_);
    context_ = std::make_unique<AppContext>(operator_, options_.baseDirectory, Language::English);
    loadMessages(*context_);
    TransportOptions transportOptions{options_.paths};
    if (options_.simulate) {
        // The simulated writer answers at once; waiting for it would only slow the tool down.
        ownClock_ = std::make_unique<VirtualClock>();
        // The simulated writer runs the base firmware shipped in the data directory, when there.
        std::string ignored;
        sim::readFirmwareImage(options_.baseDirectory / "firmware" / "20test.nce",
                               options_.simConfig.firmwareImage, ignored);
        simulated_ = std::make_unique<sim::SimWriter>(options_.simConfig);
        simulated_->faults() = options_.simFaults;
        if (!options_.simJob.empty()) {
            simulated_->seedOptionArea(options_.simJob);
            simulated_->attach();
        }
        simulatedBus_ = std::make_unique<sim::SimUsbBus>(*simulated_);
        transportOptions.usbBus = simulatedBus_.get();
        transportOptions.paths.accessLibrary.clear();
    } else {
        ownClock_ = std::make_unique<SteadyClock>();
    }
    clock_ = options_.clock != nullptr ? options_.clock : ownClock_.get();
    transports_ = std::make_unique<WriterTransports>(transportOptions, diagnostics_);
    connection_ = std::make_unique<WriterConnection>(
        context_->link, *transports_, TransferFeedback{progress_, progress_, diagnostics_});
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
    connectFailureStatus_ = kExitBadInput;
    if (!chooseWriter(reason)) {
        return false;
    }
    connectFailureStatus_ = kExitNoWriter;
    if (!connection_->SelectTransport(false)) {
        reason = connection_->writerBusy()     ? "writer busy (another program is using it)"
                 : connection_->writerDenied() ? WriterAccessDeniedMessage()
                                               : "no writer found (see the devices command)";
        return false;
    }
    connected_ = true;
    // Checked where the desktop program checks it, at attach, so bad voltages show before a job.
    if (ReadWriterVersion(*writer_).model == WriterModel::V2_0 && !RunVoltageCheck(*writer_)) {
        op().message(context_->messages.text("VoltageFailMsg"));
    }
    return true;
}

bool CliSession::chooseWriter(std::string& reason) {
    const std::string& wanted = options_.writerId;
    // --simulate alone names the in-process writer, found first as always.
    if (wanted.empty() && options_.simulate) {
        return true;
    }
    // The access library is asked only when named: it reaches one of the own-path writers.
    const auto writers = transports_->listWriters(wanted == kLibraryWriterId);
    if (wanted.empty()) {
        if (CountOwnPathWriters(writers) > 1) {
            reason =
                "several writers attached; choose one with --writer ID: " + WriterIdList(writers);
            return false;
        }
        return true;
    }
    const WriterListing* found = FindWriter(writers, wanted);
    if (found == nullptr) {
        reason = "no writer " + wanted + " attached; attached: " + WriterIdList(writers);
        return false;
    }
    transports_->choose(*found);
    return true;
}

void CliSession::connectWhenPresent() {
    if (options_.simulate || WriterMayBePresent(options_.paths)) {
        std::string ignored;
        connect(ignored);
    }
}

bool CliSession::writerAnswers() {
    std::string version;
    return context_->link.writerConnected && connection_->ReadVersionText(version);
}

std::filesystem::path ProgramDirectory() {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path(ec) : self.parent_path();
}

}  // namespace vexlor::cli
