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

std::string rawImageProblem(const Bytes& bytes, const ImageNeeds& needs, bool made) {
    const char* subject = made ? "The image made from it" : "It";
    if (!made && looksLikeIntelHex(bytes)) {
        return format("It is Intel HEX text; %s takes %s files (a binary image).",
                      needs.chipName.c_str(),
                      needs.fileTypes.empty() ? "other" : needs.fileTypes.c_str());
    }
    if (bytes.size() < needs.minimumLength) {
        return format("%s is %zu bytes; %s needs %zu bytes (up to offset 0x%zX).", subject,
                      bytes.size(), needs.chipName.c_str(), needs.minimumLength,
                      needs.minimumLength - 1);
    }
    if (bytes.size() > needs.readLength) {
        return format("%s is %zu bytes; %s takes an image of at most %zu bytes.", subject,
                      bytes.size(), needs.chipName.c_str(), needs.readLength);
    }
    return {};
}

std::string openFileError(const std::filesystem::path& file, std::string_view reason) {
    return format("%s open file error\n%.*s", file.string().c_str(),
                  static_cast<int>(reason.size()), reason.data());
}

std::string unreadableReason(const std::filesystem::path& file) {
    const std::string note = sizeLimitNote(file);
    return note.empty() ? "The file cannot be opened." : note;
}

}  // namespace vexlor
