#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "core/convert/ConversionJob.h"
#include "core/convert/ConvertContext.h"

namespace vexlor {

// One export of a converter library: the library's name and the function's name.
struct LibraryExport {
    std::string_view library;  // file stem; the plugin is "<library>.so"
    std::string_view symbol;
};

// Whether the chip type is converted by a library rather than by an in-program converter.
bool isLibraryFamily(std::string_view chipType);
// The export for a chip type and memory kind; nullopt when the table has none.
std::optional<LibraryExport> findLibraryExport(std::string_view chipType, std::int32_t romType);

// Fills the context from a job; the texts point into the job and must outlive the context.
struct ContextTexts {
    std::string programDirectory;
    std::string packageCode;
    std::string programFile;
};
ConvertContext makeConvertContext(const ConversionJob& job, const ContextTexts& texts);
ContextTexts contextTexts(const ConversionJob& job);

// Converts a library family: fills the context, runs the plugin export found in one of
// pluginDirectories (first match) or the built-in converter, and copies the description text,
// both checksums and the unprotect flag back into out.result whatever the result.
std::int32_t convertWithLibrary(const ConversionJob& job, ConversionOutput& out,
                                const std::vector<std::filesystem::path>& pluginDirectories);

}  // namespace vexlor
