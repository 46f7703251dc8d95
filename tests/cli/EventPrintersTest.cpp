// The terminal bar over the event stream: where its line ends and how bytes add up.
#include "cli/EventPrinters.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vexlor::cli {
namespace {

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
