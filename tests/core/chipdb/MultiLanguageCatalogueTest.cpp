#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "core/chipdb/MultiLanguageCatalogue.h"
#include "support/ScratchDir.h"

namespace vexlor {
namespace {

TEST(LanguageFromLocaleName, MapsChineseRegionsAndScripts) {
    const auto check = [&](const char* locale, Language expected) {
        EXPECT_EQ(LanguageFromLocaleName(locale), expected) << '"' << locale << '"';
    };
    check("zh_TW", Language::TraditionalChinese);
    check("zh_TW.UTF-8", Language::TraditionalChinese);
    check("zh_HK", Language::TraditionalChinese);
    check("zh-Hant-TW", Language::TraditionalChinese);
    check("zh_CN.UTF-8", Language::SimplifiedChinese);
    check("zh_SG", Language::SimplifiedChinese);
    check("zh", Language::SimplifiedChinese);
    check("en_US.UTF-8", Language::English);
    check("de_DE", Language::English);
    check("C", Language::English);
    check("", Language::English);
}

TEST(MultiLanguageCatalogue, FileLeftForTheFirstLookupIsReadThen) {
    test::ScratchDir scratch;
    MultiLanguageCatalogue catalogue;
    catalogue.LoadOnFirstLookup(scratch / "VexlorMsg.xml");
    // Written afterwards: only a read at the lookup sees it.
    scratch.write("VexlorMsg.xml", test::dataText("chipdb/messages.xml"));
    EXPECT_EQ(catalogue.text("Both"), "Hello");
    EXPECT_EQ(catalogue.loadError(), "");

    MultiLanguageCatalogue missing;
    missing.LoadOnFirstLookup(scratch / "absent.xml");
    EXPECT_NE(missing.loadError().find("Can't read the message file"), std::string::npos);
    EXPECT_EQ(missing.text("Both"), "[missing message: Both]");
}

TEST(MultiLanguageCatalogue, LooksTextsUpByKeyAndLanguage) {
    test::ScratchDir scratch;
    MultiLanguageCatalogue catalogue;
    ASSERT_TRUE(catalogue.LoadMultiLanguageMsgFile(
        scratch.write("VexlorMsg.xml", test::dataText("chipdb/messages.xml"))));
    EXPECT_EQ(catalogue.loadError(), "");
    const auto check = [&](Language language, const char* key, const char* expected) {
        catalogue.setLanguage(language);
        EXPECT_EQ(catalogue.GetMultiLanguageMsg(key), expected) << key;
        EXPECT_EQ(catalogue.text(key), expected) << key;
    };
    check(Language::English, "Both", "Hello");
    check(Language::TraditionalChinese, "Both", "繁體");
    check(Language::SimplifiedChinese, "Both", "简体");
    check(Language::SimplifiedChinese, "EnglishOnly", "Only English");
    check(Language::TraditionalChinese, "NoEnglish", "只有繁體");
    check(Language::English, "NoEnglish", "[missing message: NoEnglish]");
    check(Language::English, "Twice", "new");
    check(Language::English, "NotAMsg", "[missing message: NotAMsg]");
    check(Language::TraditionalChinese, "both", "[missing message: both]");
    check(Language::English, "", "[missing message: ]");
}

TEST(MultiLanguageCatalogue, UnreadableFileKeepsEarlierTextsAndSaysWhy) {
    test::ScratchDir scratch;
    MultiLanguageCatalogue catalogue;
    EXPECT_FALSE(catalogue.LoadMultiLanguageMsgFile(scratch.path() / "missing.xml"));
    EXPECT_NE(catalogue.loadError().find("missing.xml"), std::string::npos);
    EXPECT_EQ(catalogue.GetMultiLanguageMsg("Both"), "[missing message: Both]");
    ASSERT_TRUE(catalogue.LoadMultiLanguageMsgFile(
        scratch.write("good.xml", test::dataText("chipdb/messages.xml"))));
    EXPECT_FALSE(catalogue.LoadMultiLanguageMsgFile(scratch.write("bad.xml", "<VexlorMsg><Msg>")));
    EXPECT_NE(catalogue.loadError().find("bad.xml"), std::string::npos);
    EXPECT_EQ(catalogue.GetMultiLanguageMsg("Both"), "Hello");
}

// Each key of the delivered file has a text of its own in every language, not the English
// fallback.
TEST(DeliveredMessageCatalogue, HasEveryKeyInEveryLanguage) {
    const std::filesystem::path file = std::filesystem::path(VEXLOR_SOURCE_DATA) / "VexlorMsg.xml";
    pugi::xml_document document;
    ASSERT_TRUE(document.load_file(file.c_str()));
    MultiLanguageCatalogue english(Language::English);
    MultiLanguageCatalogue traditional(Language::TraditionalChinese);
    MultiLanguageCatalogue simplified(Language::SimplifiedChinese);
    for (MultiLanguageCatalogue* catalogue : {&english, &traditional, &simplified}) {
        ASSERT_TRUE(catalogue->LoadMultiLanguageMsgFile(file)) << catalogue->loadError();
    }
    int keys = 0;
    for (pugi::xml_node message : document.document_element().children("Msg")) {
        const char* key = message.attribute("key").value();
        ++keys;
        const std::string en = english.GetMultiLanguageMsg(key);
        const std::string tw = traditional.GetMultiLanguageMsg(key);
        const std::string cn = simplified.GetMultiLanguageMsg(key);
        EXPECT_EQ(en.find("[missing message"), std::string::npos) << key;
        EXPECT_NE(tw, en) << key;
        EXPECT_NE(cn, en) << key;
        EXPECT_NE(tw, cn) << key;
    }
    EXPECT_GE(keys, 7);
}

}  // namespace
}  // namespace vexlor
