#include "DaemonProcess.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <thread>

#include "sim/SimPipeServer.h"

extern char** environ;

namespace vexlor::sim::test {

DaemonProcess::DaemonProcess(std::filesystem::path deviceDirectory,
                             std::vector<std::string> options, const std::string& name)
    : deviceDirectory_(std::move(deviceDirectory)),
      interfaceName_(name.empty() ? SimPipeServer::defaultInterfaceName()
                                  : SimPipeServer::interfaceNameFor(name)) {
    std::vector<std::string> args{VEXLOR_SIM_DAEMON, "--exit-with-parent", "--device-dir",
                                  deviceDirectory_.string()};
    if (!name.empty()) {
        args.insert(args.end(), {"--name", name});
    }
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (auto& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, VEXLOR_SIM_DAEMON, nullptr, nullptr, argv.data(), environ) != 0) {
        throw std::runtime_error("cannot start " VEXLOR_SIM_DAEMON);
    }
}

DaemonProcess::~DaemonProcess() {
    stop();
}

std::filesystem::path DaemonProcess::interfacePath() const {
    return deviceDirectory_ / interfaceName_;
}

bool DaemonProcess::waitForInterface(bool present, std::chrono::milliseconds limit) const {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (std::filesystem::exists(interfacePath()) == present) {
            return true;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void DaemonProcess::signal(int number) const {
    if (pid_ > 0) {
        ::kill(pid_, number);
    }
}

int DaemonProcess::stop() {
    signal(SIGTERM);
    return wait();
}

int DaemonProcess::wait() {
    if (pid_ <= 0) {
        return -1;
    }
    int status = 0;
    const pid_t done = ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return done > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace vexlor::sim::test
