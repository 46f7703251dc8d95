#include "core/serial/AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

#include "core/base/WholeTransfer.h"

namespace vexlor {

namespace {

// The rename itself is only durable once the directory entry is on the disk.
void syncDirectory(const std::filesystem::path& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

bool ReplaceFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::filesystem::path staging = path;
    staging += ".new";
    const int fd = ::open(staging.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    std::error_code ec;
    if (!written || !closed) {
        std::filesystem::remove(staging, ec);
        return false;
    }
    std::filesystem::rename(staging, path, ec);
    if (ec) {
        std::filesystem::remove(staging, ec);
        return false;
    }
    syncDirectory(path.parent_path().empty() ? "." : path.parent_path());
    return true;
}

}  // namespace vexlor
