#include "core/app/FuseChoices.h"

namespace vexlor {

namespace {

std::int32_t boxValue(std::int32_t choice) {
    return choice == -1 ? -1 : (choice == 0 ? 1 : 0);
}

std::int32_t choiceValue(std::int32_t box) {
    return box == -1 ? -1 : (box == 0 ? 1 : 0);
}

}  // namespace

FuseValues FuseValuesFromChoices(const OptionChoices& c) {
    return {boxValue(c.protect), boxValue(c.mode), boxValue(c.clock)};
}

OptionChoices ChoicesFromFuseValues(const FuseValues& v) {
    return {choiceValue(v.protect), choiceValue(v.mode), choiceValue(v.clock)};
}

std::optional<FuseValues> FuseValuesFromHeader(std::int32_t setProtectMode, const OptionHeader& h) {
    switch (setProtectMode) {
        case 1:
            return FuseValues{h[36] & 1};
        case 2:
            return FuseValues{h[37] & 1};
        case 3:
            return FuseValues{~h[43] & 1};
        case 4:
            return FuseValues{h[130] & 1};
        case 5:
            return FuseValues{h[36] & 1, (h[36] >> 1) & 1, (h[36] >> 2) & 1};
        case 9:
            return FuseValues{~h[130] & 3};
        default:
            return std::nullopt;
    }
}

}  // namespace vexlor
