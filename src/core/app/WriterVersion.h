#pragma once

#include <string>
#include <string_view>

#include "core/writer/Writer.h"

namespace vexlor {

enum class WriterModel { V1_0, V1_1, V2_0, Unknown };

struct WriterVersionClass {
    WriterModel model = WriterModel::Unknown;
    // Directory of the writer's reference option file.
    std::string hwVersionName;
    bool known = false;
};

WriterVersionClass ClassifyWriterVersion(std::string_view versionText);

// Reads the version block into the link and keeps its classification there.
WriterVersionClass ReadWriterVersion(Writer& writer);

// The newest model announces itself only through the voltage check.
inline bool AnnouncesAttach(WriterModel model) {
    return model == WriterModel::V1_0 || model == WriterModel::V1_1;
}

}  // namespace vexlor
