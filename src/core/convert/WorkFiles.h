#pragma once

#include <filesystem>
#include <string_view>

namespace vexlor {

// Images and side files a conversion makes live here, inside the base directory, so that the
// operator's own files are never overwritten and a program file in a read-only folder loads.
std::filesystem::path conversionWorkDirectory(const std::filesystem::path& baseDirectory);

// A side file named after the program file with its extension replaced by suffix
// ("dir/prog.hex" and ".bin" give "<work>/prog.bin"); creates the work directory. A program
// file that is itself in the work directory keeps its name: "prog.bin" then gives
// "prog.bin.bin".
std::filesystem::path sideFilePath(const std::filesystem::path& baseDirectory,
                                   const std::filesystem::path& programFile,
                                   std::string_view suffix);

// Whether the file's extension is extension (".hex"), in any letter case.
bool hasExtension(const std::filesystem::path& file, std::string_view extension);

}  // namespace vexlor
