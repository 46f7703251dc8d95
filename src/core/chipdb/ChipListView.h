#pragma once

#include <string_view>

namespace vexlor {

// The four cascading lists of IC Type Select, as the catalogue reader fills them.
enum class ChipList { McuType, ChipSeries, ChipName, Packages };

class ChipListView {
  public:
    virtual ~ChipListView() = default;
    virtual void clear(ChipList which) = 0;
    virtual void add(ChipList which, std::string_view text) = 0;
};

}  // namespace vexlor
