#include "core/convert/WorkFiles.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <system_error>

namespace vexlor {

std::filesystem::path conversionWorkDirectory(const std::filesystem::path& baseDirectory) {
    return baseDirectory / "work";
}

std::filesystem::path sideFilePath(const std::filesystem::path& baseDirectory,
                                   const std::filesystem::path& programFile,
                                   std::string_view suffix) {
    const std::filesystem::path directory = conversionWorkDirectory(baseDirectory);
    std::error_code ignored;  // an uncreatable directory shows up when the file is written
    std::filesystem::create_directories(directory, ignored);
    std::filesystem::path side = directory / programFile.stem();
    side += std::string(suffix);
    std::error_code error;
    if (std::filesystem::equivalent(side, programFile, error)) {
        side += std::string(suffix);
    }
    return side;
}

bool hasExtension(const std::filesystem::path& file, std::string_view extension) {
    const std::string own = file.extension().string();
    return std::equal(own.begin(), own.end(), extension.begin(), extension.end(),
                      [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

}  // namespace vexlor
