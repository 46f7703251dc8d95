#include "core/select/IcTypeSelectModel.h"

namespace vexlor {

bool IcTypeSelectModel::open(std::int32_t chipListSelector, bool writerConnected) {
    selector_ = chipListSelector;
    if (!writerConnected) {
        operator_.message("Writer was not connected", "Message", MessageIcon::Stop);
    }
    if (document_.LoadChipLists(lists_, 0, 0, 0, selector_) == 0) {
        operator_.message("Read Chip List Error!!", "Message", MessageIcon::Stop);
        return false;
    }
    lists_.select(ChipList::McuType, 0);
    lists_.select(ChipList::ChipSeries, 0);
    lists_.select(ChipList::ChipName, 0);
    selectFirstPackage();
    labels_ = IcTypeSelectLabels{};
    showSelectedTexts();
    modes_.resetData();
    applyChipSpecialCases();
    modes_.showData();
    return true;
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
