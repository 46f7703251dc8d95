#pragma once

#include <filesystem>

namespace vexlor {

// The selector of the catalogue file; everything in the system sets it to 1.
inline constexpr int kChipListKLW20 = 1;
inline constexpr int kChipListKLW21 = 2;

// base / ChipList / KLW20_mcu.xml for selector 1, KLW21_mcu.xml for 2, and an empty path (which
// no reader can open) for any other value.
std::filesystem::path CatalogueFilePath(const std::filesystem::path& baseDirectory, int selector);

// base / ICInfo / <chip name>.ic; empty (never opened) for a name that is not a plain file name.
std::filesystem::path ICInfoFilePath(const std::filesystem::path& baseDirectory,
                                     std::string_view chipName);

}  // namespace vexlor
