#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vexlor {

// One setting of an option-word field.
struct SysCfgChoice {
    std::string Text;
    std::int32_t Value = 0;

    bool operator==(const SysCfgChoice&) const = default;
};

// One bit field of a chip's configuration word, from its decoded option definition file.
struct SysCfgField {
    std::string Name;
    std::uint32_t Location = 0;
    std::int32_t StartBit = 0;
    std::int32_t Length = 0;
    std::int32_t Enable = 0;
    std::string Description;
    std::vector<SysCfgChoice> Options;

    bool operator==(const SysCfgField&) const = default;
};

}  // namespace vexlor
