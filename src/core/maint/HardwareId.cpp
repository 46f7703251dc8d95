#include "core/maint/HardwareId.h"

#include "core/base/Diagnostics.h"

namespace vexlor {

namespace {

struct HardwareModel {
    std::uint8_t b3;
    std::uint8_t b4;
    std::string_view name;
};
constexpr std::array<HardwareModel, 3> kHardwareModels{{
    {0x09, 0x00, "KLW2x"},
    {0x01, 0x00, "KLW300"},
    {0x01, 0x01, "KLW300A"},
}};

}  // namespace

std::optional<HardwareId> ReadHardwareId(Writer& writer) {
    if (!writer.connection().usesAccessLibrary()) {
        return std::nullopt;
    }
    HardwareId id{};
    if (!writer.ReceiveData(cmd::kHardwareId, id.data(), static_cast<std::uint32_t>(id.size()))) {
        return std::nullopt;
    }
    writer.connection().diagnostics().printf("rolling code:%x %x %x %x %x %x %x %x\n", id[0], id[1],
                                             id[2], id[3], id[4], id[5], id[6], id[7]);
    return id;
}

std::string_view HardwareModelName(const HardwareId& id) {
    if (id[0] != 'K' || id[1] != 'L' || id[2] != 'W') {
        return {};
    }
    for (const HardwareModel& model : kHardwareModels) {
        if (id[3] == model.b3 && id[4] == model.b4) {
            return model.name;
        }
    }
    return {};
}

std::string HardwareIdMessage(const std::optional<HardwareId>& id) {
    const std::string_view name = id ? HardwareModelName(*id) : std::string_view();
    if (name.empty()) {
        return "Writer No Hardware ID";
    }
    const unsigned number = (*id)[5] << 16 | (*id)[6] << 8 | (*id)[7];
    return format("Hardware : %.*s \n            ID : %06x", static_cast<int>(name.size()),
                  name.data(), number);
}

MaintOutcome OnReadHardwareId(MaintServices& s) {
    const auto id = ReadHardwareId(s.writer);
    s.op.message(HardwareIdMessage(id), "Hardware ID");
    return id && !HardwareModelName(*id).empty() ? MaintOutcome::Ok : MaintOutcome::Failed;
}

}  // namespace vexlor
