#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/Operator.h"
#include "core/chipdb/ChipSearch.h"

namespace vexlor {

// How the chip search dialog was closed.
enum class SearchClosing {
    Ok,         // OK or Enter
    Cancel,     // the Cancel button: nothing is looked up
    Dismissed,  // Esc or the close box: the text as typed is looked up
};

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
    // The keyboard moved onto a list entry: its name goes into the edit, the list stays as it
    // is so the operator can move on through it.
    void highlightEntry(int index);

    // The name IC Type Select looks up after the dialog closed: OK on a text that names no chip
    // takes the one chip listed, if only one is.
    std::string lookUpText(SearchClosing closing) const;

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
