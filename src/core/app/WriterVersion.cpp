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

WriterVersionClass ReadWriterVersion(Writer& writer) {
    WriterLink& link = writer.link();
    link.hwVersionText.fill(0);
    writer.ReadVersionBlock(cmd::kVersion, link.hwVersionText.data(),
                            static_cast<std::uint32_t>(link.hwVersionText.size()));
    WriterVersionClass version = ClassifyWriterVersion(VersionString(link.hwVersionText));
    link.hwVersionName = version.hwVersionName;
    link.knownWriterVersion = version.known;
    return version;
}

}  // namespace vexlor
