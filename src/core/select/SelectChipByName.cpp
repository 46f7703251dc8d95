#include "core/select/SelectChipByName.h"

#include "core/chipdb/ChipSearch.h"
#include "core/select/ProductionLimitCount.h"

namespace vexlor {

namespace {

std::string checkedModes(const ModeControls& controls) {
    std::string names;
    for (std::size_t i = 0; i < kModeBoxCount; ++i) {
        if (controls.boxes[i].checked) {
            names += (names.empty() ? "" : ", ") + std::string(ModeName(static_cast<ModeBox>(i)));
        }
    }
    return names;
}

// Checks the requested modes in the model; the reason when one of them cannot be checked.
std::string checkModes(const ChipRequest& request, const ChipDisplayInfo& keys,
                       IcTypeSelectModel& model) {
    for (ModeBox mode : request.modes) {
        const BoxControl box = model.modes().controls()[mode];
        if (box.checked) {
            continue;  // forced on for this chip, or asked for twice
        }
        if (ModeKey(keys, mode) == 0) {
            return request.chipName + " does not allow " + ModeName(mode);
        }
        if (!box.enabled) {
            return std::string(ModeName(mode)) + " cannot go with " +
                   checkedModes(model.modes().controls());
        }
        model.clickMode(mode, true);
    }
    if (request.productionLimitCount && model.modes().controls().countEnabled) {
        const CountEntry entry = ParseProductionLimitCount(*request.productionLimitCount);
        if (!entry.accepted) {
            return entry.refusal;
        }
        model.editCount(*request.productionLimitCount);
    }
    return {};
}

}  // namespace

ChipRequestResult SelectChipByName(const ChipRequest& request, AppContext& context, Operator& op) {
    ChipRequestResult result;
    auto drive = [&]() -> std::optional<IcTypeSelection> {
        const std::int32_t selector = context.shell.chipListSelector;
        const pugi::xml_document* catalogue = context.chipXml.catalogue(selector);
        ChipPath path;
        if (catalogue != nullptr && !FindChipInCatalogue(*catalogue, request.chipName, path)) {
            result.refusal = "Can't find " + request.chipName;
            result.unknownChip = true;
            return std::nullopt;
        }
        // Opened on the chip, as on the main window's chip: no other chip's keys or parameter
        // file are read on the way. An unreadable catalogue fails here with the lists' messages.
        IcTypeSelectModel model(context.chipXml, op);
        if (!model.open(selector, CurrentChoice{request.chipName, {}})) {
            result.refusal = "can't list the chip catalogue";
            return std::nullopt;
        }
        result.refusal = checkModes(request, context.chipXml.chipDisplayInfo(), model);
        if (result.refusal.empty() && !model.accept()) {
            result.refusal = "the production-limit count was refused";
        }
        if (!result.refusal.empty()) {
            return std::nullopt;
        }
        return model.selection();
    };
    result.outcome = RunDeviceCommand(drive, context, op);
    return result;
}

}  // namespace vexlor
