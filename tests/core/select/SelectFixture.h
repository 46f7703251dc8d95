#pragma once

#include <string>

#include "support/ScratchDir.h"

namespace vexlor::test {

// Catalogue entry text for one chip with the six mode keys in the order Display Serial
// Number (RollingCode), Mass Production, Production Limit, EXHV ISP, ISP, Whole Chip Erase.
std::string ChipEntry(const std::string& name, const std::string& modeKeys,
                      const std::string& packages = "", int haveSmartOpt = 0);

// A small catalogue of two MCU types (the second holding one chip under two series; one name
// with a lower-case letter; one name contained in an earlier one) as ChipList/KLW20_mcu.xml
// and, with packages, as ChipList/KLW21_mcu.xml, plus an ICInfo file per chip; the mode keys
// follow the order of ChipEntry.
void WriteSampleCatalogue(const ScratchDir& base);
void WriteICInfoFile(const ScratchDir& base, const std::string& chip, const std::string& inside);

}  // namespace vexlor::test
