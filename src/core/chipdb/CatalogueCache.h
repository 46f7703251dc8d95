#pragma once

#include <filesystem>
#include <string>

#include <pugixml.hpp>

#include "core/chipdb/XmlFile.h"

namespace vexlor {

// IC Type Select re-reads the catalogue on every click. The file is still read each time, but
// it is parsed again only when its bytes differ from the last good read, so an updated
// catalogue is always seen and an unchanged one costs a read and a compare.
class CatalogueCache {
  public:
    // The parsed catalogue, valid until the next call; null when outcome is not Loaded.
    const pugi::xml_document* load(const std::filesystem::path& file, XmlLoad& outcome);

  private:
    std::filesystem::path file_;
    std::string text_;
    pugi::xml_document document_;
    bool valid_ = false;
};

}  // namespace vexlor
