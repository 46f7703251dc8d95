#pragma once

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>

#include "core/base/Clock.h"
#include "sim/SimPipeServer.h"
#include "sim/SimWriter.h"

namespace vexlor::sim::test {

// The simulated writer served as device files below devices by a thread of this process, as
// the daemon would serve it.
class ServedInterface {
  public:
    ServedInterface(SimWriter& writer, const std::filesystem::path& devices)
        : server_(writer, {devices, {}, false}, clock_) {}
    ~ServedInterface() { remove(); }

    bool arrive() {
        std::string error;
        if (!server_.arrive(error)) {
            return false;
        }
        stop_ = false;
        thread_ = std::thread([this] {
            while (!stop_) {
                server_.serveOnce(10);
            }
        });
        return true;
    }
    void remove() {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
        server_.remove();
    }

  private:
    SteadyClock clock_;
    SimPipeServer server_;
    std::atomic<bool> stop_{true};
    std::thread thread_;
};

}  // namespace vexlor::sim::test
