#include "core/maint/UserManual.h"

#include <fstream>

namespace vexlor {

MaintOutcome OnUserManual(Operator& op, const std::filesystem::path& baseDirectory,
                          const std::function<void(const std::filesystem::path&)>& open) {
    const std::filesystem::path manual = baseDirectory / kUserManualFile;
    std::error_code ec;
    if (!std::ifstream(manual, std::ios::binary) || !std::filesystem::is_regular_file(manual, ec)) {
        op.message("Can't Find User Manual");
        return MaintOutcome::BadFile;
    }
    open(manual);
    return MaintOutcome::Ok;
}

}  // namespace vexlor
