// What the command-line tool does with program files that must not be programmed, and with
// a read that would replace an existing file.
#include <gtest/gtest.h>

#include "ScratchBase.h"
#include "support/CliHarness.h"
#include "support/HexText.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

class LoadCommand : public ::testing::Test {
  protected:
    void SetUp() override { layOutBase(scratch.path(), builtBaseDir()); }

    // Runs the tool on the in-process simulated writer; standard output and error together.
    int run(std::vector<std::string> words, std::string& shown) {
        std::vector<std::string> args{"--base-dir", scratch.path().string(), "--simulate"};
        args.insert(args.end(), words.begin(), words.end());
        const CliRun result = cli.run(args);
        shown = result.out + result.err;
        return result.status;
    }

    ScratchDir scratch;
    CliHarness cli{scratch.path()};
};

TEST_F(LoadCommand, NothingDoubtfulIsLoaded) {
    // The second record's checksum is wrong (DC is right).
    const std::string damaged =
        scratch.write("damaged.hex", ":0100000011EE\n:0100010022DD\n:00000001FF\n").string();
    const std::string good = scratch.write("good.hex", hexText({0x12, 0x34})).string();
    const std::string otp = scratch.write("prog.otp", hexText({0x12, 0x34})).string();
    struct Case {
        const char* label;
        std::vector<std::string> options;
        std::string file;
        int status;
        std::string shown;
    };
    const Case cases[] = {
        {"damaged HEX", {}, damaged, 6, "line 2: the record checksum is DD"},
        {"--yes does not take a damaged HEX", {"--yes"}, damaged, 6, "line 2: the record checksum"},
        {"--force-hex takes it", {"--force-hex"}, damaged, 0, "Message: Loading Data Ok"},
        {"a file of another kind", {}, otp, 6, "File format (.otp) is not expected!"},
        // A writer that answers but reads back other data than was sent fails the load (here
        // already at the family firmware)...
        {"download fails", {"--sim-fault", "corrupt"}, good, 3, "Update Firmware Fail"},
        // ...one that vanishes during the download is a writer gone.
        {"writer gone", {"--sim-fault", "remove-after=145000"}, good, 5, "Loading Data Fail"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> words = c.options;
        words.insert(words.end(), {"select", "QRV7049", "load", c.file});
        std::string shown;
        EXPECT_EQ(run(words, shown), c.status) << c.label << "\n" << shown;
        EXPECT_NE(shown.find(c.shown), std::string::npos) << c.label << "\n" << shown;
    }
}

TEST_F(LoadCommand, ReadAsksBeforeReplacingAnExistingFile) {
    const std::string program = scratch.write("prog.hex", hexText({0x12, 0x34})).string();
    const std::string out = scratch.write("out.otp", "keep me").string();
    std::string shown;
    EXPECT_EQ(run({"select", "QRV7049", "load", program, "read", out}, shown), 4) << shown;
    EXPECT_EQ(shown.find("Read OK"), std::string::npos) << "refused before reading";
    EXPECT_EQ(readText(out), "keep me");
    for (const char* agree : {"--force", "--yes"}) {
        EXPECT_EQ(run({agree, "select", "QRV7049", "load", program, "read", out}, shown), 0)
            << agree << "\n"
            << shown;
        EXPECT_NE(readText(out), "keep me") << agree;
        scratch.write("out.otp", "keep me");
    }
}

TEST_F(LoadCommand, DiagnosticsOnlyWithVerboseAndNeverOnStandardOutput) {
    const std::string program = scratch.write("prog.hex", hexText({0x12, 0x34})).string();
    const std::string transfer = "success: bulk write";
    for (const bool verbose : {false, true}) {
        std::vector<std::string> args{"--base-dir", scratch.path().string(), "--simulate"};
        if (verbose) {
            args.push_back("--verbose");
        }
        args.insert(args.end(), {"select", "QRV7049", "load", program});
        const CliRun result = cli.run(args);
        EXPECT_EQ(result.status, 0) << result.out << result.err;
        EXPECT_NE(result.out.find("Loading Data Ok"), std::string::npos) << verbose;
        EXPECT_EQ(result.out.find(transfer), std::string::npos) << verbose;
        EXPECT_EQ(result.err.find(transfer) != std::string::npos, verbose) << result.err;
    }
}

}  // namespace
}  // namespace vexlor::test
