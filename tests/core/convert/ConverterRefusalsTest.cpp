// Every chip family's converter, taken from the dispatch itself: a job it cannot finish is
// refused with a message naming what is missing, and no buffer file is left for a download.
#include <gtest/gtest.h>

#include "ConvertTestSupport.h"
#include "core/convert/InsideNumberDispatch.h"
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
            ConversionJob job = bench.job(chipRecord(chip, insideNumber), bench.dir / program);
            job.flags.displaySerialNumber = lacking == Lacking::SerialFile;
            EXPECT_NE(ConvertByInsideNumber(insideNumber, job, bench.out), 0);
            ASSERT_FALSE(bench.op.shown.empty());
            const std::string& text = bench.op.shown.front().text;
            if (lacking == Lacking::Template) {
                EXPECT_NE(text.find("option template cannot be read"), std::string::npos) << text;
            } else {
                // A family without serial numbers stops at the program instead.
                EXPECT_TRUE(text.find(program) != std::string::npos ||
                            text.find("SNFile open file error") != std::string::npos)
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

}  // namespace
}  // namespace vexlor::test
