#include <gtest/gtest.h>

#include <QGuiApplication>
#include <sstream>

#include "gui/app/CProgStatusBar.h"
#include "gui/app/FileFilter.h"
#include "gui/app/QtOperator.h"
#include "support/gui/QtTestApp.h"

namespace vexlor::test {
namespace {

using gui::CProgStatusBar;

TEST(StatusBar, ProgressProtocol) {
    EnsureQtApplication();
    struct Case {
        const char* steps;  // "r low high", "p position", "a" (almost done)
        bool visible;
        int value;
    };
    const Case cases[] = {
        {"r 0 100", false, 0},           {"r 0 100 p 1", true, 1},
        {"r 0 100 p 40 p 0", false, 0},  {"r 0 100 p 3 a", true, 99},
        {"r 0 1 p 1 a", true, 1},  // almost done needs an upper bound of 2
        {"r 0 2 p 1 a", true, 1},        {"r 0 1 p 1 p 2 p 3", true, 1},
        {"r 0 100 p 50 r 0 5", true, 0}, {"r 0 65537 p 1", true, 1},  // 16-bit bounds: 0..1
    };
    for (const Case& c : cases) {
        CProgStatusBar bar;
        bar.show();
        std::istringstream steps(c.steps);
        for (std::string step; steps >> step;) {
            int low = 0;
            int high = 0;
            if (step == "r" && steps >> low >> high) {
                bar.setRange(low, high);
            } else if (step == "p" && steps >> low) {
                bar.setPosition(low);
            } else {
                bar.almostDone();
            }
        }
        EXPECT_EQ(bar.progressBar()->isVisible(), c.visible) << c.steps;
        EXPECT_EQ(bar.progressBar()->value(), c.value) << c.steps;
    }
}

TEST(StatusBar, StatusTextOutlastsProgressAndMouseAndPaneOneShowsTheConnection) {
    EnsureQtApplication();
    CProgStatusBar bar;
    EXPECT_EQ(bar.paneText(0), "Ready");
    gui::QtOperator op;
    op.bind(nullptr, nullptr, &bar);
    op.showStatus("Program OK");
    bar.showMousePosition(120, 7);
    EXPECT_EQ(bar.mousePositionText(), "X=120 Y=7");
    bar.setRange(0, 10);
    bar.setPosition(7);
    bar.setPosition(0);
    EXPECT_EQ(bar.paneText(0), "Program OK");

    EXPECT_EQ(bar.paneText(1), "USB was not connected");
    EXPECT_FALSE(bar.connectedIconShown());
    bar.showConnection({ConnectionIcon::Connected, "USB STANDALONE WRITER"});
    EXPECT_EQ(bar.paneText(1), "USB STANDALONE WRITER");
    EXPECT_TRUE(bar.connectedIconShown());
}

TEST(QtOperator, MessageBoxShowsTheNormalCursorWhileBusy) {
    EnsureQtApplication();
    gui::QtOperator op;
    op.beginBusy("metronom.ani");
    Qt::CursorShape duringBox = Qt::WaitCursor;
    AnswerNextModal([&duringBox](QWidget* box) {
        duringBox = QGuiApplication::overrideCursor()->shape();
        box->close();
    });
    op.message("Program OK", "Message", MessageIcon::None);
    EXPECT_EQ(duringBox, Qt::ArrowCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    op.endBusy();
}

TEST(FileFilter, CatalogueFiltersBecomeQtFilters) {
    const std::pair<const char*, const char*> cases[] = {
        {"Hex Files (*.hex)|*.hex||", "Hex Files (*.hex)"},
        {"Hex Files (*.hex)|*.hex|OTP Files (*.otp)|*.otp||",
         "Hex Files (*.hex);;OTP Files (*.otp)"},
        {"Program (*.hex;*.bin)|*.hex;*.bin||", "Program (*.hex *.bin)"},
        {"All Files|*.*||", "All Files (*.*)"},
        {"Hex (*.h86)|*.hex||", "Hex (*.hex)"},  // the pattern wins over the description
        {"Hex (*.hex)|*.hex|Other", "Hex (*.hex)"},
        {"", ""},
    };
    for (const auto& [catalogue, qt] : cases) {
        EXPECT_EQ(gui::ConvertFileFilter(catalogue).toStdString(), qt) << catalogue;
    }
}

}  // namespace
}  // namespace vexlor::test
