#include "core/convert/ByteFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

#include "core/base/OpenFile.h"
#include "core/base/WholeTransfer.h"

namespace vexlor {

namespace {

// The size of a file readFileBytes may read; nullopt for what it refuses.
std::optional<std::size_t> readableSize(const OpenFile& file) {
    struct stat status {};
    if (file.fd() < 0 || ::fstat(file.fd(), &status) != 0 || !S_ISREG(status.st_mode) ||
        static_cast<std::uint64_t>(status.st_size) > kLargestReadableFile) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(status.st_size);
}

}  // namespace

std::optional<Bytes> readFileBytes(const std::filesystem::path& path) {
    const OpenFile file(path, kReadFlags);
    const std::optional<std::size_t> size = readableSize(file);
    if (!size) {
        return std::nullopt;
    }
    Bytes bytes(*size);
    if (!ReadAll(file.fd(), bytes)) {
        return std::nullopt;
    }
    return bytes;
}

bool readFilePieces(const std::filesystem::path& path,
                    const std::function<bool(std::span<const std::uint8_t>)>& take) {
    const OpenFile file(path, kReadFlags);
    const std::optional<std::size_t> size = readableSize(file);
    if (!size) {
        return false;
    }
    // Not zero-filled: every byte handed on has just been read.
    const std::size_t pieceBytes = std::min(*size, kFilePieceBytes);
    const std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[pieceBytes]);
    for (std::size_t left = *size; left > 0;) {
        const std::span<std::uint8_t> piece(buffer.get(), std::min(left, pieceBytes));
        if (!ReadAll(file.fd(), piece)) {
            return false;
        }
        left -= piece.size();
        if (!take(piece)) {
            break;
        }
    }
    return true;
}

std::string sizeLimitNote(const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size > kLargestReadableFile) {
        return "The file is larger than the " + std::to_string(kLargestReadableFile >> 20) +
               " MiB limit.";
    }
    return {};
}

bool writeFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    // Written over the old content and cut to length afterwards: truncating first would make
    // the file system free the old blocks, allocate new ones and flush them at close.
    OpenFile file(path, O_WRONLY | O_CREAT);
    struct stat status {};
    if (file.fd() < 0 || ::fstat(file.fd(), &status) != 0 || !WriteAll(file.fd(), bytes)) {
        return false;
    }
    const bool longer =
        S_ISREG(status.st_mode) && static_cast<std::uint64_t>(status.st_size) > bytes.size();
    if (longer && ::ftruncate(file.fd(), static_cast<off_t>(bytes.size())) != 0) {
        return false;
    }
    return file.close();
}

}  // namespace vexlor
