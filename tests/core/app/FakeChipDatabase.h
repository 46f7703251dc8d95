#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "core/app/ChipDatabase.h"

namespace vexlor::test {

// A catalogue of a few chips whose families are the first two characters of their names.
class FakeChipDatabase : public ChipDatabase {
  public:
    struct Chip {
        ChipDisplayInfo display;
        ICInfo ic;
        bool hasIcFile = true;
    };

    void add(const std::string& name, Chip chip) { chips_[name] = std::move(chip); }

    bool isChipFamilyName(std::string_view chipName) const override {
        return std::ranges::any_of(chips_, [&](const auto& chip) {
            return chipName.substr(0, 2) == std::string_view(chip.first).substr(0, 2);
        });
    }
    void ReadChipDisplayInfo(const std::string& chipName) override {
        displayReads.push_back(chipName);
        auto found = chips_.find(chipName);
        if (found != chips_.end()) {
            display_ = found->second.display;
        }
    }
    bool ReadICInfo(const std::string& chipName) override {
        icReads.push_back(chipName);
        auto found = chips_.find(chipName);
        ic_ = ICInfo{};
        if (found == chips_.end() || !found->second.hasIcFile) {
            return false;
        }
        ic_ = found->second.ic;
        return true;
    }
    const ChipDisplayInfo& displayInfo() const override { return display_; }
    const ICInfo& icInfo() const override { return ic_; }

    std::vector<std::string> displayReads;
    std::vector<std::string> icReads;

  private:
    std::map<std::string, Chip> chips_;
    ChipDisplayInfo display_;
    ICInfo ic_;
};

}  // namespace vexlor::test
