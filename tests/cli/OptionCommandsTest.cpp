// The options command over the delivered option sources and the built decoder.
#include <gtest/gtest.h>

#include "ScratchBase.h"
#include "support/CliHarness.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

namespace fs = std::filesystem;

class OptionCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        layOutBase(scratch.path(), builtBaseDir());
        // The decoder writes beside the encoded files, so they are copied, not linked.
        fs::copy(builtBaseDir() / "tin", scratch / "tin", fs::copy_options::recursive);
        fs::create_symlink(builtBaseDir() / "xmldec", scratch / "xmldec");
    }
    CliRun run(const std::string& heldChip, std::uint32_t word, const std::string& chip) {
        std::vector<std::uint8_t> job(512, 0);
        std::copy(heldChip.begin(), heldChip.end(), job.begin());
        job[36] = static_cast<std::uint8_t>(word >> 8);
        job[37] = static_cast<std::uint8_t>(word);
        const auto jobFile = scratch.writeBytes("held.job", job);
        return cli.run({"--base-dir", scratch.path().string(), "--simulate", "--sim-job",
                        jobFile.string(), "select", chip, "options"});
    }

    ScratchDir scratch;
    CliHarness cli{scratch.path()};
};

TEST_F(OptionCommands, PrintsEachItemWithTheSettingTheHeldJobSelects) {
    const struct {
        std::string held;
        std::uint32_t word;
        std::string chip;
        int status;
        std::vector<std::string> printed;
    } cases[] = {
        {"QN3244", 0x0061, "QN3244", 0, {"[ System config : 0061 ]", "02. Start-up Time : 18ms\n"}},
        {"QU2201", 0x0005, "QU2201", 0, {"01. USB Clock : Crystal 12MHz\n"}},
        {"QN6223", 0x0000, "QN3244", 4, {"HW and SW Chip Name is discordant"}},
        {"QRV7049", 0x0000, "QRV7049", 4, {"QRV7049 has no smart options"}},
    };
    for (const auto& c : cases) {
        const CliRun result = run(c.held, c.word, c.chip);
        EXPECT_EQ(result.status, c.status) << c.chip << result.out << result.err;
        for (const std::string& text : c.printed) {
            EXPECT_TRUE(result.printed(text)) << c.chip << ": " << text << "\n" << result.out;
        }
    }
    EXPECT_FALSE(fs::exists(scratch / "tin" / "QR46IC" / "QU2201_Dec.ic"));
}

}  // namespace
}  // namespace vexlor::test
