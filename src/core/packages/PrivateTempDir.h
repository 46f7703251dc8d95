#pragma once

#include <filesystem>
#include <string>

namespace vexlor {

// Deletes every file of the directory and every sub-directory with all it holds; the directory
// itself stays. Links are removed, never followed. False when something could not be deleted.
bool DeleteTree(const std::filesystem::path& directory);

// A directory only this user can enter (mkdtemp), removed with everything in it when the
// object goes, whichever way the work in it ended.
class PrivateTempDir {
  public:
    // prefix: the start of the directory's name below parent. path() is empty when the
    // directory could not be made.
    PrivateTempDir(const std::filesystem::path& parent, const std::string& prefix);
    ~PrivateTempDir();
    PrivateTempDir(const PrivateTempDir&) = delete;
    PrivateTempDir& operator=(const PrivateTempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    bool made() const { return !path_.empty(); }
    // Leaves the directory in place when the object goes (it holds something to keep).
    void keep() { kept_ = true; }

  private:
    std::filesystem::path path_;
    bool kept_ = false;
};

}  // namespace vexlor
