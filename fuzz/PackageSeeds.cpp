// Writes the seed packages of the package reader's fuzz target into the directory given.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/packages/PackageResult.h"
#include "core/packages/ZipArchive.h"

namespace {

using vexlor::Bytes;
using vexlor::ZipItem;

Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

const char* const kList =
    "<UpdateList><Chip><Name>QR64NEW</Name><FileItem><FileName>QR64NEW.ic</FileName>"
    "<DestinationPath>ICInfo</DestinationPath><RelativeFilePath_XML>new</RelativeFilePath_XML>"
    "</FileItem></Chip></UpdateList>";

struct Seed {
    const char* file;
    std::string password;
    std::vector<ZipItem> items;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::filesystem::path out = argv[1];
    const Bytes option(512, 0x5A);
    const std::vector<Seed> seeds = {
        {"update.zip",
         vexlor::kUpdatePackagePassword,
         {{"list.xml", bytesOf(kList)}, {"new/", {}, 040755}, {"new/QR64NEW.ic", Bytes(300, 7)}}},
        {"job.zip",
         vexlor::kSettingPackagePassword,
         {{"buffer_data.prog", Bytes(4096, 0xFF)}, {"buffer_option.prog", option}}},
        {"plain.zip", "", {{"list.xml", bytesOf(kList)}, {"a\\b.txt", bytesOf("text")}}},
        {"hostile.zip",
         vexlor::kUpdatePackagePassword,
         {{"../up.txt", bytesOf("x")}, {"link", bytesOf("/etc"), 0120777}}},
    };
    for (const Seed& seed : seeds) {
        if (std::string problem = vexlor::WriteZipFile(out / seed.file, seed.password, seed.items);
            !problem.empty()) {
            std::fprintf(stderr, "%s\n", problem.c_str());
            return 1;
        }
    }
    return 0;
}
