#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliRunner.h"
#include "cli/CliSession.h"
#include "core/base/Diagnostics.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (vexlor::VerboseEnvironment(std::getenv("VEXLOR_VERBOSE"))) {
        arguments.insert(arguments.begin(), "--verbose");
    }
    const vexlor::WriterPaths paths = vexlor::ResolveWriterPaths(
        vexlor::cli::ProgramDirectory(), std::getenv("VEXLOR_DEVICE_DIR"),
        std::getenv("VEXLOR_ACCESS_LIBRARY"));
    return vexlor::cli::runCli(arguments, std::cout, std::cerr, paths);
}
