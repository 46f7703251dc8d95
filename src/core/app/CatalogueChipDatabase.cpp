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
        auto path = CatalogueFilePath(document_.baseDirectory(), selector_);
        for (const ChipPath& chip : FilterChipsInCatalogue(path, "")) {
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
