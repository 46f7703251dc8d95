#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "SelectFixture.h"
#include "core/chipdb/ReadChipXml.h"
#include "core/select/IcTypeSelectModel.h"
#include "core/select/PackageCode.h"
#include "support/RecordingOperator.h"

namespace vexlor {
namespace {

using Strings = std::vector<std::string>;

class IcTypeSelectModelTest : public ::testing::Test {
  protected:
    IcTypeSelectModelTest() { test::WriteSampleCatalogue(base); }
    std::array<int, 3> selections() const {
        return {model.lists().selection(ChipList::McuType),
                model.lists().selection(ChipList::ChipSeries),
                model.lists().selection(ChipList::ChipName)};
    }
    test::ScratchDir base;
    test::RecordingOperator op;
    ReadChipXml document{op, base.path()};
    IcTypeSelectModel model{document, op};
};

TEST_F(IcTypeSelectModelTest, OpensOnTheFirstChipWithoutPackagesForTheFirstCatalogue) {
    ASSERT_TRUE(model.open(1));
    EXPECT_TRUE(op.shown.empty());
    EXPECT_EQ(model.lists().items(ChipList::McuType), (Strings{"OTP", "MTP"}));
    EXPECT_EQ(model.lists().items(ChipList::ChipSeries), (Strings{"QR31", "QR46"}));
    EXPECT_EQ(model.lists().items(ChipList::ChipName),
              (Strings{"QR31A100", "QR31ZJ0115", "QR31K1C13"}));
    EXPECT_TRUE(model.lists().items(ChipList::Packages).empty());
    EXPECT_FALSE(model.packagesShown());
    EXPECT_EQ(model.labels(),
              (IcTypeSelectLabels{"OTP", "QR31", "QR31A100", "", "OTP", "QR31A100"}));
    EXPECT_EQ(document.icInfo().ChipName, "QR31A100");
    EXPECT_EQ(document.icInfo().Inside_Number, 0x3a1u);
    EXPECT_EQ(model.modes().controls().countText, "1");
    EXPECT_EQ(model.selection().packageName, "");
}

TEST_F(IcTypeSelectModelTest, OpensOnTheCurrentChipWithTheModesItStillAllows) {
    CurrentChoice current{"M20Y2", {}};
    current.modes[ModeBox::IspProgram] = 1;
    current.modes[ModeBox::ProductionLimit] = 1;
    current.modes[ModeBox::WholeChipErase] = 1;  // M20Y2 does not allow it
    current.modes.productionLimitCount = 250;
    ASSERT_TRUE(model.open(1, current));
    EXPECT_EQ(model.labels(), (IcTypeSelectLabels{"MTP", "M20", "M20Y2", "", "MTP", "M20Y2"}));
    EXPECT_EQ(document.icInfo().ChipName, "M20Y2");
    ASSERT_TRUE(model.accept());
    EXPECT_EQ(model.selection().modes.states,
              (std::array<std::int32_t, kModeBoxCount>{0, 0, 1, 0, 1, 0}));
    EXPECT_EQ(model.selection().modes.productionLimitCount, 250);
    // A chip the catalogue no longer lists: the first chip, no modes.
    ASSERT_TRUE(model.open(1, CurrentChoice{"GONE", current.modes}));
    EXPECT_EQ(model.labels().chipName, "QR31A100");
    EXPECT_EQ(model.modes().data().states, (std::array<std::int32_t, kModeBoxCount>{}));
    EXPECT_TRUE(op.shown.empty());
}

TEST_F(IcTypeSelectModelTest, UnreadableCatalogueCancelsTheDialog) {
    std::filesystem::remove(base / "ChipList/KLW20_mcu.xml");
    EXPECT_FALSE(model.open(1));
    ASSERT_FALSE(op.shown.empty());
    EXPECT_EQ(op.last().text, "Read Chip List Error!!");
    EXPECT_EQ(op.last().icon, MessageIcon::Stop);
}

TEST_F(IcTypeSelectModelTest, ListChangesCascadeToTheFirstEntriesBelow) {
    ASSERT_TRUE(model.open(1));
    model.selectChipName(2);
    model.selectMcuType(1);
    EXPECT_EQ(model.lists().items(ChipList::ChipSeries), (Strings{"M10", "M20"}));
    EXPECT_EQ(model.lists().items(ChipList::ChipName), (Strings{"M10X1", "SHARED1"}));
    EXPECT_EQ(selections(), (std::array{1, 0, 0}));
    EXPECT_EQ(model.labels(), (IcTypeSelectLabels{"MTP", "M10", "M10X1", "", "MTP", "M10X1"}));
    model.selectChipSeries(1);
    EXPECT_EQ(model.lists().items(ChipList::ChipName), (Strings{"M20Y2", "SHARED1"}));
    EXPECT_EQ(model.labels().chipName, "M20Y2");
    model.selectChipName(1);
    EXPECT_EQ(selections(), (std::array{1, 1, 1}));
    EXPECT_EQ(model.labels(), (IcTypeSelectLabels{"MTP", "M20", "SHARED1", "", "MTP", "SHARED1"}));
    EXPECT_EQ(document.icInfo().ChipName, "SHARED1");
    EXPECT_TRUE(op.shown.empty());
}

TEST_F(IcTypeSelectModelTest, OpeningOnAForcedChipAlreadyHoldsTheForcedMode) {
    // A catalogue whose very first chip is forced.
    test::ScratchDir other;
    other.write("ChipList/KLW20_mcu.xml", "<C><ChipSeries><Series type=\"OTP\"><G name=\"QR46\">" +
                                              test::ChipEntry("QR46YJ45", "000100") +
                                              "</G></Series></ChipSeries></C>");
    test::WriteICInfoFile(other, "QR46YJ45", "4645");
    ReadChipXml otherDocument(op, other.path());
    IcTypeSelectModel opened(otherDocument, op);
    ASSERT_TRUE(opened.open(1));
    EXPECT_EQ(opened.modes().controls()[ModeBox::ExHvIspProgram], (BoxControl{true, false}));
    ASSERT_TRUE(opened.accept());
    EXPECT_EQ(opened.selection().modes[ModeBox::ExHvIspProgram], 1);
}

TEST_F(IcTypeSelectModelTest, ProductionLimitIsDroppedForAChipWithoutIt) {
    ASSERT_TRUE(model.open(1));
    model.clickMode(ModeBox::ProductionLimit, true);
    model.editCount("250");
    EXPECT_EQ(model.modes().data().productionLimitCount, 250);
    model.selectChipSeries(1);  // QR46YJ45: ProductionLimit 0
    EXPECT_EQ(model.modes().controls()[ModeBox::ProductionLimit], (BoxControl{false, false}));
    EXPECT_FALSE(model.modes().controls().countEnabled);
    EXPECT_EQ(model.modes().data()[ModeBox::ProductionLimit], 0);
    ASSERT_TRUE(model.accept());
    EXPECT_EQ(model.selection().modes[ModeBox::ProductionLimit], 0);
    EXPECT_EQ(model.selection().modes[ModeBox::ExHvIspProgram], 1);
}

TEST_F(IcTypeSelectModelTest, CountOutOfRangeIsRefusedAndKeepsTheDialogOpen) {
    ASSERT_TRUE(model.open(1));
    model.clickMode(ModeBox::ProductionLimit, true);
    model.editCount("");
    EXPECT_TRUE(op.shown.empty());
    model.editCount("0");
    ASSERT_EQ(op.shown.size(), 1u);
    EXPECT_EQ(op.last().text, "Enter an integer between 1 and 99999999.");
    EXPECT_FALSE(model.accept());
    EXPECT_EQ(op.shown.size(), 2u);
    model.editCount("99999999");
    EXPECT_TRUE(model.accept());
    EXPECT_EQ(model.selection().modes.productionLimitCount, 99999999);
    EXPECT_EQ(op.shown.size(), 2u);
}

TEST_F(IcTypeSelectModelTest, JumpWalksTheListsToTheFoundChip) {
    ASSERT_TRUE(model.open(1));
    model.jumpTo(1, 1, 1);
    EXPECT_EQ(model.labels(), (IcTypeSelectLabels{"MTP", "M20", "SHARED1", "", "MTP", "SHARED1"}));
    EXPECT_EQ(document.icInfo().ChipName, "SHARED1");
    EXPECT_EQ(model.modes().controls()[ModeBox::DisplaySerialNumber], (BoxControl{false, true}));
    EXPECT_EQ(model.modes().controls()[ModeBox::MassProduction], (BoxControl{false, false}));
}

TEST_F(IcTypeSelectModelTest, SecondCatalogueShowsPackagesAndTheirCodes) {
    ASSERT_TRUE(model.open(2));
    EXPECT_TRUE(model.packagesShown());
    EXPECT_EQ(model.lists().items(ChipList::Packages), (Strings{"DIP 8", "SOP16"}));
    EXPECT_EQ(model.labels().package, "DIP 8");
    EXPECT_EQ(DerivePackageCode(2, model.selection().packageName), "8");
    model.selectPackage(1);
    EXPECT_EQ(model.labels().package, "SOP16");
    EXPECT_EQ(DerivePackageCode(2, model.selection().packageName), "16");
    model.selectChipName(1);
    EXPECT_EQ(model.lists().items(ChipList::Packages), (Strings{"SOP28"}));
    EXPECT_EQ(model.lists().selection(ChipList::Packages), 0);
    EXPECT_EQ(DerivePackageCode(2, model.selection().packageName), "28");
}

}  // namespace
}  // namespace vexlor
