#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vexlor::test {

// A fresh directory per test, removed afterwards.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    std::filesystem::path write(const std::string& name, const std::string& text) const;
    std::filesystem::path writeBytes(const std::string& name,
                                     const std::vector<std::uint8_t>& bytes) const;
    // Copies the committed tree tests/data/<set> in, keeping its folders.
    void copyData(const std::string& set) const;

  private:
    std::filesystem::path path_;
};

std::vector<std::uint8_t> readBytes(const std::filesystem::path& path);
std::string readText(const std::filesystem::path& path);

// Directory of files committed for tests (tests/data), from the environment CTest sets.
std::filesystem::path testDataDir();
// The text of a committed file, named below tests/data.
std::string dataText(const std::string& name);
// The base directory the build lays out (data set and generated images).
std::filesystem::path builtBaseDir();

}  // namespace vexlor::test
