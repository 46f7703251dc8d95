// Serves the simulated writer as device files until SIGINT or SIGTERM; SIGUSR1 unplugs it and
// plugs it in again.
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/base/Clock.h"
#include "core/writer/WriterTransports.h"
#include "sim/SimFirmwareImage.h"
#include "sim/SimPipeServer.h"
#include "sim/SimSettings.h"
#include "sim/SimWriter.h"

namespace {

volatile sig_atomic_t stopRequested = 0;
volatile sig_atomic_t plugToggles = 0;

void onStop(int) {
    stopRequested = 1;
}
void onToggle(int) {
    plugToggles = plugToggles + 1;
}

void installHandlers() {
    struct sigaction action {};
    sigemptyset(&action.sa_mask);
    action.sa_handler = onStop;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    action.sa_handler = onToggle;
    sigaction(SIGUSR1, &action, nullptr);
    action.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &action, nullptr);
}

constexpr const char* kUsage =
    "usage: vexlor-writer-sim [--device-dir DIR] [--name NAME] [--version V1.0|V1.1|V2.0|TEXT]\n"
    "                         [--fault fail|never-settle|corrupt|no-status|voltage|\n"
    "                                  remove-after=N]...\n"
    "                         [--usb-timing on|off] [--firmware FILE] [--chip-size BYTES]\n"
    "                         [--fresh-chip] [--log] [--exit-with-parent]\n";

struct DaemonOptions {
    vexlor::sim::SimPipeServer::Options server;
    vexlor::sim::SimConfig config;
    vexlor::sim::SimFaults faults;
    bool logCommands = false;
    bool exitWithParent = false;
};

// One line per command: direction, command byte, length, first payload bytes, result.
void logCommand(const vexlor::sim::TranscriptEntry& entry) {
    std::printf("%s %02X %6zu", entry.in ? "in " : "out", entry.command, entry.length);
    for (std::size_t i = 0; i < entry.payload.size() && i < 8; ++i) {
        std::printf(" %02X", entry.payload[i]);
    }
    std::printf("%s%s\n", entry.payload.size() > 8 ? " ..." : "", entry.ok ? "" : " REFUSED");
    std::fflush(stdout);
}

bool parse(int argc, char** argv, DaemonOptions& options, std::string& error) {
    options.server.deviceDirectory =
        vexlor::ResolveDeviceDirectory(std::getenv("VEXLOR_DEVICE_DIR"));
    for (int i = 1; i < argc; ++i) {
        const std::string_view name = argv[i];
        if (name == "--fresh-chip") {
            options.config.freshChipPerAuto = true;
            continue;
        }
        if (name == "--log") {
            options.logCommands = true;
            continue;
        }
        if (name == "--exit-with-parent") {
            options.exitWithParent = true;
            continue;
        }
        if (name == "--help") {
            error = kUsage;
            return false;
        }
        if (i + 1 >= argc) {
            error = "missing value after " + std::string(name);
            return false;
        }
        const std::string value = argv[++i];
        if (name == "--device-dir") {
            options.server.deviceDirectory = value;
        } else if (name == "--name") {
            if (!vexlor::sim::SimPipeServer::isUsableName(value)) {
                error = "--name takes a file name (no '/', not starting with '.')";
                return false;
            }
            options.server.interfaceName = vexlor::sim::SimPipeServer::interfaceNameFor(value);
        } else if (name == "--version") {
            options.config.versionText = vexlor::sim::versionTextFor(value);
        } else if (name == "--fault") {
            if (!vexlor::sim::applyFaultList(value, options.faults, error)) {
                return false;
            }
        } else if (name == "--usb-timing") {
            if (value != "on" && value != "off") {
                error = "--usb-timing takes on or off";
                return false;
            }
            options.server.usbTiming = value == "on";
        } else if (name == "--firmware") {
            if (!vexlor::sim::readFirmwareImage(value, options.config.firmwareImage, error)) {
                return false;
            }
        } else if (name == "--chip-size") {
            char* end = nullptr;
            const unsigned long size = std::strtoul(value.c_str(), &end, 0);
            if (*end != '\0' || size == 0 || size > 0x100000) {
                error = "--chip-size takes a byte count from 1 to 0x100000";
                return false;
            }
            options.config.chipSize = size;
        } else {
            error = "unknown option " + std::string(name);
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    DaemonOptions options;
    std::string error;
    if (!parse(argc, argv, options, error)) {
        std::fprintf(stderr, "vexlor-writer-sim: %s\n", error.c_str());
        return 2;
    }
    // The daemon runs for hours; its transcript would only grow.
    options.config.keepTranscript = false;
    vexlor::sim::SimWriter writer(options.config);
    writer.faults() = options.faults;
    if (options.logCommands) {
        writer.setCommandObserver(logCommand);
    }
    vexlor::SteadyClock clock;
    vexlor::sim::SimPipeServer server(writer, options.server, clock);

    installHandlers();
    // A test that crashes must not leave its writer served: the daemon would keep the test
    // runner's output pipe open and the run would never end.
    if (options.exitWithParent && (::prctl(PR_SET_PDEATHSIG, SIGTERM) != 0 || ::getppid() == 1)) {
        return 1;
    }
    if (!server.arrive(error)) {
        std::fprintf(stderr, "vexlor-writer-sim: %s\n", error.c_str());
        return 1;
    }
    std::printf("serving %s\n", server.interfacePath().c_str());
    std::fflush(stdout);

    sig_atomic_t togglesSeen = 0;
    bool wasPresent = true;
    while (stopRequested == 0) {
        if (plugToggles != togglesSeen) {
            togglesSeen = plugToggles;
            if (server.present()) {
                server.remove();
            } else {
                writer.attach();
                if (!server.arrive(error)) {
                    std::fprintf(stderr, "vexlor-writer-sim: %s\n", error.c_str());
                }
            }
        }
        server.serveOnce(100);
        if (server.present() != wasPresent) {
            wasPresent = server.present();
            std::printf("%s %s\n", wasPresent ? "arrived" : "removed",
                        server.interfacePath().c_str());
            std::fflush(stdout);
        }
    }
    server.remove();
    return 0;
}
