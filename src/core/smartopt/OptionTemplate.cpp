#include "core/smartopt/OptionTemplate.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>

#include "core/base/Diagnostics.h"

namespace vexlor {

namespace {

// Templates are a few hundred bytes; anything far larger is not one.
constexpr std::uintmax_t kLargestTemplate = 1 << 20;
constexpr std::size_t kLongestText = 255;

using Lines = std::vector<std::string>;

// The lines that carry content: comments and lines of fewer than two characters are dropped,
// and the line end (LF or CR LF) is not part of a line.
std::optional<Lines> readUsedLines(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec) ||
        std::filesystem::file_size(file, ec) > kLargestTemplate || ec) {
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    Lines lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.size() >= 2 && line[0] != ';' && line[0] != '*') {
            lines.push_back(line);
        }
    }
    return lines;
}

bool isSectionEnd(const std::string& line) {
    return line[0] == '[' && line.find(']') != std::string::npos;
}

// Index of the first line after the header, or the line count when there is none.
std::size_t sectionStart(const Lines& lines, std::string_view header) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find(header) != std::string::npos) {
            return i + 1;
        }
    }
    return lines.size();
}

bool isMenuEnd(const std::string& line) {
    return isSectionEnd(line) || line[0] == '.';
}

// Items from the first of these on are the writer's own business and are not shown.
bool isStopText(const std::string& line) {
    for (std::string_view stop :
         {"Address range of IAP", "IAP data reserve range", "ICE Mode", "Operating Voltage"}) {
        if (line.find(stop) != std::string::npos) {
            return true;
        }
    }
    return false;
}

void readMenu(const Lines& lines, std::vector<SmartOptionItem>& items) {
    const std::size_t start = sectionStart(lines, "[MENU]");
    std::size_t end = start;
    while (end < lines.size() && !isMenuEnd(lines[end])) {
        ++end;
    }
    // Numbering follows the whole menu, the items after a stop text included.
    const bool numbered = end - start >= 2;
    for (std::size_t i = start; i < end && !isStopText(lines[i]); ++i) {
        SmartOptionItem item;
        const std::string& text = lines[i];
        item.name =
            numbered ? format("%02d. %s", static_cast<int>(i - start + 1), text.c_str()) : text;
        item.name.resize(std::min(item.name.size(), kLongestText));
        items.push_back(std::move(item));
    }
}

std::vector<std::string> splitSettings(const std::string& text) {
    std::vector<std::string> settings;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t to = std::min(text.find('\x01', from), text.size());
        settings.push_back(text.substr(from, to - from));
        from = to + 1;
    }
    return settings;
}

void readSettings(const Lines& lines, std::vector<SmartOptionItem>& items) {
    std::size_t i = sectionStart(lines, "[ITEM]");
    for (SmartOptionItem& item : items) {
        if (i >= lines.size() || isSectionEnd(lines[i])) {
            break;
        }
        item.settingsText = lines[i++].substr(0, kLongestText);
        item.settings = splitSettings(item.settingsText);
    }
}

std::optional<int> defaultIndex(char c) {
    if (c >= '1' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'Z') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 10;
    }
    return std::nullopt;
}

// The line's first character belongs to no item: character k is the default of item k.
void readDefaults(const Lines& lines, SmartOptionBlock& block) {
    const std::size_t at = sectionStart(lines, "[FIRST]");
    if (at >= lines.size() || isSectionEnd(lines[at])) {
        return;
    }
    const std::string& line = lines[at];
    const std::size_t count = std::min({line.size(), block.items.size(), kSelectionEntries});
    for (std::size_t k = 1; k < count; ++k) {
        if (const auto index = defaultIndex(line[k])) {
            block.selections[k] = *index;
        }
    }
}

std::optional<std::uint32_t> hexToken(const std::string& token) {
    std::uint32_t value = 0;
    const char* end = token.data() + token.size();
    const auto [ptr, ec] = std::from_chars(token.data(), end, value, 16);
    if (ec != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return value;
}

bool isSwitchName(const std::string& token) {
    return token.size() == 2 && (token[0] == 'S' || token[0] == 's') &&
           (token[1] == 'W' || token[1] == 'w');
}

// Byte index, mask, then one value per setting; reading stops at the first token that is not
// hexadecimal, so a damaged line gives its item fewer values, never wrong ones.
void readSwitchLine(const std::string& line, SmartOptionItem& item) {
    item.switchLine = true;
    std::istringstream tokens(line);
    std::string token;
    if (!(tokens >> token) || isSwitchName(token)) {
        return;
    }
    const auto byteIndex = hexToken(token);
    std::optional<std::uint32_t> mask;
    if (byteIndex && tokens >> token) {
        mask = hexToken(token);
    }
    if (!mask) {
        return;
    }
    item.byteIndex = *byteIndex;
    item.mask = *mask;
    while (tokens >> token) {
        const auto value = hexToken(token);
        if (!value) {
            break;
        }
        item.values.push_back(*value);
    }
}

void readSwitches(const Lines& lines, std::vector<SmartOptionItem>& items) {
    std::size_t i = sectionStart(lines, "[DIPSWITCH]");
    for (SmartOptionItem& item : items) {
        if (i >= lines.size() || isSectionEnd(lines[i])) {
            break;
        }
        readSwitchLine(lines[i++], item);
    }
}

}  // namespace

int ParseOptionTemplate(const std::filesystem::path& file, SmartOptionBlock& block) {
    block = SmartOptionBlock{};
    const auto lines = readUsedLines(file);
    if (!lines) {
        return 0;
    }
    readMenu(*lines, block.items);
    readSettings(*lines, block.items);
    readDefaults(*lines, block);
    readSwitches(*lines, block.items);
    return static_cast<int>(block.items.size());
}

}  // namespace vexlor
