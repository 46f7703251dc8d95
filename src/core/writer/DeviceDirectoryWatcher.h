#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/writer/DeviceEvent.h"

namespace vexlor {

// The writer interfaces the directory holds now, each by its path.
std::set<std::string> PresentDeviceInterfaces(const std::filesystem::path& directory);

// Watches the device-interface directory for writer interfaces coming and going. An interface
// counts as present once its directory holds both pipes, so a half-made entry is no arrival.
// poll() never blocks; call it from a timer.
class DeviceDirectoryWatcher {
  public:
    // Interfaces already present are not reported as arrivals.
    explicit DeviceDirectoryWatcher(std::filesystem::path directory);

    std::vector<DeviceEvent> poll();

  private:
    std::filesystem::path directory_;
    std::set<std::string> present_;
};

}  // namespace vexlor
