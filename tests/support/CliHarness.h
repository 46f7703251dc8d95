#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vexlor::test {

struct CliRun {
    int status = 0;
    std::string out;
    std::string err;

    // Whether the text stands anywhere in the output or the error stream.
    bool printed(const std::string& text) const;
};

// Runs the command-line tool in-process. While it lives, nothing real is reachable: the
// device directory is an empty one and the access library a file that does not exist.
class CliHarness {
  public:
    explicit CliHarness(const std::filesystem::path& scratch);
    ~CliHarness();
    CliHarness(const CliHarness&) = delete;
    CliHarness& operator=(const CliHarness&) = delete;

    CliRun run(const std::vector<std::string>& arguments) const;
    // Sets the access library the tool finds, instead of the absent one.
    void useAccessLibrary(const std::filesystem::path& library) const;

    const std::filesystem::path devices;
    const std::filesystem::path absentLibrary;
};

}  // namespace vexlor::test
