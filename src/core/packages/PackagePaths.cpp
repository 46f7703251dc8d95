#include "core/packages/PackagePaths.h"

#include <array>
#include <cctype>
#include <vector>

namespace vexlor {

namespace {

std::vector<std::string_view> componentsOf(std::string_view name) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t end = name.find_first_of("/\\", start);
        const std::size_t stop = end == std::string_view::npos ? name.size() : end;
        if (stop > start) {
            parts.push_back(name.substr(start, stop - start));
        }
        start = stop + 1;
    }
    return parts;
}

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

}  // namespace

bool IsDeviceName(std::string_view component) {
    // The device is reached whatever extension follows, and trailing blanks and dots vanish.
    std::string stem = upper(component.substr(0, component.find('.')));
    while (!stem.empty() && (stem.back() == ' ' || stem.back() == '.')) {
        stem.pop_back();
    }
    static constexpr std::array<std::string_view, 7> kDevices{"CON",    "PRN",    "AUX",    "NUL",
                                                              "CLOCK$", "CONIN$", "CONOUT$"};
    for (std::string_view device : kDevices) {
        if (stem == device) {
            return true;
        }
    }
    const bool numbered = stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT"));
    return numbered && stem[3] >= '0' && stem[3] <= '9';
}

std::string RelativePathProblem(std::string_view name) {
    const std::string quoted = "\"" + std::string(name.substr(0, name.find('\0'))) + "\"";
    if (name.find('\0') != std::string_view::npos) {
        return quoted + " holds a NUL character";
    }
    const bool drive = name.size() >= 2 && name[1] == ':';
    if (drive || name.starts_with('/') || name.starts_with('\\')) {
        return quoted + " is an absolute path";
    }
    for (std::string_view part : componentsOf(name)) {
        if (part == "..") {
            return quoted + " reaches outside its folder";
        }
        if (IsDeviceName(part)) {
            return quoted + " names a device";
        }
    }
    return {};
}

std::filesystem::path RelativePathOf(std::string_view name) {
    std::filesystem::path path;
    for (std::string_view part : componentsOf(name)) {
        if (part != ".") {
            path /= std::string(part);
        }
    }
    return path;
}

}  // namespace vexlor
