#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

namespace vexlor {

// Where a chip sits in the catalogue lists: each index is what IC Type Select must select in
// its MCU Type, Chip Series and Chip Name lists to reach the chip.
struct ChipPath {
    std::string type;
    int typeIndex = 0;
    std::string series;
    int seriesIndex = 0;
    std::string name;
    int nameIndex = 0;

    bool operator==(const ChipPath&) const = default;
};

// The search reads attributes by name (type on MCU types, name on series and chips). It walks
// the ChipSeries element the lists show (the last one) and counts positions exactly as the
// lists do, so an entry that lacks its attribute cannot be found but never shifts the others.
// A catalogue that cannot be read finds nothing; the caller reports the name.

// The first chip in catalogue order whose name equals chipName exactly.
bool FindChipInCatalogue(const std::filesystem::path& catalogue, std::string_view chipName,
                         ChipPath& found);
// The same in a catalogue already parsed.
bool FindChipInCatalogue(const pugi::xml_document& catalogue, std::string_view chipName,
                         ChipPath& found);

// Every chip whose name contains text (case-sensitive), in catalogue order, each name once.
std::vector<ChipPath> FilterChipsInCatalogue(const std::filesystem::path& catalogue,
                                             std::string_view text);
// The same in a catalogue already parsed.
std::vector<ChipPath> FilterChipsInCatalogue(const pugi::xml_document& catalogue,
                                             std::string_view text);

}  // namespace vexlor
