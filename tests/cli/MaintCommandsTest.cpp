// The maintenance commands on the tool's simulated writers: exit statuses and what they print.
#include <gtest/gtest.h>

#include "ScratchBase.h"
#include "support/CliHarness.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

TEST(MaintCommands, ExitStatusesAndOutput) {
    ScratchDir scratch;
    layOutBase(scratch.path(), builtBaseDir());
    for (const char* testFile : {"test_data.prog", "teststop.nce", "test.nce"}) {
        std::filesystem::create_symlink(builtBaseDir() / testFile, scratch / testFile);
    }
    const std::string notFirmware = scratch.write("notes.nce", "not a firmware image").string();
    CliHarness cli(scratch.path());
    struct Case {
        std::vector<std::string> words;
        int status;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {{"--sim-version", "V1.1", "--sim-fault", "voltage-above-high", "--yes", "selftest",
          "--simple"},
         3,
         {"DAC_BAK Voltage\t\t\t\t Fail \n", "Message: Writer Test Complete"}},
        {{"selftest"}, 4, {"give --yes"}},
        {{"fw-update", notFirmware}, 6, {notFirmware + " open file error"}},
        {{"hwid"}, 3, {"Hardware ID: Writer No Hardware ID"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"--base-dir", scratch.path().string(), "--simulate"};
        args.insert(args.end(), c.words.begin(), c.words.end());
        const CliRun result = cli.run(args);
        EXPECT_EQ(result.status, c.status) << c.words.back() << "\n" << result.out << result.err;
        for (const std::string& text : c.shown) {
            EXPECT_TRUE(result.printed(text)) << c.words.back() << ": " << text << "\n"
                                              << result.out;
        }
    }
}

}  // namespace
}  // namespace vexlor::test
