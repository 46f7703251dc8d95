#include "core/packages/ZipArchive.h"

#include <minizip/unzip.h>
#include <minizip/zip.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <ctime>
#include <optional>

#include "core/base/Diagnostics.h"
#include "core/packages/PackagePaths.h"

namespace vexlor {

namespace {

constexpr std::uint32_t kFileTypeMask = 0170000;
constexpr std::uint32_t kRegularFile = 0100000;
constexpr std::uint32_t kDirectory = 0040000;
constexpr unsigned kUnixHost = 3;
// "Made by" a Unix zip of format version 2.0, so readers take the mode from the upper half of
// the external attributes.
constexpr uLong kMadeByUnix = (kUnixHost << 8) | 20;
constexpr std::size_t kChunk = 64 * 1024;
constexpr std::uint64_t kMiB = 1024 * 1024;

// The archive is read from memory, so the same reader serves files, tests and the fuzzer.
struct MemoryStream {
    std::span<const std::uint8_t> bytes;
    std::uint64_t position = 0;
};

voidpf ZCALLBACK openMemory(voidpf opaque, const void*, int mode) {
    if ((mode & ZLIB_FILEFUNC_MODE_WRITE) != 0) {
        return nullptr;
    }
    static_cast<MemoryStream*>(opaque)->position = 0;
    return opaque;
}

uLong ZCALLBACK readMemory(voidpf, voidpf stream, void* buffer, uLong size) {
    auto* memory = static_cast<MemoryStream*>(stream);
    const std::uint64_t left = memory->bytes.size() - memory->position;
    const std::uint64_t count = std::min<std::uint64_t>(size, left);
    std::memcpy(buffer, memory->bytes.data() + memory->position, count);
    memory->position += count;
    return static_cast<uLong>(count);
}

uLong ZCALLBACK writeNothing(voidpf, voidpf, const void*, uLong) {
    return 0;
}

ZPOS64_T ZCALLBACK tellMemory(voidpf, voidpf stream) {
    return static_cast<MemoryStream*>(stream)->position;
}

long ZCALLBACK seekMemory(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    auto* memory = static_cast<MemoryStream*>(stream);
    std::uint64_t base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR) {
        base = memory->position;
    } else if (origin == ZLIB_FILEFUNC_SEEK_END) {
        base = memory->bytes.size();
    }
    if (offset > memory->bytes.size() || base > memory->bytes.size() - offset) {
        return -1;
    }
    memory->position = base + offset;
    return 0;
}

int ZCALLBACK closeMemory(voidpf, voidpf) {
    return 0;
}

int ZCALLBACK memoryError(voidpf, voidpf) {
    return 0;
}

bool isDirectoryEntry(const std::string& name, std::uint32_t mode) {
    return name.ends_with('/') || name.ends_with('\\') || (mode & kFileTypeMask) == kDirectory;
}

// Why the entry the archive is positioned on cannot be taken; empty when it can (or when it
// is a directory, which is skipped and reported by skip).
class EntryReader {
  public:
    EntryReader(unzFile zip, const std::string& password, const ZipLimits& limits)
        : zip_(zip), password_(password), limits_(limits) {}

    std::string read(std::vector<ZipItem>& items) {
        unz_file_info64 info{};
        std::array<char, 1024> name{};
        if (unzGetCurrentFileInfo64(zip_, &info, name.data(), name.size(), nullptr, 0, nullptr,
                                    0) != UNZ_OK) {
            return "The package is damaged (an entry cannot be read).";
        }
        if (info.size_filename >= name.size()) {
            return "The package holds an entry with an overlong name.";
        }
        const std::string entryName(name.data(), info.size_filename);
        const std::uint32_t mode = (info.version >> 8) == kUnixHost
                                       ? static_cast<std::uint32_t>(info.external_fa >> 16)
                                       : 0;
        if (std::string problem = RelativePathProblem(entryName); !problem.empty()) {
            return "Refused entry: " + problem + ".";
        }
        if (isDirectoryEntry(entryName, mode)) {
            return {};
        }
        if (mode != 0 && (mode & kFileTypeMask) != kRegularFile) {
            return format("Refused entry: \"%s\" is a link or special file, not a file.",
                          entryName.c_str());
        }
        if (RelativePathOf(entryName).empty()) {
            return format("Refused entry: \"%s\" names no file.", entryName.c_str());
        }
        if (info.uncompressed_size > limits_.maxEntryBytes) {
            return tooLarge(entryName);
        }
        std::optional<Bytes> data = unpack(entryName);
        if (!data) {
            return problem_;
        }
        items.push_back({entryName, std::move(*data), mode == 0 ? 0100644 : mode});
        return {};
    }

  private:
    std::string tooLarge(const std::string& entryName) const {
        return format("\"%s\" unpacks to more than the %u MiB an entry may have.",
                      entryName.c_str(), static_cast<unsigned>(limits_.maxEntryBytes / kMiB));
    }

