#include "core/app/CatalogueChipDatabase.h"

#include "core/chipdb/CatalogueFile.h"
#include "core/chipdb/ChipSearch.h"

namespace vexlor {

bool CatalogueChipDatabase::isChipFamilyName(std::string_view chipName) const {
    if (chipName.size() < 2) {
        return false;
    }
    if (!families_) {
        families_.emplace();
        // The document's own parse: the chip's display information is read from it next.
        const pugi::xml_document* catalogue = document_.catalogue(selector_);
        if (!catalogue) {
            return false;
        }
        for (const ChipPath& chip : FilterChipsInCatalogue(*catalogue, "")) {
            if (chip.name.size() >= 2) {
                families_->insert(chip.name.substr(0, 2));
            }
        }
    }
    return families_->contains(chipName.substr(0, 2));
}

void CatalogueChipDatabase::ReadChipDisplayInfo(const std::string& chipName) {
    document_.ReadChipDisplayInfo(chipName, selector_);
}

bool CatalogueChipDatabase::ReadICInfo(const std::string& chipName) {
    return document_.ReadICInfo(chipName) != 0;
}

}  // namespace vexlor
