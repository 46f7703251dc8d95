// The maker's access library, played by the simulated writer, so the program's plugin path
// runs for real. Set-up comes from the environment:
//   VEXLOR_SIM_VERSION  V1.0, V1.1, V2.0 or a version text (read at the first open)
//   VEXLOR_SIM_FAULTS   comma-separated faults, re-read at every open
//   VEXLOR_SIM_ABSENT   1: no writer is attached (open fails)
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "core/writer/AccessLibrary.h"
#include "sim/SimSettings.h"
#include "sim/SimTransports.h"
#include "sim/SimWriter.h"

namespace {

std::string_view environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string_view() : std::string_view(value);
}

// A loaded library has one writer behind it, kept for as long as the library is loaded, as
// the maker's library keeps its device handle.
struct PluginDevice {
    std::unique_ptr<vexlor::sim::SimWriter> writer;
    std::unique_ptr<vexlor::sim::SimAccessLibrary> library;
};

PluginDevice& device() {
    static PluginDevice instance;
    if (!instance.writer) {
        vexlor::sim::SimConfig config;
        config.keepTranscript = false;
        if (const auto version = environment("VEXLOR_SIM_VERSION"); !version.empty()) {
            config.versionText = vexlor::sim::versionTextFor(version);
        }
        instance.writer = std::make_unique<vexlor::sim::SimWriter>(config);
        instance.library = std::make_unique<vexlor::sim::SimAccessLibrary>(*instance.writer);
    }
    return instance;
}

}  // namespace

#define VEXLOR_EXPORT extern "C" __attribute__((visibility("default")))

VEXLOR_EXPORT std::int32_t orvo_ordinal_1(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    PluginDevice& d = device();
    vexlor::sim::SimFaults faults;
    std::string error;
    if (!vexlor::sim::applyFaultList(environment("VEXLOR_SIM_FAULTS"), faults, error)) {
        std::fprintf(stderr, "liborvoapi (simulated): %s\n", error.c_str());
    }
    d.writer->faults() = faults;
    if (environment("VEXLOR_SIM_ABSENT") == "1") {
        d.writer->detach();
    } else {
        d.writer->attach();
    }
    return d.library->open(a, b, c);
}

VEXLOR_EXPORT std::int32_t orvo_ordinal_5() {
    device().library->close();
    return 1;
}

VEXLOR_EXPORT std::int32_t orvo_ordinal_20(std::uint8_t command, std::uint8_t* data,
                                           std::uint32_t length) {
    return device().library->sendCommand(command, data, length);
}

VEXLOR_EXPORT std::int32_t orvo_ordinal_21(std::uint8_t command, std::uint8_t* buffer,
                                           std::uint32_t length) {
    return device().library->receiveCommand(command, buffer, length);
}

VEXLOR_EXPORT std::int32_t QVSetTimeout(std::uint32_t value) {
    device().library->setTimeout(value);
    return 1;
}
