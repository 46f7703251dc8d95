#include "SimRig.h"

namespace vexlor::sim::test {

namespace {
SimWriter& chosen(SimWriter& device, SimWriter& absent, bool used) {
    return used ? device : absent;
}
}  // namespace

SimRig::SimRig(SimWriter& device, Reach reach, std::filesystem::path deviceDirectory,
               AccessLibrary* plugin)
    : diagnostics([this](std::string_view line) { diagnosticLines.emplace_back(line); }),
      usb(chosen(device, absent, reach == Reach::Usb)),
      access(chosen(device, absent, reach == Reach::AccessLibrary)),
      connection(link,
                 WriterTransports{plugin != nullptr ? *plugin : access, usb,
                                  deviceDirectory.empty() ? base / "no-devices" : deviceDirectory},
                 TransferFeedback{progress, progress, diagnostics}),
      writer(connection, WriterHost{op, catalogue, buttons, clock, base.path()}) {
    absent.detach();
}

bool SimRig::connect() {
    if (!connection.SelectTransport(false)) {
        return false;
    }
    link.knownWriterVersion = true;
    return true;
}

}  // namespace vexlor::sim::test
