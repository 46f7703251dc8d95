// The select and job commands over the sample catalogue. Which modes a chip allows is the mode
// selection's rule; here the command's wiring: selection kept, refusals printed.
#include <gtest/gtest.h>

#include "SelectFixture.h"
#include "cli/CliRunner.h"
#include "cli/JobCommands.h"
#include "support/CliHarness.h"

namespace vexlor::test {
namespace {

class SelectCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteSampleCatalogue(scratch);
        for (const char* picture : {"QV3a1", "QV115", "QV5d1"}) {
            scratch.write(std::string("res/ICPicture/") + picture + ".jpg", "picture");
        }
    }
    CliRun run(std::vector<std::string> commands) {
        commands.insert(commands.begin(), {"--simulate", "--base-dir", scratch.path().string()});
        return cli.run(commands);
    }

    ScratchDir scratch;
    CliHarness cli{scratch.path()};
};

TEST_F(SelectCommands, SelectionHoldsForTheFollowingCommands) {
    const CliRun result = run({"select", "QR31A100", "--whole-chip-erase", "--production-limit",
                               "250", "job", "select", "QR31ZJ0115", "select", "SHARED1", "job"});
    EXPECT_EQ(result.status, cli::kExitOk) << result.err;
    const std::string limited =
        "chip: QR31A100\nmodes: Production Limit 250, Whole Chip Erase\npackage code: 0\n";
    // The forced mode comes with the chip; the next selection drops it again.
    const std::string forced = "chip: QR31ZJ0115\nmodes: ISP Program\npackage code: 0\n";
    const std::string shared = "chip: SHARED1\nmodes: none\npackage code: 0\n";
    EXPECT_EQ(result.out, limited + limited + forced + shared + shared);
}

TEST_F(SelectCommands, RefusalsArePrintedAndFail) {
    struct Case {
        std::vector<std::string> commands;
        std::string err;
        int status = cli::kExitFailed;
    };
    const Case cases[] = {
        {{"select", "QR31K1C13", "--isp"}, "select: QR31K1C13 does not allow ISP Program\n"},
        {{"select", "QR31A100", "--production-limit"},
         "select: --production-limit needs a count\n"},
        {{"select", "QR31A100", "--fast"}, "select: unknown mode option --fast\n"},
        {{"select", "qr31a100"}, "select: Can't find qr31a100\n", cli::kExitBadInput},
        {{"job"}, "job: no chip selected (see the select command)\n"},
    };
    for (const Case& c : cases) {
        const CliRun result = run(c.commands);
        EXPECT_EQ(result.status, c.status) << c.commands.back();
        EXPECT_EQ(result.err, "vexlor-writer-cli: " + c.err);
        EXPECT_EQ(result.out, "") << c.commands.back();
    }
}

}  // namespace
}  // namespace vexlor::test
