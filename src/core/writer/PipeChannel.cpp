#include "core/writer/PipeChannel.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

namespace vexlor {

namespace {

enum class Wait { Ready, Failed, TimedOut };

Wait WaitFor(int fd, short events, int waitLimitMs) {
    pollfd entry{fd, events, 0};
    for (;;) {
        const int ready = ::poll(&entry, 1, waitLimitMs);
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready == 0) {
            return Wait::TimedOut;
        }
        // POLLHUP alone on a read end still lets read() report the end of the data.
        return ready > 0 && (entry.revents & (events | POLLHUP)) != 0 ? Wait::Ready : Wait::Failed;
    }
}

// A write to a pipe nobody reads raises SIGPIPE, which would end the program; keep it pending
// while writing and swallow it, so a vanished writer is just a failed write.
class SigpipeGuard {
  public:
    SigpipeGuard() {
        sigemptyset(&pipeOnly_);
        sigaddset(&pipeOnly_, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        wasPending_ = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &pipeOnly_, &previous_);
    }
    ~SigpipeGuard() {
        if (!wasPending_) {
            const timespec none{0, 0};
            while (sigtimedwait(&pipeOnly_, nullptr, &none) == SIGPIPE) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    SigpipeGuard(const SigpipeGuard&) = delete;
    SigpipeGuard& operator=(const SigpipeGuard&) = delete;

  private:
    sigset_t pipeOnly_{};
    sigset_t previous_{};
    bool wasPending_ = false;
};

}  // namespace

bool PipeChannel::ready(int fd, short events) {
    const Wait wait = WaitFor(fd, events, waitLimitMs_);
    if (wait == Wait::TimedOut) {
        silent_ = true;
    }
    return wait == Wait::Ready;
}

bool PipeChannel::write(const std::uint8_t* data, std::size_t length) {
    if (writeFd_ < 0 || silent_) {
        return false;
    }
    SigpipeGuard guard;
    std::size_t done = 0;
    while (done < length) {
        if (!ready(writeFd_, POLLOUT)) {
            return false;
        }
        const ssize_t n = ::write(writeFd_, data + done, length - done);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool PipeChannel::read(std::uint8_t* buffer, std::size_t length) {
    if (readFd_ < 0 || silent_) {
        return false;
    }
    std::size_t done = 0;
    while (done < length) {
        if (!ready(readFd_, POLLIN)) {
            return false;
        }
        const ssize_t n = ::read(readFd_, buffer + done, length - done);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN) {
                continue;
            }
            return false;
        }
        if (n == 0) {
            return false;  // the writer closed its end
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace vexlor
