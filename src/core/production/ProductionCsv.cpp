#include "core/production/ProductionCsv.h"

#include <string_view>

namespace vexlor {

namespace {

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

}  // namespace

std::string ProductionLogCsv(const std::vector<ProductionEntry>& entries) {
    std::string csv = "time,writer,chip,checksum,serial,result,message\r\n";
    for (const ProductionEntry& e : entries) {
        for (std::string_view field :
             {std::string_view(e.time), std::string_view(e.writer), std::string_view(e.chip),
              std::string_view(e.checksum), std::string_view(e.serial)}) {
            csv += csvField(field) + ',';
        }
        csv += (e.passed ? "OK," : "NG,") + csvField(e.message) + "\r\n";
    }
    return csv;
}

}  // namespace vexlor
