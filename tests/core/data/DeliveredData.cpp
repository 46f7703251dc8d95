#include "DeliveredData.h"

#include <fstream>
#include <iterator>

#include <pugixml.hpp>

#include "core/chipdb/ReadChipXml.h"
#include "core/chipdb/XmlFile.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor::test {

namespace {

struct Listed {
    std::string mcuType, series, name;
    std::vector<std::string> packages;
};

std::vector<Listed> ListChips(const std::filesystem::path& file) {
    std::vector<Listed> chips;
    pugi::xml_document document;
    if (LoadXmlFile(file, document) != XmlLoad::Loaded) {
        return chips;
    }
    for (pugi::xml_node list : document.document_element().children("ChipSeries")) {
        for (pugi::xml_node type : list.children()) {
            for (pugi::xml_node series : type.children()) {
                for (pugi::xml_node chip : series.children()) {
                    Listed listed{type.attribute("type").value(),
                                  series.attribute("name").value(),
                                  chip.attribute("name").value(),
                                  {}};
                    for (pugi::xml_node p :
                         chip.child("ICSelectDisplay").child("Packages").children()) {
                        listed.packages.push_back(ElementText(p));
                    }
                    chips.push_back(std::move(listed));
                }
            }
        }
    }
    return chips;
}

DeliveredData Load() {
    DeliveredData data;
    data.base = builtBaseDir();
    const auto second = ListChips(data.base / "ChipList" / "KLW21_mcu.xml");
    for (const Listed& listed : second) {
        data.secondCatalogueNames.push_back(listed.name);
    }
    for (const Listed& listed : ListChips(data.base / "ChipList" / "KLW20_mcu.xml")) {
        DeliveredChip chip;
        chip.mcuType = listed.mcuType;
        chip.series = listed.series;
        chip.name = listed.name;
        for (const Listed& other : second) {
            if (other.name == listed.name) {
                chip.packages = other.packages;
            }
        }
        // A fresh document per chip: the catalogue reader keeps keys an entry leaves out.
        RecordingOperator op;
        ReadChipXml document(op, data.base);
        document.ReadChipDisplayInfo(chip.name, 1);
        chip.icRead = document.ReadICInfo(chip.name) == 1;
        chip.keys = document.chipDisplayInfo();
        chip.info = document.icInfo();
        chip.messages = op.texts();
        data.byName[chip.name] = data.chips.size();
        data.chips.push_back(std::move(chip));
    }
    return data;
}

}  // namespace

const DeliveredChip* DeliveredData::find(const std::string& name) const {
    const auto it = byName.find(name);
    return it == byName.end() ? nullptr : &chips[it->second];
}

const DeliveredData& Delivered() {
    static const DeliveredData data = Load();
    return data;
}

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace vexlor::test
