#include "core/base/ProgressJson.h"

#include <array>
#include <cstdio>

namespace vexlor {

namespace {

// Length of the UTF-8 sequence that starts at text[i], or 0 when it is not a valid one.
std::size_t utf8Length(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    std::uint32_t lowest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        lowest = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    std::uint32_t code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (next & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < lowest || code > 0x10FFFF || surrogate ? 0 : length;
}

void appendField(std::string& line, std::string_view key, std::string_view jsonValue) {
    line += ",\"";
    line += key;
    line += "\":";
    line += jsonValue;
}

}  // namespace

std::string JsonString(std::string_view text) {
    std::string json = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const std::size_t length = utf8Length(text, i);
            json += length == 0 ? std::string_view("\xEF\xBF\xBD") : text.substr(i, length);
            i += length == 0 ? 1 : length;
            continue;
        }
        switch (c) {
            case '"':
                json += "\\\"";
                break;
            case '\\':
                json += "\\\\";
                break;
            case '\n':
                json += "\\n";
                break;
            case '\r':
                json += "\\r";
                break;
            case '\t':
                json += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    std::array<char, 8> escaped{};
                    std::snprintf(escaped.data(), escaped.size(), "\\u%04x", c);
                    json += escaped.data();
                } else {
                    json += static_cast<char>(c);
                }
        }
        ++i;
    }
    return json + "\"";
}

std::string_view ProgressKindName(ProgressKind kind) {
    switch (kind) {
        case ProgressKind::Stage:
            return "stage";
        case ProgressKind::Range:
            return "range";
        case ProgressKind::Position:
            return "position";
        case ProgressKind::AlmostDone:
            return "almost-done";
        case ProgressKind::Bytes:
            return "bytes";
        case ProgressKind::Address:
            return "address";
        case ProgressKind::Result:
            return "result";
        case ProgressKind::Message:
            break;
    }
    return "message";
}

std::string ProgressEventJson(const ProgressEvent& event, std::uint64_t timeMs) {
    std::string line = "{\"event\":" + JsonString(ProgressKindName(event.kind));
    appendField(line, "t", std::to_string(timeMs));
    switch (event.kind) {
        case ProgressKind::Stage:
            appendField(line, "stage", JsonString(event.stage));
            break;
        case ProgressKind::Range:
            appendField(line, "low", std::to_string(event.low));
            appendField(line, "high", std::to_string(event.high));
            break;
        case ProgressKind::Position:
            appendField(line, "position", std::to_string(event.position));
            break;
        case ProgressKind::Bytes:
            appendField(line, "done", std::to_string(event.done));
            appendField(line, "total", std::to_string(event.total));
            break;
        case ProgressKind::Address:
            appendField(line, "address", std::to_string(event.address));
            break;
        case ProgressKind::Result:
            appendField(line, "stage", JsonString(event.stage));
            appendField(line, "ok", event.ok ? "true" : "false");
            appendField(line, "message", JsonString(event.message));
            break;
        case ProgressKind::Message:
            appendField(line, "message", JsonString(event.message));
            break;
        case ProgressKind::AlmostDone:
            break;
    }
    return line + "}";
}

}  // namespace vexlor
