// Decodes an encoded option definition file into "<name>_Dec.ic" in the working directory.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "core/smartopt/OptionDefinitionCodec.h"

int main(int argc, char** argv) {
    if (argc != 3 || std::strcmp(argv[1], "--f") != 0) {
        std::fprintf(stderr, "usage: xmldec --f FILE.IC\n");
        return 2;
    }
    std::error_code ec;
    const std::filesystem::path here = std::filesystem::current_path(ec);
    if (ec) {
        std::fprintf(stderr, "xmldec: no working directory: %s\n", ec.message().c_str());
        return 1;
    }
    const std::string error = vexlor::DecodeDefinitionFile(argv[2], here);
    if (!error.empty()) {
        std::fprintf(stderr, "xmldec: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
