#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/packages/UpdateList.h"
#include "core/packages/ZipArchive.h"
#include "support/ScratchDir.h"

namespace vexlor::test {

inline Bytes bytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

// Builds a package in the test (never a committed binary); fails the test when it cannot.
inline std::filesystem::path makeZip(const std::filesystem::path& path, const std::string& password,
                                     const std::vector<ZipItem>& items) {
    EXPECT_EQ(WriteZipFile(path, password, items), "");
    return path;
}

// The file list of a chip-update package naming the items.
inline std::string updateListXml(const std::vector<UpdateFileItem>& items) {
    std::string xml =
        "<?xml version=\"1.0\"?>\n<UpdateList>\n  <Note>skipped</Note>\n"
        "  <Chip>\n    <Name>QR64NEW</Name>\n";
    for (const UpdateFileItem& item : items) {
        xml += "    <FileItem>\n      <FileName>" + item.FileName + "</FileName>\n" +
               "      <DestinationPath>" + item.DestinationPath + "</DestinationPath>\n" +
               "      <RelativeFilePath_XML>" + item.RelativeFilePath_XML +
               "</RelativeFilePath_XML>\n    </FileItem>\n";
    }
    return xml + "  </Chip>\n</UpdateList>\n";
}

// Every file, folder and link below dir with what it holds (size and hash of a file, "->" and
// the target for a link), to show that nothing changed anywhere in a tree.
inline std::map<std::string, std::string> treeOf(const std::filesystem::path& dir) {
    std::map<std::string, std::string> tree;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
        const std::string name = std::filesystem::relative(entry.path(), dir).string();
        if (entry.is_symlink()) {
            tree[name] = "->" + std::filesystem::read_symlink(entry.path()).string();
        } else if (entry.is_directory()) {
            tree[name] = "<folder>";
        } else {
            const std::string text = readText(entry.path());
            tree[name] = std::to_string(text.size()) + " bytes #" +
                         std::to_string(std::hash<std::string>{}(text));
        }
    }
    return tree;
}

}  // namespace vexlor::test
