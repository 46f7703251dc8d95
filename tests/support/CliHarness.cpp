#include "support/CliHarness.h"

#include <stdlib.h>

#include <sstream>

#include "cli/CliRunner.h"

namespace vexlor::test {

bool CliRun::printed(const std::string& text) const {
    return out.find(text) != std::string::npos || err.find(text) != std::string::npos;
}

CliHarness::CliHarness(const std::filesystem::path& scratch)
    : devices(scratch / "devices"), absentLibrary(scratch / "none.so") {
    ::setenv("VEXLOR_DEVICE_DIR", devices.c_str(), 1);
    useAccessLibrary(absentLibrary);
}

CliHarness::~CliHarness() {
    ::unsetenv("VEXLOR_DEVICE_DIR");
    ::unsetenv("VEXLOR_ACCESS_LIBRARY");
}

void CliHarness::useAccessLibrary(const std::filesystem::path& library) const {
    ::setenv("VEXLOR_ACCESS_LIBRARY", library.c_str(), 1);
}

CliRun CliHarness::run(const std::vector<std::string>& arguments) const {
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::runCli(arguments, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace vexlor::test
