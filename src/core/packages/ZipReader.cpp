#include <minizip/unzip.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

#include "core/base/Diagnostics.h"
#include "core/packages/PackagePaths.h"
#include "core/packages/ZipArchive.h"
#include "core/packages/ZipCipher.h"

namespace vexlor {

namespace {

constexpr std::uint32_t kFileTypeMask = 0170000;
constexpr std::uint32_t kRegularFile = 0100000;
constexpr std::uint32_t kDirectory = 0040000;
constexpr unsigned kUnixHost = 3;
constexpr uLong kEncrypted = 1;
constexpr uLong kSizesAfterData = 8;
constexpr int kStored = 0;
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
    if (count > 0) {
        std::memcpy(buffer, memory->bytes.data() + memory->position, count);
    }
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

enum class Inflated { Done, Damaged, TooLarge };

// Raw deflate data into out, never more than limit bytes.
Inflated inflateInto(std::span<const std::uint8_t> packed, std::uint64_t limit, Bytes& out) {
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) {
        return Inflated::Damaged;
    }
    stream.next_in = const_cast<Bytef*>(packed.data());
    stream.avail_in = static_cast<uInt>(packed.size());
    std::array<std::uint8_t, kChunk> chunk{};
    int step = Z_OK;
    while (step == Z_OK) {
        stream.next_out = chunk.data();
        stream.avail_out = chunk.size();
        step = inflate(&stream, Z_NO_FLUSH);
        const std::size_t produced = chunk.size() - stream.avail_out;
        if (out.size() + produced > limit) {
            inflateEnd(&stream);
            return Inflated::TooLarge;
        }
        out.insert(out.end(), chunk.begin(), chunk.begin() + static_cast<long>(produced));
    }
    inflateEnd(&stream);
    return step == Z_STREAM_END ? Inflated::Done : Inflated::Damaged;
}

// Takes the entry the archive is positioned on; a directory is skipped. Returns why it cannot
// be taken, empty when it could.
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
        Bytes data;
        if (std::string problem = unpack(entryName, info, data); !problem.empty()) {
            return problem;
        }
        items.push_back({entryName, std::move(data), mode == 0 ? 0100644 : mode});
        return {};
    }

  private:
    std::string tooLarge(const std::string& entryName) const {
        return format("\"%s\" unpacks to more than the %u MiB an entry may have.",
                      entryName.c_str(), static_cast<unsigned>(limits_.maxEntryBytes / kMiB));
    }

    static std::string damaged(const std::string& entryName) {
        return format("\"%s\" cannot be unpacked (wrong password or damaged data).",
                      entryName.c_str());
    }

    // The entry's bytes as stored: still packed, and encrypted when the entry is.
    std::optional<Bytes> readStored(int& method) {
        int level = 0;
        if (unzOpenCurrentFile2(zip_, &method, &level, 1) != UNZ_OK) {
            return std::nullopt;
        }
        Bytes stored;
        std::array<std::uint8_t, kChunk> chunk{};
        int got = 0;
        while ((got = unzReadCurrentFile(zip_, chunk.data(), chunk.size())) > 0) {
            stored.insert(stored.end(), chunk.begin(), chunk.begin() + got);
        }
        unzCloseCurrentFile(zip_);
        return got < 0 ? std::nullopt : std::optional<Bytes>(std::move(stored));
    }

    std::string unpack(const std::string& entryName, const unz_file_info64& info, Bytes& data) {
        int method = 0;
        std::optional<Bytes> stored = readStored(method);
        if (!stored) {
            return damaged(entryName);
        }
        if (method != kStored && method != Z_DEFLATED) {
            return format("\"%s\" is packed with a method this program cannot unpack.",
                          entryName.c_str());
        }
        std::span<const std::uint8_t> packed = *stored;
        if ((info.flag & kEncrypted) != 0) {
            if (packed.size() < ZipCipher::kHeaderSize) {
                return damaged(entryName);
            }
            ZipCipher cipher(password_);
            for (std::uint8_t& byte : *stored) {
                byte = cipher.decrypt(byte);
            }
            const std::uint8_t check = (info.flag & kSizesAfterData) != 0
                                           ? static_cast<std::uint8_t>(info.dosDate >> 8)
                                           : static_cast<std::uint8_t>(info.crc >> 24);
            if ((*stored)[ZipCipher::kHeaderSize - 1] != check) {
                return damaged(entryName);
            }
            packed = packed.subspan(ZipCipher::kHeaderSize);
        }
        const std::uint64_t limit = std::min(limits_.maxEntryBytes, limits_.maxTotalBytes - total_);
        Inflated outcome = Inflated::Done;
        if (method == kStored) {
            outcome = packed.size() > limit ? Inflated::TooLarge : Inflated::Done;
            data.assign(packed.begin(), packed.end());
        } else {
            outcome = inflateInto(packed, limit, data);
        }
        if (outcome == Inflated::TooLarge) {
            return limit < limits_.maxEntryBytes
                       ? format("The package unpacks to more than %u MiB.",
                                static_cast<unsigned>(limits_.maxTotalBytes / kMiB))
                       : tooLarge(entryName);
        }
        if (outcome == Inflated::Damaged ||
            crc32(0, data.data(), static_cast<uInt>(data.size())) != info.crc) {
            return damaged(entryName);
        }
        total_ += data.size();
        return {};
    }

    unzFile zip_;
    const std::string& password_;
    const ZipLimits& limits_;
    std::uint64_t total_ = 0;
};

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

}  // namespace vexlor
