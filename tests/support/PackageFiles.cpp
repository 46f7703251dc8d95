#include "support/PackageFiles.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/ScratchDir.h"

namespace vexlor::test {

Bytes bytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

std::filesystem::path makeZip(const std::filesystem::path& path, const std::string& password,
                              const std::vector<ZipItem>& items) {
    EXPECT_EQ(WriteZipFile(path, password, items), "");
    return path;
}

std::string updateListXml(const std::vector<UpdateFileItem>& items) {
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

std::map<std::string, std::string> treeOf(const std::filesystem::path& dir) {
    std::map<std::string, std::string> tree;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
        const std::string name = std::filesystem::relative(entry.path(), dir).string();
        if (entry.is_symlink()) {
            tree[name] = "->" + std::filesystem::read_symlink(entry.path()).string();
        } else if (entry.is_directory()) {
            tree[name] = "<folder>";
        } else {
            // Size and a hash keep the report of a difference short.
            const std::string text = readText(entry.path());
            tree[name] = std::to_string(text.size()) + " bytes #" +
                         std::to_string(std::hash<std::string>{}(text));
        }
    }
    return tree;
}

}  // namespace vexlor::test
