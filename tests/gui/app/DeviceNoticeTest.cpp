// Device notices reach the window from the device-directory watch, and never in the middle of
// a command that talks to the writer.
#include <gtest/gtest.h>

#include <QMenu>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include "DaemonProcess.h"
#include "gui/app/CommandIds.h"
#include "gui/app/QtPaintPump.h"
#include "support/HexText.h"
#include "support/gui/MainWindowHarness.h"
#include "support/gui/QtTestApp.h"

namespace vexlor::test {
namespace {

class CountingPaints : public QWidget {
  public:
    int paints = 0;

  protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

TEST(PaintPump, RepaintsAndRunsNothingElse) {
    EnsureQtApplication();
    CountingPaints widget;
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    QCoreApplication::processEvents();
    bool timerRan = false;
    bool queuedCallRan = false;
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&timerRan] { timerRan = true; });
    timer.start();
    QMetaObject::invokeMethod(
        &widget, [&queuedCallRan] { queuedCallRan = true; }, Qt::QueuedConnection);
    const int before = widget.paints;
    widget.update();

    gui::QtPaintPump().pumpPaint();
    EXPECT_GT(widget.paints, before);
    EXPECT_FALSE(timerRan);
    EXPECT_FALSE(queuedCallRan);
    QCoreApplication::processEvents();
    EXPECT_TRUE(timerRan && queuedCallRan);
}

// The writer is served as device files by the simulator's daemon; the window runs on the real
// transports and notices the writer come and go through the device-directory watch.
TEST(DeviceNotices, ARemovalDuringADownloadWaitsForTheDownloadToFail) {
    ScratchDir devices;
    MainWindowHarness h({.simulate = false, .deviceDirectory = devices.path()});
    EXPECT_EQ(h.window().progStatusBar()->paneText(1), "USB was not connected");
    auto daemon = std::make_unique<sim::test::DaemonProcess>(devices.path());
    ASSERT_TRUE(daemon->waitForInterface(true));
    h.window().pollDevices();
    ASSERT_TRUE(h.context->link.writerConnected);
    EXPECT_EQ(h.window().progStatusBar()->paneText(1), "USB STANDALONE WRITER");

    h.chooseChip("QRV7049");
    const std::string program = h.base.write("prog.hex", hexText({0x11, 0x22, 0x33})).string();
    const auto load = [&] {
        h.op.files.push_back(program);
        AnswerNextModal([](QWidget* optionSelect) { optionSelect->close(); });
        h.window().action(gui::kLoadFile)->trigger();
    };
    load();  // writes the family firmware, so the next load is the download alone
    ASSERT_EQ(h.op.texts(), std::vector<std::string>{"Loading Data Ok"});
    h.op.shown.clear();

    // Half-way through the data buffer the writer goes away and its removal is noticed.
    bool pulled = false;
    bool connectedAfterNotice = false;
    std::size_t waitingNotices = 0;
    QProgressBar* progress = h.window().progStatusBar()->progressBar();
    QObject::connect(progress, &QProgressBar::valueChanged, [&](int position) {
        if (pulled || progress->maximum() < 8 || position < progress->maximum() / 2) {
            return;
        }
        pulled = true;
        daemon.reset();
        h.window().pollDevices();
        connectedAfterNotice = h.context->link.writerConnected;
        waitingNotices = h.window().deviceNotices().waiting();
    });
    load();
    ASSERT_TRUE(pulled);
    EXPECT_TRUE(connectedAfterNotice);
    EXPECT_EQ(waitingNotices, 1u);
    EXPECT_EQ(h.op.texts(), std::vector<std::string>{h.message("LoadingdataFailMsg")});
    EXPECT_FALSE(h.context->link.writerConnected);
    EXPECT_EQ(h.window().progStatusBar()->paneText(1), "USB was not connected");
    EXPECT_FALSE(h.control(ControlId::Program)->isEnabled());
}

// The Writers menu lists what is attached when it opens, and a choice reaches the session.
TEST(DeviceNotices, WritersMenuChoosesTheWriterToAttach) {
    ScratchDir devices;
    sim::test::DaemonProcess a(devices.path(), {}, "a");
    sim::test::DaemonProcess b(devices.path(), {}, "b");
    ASSERT_TRUE(a.waitForInterface(true) && b.waitForInterface(true));
    MainWindowHarness h({.simulate = false, .deviceDirectory = devices.path()});
    auto* menu = h.window().findChild<QMenu*>("writersMenu");
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    ASSERT_TRUE(h.trigger("writer_pipe:b"));
    EXPECT_TRUE(h.context->link.writerConnected);
    EXPECT_EQ(h.window().session().connection().transport().name(),
              "device files " + b.interfacePath().string());
}

}  // namespace
}  // namespace vexlor::test
