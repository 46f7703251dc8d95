#include <gtest/gtest.h>

#include <cstring>

#include "FakeChipDatabase.h"
#include "core/app/JobRestore.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

namespace vexlor {
namespace {

class JobRestoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        shell.startDirectory = dir.path().string();
        std::filesystem::create_directories(dir.path() / "res" / "ICPicture");
        dir.write("res/ICPicture/QV1a2b.jpg", "picture");

        test::FakeChipDatabase::Chip smart;
        smart.display.HaveSmartOPT = 1;
        smart.display.SetProtectMode = 1;
        smart.ic.Inside_Number = 0x1A2B;
        chips.add("QR62J61", smart);

        test::FakeChipDatabase::Chip plain;
        plain.ic.Inside_Number = 0x77;  // no picture for it
        chips.add("KL20A", plain);
    }

    OptionHeader headerFor(const char* name) {
        OptionHeader h{};
        std::memcpy(h.data(), name, std::strlen(name));
        return h;
    }

    test::ScratchDir dir;
    test::FakeChipDatabase chips;
    test::RecordingOperator op;
    ShellState shell;
};

TEST_F(JobRestoreTest, RestoresNameTitleChecksumAndSmartOption) {
    OptionHeader h = headerFor("QR62J61");
    h[16] = 0x0B;
    h[17] = 0xE5;
    h[36] = 0x12;
    h[37] = 0x35;
    ASSERT_TRUE(RestoreJobFromWriter(h, chips, op, shell));
    EXPECT_EQ(shell.titleText, "Vexlor_Writer_QR62J61");
    EXPECT_EQ(shell.job.chipNameText, "QR62J61");
    EXPECT_EQ(shell.job.checksumText, "0BE5");
    EXPECT_EQ(shell.job.smartOptionAvailable, 1);
    EXPECT_EQ(shell.job.smartOptionWord, 0x1235);
    EXPECT_TRUE(shell.panel.at(ControlId::SmartOption).enabled);
    EXPECT_EQ(chips.displayReads, std::vector<std::string>{"QR62J61"});
    EXPECT_EQ(chips.icReads, std::vector<std::string>{"QR62J61"});
    // Protect mode 1 reads bit 0 of byte 36 (0x12: clear, so "Protect").
    EXPECT_TRUE(shell.panel.at(ControlId::Protect).checked);
    EXPECT_FALSE(shell.panel.at(ControlId::Unprotect).checked);
    EXPECT_EQ(shell.panel.pinPicturePath, shell.startDirectory + "/res/ICPicture/QV1a2b.jpg");
    EXPECT_TRUE(shell.panel.at(ControlId::PinPicture).enabled);
    EXPECT_TRUE(op.shown.empty());
}

TEST_F(JobRestoreTest, NameEndsAtTenCharactersOrTheFirstZero) {
    OptionHeader h = headerFor("KL20A");
    h[6] = 'X';  // after the terminating zero
    ASSERT_TRUE(RestoreJobFromWriter(h, chips, op, shell));
    EXPECT_EQ(shell.job.chipNameText, "KL20A");
    OptionHeader full = headerFor("KL20ABCDEFGH");  // 12 characters stored, 10 taken
    ASSERT_TRUE(RestoreJobFromWriter(full, chips, op, shell));
    EXPECT_EQ(shell.job.chipNameText, "KL20ABCDEF");
}

TEST_F(JobRestoreTest, UnknownFamilyOrEmptyNameRestoresNothing) {
    for (const char* name : {"", "Q", "ZZ100", "qr62j61", "\xff\xff"}) {
        SCOPED_TRACE(name);
        ShellState fresh;
        fresh.job.checksumText = "keep";
        EXPECT_FALSE(RestoreJobFromWriter(headerFor(name), chips, op, fresh));
        EXPECT_EQ(fresh.titleText, kInitialTitleText);
        EXPECT_EQ(fresh.job.chipNameText, "");
        EXPECT_EQ(fresh.job.checksumText, "keep");
    }
    EXPECT_TRUE(chips.displayReads.empty());
}

