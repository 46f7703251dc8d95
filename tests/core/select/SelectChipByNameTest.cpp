#include <gtest/gtest.h>

#include "SelectFixture.h"
#include "core/select/SelectChipByName.h"
#include "support/RecordingOperator.h"

namespace vexlor {
namespace {

class SelectChipByNameTest : public ::testing::Test {
  protected:
    SelectChipByNameTest() {
        test::WriteSampleCatalogue(base);
        context.link.writerConnected = true;
    }
    test::ScratchDir base;
    test::RecordingOperator op;
    AppContext context{op, base.path(), Language::English};
};

using M = ModeBox;

TEST_F(SelectChipByNameTest, ModesAreCheckedLikeClicksAndRefusedWhenNotAllowed) {
    const auto check = [&](const ChipRequest& request, const std::string& refusal) {
        const ChipRequestResult result = SelectChipByName(request, context, op);
        EXPECT_FALSE(result.outcome.accepted) << request.chipName;
        EXPECT_EQ(result.refusal, refusal) << request.chipName;
        EXPECT_EQ(context.shell.job.chipNameText, "") << request.chipName;
        EXPECT_EQ(context.chipXml.icInfo(), ICInfo{}) << request.chipName;
    };
    check({"QR31ZJ0115", {M::ExHvIspProgram}, {}}, "EXHV ISP Program cannot go with ISP Program");
    check({"QR31K1C13", {M::IspProgram}, {}}, "QR31K1C13 does not allow ISP Program");
    check({"QR46A200", {M::WholeChipErase}, {}}, "QR46A200 does not allow Whole Chip Erase");
    check({"QR31A100", {M::WholeChipErase, M::ProductionLimit, M::MassProduction}, "9"},
          "Mass Production Mode cannot go with Production Limit, Whole Chip Erase");
    check({"QR31A100", {M::ProductionLimit}, "100000000"},
          "Enter an integer between 1 and 99999999.");
    check({"QR31a100", {}, {}}, "Can't find QR31a100");
}

TEST_F(SelectChipByNameTest, ChosenChipAndModesReachTheJob) {
    const ChipRequestResult limited =
        SelectChipByName({"QR31A100", {M::ProductionLimit, M::WholeChipErase}, "500"}, context, op);
    ASSERT_TRUE(limited.outcome.accepted) << limited.refusal;
    EXPECT_EQ(limited.refusal, "");
    const JobState& job = context.shell.job;
    EXPECT_EQ(job.chipNameText, "QR31A100");
    EXPECT_EQ(job.productionLimit, 1);
    EXPECT_EQ(job.productionLimitCount, 500);
    EXPECT_EQ(job.wholeChipErase, 1);
    EXPECT_EQ(job.smartOptionAvailable, 1);
    EXPECT_EQ(context.shell.titleText, "Vexlor_Writer  QR31A100  ");
    // A forced mode is applied without being asked for; asking for it changes nothing.
    for (const auto& modes : {std::vector<M>{}, std::vector<M>{M::IspProgram}}) {
        const ChipRequestResult forced = SelectChipByName({"QR31ZJ0115", modes, {}}, context, op);
        ASSERT_TRUE(forced.outcome.accepted) << forced.refusal;
        EXPECT_EQ(job.chipNameText, "QR31ZJ0115");
        EXPECT_EQ(job.ispProgram, 1);
        EXPECT_EQ(job.productionLimit, 0);
        EXPECT_EQ(job.wholeChipErase, 0);
    }
    // A name under two series: the first in catalogue order, whose keys are the same here.
    const ChipRequestResult shared =
        SelectChipByName({"SHARED1", {M::DisplaySerialNumber}, {}}, context, op);
    ASSERT_TRUE(shared.outcome.accepted) << shared.refusal;
    EXPECT_TRUE(shared.outcome.openSerialNumberSet);
    EXPECT_EQ(job.displaySerialNumber, 1);
    EXPECT_EQ(job.chipNameText, "SHARED1");
}

TEST_F(SelectChipByNameTest, RefusedRequestKeepsThePreviousChip) {
    ASSERT_TRUE(SelectChipByName({"M20Y2", {M::MassProduction}, {}}, context, op).outcome.accepted);
    const ICInfo parameters = context.chipXml.icInfo();
    const ChipDisplayInfo keys = context.chipXml.chipDisplayInfo();
    const ChipRequestResult refused =
        SelectChipByName({"QR46A200", {M::IspProgram}, {}}, context, op);
    EXPECT_EQ(refused.refusal, "QR46A200 does not allow ISP Program");
    EXPECT_EQ(context.chipXml.icInfo(), parameters);
    EXPECT_EQ(context.chipXml.chipDisplayInfo(), keys);
    EXPECT_EQ(context.shell.job.chipNameText, "M20Y2");
    EXPECT_EQ(context.shell.job.massProduction, 1);
}

TEST_F(SelectChipByNameTest, ReadsOnlyTheChosenChipsParameterFile) {
    // Every other chip's file gone: reading one of them on the way would show its failure.
    const std::string kept = test::readText(base / "ICInfo/M20Y2.ic");
    std::filesystem::remove_all(base / "ICInfo");
    base.write("ICInfo/M20Y2.ic", kept);
    const ChipRequestResult result = SelectChipByName({"M20Y2", {}, {}}, context, op);
    ASSERT_TRUE(result.outcome.accepted) << result.refusal;
    EXPECT_EQ(context.chipXml.icInfo().ChipName, "M20Y2");
    for (const auto& shown : op.shown) {
        EXPECT_EQ(shown.text.find("ICInfo"), std::string::npos) << shown.text;
    }
}

}  // namespace
}  // namespace vexlor
