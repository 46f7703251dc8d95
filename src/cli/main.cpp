#include <iostream>
#include <string>
#include <vector>

#include "cli/CliRunner.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return vexlor::cli::runCli(arguments, std::cout, std::cerr);
}
