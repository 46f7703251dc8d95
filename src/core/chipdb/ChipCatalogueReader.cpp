#include <cstring>
#include <utility>

#include "core/base/TextConv.h"
#include "core/chipdb/CatalogueEntries.h"
#include "core/chipdb/CatalogueFile.h"
#include "core/chipdb/ChipDisplayKeys.h"
#include "core/chipdb/ReadChipXml.h"
#include "core/chipdb/XmlFile.h"

namespace vexlor {

namespace {

// Dispatches one element below the chip (group null) or below one of its groups.
bool applyDecimalKey(const char* group, pugi::xml_node element, ChipDisplayInfo& info) {
    for (const ChipDisplayKey& key : ChipDisplayKeys()) {
        const bool placed = group == nullptr
                                ? key.group == nullptr
                                : key.group != nullptr && !std::strcmp(key.group, group);
        if (placed && IsNamed(element, key.name)) {
            info.*key.field = atoiText(ElementText(element));
            return true;
        }
    }
    return false;
}

void applyChipKeys(pugi::xml_node chip, ChipDisplayInfo& info) {
    for (pugi::xml_node key = chip.first_child(); key; key = key.next_sibling()) {
        if (applyDecimalKey(nullptr, key, info)) {
            continue;
        }
        if (IsNamed(key, "ICSelectDisplay") || IsNamed(key, "MenuOperationDisplay")) {
            for (pugi::xml_node inner = key.first_child(); inner; inner = inner.next_sibling()) {
                applyDecimalKey(key.name(), inner, info);
            }
        } else if (IsNamed(key, "FW_File")) {
            info.FW_File = ElementText(key);
        } else if (IsNamed(key, "IC_FileType")) {
            // Text written directly inside counts too; the text it starts with is its value.
            info.IC_FileType = TrimmedXmlText(key.value());
            for (pugi::xml_node part = key.first_child(); part; part = part.next_sibling()) {
                info.IC_FileType += ElementText(part);
            }
        }
    }
}

// Every entry of that name, in document order, so a later duplicate overrides key by key.
void applyChipDisplayInfo(pugi::xml_node root, std::string_view chipName, ChipDisplayInfo& info) {
    if (chipName.empty()) {
        return;
    }
    for (pugi::xml_node series = root.first_child(); series; series = series.next_sibling()) {
        if (!IsNamed(series, "ChipSeries")) {
            continue;
        }
        ForEachCatalogueEntry(series, [&](pugi::xml_node type) {
            ForEachCatalogueEntry(type, [&](pugi::xml_node chipSeries) {
                ForEachCatalogueEntry(chipSeries, [&](pugi::xml_node chip) {
                    if (chipName == chip.first_attribute().value()) {
                        applyChipKeys(chip, info);
                    }
                });
            });
        });
    }
}

void listEntries(ChipListView& lists, ChipList which, pugi::xml_node parent) {
    lists.clear(which);
    ForEachCatalogueEntry(
        parent, [&](pugi::xml_node entry) { lists.add(which, entry.first_attribute().value()); });
}

// Emptied first: a chip without packages must not keep the previous chip's, whose code would
// then be written into its job.
void listPackages(ChipListView& lists, pugi::xml_node chip) {
    lists.clear(ChipList::Packages);
    for (pugi::xml_node group = chip.first_child(); group; group = group.next_sibling()) {
        if (!IsNamed(group, "ICSelectDisplay")) {
            continue;
        }
        for (pugi::xml_node packages = group.first_child(); packages;
             packages = packages.next_sibling()) {
            if (!IsNamed(packages, "Packages")) {
                continue;
            }
            lists.clear(ChipList::Packages);
            for (pugi::xml_node package = packages.first_child(); package;
                 package = package.next_sibling()) {
                if (package.type() == pugi::node_element) {
                    lists.add(ChipList::Packages, ElementText(package));
                }
            }
        }
    }
}

}  // namespace

ReadChipXml::ReadChipXml(Operator& op, std::filesystem::path baseDirectory)
    : operator_(op), baseDirectory_(std::move(baseDirectory)) {}

const pugi::xml_document* ReadChipXml::catalogue(int selector) {
    XmlLoad outcome = XmlLoad::OpenFailed;
    return catalogueCache_.load(CatalogueFilePath(baseDirectory_, selector), outcome);
}

int ReadChipXml::LoadChipLists(ChipListView& lists, int typeIndex, int seriesIndex, int nameIndex,
                               int selector) {
    XmlLoad outcome = XmlLoad::OpenFailed;
    const std::filesystem::path catalogue = CatalogueFilePath(baseDirectory_, selector);
    const pugi::xml_document* document = catalogueCache_.load(catalogue, outcome);
    if (!ReportXmlLoad(
            operator_, outcome,
            {"Can't Create Xml Instance!!", "Open *.xml Error!!", "Read Root Node Fail!!"},
            catalogue)) {
        return 0;
    }
    const pugi::xml_node root = document->document_element();
    for (pugi::xml_node chipSeries = root.first_child(); chipSeries;
         chipSeries = chipSeries.next_sibling()) {
        if (!IsNamed(chipSeries, "ChipSeries")) {
            continue;
        }
        // Each list is rebuilt only from a selection that exists; below a missing one the
        // lists stay empty, so the dialog never shows the children of a wrong entry.
        listEntries(lists, ChipList::McuType, chipSeries);
        lists.clear(ChipList::ChipSeries);
        lists.clear(ChipList::ChipName);
        const pugi::xml_node type = CatalogueEntryAt(chipSeries, typeIndex);
        if (type) {
            listEntries(lists, ChipList::ChipSeries, type);
        }
        const pugi::xml_node series = CatalogueEntryAt(type, seriesIndex);
        if (series) {
            listEntries(lists, ChipList::ChipName, series);
        }
        const pugi::xml_node chip = CatalogueEntryAt(series, nameIndex);
        if (!chip) {
            if (selector == kChipListKLW21) {
                lists.clear(ChipList::Packages);
            }
            operator_.message("Chip List Index Error!!");
            return 0;
        }
        applyChipDisplayInfo(root, chip.first_attribute().value(), chipDisplayInfo_);
        if (selector == kChipListKLW21) {
            listPackages(lists, chip);
        }
    }
    return 1;
}

int ReadChipXml::ReadChipDisplayInfo(std::string chipName, int selector) {
    XmlLoad outcome = XmlLoad::OpenFailed;
    const std::filesystem::path catalogue = CatalogueFilePath(baseDirectory_, selector);
    const pugi::xml_document* document = catalogueCache_.load(catalogue, outcome);
    if (!ReportXmlLoad(
            operator_, outcome,
            {"Can't Creat IXMLDOMDocumentPtr", "Open *.XML Fail", "Read ChipDisplayInfo Fail"},
            catalogue)) {
        return 0;
    }
    applyChipDisplayInfo(document->document_element(), chipName, chipDisplayInfo_);
    return 0;
}

}  // namespace vexlor
