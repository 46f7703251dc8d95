#include <gtest/gtest.h>

#include <sstream>

#include "SampleProgram.h"
#include "cli/CliRunner.h"
#include "core/chipdb/ReadChipXml.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor {
namespace {

// Every chip of the delivered data set converts a suitable program file through the
// command-line tool, into a copy of the base directory.
TEST(CatalogueConversion, EveryDeliveredChipConvertsThroughTheTool) {
    const std::filesystem::path built = test::builtBaseDir();
    ASSERT_TRUE(std::filesystem::is_directory(built / "ICInfo")) << built;
    test::ScratchDir scratch;
    const auto base = scratch / "base";
    std::filesystem::copy(built, base, std::filesystem::copy_options::recursive);
    const auto samples = scratch / "samples";
    std::filesystem::create_directories(samples);

    int chips = 0;
    for (const auto& entry : std::filesystem::directory_iterator(base / "ICInfo")) {
        if (entry.path().extension() != ".ic") {
            continue;
        }
        const std::string name = entry.path().stem().string();
        test::RecordingOperator quiet;
        ReadChipXml chipXml(quiet, base);
        ASSERT_EQ(chipXml.ReadICInfo(name), 1) << name;
        const auto chipSamples = samples / name;
        std::filesystem::create_directories(chipSamples);
        const auto program = test::sampleProgramFor(chipXml.icInfo(), chipSamples);
        std::filesystem::remove(base / "buffer_option.prog");

        const std::vector<std::string> arguments{"--base-dir", base.string(), "select",
                                                 name,         "convert",     program.string()};
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(cli::runCli(arguments, out, err), cli::kExitOk) << name << "\n" << err.str();
        EXPECT_NE(out.str().find("\nresult 0\n"), std::string::npos) << name << "\n" << out.str();
        const auto option = test::readBytes(base / "buffer_option.prog");
        ASSERT_GE(option.size(), 256u) << name;
        EXPECT_EQ(option[0xCF], 0x5A) << name << ": the first chip list is the KLW20's";
        ++chips;
    }
    EXPECT_GE(chips, 100);
}

}  // namespace
}  // namespace vexlor
