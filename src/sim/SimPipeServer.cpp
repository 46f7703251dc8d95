#include "sim/SimPipeServer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "core/writer/WriterIdentity.h"

namespace vexlor::sim {

namespace {
constexpr const char* kReplyPipe = "PIPE00";
constexpr const char* kCommandPipe = "PIPE01";
constexpr int kPipeCapacity = 1 << 20;
constexpr std::size_t kChunk = 1 << 16;
// About one microsecond per byte: a full-speed USB bulk link.
constexpr std::size_t kMicrosecondsPerByte = 1;

int openPipe(const std::filesystem::path& path) {
    // Read and write: the server's own write end keeps PIPE01 from reporting the end of the
    // data when a host closes it, and its own read end lets PIPE00 open at any time.
    const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::fcntl(fd, F_SETPIPE_SZ, kPipeCapacity);
    }
    return fd;
}
// Whether some server still reads the interface's command pipe.
bool isServed(const std::filesystem::path& interface) {
    const int fd = ::open((interface / kCommandPipe).c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno != ENXIO && errno != ENOENT;
    }
    ::close(fd);
    return true;
}
}  // namespace

SimPipeServer::SimPipeServer(SimWriter& writer, Options options, Clock& clock)
    : writer_(writer), options_(std::move(options)), clock_(clock), endpoint_(writer) {
    if (options_.interfaceName.empty()) {
        options_.interfaceName = defaultInterfaceName();
    }
}

SimPipeServer::~SimPipeServer() {
    remove();
}

std::string SimPipeServer::defaultInterfaceName() {
    return interfaceNameFor("vexlor-sim0");
}

std::string SimPipeServer::interfaceNameFor(const std::string& name) {
    return name + "#{" + std::string(kWriterClassGuidText) + "}";
}

bool SimPipeServer::isUsableName(const std::string& name) {
    return !name.empty() && name.front() != '.' && name.find('/') == std::string::npos &&
           name.find('\0') == std::string::npos;
}

bool SimPipeServer::arrive(std::string& error) {
    if (present()) {
        return true;
    }
    std::error_code ec;
    std::filesystem::create_directories(options_.deviceDirectory, ec);
    const auto final = interfacePath();
    if (std::filesystem::exists(final, ec)) {
        if (isServed(final)) {
            error = "device interface already present: " + final.string();
            return false;
        }
        // Left behind by a server that was killed: nobody reads its commands any more.
        std::filesystem::remove_all(final, ec);
    }
    // Built under a name without the GUID and renamed, so a watcher never sees it half made.
    const auto staging = options_.deviceDirectory / ("." + options_.interfaceName + ".new");
    std::filesystem::remove_all(staging, ec);
    if (!std::filesystem::create_directory(staging, ec) ||
        ::mkfifo((staging / kReplyPipe).c_str(), 0600) != 0 ||
        ::mkfifo((staging / kCommandPipe).c_str(), 0600) != 0) {
        error = "cannot create the device interface below " + options_.deviceDirectory.string() +
                ": " + std::strerror(errno);
        std::filesystem::remove_all(staging, ec);
        return false;
    }
    replyFd_ = openPipe(staging / kReplyPipe);
    commandFd_ = openPipe(staging / kCommandPipe);
    std::filesystem::rename(staging, final, ec);
    ownsInterface_ = !ec;
    if (replyFd_ < 0 || commandFd_ < 0 || ec) {
        error = "cannot open the pipes of " + final.string();
        remove();
        std::filesystem::remove_all(staging, ec);
        return false;
    }
    endpoint_.reset();
    outbox_.clear();
    return true;
}

void SimPipeServer::remove() {
    for (int* fd : {&commandFd_, &replyFd_}) {
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
    }
    // Only an interface this server made is taken away: a server refused because another
    // one serves the same name must leave that one alone.
    if (ownsInterface_) {
        std::error_code ec;
        std::filesystem::remove_all(interfacePath(), ec);
        ownsInterface_ = false;
    }
    endpoint_.reset();
    outbox_.clear();
}

void SimPipeServer::serveOnce(int timeoutMs) {
    if (!present()) {
        return;
    }
    const bool replying = !outbox_.empty() || endpoint_.pending() > 0;
    std::array<pollfd, 2> fds{{{commandFd_, POLLIN, 0}, {replyFd_, POLLOUT, 0}}};
    const int ready = ::poll(fds.data(), replying ? 2 : 1, timeoutMs);
    if (ready <= 0) {
        return;
    }
    if ((fds[0].revents & POLLIN) != 0) {
        takeCommands();
    }
    if (present() && replying && (fds[1].revents & POLLOUT) != 0) {
        sendReplies();
    }
    if (!writer_.attached()) {
        remove();
    }
}

void SimPipeServer::takeCommands() {
    std::array<std::uint8_t, kChunk> buffer;
    const ssize_t n = ::read(commandFd_, buffer.data(), buffer.size());
    if (n <= 0) {
        return;
    }
    if (endpoint_.atCommandBoundary()) {
        discardStaleReplies();
    }
    pace(static_cast<std::size_t>(n));
    if (!endpoint_.hostWrite(std::span(buffer.data(), static_cast<std::size_t>(n)))) {
        remove();
        return;
    }
    // Answers go out at once where the pipe has room; the rest waits for the next round.
    sendReplies();
}

void SimPipeServer::discardStaleReplies() {
    // A new command while answers are unread: the host that asked has gone away.
    endpoint_.reset();
    outbox_.clear();
    std::array<std::uint8_t, kChunk> sink;
    while (::read(replyFd_, sink.data(), sink.size()) > 0) {
    }
}

void SimPipeServer::sendReplies() {
    if (outbox_.empty() && endpoint_.pending() > 0) {
        outbox_.resize(endpoint_.pending());
        outbox_.resize(endpoint_.hostRead(outbox_));
        if (!writer_.attached()) {
            remove();
            return;
        }
        pace(outbox_.size());
    }
    while (!outbox_.empty()) {
        const ssize_t n = ::write(replyFd_, outbox_.data(), outbox_.size());
        if (n <= 0) {
            return;  // full: poll tells when there is room
        }
        outbox_.erase(outbox_.begin(), outbox_.begin() + n);
    }
}

void SimPipeServer::pace(std::size_t bytes) {
    if (!options_.usbTiming) {
        return;
    }
    owedMicroseconds_ += bytes * kMicrosecondsPerByte;
    if (owedMicroseconds_ >= 1000) {
        clock_.busyWait(static_cast<std::uint32_t>(owedMicroseconds_ / 1000));
        owedMicroseconds_ %= 1000;
    }
}

}  // namespace vexlor::sim
