#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "core/chipdb/ChipListView.h"

namespace vexlor {

// The four unsorted list boxes of IC Type Select: entries in catalogue order and the
// selection of each (-1 for none). Emptying a list drops its selection, as a list box does.
class ChipListsModel : public ChipListView {
  public:
    void clear(ChipList which) override;
    void add(ChipList which, std::string_view text) override;

    const std::vector<std::string>& items(ChipList which) const { return items_[at(which)]; }
    int selection(ChipList which) const { return selection_[at(which)]; }
    // Selecting outside the list leaves it without a selection.
    void select(ChipList which, int index);
    // The selected entry's text; empty without a selection.
    std::string selectedText(ChipList which) const;

  private:
    static std::size_t at(ChipList which) { return static_cast<std::size_t>(which); }

    std::array<std::vector<std::string>, 4> items_;
    std::array<int, 4> selection_{-1, -1, -1, -1};
};

}  // namespace vexlor
