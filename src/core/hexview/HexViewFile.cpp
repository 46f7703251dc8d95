#include "core/hexview/HexViewFile.h"

#include <fstream>
#include <system_error>

namespace vexlor {

ViewFileResult readViewFile(const std::filesystem::path& path, std::uintmax_t maxBytes) {
    ViewFileResult result;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        result.error = "Cannot open \"" + path.string() + "\": not a readable file";
        return result;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) {
        result.error = "Cannot read the size of \"" + path.string() + "\": " + ec.message();
        return result;
    }
    if (size > maxBytes) {
        result.error =
            "\"" + path.string() + "\" is too large to show (" + std::to_string(size) + " bytes)";
        return result;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.error = "Cannot open \"" + path.string() + "\"";
        return result;
    }
    result.bytes.resize(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(result.bytes.data()), static_cast<std::streamsize>(size));
    if (in.gcount() != static_cast<std::streamsize>(size)) {
        result.bytes.clear();
        result.error = "Cannot read all of \"" + path.string() + "\"";
    }
    return result;
}

}  // namespace vexlor
