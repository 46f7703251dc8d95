#include <gtest/gtest.h>

#include <tuple>

#include "core/chipdb/ReadChipXml.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor {
namespace {

class ChipDisplayInfoReader : public ::testing::Test {
  protected:
    // One MCU type with one series holding the given chip entries.
    void writeCatalogue(const std::string& chips) {
        writeCatalogueFile("KLW20_mcu.xml",
                           "<ChipSeries><Series type=\"OTP\"><Family name=\"QR31\">" + chips +
                               "</Family></Series></ChipSeries>");
    }
    void writeCatalogueFile(const std::string& file, const std::string& rootContent) {
        scratch.write("ChipList/" + file,
                      "<?xml version=\"1.0\"?>\n<ChipList>" + rootContent + "</ChipList>\n");
    }
    ChipDisplayInfo& info() { return db.chipDisplayInfo(); }
    // One chip entry with every key, some in forms the atoi rules cut short.
    const std::string fullChip = test::dataText("chipdb/full-chip.xml");
    test::ScratchDir scratch;
    test::RecordingOperator op;
    ReadChipXml db{op, scratch.path()};
};

TEST_F(ChipDisplayInfoReader, ReadsEveryKeyWithAtoiRulesAndJoinsFileTypes) {
    writeCatalogue(fullChip);
    EXPECT_EQ(db.ReadChipDisplayInfo("QR31A", 1), 0);
    // HextoBinMode " 12ab" gives 12 (blank skipped, digits up to the letters) and
    // SetProtectMode, letters only, 0.
    const ChipDisplayInfo expected{
        .IcTransfileforPath = 3,
        .MenuSerial_Num = 1,
        .MenuCompare_File = 8,
        .MenuSet_Protect = 9,
        .MenuRead_ChipInfo = -2,
        .MassProduction = 6,
        .ProductionLimit = 7,
        .ExHVISP = 1,
        .ISP = 2,
        .EraseMode = 4,
        .Buzzer = 3,
        .RollingCode = 5,
        .HextoBinMode = 12,
        .SetProtectMode = 0,
        .HaveSmartOPT = 1,
        .FuseCheckBoxDisplay = 2,
        .FW_File = "QR31.nce",
        .IC_FileType = "Hex Files (*.hex)|*.hex|Bin Files (*.bin)|*.bin||"};
    EXPECT_EQ(info(), expected);
    EXPECT_TRUE(op.shown.empty());
}

TEST_F(ChipDisplayInfoReader, KeysOutsideTheirGroupAreIgnored) {
    writeCatalogue(R"(<Chip name="QR31C">
        <ISP>1</ISP>
        <ICSelectDisplay><MenuSerial_Num>1</MenuSerial_Num><HaveSmartOPT>1</HaveSmartOPT></ICSelectDisplay>
        <MenuOperationDisplay><EraseMode>1</EraseMode></MenuOperationDisplay>
        <Extra><FW_File>no.nce</FW_File></Extra>
        <fw_file>lower.nce</fw_file>
      </Chip>)");
    db.ReadChipDisplayInfo("QR31C", 1);
    EXPECT_EQ(info(), ChipDisplayInfo{});
}

TEST_F(ChipDisplayInfoReader, FileTypeJoinsTextAndElementChildrenInOrder) {
    const auto check = [&](const char* fileType, const char* expected) {
        info().IC_FileType = "previous";
        writeCatalogue(std::string("<Chip name=\"QR31A\">") + fileType + "</Chip>");
        db.ReadChipDisplayInfo("QR31A", 1);
        EXPECT_EQ(info().IC_FileType, expected) << fileType;
    };
    check("<IC_FileType>Hex (*.hex)|*.hex||</IC_FileType>", "Hex (*.hex)|*.hex||");
    check("<IC_FileType><A>Hex|*.hex|</A>Obj|*.obj|<B>All|<C>*.*</C>||</B></IC_FileType>",
          "Hex|*.hex|Obj|*.obj|All|*.*||");
    check("<IC_FileType> Hex|*.hex| <A>Obj|*.obj|</A>||</IC_FileType>", "Hex|*.hex|Obj|*.obj|||");
    check("<IC_FileType/>", "");
}

TEST_F(ChipDisplayInfoReader, DeeplyNestedValueIsReadWithoutExhaustingTheStack) {
    constexpr int kDepth = 200000;
    std::string open;
    std::string close;
    for (int i = 0; i < kDepth; ++i) {
        open += "<a>";
        close += "</a>";
    }
    writeCatalogue("<Chip name=\"QR31A\"><FW_File>" + open + "deep.nce" + close +
                   "</FW_File></Chip>");
    db.ReadChipDisplayInfo("QR31A", 1);
    EXPECT_EQ(info().FW_File, "deep.nce");
}

TEST_F(ChipDisplayInfoReader, KeysLeftOutKeepTheEarlierValuesEvenOfTheSameChip) {
    writeCatalogue(fullChip + R"(
      <Chip name="QR31B"><ICSelectDisplay><ISP>0</ISP></ICSelectDisplay></Chip>)");
    db.ReadChipDisplayInfo("QR31A", 1);
    db.ReadChipDisplayInfo("QR31B", 1);
    EXPECT_EQ(info().ISP, 0);
    EXPECT_EQ(info().ExHVISP, 1);
    EXPECT_EQ(info().FW_File, "QR31.nce");
    EXPECT_EQ(info().IC_FileType, "Hex Files (*.hex)|*.hex|Bin Files (*.bin)|*.bin||");
    // The same chip listed twice, the later entry with fewer keys.
    writeCatalogueFile("KLW20_mcu.xml", test::dataText("chipdb/duplicate-chips.xml"));
    db.ReadChipDisplayInfo("DUP", 1);
    EXPECT_EQ(std::tuple(info().HextoBinMode, info().FW_File, info().IC_FileType),
              std::tuple(9, "first.nce", "B|*.b||"));
}

// An entry without a name attribute never matches, not even the empty name.
TEST_F(ChipDisplayInfoReader, UnknownOrDifferentlyCasedNameChangesNothing) {
    writeCatalogue(fullChip + "<Chip><HextoBinMode>5</HextoBinMode></Chip>");
    db.ReadChipDisplayInfo("QR31A", 1);
    const ChipDisplayInfo before = info();
    for (const char* name : {"qr31a", "QR31", "QR31A ", ""}) {
        db.ReadChipDisplayInfo(name, 1);
        EXPECT_EQ(info(), before) << name;
    }
    EXPECT_TRUE(op.shown.empty());
}

TEST_F(ChipDisplayInfoReader, SecondSelectorReadsTheOtherFile) {
    writeCatalogue("<Chip name=\"QR31A\"><HextoBinMode>1</HextoBinMode></Chip>");
    writeCatalogueFile("KLW21_mcu.xml",
                       "<ChipSeries><S type=\"T\"><F name=\"F\"><Chip name=\"QR31A\">"
                       "<HextoBinMode>2</HextoBinMode></Chip></F></S></ChipSeries>");
    db.ReadChipDisplayInfo("QR31A", 2);
    EXPECT_EQ(info().HextoBinMode, 2);
    db.ReadChipDisplayInfo("QR31A", 1);
    EXPECT_EQ(info().HextoBinMode, 1);
}

TEST_F(ChipDisplayInfoReader, EveryCallSeesTheFileAsItIsNow) {
    const auto withMode = [](char mode) {
        return std::string("<Chip name=\"QR31A\"><HextoBinMode>") + mode + "</HextoBinMode></Chip>";
    };
    writeCatalogue(withMode('1'));
    db.ReadChipDisplayInfo("QR31A", 1);
    EXPECT_EQ(info().HextoBinMode, 1);
    // Same size, same moment: only the bytes differ.
    writeCatalogue(withMode('2'));
    db.ReadChipDisplayInfo("QR31A", 1);
    EXPECT_EQ(info().HextoBinMode, 2);
    writeCatalogueFile("KLW20_mcu.xml", "<ChipSeries>");
    db.ReadChipDisplayInfo("QR31A", 1);
    std::filesystem::remove(scratch.path() / "ChipList" / "KLW20_mcu.xml");
    db.ReadChipDisplayInfo("QR31A", 1);
    EXPECT_EQ(op.headlines(), (std::vector<std::string>{"Open *.XML Fail", "Open *.XML Fail"}));
    EXPECT_EQ(info().HextoBinMode, 2);
    writeCatalogue(withMode('3'));
    db.ReadChipDisplayInfo("QR31A", 1);
    EXPECT_EQ(info().HextoBinMode, 3);
}

TEST_F(ChipDisplayInfoReader, FailuresAreReportedAndChangeNothing) {
    // A null content writes no file.
    const auto check = [&](const char* what, const char* content, int selector,
                           const char* message) {
        test::ScratchDir base;
        test::RecordingOperator recorder;
        ReadChipXml reader(recorder, base.path());
        reader.chipDisplayInfo().FW_File = "kept.nce";
        if (content != nullptr) {
            base.write("ChipList/KLW20_mcu.xml", content);
            base.write("ChipList/KLW21_mcu.xml", content);
        }
        EXPECT_EQ(reader.ReadChipDisplayInfo("QR31A", selector), 0) << what;
        ASSERT_EQ(recorder.shown.size(), 1u) << what;
        EXPECT_EQ(recorder.headlines().back(), message) << what;
        EXPECT_EQ(recorder.last().icon, MessageIcon::None) << what;
        EXPECT_EQ(reader.chipDisplayInfo().FW_File, "kept.nce") << what;
    };
    check("missing file", nullptr, 1, "Open *.XML Fail");
    check("malformed", "<ChipList><ChipSeries></ChipList>", 1, "Open *.XML Fail");
    check("no element", "<?xml version=\"1.0\"?>\n<!-- nothing -->\n", 1,
          "Read ChipDisplayInfo Fail");
    check("unknown selector", "<ChipList/>", 3, "Open *.XML Fail");
}

}  // namespace
}  // namespace vexlor
