#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vexlor {

// An installed program finds its read-only data here, relative to its own directory.
inline constexpr const char* kSharedDataRelative = "../share/vexlor-writer";

// The user's writable data directory: $XDG_DATA_HOME/vexlor-writer, else
// $HOME/.local/share/vexlor-writer; nullopt when neither variable is set.
std::optional<std::filesystem::path> UserDataDirectory(const char* xdgDataHome, const char* home);

// Copies every file of shared that user lacks, so the user's own changes survive updates;
// the copies are writable by the user. False with a reason when something could not be copied.
bool FillUserDataDirectory(const std::filesystem::path& shared, const std::filesystem::path& user,
                           std::string& error);

// The base directory of a program that runs installed, filled on first start; nullopt when
// the program runs from a build tree. Error is set when the directory could not be prepared.
std::optional<std::filesystem::path> InstalledBaseDirectory(
    const std::filesystem::path& programDirectory, const char* xdgDataHome, const char* home,
    std::string& error);

}  // namespace vexlor
