#pragma once

#include <filesystem>

#include <sys/stat.h>
#include <pugixml.hpp>

#include "core/chipdb/XmlFile.h"

namespace vexlor {

// IC Type Select re-reads the catalogue on every click and a start-up reads it several times.
// The file is parsed again only when its identity, size or times differ from the last good
// read: any write or replacement moves the change time, which no program can set back, so an
// updated catalogue is always seen and an unchanged one costs one stat.
class CatalogueCache {
  public:
    // The parsed catalogue, valid until the next call; null when outcome is not Loaded.
    const pugi::xml_document* load(const std::filesystem::path& file, XmlLoad& outcome);

  private:
    struct Stamp {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
        timespec changed{};
        bool operator==(const Stamp& other) const;
    };
    static Stamp stampOf(const struct stat& status);

    std::filesystem::path file_;
    Stamp stamp_;
    pugi::xml_document document_;
    bool valid_ = false;
};

}  // namespace vexlor
