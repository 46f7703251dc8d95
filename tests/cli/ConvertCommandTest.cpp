// The convert command over a copy of the laid-out base directory, so buffer files land in
// scratch space.
#include <gtest/gtest.h>

#include "cli/CliRunner.h"
#include "support/CliHarness.h"
#include "support/HexText.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

class ConvertCommand : public testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::copy(builtBaseDir(), base, std::filesystem::copy_options::recursive);
    }
    CliRun run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--base-dir", base.string()});
        return cli.run(arguments);
    }
    std::uint8_t optionByte(std::size_t offset) const {
        return readBytes(base / "buffer_option.prog").at(offset);
    }

    ScratchDir scratch;
    CliHarness cli{scratch.path()};
    std::filesystem::path base = scratch / "base";
};

TEST_F(ConvertCommand, PrintsChecksumDescriptionAndResult) {
    // Header words 0xFFFF and 0x0001 leave 0x8005; the data word 0x8005 clears it and 0x0100
    // leaves 0x0100 * x^16 mod P = 0x8603.
    Bytes file(36, 0);
    file[0] = file[1] = 0xFF;
    file[30] = 0x01;
    file[32] = 0x05;
    file[33] = 0x80;
    file[35] = 0x01;
    const auto program = scratch.writeBytes("prog.otp", file);
    const CliRun result = run({"select", "QRV7034", "convert", program.string()});
    EXPECT_EQ(result.status, cli::kExitOk) << result.err;
    EXPECT_TRUE(result.printed("checksum 8603\ndescription " + program.string() + "\nresult 0\n"))
        << result.out;
    EXPECT_EQ(readBytes(base / "buffer_data.prog"), (Bytes{0x80, 0x05, 0x01, 0x00}));
}

TEST_F(ConvertCommand, OptionWordReachesTheConverter) {
    const auto program = scratch.write("prog.hex", hexText({0x11, 0x22})).string();
    for (const auto& [text, value] :
         {std::pair<const char*, std::uint8_t>{"0x62", 0x62}, {"7", 0x07}}) {
        ASSERT_EQ(run({"--option-word", text, "select", "QRV7049", "convert", program}).status,
                  cli::kExitOk);
        EXPECT_EQ(optionByte(0x24), value) << text;
    }
    ASSERT_EQ(run({"select", "QRV7049", "convert", program}).status, cli::kExitOk);
    EXPECT_EQ(optionByte(0x24), 0x60);
}

TEST_F(ConvertCommand, RefusalsAndFailures) {
    const auto broken = scratch.write("broken.hex", "; not a record\n").string();
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string inErr;
        std::string inOut;
    };
    const Case cases[] = {
        {{"convert", broken}, cli::kExitFailed, "convert: no chip selected", ""},
        {{"select", "QRV7049", "convert", broken},
         cli::kExitFailed,
         "conversion failed (result 1)",
         "\nresult 1\n"},
        {{"--option-word", "6x", "select", "QRV7049"}, cli::kExitUsage, "bad option word 6x", ""},
    };
    for (const Case& c : cases) {
        const CliRun result = run(c.arguments);
        EXPECT_EQ(result.status, c.status) << c.inErr;
        EXPECT_NE(result.err.find(c.inErr), std::string::npos) << result.err;
        EXPECT_NE(result.out.find(c.inOut), std::string::npos) << result.out;
    }
}

}  // namespace
}  // namespace vexlor::test
