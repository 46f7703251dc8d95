#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/Operator.h"
#include "core/chipdb/ChipSearch.h"

namespace vexlor {

// The chip search dialog without widgets: the search text (always in capitals, as the edit
// shows it), the chips whose names contain it, and the list selection. Every change of the
// text reads the catalogue again.
class ChipSearchModel {
  public:
    explicit ChipSearchModel(std::filesystem::path catalogue) : catalogue_(std::move(catalogue)) {}

    // What the edit now holds; letters become capitals.
    void setText(std::string_view text);
    // A click on a list entry puts its name into the edit.
    void selectEntry(int index);

    const std::string& text() const { return text_; }
    const std::vector<std::string>& names() const { return names_; }
    int selection() const { return selection_; }

  private:
    std::filesystem::path catalogue_;
    std::string text_;
    std::vector<std::string> names_;
    int selection_ = -1;
};

// The edit style of the search field: ASCII letters in capitals, everything else unchanged.
std::string UpperCaseSearchText(std::string_view text);

// After the search dialog has closed, however it closed: the chip the text names, or nothing
// (an empty text says nothing; an unknown name is reported as "Can't find <text>").
std::optional<ChipPath> LookUpSearchedChip(const std::filesystem::path& catalogue,
                                           std::string_view text, Operator& op);

}  // namespace vexlor
