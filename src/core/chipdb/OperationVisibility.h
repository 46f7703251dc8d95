#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "core/base/Operator.h"

namespace vexlor {

struct OperationVisibilityEntry {
    std::string name;
    std::string value;

    bool operator==(const OperationVisibilityEntry&) const = default;
};

// Which operation buttons the main window shows: an entry's button is shown when its value is
// "1". The table ends at the entry with an empty name.
using OperationVisibilityTable = std::array<OperationVisibilityEntry, 6>;

OperationVisibilityTable InitialOperationVisibility();

// Sets the value of every entry named by a child element of the file's root to that element's
// text. Returns true when the file was read. A missing file is not an error: the table stays
// as it is and nothing is shown. A file that cannot be parsed is reported and changes nothing.
bool ReadOperationVisibility(Operator& op, const std::filesystem::path& file,
                             OperationVisibilityTable& table);

}  // namespace vexlor
