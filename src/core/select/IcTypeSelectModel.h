#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/base/Operator.h"
#include "core/chipdb/ReadChipXml.h"
#include "core/select/ChipListsModel.h"
#include "core/select/ModeSelection.h"

namespace vexlor {

// The static texts of IC Type Select: one above each list, and the MCU type and chip name
// again after "Series :" and "IC Type :".
struct IcTypeSelectLabels {
    std::string mcuType;
    std::string chipSeries;
    std::string chipName;
    std::string package;
    std::string seriesValue;
    std::string icTypeValue;

    bool operator==(const IcTypeSelectLabels&) const = default;
};

// The main window's chip and modes, which the dialog opens on when the catalogue holds the chip.
struct CurrentChoice {
    std::string chipName;
    ModeData modes;
};

// What the dialog hands back on OK.
struct IcTypeSelection {
    std::string packageName;
    ModeData modes;
};

// IC Type Select without widgets: the lists, labels and mode boxes, and what every operator
// action does to them and to the chip-database document. The dialog renders this state after
// each action. Every selection change re-reads the catalogue and the chip's parameter file,
// which overwrites the document's records; keeping the previous chip is the caller's business.
class IcTypeSelectModel {
  public:
    IcTypeSelectModel(ReadChipXml& document, Operator& op) : document_(document), operator_(op) {}

    // Start of the dialog, on the current chip and its modes or else on the first chip. False
    // when the catalogue cannot be listed: the dialog then ends as cancelled.
    bool open(std::int32_t chipListSelector, const std::optional<CurrentChoice>& current = {});

    void selectMcuType(int index);
    void selectChipSeries(int index);
    void selectChipName(int index);
    void selectPackage(int index);
    // The chip search found a chip at these catalogue positions: walk the lists down to it.
    void jumpTo(int typeIndex, int seriesIndex, int chipIndex);

    void clickMode(ModeBox box, bool checked);
    void editCount(std::string text);

    // OK: false (the dialog stays open) when the count is refused.
    bool accept();
    IcTypeSelection selection() const;

    const ReadChipXml& document() const { return document_; }
    const ChipListsModel& lists() const { return lists_; }
    const IcTypeSelectLabels& labels() const { return labels_; }
    const ModeSelection& modes() const { return modes_; }
    bool packagesShown() const { return selector_ == 2; }
    std::int32_t chipListSelector() const { return selector_; }

  private:
    void reload(int typeIndex, int seriesIndex, int nameIndex);
    void selectFirstPackage();
    void showSelectedTexts();
    void applyChipSpecialCases();
    void takeData();
    // Checks the modes the chip still allows, as the operator's clicks would.
    void checkModes(const ModeData& modes);

    ReadChipXml& document_;
    Operator& operator_;
    std::int32_t selector_ = 1;
    ChipListsModel lists_;
    IcTypeSelectLabels labels_;
    ModeSelection modes_;
};

}  // namespace vexlor
