#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/convert/HexImage.h"
#include "support/HexText.h"
#include "support/ScratchDir.h"

namespace vexlor {
namespace {

using test::readBytes;
using test::ScratchDir;
using Bytes = std::vector<std::uint8_t>;

struct HexRun {
    HexImageOutcome outcome;
    Bytes output;
    bool outputExists;
    std::string diagnostics;
};

HexRun runHex(const std::string& text, const HexImageRules& rules) {
    ScratchDir dir;
    const auto input = dir.write("prog.hex", text);
    const auto output = dir / "prog.bin";
    std::string captured;
    Diagnostics diagnostics([&](std::string_view line) { captured += line; });
    HexRun run{ConvertHexToImage(input, output, rules, diagnostics), {}, false, captured};
    run.outputExists = std::filesystem::exists(output);
    if (run.outputExists) {
        run.output = readBytes(output);
    }
    return run;
}

HexRun runHex(const std::string& text, int fillMode, std::uint32_t lengthOverride = 0) {
    return runHex(text, HexImageRules{fillMode, lengthOverride, kHexImageSize, false});
}

struct ImageCase {
    std::string name;
    int fillMode = 0;
    std::uint32_t lengthOverride = 0;
    Bytes expected;
    std::string text;
};

std::string unescaped(std::string line) {
    for (const auto& [escape, character] : {std::pair{"\\r", '\r'}, {"\\t", '\t'}, {"\\s", ' '}}) {
        for (auto at = line.find(escape); at != std::string::npos; at = line.find(escape, at + 1)) {
            line.replace(at, 2, 1, character);
        }
    }
    return line;
}

// The cases of tests/data/convert/hex-images.txt.
std::vector<ImageCase> imageCases() {
    std::istringstream in(test::dataText("convert/hex-images.txt"));
    std::vector<ImageCase> cases;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("== ", 0) != 0) {
            if (!cases.empty()) {
                cases.back().text += unescaped(line) + "\n";
            }
            continue;
        }
        ImageCase c;
        std::istringstream head(line.substr(3));
        std::string expected;
        char bar = 0;
        std::getline(head, c.name, '|');
        head >> c.fillMode >> bar >> c.lengthOverride >> bar;
        for (std::string byte; head >> byte && byte != "-";) {
            c.expected.push_back(static_cast<std::uint8_t>(std::stoul(byte, nullptr, 16)));
        }
        cases.push_back(c);
    }
    return cases;
}

TEST(ConvertHexToImage, WritesTheImageUpToTheHighestAddress) {
    const auto cases = imageCases();
    ASSERT_EQ(cases.size(), 20u);
    for (const ImageCase& c : cases) {
        const HexRun run = runHex(c.text, c.fillMode, c.lengthOverride);
        EXPECT_EQ(run.outcome.result, 0) << c.name << ": " << run.outcome.reason;
        EXPECT_TRUE(run.outcome.reason.empty()) << c.name;
        EXPECT_EQ(run.output, c.expected) << c.name;
    }
}

