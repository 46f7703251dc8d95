#include "SimRig.h"

namespace vexlor::sim::test {

namespace {
SimWriter& chosen(SimWriter& device, SimWriter& absent, bool used) {
    return used ? device : absent;
}
}  // namespace

SimRig::SimRig(SimWriter& simulated, Reach reach, std::filesystem::path deviceDirectory,
               AccessLibrary* plugin)
    : diagnostics([this](std::string_view line) { diagnosticLines.emplace_back(line); }),
      device(simulated),
      usb(chosen(simulated, absent, reach == Reach::Usb)),
      access(chosen(simulated, absent, reach == Reach::AccessLibrary)),
      transports(
          TransportOptions{{deviceDirectory.empty() ? base / "no-devices" : deviceDirectory, {}},
                           &usb,
                           plugin != nullptr ? plugin : &access,
                           kPipeWaitLimitMs},
          diagnostics),
      connection(link, transports, TransferFeedback{progress, progress, diagnostics}),
      writer(connection, WriterHost{op, catalogue, buttons, clock, base.path()}) {
    absent.detach();
}

bool SimRig::connect() {
    if (!connection.SelectTransport(false)) {
        return false;
    }
    link.knownWriterVersion = true;
    device.clearTranscript();
    return true;
}

std::vector<std::string> SimRig::exchanges() {
    std::vector<std::string> words;
    for (const TranscriptEntry& entry : device.transcript()) {
        std::string word = format("%02X%c", entry.command, entry.in ? '<' : '>');
        if (entry.in) {
            word += std::to_string(entry.length);
        } else if (entry.length > 8) {
            word += "#" + std::to_string(entry.length);
        } else {
            for (std::size_t i = 0; i < entry.payload.size(); ++i) {
                word += format(i == 0 ? "%02X" : " %02X", entry.payload[i]);
            }
        }
        words.push_back(entry.ok ? word : word + "!");
    }
    device.clearTranscript();
    return words;
}

}  // namespace vexlor::sim::test
