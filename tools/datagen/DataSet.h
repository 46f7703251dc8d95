#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/chipdb/ICInfo.h"

namespace vexlor::datagen {

// What the generators need of one catalogue chip.
struct CatalogueChip {
    std::string name;
    std::string fwFile;
    std::vector<std::string> packages;  // empty in the first catalogue
};

// Every chip of a catalogue file, in file order; nullopt when the file cannot be read.
std::optional<std::vector<CatalogueChip>> ReadCatalogueChips(const std::filesystem::path& file);

// The chip's IC information file read by the program's own reader; nullopt after a failure,
// whose message has gone to standard error.
std::optional<ICInfo> ReadChipParameters(const std::filesystem::path& dataDirectory,
                                         const std::string& chipName);

// Chips whose ChipType names a converter library, and the one chip of the model converter,
// are not converted by internal number and have no option template.
bool UsesFamilyConverter(const ICInfo& chip);

enum class PackageOutline { DualInLine, Quad };

struct PackageShape {
    PackageOutline outline = PackageOutline::DualInLine;
    int pins = 0;
    std::string style;  // "DIP", "SOP", "LQFP" ...
};

// "SOP16 01" gives a dual-in-line outline with 16 pins; nullopt for a name whose pin count is
// missing, odd, too large, or does not fit its outline.
std::optional<PackageShape> ParsePackage(const std::string& packageName);

// The two directories every generator takes: --data (the data/ folder) and --out (the base
// directory). Prints the usage line and returns nothing when one is missing.
struct GeneratorDirectories {
    std::filesystem::path data;
    std::filesystem::path out;
};
std::optional<GeneratorDirectories> ParseGeneratorArguments(int argc, char** argv,
                                                            const char* programName);

}  // namespace vexlor::datagen
