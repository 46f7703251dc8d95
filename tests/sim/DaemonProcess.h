#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace vexlor::sim::test {

// The pipe daemon started as a child process, serving a private device directory.
class DaemonProcess {
  public:
    // A name lets several daemons serve one device directory.
    DaemonProcess(std::filesystem::path deviceDirectory, std::vector<std::string> options = {},
                  const std::string& name = {});
    ~DaemonProcess();
    DaemonProcess(const DaemonProcess&) = delete;
    DaemonProcess& operator=(const DaemonProcess&) = delete;

    std::filesystem::path interfacePath() const;
    // Waits (up to the limit) until the interface is there, or gone.
    bool waitForInterface(bool present,
                          std::chrono::milliseconds limit = std::chrono::seconds(10)) const;
    void signal(int number) const;
    // SIGTERM, then the exit status (-1 when it did not exit normally).
    int stop();
    // Waits for the process to end by itself; its exit status, or -1.
    int wait();

  private:
    std::filesystem::path deviceDirectory_;
    std::string interfaceName_;
    pid_t pid_ = -1;
};

}  // namespace vexlor::sim::test
