#include "core/select/ChipListsModel.h"

namespace vexlor {

void ChipListsModel::clear(ChipList which) {
    items_[at(which)].clear();
    selection_[at(which)] = -1;
}

void ChipListsModel::add(ChipList which, std::string_view text) {
    items_[at(which)].emplace_back(text);
}

void ChipListsModel::select(ChipList which, int index) {
    const auto& list = items_[at(which)];
    const bool inside = index >= 0 && static_cast<std::size_t>(index) < list.size();
    selection_[at(which)] = inside ? index : -1;
}

std::string ChipListsModel::selectedText(ChipList which) const {
    const int index = selection_[at(which)];
    return index < 0 ? std::string() : items_[at(which)][static_cast<std::size_t>(index)];
}

}  // namespace vexlor
