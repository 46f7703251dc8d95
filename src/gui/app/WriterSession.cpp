#include "gui/app/WriterSession.h"

#include "core/writer/WriterIdentity.h"
#include "sim/SimFirmwareImage.h"
#include "sim/SimSettings.h"
#include "sim/SimTransports.h"

namespace vexlor::gui {

namespace {

// A model code whose high four bits are not those of the base firmware.
constexpr std::uint8_t kForeignModelCode = 0x2F;

}  // namespace

// A bus on which the simulated writer sits; the writer model may be replaced between
// attaches, the bus stays.
class WriterSession::SimulatedBus final : public UsbBus {
  public:
    explicit SimulatedBus(std::unique_ptr<sim::SimWriter>& writer) : writer_(writer) {}
    std::unique_ptr<UsbDevice> openFirst(std::uint16_t vendorId, std::uint16_t productId) override {
        return sim::SimUsbBus(*writer_).openFirst(vendorId, productId);
    }
    std::vector<UsbWriterPlace> writerPlaces() override {
        return sim::SimUsbBus(*writer_).writerPlaces();
    }
    std::unique_ptr<UsbDevice> openAt(const std::string& portPath) override {
        return sim::SimUsbBus(*writer_).openAt(portPath);
    }

  private:
    std::unique_ptr<sim::SimWriter>& writer_;
};

WriterSession::WriterSession(AppContext& context, Operator& op, ProgressSink& progress,
                             OperationButtons& buttons, Clock& clock, const SessionOptions& options)
    : diagnostics_(Diagnostics::ForVerbosity(options.verbose)),
      simVersion_(options.simulatedVersion) {
    TransportOptions transportOptions{options.paths};
    if (options.simulate) {
        simBus_ = std::make_unique<SimulatedBus>(simWriter_);
        transportOptions.usbBus = simBus_.get();
        transportOptions.paths = {};
        buildSimulatedWriter(sim::readJobSeed(options.simulatedJob));
        // The model is built plugged in and seeding a job unplugs it: set it either way.
        if (options.simulatedAttached) {
            simWriter_->attach();
        } else {
            simWriter_->detach();
        }
    }
    transports_ = std::make_unique<WriterTransports>(transportOptions, diagnostics_);
    if (LibusbBus* bus = transports_->realBus()) {
        bus->watchWriter([this](const DeviceEvent& event) { hotplugEvents_.push_back(event); });
        watcher_ = std::make_unique<DeviceDirectoryWatcher>(options.paths.deviceDirectory);
    }
    connection_ = std::make_unique<WriterConnection>(
        context.link, *transports_, TransferFeedback{progress, paint_, diagnostics_});
    writer_ = std::make_unique<Writer>(
        *connection_,
        WriterHost{op, context.messages, buttons, clock, context.shell.baseDirectory});
}

WriterSession::~WriterSession() = default;

void WriterSession::buildSimulatedWriter(const std::vector<std::uint8_t>& optionArea) {
    sim::SimConfig config;
    config.versionText = simVersion_;
    if (simForeignFirmware_) {
        config.firmwareImage = sim::makeBaseFirmwareImage();
        config.firmwareImage[sim::kModelCodeOffset] = kForeignModelCode;
    }
    simWriter_ = std::make_unique<sim::SimWriter>(config);
    simWriter_->faults().voltagesOutOfRange = simVoltageFault_;
    simWriter_->faults().voltageEdge = simVoltageEdge_;
    if (!optionArea.empty()) {
        simWriter_->seedOptionArea(optionArea);
    }
}

DeviceEvent WriterSession::chooseWriter(const std::optional<WriterListing>& writer) {
    connection_->CloseLostWriter();
    transports_->choose(writer);
    // Named like a writer interface, so whichever transport the choice allows takes it.
    const std::string chosen = writer ? writer->id : "any";
    return {DeviceEvent::Arrival, chosen + "#{" + std::string(kWriterClassGuidText) + "}"};
}

std::vector<DeviceEvent> WriterSession::pollDeviceEvents() {
    std::vector<DeviceEvent> events;
    if (LibusbBus* bus = transports_->realBus()) {
        bus->handleEvents();
        events.swap(hotplugEvents_);
    }
    if (watcher_) {
        for (DeviceEvent& event : watcher_->poll()) {
            events.push_back(std::move(event));
        }
    }
    return events;
}

DeviceEvent WriterSession::attachSimulated() {
    if (simWriter_ && !simWriter_->attached()) {
        if (simRebuild_) {
            auto area = simWriter_->optionArea();
            std::vector<std::uint8_t> kept(area.begin(), area.begin() + sim::kSeededHeaderSize);
            buildSimulatedWriter(kept);
            simRebuild_ = false;
        }
        simWriter_->attach();
    }
    return {DeviceEvent::Arrival, kSimulatedDeviceName};
}

DeviceEvent WriterSession::removeSimulated() {
    if (simWriter_) {
        simWriter_->detach();
    }
    return {DeviceEvent::Removal, kSimulatedDeviceName};
}

void WriterSession::setSimulatedVersion(std::string versionText) {
    simRebuild_ = simRebuild_ || versionText != simVersion_;
    simVersion_ = std::move(versionText);
}

void WriterSession::setSimulatedForeignFirmware(bool foreign) {
    simRebuild_ = simRebuild_ || foreign != simForeignFirmware_;
    simForeignFirmware_ = foreign;
}

void WriterSession::setSimulatedVoltageFault(bool fault) {
    simVoltageFault_ = fault;
    if (simWriter_) {
        simWriter_->faults().voltagesOutOfRange = fault;
    }
}

void WriterSession::setSimulatedVoltageEdge(std::optional<sim::VoltageEdge> edge) {
    simVoltageEdge_ = edge;
    if (simWriter_) {
        simWriter_->faults().voltageEdge = edge;
    }
}

}  // namespace vexlor::gui