TEST(ConvertHexToImage, RefusesWhatItCannotReadExactly) {
    struct Case {
        const char* name;
        std::string text;
        std::size_t readLimit;
        std::string reason;
        bool damagedOnly;  // the operator may accept it
    };
    const std::string end = ":00000001FF\n";
    const std::string sixteenBytes = ":1000000000112233445566778899AABBCCDDEEFFF8";
    const Case cases[] = {
        {"comment first", "; made by hand\n:0100000011EE\n" + end, kHexImageSize,
         "it is not in Intel HEX format", false},
        {"empty file", "", kHexImageSize, "it is not in Intel HEX format", false},
        {"only blank lines", "\n \n", kHexImageSize, "it is not in Intel HEX format", false},
        {"a data digit that is no hex digit", ":0100000011EE\n:02000000G1H2E1\n" + end,
         kHexImageSize, "line 2: character 'G' at column 10 is not a hex digit", false},
        {"an odd number of digits", ":0100000011E\n" + end, kHexImageSize,
         "line 1: the record has an odd number of hex digits", false},
        {"count larger than the data", ":0200000011ED\n" + end, kHexImageSize,
         "line 1: the record's length does not match its byte count", false},
        {"a record type no reader knows", ":020000060000F8\n" + end, kHexImageSize,
         "line 1: record type 06 with byte count 2", false},
        {"an end-of-file record with data", ":01000001AA54\n", kHexImageSize,
         "line 1: record type 01 with byte count 1", false},
        {"a base record of the wrong size", ":0100000211EC\n" + end, kHexImageSize,
         "line 1: record type 02 with byte count 1", false},
        {"a line that is not a record after records", ":0100000011EE\nrubbish\n" + end,
         kHexImageSize, "line 2: the line is not an Intel HEX record", false},
        {"type-04 data past what the chip takes", ":020000040001F9\n:0100000033CC\n" + end, 0x8000,
         "line 2: data at address 10000 is outside the 32768 bytes (0-7FFF)", false},
        {"a record reaching past what the chip takes", ":0400FE0001020304F4\n" + end, 0x100,
         "line 1: data at address 100 is outside the 256 bytes (0-FF)", false},
        {"a wrong record checksum", ":0100000011EE\n:0100010022DD\n" + end, kHexImageSize,
         "line 2: the record checksum is DD, its bytes add up to DC", true},
        {"no end-of-file record", ":0100000011EE\n", kHexImageSize,
         "the file ends without an end-of-file record", true},
        {"a wrong checksum does not hide a bad character", ":0100000011EF\n:01000100Z2DC\n" + end,
         kHexImageSize, "line 2: character 'Z'", false},
        // Longer than any record can be (5 + 255 bytes): refused, and still checked to the end.
        {"a record past the longest", ":FF000000" + std::string(2 * 266, '0') + "\n" + end,
         kHexImageSize, "line 1: the record's length does not match its byte count", false},
        {"one pair past the longest record", ":FF000000" + std::string(2 * 257, '0') + "\n" + end,
         kHexImageSize, "line 1: the record's length does not match its byte count", false},
        // Sixteen digits are checked at once; the fault is still named by its column.
        {"a bad digit among sixteen", ":10000000001122334455667x8899AABBCCDDEEFFF8\n" + end,
         kHexImageSize, "line 1: character 'x' at column 25 is not a hex digit", false},
        {"a byte above ASCII among sixteen",
         sixteenBytes.substr(0, 4) + "\xC1" + sixteenBytes.substr(5) + "\n" + end, kHexImageSize,
         "at column 5 is not a hex digit", false},
        {"a bad last digit of the checksum", ":0100000011Eg\n" + end, kHexImageSize,
         "line 1: character 'g' at column 13 is not a hex digit", false},
        {"a bad digit past the longest record", ":FF000000" + std::string(2 * 265, '0') + "Z0\n",
         kHexImageSize, "line 1: character 'Z' at column 540 is not a hex digit", false},
    };
    for (const Case& c : cases) {
        const HexRun run = runHex(c.text, HexImageRules{1, 0, c.readLimit, false});
        EXPECT_EQ(run.outcome.result, 1) << c.name;
        EXPECT_NE(run.outcome.reason.find(c.reason), std::string::npos)
            << c.name << ": " << run.outcome.reason;
        EXPECT_EQ(run.outcome.damagedOnly, c.damagedOnly) << c.name;
        EXPECT_FALSE(run.outputExists) << c.name;
        EXPECT_NE(run.diagnostics.find(c.reason), std::string::npos) << c.name;
    }
}

