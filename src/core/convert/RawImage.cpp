#include "core/convert/RawImage.h"

#include <cctype>

#include "core/base/Diagnostics.h"

namespace vexlor {

bool looksLikeIntelHex(const Bytes& bytes) {
    std::size_t at = 0;
    while (at < bytes.size() && std::isspace(bytes[at]) != 0) {
        ++at;
    }
    if (at >= bytes.size() || bytes[at] != ':') {
        return false;
    }
    std::size_t digits = 0;
    for (++at; at < bytes.size() && bytes[at] != '\n' && bytes[at] != '\r'; ++at) {
        if (std::isxdigit(bytes[at]) == 0) {
            return false;
        }
        ++digits;
    }
    // The shortest record, the end-of-file record, has ten digits.
    return digits >= 10;
}

std::string rawImageProblem(const std::string& fileName, const Bytes& bytes, std::size_t readLength,
                            const std::string& chipName) {
    if (looksLikeIntelHex(bytes)) {
        return format("%s is Intel HEX text; %s takes a binary image", fileName.c_str(),
                      chipName.c_str());
    }
    if (bytes.size() > readLength) {
        return format("%s is %zu bytes; %s takes an image of at most %zu bytes", fileName.c_str(),
                      bytes.size(), chipName.c_str(), readLength);
    }
    return {};
}

}  // namespace vexlor
