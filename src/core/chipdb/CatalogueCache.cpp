#include "core/chipdb/CatalogueCache.h"

#include <fstream>
#include <new>

namespace vexlor {

namespace {
bool readWholeFile(const std::filesystem::path& file, std::string& text) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) {
        return false;
    }
    in.seekg(0, std::ios::beg);
    text.resize(static_cast<std::size_t>(size));
    in.read(text.data(), size);
    return in.gcount() == size;
}
}  // namespace

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
    const Stamp stamp{status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
    if (valid_ && file == file_ && stamp == stamp_) {
        outcome = XmlLoad::Loaded;
        return &document_;
    }
    valid_ = false;
    document_.reset();
    try {
        if (!readWholeFile(file, text_)) {
            outcome = XmlLoad::OpenFailed;
            return nullptr;
        }
    } catch (const std::bad_alloc&) {
        outcome = XmlLoad::NoParser;
        return nullptr;
    }
    outcome = LoadXmlTextInPlace(text_, document_);
    if (outcome != XmlLoad::Loaded) {
        document_.reset();
        return nullptr;
    }
    file_ = file;
    stamp_ = stamp;
    valid_ = true;
    return &document_;
}

}  // namespace vexlor
