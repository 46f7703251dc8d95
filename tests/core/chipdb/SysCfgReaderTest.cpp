#include <gtest/gtest.h>

#include "core/chipdb/ReadChipXml.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor {
namespace {

class SysCfgReader : public ::testing::Test {
  protected:
    test::ScratchDir scratch;
    test::RecordingOperator op;
    ReadChipXml db{op, scratch.path()};
};

TEST_F(SysCfgReader, ReadsFieldsInFileOrderDeletesTheFileAndReplacesEarlierFields) {
    const auto file = scratch.write("opt/QR46A_Dec.ic", test::dataText("chipdb/two-fields.ic"));
    ASSERT_EQ(db.ReadSysCfgOptions(file), 1);
    EXPECT_TRUE(op.shown.empty());
    EXPECT_FALSE(std::filesystem::exists(file));
    // Name, location, start bit, length, enable, description, options. WDT writes its location
    // without the prefix, and only the exact text True enables.
    const std::vector<SysCfgChoice> clocks{{"IRC 4MHz", 0}, {"IRC 8MHz", 1}, {"Crystal", 3}};
    const SysCfgField osc{"OSC", 0x2007, 3, 2, 1, "Oscillator mode", clocks};
    const SysCfgField wdt{"WDT", 0x2007, 0, 0, 0, "", {{"No value", 0}}};
    EXPECT_EQ(db.sysCfgFields(), (std::vector<SysCfgField>{osc, wdt}));
    // A second read replaces the first.
    ASSERT_EQ(
        db.ReadSysCfgOptions(scratch.write(
            "b.ic", "<R><SYSCFG><F><Name>ONLY</Name></F></SYSCFG><SYSCFG><!-- --></SYSCFG></R>")),
        1);
    EXPECT_EQ(db.sysCfgFields(), (std::vector<SysCfgField>{{"ONLY", 0, 0, 0, 0, "", {}}}));
}

TEST_F(SysCfgReader, EnableIsSetOnlyByTheExactText) {
    const auto check = [&](const char* text, std::int32_t expected) {
        const auto file = scratch.write(
            "f.ic", std::string("<R><SYSCFG><F><Enable>") + text + "</Enable></F></SYSCFG></R>");
        ASSERT_EQ(db.ReadSysCfgOptions(file), 1);
        ASSERT_EQ(db.sysCfgFields().size(), 1u);
        EXPECT_EQ(db.sysCfgFields()[0].Enable, expected) << text;
    };
    check("True", 1);
    check("true", 0);
    check("TRUE", 0);
    check("1", 0);
    check("Truex", 0);
    check("", 0);
}

TEST_F(SysCfgReader, FailedReadEmptiesTheListAndKeepsTheFile) {
    // A null content writes no file.
    const auto check = [&](const char* what, const char* content, const char* message) {
        ASSERT_EQ(
            db.ReadSysCfgOptions(scratch.write("good.ic", test::dataText("chipdb/two-fields.ic"))),
            1);
        ASSERT_FALSE(db.sysCfgFields().empty());
        op.shown.clear();
        const auto file = scratch.path() / "QR46A_Dec.ic";
        if (content != nullptr) {
            scratch.write("QR46A_Dec.ic", content);
        }
        EXPECT_EQ(db.ReadSysCfgOptions(file), 0) << what;
        ASSERT_EQ(op.shown.size(), 1u) << what;
        EXPECT_EQ(op.headlines().back(), message) << what;
        EXPECT_TRUE(db.sysCfgFields().empty()) << what;
        EXPECT_EQ(std::filesystem::exists(file), content != nullptr) << what;
    };
    check("missing", nullptr, "Open *.XML Fail");
    check("malformed", "<R><SYSCFG><F></SYSCFG></R>", "Open *.XML Fail");
    check("no element", "<?xml version=\"1.0\"?>\n", "Read OptionDataQR46 Fail");
}

}  // namespace
}  // namespace vexlor
