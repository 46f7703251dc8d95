#include "core/select/IcTypeSelectModel.h"

#include "core/chipdb/ChipSearch.h"
#include "core/select/ProductionLimitCount.h"

namespace vexlor {

bool IcTypeSelectModel::open(std::int32_t chipListSelector,
                             const std::optional<CurrentChoice>& current) {
    selector_ = chipListSelector;
    ChipPath start;
    const pugi::xml_document* catalogue = current ? document_.catalogue(selector_) : nullptr;
    const bool onCurrent =
        catalogue != nullptr && FindChipInCatalogue(*catalogue, current->chipName, start);
    if (!onCurrent) {
        start = ChipPath{};
    }
    if (document_.LoadChipLists(lists_, start.typeIndex, start.seriesIndex, start.nameIndex,
                                selector_) == 0) {
        operator_.message("Read Chip List Error!!", "Message", MessageIcon::Stop);
        return false;
    }
    lists_.select(ChipList::McuType, start.typeIndex);
    lists_.select(ChipList::ChipSeries, start.seriesIndex);
    lists_.select(ChipList::ChipName, start.nameIndex);
    selectFirstPackage();
    labels_ = IcTypeSelectLabels{};
    showSelectedTexts();
    modes_.resetData();
    applyChipSpecialCases();
    modes_.showData();
    if (onCurrent) {
        checkModes(current->modes);
    }
    return true;
}

void IcTypeSelectModel::checkModes(const ModeData& modes) {
    for (std::size_t i = 0; i < kModeBoxCount; ++i) {
        const auto box = static_cast<ModeBox>(i);
        const BoxControl& control = modes_.controls()[box];
        if (modes[box] == 1 && control.enabled && !control.checked) {
            modes_.click(box, true);
        }
    }
    if (modes_.controls().countEnabled &&
        ParseProductionLimitCount(std::to_string(modes.productionLimitCount)).accepted) {
        modes_.setCountText(std::to_string(modes.productionLimitCount));
    }
    modes_.takeData();
}

void IcTypeSelectModel::reload(int typeIndex, int seriesIndex, int nameIndex) {
    // A failed read has told the operator; the lists stay as the reader left them.
    document_.LoadChipLists(lists_, typeIndex, seriesIndex, nameIndex, selector_);
    lists_.select(ChipList::McuType, typeIndex);
    lists_.select(ChipList::ChipSeries, seriesIndex);
    lists_.select(ChipList::ChipName, nameIndex);
    selectFirstPackage();
    showSelectedTexts();
    applyChipSpecialCases();
    takeData();
}

void IcTypeSelectModel::selectMcuType(int index) {
    reload(index, 0, 0);
}

void IcTypeSelectModel::selectChipSeries(int index) {
    reload(lists_.selection(ChipList::McuType), index, 0);
}

void IcTypeSelectModel::selectChipName(int index) {
    reload(lists_.selection(ChipList::McuType), lists_.selection(ChipList::ChipSeries), index);
}

void IcTypeSelectModel::selectPackage(int index) {
    lists_.select(ChipList::Packages, index);
    if (packagesShown()) {
        labels_.package = lists_.selectedText(ChipList::Packages);
    }
}

void IcTypeSelectModel::jumpTo(int typeIndex, int seriesIndex, int chipIndex) {
    selectMcuType(typeIndex);
    selectChipSeries(seriesIndex);
    selectChipName(chipIndex);
    selectPackage(0);
}

void IcTypeSelectModel::selectFirstPackage() {
    if (packagesShown()) {
        lists_.select(ChipList::Packages, 0);
    }
}

void IcTypeSelectModel::showSelectedTexts() {
    labels_.mcuType = labels_.seriesValue = lists_.selectedText(ChipList::McuType);
    labels_.chipSeries = lists_.selectedText(ChipList::ChipSeries);
    labels_.chipName = labels_.icTypeValue = lists_.selectedText(ChipList::ChipName);
    if (packagesShown()) {
        labels_.package = lists_.selectedText(ChipList::Packages);
    }
}

void IcTypeSelectModel::applyChipSpecialCases() {
    document_.ReadICInfo(labels_.chipName);
    modes_.applyChipSpecialCases(document_.chipDisplayInfo(), labels_.chipName);
}

void IcTypeSelectModel::takeData() {
    if (auto refusal = modes_.takeData()) {
        operator_.message(*refusal, kDefaultCaption, MessageIcon::Exclamation);
    }
}

void IcTypeSelectModel::clickMode(ModeBox box, bool checked) {
    modes_.click(box, checked);
}

void IcTypeSelectModel::editCount(std::string text) {
    const bool typing = text.empty();
    modes_.setCountText(std::move(text));
    // An edit emptied on the way to a new number is not refused until the data are taken.
    if (!typing) {
        takeData();
    }
}

bool IcTypeSelectModel::accept() {
    if (auto refusal = modes_.takeData()) {
        operator_.message(*refusal, kDefaultCaption, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

IcTypeSelection IcTypeSelectModel::selection() const {
    return IcTypeSelection{labels_.package, modes_.data()};
}

}  // namespace vexlor
