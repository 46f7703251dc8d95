#pragma once

#include <QStringList>
#include <filesystem>
#include <optional>
#include <string>

namespace vexlor::gui {

struct StartOptions {
    bool simulate = false;
    // The simulated writer starts unplugged; the "Simulated writer" menu attaches it.
    bool simulatedDetached = false;
    std::optional<std::filesystem::path> baseDirectory;
    std::string simulatedVersion;
    std::optional<std::filesystem::path> simulatedJob;
    // Leave as soon as the window is up and print how long the start took (start-up timing).
    bool exitWhenShown = false;
    // Diagnostic lines on standard error.
    bool verbose = false;
};

// Parses the command line; false with a reason on an unknown or incomplete option.
bool ParseStartOptions(const QStringList& arguments, StartOptions& options, QString& error);

// What the environment says about where the writer is; unset values are null.
struct WriterEnvironment {
    const char* deviceDirectory = nullptr;
    const char* accessLibrary = nullptr;
    const char* verbose = nullptr;
    const char* xdgDataHome = nullptr;
    const char* home = nullptr;
};

// The application object: transport choice, the main window for the whole run, and the close
// of the writer at the end. Returns the process exit code.
int RunWriterApp(int argc, char** argv, WriterEnvironment environment);

}  // namespace vexlor::gui
