#include "core/smartopt/DecoderProcess.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <string>

extern char** environ;

namespace vexlor {

namespace {

constexpr std::uint32_t kPollMs = 5;

// The child's exit status once it has ended; nullopt while it runs.
std::optional<int> reapIfDone(pid_t pid, int flags) {
    int status = 0;
    pid_t done = 0;
    do {
        done = ::waitpid(pid, &status, flags);
    } while (done < 0 && errno == EINTR);
    if (done == 0) {
        return std::nullopt;
    }
    if (done < 0) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class SpawnActions {
  public:
    SpawnActions() { ::posix_spawn_file_actions_init(&actions_); }
    ~SpawnActions() { ::posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    posix_spawn_file_actions_t* get() { return &actions_; }

  private:
    posix_spawn_file_actions_t actions_;
};

}  // namespace

std::optional<std::filesystem::path> FindOptionDecoder(
    const std::vector<std::filesystem::path>& directories) {
    for (const auto& directory : directories) {
        const std::filesystem::path candidate = directory / kOptionDecoderName;
        std::error_code ec;
        if (std::filesystem::is_regular_file(candidate, ec) &&
            ::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return std::nullopt;
}

DecoderRun RunOptionDecoder(const std::filesystem::path& decoder,
                            const std::filesystem::path& encodedFile,
                            const std::filesystem::path& workingDirectory, Clock& clock,
                            std::uint32_t limitMs) {
    SpawnActions actions;
    if (::posix_spawn_file_actions_addchdir_np(actions.get(), workingDirectory.c_str()) != 0) {
        return DecoderRun::NotStarted;
    }
    std::string program = decoder.string();
    std::string flag = "--f";
    std::string input = encodedFile.string();
    char* argv[] = {program.data(), flag.data(), input.data(), nullptr};
    pid_t pid = 0;
    if (::posix_spawn(&pid, program.c_str(), actions.get(), nullptr, argv, environ) != 0) {
        return DecoderRun::NotStarted;
    }
    const std::uint64_t start = clock.tickMs();
    while (true) {
        if (const auto status = reapIfDone(pid, WNOHANG)) {
            // 127 is the spawned child's own report that the program could not be executed.
            return *status == 0     ? DecoderRun::Finished
                   : *status == 127 ? DecoderRun::NotStarted
                                    : DecoderRun::Failed;
        }
        if (clock.tickMs() - start >= limitMs) {
            ::kill(pid, SIGKILL);
            reapIfDone(pid, 0);
            return DecoderRun::TimedOut;
        }
        clock.busyWait(kPollMs);
    }
}

}  // namespace vexlor
