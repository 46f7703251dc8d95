#include "core/smartopt/OptionDefinitionCodec.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <optional>
#include <span>
#include <vector>

#include "core/chipdb/XmlFile.h"
#include "core/serial/AtomicFile.h"

namespace vexlor {

namespace {

constexpr std::string_view kHeader = "VXOPT1";
constexpr std::string_view kKey = "Vexlor-QR46IC";
// The delivered files are a few kilobytes.
constexpr std::uintmax_t kLargestEncoded = 4 << 20;

int sextet(char c) {
    if (c >= 'A' && c <= 'Z') {
        return c - 'A';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 26;
    }
    if (c >= '0' && c <= '9') {
        return c - '0' + 52;
    }
    return c == '+' ? 62 : c == '/' ? 63 : -1;
}

// Strict base64: whole groups of four, padding only at the very end.
std::optional<std::string> decodeBase64(std::string_view text) {
    if (text.size() % 4 != 0) {
        return std::nullopt;
    }
    std::string bytes;
    for (std::size_t at = 0; at < text.size(); at += 4) {
        const bool last = at + 4 == text.size();
        const std::size_t padding = !last                 ? 0
                                    : text[at + 3] != '=' ? 0
                                    : text[at + 2] != '=' ? 1
                                                          : 2;
        std::uint32_t group = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            const int value = i < 4 - padding ? sextet(text[at + i]) : 0;
            if (value < 0) {
                return std::nullopt;
            }
            group = group << 6 | static_cast<std::uint32_t>(value);
        }
        for (std::size_t i = 0; i < 3 - padding; ++i) {
            bytes += static_cast<char>((group >> (16 - 8 * i)) & 0xFF);
        }
    }
    return bytes;
}

// Everything after the header line, without line ends.
std::optional<std::string> base64Body(std::string_view encoded) {
    const std::size_t lineEnd = encoded.find('\n');
    std::string_view header = encoded.substr(0, lineEnd);
    if (!header.empty() && header.back() == '\r') {
        header.remove_suffix(1);
    }
    if (header != kHeader) {
        return std::nullopt;
    }
    std::string body;
    if (lineEnd != std::string_view::npos) {
        for (char c : encoded.substr(lineEnd + 1)) {
            if (c != '\n' && c != '\r') {
                body += c;
            }
        }
    }
    return body;
}

std::optional<std::string> readSmallFile(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec) ||
        std::filesystem::file_size(file, ec) > kLargestEncoded || ec) {
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return text;
}

}  // namespace

DecodedDefinition DecodeOptionDefinition(std::string_view encoded) {
    const auto body = base64Body(encoded);
    if (!body) {
        return {false, {}, "not an encoded option definition (the first line is not VXOPT1)"};
    }
    auto xml = decodeBase64(*body);
    if (!xml || xml->empty()) {
        return {false, {}, "the encoded option definition is not valid base64"};
    }
    for (std::size_t i = 0; i < xml->size(); ++i) {
        (*xml)[i] = static_cast<char>((*xml)[i] ^ kKey[i % kKey.size()]);
    }
    pugi::xml_document document;
    if (LoadXmlText(*xml, document) != XmlLoad::Loaded) {
        return {false, {}, "the decoded option definition is not well-formed XML"};
    }
    return {true, std::move(*xml), {}};
}

std::string DecodedDefinitionName(const std::filesystem::path& encodedFile) {
    return encodedFile.stem().string() + "_Dec.ic";
}

std::string DecodeDefinitionFile(const std::filesystem::path& encodedFile,
                                 const std::filesystem::path& outputDirectory) {
    const auto encoded = readSmallFile(encodedFile);
    if (!encoded) {
        return "cannot read " + encodedFile.string();
    }
    const DecodedDefinition decoded = DecodeOptionDefinition(*encoded);
    if (!decoded.ok) {
        return encodedFile.string() + ": " + decoded.error;
    }
    const std::filesystem::path output = outputDirectory / DecodedDefinitionName(encodedFile);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(decoded.xml.data());
    if (!ReplaceFileAtomically(output, std::span(bytes, decoded.xml.size()))) {
        return "cannot write " + output.string();
    }
    return {};
}

}  // namespace vexlor
