#include "DataSet.h"

#include <array>
#include <cctype>
#include <iostream>
#include <string_view>

#include "core/chipdb/ReadChipXml.h"
#include "core/chipdb/XmlFile.h"

namespace vexlor::datagen {

namespace {

// The generators run unattended in the build: every message is a failure to report.
class StderrOperator : public SilentOperator {
  public:
    void message(std::string_view text, std::string_view, MessageIcon) override {
        std::cerr << "datagen: " << text << '\n';
    }
};

CatalogueChip ReadChip(pugi::xml_node chipElement) {
    CatalogueChip chip;
    chip.name = FirstAttributeText(chipElement);
    chip.fwFile = ElementText(chipElement.child("FW_File"));
    for (pugi::xml_node package :
         chipElement.child("ICSelectDisplay").child("Packages").children()) {
        if (package.type() == pugi::node_element) {
            chip.packages.push_back(ElementText(package));
        }
    }
    return chip;
}

}  // namespace

std::optional<std::vector<CatalogueChip>> ReadCatalogueChips(const std::filesystem::path& file) {
    pugi::xml_document document;
    if (LoadXmlFile(file, document) != XmlLoad::Loaded) {
        std::cerr << "datagen: cannot read " << file << '\n';
        return std::nullopt;
    }
    std::vector<CatalogueChip> chips;
    for (pugi::xml_node list : document.document_element().children("ChipSeries")) {
        for (pugi::xml_node type : list.children()) {
            for (pugi::xml_node series : type.children()) {
                for (pugi::xml_node chip : series.children()) {
                    if (chip.type() == pugi::node_element) {
                        chips.push_back(ReadChip(chip));
                    }
                }
            }
        }
    }
    return chips;
}

std::optional<ICInfo> ReadChipParameters(const std::filesystem::path& dataDirectory,
                                         const std::string& chipName) {
    StderrOperator op;
    ReadChipXml document(op, dataDirectory);
    if (document.ReadICInfo(chipName) == 0) {
        std::cerr << "datagen: no IC information for " << chipName << '\n';
        return std::nullopt;
    }
    return document.icInfo();
}

bool UsesFamilyConverter(const ICInfo& chip) {
    static constexpr std::array<std::string_view, 5> kLibraryFamilies{"37", "27", "28", "89",
                                                                      "USB"};
    for (std::string_view family : kLibraryFamilies) {
        if (chip.ChipType == family) {
            return false;
        }
    }
    return chip.ChipName != "QR64L74M";
}

std::optional<PackageShape> ParsePackage(const std::string& packageName) {
    PackageShape shape;
    std::size_t i = 0;
    while (i < packageName.size() && std::isalpha(static_cast<unsigned char>(packageName[i]))) {
        shape.style += packageName[i++];
    }
    std::size_t digits = 0;
    while (i < packageName.size() && std::isdigit(static_cast<unsigned char>(packageName[i])) &&
           digits < 4) {
        shape.pins = shape.pins * 10 + (packageName[i++] - '0');
        ++digits;
    }
    shape.outline = (shape.style == "LQFP" || shape.style == "QFP" || shape.style == "QFN")
                        ? PackageOutline::Quad
                        : PackageOutline::DualInLine;
    const int multiple = shape.outline == PackageOutline::Quad ? 4 : 2;
    if (shape.style.empty() || shape.pins < multiple || shape.pins > 256 ||
        shape.pins % multiple != 0) {
        return std::nullopt;
    }
    return shape;
}

std::optional<GeneratorDirectories> ParseGeneratorArguments(int argc, char** argv,
                                                            const char* programName) {
    GeneratorDirectories directories;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view name = argv[i];
        if (name == "--data") {
            directories.data = argv[i + 1];
        } else if (name == "--out") {
            directories.out = argv[i + 1];
        }
    }
    if (directories.data.empty() || directories.out.empty()) {
        std::cerr << "usage: " << programName
                  << " --data <data directory> --out <base directory>\n";
        return std::nullopt;
    }
    return directories;
}

}  // namespace vexlor::datagen
