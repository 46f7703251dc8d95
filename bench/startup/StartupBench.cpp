// Times the program from process start to its main window shown (simulated writer, the job it
// holds restored) side by side with an empty Qt main window, interleaved, on the offscreen
// platform. Usage: bench_startup PROGRAM BASE_DIR EMPTY_WINDOW [RUNS]
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
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

struct Timing {
    double wallMs = -1;  // until the window is reported
    double cpuMs = 0;    // user + system time of the whole process
};

double milliseconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
}

// One start; wallMs stays negative on failure.
Timing timeOneStart(std::vector<std::string> args) {
    Timing timing;
    int out[2];
    if (pipe(out) != 0) {
        return timing;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    args.insert(args.end(), {"--exit-when-shown", "-platform", "offscreen"});
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return timing;
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
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        timing.wallMs = elapsed;
        timing.cpuMs = milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime);
    }
    return timing;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s PROGRAM BASE_DIR EMPTY_WINDOW [RUNS]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 31;
    const std::vector<std::string> program{argv[1], "--simulate", "--base-dir", argv[2]};
    const std::vector<std::string> empty{argv[3]};
    std::vector<double> wall[2];
    std::vector<double> cpu[2];
    // Interleaved, so a burst of load elsewhere hits both alike.
    for (int i = 0; i < runs; ++i) {
        for (int which = 0; which < 2; ++which) {
            const Timing t = timeOneStart(which == 0 ? program : empty);
            if (t.wallMs < 0) {
                std::fprintf(stderr, "start %d of %s failed\n", i + 1,
                             which == 0 ? argv[1] : argv[3]);
                return 1;
            }
            wall[which].push_back(t.wallMs);
            cpu[which].push_back(t.cpuMs);
        }
    }
    std::printf("median of %d interleaved starts, offscreen platform\n", runs);
    std::printf("program (simulated writer, job restored)  wall %7.1f ms   cpu %7.1f ms\n",
                median(wall[0]), median(cpu[0]));
    std::printf("empty QMainWindow                         wall %7.1f ms   cpu %7.1f ms\n",
                median(wall[1]), median(cpu[1]));
    std::printf(
        "program / empty window                    wall %7.2f      cpu %7.2f   (goal: "
        "within 1.5)\n",
        median(wall[0]) / median(wall[1]), median(cpu[0]) / median(cpu[1]));
    return 0;
}
