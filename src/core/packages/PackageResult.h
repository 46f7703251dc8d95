#pragma once

namespace vexlor {

inline constexpr const char* kUpdatePackagePassword = "k@vel_Sl@te73";
inline constexpr const char* kSettingPackagePassword = "$Plum@tBox_";

// How a package command ended, for callers that act on it (the command-line tool's exit code).
enum class PackageResult {
    Ok,
    Cancelled,    // the operator chose no file
    BadPackage,   // the package cannot be read or is refused; nothing was changed
    WriteFailed,  // the files could not be put in place; what was there is kept
};

}  // namespace vexlor
