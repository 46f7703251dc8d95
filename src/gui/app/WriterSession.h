#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/app/AppContext.h"
#include "core/base/Clock.h"
#include "core/base/Diagnostics.h"
#include "core/writer/DeviceDirectoryWatcher.h"
#include "core/writer/DeviceEvent.h"
#include "core/writer/LibusbBus.h"
#include "core/writer/Writer.h"
#include "core/writer/WriterTransports.h"
#include "gui/app/QtPaintPump.h"
#include "sim/SimWriter.h"

namespace vexlor::gui {

struct SessionOptions {
    // The in-process simulated writer instead of the real transports.
    bool simulate = false;
    // Whether the simulated writer is plugged in when the program starts.
    bool simulatedAttached = true;
    std::string simulatedVersion{sim::kVersionV20};
    // 512 bytes the simulated writer holds in its option area at start: the job it restores.
    std::filesystem::path simulatedJob;
    // Where the real writer is looked for.
    WriterPaths paths;
    // Diagnostic lines on standard error.
    bool verbose = false;
};

// The writer link of the running program with the transports it reaches: the real ones
// (access-library plugin, libusb, device-file pipes) or the simulated writer.
class WriterSession {
  public:
    WriterSession(AppContext& context, Operator& op, ProgressSink& progress,
                  OperationButtons& buttons, Clock& clock, const SessionOptions& options);
    ~WriterSession();
    WriterSession(const WriterSession&) = delete;
    WriterSession& operator=(const WriterSession&) = delete;

    Writer& writer() { return *writer_; }
    const Diagnostics& diagnostics() const { return diagnostics_; }
    WriterConnection& connection() { return *connection_; }

    // Every writer attached now.
    std::vector<WriterListing> listWriters() { return transports_->listWriters(true); }
    const std::optional<WriterListing>& chosenWriter() const { return transports_->chosen(); }
    // Lets go of the writer in use and opens only this one from now on (nullopt: whichever is
    // found first). Returns the arrival notice that attaches it.
    DeviceEvent chooseWriter(const std::optional<WriterListing>& writer);

    // Arrivals and removals since the last call (hot-plug and device-directory watch).
    std::vector<DeviceEvent> pollDeviceEvents();

    bool simulated() const { return simWriter_ != nullptr; }
    bool simulatedAttached() const { return simWriter_ && simWriter_->attached(); }
    sim::SimWriter* simWriter() { return simWriter_.get(); }
    // The notice a real attach or removal of the simulated writer would give.
    DeviceEvent attachSimulated();
    DeviceEvent removeSimulated();
    // Take effect at the next attach, as with a different writer plugged in.
    void setSimulatedVersion(std::string versionText);
    void setSimulatedForeignFirmware(bool foreign);
    void setSimulatedVoltageFault(bool fault);
    // Every reading on (or beyond) a bound of the range the program accepts; at once.
    void setSimulatedVoltageEdge(std::optional<sim::VoltageEdge> edge);
    const std::string& simulatedVersion() const { return simVersion_; }

  private:
    class SimulatedBus;

    void buildSimulatedWriter(const std::vector<std::uint8_t>& optionArea);

    Diagnostics diagnostics_;
    QtPaintPump paint_;
    std::unique_ptr<SimulatedBus> simBus_;
    std::unique_ptr<sim::SimWriter> simWriter_;
    std::unique_ptr<WriterTransports> transports_;
    std::unique_ptr<WriterConnection> connection_;
    std::unique_ptr<Writer> writer_;
    std::unique_ptr<DeviceDirectoryWatcher> watcher_;
    std::vector<DeviceEvent> hotplugEvents_;

    std::string simVersion_;
    bool simForeignFirmware_ = false;
    bool simVoltageFault_ = false;
    std::optional<sim::VoltageEdge> simVoltageEdge_;
    bool simRebuild_ = false;
};

// The device name the simulated writer's notices carry.
inline constexpr const char* kSimulatedDeviceName =
    "sim/usb#vid_7a5c&pid_0c31#3d7e41a2-5c19-4f60-9b8e-61a0c2d4f7b3";

}  // namespace vexlor::gui
