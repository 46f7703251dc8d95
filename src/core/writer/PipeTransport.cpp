#include "core/writer/PipeTransport.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <system_error>
#include <vector>

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

std::string PipeTransport::name() const {
    const auto slash = deviceName_.rfind('/');
    return "device files " +
           (slash == std::string::npos ? deviceName_ : deviceName_.substr(0, slash));
}

OpenResult PipeTransport::open() {
    // Half an open pair is of no use: start both afresh, and keep neither when one fails.
    close();
    if (const OpenResult locked = LockInterface(); locked != OpenResult::Opened) {
        return locked;
    }
    accessDenied_ = false;
    readPipe_ = OpenWriterPipe("PIPE00");
    writePipe_ = OpenWriterPipe("PIPE01");
    if (!isOpen()) {
        close();
        return accessDenied_ ? OpenResult::Denied : OpenResult::Absent;
    }
    DiscardUnreadAnswers();
    channel_.emplace(readPipe_, writePipe_, waitLimitMs_);
    return OpenResult::Opened;
}

OpenResult PipeTransport::LockInterface() {
    if (!GetUsbDeviceFileName()) {
        diagnostics_.print("Failed to GetUsbDeviceFileName\n");
        return OpenResult::Absent;
    }
    lock_ = ::open(deviceName_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (lock_ < 0) {
        return errno == EACCES ? OpenResult::Denied : OpenResult::Absent;
    }
    if (::flock(lock_, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        diagnostics_.printf("Failed to lock %s = %d\n", deviceName_.c_str(), errno);
        close();
        return held ? OpenResult::Busy : OpenResult::Absent;
    }
    return OpenResult::Opened;
}

void PipeTransport::close() {
    channel_.reset();
    // The lock goes last, once this program has let go of the pipes.
    for (int* fd : {&readPipe_, &writePipe_, &lock_}) {
        if (*fd != kInvalidPipe) {
            ::close(*fd);
            *fd = kInvalidPipe;
        }
    }
}

void PipeTransport::DiscardUnreadAnswers() {
    // Answers a previous connection asked for and never read would otherwise be taken as the
    // answers to this connection's first commands.
    std::array<std::uint8_t, 512> sink;
    while (::read(readPipe_, sink.data(), sink.size()) > 0) {
    }
}

bool PipeTransport::GetUsbDeviceFileName() {
    deviceName_.clear();
    for (const std::string& path : WriterInterfaces(deviceDirectory_)) {
        if (!onlyInterface_.empty() && std::filesystem::path(path).filename() != onlyInterface_) {
            continue;
        }
        if (path.size() + kPipeSuffixLength >= kDeviceNameCapacity) {
            diagnostics_.printf("Device path too long, skipped: %s\n", path.c_str());
            continue;
        }
        deviceName_ = path;
        diagnostics_.printf("Attempting to open %s\n", path.c_str());
        const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            diagnostics_.printf("FAILED to open %s\n", path.c_str());
            continue;
        }
        ::close(fd);
        return true;
    }
    deviceName_.clear();
    return false;
}

int PipeTransport::OpenWriterPipe(std::string_view pipeName) {
    if (!GetUsbDeviceFileName()) {
        diagnostics_.print("Failed to GetUsbDeviceFileName\n");
        return kInvalidPipe;
    }
    const std::string complete = deviceName_ + "/" + std::string(pipeName);
    deviceName_ = complete;
    diagnostics_.printf("completeDeviceName = (%s)\n", complete.c_str());
    // PIPE00 carries the writer's answers, PIPE01 the commands. Opening the command pipe
    // without blocking fails at once when no writer serves it, and the one-directional opens
    // let a vanished writer show as the end of the data instead of a hang.
    const int direction = pipeName == "PIPE00" ? O_RDONLY : O_WRONLY;
    const int fd = ::open(complete.c_str(), direction | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        accessDenied_ = accessDenied_ || errno == EACCES;
        diagnostics_.printf("Failed to open (%s) = %d", complete.c_str(), errno);
        return kInvalidPipe;
    }
    diagnostics_.print("Opened successfully.\n");
    return fd;
}

}  // namespace vexlor
