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

const pugi::xml_document* CatalogueCache::load(const std::filesystem::path& file,
                                               XmlLoad& outcome) {
    std::string text;
    try {
        if (!IsReadableFile(file) || !readWholeFile(file, text)) {
            outcome = XmlLoad::OpenFailed;
            return nullptr;
        }
    } catch (const std::bad_alloc&) {
        outcome = XmlLoad::NoParser;
        return nullptr;
    }
    if (valid_ && file == file_ && text == text_) {
        outcome = XmlLoad::Loaded;
        return &document_;
    }
    valid_ = false;
    outcome = LoadXmlText(text, document_);
    if (outcome != XmlLoad::Loaded) {
        document_.reset();
        return nullptr;
    }
    file_ = file;
    text_ = std::move(text);
    valid_ = true;
    return &document_;
}

}  // namespace vexlor
