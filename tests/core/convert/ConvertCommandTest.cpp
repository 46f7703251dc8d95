#include <gtest/gtest.h>

#include <sstream>

#include "ConvertTestSupport.h"
#include "cli/CliRunner.h"

namespace vexlor {
namespace {

using test::Bytes;
using test::place;

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

CliRun runTool(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = cli::runCli(arguments, out, err);
    return {code, out.str(), err.str()};
}

// A copy of the laid-out base directory, so buffer files land in scratch space.
class ConvertCommand : public testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::copy(test::builtBaseDir(), base_,
                              std::filesystem::copy_options::recursive);
    }
    test::ScratchDir scratch_;
    std::filesystem::path base_ = scratch_ / "base";
};

TEST_F(ConvertCommand, PrintsChecksumDescriptionAndResult) {
    // Header words 0xFFFF and 0x0001 leave 0x8005; the data word 0x8005 clears it and 0x0100
    // leaves 0x0100 * x^16 mod P = 0x8603.
    Bytes file(32, 0);
    place(file, 0, {0xFF, 0xFF});
    place(file, 30, {0x01, 0x00, 0x05, 0x80, 0x00, 0x01});
    const auto program = scratch_.writeBytes("prog.otp", file);
    const CliRun run =
        runTool({"--base-dir", base_.string(), "select", "QRV7034", "convert", program.string()});
    EXPECT_EQ(run.code, cli::kExitOk) << run.err;
    EXPECT_NE(run.out.find("checksum 8603\ndescription " + program.string() + "\nresult 0\n"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(test::readBytes(base_ / "buffer_data.prog"), (Bytes{0x80, 0x05, 0x01, 0x00}));
}

TEST_F(ConvertCommand, OptionWordReachesTheConverter) {
    const auto program = scratch_.write("prog.hex", test::hexText({{0, {0x11, 0x22}}}));
    for (const auto& [text, value] :
         {std::pair<const char*, std::uint8_t>{"0x62", 0x62}, {"7", 0x07}}) {
        const CliRun run = runTool({"--base-dir", base_.string(), "--option-word", text, "select",
                                    "QRV7049", "convert", program.string()});
        ASSERT_EQ(run.code, cli::kExitOk) << run.err;
        EXPECT_EQ(test::readBytes(base_ / "buffer_option.prog").at(0x24), value) << text;
    }
    const CliRun noWord =
        runTool({"--base-dir", base_.string(), "select", "QRV7049", "convert", program.string()});
    ASSERT_EQ(noWord.code, cli::kExitOk);
    EXPECT_EQ(test::readBytes(base_ / "buffer_option.prog").at(0x24), 0x60);
}

TEST_F(ConvertCommand, RefusalsAndFailures) {
    const auto broken = scratch_.write("broken.hex", "; not a record\n");
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        int code;
        std::string inErr;
        std::string inOut;
    };
    const Case cases[] = {
        {"no chip",
         {"--base-dir", base_.string(), "convert", broken.string()},
         cli::kExitFailed,
         "convert: no chip selected",
         ""},
        {"failed conversion",
         {"--base-dir", base_.string(), "select", "QRV7049", "convert", broken.string()},
         cli::kExitFailed,
         "conversion failed (result 1)",
         "\nresult 1\n"},
        {"bad option word",
         {"--base-dir", base_.string(), "--option-word", "6x", "select", "QRV7049"},
         cli::kExitUsage,
         "bad option word 6x",
         ""},
    };
    for (const Case& c : cases) {
        const CliRun run = runTool(c.arguments);
        EXPECT_EQ(run.code, c.code) << c.name;
        EXPECT_NE(run.err.find(c.inErr), std::string::npos) << c.name << ": " << run.err;
        EXPECT_NE(run.out.find(c.inOut), std::string::npos) << c.name << ": " << run.out;
    }
}

}  // namespace
}  // namespace vexlor
