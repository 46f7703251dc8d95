// Every chip with a smart option has the option source its family is read from, and the
// encoded sources describe fields of the option word.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DeliveredData.h"
#include "core/chipdb/ReadChipXml.h"
#include "core/smartopt/OptionDefinitionCodec.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

namespace fs = std::filesystem;

fs::path OptionSource(const DeliveredChip& chip) {
    const fs::path tin = Delivered().base / "tin";
    const std::string& type = chip.info.ChipType;
    if (type == "27" || type == "28" || type == "USB") {
        return tin / "QR46IC" / (chip.name + ".IC");
    }
    if (type == "37") {
        return tin / "QR31IC" / (chip.name + ".tin");
    }
    return tin / (chip.name + ".tin");
}

TEST(OptionSourcesData, EverySmartOptionChipHasItsSource) {
    int templates = 0;
    int definitions = 0;
    int underQR31 = 0;
    for (const auto& chip : Delivered().chips) {
        if (chip.keys.HaveSmartOPT == 0) {
            continue;
        }
        const fs::path source = OptionSource(chip);
        EXPECT_TRUE(fs::is_regular_file(source)) << chip.name << ": " << source;
        (source.extension() == ".IC" ? definitions : templates)++;
        underQR31 += source.parent_path().filename() == "QR31IC" ? 1 : 0;
    }
    EXPECT_GE(templates, 3);
    EXPECT_GE(underQR31, 1);
    EXPECT_GE(definitions, 3);
}

TEST(OptionSourcesData, EncodedDefinitionsDecodeIntoFieldsOfTheOptionWord) {
    for (const auto& chip : Delivered().chips) {
        const fs::path source = OptionSource(chip);
        if (chip.keys.HaveSmartOPT == 0 || source.extension() != ".IC") {
            continue;
        }
        SCOPED_TRACE(chip.name);
        ScratchDir scratch;
        ASSERT_EQ(DecodeDefinitionFile(source, scratch.path()), "");
        const fs::path decoded = scratch / DecodedDefinitionName(source);
        RecordingOperator op;
        ReadChipXml document(op, scratch.path());
        ASSERT_EQ(document.ReadSysCfgOptions(decoded), 1);
        const auto& fields = document.sysCfgFields();
        ASSERT_GE(fields.size(), 2u);
        for (const auto& field : fields) {
            EXPECT_FALSE(field.Name.empty());
            EXPECT_EQ(field.Enable, 1) << field.Name;
            EXPECT_GE(field.Length, 1) << field.Name;
            EXPECT_LE(field.StartBit + field.Length, 16) << field.Name;
            EXPECT_EQ(field.Location, chip.info.CFG_Address) << field.Name;
            ASSERT_FALSE(field.Options.empty()) << field.Name;
            for (const auto& choice : field.Options) {
                EXPECT_GE(choice.Value, 0) << field.Name;
                EXPECT_LT(choice.Value, 1 << field.Length) << field.Name << " " << choice.Text;
            }
        }
    }
}

}  // namespace
}  // namespace vexlor::test
