#include "core/select/ChipSearchModel.h"

#include "core/base/Diagnostics.h"

namespace vexlor {

std::string UpperCaseSearchText(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

void ChipSearchModel::setText(std::string_view text) {
    text_ = UpperCaseSearchText(text);
    names_.clear();
    selection_ = -1;
    for (const ChipPath& match : FilterChipsInCatalogue(catalogue_, text_)) {
        names_.push_back(match.name);
    }
    ChipPath exact;
    if (!names_.empty() && FindChipInCatalogue(catalogue_, text_, exact)) {
        selection_ = 0;
    }
}

void ChipSearchModel::selectEntry(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= names_.size()) {
        return;
    }
    const std::string name = names_[static_cast<std::size_t>(index)];
    setText(name);
}

void ChipSearchModel::highlightEntry(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= names_.size()) {
        return;
    }
    text_ = names_[static_cast<std::size_t>(index)];
    selection_ = index;
}

std::string ChipSearchModel::lookUpText(SearchClosing closing) const {
    switch (closing) {
        case SearchClosing::Cancel:
            return {};
        case SearchClosing::Ok:
            if (names_.size() == 1) {
                return names_.front();
            }
            break;
        case SearchClosing::Dismissed:
            break;
    }
    return text_;
}

std::optional<ChipPath> LookUpSearchedChip(const std::filesystem::path& catalogue,
                                           std::string_view text, Operator& op) {
    if (text.empty()) {
        return std::nullopt;
    }
    ChipPath found;
    if (!FindChipInCatalogue(catalogue, text, found)) {
        op.message(format("Can't find %.*s", static_cast<int>(text.size()), text.data()));
        return std::nullopt;
    }
    return found;
}

}  // namespace vexlor
