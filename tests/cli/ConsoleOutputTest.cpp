// What the tool prints for core: messages, questions, file choices, the log and the terminal bar.
#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "cli/ConsoleOperator.h"
#include "cli/EventPrinters.h"

namespace vexlor::cli {
namespace {

TEST(ConsoleOperator, MessagesGoToTheStreamTheirIconAsksFor) {
    struct Case {
        std::string text;
        std::string caption;
        MessageIcon icon;
        std::string out;
        std::string err;
    };
    const Case cases[] = {
        {"Loading Data Ok", "Message", MessageIcon::None, "Message: Loading Data Ok\n", ""},
        {"Update Firmware Fail", "Message", MessageIcon::Stop, "",
         "Message: Update Firmware Fail\n"},
        {"Please Download File", "Message", MessageIcon::Exclamation, "",
         "Message: Please Download File\n"},
        {"buffer_option.prog open file error\n", "", MessageIcon::None,
         "buffer_option.prog open file error\n", ""},
        {"Reset Firmware Ok.\nPlease Re-select The IC", "Message", MessageIcon::Information,
         "Message: Reset Firmware Ok.\nPlease Re-select The IC\n", ""},
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        ConsoleOperator op(out, err, {});
        op.message(c.text, c.caption, c.icon);
        EXPECT_EQ(out.str(), c.out);
        EXPECT_EQ(err.str(), c.err);
    }
}

TEST(ConsoleOperator, QuestionsTakeTheGivenAnswerElseNo) {
    const std::tuple<std::optional<bool>, bool, std::string> cases[] = {
        {true, true, " -> Yes\n"},
        {false, false, " -> No\n"},
        {std::nullopt, false, " -> No (give --yes to agree)\n"},
    };
    for (const auto& [answer, expected, shown] : cases) {
        std::ostringstream out, err;
        ConsoleOperator op(out, err, {answer, {}});
        EXPECT_EQ(op.ask(" Are you sure reset writer firmware ? ", " ", MessageIcon::Question),
                  expected);
        EXPECT_EQ(out.str(), " Are you sure reset writer firmware ? " + shown);
    }
}

TEST(ConsoleOperator, FileChoicesComeFromTheListThenCancel) {
    std::ostringstream out, err;
    ConsoleOperator op(out, err, {std::nullopt, {"a.hex", "b.nce"}});
    EXPECT_EQ(op.chooseOpenFile("Hex (*.hex)|*.hex||"), "a.hex");
    EXPECT_EQ(op.chooseSaveFile("Zip (*.zip)|*.zip||", "job", "zip"), "b.nce");
    EXPECT_EQ(op.chooseOpenFile("Hex (*.hex)|*.hex||"), std::nullopt);
}

// Carriage returns and empty pieces are dropped; a rewritten log prints only what differs from
// the text already shown.
TEST(ConsoleOperator, LogPrintsEachNewLineOnce) {
    std::ostringstream out, err;
    ConsoleOperator op(out, err, {});
    op.setLogText("DAC Board Voltage Test \r\n");
    op.appendLog("DAC_VPP Voltage\t\t\t\t Ok \r\n");
    op.setLogText("");
    EXPECT_EQ(out.str(), "DAC Board Voltage Test \nDAC_VPP Voltage\t\t\t\t Ok \n");

    out.str("");
    op.setLogText("Data Buffer Test ....... Wait");
    op.setLogText("Data Buffer Test\r\nData Buffer\t OK \r\n");
    op.setLogText("Data Buffer Test\r\nData Buffer\t OK \r\nDownload");
    EXPECT_EQ(out.str(), "Data Buffer Test ....... Wait\n\nData Buffer\t OK \nDownload\n");
}

TEST(TerminalProgressBar, CountsEveryTransferAndEndsItsLineBeforeText) {
    VirtualClock clock;
    std::ostringstream out;
    TerminalProgressBar bar(out, clock);
    bar.beginStage("Download");
    bar.setRange(0, 4);
    clock.advance(1000);
    // Three transfers of one operation, each counting from 0: 1024 + 1024 + 512 bytes in one
    // second.
    bar.transferred(1024, 1024);
    bar.transferred(512, 1024);
    bar.transferred(1024, 1024);
    bar.setPosition(2);
    // Hidden between two transfers: the line goes on.
    bar.setPosition(0);
    out.str("");
    bar.transferred(512, 1024);
    bar.note("Message: Loading Data Ok");
    EXPECT_EQ(out.str(), "\r[------------------------------]   0%  2.5 KiB/s  --:-- left\x1b[K\n");

    // Nothing drawn since: no empty line for the next text.
    out.str("");
    bar.result("Download", true);
    bar.setPosition(0);
    EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace vexlor::cli
