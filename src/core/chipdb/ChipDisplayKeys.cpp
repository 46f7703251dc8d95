#include "core/chipdb/ChipDisplayKeys.h"

#include <array>

namespace vexlor {

namespace {

constexpr const char* kSelect = "ICSelectDisplay";
constexpr const char* kMenu = "MenuOperationDisplay";

constexpr std::array kKeys{
    ChipDisplayKey{nullptr, "IcTransfileforPath", &ChipDisplayInfo::IcTransfileforPath},
    ChipDisplayKey{kMenu, "MenuSerial_Num", &ChipDisplayInfo::MenuSerial_Num},
    ChipDisplayKey{kMenu, "MenuCompare_File", &ChipDisplayInfo::MenuCompare_File},
    ChipDisplayKey{kMenu, "MenuSet_Protect", &ChipDisplayInfo::MenuSet_Protect},
    ChipDisplayKey{kMenu, "MenuRead_ChipInfo", &ChipDisplayInfo::MenuRead_ChipInfo},
    ChipDisplayKey{kSelect, "MassProduction", &ChipDisplayInfo::MassProduction},
    ChipDisplayKey{kSelect, "ProductionLimit", &ChipDisplayInfo::ProductionLimit},
    ChipDisplayKey{kSelect, "ExHVISP", &ChipDisplayInfo::ExHVISP},
    ChipDisplayKey{kSelect, "ISP", &ChipDisplayInfo::ISP},
    ChipDisplayKey{kSelect, "EraseMode", &ChipDisplayInfo::EraseMode},
    ChipDisplayKey{kSelect, "Buzzer", &ChipDisplayInfo::Buzzer},
    ChipDisplayKey{kSelect, "RollingCode", &ChipDisplayInfo::RollingCode},
    ChipDisplayKey{nullptr, "HextoBinMode", &ChipDisplayInfo::HextoBinMode},
    ChipDisplayKey{nullptr, "SetProtectMode", &ChipDisplayInfo::SetProtectMode},
    ChipDisplayKey{nullptr, "HaveSmartOPT", &ChipDisplayInfo::HaveSmartOPT},
    ChipDisplayKey{nullptr, "FuseCheckBoxDisplay", &ChipDisplayInfo::FuseCheckBoxDisplay},
};

}  // namespace

std::span<const ChipDisplayKey> ChipDisplayKeys() {
    return kKeys;
}

}  // namespace vexlor
