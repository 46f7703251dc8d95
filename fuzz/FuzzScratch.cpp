#include "FuzzScratch.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace vexlor::fuzz {

namespace {

std::filesystem::path makeScratchDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vexlor-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        std::abort();
    }
    return pattern;
}

}  // namespace

const std::filesystem::path& ScratchDirectory() {
    static const std::filesystem::path directory = [] {
        std::filesystem::path made = makeScratchDirectory();
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(ScratchDirectory(), ignored);
        });
        return made;
    }();
    return directory;
}

std::filesystem::path WriteInputFile(const std::filesystem::path& relativePath,
                                     const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path file = ScratchDirectory() / relativePath;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out.flush()) {
        std::abort();
    }
    return file;
}

}  // namespace vexlor::fuzz
