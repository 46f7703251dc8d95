#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "core/app/ChipDatabase.h"
#include "core/chipdb/ReadChipXml.h"

namespace vexlor {

// The chip-database document with the chip families of its catalogue: the first two
// characters of every chip name the catalogue lists.
class CatalogueChipDatabase final : public ChipDatabase {
  public:
    CatalogueChipDatabase(ReadChipXml& document, const std::int32_t& chipListSelector)
        : document_(document), selector_(chipListSelector) {}

    bool isChipFamilyName(std::string_view chipName) const override;
    void ReadChipDisplayInfo(const std::string& chipName) override;
    bool ReadICInfo(const std::string& chipName) override;
    const ChipDisplayInfo& displayInfo() const override { return document_.chipDisplayInfo(); }
    const ICInfo& icInfo() const override { return document_.icInfo(); }

  private:
    ReadChipXml& document_;
    const std::int32_t& selector_;
    // Read once: the catalogue does not change while the program runs.
    mutable std::optional<std::set<std::string, std::less<>>> families_;
};

}  // namespace vexlor
