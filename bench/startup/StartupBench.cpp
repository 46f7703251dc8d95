// Times the program from process start to its main window shown, on the simulated writer with
// the job it holds restored. Usage: bench_startup PROGRAM BASE_DIR [RUNS]
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr const char* kShownLine = "main window shown after ";

// Milliseconds until the program reports its window, or a negative value on failure.
double timeOneStart(const std::string& program, const std::string& base) {
    int out[2];
    if (pipe(out) != 0) {
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> args{
        program, "--simulate", "--base-dir", base, "--exit-when-shown", "-platform", "offscreen"};
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return -1;
    }
    std::string seen;
    double elapsed = -1;
    char chunk[4096];
    ssize_t got = 0;
    while ((got = read(out[0], chunk, sizeof chunk)) > 0) {
        seen.append(chunk, static_cast<std::size_t>(got));
        if (elapsed < 0 && seen.find(kShownLine) != std::string::npos) {
            elapsed =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
        }
        if (seen.size() > (1u << 20)) {
            seen.erase(0, seen.size() - 256);
        }
    }
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? elapsed : -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s PROGRAM BASE_DIR [RUNS]\n", argv[0]);
        return 2;
    }
    int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 15;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        double ms = timeOneStart(argv[1], argv[2]);
        if (ms < 0) {
            std::fprintf(stderr, "start %d failed\n", i + 1);
            return 1;
        }
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "start-up to main window (simulated writer, job restored), %d runs: median %.1f ms, "
        "min %.1f ms, max %.1f ms (goal: under 400 ms)\n",
        runs, times[times.size() / 2], times.front(), times.back());
    return 0;
}
