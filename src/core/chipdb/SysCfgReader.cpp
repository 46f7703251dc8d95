#include <system_error>

#include "core/base/TextConv.h"
#include "core/chipdb/CatalogueEntries.h"
#include "core/chipdb/ParseHexText.h"
#include "core/chipdb/ReadChipXml.h"
#include "core/chipdb/XmlFile.h"

namespace vexlor {

namespace {

SysCfgField readField(pugi::xml_node element) {
    SysCfgField field;
    for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling()) {
        if (IsNamed(child, "Name")) {
            field.Name = ElementText(child);
        } else if (IsNamed(child, "Location")) {
            field.Location = 0;
            ParseHexText(ElementText(child), field.Location);
        } else if (IsNamed(child, "StartBit")) {
            field.StartBit = atoiText(ElementText(child));
        } else if (IsNamed(child, "Length")) {
            field.Length = atoiText(ElementText(child));
        } else if (IsNamed(child, "Enable")) {
            field.Enable = ElementText(child) == "True" ? 1 : 0;
        } else if (IsNamed(child, "Description")) {
            field.Description = ElementText(child);
        } else if (IsNamed(child, "Option")) {
            field.Options.push_back(
                SysCfgChoice{ElementText(child), atoiText(FirstAttributeText(child))});
        }
    }
    return field;
}

}  // namespace

int ReadChipXml::ReadSysCfgOptions(const std::filesystem::path& file) {
    sysCfgFields_.clear();
    pugi::xml_document document;
    if (!ReportXmlLoad(
            operator_, LoadXmlFile(file, document),
            {"Can't Creat IXMLDOMDocumentPtr", "Open *.XML Fail", "Read OptionDataQR46 Fail"},
            file)) {
        return 0;
    }
    const pugi::xml_node root = document.document_element();
    for (pugi::xml_node sysCfg = root.first_child(); sysCfg; sysCfg = sysCfg.next_sibling()) {
        if (!IsNamed(sysCfg, "SYSCFG")) {
            continue;
        }
        // Comments are not part of the parsed tree; every element below SYSCFG is a field.
        for (pugi::xml_node element = sysCfg.first_child(); element;
             element = element.next_sibling()) {
            if (element.type() == pugi::node_element) {
                sysCfgFields_.push_back(readField(element));
            }
        }
    }
    // The decoded file is a by-product of one editor session; a stale copy must not be read
    // for the next chip.
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    return 1;
}

}  // namespace vexlor
