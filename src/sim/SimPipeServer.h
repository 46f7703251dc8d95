#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/base/Clock.h"
#include "sim/SimEndpoint.h"
#include "sim/SimWriter.h"

namespace vexlor::sim {

// Serves the simulated writer as a device interface: a directory named after the writer's
// class GUID below the device directory, with the FIFOs PIPE00 (the host reads) and PIPE01
// (the host writes). Creating the directory is the writer's arrival, removing it its removal.
class SimPipeServer {
  public:
    struct Options {
        std::filesystem::path deviceDirectory;
        std::string interfaceName;  // empty: the default name holding the GUID text
        // Pace transfers like a full-speed USB link (about 1 MB/s) instead of pipe speed.
        bool usbTiming = false;
    };

    SimPipeServer(SimWriter& writer, Options options, Clock& clock);
    ~SimPipeServer();
    SimPipeServer(const SimPipeServer&) = delete;
    SimPipeServer& operator=(const SimPipeServer&) = delete;

    static std::string defaultInterfaceName();
    // The interface name of the writer called `name`, so several can share a device directory.
    static std::string interfaceNameFor(const std::string& name);
    // A name that stays one visible entry of the device directory.
    static bool isUsableName(const std::string& name);

    // Creates the interface; false with a reason when it cannot.
    bool arrive(std::string& error);
    // Closes and removes the interface; the host sees the end of its pipes.
    void remove();
    bool present() const { return commandFd_ >= 0; }
    std::filesystem::path interfacePath() const {
        return options_.deviceDirectory / options_.interfaceName;
    }

    // Waits up to timeoutMs for host traffic and serves what came. When the writer vanishes
    // mid-transfer (removal fault) the interface is removed.
    void serveOnce(int timeoutMs);

  private:
    void takeCommands();
    void sendReplies();
    void discardStaleReplies();
    void pace(std::size_t bytes);

    SimWriter& writer_;
    Options options_;
    Clock& clock_;
    SimEndpoint endpoint_;
    int commandFd_ = -1;                // PIPE01
    int replyFd_ = -1;                  // PIPE00
    bool ownsInterface_ = false;        // the interface directory is this server's to remove
    std::vector<std::uint8_t> outbox_;  // answers taken from the writer, not yet in PIPE00
    std::size_t owedMicroseconds_ = 0;
};

}  // namespace vexlor::sim
