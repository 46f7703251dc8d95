#include "core/app/WriterVersion.h"

namespace vexlor {

WriterVersionClass ClassifyWriterVersion(std::string_view text) {
    if (text == "USB STANDALONE WRITER_V1.1") {
        return {WriterModel::V1_1, "hwversion1.1", true};
    }
    if (text == "USB STANDALONE WRITER_V1.0") {
        return {WriterModel::V1_0, "hwversion1.0", true};
    }
    if (text == "USB STANDALONE WRITER_V2.0") {
        return {WriterModel::V2_0, "hwversion1.1", true};
    }
    return {WriterModel::Unknown, "hwversion1.0", false};
}

}  // namespace vexlor
