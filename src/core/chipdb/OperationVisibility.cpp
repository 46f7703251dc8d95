#include "core/chipdb/OperationVisibility.h"

#include <system_error>

#include "core/chipdb/XmlFile.h"

namespace vexlor {

OperationVisibilityTable InitialOperationVisibility() {
    return {{{"Auto", "1"},
             {"BlankCheck", "1"},
             {"Program", "1"},
             {"Verify", "1"},
             {"Read", "1"},
             {"", ""}}};
}

bool ReadOperationVisibility(Operator& op, const std::filesystem::path& file,
                             OperationVisibilityTable& table) {
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
        return false;
    }
    pugi::xml_document document;
    if (!ReportXmlLoad(
            op, LoadXmlFile(file, document),
            {"Can't Creat IXMLDOMDocumentPtr", "Open XML File Fail", "Read xml root node Fail"},
            file)) {
        return false;
    }
    for (pugi::xml_node child : document.document_element().children()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        for (OperationVisibilityEntry& entry : table) {
            if (!entry.name.empty() && entry.name == child.name()) {
                entry.value = ElementText(child);
            }
        }
    }
    return true;
}

}  // namespace vexlor
