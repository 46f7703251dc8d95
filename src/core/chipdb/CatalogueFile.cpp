#include "core/chipdb/CatalogueFile.h"

#include <string>

#include "core/chipdb/XmlFile.h"

namespace vexlor {

std::filesystem::path CatalogueFilePath(const std::filesystem::path& baseDirectory, int selector) {
    switch (selector) {
        case kChipListKLW20:
            return baseDirectory / "ChipList" / "KLW20_mcu.xml";
        case kChipListKLW21:
            return baseDirectory / "ChipList" / "KLW21_mcu.xml";
        default:
            return {};
    }
}

std::filesystem::path ICInfoFilePath(const std::filesystem::path& baseDirectory,
                                     std::string_view chipName) {
    if (!IsPlainFileName(chipName)) {
        return {};
    }
    return baseDirectory / "ICInfo" / (std::string(chipName) + ".ic");
}

}  // namespace vexlor