// The job's modes as digits: EXHV ISP, ISP, serial mode, serial number program, display serial
// number, whole chip erase, mass production, production limit.
std::string modeDigits(const JobState& j) {
    std::string digits;
    for (int value : std::initializer_list<int>{
             j.exhvIspProgram, j.ispProgram, j.serialMode, j.serialNumberProgram,
             j.displaySerialNumber, j.wholeChipErase, j.massProduction, j.productionLimit}) {
        digits += std::to_string(value);
    }
    return digits;
}

TEST_F(JobRestoreTest, ModesFromTheHeaderBytes) {
    struct Case {
        const char* what;
        int offset;
        std::uint8_t value;
        const char* modes;
        bool opsDisabled;
    };
    const Case cases[] = {
        {"exhv isp", 76, 0x01, "10000000", false},
        {"isp", 76, 0x02, "01000000", false},
        {"serial program", 53, 0x1F, "00110000", false},
        {"display serial", 53, 0x20, "00201000", false},
        {"serial low nibble only", 53, 0x02, "00000000", false},
        {"whole chip erase", 95, 0x03, "00000100", false},
        {"mass production", 78, 0x10, "00000010", true},
        {"mass production extra bits", 78, 0xF0, "00000010", true},
        {"production limit", 78, 0x11, "00000001", true},
        {"limit bit alone", 78, 0x01, "00000000", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ShellState fresh;
        fresh.startDirectory = shell.startDirectory;
        OptionHeader h = headerFor("KL20A");
        h[c.offset] = c.value;
        ASSERT_TRUE(RestoreJobFromWriter(h, chips, op, fresh));
        EXPECT_EQ(modeDigits(fresh.job), c.modes);
        EXPECT_EQ(fresh.panel.at(ControlId::BlankCheck).enabled, !c.opsDisabled);
        EXPECT_EQ(fresh.panel.at(ControlId::Program).enabled, !c.opsDisabled);
        EXPECT_EQ(fresh.panel.at(ControlId::Verify).enabled, !c.opsDisabled);
        EXPECT_TRUE(fresh.panel.at(ControlId::Auto).enabled);
    }
}

TEST_F(JobRestoreTest, Byte77Of0x10SwitchesSmartOptionOff) {
    OptionHeader h = headerFor("QR62J61");
    h[77] = 0x10;
    h[36] = 0x44;
    ASSERT_TRUE(RestoreJobFromWriter(h, chips, op, shell));
    EXPECT_EQ(shell.job.smartOptionAvailable, 0);
    EXPECT_EQ(shell.job.smartOptionWord, kUnknownSystemConfig);
    EXPECT_FALSE(shell.panel.at(ControlId::SmartOption).enabled);
}

TEST_F(JobRestoreTest, MissingPictureIsReportedAndDisablesItsControls) {
    ASSERT_TRUE(RestoreJobFromWriter(headerFor("KL20A"), chips, op, shell));
    ASSERT_EQ(op.shown.size(), 1u);
    EXPECT_EQ(op.last().text, "Can't Find PIN Picture!!");
    EXPECT_FALSE(shell.panel.at(ControlId::PinPlacement).enabled);
    EXPECT_FALSE(shell.panel.at(ControlId::PinPicture).enabled);
    EXPECT_EQ(shell.panel.pinPicturePath, "");
    EXPECT_EQ(shell.job.checksumText, "0000");
}

TEST(PinPicturePath, InsideNumberInLowerCaseHex) {
    EXPECT_EQ(PinPicturePath("/opt/vw", 0x5AF), "/opt/vw/res/ICPicture/QV5af.jpg");
    EXPECT_EQ(PinPicturePath("/opt/vw", 0), "/opt/vw/res/ICPicture/QV0.jpg");
}

}  // namespace
}  // namespace vexlor
