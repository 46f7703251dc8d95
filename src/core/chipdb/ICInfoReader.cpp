#include <cstring>

#include "core/base/TextConv.h"
#include "core/chipdb/CatalogueEntries.h"
#include "core/chipdb/CatalogueFile.h"
#include "core/chipdb/ICInfoKeys.h"
#include "core/chipdb/ParseHexText.h"
#include "core/chipdb/ReadChipXml.h"
#include "core/chipdb/XmlFile.h"

namespace vexlor {

namespace {

struct Store {
    ICInfo& info;
    const std::string& text;
    void operator()(std::string ICInfo::*field) const { info.*field = text; }
    void operator()(std::int32_t ICInfo::*field) const { info.*field = atoiText(text); }
    // A hex key met again keeps shifting the value it holds.
    void operator()(std::uint32_t ICInfo::*field) const { ParseHexText(text, info.*field); }
    void operator()(float ICInfo::*field) const { info.*field = atofText(text); }
};

bool sameName(const char* wanted, pugi::xml_node node) {
    return wanted != nullptr && std::strcmp(wanted, node.name()) == 0;
}

// A key counts only in its own section, and the voltages only in their own group.
void readKey(pugi::xml_node section, pugi::xml_node group, pugi::xml_node element, ICInfo& info) {
    for (const ICInfoKey& key : ICInfoKeys()) {
        const bool placed = sameName(key.section, section) &&
                            (group ? sameName(key.group, group) : key.group == nullptr);
        if (placed && sameName(key.name, element)) {
            const std::string text = ElementText(element);
            std::visit(Store{info, text}, key.field);
            return;
        }
    }
}

void readDeviceIds(pugi::xml_node list, ICInfo& info) {
    for (pugi::xml_node id = list.first_child(); id; id = id.next_sibling()) {
        if (id.type() == pugi::node_element) {
            std::uint32_t value = 0;
            ParseHexText(ElementText(id), value);
            info.Device_ID.push_back(value);
        }
    }
}

void readSection(pugi::xml_node section, ICInfo& info) {
    const bool voltages = IsNamed(section, "DAC_Set_Voltage");
    const bool chip = IsNamed(section, "Chip_Information");
    for (pugi::xml_node child = section.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        if (voltages) {
            for (pugi::xml_node key = child.first_child(); key; key = key.next_sibling()) {
                if (key.type() == pugi::node_element) {
                    readKey(section, child, key, info);
                }
            }
        } else if (chip && IsNamed(child, "Device_ID")) {
            readDeviceIds(child, info);
        } else {
            readKey(section, {}, child, info);
        }
    }
}

}  // namespace

int ReadChipXml::ReadICInfo(std::string_view chipName) {
    icInfo_ = ICInfo{};
    pugi::xml_document document;
    const std::filesystem::path file = ICInfoFilePath(baseDirectory_, chipName);
    if (!ReportXmlLoad(operator_, LoadXmlFile(file, document),
                       {"Can't Creat IXMLDOMDocumentPtr", "Open *.ic Fail", "Read ICFile Fail"},
                       file)) {
        return 0;
    }
    ICInfo read;
    const pugi::xml_node root = document.document_element();
    for (pugi::xml_node section = root.first_child(); section; section = section.next_sibling()) {
        if (section.type() == pugi::node_element) {
            readSection(section, read);
        }
    }
    icInfo_ = std::move(read);
    return 1;
}

}  // namespace vexlor