    std::optional<Bytes> unpack(const std::string& entryName) {
        const char* password = password_.empty() ? nullptr : password_.c_str();
        if (unzOpenCurrentFilePassword(zip_, password) != UNZ_OK) {
            problem_ = format("\"%s\" cannot be unpacked (wrong password or damaged data).",
                              entryName.c_str());
            return std::nullopt;
        }
        Bytes data;
        std::array<std::uint8_t, kChunk> chunk{};
        int got = 0;
        while ((got = unzReadCurrentFile(zip_, chunk.data(), chunk.size())) > 0) {
            data.insert(data.end(), chunk.begin(), chunk.begin() + got);
            total_ += static_cast<std::uint64_t>(got);
            if (data.size() > limits_.maxEntryBytes) {
                problem_ = tooLarge(entryName);
            } else if (total_ > limits_.maxTotalBytes) {
                problem_ = format("The package unpacks to more than %u MiB.",
                                  static_cast<unsigned>(limits_.maxTotalBytes / kMiB));
            }
            if (!problem_.empty()) {
                unzCloseCurrentFile(zip_);
                return std::nullopt;
            }
        }
        // Closing checks the CRC of everything read; a wrong password usually fails here.
        const int closed = unzCloseCurrentFile(zip_);
        if (got < 0 || closed != UNZ_OK) {
            problem_ = format("\"%s\" cannot be unpacked (wrong password or damaged data).",
                              entryName.c_str());
            return std::nullopt;
        }
        return data;
    }

    unzFile zip_;
    const std::string& password_;
    const ZipLimits& limits_;
    std::uint64_t total_ = 0;
    std::string problem_;
};

tm_zip nowForZip() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    tm_zip date{};
    date.tm_sec = static_cast<uInt>(local.tm_sec);
    date.tm_min = static_cast<uInt>(local.tm_min);
    date.tm_hour = static_cast<uInt>(local.tm_hour);
    date.tm_mday = static_cast<uInt>(local.tm_mday);
    date.tm_mon = static_cast<uInt>(local.tm_mon);
    date.tm_year = static_cast<uInt>(local.tm_year + 1900);
    return date;
}

bool addItem(zipFile zip, const ZipItem& item, const std::string& password) {
    zip_fileinfo info{};
    info.tmz_date = nowForZip();
    info.external_fa = static_cast<uLong>(item.unixMode) << 16;
    const uLong crc = crc32(0, item.data.data(), static_cast<uInt>(item.data.size()));
    if (zipOpenNewFileInZip4_64(zip, item.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                Z_DEFLATED, Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS, 8,
                                Z_DEFAULT_STRATEGY, password.empty() ? nullptr : password.c_str(),
                                crc, kMadeByUnix, 0, 0) != ZIP_OK) {
        return false;
    }
    const bool written = zipWriteInFileInZip(zip, item.data.data(),
                                             static_cast<unsigned>(item.data.size())) == ZIP_OK;
    return zipCloseFileInZip(zip) == ZIP_OK && written;
}

}  // namespace

ZipContents ReadZipArchive(std::span<const std::uint8_t> archive, const std::string& password,
                           const ZipLimits& limits) {
    MemoryStream memory{archive};
    zlib_filefunc64_def io{openMemory, readMemory,  writeNothing, tellMemory,
                           seekMemory, closeMemory, memoryError,  &memory};
    ZipContents contents;
    unzFile zip = unzOpen2_64("package", &io);
    if (zip == nullptr) {
        contents.problem = "The package is not a zip archive or is damaged.";
        return contents;
    }
    EntryReader reader(zip, password, limits);
    std::size_t entries = 0;
    int step = unzGoToFirstFile(zip);
    for (; step == UNZ_OK && contents.ok(); step = unzGoToNextFile(zip)) {
        if (++entries > limits.maxEntries) {
            contents.problem =
                format("The package holds more than %zu entries.", limits.maxEntries);
            break;
        }
        contents.problem = reader.read(contents.items);
    }
    if (contents.ok() && step != UNZ_END_OF_LIST_OF_FILE) {
        contents.problem = "The package is damaged (its list of entries cannot be read).";
    }
    unzClose(zip);
    if (!contents.ok()) {
        contents.items.clear();
    }
    return contents;
}

ZipContents ReadZipFile(const std::filesystem::path& path, const std::string& password,
                        const ZipLimits& limits) {
    const std::optional<Bytes> bytes = readFileBytes(path);
    if (!bytes) {
        ZipContents contents;
        contents.problem = format("%s cannot be read.", path.string().c_str());
        if (std::string note = sizeLimitNote(path); !note.empty()) {
            contents.problem += "\n" + note;
        }
        return contents;
    }
    return ReadZipArchive(*bytes, password, limits);
}

std::string WriteZipFile(const std::filesystem::path& path, const std::string& password,
                         std::span<const ZipItem> items) {
    // Written beside the target and renamed over it, so a failure keeps an older archive.
    std::filesystem::path partial = path;
    partial += ".part";
    zipFile zip = zipOpen64(partial.c_str(), APPEND_STATUS_CREATE);
    if (zip == nullptr) {
        return format("%s cannot be created.", path.string().c_str());
    }
    bool written = true;
    for (const ZipItem& item : items) {
        written = written && addItem(zip, item, password);
    }
    written = zipClose(zip, nullptr) == ZIP_OK && written;
    std::error_code error;
    if (written) {
        std::filesystem::rename(partial, path, error);
    }
    if (!written || error) {
        std::filesystem::remove(partial, error);
        return format("%s cannot be written.", path.string().c_str());
    }
    return {};
}

}  // namespace vexlor
