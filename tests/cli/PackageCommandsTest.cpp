// The package commands of the command-line tool on scratch base directories.
#include <gtest/gtest.h>

#include "ScratchBase.h"
#include "core/packages/PackageResult.h"
#include "support/CliHarness.h"
#include "support/HexText.h"
#include "support/PackageFiles.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

namespace fs = std::filesystem;

class PackageCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const ScratchDir* base : {&first, &second}) {
            layOutBase(base->path(), builtBaseDir());
            // The chip database is a copy, so an update cannot reach the shared data set.
            for (const char* part : {"ChipList", "ICInfo"}) {
                fs::remove(base->path() / part);
                fs::copy(builtBaseDir() / part, base->path() / part, fs::copy_options::recursive);
            }
        }
    }

    CliRun run(const ScratchDir& base, std::vector<std::string> words) {
        std::vector<std::string> args{"--base-dir", base.path().string(), "--simulate"};
        args.insert(args.end(), words.begin(), words.end());
        return cli.run(args);
    }

    ScratchDir first;
    ScratchDir second;
    ScratchDir outside;
    CliHarness cli{outside.path()};
};

// The built catalogue with one more chip, a copy of QR6417 under a new name.
std::string catalogueWithNewChip(const fs::path& catalogue) {
    std::string text = readText(catalogue);
    const std::size_t start = text.find("<Chip name=\"QR6417\">");
    const std::size_t end = text.find("</Chip>", start) + std::string("</Chip>").size();
    std::string chip = text.substr(start, end - start);
    chip.replace(chip.find("QR6417"), 6, "QR64NEW");
    return text.insert(end, "\n" + chip);
}

TEST_F(PackageCommands, AnUpdatePackageAddsAChipThatCanThenBeSelected) {
    EXPECT_EQ(run(first, {"select", "QR64NEW"}).status, 6);
    const fs::path zip = makeZip(
        outside / "update.zip", kUpdatePackagePassword,
        {{"chips.xml", bytesOf(updateListXml({{"KLW20_mcu.xml", "ChipList", "new"},
                                              {"QR64NEW.ic", "ICInfo", "new"}}))},
         {"new/KLW20_mcu.xml", bytesOf(catalogueWithNewChip(first / "ChipList/KLW20_mcu.xml"))},
         {"new/QR64NEW.ic", readBytes(first / "ICInfo/QR6417.ic")}});
    const CliRun updated = run(first, {"update-chip", zip.string(), "select", "QR64NEW"});
    EXPECT_EQ(updated.status, 0) << updated.out << updated.err;
    EXPECT_TRUE(updated.printed("Update chip success !"));
}

TEST_F(PackageCommands, AJobTravelsToAnotherBaseDirectory) {
    const std::string hex = outside.write("prog.hex", hexText({0x12, 0x34, 0x56})).string();
    const std::string zip = (outside / "job.zip").string();
    struct Case {
        const char* label;
        const ScratchDir& base;
        std::vector<std::string> words;
        int status;
        const char* shown;
    };
    const Case cases[] = {
        {"nothing to export yet", first, {"export", zip}, 4, "no job to export"},
        {"export after a load",
         first,
         {"select", "QRV7049", "load", hex, "export", zip},
         0,
         "job exported to"},
        {"import elsewhere", second, {"import", zip}, 0, "Loading Data Ok"},
        {"a job package is no chip update", second, {"update-chip", zip}, 6, "Update chip fail !"},
    };
    for (const Case& c : cases) {
        const CliRun result = run(c.base, c.words);
        EXPECT_EQ(result.status, c.status) << c.label << "\n" << result.out << result.err;
        EXPECT_TRUE(result.printed(c.shown)) << c.label << "\n" << result.out << result.err;
    }
    EXPECT_EQ(readBytes(second / "buffer_data.prog"), readBytes(first / "buffer_data.prog"));
}

}  // namespace
}  // namespace vexlor::test
