#include "core/writer/DeviceDirectoryWatcher.h"

#include <algorithm>
#include <iterator>
#include <system_error>

namespace vexlor {

std::set<std::string> PresentDeviceInterfaces(const std::filesystem::path& directory) {
    std::set<std::string> found;
    std::error_code error;
    for (std::filesystem::directory_iterator it(directory, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code probe;
        // A hidden entry is an interface still being laid out.
        if (it->path().filename().string().front() != '.' &&
            std::filesystem::exists(it->path() / "PIPE00", probe) &&
            std::filesystem::exists(it->path() / "PIPE01", probe)) {
            found.insert(it->path().string());
        }
    }
    return found;
}

DeviceDirectoryWatcher::DeviceDirectoryWatcher(std::filesystem::path directory)
    : directory_(std::move(directory)), present_(PresentDeviceInterfaces(directory_)) {}

std::vector<DeviceEvent> DeviceDirectoryWatcher::poll() {
    std::set<std::string> now = PresentDeviceInterfaces(directory_);
    std::vector<std::string> gone;
    std::vector<std::string> arrived;
    std::set_difference(present_.begin(), present_.end(), now.begin(), now.end(),
                        std::back_inserter(gone));
    std::set_difference(now.begin(), now.end(), present_.begin(), present_.end(),
                        std::back_inserter(arrived));
    std::vector<DeviceEvent> events;
    for (auto& name : gone) {
        events.push_back({DeviceEvent::Removal, std::move(name)});
    }
    for (auto& name : arrived) {
        events.push_back({DeviceEvent::Arrival, std::move(name)});
    }
    present_ = std::move(now);
    return events;
}

}  // namespace vexlor
