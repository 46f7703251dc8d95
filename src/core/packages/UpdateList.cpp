#include "core/packages/UpdateList.h"

#include "core/base/PlainFileName.h"
#include "core/chipdb/XmlFile.h"
#include "core/convert/ByteFiles.h"
#include "core/packages/InstallTransaction.h"
#include "core/packages/PackagePaths.h"

namespace vexlor {

namespace {

constexpr XmlLoadMessages kListMessages{"Can't Creat IXMLDOMDocumentPtr", "Open XML File Fail",
                                        "Read xml root node Fail"};

UpdateFileItem readFileItem(pugi::xml_node fileItem) {
    UpdateFileItem item;
    for (pugi::xml_node field : fileItem.children()) {
        const std::string_view name = field.name();
        if (name == "FileName") {
            item.FileName = ElementText(field);
        } else if (name == "DestinationPath") {
            item.DestinationPath = ElementText(field);
        } else if (name == "RelativeFilePath_XML") {
            item.RelativeFilePath_XML = ElementText(field);
        }
    }
    return item;
}

bool toRoot(const UpdateFileItem& item) {
    return item.DestinationPath.find(kRootMarker) != std::string::npos;
}

}  // namespace

std::optional<std::vector<UpdateFileItem>> ReadUpdateList(Operator& op,
                                                          const std::filesystem::path& listPath) {
    pugi::xml_document document;
    if (!ReportXmlLoad(op, LoadXmlFile(listPath, document), kListMessages, listPath)) {
        return std::nullopt;
    }
    std::vector<UpdateFileItem> items;
    for (pugi::xml_node chip : document.document_element().children("Chip")) {
        for (pugi::xml_node fileItem : chip.children("FileItem")) {
            items.push_back(readFileItem(fileItem));
        }
    }
    return items;
}

std::string UpdateItemProblem(const UpdateFileItem& item) {
    if (!IsPlainFileName(item.FileName) || IsDeviceName(item.FileName)) {
        return "FileName \"" + item.FileName + "\" is not the name of a file in one folder";
    }
    if (std::string problem = RelativePathProblem(item.RelativeFilePath_XML); !problem.empty()) {
        return "RelativeFilePath_XML " + problem;
    }
    if (toRoot(item)) {
        return {};
    }
    if (std::string problem = RelativePathProblem(item.DestinationPath); !problem.empty()) {
        return "DestinationPath " + problem;
    }
    return {};
}

std::filesystem::path UpdateItemSource(const UpdateFileItem& item) {
    return RelativePathOf(item.RelativeFilePath_XML) / item.FileName;
}

std::filesystem::path UpdateItemDestination(const UpdateFileItem& item) {
    if (toRoot(item)) {
        return item.FileName;
    }
    return RelativePathOf(item.DestinationPath) / item.FileName;
}

UpdateListOutcome ApplyUpdateList(Operator& op, const std::filesystem::path& listPath,
                                  const std::filesystem::path& programDirectory) {
    const std::optional<std::vector<UpdateFileItem>> items = ReadUpdateList(op, listPath);
    if (!items) {
        return {PackageResult::BadPackage, {}};
    }
    // Every item is checked before the first file moves: a package is taken whole or not at all.
    for (const UpdateFileItem& item : *items) {
        if (std::string why = UpdateItemProblem(item); !why.empty()) {
            return {PackageResult::BadPackage, "Refused file list: " + why + "."};
        }
    }
    const std::filesystem::path extraction = listPath.parent_path();
    InstallTransaction install(programDirectory);
    for (const UpdateFileItem& item : *items) {
        const std::optional<Bytes> bytes = readFileBytes(extraction / UpdateItemSource(item));
        if (bytes && !install.stage(UpdateItemDestination(item), *bytes)) {
            return {PackageResult::WriteFailed, install.problem()};
        }
    }
    if (!install.commit()) {
        return {PackageResult::WriteFailed, install.problem()};
    }
    return {};
}

}  // namespace vexlor
