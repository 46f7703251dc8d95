#include "core/convert/ByteFiles.h"

#include <fstream>

namespace vexlor {

std::optional<Bytes> readFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<std::uint64_t>(size) > kLargestReadableFile) {
        return std::nullopt;
    }
    in.seekg(0, std::ios::beg);
    Bytes bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), size);
    if (in.gcount() != size) {
        return std::nullopt;
    }
    return bytes;
}

bool writeFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

bool patchFileBytes(const std::filesystem::path& path, std::size_t offset,
                    std::span<const std::uint8_t> bytes) {
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    if (!file) {
        return false;
    }
    file.seekp(static_cast<std::streamoff>(offset));
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    return static_cast<bool>(file);
}

std::filesystem::path withExtension(const std::filesystem::path& path, const char* extension) {
    std::filesystem::path result = path;
    result.replace_extension(extension);
    return result;
}

std::filesystem::path imagePathFor(const std::filesystem::path& programFile) {
    std::filesystem::path image = withExtension(programFile, ".bin");
    if (image == programFile) {
        image += ".bin";
    }
    return image;
}

}  // namespace vexlor
