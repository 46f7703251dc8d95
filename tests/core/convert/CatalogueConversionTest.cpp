#include <gtest/gtest.h>

#include "SampleProgram.h"
#include "cli/CliRunner.h"
#include "core/chipdb/ReadChipXml.h"
#include "core/convert/InsideNumberDispatch.h"
#include "support/CliHarness.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor {
namespace {

// Every chip of the delivered data set converts a suitable program file through the
// command-line tool, into a copy of the base directory; a chip the dispatcher serves by its
// internal number is the chip the data set gives that number.
TEST(CatalogueConversion, EveryDeliveredChipConvertsThroughTheTool) {
    const std::filesystem::path built = test::builtBaseDir();
    ASSERT_TRUE(std::filesystem::is_directory(built / "ICInfo")) << built;
    test::ScratchDir scratch;
    const test::CliHarness cli(scratch.path());
    const auto base = scratch / "base";
    std::filesystem::copy(built, base, std::filesystem::copy_options::recursive);

    int chips = 0;
    int routed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(base / "ICInfo")) {
        if (entry.path().extension() != ".ic") {
            continue;
        }
        const std::string name = entry.path().stem().string();
        test::RecordingOperator quiet;
        ReadChipXml chipXml(quiet, base);
        ASSERT_EQ(chipXml.ReadICInfo(name), 1) << name;
        if (const auto served = chipOfInsideNumber(chipXml.icInfo().Inside_Number)) {
            EXPECT_EQ(*served, name);
            ++routed;
        }
        const auto samples = scratch / "samples" / name;
        std::filesystem::create_directories(samples);
        const auto program = test::sampleProgramFor(chipXml.icInfo(), samples);
        std::filesystem::remove(base / "buffer_option.prog");

        const test::CliRun run =
            cli.run({"--base-dir", base.string(), "select", name, "convert", program.string()});
        EXPECT_EQ(run.status, cli::kExitOk) << name << "\n" << run.err;
        EXPECT_TRUE(run.printed("\nresult 0\n")) << name << "\n" << run.out;
        const auto option = test::readBytes(base / "buffer_option.prog");
        ASSERT_GE(option.size(), 256u) << name;
        EXPECT_EQ(option[0xCF], 0x5A) << name << ": the first chip list is the KLW20's";
        ++chips;
    }
    EXPECT_GE(chips, 100);
    EXPECT_GE(routed, 20);
}

}  // namespace
}  // namespace vexlor
