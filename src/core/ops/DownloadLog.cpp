#include "core/ops/DownloadLog.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "core/base/CodePageText.h"

namespace vexlor {

namespace {

constexpr std::string_view kEnglishLine =
    "Downloading Data , Please don't power off or plug out USB cable\r\n";

// Traditional Chinese, code page Big5.
constexpr std::string_view kBig5Line =
    "\xA4\x55\xB8\xFC\xB8\xEA\xAE\xC6\xA4\xA4\x20\x2C\x20\xBD\xD0\xA4\xC5\xC3\xF6\xB3\xAC\xB9\x71"
    "\xB7\xBD\xA9\xCE\xA9\xDE\xB0\xA3USB\xB1\xB5\xBD\x75";
// Simplified Chinese, code page GBK, behind two bytes of the Big5 line.
constexpr std::string_view kGbkLine =
    "\xA4\x55"
    "\xCF\xC2 \xD4\xD8 \xD7\xCA \xC1\xCF \xD6\xD0 , \xCE\xF0 \xB9\xD8 \xB1\xD5 \xB5\xE7 \xD4\xB4 "
    "\xBB\xF2 \xB0\xCE \xB3\xF6 USB \xBD\xD3 \xCF\xDF";

std::string block(std::size_t indent, std::string_view chineseLine) {
    const std::string blanks(indent, ' ');
    std::string text = blanks;
    text.append(chineseLine);
    text.append("\r\n\r\n");
    text.append(blanks);
    text.append(kEnglishLine);
    return text;
}

struct Territory {
    std::string_view language;
    std::string_view country;
    std::uint16_t subLanguage;
};

// Countries other than a language's main one, as the system numbers them.
constexpr std::array<Territory, 17> kTerritories{{
    {"en", "GB", 2},
    {"en", "AU", 3},
    {"en", "CA", 4},
    {"zh", "TW", 1},
    {"zh", "CN", 2},
    {"zh", "HK", 3},
    {"zh", "SG", 4},
    {"zh", "MO", 5},
    {"de", "CH", 2},
    {"de", "AT", 3},
    {"fr", "BE", 2},
    {"fr", "CA", 3},
    {"fr", "CH", 4},
    {"es", "MX", 2},
    {"pt", "PT", 2},
    {"nl", "BE", 2},
    {"it", "CH", 2},
}};

}  // namespace

std::string DownloadLogText(std::uint16_t subLanguage) {
    std::string text;
    for (int i = 0; i < 26; ++i) {
        text.append("\r\n");
    }
    if (subLanguage == 1) {
        text.append(block(40, kBig5Line));
    } else if (subLanguage == 2) {
        text.append(block(13, kGbkLine));
    }
    return text;
}

std::string DownloadLogDisplayText(std::uint16_t subLanguage) {
    // The simplified line keeps the traditional line's first two bytes, which GBK reads as
    // a character of its own; only the code page of the line as a whole is known.
    return CodePageToUtf8(DownloadLogText(subLanguage), subLanguage == 2 ? "GBK" : "BIG5");
}

std::uint16_t SubLanguageFromLocaleName(std::string_view localeName) {
    localeName = localeName.substr(0, std::min(localeName.find('.'), localeName.find('@')));
    std::string_view language = localeName.substr(0, localeName.find_first_of("_-"));
    std::string_view country;
    std::string_view script;
    std::string_view rest = localeName.substr(language.size());
    while (!rest.empty()) {
        rest.remove_prefix(1);
        const std::string_view part = rest.substr(0, rest.find_first_of("_-"));
        rest.remove_prefix(part.size());
        if (part.size() == 2 && std::isupper(static_cast<unsigned char>(part[0]))) {
            country = part;
        } else if (part.size() == 4) {
            script = part;
        }
    }
    if (language == "zh" && country.empty()) {
        return script == "Hans" ? 2 : 1;
    }
    for (const Territory& t : kTerritories) {
        if (t.language == language && t.country == country) {
            return t.subLanguage;
        }
    }
    return 1;
}

}  // namespace vexlor
