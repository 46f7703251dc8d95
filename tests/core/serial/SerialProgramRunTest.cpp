#include <gtest/gtest.h>

#include <tuple>

#include "JobRig.h"
#include "core/serial/SerialCommands.h"
#include "core/serial/SerialProgramSession.h"
#include "core/serial/SerialSetModel.h"

namespace vexlor::test {
namespace {

constexpr std::uint32_t kSerialAddress = 0x1FE2;

// A run set up through the Set dialog on the simulated writer, with a program downloaded, and
// the Program dialog's session over it.
class SerialProgramRun : public ::testing::Test {
  protected:
    SerialProgramRun() {
        rig.selectChip("QR31N4365");
        rig.writer.WriteAreaFromFile(rig.base.writeBytes("data.prog", Bytes(0x2000, 0xFF)),
                                     kDataArea);
    }
    void setUp(const std::string& first, const std::string& amount) {
        SerialSetModel set(rig.context.serial, {});
        set.open();
        set.lengthEdited("4", rig.op);
        set.startAddressEdited("1FE2");
        set.firstSerialEdited(first);
        set.amountEdited(amount);
        ASSERT_TRUE(set.load(SerialLoadTargetOf(rig.context, rig.writer, rig.op)));
        session.setFinished(true);
        ASSERT_TRUE(session.programEnabled());
    }
    // A fresh chip in the socket, programmed; returns the four serial bytes it holds after.
    SerialProgramSession::ChipResult programChip(Bytes* serialBytes = nullptr) {
        rig.device.chip().insertBlank();
        auto result = session.programOneChip(rig.writer, rig.context.chipXml.icInfo());
        if (serialBytes) {
            auto cells = rig.device.chip().contents().subspan(kSerialAddress, 4);
            *serialBytes = Bytes(cells.begin(), cells.end());
        }
        return result;
    }
    JobRig rig;
    SerialProgramSession session{rig.context.serial, rig.context.serialJournal, rig.op, "QR31N4365",
                                 false};
};

TEST_F(SerialProgramRun, FiveNumbersOverSixChipsWithOneFailure) {
    session.start();
    setUp("A0", "5");
    std::vector<Bytes> numbers;
    for (int chip = 0; chip < 6; ++chip) {
        if (chip == 2) {
            // A chip already programmed where the number goes cannot take it.
            Bytes used(0x2000, 0xFF);
            used[kSerialAddress + 3] = 0x00;
            rig.device.chip().insert(used);
            const auto failed = session.programOneChip(rig.writer, rig.context.chipXml.icInfo());
            EXPECT_FALSE(failed.passed);
            EXPECT_EQ(rig.context.serial.currentSerial, "A2");
            EXPECT_TRUE(session.programEnabled());
            continue;
        }
        Bytes serial;
        const auto result = programChip(&serial);
        ASSERT_TRUE(result.passed) << chip;
        EXPECT_EQ(result.complete, chip == 5);
        numbers.push_back(serial);
    }
    const std::vector<Bytes> expected = {
        {0, 0, 0, 0xA0}, {0, 0, 0, 0xA1}, {0, 0, 0, 0xA2}, {0, 0, 0, 0xA3}, {0, 0, 0, 0xA4}};
    EXPECT_EQ(numbers, expected);
    const SerialRunState& state = rig.context.serial;
    EXPECT_EQ(std::tuple(state.okText, state.ngText, state.totalText), std::tuple("5", "1", "6"));
    EXPECT_FALSE(session.programEnabled());
    EXPECT_EQ(session.startSerialText(), "000000A5");
    EXPECT_EQ(session.endSerialText(), "000000A4");
    // The writer itself refuses a number past the end.
    EXPECT_FALSE(programChip().passed);
}

TEST_F(SerialProgramRun, RunOfOneCompletesWithTheFirstPassingChip) {
    session.start();
    setUp("FFFE", "1");
    const auto result = programChip();
    EXPECT_EQ(std::tuple(result.passed, result.serialUsed, result.complete),
              std::tuple(true, "FFFE", true));
}

TEST_F(SerialProgramRun, CountersRunAcrossSetUpsUntilResetOrClose) {
    session.start();
    setUp("1", "9");
    programChip();
    setUp("100", "9");
    programChip();
    EXPECT_EQ(rig.context.serial.totalText, "2");
    session.resetCount();
    EXPECT_EQ(rig.context.serial.okText, "0");
    programChip();
    session.close();
    EXPECT_EQ(rig.context.serial.currentSerial, std::string(32, '0'));
    EXPECT_EQ(rig.context.serial.lengthBytes, 16);
    session.start();
    EXPECT_EQ(rig.context.serial.totalText, "0");
}

TEST_F(SerialProgramRun, InterruptedRunComesBackAtTheNextStart) {
    session.start();
    setUp("A0", "5");
    programChip();
    rig.device.faults().jobFails = true;
    programChip();
    rig.device.faults().jobFails = false;
    programChip();
    // The program stops here without closing the dialog; the next one starts on the same base.
    AppContext restarted(rig.op, rig.base.path(), Language::English);
    restarted.link.writerConnected = true;
    rig.writer.ReadOptionHeader(restarted.link.optionHeader);
    EXPECT_TRUE(StartSerialNumbers(restarted, rig.op));
    EXPECT_EQ(restarted.serial.currentSerial, "000000A2");
    EXPECT_EQ(
        std::tuple(restarted.serial.okText, restarted.serial.ngText, restarted.serial.totalText),
        std::tuple("2", "1", "3"));
    EXPECT_NE(rig.op.log.find("next S/N 000000A2"), std::string::npos);
    SerialProgramSession resumed(restarted.serial, restarted.serialJournal, rig.op, "QR31N4365",
                                 false);
    resumed.start();
    EXPECT_EQ(restarted.serial.totalText, "3");
    resumed.close();
    AppContext again(rig.op, rig.base.path(), Language::English);
    EXPECT_FALSE(StartSerialNumbers(again, rig.op));
    EXPECT_EQ(again.serial.totalText, "");
}

TEST_F(SerialProgramRun, AJournalThatCannotBeWrittenIsReportedOnceAndTheRunGoesOn) {
    SerialJournal broken(rig.base / "missing-dir" / "journal.db");
    SerialProgramSession unjournaled(rig.context.serial, broken, rig.op, "QR31N4365", false);
    unjournaled.start();
    setUp("1", "5");
    unjournaled.setFinished(true);
    rig.device.chip().insertBlank();
    EXPECT_TRUE(unjournaled.programOneChip(rig.writer, rig.context.chipXml.icInfo()).passed);
    const std::size_t shown = rig.op.shown.size();
    rig.device.chip().insertBlank();
    EXPECT_TRUE(unjournaled.programOneChip(rig.writer, rig.context.chipXml.icInfo()).passed);
    EXPECT_EQ(rig.op.shown.size(), shown);
    EXPECT_EQ(rig.context.serial.okText, "2");
    EXPECT_NE(rig.op.shown.front().text.find("journal"), std::string::npos);
}

TEST_F(SerialProgramRun, ReadSerialInfoShowsWhatTheWriterHolds) {
    int shown = 0;
    ReadSerialInfo(rig.context, rig.writer, rig.op, [&] { ++shown; });
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(rig.op.last().text, "No Use Serial Number");
    setUp("A0", "5");
    programChip();
    rig.writer.ReadOptionHeader(rig.context.link.optionHeader);
    ReadSerialInfo(rig.context, rig.writer, rig.op, [&] {
        ++shown;
        const SerialRunState& s = rig.context.serial;
        EXPECT_TRUE(s.viewOnly);
        EXPECT_EQ(std::tuple(s.currentSerial, s.endSerial, s.amountText),
                  std::tuple("000000A1", "000000A5", "4"));
    });
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(rig.context.serial.viewOnly);
}

TEST(SerialModeButtons, DisplaySerialNumberHoldsOnlyTheFourChipButtons) {
    ShellState shell;
    EXPECT_FALSE(HoldChipButtonsForSerialRun(shell));
    EXPECT_TRUE(shell.panel.at(ControlId::Auto).enabled);
    shell.job.displaySerialNumber = 1;
    EXPECT_TRUE(HoldChipButtonsForSerialRun(shell));
    for (ControlId id :
         {ControlId::Auto, ControlId::BlankCheck, ControlId::Program, ControlId::Verify}) {
        EXPECT_FALSE(shell.panel.at(id).enabled) << static_cast<int>(id);
    }
    EXPECT_TRUE(shell.panel.at(ControlId::Read).enabled);
}

}  // namespace
}  // namespace vexlor::test
