#include <minizip/zip.h>
#include <zlib.h>

#include <ctime>
#include <random>

#include "core/base/Diagnostics.h"
#include "core/packages/ZipArchive.h"
#include "core/packages/ZipCipher.h"

namespace vexlor {

namespace {

constexpr unsigned kUnixHost = 3;
// "Made by" a Unix zip of format version 2.0, so readers take the mode from the upper half of
// the external attributes.
constexpr uLong kMadeByUnix = (kUnixHost << 8) | 20;
constexpr uLong kEncrypted = 1;
constexpr int kMemLevel = 8;

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

bool deflateAll(const Bytes& data, Bytes& packed) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, kMemLevel,
                     Z_DEFAULT_STRATEGY) != Z_OK) {
        return false;
    }
    packed.resize(deflateBound(&stream, static_cast<uLong>(data.size())));
    stream.next_in = const_cast<Bytef*>(data.data());
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = packed.data();
    stream.avail_out = static_cast<uInt>(packed.size());
    const bool done = deflate(&stream, Z_FINISH) == Z_STREAM_END;
    packed.resize(stream.total_out);
    deflateEnd(&stream);
    return done;
}

// The random header whose last byte lets a reader check the password, then the packed data,
// all encrypted.
Bytes encrypt(const Bytes& packed, const std::string& password, uLong crc) {
    std::random_device random;
    ZipCipher cipher(password);
    Bytes out;
    out.reserve(ZipCipher::kHeaderSize + packed.size());
    for (int i = 0; i < ZipCipher::kHeaderSize - 1; ++i) {
        out.push_back(cipher.encrypt(static_cast<std::uint8_t>(random())));
    }
    out.push_back(cipher.encrypt(static_cast<std::uint8_t>(crc >> 24)));
    for (std::uint8_t byte : packed) {
        out.push_back(cipher.encrypt(byte));
    }
    return out;
}

bool addItem(zipFile zip, const ZipItem& item, const std::string& password) {
    const uLong crc = crc32(0, item.data.data(), static_cast<uInt>(item.data.size()));
    Bytes packed;
    if (!deflateAll(item.data, packed)) {
        return false;
    }
    if (!password.empty()) {
        packed = encrypt(packed, password, crc);
    }
    zip_fileinfo info{};
    info.tmz_date = nowForZip();
    info.external_fa = static_cast<uLong>(item.unixMode) << 16;
    if (zipOpenNewFileInZip4_64(zip, item.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                Z_DEFLATED, Z_DEFAULT_COMPRESSION, 1, -MAX_WBITS, kMemLevel,
                                Z_DEFAULT_STRATEGY, nullptr, 0, kMadeByUnix,
                                password.empty() ? 0 : kEncrypted, 0) != ZIP_OK) {
        return false;
    }
    const bool written =
        zipWriteInFileInZip(zip, packed.data(), static_cast<unsigned>(packed.size())) == ZIP_OK;
    return zipCloseFileInZipRaw64(zip, item.data.size(), crc) == ZIP_OK && written;
}

}  // namespace

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
