#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "core/base/MessageCatalogue.h"

namespace vexlor {

enum class Language { English, TraditionalChinese, SimplifiedChinese };

// Maps a locale name ("zh_TW", "zh_CN.UTF-8", "zh-Hant-HK", "de_DE", ...) to the language of the
// operator texts; anything not Chinese is English.
Language LanguageFromLocaleName(std::string_view localeName);

// The operator texts of "VexlorMsg.xml": one text per key and language. The file is read once
// at start; a text missing in the chosen language falls back to English, and a key missing
// altogether yields "[missing message: KEY]" so the operator never sees an empty box.
class MultiLanguageCatalogue final : public MessageCatalogue {
  public:
    explicit MultiLanguageCatalogue(Language language = Language::English) : language_(language) {}

    // On failure the texts loaded so far stay and loadError() says what went wrong.
    bool LoadMultiLanguageMsgFile(const std::filesystem::path& file);
    // The same, done at the first lookup: a run that shows no message never reads the file.
    void LoadOnFirstLookup(std::filesystem::path file) { pendingFile_ = std::move(file); }
    std::string GetMultiLanguageMsg(std::string_view key) const;

    std::string text(std::string_view key) const override { return GetMultiLanguageMsg(key); }

    Language language() const { return language_; }
    void setLanguage(Language language) { language_ = language; }
    const std::string& loadError() const {
        loadPending();
        return loadError_;
    }

  private:
    using Texts = std::array<std::string, 3>;  // indexed by Language

    bool load(const std::filesystem::path& file) const;
    void loadPending() const;

    Language language_;
    // Filled by a lookup when the file was left for the first one.
    mutable std::filesystem::path pendingFile_;
    mutable std::map<std::string, Texts, std::less<>> messages_;
    mutable std::string loadError_;
};

}  // namespace vexlor
