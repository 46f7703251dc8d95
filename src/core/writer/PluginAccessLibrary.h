#pragma once

#include <filesystem>
#include <memory>

#include "core/base/Diagnostics.h"
#include "core/writer/AccessLibrary.h"

namespace vexlor {

inline constexpr const char* kAccessLibraryFileName = "liborvoapi.so";

// The access library loaded from a plugin file. A file that is missing, does not load, or
// lacks one of the entry points gives AbsentAccessLibrary, with a diagnostic line saying why.
std::unique_ptr<AccessLibrary> LoadAccessLibrary(const std::filesystem::path& pluginPath,
                                                 const Diagnostics& diagnostics);

}  // namespace vexlor
