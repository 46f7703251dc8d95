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

// Runs the command-line tool in-process where nothing real is reachable: the device directory
// is an empty one and the access library a file that does not exist.
class CliHarness {
  public:
    explicit CliHarness(const std::filesystem::path& scratch);

    CliRun run(const std::vector<std::string>& arguments) const;
    // Sets the access library the tool finds, instead of the absent one.
    void useAccessLibrary(const std::filesystem::path& library) { library_ = library; }

    const std::filesystem::path devices;
    const std::filesystem::path absentLibrary;

  private:
    std::filesystem::path library_;
};

}  // namespace vexlor::test
