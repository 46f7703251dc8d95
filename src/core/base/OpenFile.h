#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <utility>

namespace vexlor {

// Not blocking: a pipe in a file's place is refused at once instead of waiting for a writer.
inline constexpr int kReadFlags = O_RDONLY | O_NONBLOCK;

// The descriptor of one read or write, closed on every way out.
class OpenFile {
  public:
    OpenFile(const std::filesystem::path& path, int flags)
        : fd_(::open(path.c_str(), flags | O_CLOEXEC, 0666)) {}
    ~OpenFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int fd() const { return fd_; }
    // Closes now, so a failure the file system reports only at close is seen.
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

  private:
    int fd_;
};

}  // namespace vexlor
