// The select and job commands of the command-line tool, in-process over the sample catalogue.
#include <gtest/gtest.h>

#include <sstream>

#include "SelectFixture.h"
#include "cli/CliRunner.h"
#include "cli/JobCommands.h"

namespace vexlor::cli {
namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

class SelectCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        test::WriteSampleCatalogue(scratch);
        for (const char* picture : {"QV3a1", "QV115", "QV4645", "QV5d1", "QV202", "QV46a2"}) {
            scratch.write(std::string("res/ICPicture/") + picture + ".jpg", "picture");
        }
    }
    CliRun run(std::vector<std::string> commands) {
        std::vector<std::string> args{"--simulate", "--base-dir", scratch.path().string()};
        args.insert(args.end(), commands.begin(), commands.end());
        std::ostringstream out;
        std::ostringstream err;
        const int status = runCli(args, out, err, {scratch / "devices", scratch / "none.so"});
        return {status, out.str(), err.str()};
    }

    test::ScratchDir scratch;
};

TEST_F(SelectCommands, SelectionHoldsForTheFollowingCommands) {
    struct Case {
        std::vector<std::string> commands;
        std::string out;
    };
    const Case cases[] = {
        {{"select", "QR31A100"}, "chip: QR31A100\nmodes: none\npackage code: 0\n"},
        {{"select", "QR31A100", "--whole-chip-erase", "--production-limit", "250", "job"},
         "chip: QR31A100\nmodes: Production Limit 250, Whole Chip Erase\npackage code: 0\n"
         "chip: QR31A100\nmodes: Production Limit 250, Whole Chip Erase\npackage code: 0\n"},
        // The forced mode comes with the chip.
        {{"select", "QR31ZJ0115", "--mass-production"},
         "chip: QR31ZJ0115\nmodes: Mass Production Mode, ISP Program\npackage code: 0\n"},
        {{"select", "QR46YJ45", "--display-serial", "select", "SHARED1", "job"},
         "chip: QR46YJ45\nmodes: Display Serial Number, EXHV ISP Program\npackage code: 0\n"
         "chip: SHARED1\nmodes: none\npackage code: 0\n"
         "chip: SHARED1\nmodes: none\npackage code: 0\n"},
    };
    for (const Case& c : cases) {
        const CliRun result = run(c.commands);
        EXPECT_EQ(result.status, kExitOk) << result.err;
        EXPECT_EQ(result.out, c.out);
    }
}

TEST_F(SelectCommands, ModesTheChipDoesNotAllowAreRefused) {
    struct Case {
        std::vector<std::string> commands;
        std::string err;
        int status = kExitFailed;
    };
    const Case cases[] = {
        {{"select", "QR31K1C13", "--isp"}, "select: QR31K1C13 does not allow ISP Program\n"},
        {{"select", "QR31ZJ0115", "--exhv-isp"},
         "select: EXHV ISP Program cannot go with ISP Program\n"},
        {{"select", "QR31A100", "--display-serial", "--production-limit", "3"},
         "select: Production Limit cannot go with Display Serial Number\n"},
        {{"select", "QR31A100", "--production-limit", "0"},
         "select: Enter an integer between 1 and 99999999.\n"},
        {{"select", "QR31A100", "--production-limit"},
         "select: --production-limit needs a count\n"},
        {{"select", "QR31A100", "--fast"}, "select: unknown mode option --fast\n"},
        {{"select", "qr31a100"}, "select: Can't find qr31a100\n", kExitBadInput},
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
}  // namespace vexlor::cli
