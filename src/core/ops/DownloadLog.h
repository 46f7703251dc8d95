#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vexlor {

// The log text shown while a load downloads, by the sub-language field of the system default
// language. The Chinese lines are kept in the code pages they were written in, byte for byte.
std::string DownloadLogText(std::uint16_t subLanguage);
// The same text as UTF-8, the way the log area shows it.
std::string DownloadLogDisplayText(std::uint16_t subLanguage);

// The sub-language field (bits 10-15 of the language identifier) of a locale name such as
// "en_US.UTF-8", "zh-Hant-TW" or "C": 1 for a language's main country, other values for the
// other countries.
std::uint16_t SubLanguageFromLocaleName(std::string_view localeName);

}  // namespace vexlor