TEST(ConvertHexToImage, AcceptedDamageStillConvertsEveryRecord) {
    const HexImageRules accept{1, 0, kHexImageSize, true};
    const HexRun badChecksum = runHex(":0100000011EF\n:0100010022DC\n:00000001FF\n", accept);
    EXPECT_EQ(badChecksum.outcome.result, 0);
    EXPECT_EQ(badChecksum.output, (Bytes{0x11, 0x22}));
    const HexRun cutOff = runHex(":0100000011EE\n:0100010022DC\n", accept);
    EXPECT_EQ(cutOff.outcome.result, 0);
    EXPECT_EQ(cutOff.output, (Bytes{0x11, 0x22}));
    EXPECT_EQ(runHex(":0100000011EE\n:01000100Z2DC\n", accept).outcome.result, 1);
}

TEST(ConvertHexToImage, UnreadableInputAndUnwritableOutputAreRefused) {
    ScratchDir dir;
    Diagnostics quiet([](std::string_view) {});
    const HexImageOutcome missing =
        ConvertHexToImage(dir / "absent.hex", dir / "out.bin", {}, quiet);
    EXPECT_EQ(missing.result, 1);
    EXPECT_EQ(missing.reason, "The file cannot be opened.");
    EXPECT_FALSE(std::filesystem::exists(dir / "out.bin"));
    const auto input = dir.write("prog.hex", ":0100000011EE\n:00000001FF\n");
    const HexImageOutcome unwritable =
        ConvertHexToImage(input, dir / "no-such-dir" / "out.bin", {}, quiet);
    EXPECT_EQ(unwritable.result, 1);
    EXPECT_NE(unwritable.reason.find("cannot be written"), std::string::npos);
}

TEST(ConvertHexToImage, RecordsMustEndInsideTheImage) {
    // 0xFFFF + 21 bytes ends exactly at 65,556; one byte more would pass the end.
    const std::string fits = ":15FFFF00" + std::string(42, '1') + "88\n:00000001FF\n";
    const HexRun inside = runHex(fits, 1);
    ASSERT_EQ(inside.outcome.result, 0) << inside.outcome.reason;
    ASSERT_EQ(inside.output.size(), 65556u);
    EXPECT_EQ(inside.output[0xFFFE], 0xFF);
    EXPECT_EQ(inside.output[0xFFFF], 0x11);
    EXPECT_EQ(inside.output[65555], 0x11);
    const std::string past = ":16FFFF00" + std::string(44, '1') + "76\n:00000001FF\n";
    EXPECT_EQ(runHex(past, 1).outcome.result, 1);
    // Scaled by 2, word address 0x8009 lands on 0x10012 and its two bytes end at 65,556;
    // word address 0x800A would end two bytes past it.
    EXPECT_EQ(runHex(":02800A0012342E\n:00000001FF\n", 3).outcome.result, 1);
    const HexRun scaledInside = runHex(":0280090012342F\n:00000001FF\n", 3);
    EXPECT_EQ(scaledInside.outcome.result, 0);
    ASSERT_EQ(scaledInside.output.size(), 65556u);
    EXPECT_EQ(scaledInside.output[0x10012], 0x12);
    EXPECT_EQ(scaledInside.output[0x10013], 0x34);
}

TEST(ConvertHexToImage, LinesCutBetweenReadPiecesAreReadWhole) {
    Bytes image(0x10000);
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    }
    const std::string lf = test::hexText(image);
    ASSERT_GT(lf.size(), 2 * kFilePieceBytes);
    std::string crlf;
    for (char c : lf) {
        crlf += c == '\n' ? "\r\n" : std::string(1, c);
    }
    for (const std::string& text : {lf, crlf}) {
        const HexRun run = runHex(text, 1);
        EXPECT_EQ(run.outcome.result, 0) << run.outcome.reason;
        EXPECT_EQ(run.output, image);
        EXPECT_EQ(run.outcome.image, image);
    }
    // 4096 records, then a line that is none, in place of the end record.
    const std::string broken = lf.substr(0, lf.size() - 12) + "rubbish\n";
    EXPECT_EQ(runHex(broken, 1).outcome.reason, "line 4097: the line is not an Intel HEX record");
}

}  // namespace
}  // namespace vexlor
