#include "FirmwareFamilies.h"

#include <array>
#include <utility>

namespace vexlor::datagen {

std::optional<FirmwareIdentity> FamilyFirmware(std::string_view fwFile) {
    static constexpr std::array<std::pair<std::string_view, FirmwareIdentity>, 9> kFamilies{{
        {"KLW20_V70.nce", {0x1600, 0x0213}},
        {"KLW20_R64.nce", {0x1390, 0x0208}},
        {"KLW20_N14.nce", {0x2750, 0x0105}},
        {"KLW20_EEP.nce", {0x1638, 0x0102}},
        {"KLW20_37.nce", {0x0037, 0x0321}},
        {"KLW20_27.nce", {0x0027, 0x0117}},
        {"KLW20_28.nce", {0x0028, 0x0124}},
        {"KLW20_89.nce", {0x0089, 0x0230}},
        {"KLW20_USB.nce", {0x0055, 0x0110}},
    }};
    for (const auto& [name, identity] : kFamilies) {
        if (name == fwFile) {
            return identity;
        }
    }
    return std::nullopt;
}

}  // namespace vexlor::datagen
