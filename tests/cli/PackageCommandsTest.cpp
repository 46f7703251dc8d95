// The package commands of the command-line tool on scratch base directories.
#include "CliTest.h"
#include "core/packages/PackageResult.h"
#include "support/PackageFiles.h"

namespace vexlor::test {
namespace {

namespace fs = std::filesystem;

class PackageCommands : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        layOutBase(second.path(), builtBaseDir());
        for (const ScratchDir* dir : {&scratch, &second}) {
            // The chip database is a copy, so an update cannot reach the shared data set.
            for (const char* part : {"ChipList", "ICInfo"}) {
                fs::remove(dir->path() / part);
                fs::copy(builtBaseDir() / part, dir->path() / part, fs::copy_options::recursive);
            }
        }
    }
    ScratchDir second;
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
    EXPECT_EQ(run({"select", "QR64NEW"}).status, cli::kExitBadInput);
    makeZip(scratch / "update.zip", kUpdatePackagePassword,
            {{"chips.xml", bytesOf(updateListXml({{"KLW20_mcu.xml", "ChipList", "new"},
                                                  {"QR64NEW.ic", "ICInfo", "new"}}))},
             {"new/KLW20_mcu.xml", bytesOf(catalogueWithNewChip(base / "ChipList/KLW20_mcu.xml"))},
             {"new/QR64NEW.ic", readBytes(base / "ICInfo/QR6417.ic")}});
    const CliRun updated = run({"update-chip", "@update.zip", "select", "QR64NEW"});
    EXPECT_EQ(updated.status, cli::kExitOk) << updated.out << updated.err;
    EXPECT_TRUE(updated.printed("Update chip success !"));
}

TEST_F(PackageCommands, AJobTravelsToAnotherBaseDirectory) {
    expectOutcomes({
        {{"export", "@job.zip"}, cli::kExitRefused, {"no job to export"}},
        {{"select", "QRV7049", "load", "@prog.hex", "export", "@job.zip"},
         cli::kExitOk,
         {"job exported to"}},
    });
    base = second.path();
    expectOutcomes({
        {{"import", "@job.zip"}, cli::kExitOk, {"Loading Data Ok"}},
        {{"update-chip", "@job.zip"}, cli::kExitBadInput, {"Update chip fail !"}},
    });
    EXPECT_EQ(readBytes(second / "buffer_data.prog"), readBytes(scratch / "buffer_data.prog"));
}

}  // namespace
}  // namespace vexlor::test
