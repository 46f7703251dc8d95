#include <QtTest>

#include <cstdlib>
#include <functional>
#include <memory>

#include "DaemonProcess.h"
#include "core/app/AppContext.h"
#include "gui/app/CWriterMainDlg.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

using namespace vexlor;
using namespace vexlor::gui;

// The real transports: the writer served as device files by the simulator's daemon, noticed
// through the device-directory watch.
class DeviceWatchTest : public QObject {
    Q_OBJECT
  private slots:
    void arrivalAndRemovalThroughTheDeviceDirectory();
    void aRemovalDuringTheArrivalMessageWaitsForIt();
};

void DeviceWatchTest::arrivalAndRemovalThroughTheDeviceDirectory() {
    test::ScratchDir devices;
    test::ScratchDir programDir;

    test::RecordingOperator op;
    VirtualClock clock;
    AppContext context(op, test::builtBaseDir(), Language::English);
    MainWindowOptions options;
    options.programDirectory = programDir.path();
    options.session.paths = {devices.path(), programDir.path() / "absent.so"};
    options.devicePollMs = 0;
    CWriterMainDlg window(context, op, clock, options);
    window.session().connection().SelectTransport(false);
    window.OnInitDialog();
    QVERIFY(!context.link.writerConnected);
    QCOMPARE(window.progStatusBar()->paneText(1), QString("USB was not connected"));

    auto daemon =
        std::make_unique<sim::test::DaemonProcess>(devices.path(), std::vector<std::string>{});
    QVERIFY(daemon->waitForInterface(true));
    window.pollDevices();
    QVERIFY(context.link.writerConnected);
    QVERIFY(!window.session().connection().usesAccessLibrary());
    QCOMPARE(window.progStatusBar()->paneText(1), QString("USB STANDALONE WRITER"));
    QVERIFY(context.shell.panel.at(ControlId::Auto).enabled);
    QVERIFY(context.shell.panel.at(ControlId::Read).enabled);

    QCOMPARE(daemon->stop(), 0);
    window.pollDevices();
    QVERIFY(!context.link.writerConnected);
    QCOMPARE(window.progStatusBar()->paneText(1), QString("USB was not connected"));
    QVERIFY(!context.shell.panel.at(ControlId::Auto).enabled);
    QVERIFY(!context.shell.panel.at(ControlId::PinPicture).enabled);
}

// An operator whose message box, like a real one, lets the window's timer run meanwhile.
class PollingOperator : public test::RecordingOperator {
  public:
    void message(std::string_view text, std::string_view caption, MessageIcon icon) override {
        RecordingOperator::message(text, caption, icon);
        if (whileShown) {
            whileShown();
        }
    }
    std::function<void()> whileShown;
};

void DeviceWatchTest::aRemovalDuringTheArrivalMessageWaitsForIt() {
    test::ScratchDir devices;
    test::ScratchDir programDir;

    PollingOperator op;
    VirtualClock clock;
    AppContext context(op, test::builtBaseDir(), Language::English);
    MainWindowOptions options;
    options.programDirectory = programDir.path();
    options.session.paths = {devices.path(), programDir.path() / "absent.so"};
    options.devicePollMs = 0;
    CWriterMainDlg window(context, op, clock, options);
    window.session().connection().SelectTransport(false);
    window.OnInitDialog();

    auto daemon = std::make_unique<sim::test::DaemonProcess>(
        devices.path(), std::vector<std::string>{"--version", "V1.1"});
    QVERIFY(daemon->waitForInterface(true));
    bool connectedDuringMessage = false;
    bool pulled = false;
    op.whileShown = [&] {
        if (pulled) {
            return;
        }
        pulled = true;
        daemon->stop();
        daemon->waitForInterface(false);
        window.pollDevices();
        connectedDuringMessage = context.link.writerConnected;
    };
    window.pollDevices();
    // The writer vanished while its arrival was told: the arrival goes on against nothing,
    // finds no base firmware and reports the failed reset.
    QCOMPARE(op.texts(),
             (std::vector<std::string>{context.messages.GetMultiLanguageMsg("USBDetectMsg"),
                                       context.messages.GetMultiLanguageMsg("AUTOResetMsg"),
                                       context.messages.GetMultiLanguageMsg("AUTOResetFailMsg")}));
    QVERIFY(connectedDuringMessage);
    // The removal is handled by the next poll, after the arrival has finished.
    window.pollDevices();
    QVERIFY(!context.link.writerConnected);
    QCOMPARE(window.progStatusBar()->paneText(1), QString("USB was not connected"));
}

QTEST_MAIN(DeviceWatchTest)
#include "DeviceWatchTest.moc"
