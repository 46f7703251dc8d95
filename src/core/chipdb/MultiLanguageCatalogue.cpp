#include "core/chipdb/MultiLanguageCatalogue.h"

#include <utility>

#include "core/chipdb/CatalogueEntries.h"
#include "core/chipdb/XmlFile.h"

namespace vexlor {

namespace {

constexpr std::array<const char*, 3> kLanguageElements{"en", "zh_TW", "zh_CN"};

std::size_t indexOf(Language language) {
    return static_cast<std::size_t>(language);
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

Language LanguageFromLocaleName(std::string_view localeName) {
    if (!startsWith(localeName, "zh")) {
        return Language::English;
    }
    const std::string_view region = localeName.substr(2);
    for (std::string_view traditional :
         {"_TW", "_HK", "_MO", "-TW", "-HK", "-MO", "-Hant", "_Hant"}) {
        if (startsWith(region, traditional)) {
            return Language::TraditionalChinese;
        }
    }
    return Language::SimplifiedChinese;
}

bool MultiLanguageCatalogue::LoadMultiLanguageMsgFile(const std::filesystem::path& file) {
    pendingFile_.clear();
    return load(file);
}

void MultiLanguageCatalogue::loadPending() const {
    if (!pendingFile_.empty()) {
        load(std::exchange(pendingFile_, {}));
    }
}

bool MultiLanguageCatalogue::load(const std::filesystem::path& file) const {
    pugi::xml_document document;
    switch (LoadXmlFile(file, document)) {
        case XmlLoad::NoParser:
            loadError_ = "Not enough memory to read " + file.string();
            return false;
        case XmlLoad::OpenFailed:
            loadError_ = "Can't read the message file " + file.string();
            return false;
        case XmlLoad::NoRootElement:
            loadError_ = "The message file " + file.string() + " holds no messages";
            return false;
        case XmlLoad::Loaded:
            break;
    }
    std::map<std::string, Texts, std::less<>> messages;
    for (pugi::xml_node message : document.document_element().children()) {
        const pugi::xml_attribute key = message.attribute("key");
        if (!IsNamed(message, "Msg") || !key || !*key.value()) {
            continue;
        }
        Texts& texts = messages[key.value()];
        for (std::size_t language = 0; language < kLanguageElements.size(); ++language) {
            const pugi::xml_node text = message.child(kLanguageElements[language]);
            if (text) {
                texts[language] = ElementText(text);
            }
        }
    }
    messages_ = std::move(messages);
    loadError_.clear();
    return true;
}

std::string MultiLanguageCatalogue::GetMultiLanguageMsg(std::string_view key) const {
    loadPending();
    const auto found = messages_.find(key);
    if (found != messages_.end()) {
        const Texts& texts = found->second;
        if (!texts[indexOf(language_)].empty()) {
            return texts[indexOf(language_)];
        }
        if (!texts[indexOf(Language::English)].empty()) {
            return texts[indexOf(Language::English)];
        }
    }
    return "[missing message: " + std::string(key) + "]";
}

}  // namespace vexlor
