#include "core/base/InstalledLayout.h"

namespace vexlor {

namespace fs = std::filesystem;

std::optional<fs::path> UserDataDirectory(const char* xdgDataHome, const char* home) {
    // Relative values are invalid for XDG variables and would land wherever the program starts.
    if (xdgDataHome != nullptr && fs::path(xdgDataHome).is_absolute()) {
        return fs::path(xdgDataHome) / "vexlor-writer";
    }
    if (home != nullptr && fs::path(home).is_absolute()) {
        return fs::path(home) / ".local" / "share" / "vexlor-writer";
    }
    return std::nullopt;
}

bool FillUserDataDirectory(const fs::path& shared, const fs::path& user, std::string& error) {
    std::error_code ec;
    fs::create_directories(user, ec);
    if (!ec && !fs::is_directory(user, ec)) {
        ec = std::make_error_code(std::errc::not_a_directory);
    }
    fs::recursive_directory_iterator it;
    if (!ec) {
        it = fs::recursive_directory_iterator(shared, ec);
    }
    for (const fs::recursive_directory_iterator end; !ec && it != end; it.increment(ec)) {
        const fs::path target = user / it->path().lexically_relative(shared);
        if (it->is_directory(ec)) {
            fs::create_directories(target, ec);
        } else if (it->is_regular_file(ec) && !fs::exists(fs::symlink_status(target, ec))) {
            fs::copy_file(it->path(), target, ec);
            if (!ec) {
                fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write,
                                fs::perm_options::add, ec);
            }
        }
    }
    if (ec) {
        error =
            "cannot prepare " + user.string() + " from " + shared.string() + ": " + ec.message();
        return false;
    }
    return true;
}

std::optional<fs::path> InstalledBaseDirectory(const fs::path& programDirectory,
                                               const char* xdgDataHome, const char* home,
                                               std::string& error) {
    const fs::path shared = (programDirectory / kSharedDataRelative).lexically_normal();
    std::error_code ec;
    if (!fs::is_directory(shared, ec)) {
        return std::nullopt;
    }
    const auto user = UserDataDirectory(xdgDataHome, home);
    if (!user) {
        error = "neither XDG_DATA_HOME nor HOME names a directory for the user's data";
        return user;
    }
    FillUserDataDirectory(shared, *user, error);
    return user;
}

}  // namespace vexlor
