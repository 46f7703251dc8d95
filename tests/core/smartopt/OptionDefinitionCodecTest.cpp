#include <gtest/gtest.h>

#include "core/smartopt/OptionDefinitionCodec.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

// The delivered format, built here from its description: XOR with the key, base64, lines of 76.
std::string encode(const std::string& plain, const char* header = "VXOPT1") {
    const std::string key = "Vexlor-QR46IC";
    const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string b64;
    for (std::size_t i = 0; i < plain.size(); i += 3) {
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 3; ++k) {
            const std::size_t at = i + k;
            const auto byte =
                at < plain.size() ? static_cast<std::uint8_t>(plain[at] ^ key[at % 13]) : 0;
            group = group << 8 | byte;
        }
        const std::size_t chars = std::min<std::size_t>(plain.size() - i, 3) + 1;
        for (std::size_t k = 0; k < 4; ++k) {
            b64 += k < chars ? alphabet[(group >> (18 - 6 * k)) & 0x3F] : '=';
        }
    }
    std::string out = std::string(header) + "\n";
    for (std::size_t i = 0; i < b64.size(); i += 76) {
        out += b64.substr(i, 76) + "\n";
    }
    return out;
}

const std::string kXml =
    "<OptionData><SYSCFG><!-- word at 0x1FFF --><Field><Name>Clock</Name>"
    "<StartBit>0</StartBit><Length>2</Length><Option value=\"1\">Crystal 12MHz</Option>"
    "<Option value=\"2\">RC</Option></Field></SYSCFG></OptionData>\n";

TEST(OptionDefinitionCodec, DecodesTheDeliveredFormatInEveryPaddingLength) {
    for (const std::string& xml : {kXml, kXml + " ", kXml + "  "}) {
        const DecodedDefinition decoded = DecodeOptionDefinition(encode(xml));
        ASSERT_TRUE(decoded.ok) << decoded.error;
        EXPECT_EQ(decoded.xml, xml);
    }
}

TEST(OptionDefinitionCodec, RefusesMalformedInputWithItsReason) {
    std::string badChar = encode(kXml);
    badChar[10] = '!';
    std::string truncated = encode(kXml);
    truncated.erase(truncated.size() - 2, 1);
    const auto check = [&](const std::string& input, const char* reason) {
        const DecodedDefinition decoded = DecodeOptionDefinition(input);
        EXPECT_FALSE(decoded.ok) << input;
        EXPECT_NE(decoded.error.find(reason), std::string::npos) << decoded.error;
    };
    check(encode(kXml, "VXOPT2"), "VXOPT1");
    check("", "VXOPT1");
    check(badChar, "base64");
    check(truncated, "base64");
    check("VXOPT1\n", "base64");
    check(encode("<OptionData><SYSCFG></OptionData>"), "XML");
    check(encode("plain text"), "XML");
}

TEST(OptionDefinitionCodec, FileDecodesBesideTheCallerAllOrNothing) {
    ScratchDir dir;
    const auto input = dir.write("QU2201.IC", encode(kXml));
    std::filesystem::create_directory(dir / "out");
    EXPECT_EQ(DecodeDefinitionFile(input, dir / "out"), "");
    EXPECT_EQ(readText(dir / "out" / "QU2201_Dec.ic"), kXml);
    const auto broken = dir.write("QU2203A.IC", encode("no xml"));
    EXPECT_NE(DecodeDefinitionFile(broken, dir / "out"), "");
    EXPECT_FALSE(std::filesystem::exists(dir / "out" / "QU2203A_Dec.ic"));
    // An output directory that cannot take the file: a message, and no staging copy left.
    EXPECT_NE(DecodeDefinitionFile(input, dir / "gone").find("cannot write"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "gone"));
    EXPECT_NE(DecodeDefinitionFile(dir / "missing.IC", dir / "out").find("cannot read"),
              std::string::npos);
}

}  // namespace
}  // namespace vexlor::test
