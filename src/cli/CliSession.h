#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/ConsoleOperator.h"
#include "core/app/AppContext.h"
#include "core/base/Clock.h"
#include "core/base/Diagnostics.h"
#include "core/base/ProgressSink.h"
#include "core/convert/ConversionJob.h"
#include "core/writer/Writer.h"
#include "core/writer/WriterTransports.h"
#include "sim/SimTransports.h"
#include "sim/SimWriter.h"

namespace vexlor::cli {

// A console has no operation buttons to switch off while a job runs.
class NoButtons final : public OperationButtons {
  public:
    void disableOperationButtons() override {}
    void enableOperationButtons() override {}
};

// Hands the writer's progress to whoever shows it while a command runs.
class ProgressRelay final : public ProgressSink, public PaintPump {
  public:
    void onEvent(const ProgressEvent& event) override {
        if (target != nullptr)
            target->onEvent(event);
    }
    void pumpPaint() override {}

    ProgressSink* target = nullptr;
};

// The global options of one invocation.
struct SessionOptions {
    WriterPaths paths;
    bool simulate = false;
    std::filesystem::path baseDirectory;
    bool verbose = false;  // diagnostic lines to the error stream
    sim::SimConfig simConfig;
    sim::SimFaults simFaults;
    // The job the simulated writer holds at start (its option header); empty: none.
    std::vector<std::uint8_t> simJob;
    ConsoleAnswers answers;
    std::uint32_t optionWord = 0x60;  // the option word a conversion starts from
    // Every wait of the writer link; null: the steady clock, or a virtual one with --simulate.
    Clock* clock = nullptr;
    bool forceHex = false;  // go on with HEX files whose checksums or end are wrong
    bool force = false;     // overwrite an existing output file
    bool json = false;      // events as JSON lines on standard output, people's text elsewhere
    std::string writerId;   // --writer: the one writer to use; empty: the only one attached

    // No one is there to ask about a damaged HEX file; only --force-hex takes it.
    DamagedHex damagedHex() const { return forceHex ? DamagedHex::Accept : DamagedHex::Refuse; }
};

// What the commands of one invocation share: the application context, the transports and the
// writer link over them. The writer is opened on first use.
class CliSession {
  public:
    CliSession(SessionOptions options, std::ostream& out, std::ostream& err);
    ~CliSession();
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    std::ostream& out() { return out_; }
    const SessionOptions& options() const { return options_; }
    AppContext& context() { return *context_; }
    Operator& op() { return operator_; }
    Clock& clock() { return *clock_; }
    const Diagnostics& diagnostics() const { return diagnostics_; }
    AccessLibrary& accessLibrary() { return transports_->accessLibrary(); }
    UsbBus& usbBus() { return transports_->usbBus(); }
    const std::filesystem::path& deviceDirectory() const { return options_.paths.deviceDirectory; }
    const std::filesystem::path& accessLibraryPath() const { return options_.paths.accessLibrary; }
    // The in-process writer of --simulate; nullptr otherwise.
    sim::SimWriter* simulatedWriter() { return simulated_.get(); }

    // Opens the writer as the program does at start and classifies its version; false with a
    // reason when no writer answers or the writer to use is not clear.
    bool connect(std::string& reason);
    // The exit status for the last failed connect: bad input when --writer named no attached
    // writer or several are attached and none was named, else no writer.
    int connectFailureStatus() const { return connectFailureStatus_; }
    // Every writer attached now, the access library's included.
    std::vector<WriterListing> listWriters() { return transports_->listWriters(true); }
    // The same for commands that only use the writer's version, and only when a writer may be
    // there: without one, nothing is opened and libusb is not started.
    void connectWhenPresent();
    Writer& writer() { return *writer_; }
    // Asks the open writer for its version: false when it no longer answers.
    bool writerAnswers();
    // How the open writer is reached, for people.
    std::string transportName() const { return connection_->transport().name(); }
    // Where the events of long operations go from now on; nullptr shows none.
    void showProgressOn(ProgressSink* sink) { progress_.target = sink; }
    ProgressSink& progress() { return progress_; }

  private:
    SessionOptions options_;
    std::ostream& out_;
    ConsoleOperator operator_;
    Diagnostics diagnostics_;
    ProgressRelay progress_;
    NoButtons buttons_;
    std::unique_ptr<Clock> ownClock_;
    Clock* clock_ = nullptr;
    std::unique_ptr<AppContext> context_;
    std::unique_ptr<sim::SimWriter> simulated_;
    std::unique_ptr<sim::SimUsbBus> simulatedBus_;
    std::unique_ptr<WriterTransports> transports_;
    std::unique_ptr<WriterConnection> connection_;
    std::unique_ptr<Writer> writer_;
    bool connected_ = false;
    int connectFailureStatus_ = 0;

    bool chooseWriter(std::string& reason);
};

// The directory of the running program, where the access-library plugin is looked for.
std::filesystem::path ProgramDirectory();

}  // namespace vexlor::cli
