#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/packages/PrivateTempDir.h"

namespace vexlor {

// Puts a set of files into a directory tree all together or not at all. Each file is first
// written into a private staging directory inside the tree, so the swap is a rename on the
// same file system; a file it replaces is moved aside and moved back if a later step fails.
// Missing folders are created below the root only, and removed again on failure.
class InstallTransaction {
  public:
    explicit InstallTransaction(std::filesystem::path root);
    InstallTransaction(const InstallTransaction&) = delete;
    InstallTransaction& operator=(const InstallTransaction&) = delete;

    // relative must already be a checked path below the root. False (with problem()) when the
    // staged copy cannot be written.
    bool stage(const std::filesystem::path& relative, std::span<const std::uint8_t> bytes);
    // Swaps every staged file into place in staging order. False (with problem()) when a step
    // failed; the tree is then as it was before.
    bool commit();
    const std::string& problem() const { return problem_; }

  private:
    struct Staged {
        std::filesystem::path relative;
        std::filesystem::path file;
    };
    struct Swapped {
        std::filesystem::path destination;
        std::filesystem::path backup;  // empty: nothing was there before
    };

    bool makeParents(const std::filesystem::path& relative);
    bool swapIn(std::size_t index, const Staged& staged);
    void rollBack();
    bool fail(std::string why);

    std::filesystem::path root_;
    PrivateTempDir staging_;
    std::vector<Staged> staged_;
    std::vector<Swapped> swapped_;
    std::vector<std::filesystem::path> createdFolders_;
    std::string problem_;
};

}  // namespace vexlor
