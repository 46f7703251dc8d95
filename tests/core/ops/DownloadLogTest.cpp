#include <iconv.h>

#include <gtest/gtest.h>

#include "core/ops/DownloadLog.h"

namespace vexlor {
namespace {

// The code page bytes of a UTF-8 text, by the C library's own converter.
std::string encoded(const char* codePage, std::string text) {
    const iconv_t converter = ::iconv_open(codePage, "UTF-8");
    EXPECT_NE(converter, reinterpret_cast<iconv_t>(-1)) << codePage;
    std::string result(text.size() * 2, '\0');
    char* in = text.data();
    char* out = result.data();
    std::size_t inLeft = text.size();
    std::size_t outLeft = result.size();
    EXPECT_NE(::iconv(converter, &in, &inLeft, &out, &outLeft), static_cast<std::size_t>(-1));
    ::iconv_close(converter);
    result.resize(result.size() - outLeft);
    return result;
}

const std::string kBlankLines = [] {
    std::string text;
    for (int i = 0; i < 26; ++i) {
        text += "\r\n";
    }
    return text;
}();

const std::string kEnglish = "Downloading Data , Please don't power off or plug out USB cable\r\n";

TEST(DownloadLog, ChineseLineInTheCodePageOfTheSubLanguageAboveTheEnglishOne) {
    const std::string big5 = encoded("BIG5", "下載資料中 , 請勿關閉電源或拔除USB接線");
    // The simplified line sits behind the first character of the traditional one.
    const std::string gbk =
        big5.substr(0, 2) + encoded("GBK", "下 载 资 料 中 , 勿 关 闭 电 源 或 拔 出 USB 接 线");
    EXPECT_EQ(DownloadLogText(1), kBlankLines + std::string(40, ' ') + big5 + "\r\n\r\n" +
                                      std::string(40, ' ') + kEnglish);
    EXPECT_EQ(DownloadLogText(2), kBlankLines + std::string(13, ' ') + gbk + "\r\n\r\n" +
                                      std::string(13, ' ') + kEnglish);
    for (std::uint16_t sub : {0, 3, 63}) {
        EXPECT_EQ(DownloadLogText(sub), kBlankLines) << sub;
    }
}

TEST(DownloadLog, ShownInUtf8WhileTheStoredBytesStay) {
    const std::string shown = DownloadLogDisplayText(1);
    EXPECT_NE(shown.find("下載資料中 , 請勿關閉電源或拔除USB接線\r\n"), std::string::npos) << shown;
    EXPECT_NE(DownloadLogDisplayText(2).find("下 载 资 料 中"), std::string::npos);
    EXPECT_EQ(DownloadLogDisplayText(0), kBlankLines);
}

TEST(DownloadLog, SubLanguageOfLocaleNames) {
    const std::pair<const char*, std::uint16_t> cases[] = {
        {"en_US.UTF-8", 1},   {"en_GB.UTF-8", 2}, {"en_AU", 3},      {"zh_TW", 1},
        {"zh_CN.GB18030", 2}, {"zh-Hant-TW", 1},  {"zh-Hans-CN", 2}, {"zh_HK", 3},
        {"zh-Hans", 2},       {"zh-Hant", 1},     {"zh", 1},         {"de_DE@euro", 1},
        {"de_CH", 2},         {"pt_PT", 2},       {"C", 1},          {"", 1},
    };
    for (auto [name, sub] : cases) {
        EXPECT_EQ(SubLanguageFromLocaleName(name), sub) << name;
    }
}

}  // namespace
}  // namespace vexlor
