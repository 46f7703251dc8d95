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
    switch (LoadXmlFile(file, document)) {
        case XmlLoad::NoParser:
            op.message("Can't Creat IXMLDOMDocumentPtr");
            return false;
        case XmlLoad::OpenFailed:
            op.message("Open XML File Fail");
            return false;
        case XmlLoad::NoRootElement:
            op.message("Read xml root node Fail");
            return false;
        case XmlLoad::Loaded:
            break;
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
