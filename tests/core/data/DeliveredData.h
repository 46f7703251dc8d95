#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/chipdb/ChipDisplayInfo.h"
#include "core/chipdb/ICInfo.h"

namespace vexlor::test {

// One catalogue chip as the program's own readers see it in the laid-out base directory.
struct DeliveredChip {
    std::string mcuType;
    std::string series;
    std::string name;
    std::vector<std::string> packages;  // from the second catalogue
    ChipDisplayInfo keys;
    ICInfo info;
    bool icRead = false;
    std::vector<std::string> messages;  // what the readers told the operator
};

struct DeliveredData {
    std::filesystem::path base;
    std::vector<DeliveredChip> chips;  // first catalogue, in file order
    std::vector<std::string> secondCatalogueNames;
    std::map<std::string, std::size_t> byName;
    const DeliveredChip* find(const std::string& name) const;
};

// Read once per test program: every chip costs a full catalogue parse.
const DeliveredData& Delivered();

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& file);

}  // namespace vexlor::test
