#include "core/chipdb/CatalogueCache.h"

#include <fcntl.h>
#include <unistd.h>

#include <new>

#include "core/base/ReadAll.h"

namespace vexlor {

bool CatalogueCache::Stamp::operator==(const Stamp& other) const {
    auto same = [](const timespec& a, const timespec& b) {
        return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
    };
    return device == other.device && inode == other.inode && size == other.size &&
           same(modified, other.modified) && same(changed, other.changed);
}

const pugi::xml_document* CatalogueCache::load(const std::filesystem::path& file,
                                               XmlLoad& outcome) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        valid_ = false;
        outcome = XmlLoad::OpenFailed;
        return nullptr;
    }
    if (valid_ && file == file_ && stampOf(status) == stamp_) {
        outcome = XmlLoad::Loaded;
        return &document_;
    }
    valid_ = false;
    document_.reset();
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    outcome = fd >= 0 ? readAndParse(fd, status) : XmlLoad::OpenFailed;
    if (fd >= 0) {
        ::close(fd);
    }
    if (outcome != XmlLoad::Loaded) {
        document_.reset();
        return nullptr;
    }
    file_ = file;
    stamp_ = stampOf(status);
    valid_ = true;
    return &document_;
}

XmlLoad CatalogueCache::readAndParse(int fd, struct stat& status) {
    // The stamp is the opened file's, so a replacement between the stat and the open is seen
    // at the next load.
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        return XmlLoad::OpenFailed;
    }
    const auto size = static_cast<std::size_t>(status.st_size);
    try {
        // Not zero-filled: the whole text is read over it.
        text_.reset(new char[size]);
    } catch (const std::bad_alloc&) {
        return XmlLoad::NoParser;
    }
    if (!ReadAll(fd, {reinterpret_cast<std::uint8_t*>(text_.get()), size})) {
        return XmlLoad::OpenFailed;
    }
    return LoadXmlTextInPlace({text_.get(), size}, document_);
}

CatalogueCache::Stamp CatalogueCache::stampOf(const struct stat& status) {
    return {status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
}

}  // namespace vexlor
