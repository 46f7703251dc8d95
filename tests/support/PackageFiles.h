#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/packages/UpdateList.h"
#include "core/packages/ZipArchive.h"

namespace vexlor::test {

Bytes bytesOf(std::string_view text);

// Builds a package in the test (never a committed binary); fails the test when it cannot.
std::filesystem::path makeZip(const std::filesystem::path& path, const std::string& password,
                              const std::vector<ZipItem>& items);

// The file list of a chip-update package naming the items.
std::string updateListXml(const std::vector<UpdateFileItem>& items);

// Every file, folder and link below dir with what it holds (size and hash of a file, "->" and
// the target for a link), to show that nothing changed anywhere in a tree.
std::map<std::string, std::string> treeOf(const std::filesystem::path& dir);

}  // namespace vexlor::test
