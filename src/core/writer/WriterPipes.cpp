#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <string>
#include <system_error>
#include <vector>

#include "core/writer/WriterConnection.h"
#include "core/writer/WriterIdentity.h"

namespace vexlor {

namespace {

// Longest pipe suffix appended to an interface path ("/PIPE00").
constexpr std::size_t kPipeSuffixLength = 7;

// Hidden entries are interfaces still being laid out, never ones to open.
bool HasWriterClass(std::string name) {
    if (name.empty() || name.front() == '.') {
        return false;
    }
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name.find(kWriterClassGuidText) != std::string::npos;
}

// Interfaces of the writer's class in a stable order; an unreadable directory has none.
std::vector<std::string> WriterInterfaces(const std::filesystem::path& directory) {
    std::vector<std::string> paths;
    std::error_code error;
    for (std::filesystem::directory_iterator it(directory, error), end; !error && it != end;
         it.increment(error)) {
        if (HasWriterClass(it->path().filename().string())) {
            paths.push_back(it->path().string());
        }
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

}  // namespace

bool WriterConnection::GetUsbDeviceFileName() {
    const Diagnostics& diag = feedback_.diagnostics;
    link_.deviceName.clear();
    for (const std::string& path : WriterInterfaces(transports_.deviceDirectory)) {
        if (path.size() + kPipeSuffixLength >= kDeviceNameCapacity) {
            diag.printf("Device path too long, skipped: %s\n", path.c_str());
            continue;
        }
        link_.deviceName = path;
        diag.printf("Attempting to open %s\n", path.c_str());
        const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            diag.printf("FAILED to open %s\n", path.c_str());
            continue;
        }
        ::close(fd);
        return true;
    }
    link_.deviceName.clear();
    return false;
}

int WriterConnection::OpenWriterPipe(std::string_view pipeName) {
    const Diagnostics& diag = feedback_.diagnostics;
    if (!GetUsbDeviceFileName()) {
        diag.print("Failed to GetUsbDeviceFileName\n");
        return kInvalidPipe;
    }
    const std::string complete = link_.deviceName + "/" + std::string(pipeName);
    if (complete.size() >= kDeviceNameCapacity) {
        diag.printf("Failed to open (%s) = %d", complete.c_str(), ENAMETOOLONG);
        return kInvalidPipe;
    }
    link_.deviceName = complete;
    diag.printf("completeDeviceName = (%s)\n", complete.c_str());
    // PIPE00 carries the writer's answers, PIPE01 the commands. Opening the command pipe
    // without blocking fails at once when no writer serves it, and the one-directional opens
    // let a vanished writer show as the end of the data instead of a hang.
    const int direction = pipeName == "PIPE00" ? O_RDONLY : O_WRONLY;
    const int fd = ::open(complete.c_str(), direction | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        diag.printf("Failed to open (%s) = %d", complete.c_str(), errno);
        return kInvalidPipe;
    }
    diag.print("Opened successfully.\n");
    return fd;
}

}  // namespace vexlor
