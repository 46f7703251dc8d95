// The job commands of the command-line tool on its in-process simulated writer.
#include <gtest/gtest.h>

#include <sstream>

#include "JobRig.h"
#include "ScratchBase.h"
#include "cli/CliRunner.h"
#include "support/HexText.h"

namespace vexlor::test {
namespace {

struct Case {
    const char* label;
    std::vector<std::string> commands;  // after the global options
    std::vector<std::string> options;   // extra global options
    int status;
    std::vector<std::string> shown;  // texts expected on standard output or error
};

class JobCommandsCli : public ::testing::Test {
  protected:
    void SetUp() override {
        layOutBase(scratch.path(), builtBaseDir());
        program = scratch.write("prog.hex", hexText({0x12, 0x34, 0x56, 0x78})).string();
        scratch.write("prog.bin", "not a hex file");
    }

    int run(const Case& c, std::string& out, std::string& err) {
        // Without the simulated writer nothing is reachable: no devices, no access library.
        const bool real = !c.options.empty() && c.options.front() == "real";
        std::vector<std::string> args{"--base-dir", scratch.path().string()};
        if (!real) {
            args.push_back("--simulate");
            args.insert(args.end(), c.options.begin(), c.options.end());
        }
        for (const std::string& word : c.commands) {
            args.push_back(word == "PROG"  ? program
                           : word == "OUT" ? (scratch / "out.otp").string()
                                           : word);
        }
        std::ostringstream o;
        std::ostringstream e;
        const int status = cli::runCli(args, o, e, {scratch / "devices", scratch / "none.so"});
        out = o.str();
        err = e.str();
        return status;
    }

    ScratchDir scratch;
    std::string program;
};

TEST_F(JobCommandsCli, ExitStatusesAProductionScriptCanTellApart) {
    const Case cases[] = {
        {"whole job",
         {"select", "QRV7049", "load", "PROG", "program", "verify", "read", "OUT"},
         {},
         0,
         {"Message: Loading Data Ok", "Message: Program OK", "Message: Verify OK",
          "Message: Read OK"}},
        {"auto", {"select", "QRV7049", "load", "PROG", "auto"}, {}, 0, {"Message: Auto OK"}},
        {"writer fails the job",
         {"select", "QRV7049", "load", "PROG", "program"},
         {"--sim-fault", "fail"},
         3,
         {"Message: Program FAIL"}},
        {"verify before program",
         {"select", "QRV7049", "load", "PROG", "verify"},
         {},
         3,
         {"Message: Verify FAIL"}},
        {"writer holds another job",
         {"select", "QRV7049", "program"},
         {},
         4,
         {"HW and SW Chip Name is discordant"}},
        {"no chip selected", {"program"}, {}, 4, {"no chip selected"}},
        {"program file unusable",
         {"select", "QRV7049", "load", "prog.bin"},
         {},
         6,
         {"no program file"}},
        {"protect takes on or off",
         {"select", "QRV7049", "protect", "maybe"},
         {},
         6,
         {"on or off"}},
        {"set protect",
         {"select", "QRV7049", "load", "PROG", "protect", "on"},
         {},
         0,
         {"Message: Set Select OK"}},
        {"no writer", {"select", "QRV7049", "program"}, {"real"}, 5, {"no writer found"}},
    };
    for (const Case& c : cases) {
        std::string out;
        std::string err;
        EXPECT_EQ(run(c, out, err), c.status) << c.label << "\n" << out << err;
        for (const std::string& text : c.shown) {
            EXPECT_NE((out + err).find(text), std::string::npos) << c.label << ": " << text;
        }
    }
}

TEST_F(JobCommandsCli, ReadCopiesTheChipContentsOut) {
    const Case c{
        "read", {"select", "QRV7049", "load", "PROG", "program", "read", "OUT"}, {}, 0, {}};
    std::string out;
    std::string err;
    ASSERT_EQ(run(c, out, err), 0) << out << err;
    const Bytes read = readBytes(scratch / "out.otp");
    ASSERT_EQ(read.size(), 0x8020u);
    // QRV7049 reads back in the program's own byte order.
    EXPECT_EQ(Bytes(read.begin(), read.begin() + 6), (Bytes{0x12, 0x34, 0x56, 0x78, 0xFF, 0xFF}));
}

}  // namespace
}  // namespace vexlor::test
