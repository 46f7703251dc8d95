#pragma once

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliRunner.h"

namespace vexlor::test {

struct CliRun {
    int status = 0;
    std::string out;
    std::string err;

    // Whether the text stands anywhere in the output or the error stream.
    bool printed(const std::string& text) const {
        return out.find(text) != std::string::npos || err.find(text) != std::string::npos;
    }
};

// Runs the command-line tool in-process where nothing real is reachable: the device directory
// is an empty one, the access library a file that does not exist, and the kernel lists of the
// machine's own USB bus are names that do not exist either.
class CliHarness {
  public:
    explicit CliHarness(const std::filesystem::path& scratch)
        : devices(scratch / "devices"),
          absentLibrary(scratch / "none.so"),
          library_(absentLibrary) {}

    CliRun run(const std::vector<std::string>& arguments) const {
        std::ostringstream out;
        std::ostringstream err;
        const UsbDeviceLists noBus{devices / "no-sysfs", devices / "no-usbfs"};
        const int status = cli::runCli(arguments, out, err, {devices, library_, noBus});
        return {status, out.str(), err.str()};
    }
    // Sets the access library the tool finds, instead of the absent one.
    void useAccessLibrary(const std::filesystem::path& library) { library_ = library; }

    const std::filesystem::path devices;
    const std::filesystem::path absentLibrary;

  private:
    std::filesystem::path library_;
};

}  // namespace vexlor::test
