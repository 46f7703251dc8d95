#include <gtest/gtest.h>

#include "core/ops/DownloadLog.h"

namespace vexlor {
namespace {

std::string blankLines() {
    std::string text;
    for (int i = 0; i < 26; ++i) {
        text += "\r\n";
    }
    return text;
}

const std::string kEnglish = "Downloading Data , Please don't power off or plug out USB cable\r\n";

TEST(DownloadLog, TraditionalChineseLineInBig5) {
    // "下載資料中 , 請勿關閉電源或拔除USB接線" in Big5.
    const std::string big5 =
        "\xA4\x55\xB8\xFC\xB8\xEA\xAE\xC6\xA4\xA4 , \xBD\xD0\xA4\xC5\xC3\xF6\xB3\xAC\xB9q\xB7\xBD"
        "\xA9\xCE\xA9\xDE\xB0\xA3USB\xB1\xB5\xBDu";
    const std::string expected =
        blankLines() + std::string(40, ' ') + big5 + "\r\n\r\n" + std::string(40, ' ') + kEnglish;
    EXPECT_EQ(DownloadLogText(1), expected);
}

TEST(DownloadLog, SimplifiedChineseLineInGbkAfterTwoBytes) {
    // 0xA4 0x55, then "下 载 资 料 中 , 勿 关 闭 电 源 或 拔 出 USB 接 线" in GBK.
    const std::string gbk =
        "\xA4U\xCF\xC2 \xD4\xD8 \xD7\xCA \xC1\xCF \xD6\xD0 , \xCE\xF0 \xB9\xD8 \xB1\xD5 \xB5\xE7 "
        "\xD4\xB4 \xBB\xF2 \xB0\xCE \xB3\xF6 USB \xBD\xD3 \xCF\xDF";
    const std::string expected =
        blankLines() + std::string(13, ' ') + gbk + "\r\n\r\n" + std::string(13, ' ') + kEnglish;
    EXPECT_EQ(DownloadLogText(2), expected);
}

TEST(DownloadLog, OtherSubLanguagesGetTheEmptyLinesOnly) {
    for (std::uint16_t sub : {0, 3, 4, 63}) {
        EXPECT_EQ(DownloadLogText(sub), blankLines()) << sub;
    }
}

TEST(DownloadLog, SubLanguageOfLocaleNames) {
    const std::pair<const char*, std::uint16_t> cases[] = {
        {"en_US", 1},         {"en_US.UTF-8", 1}, {"en_GB.UTF-8", 2}, {"en_AU", 3}, {"zh_TW", 1},
        {"zh_CN.GB18030", 2}, {"zh-Hant-TW", 1},  {"zh-Hans-CN", 2},  {"zh_HK", 3}, {"zh-Hans", 2},
        {"zh-Hant", 1},       {"zh", 1},          {"de_DE@euro", 1},  {"de_CH", 2}, {"pt_BR", 1},
        {"pt_PT", 2},         {"C", 1},           {"POSIX", 1},       {"", 1},
    };
    for (auto [name, sub] : cases) {
        EXPECT_EQ(SubLanguageFromLocaleName(name), sub) << name;
    }
}

}  // namespace
}  // namespace vexlor
