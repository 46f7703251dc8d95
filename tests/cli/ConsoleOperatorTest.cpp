#include "cli/ConsoleOperator.h"

#include <gtest/gtest.h>

#include <sstream>

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
    struct Case {
        std::optional<bool> answer;
        bool expected;
        std::string shown;
    };
    const Case cases[] = {
        {true, true, " Are you sure reset writer firmware ?  -> Yes\n"},
        {false, false, " Are you sure reset writer firmware ?  -> No\n"},
        {std::nullopt, false,
         " Are you sure reset writer firmware ?  -> No (give --yes to agree)\n"},
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        ConsoleOperator op(out, err, {c.answer, {}});
        EXPECT_EQ(op.ask(" Are you sure reset writer firmware ? ", " ", MessageIcon::Question),
                  c.expected);
        EXPECT_EQ(out.str(), c.shown);
    }
}

TEST(ConsoleOperator, FileChoicesComeFromTheListThenCancel) {
    std::ostringstream out, err;
    ConsoleOperator op(out, err, {std::nullopt, {"a.hex", "b.nce"}});
    EXPECT_EQ(op.chooseOpenFile("Hex (*.hex)|*.hex||"), "a.hex");
    EXPECT_EQ(op.chooseSaveFile("Zip (*.zip)|*.zip||", "job", "zip"), "b.nce");
    EXPECT_EQ(op.chooseOpenFile("Hex (*.hex)|*.hex||"), std::nullopt);
}

TEST(ConsoleOperator, LogTextLosesCarriageReturnsAndEmptyPieces) {
    std::ostringstream out, err;
    ConsoleOperator op(out, err, {});
    op.setLogText("DAC Board Voltage Test \r\n");
    op.appendLog("DAC_VPP Voltage\t\t\t\t Ok \r\n");
    op.setLogText("");
    EXPECT_EQ(out.str(), "DAC Board Voltage Test \nDAC_VPP Voltage\t\t\t\t Ok \n");
}

TEST(ConsoleOperator, ARewrittenLogPrintsOnlyWhatDiffersFromTheShownText) {
    std::ostringstream out, err;
    ConsoleOperator op(out, err, {});
    op.setLogText("Data Buffer Test ....... Wait");
    op.setLogText("Data Buffer Test\r\nData Buffer\t OK \r\n");
    op.setLogText("Data Buffer Test\r\nData Buffer\t OK \r\nDownload");
    EXPECT_EQ(out.str(), "Data Buffer Test ....... Wait\n\nData Buffer\t OK \nDownload\n");
}

}  // namespace
}  // namespace vexlor::cli
