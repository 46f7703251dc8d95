#include <QtTest>

#include <cstdlib>
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
};

void DeviceWatchTest::arrivalAndRemovalThroughTheDeviceDirectory() {
    test::ScratchDir devices;
    test::ScratchDir programDir;
    setenv("VEXLOR_DEVICE_DIR", devices.path().c_str(), 1);
    setenv("VEXLOR_ACCESS_LIBRARY", (programDir.path() / "absent.so").c_str(), 1);

    test::RecordingOperator op;
    VirtualClock clock;
    AppContext context(op, test::builtBaseDir(), Language::English);
    MainWindowOptions options;
    options.programDirectory = programDir.path();
    options.session.programDirectory = programDir.path();
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
    QVERIFY(!context.link.useAccessLibrary);
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

QTEST_MAIN(DeviceWatchTest)
#include "DeviceWatchTest.moc"
