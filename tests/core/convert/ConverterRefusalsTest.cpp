// What the converters refuse. Every chip family's converter, taken from the dispatch itself,
// refuses a job it cannot finish with a message naming what is missing and leaves no buffer
// file for a download; a raw image must be binary and of a size the converter reads.
#include <gtest/gtest.h>

#include <cstring>

#include "ConvertTestSupport.h"
#include "core/convert/InsideNumberDispatch.h"
#include "core/convert/RawImage.h"
#include "support/ChipRecord.h"

namespace vexlor::test {
namespace {

std::vector<std::uint32_t> routedInsideNumbers() {
    std::vector<std::uint32_t> routed;
    for (const auto& [low, high] : {std::pair{0x1300u, 0x1700u}, {0x27500u, 0x28100u}}) {
        for (std::uint32_t n = low; n < high; ++n) {
            if (chipOfInsideNumber(n)) {
                routed.push_back(n);
            }
        }
    }
    return routed;
}

TEST(ConverterRefusals, MissingTemplateProgramOrSerialFileLeavesNoBuffers) {
    enum class Lacking { Template, Program, SerialFile };
    const std::vector<std::uint32_t> routed = routedInsideNumbers();
    ASSERT_GE(routed.size(), 10u);
    for (const std::uint32_t insideNumber : routed) {
        const std::string chip(*chipOfInsideNumber(insideNumber));
        for (const Lacking lacking : {Lacking::Template, Lacking::Program, Lacking::SerialFile}) {
            SCOPED_TRACE(chip + " lacking " + std::to_string(static_cast<int>(lacking)));
            ConvertBench bench;
            if (lacking != Lacking::Template) {
                writeTemplate(bench.dir, chip);
            }
            // Both readings of a program: a ".bin" image and anything else as HEX text.
            const char* program = lacking == Lacking::SerialFile ? "absent.hex" : "absent.bin";
            const ICInfo ic = chipRecord(chip, insideNumber);  // the job keeps a reference
            ConversionJob job = bench.job(ic, bench.dir / program);
            job.flags.displaySerialNumber = lacking == Lacking::SerialFile;
            EXPECT_NE(ConvertByInsideNumber(insideNumber, job, bench.out), 0);
            ASSERT_FALSE(bench.op.shown.empty());
            const std::string& text = bench.op.shown.front().text;
            if (lacking == Lacking::Template) {
                EXPECT_NE(text.find("option template cannot be read"), std::string::npos) << text;
            } else {
                // A family without serial numbers stops at the program instead; the EEPROM
                // families' own message does not name the file.
                EXPECT_TRUE(text.find(program) != std::string::npos ||
                            text.starts_with("SNFile open file error") ||
                            text == "Open bin file failed!")
                    << text;
            }
            EXPECT_FALSE(std::filesystem::exists(bench.dir / "buffer_data.prog"));
            EXPECT_FALSE(std::filesystem::exists(bench.dir / "buffer_option.prog"));
        }
    }
    ConvertBench bench;
    EXPECT_EQ(
        ConvertByInsideNumber(0, bench.job(chipRecord("X", 0), bench.dir / "p.bin"), bench.out), 1);
    EXPECT_NE(bench.diagnostics.find("No support !"), std::string::npos);
}

TEST(ConverterRefusals, RawImagesThatAreHexTextOrOfTheWrongSize) {
    const auto text = [](const char* t) { return Bytes(t, t + std::strlen(t)); };
    const struct {
        Bytes bytes;
        std::size_t minimum;  // the converter reads at most 12 bytes
        const char* fileTypes;
        bool made;
        const char* problem;  // empty: accepted
    } cases[] = {
        {text(" \r\n:00000001FF\r\n"), 0, "*.otp", false, "It is Intel HEX text; QX takes *.otp"},
        {text(":00000001FF"), 0, "", false, "It is Intel HEX text; QX takes other"},
        {text(":0000000GFF\n"), 0, "", false, ""},  // no record: a binary that starts with ':'
        {text(":00000001F\n"), 0, "", false, ""},   // nine digits are no record either
        {text(":00000001FF"), 12, "", true, "The image made from it is 11 bytes; QX needs 12"},
        {Bytes(13, 0), 0, "", false, "It is 13 bytes; QX takes an image of at most 12 bytes."},
        {text("   "), 12, "", false, "It is 3 bytes; QX needs 12 bytes (up to offset 0xB)."},
    };
    for (const auto& c : cases) {
        const std::string problem =
            rawImageProblem(c.bytes, {c.minimum, 12, "QX", c.fileTypes}, c.made);
        EXPECT_EQ(problem.rfind(c.problem, 0), 0u) << problem;
        EXPECT_EQ(problem.empty(), *c.problem == '\0') << problem;
    }
}

}  // namespace
}  // namespace vexlor::test
