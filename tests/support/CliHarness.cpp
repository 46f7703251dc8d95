#include "support/CliHarness.h"

#include <sstream>

#include "cli/CliRunner.h"

namespace vexlor::test {

bool CliRun::printed(const std::string& text) const {
    return out.find(text) != std::string::npos || err.find(text) != std::string::npos;
}

CliHarness::CliHarness(const std::filesystem::path& scratch)
    : devices(scratch / "devices"), absentLibrary(scratch / "none.so"), library_(absentLibrary) {}

CliRun CliHarness::run(const std::vector<std::string>& arguments) const {
    std::ostringstream out;
    std::ostringstream err;
    // Nor is the machine's own USB bus: the kernel lists it names do not exist.
    const UsbDeviceLists noBus{devices / "no-sysfs", devices / "no-usbfs"};
    const int status = cli::runCli(arguments, out, err, {devices, library_, noBus});
    return {status, out.str(), err.str()};
}

}  // namespace vexlor::test
