// Every chip with a smart option has the option source its family is read from, and that
// source describes a word the editor can show.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DeliveredData.h"
#include "core/chipdb/ReadChipXml.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

namespace fs = std::filesystem;

fs::path OptionSource(const DeliveredChip& chip) {
    const fs::path tin = Delivered().base / "tin";
    const std::string& type = chip.info.ChipType;
    if (type == "27" || type == "28" || type == "USB") {
        return tin / "QR46IC" / (chip.name + ".IC");
    }
    if (type == "37") {
        return tin / "QR31IC" / (chip.name + ".tin");
    }
    return tin / (chip.name + ".tin");
}

// Sections of a template: the lines after each "[...]" header, comments and short lines left
// out as the editor leaves them out.
std::map<std::string, std::vector<std::string>> Sections(const fs::path& file) {
    std::map<std::string, std::vector<std::string>> sections;
    std::ifstream in(file);
    std::string line;
    std::string current;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == ';' || line[0] == '*' || line.size() < 2) {
            continue;
        }
        if (line[0] == '[' && line.find(']') != std::string::npos) {
            current = line;
            sections[current];
            continue;
        }
        sections[current].push_back(line);
    }
    return sections;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, separator)) {
        if (!part.empty()) {
            parts.push_back(part);
        }
    }
    return parts;
}

// The documented encoding: a "VXOPT1" line, then base64 lines of the XML XOR-ed with the key.
std::string DecodeOptionDefinition(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    if (!std::getline(in, line) || line != "VXOPT1") {
        return {};
    }
    std::string b64;
    while (std::getline(in, line)) {
        b64 += line;
    }
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string bytes;
    unsigned bits = 0;
    int count = 0;
    for (char c : b64) {
        if (c == '=') {
            break;
        }
        const auto value = alphabet.find(c);
        if (value == std::string::npos) {
            return {};
        }
        bits = bits << 6 | static_cast<unsigned>(value);
        count += 6;
        if (count >= 8) {
            count -= 8;
            bytes += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    const std::string key = "Vexlor-QR46IC";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(bytes[i] ^ key[i % key.size()]);
    }
    return bytes;
}

TEST(OptionSourcesData, EverySmartOptionChipHasItsSource) {
    int templates = 0;
    int definitions = 0;
    int underQR31 = 0;
    for (const auto& chip : Delivered().chips) {
        if (chip.keys.HaveSmartOPT == 0) {
            continue;
        }
        const fs::path source = OptionSource(chip);
        EXPECT_TRUE(fs::is_regular_file(source)) << chip.name << ": " << source;
        (source.extension() == ".IC" ? definitions : templates)++;
        underQR31 += source.parent_path().filename() == "QR31IC" ? 1 : 0;
    }
    EXPECT_GE(templates, 3);
    EXPECT_GE(underQR31, 1);
    EXPECT_GE(definitions, 3);
}

TEST(OptionSourcesData, TemplatesDescribeEveryItemConsistently) {
    for (const auto& chip : Delivered().chips) {
        const fs::path source = OptionSource(chip);
        if (chip.keys.HaveSmartOPT == 0 || source.extension() != ".tin") {
            continue;
        }
        SCOPED_TRACE(chip.name);
        auto sections = Sections(source);
        std::vector<std::string> menu;
        for (const auto& item : sections["[MENU]"]) {
            if (item.find("Operating Voltage") != std::string::npos ||
                item.find("ICE Mode") != std::string::npos) {
                break;
            }
            menu.push_back(item);
        }
        ASSERT_GE(menu.size(), 2u);
        ASSERT_LE(menu.size(), 9u) << "only nine selections are kept";
        ASSERT_EQ(sections["[ITEM]"].size(), menu.size());
        ASSERT_EQ(sections["[DIPSWITCH]"].size(), menu.size());
        ASSERT_EQ(sections["[FIRST]"].size(), 1u);
        for (std::size_t i = 0; i < menu.size(); ++i) {
            const auto settings = Split(sections["[ITEM]"][i], '\x01');
            const auto tokens = Split(sections["[DIPSWITCH]"][i], ' ');
            ASSERT_FALSE(tokens.empty());
            if (tokens[0] == "SW" || tokens[0] == "sw") {
                continue;
            }
            ASSERT_EQ(tokens.size(), settings.size() + 2) << menu[i];
            const unsigned index = std::stoul(tokens[0], nullptr, 16);
            const unsigned mask = std::stoul(tokens[1], nullptr, 16);
            EXPECT_LE(index, 1u) << menu[i] << ": the option word has two bytes";
            // These chips' word is shifted right by 8 first: only its high byte remains.
            if (chip.name == "QR31X3517" || chip.name == "QR31S0840" || chip.name == "QR31S2345") {
                EXPECT_EQ(index, 0u) << menu[i];
            }
            for (std::size_t s = 2; s < tokens.size(); ++s) {
                const unsigned value = std::stoul(tokens[s], nullptr, 16);
                EXPECT_EQ(value & ~mask, 0u) << menu[i] << " setting " << settings[s - 2];
            }
        }
    }
}

TEST(OptionSourcesData, EncodedDefinitionsDecodeIntoFieldsOfTheOptionWord) {
    for (const auto& chip : Delivered().chips) {
        const fs::path source = OptionSource(chip);
        if (chip.keys.HaveSmartOPT == 0 || source.extension() != ".IC") {
            continue;
        }
        SCOPED_TRACE(chip.name);
        const std::string xml = DecodeOptionDefinition(source);
        ASSERT_FALSE(xml.empty());
        ScratchDir scratch;
        const fs::path decoded = scratch.write(chip.name + "_Dec.ic", xml);
        RecordingOperator op;
        ReadChipXml document(op, scratch.path());
        ASSERT_EQ(document.ReadSysCfgOptions(decoded), 1) << xml;
        const auto& fields = document.sysCfgFields();
        ASSERT_GE(fields.size(), 2u);
        for (const auto& field : fields) {
            EXPECT_FALSE(field.Name.empty());
            EXPECT_EQ(field.Enable, 1) << field.Name;
            EXPECT_GE(field.Length, 1) << field.Name;
            EXPECT_LE(field.StartBit + field.Length, 16) << field.Name;
            EXPECT_EQ(field.Location, chip.info.CFG_Address) << field.Name;
            ASSERT_FALSE(field.Options.empty()) << field.Name;
            for (const auto& choice : field.Options) {
                EXPECT_GE(choice.Value, 0) << field.Name;
                EXPECT_LT(choice.Value, 1 << field.Length) << field.Name << " " << choice.Text;
            }
        }
    }
}

}  // namespace
}  // namespace vexlor::test
