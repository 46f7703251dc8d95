#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScratchBase.h"
#include "cli/CliRunner.h"
#include "cli/JobCommands.h"
#include "support/CliHarness.h"
#include "support/HexText.h"
#include "support/ScratchDir.h"

namespace vexlor::test {

// The tool in-process on a scratch base directory over the built data set, with a program file
// prog.hex. In a command line, "@name" stands for that file in the scratch directory.
class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        layOutBase(scratch.path(), builtBaseDir());
        scratch.write("prog.hex", hexText({0x12, 0x34, 0x56, 0x78}));
    }

    CliRun run(const std::vector<std::string>& words, bool simulate = true) const {
        std::vector<std::string> args{"--base-dir", base.string()};
        if (simulate) {
            args.push_back("--simulate");
        }
        for (const std::string& word : words) {
            args.push_back(word.starts_with('@') ? (scratch / word.substr(1)).string() : word);
        }
        return cli.run(args);
    }

    struct Outcome {
        std::vector<std::string> words;
        int status;
        std::vector<std::string> shown;  // each somewhere in the output or the error stream
    };
    void expectOutcomes(const std::vector<Outcome>& outcomes) const {
        for (const Outcome& o : outcomes) {
            std::string line;
            for (const std::string& word : o.words) {
                line += word + " ";
            }
            SCOPED_TRACE(line);
            const CliRun result = run(o.words);
            EXPECT_EQ(result.status, o.status) << result.out << result.err;
            for (const std::string& text : o.shown) {
                EXPECT_TRUE(result.printed(text)) << text << "\n" << result.out << result.err;
            }
        }
    }

    ScratchDir scratch;
    CliHarness cli{scratch.path()};
    std::filesystem::path base = scratch.path();
};

}  // namespace vexlor::test
