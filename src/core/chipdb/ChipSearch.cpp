#include "core/chipdb/ChipSearch.h"

#include <unordered_set>

#include "core/chipdb/CatalogueEntries.h"
#include "core/chipdb/XmlFile.h"

namespace vexlor {

namespace {

pugi::xml_node shownChipSeries(pugi::xml_node root) {
    pugi::xml_node shown;
    for (pugi::xml_node child = root.first_child(); child; child = child.next_sibling()) {
        if (IsNamed(child, "ChipSeries")) {
            shown = child;
        }
    }
    return shown;
}

// Visits every chip with its path; stops when visit returns false.
template <typename Visit>
void walkChips(const pugi::xml_document& document, Visit&& visit) {
    const pugi::xml_node chipSeries = shownChipSeries(document.document_element());
    ChipPath path;
    for (pugi::xml_node type = chipSeries.first_child(); type; type = type.next_sibling()) {
        if (!IsCatalogueEntry(type)) {
            continue;
        }
        const pugi::xml_attribute typeText = type.attribute("type");
        path.type = typeText.value();
        path.seriesIndex = 0;
        for (pugi::xml_node series = type.first_child(); typeText && series;
             series = series.next_sibling()) {
            if (!IsCatalogueEntry(series)) {
                continue;
            }
            const pugi::xml_attribute seriesName = series.attribute("name");
            path.series = seriesName.value();
            path.nameIndex = 0;
            for (pugi::xml_node chip = series.first_child(); seriesName && chip;
                 chip = chip.next_sibling()) {
                if (!IsCatalogueEntry(chip)) {
                    continue;
                }
                const pugi::xml_attribute chipName = chip.attribute("name");
                path.name = chipName.value();
                if (chipName && !visit(path)) {
                    return;
                }
                ++path.nameIndex;
            }
            ++path.seriesIndex;
        }
        ++path.typeIndex;
    }
}

}  // namespace

bool FindChipInCatalogue(const std::filesystem::path& catalogue, std::string_view chipName,
                         ChipPath& found) {
    pugi::xml_document document;
    return LoadXmlFile(catalogue, document) == XmlLoad::Loaded &&
           FindChipInCatalogue(document, chipName, found);
}

bool FindChipInCatalogue(const pugi::xml_document& catalogue, std::string_view chipName,
                         ChipPath& found) {
    bool matched = false;
    walkChips(catalogue, [&](const ChipPath& path) {
        if (path.name != chipName) {
            return true;
        }
        found = path;
        matched = true;
        return false;
    });
    return matched;
}

std::vector<ChipPath> FilterChipsInCatalogue(const std::filesystem::path& catalogue,
                                             std::string_view text) {
    pugi::xml_document document;
    if (LoadXmlFile(catalogue, document) != XmlLoad::Loaded) {
        return {};
    }
    return FilterChipsInCatalogue(document, text);
}

std::vector<ChipPath> FilterChipsInCatalogue(const pugi::xml_document& catalogue,
                                             std::string_view text) {
    std::vector<ChipPath> matches;
    std::unordered_set<std::string> listed;
    walkChips(catalogue, [&](const ChipPath& path) {
        if (path.name.find(text) != std::string::npos && listed.insert(path.name).second) {
            matches.push_back(path);
        }
        return true;
    });
    return matches;
}

}  // namespace vexlor
