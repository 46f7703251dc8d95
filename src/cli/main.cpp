#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliRunner.h"
#include "cli/CliSession.h"
#include "core/base/Diagnostics.h"
#include "core/base/InstalledLayout.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (vexlor::VerboseEnvironment(std::getenv("VEXLOR_VERBOSE"))) {
        arguments.insert(arguments.begin(), "--verbose");
    }
    const bool baseDirGiven =
        std::find(arguments.begin(), arguments.end(), "--base-dir") != arguments.end();
    std::string why;
    const auto installedBase = baseDirGiven
                                   ? std::nullopt
                                   : vexlor::InstalledBaseDirectory(vexlor::cli::ProgramDirectory(),
                                                                    std::getenv("XDG_DATA_HOME"),
                                                                    std::getenv("HOME"), why);
    if (!why.empty()) {
        std::cerr << "vexlor-writer-cli: " << why << '\n';
        return 2;
    }
    if (installedBase) {
        arguments.insert(arguments.begin(), {"--base-dir", installedBase->string()});
    }
    const vexlor::WriterPaths paths = vexlor::ResolveWriterPaths(
        vexlor::cli::ProgramDirectory(), std::getenv("VEXLOR_DEVICE_DIR"),
        std::getenv("VEXLOR_ACCESS_LIBRARY"));
    return vexlor::cli::runCli(arguments, std::cout, std::cerr, paths);
}
