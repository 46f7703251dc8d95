#include "core/smartopt/SmartOptionPage.h"

#include "core/base/Diagnostics.h"
#include "core/smartopt/OptionSelections.h"

namespace vexlor {

namespace {

constexpr const char* kLabelEnd = " : ";

int shownSelection(int selection, std::size_t settingCount) {
    return selection >= 0 && static_cast<std::size_t>(selection) < settingCount ? selection : -1;
}

}  // namespace

std::string SmartOptionTitle(std::uint32_t word) {
    return format("Smart Option [ System config : %04X ]", word);
}

SmartOptionPage TemplatePage(const SmartOptionBlock& block, std::uint32_t word) {
    SmartOptionPage page{SmartOptionTitle(word), {}};
    for (std::size_t i = 0; i < block.items.size(); ++i) {
        const SmartOptionItem& item = block.items[i];
        const int selection = i < kSelectionEntries ? block.selections[i] : -1;
        page.rows.push_back({item.name + kLabelEnd, item.settings,
                             shownSelection(selection, item.settings.size()), !item.switchLine});
    }
    return page;
}

SmartOptionPage DefinitionPage(const std::vector<SysCfgField>& fields, std::uint32_t word) {
    SmartOptionPage page{SmartOptionTitle(word), {}};
    const bool numbered = fields.size() >= 2;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const SysCfgField& field = fields[i];
        SmartOptionRow row;
        row.label = (numbered ? format("%02d. ", static_cast<int>(i + 1)) : std::string()) +
                    field.Name + kLabelEnd;
        for (const SysCfgChoice& choice : field.Options) {
            row.settings.push_back(choice.Text);
        }
        row.selection = DefinitionSelection(field, word);
        page.rows.push_back(std::move(row));
    }
    return page;
}

}  // namespace vexlor
