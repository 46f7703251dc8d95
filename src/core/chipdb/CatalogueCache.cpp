#include "core/chipdb/CatalogueCache.h"

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
    if (valid_ && file == file_ && ::stat(file.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
        stampOf(status) == stamp_) {
        outcome = XmlLoad::Loaded;
        return &document_;
    }
    valid_ = false;
    // The stamp is the opened file's, so a replacement after the reading is seen at the next
    // load. A large catalogue is mostly leaf elements: their texts as values halve its nodes.
    outcome = LoadXmlFile(file, document_, pugi::parse_default | pugi::parse_embed_pcdata, status);
    if (outcome != XmlLoad::Loaded) {
        document_.reset();
        return nullptr;
    }
    file_ = file;
    stamp_ = stampOf(status);
    valid_ = true;
    return &document_;
}

CatalogueCache::Stamp CatalogueCache::stampOf(const struct stat& status) {
    return {status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
}

}  // namespace vexlor
