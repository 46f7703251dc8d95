#include <gtest/gtest.h>

#include "ConvertTestSupport.h"
#include "SampleProgram.h"
#include "core/chipdb/ReadChipXml.h"
#include "core/convert/ProgramConversion.h"

namespace vexlor {
namespace {

// Every chip of the delivered data set converts a suitable program file into both buffers.
TEST(CatalogueConversion, EveryDeliveredChipConverts) {
    const std::filesystem::path base = test::builtBaseDir();
    ASSERT_TRUE(std::filesystem::is_directory(base / "ICInfo")) << base;
    int chips = 0;
    for (const auto& entry : std::filesystem::directory_iterator(base / "ICInfo")) {
        if (entry.path().extension() != ".ic") {
            continue;
        }
        test::ConvertBench bench;
        std::filesystem::copy(base / "hwversion1.0", bench.dir / "hwversion1.0");
        std::filesystem::copy(base / "serial.txt", bench.dir / "serial.txt");
        ReadChipXml chipXml(bench.op, base);
        const std::string name = entry.path().stem().string();
        ASSERT_EQ(chipXml.ReadICInfo(name), 1) << name;
        const ICInfo& ic = chipXml.icInfo();
        const auto program = test::sampleProgramFor(ic, bench.dir.path());
        const ConversionJob job = bench.job(ic, program);
        EXPECT_EQ(convertProgram(job, bench.out, {}), 0)
            << name << " " << testing::PrintToString(bench.messages());
        const auto option = bench.option();
        ASSERT_GE(option.size(), 256u) << name;
        EXPECT_EQ(option[0xCF], 0x5B) << name;
        EXPECT_FALSE(bench.data().empty()) << name;
        ++chips;
    }
    EXPECT_GE(chips, 100);
}

}  // namespace
}  // namespace vexlor
