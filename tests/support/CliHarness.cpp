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
    const int status = cli::runCli(arguments, out, err, {devices, library_});
    return {status, out.str(), err.str()};
}

}  // namespace vexlor::test
