#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/chipdb/SysCfgField.h"
#include "core/smartopt/OptionTemplate.h"

namespace vexlor {

// One row of the Smart Option dialog: the label, the drop-down list's settings and the setting
// it shows (-1: none).
struct SmartOptionRow {
    std::string label;
    std::vector<std::string> settings;
    int selection = -1;
    // Drawn in blue: the template does not say where the item sits in the word.
    bool unmapped = false;

    bool operator==(const SmartOptionRow&) const = default;
};

struct SmartOptionPage {
    std::string title;
    std::vector<SmartOptionRow> rows;
};

std::string SmartOptionTitle(std::uint32_t word);

// The template items with their selections; items past the nine selection entries show none.
SmartOptionPage TemplatePage(const SmartOptionBlock& block, std::uint32_t word);

// The option definition fields, numbered like template items, each showing the setting the
// word holds.
SmartOptionPage DefinitionPage(const std::vector<SysCfgField>& fields, std::uint32_t word);

}  // namespace vexlor
