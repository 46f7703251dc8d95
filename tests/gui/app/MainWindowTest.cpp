#include <QtTest>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSet>
#include <QStackedWidget>
#include <filesystem>
#include <memory>

#include "core/app/AppContext.h"
#include "gui/app/CWriterMainDlg.h"
#include "gui/app/CommandIds.h"
#include "gui/hexview/CMiniHexEditView.h"
#include "support/RecordingOperator.h"
#include "support/ScratchDir.h"

using namespace vexlor;
using namespace vexlor::gui;

namespace {

const char* const kV10 = "USB STANDALONE WRITER_V1.0";
const char* const kV11 = "USB STANDALONE WRITER_V1.1";
const char* const kV20 = "USB STANDALONE WRITER_V2.0";
const char* const kUnknown = "USB STANDALONE WRITER_V9.9";

enum class Visibility { None, VerifyOff, Delivered };

// One program start on the simulated writer over the built base directory.
struct Harness {
    explicit Harness(bool attached = true, Visibility visibility = Visibility::Delivered,
                     const char* version = kV20) {
        std::vector<std::uint8_t> job(512, 0);
        const std::string name = "QR62J61";
        std::copy(name.begin(), name.end(), job.begin());
        job[16] = 0x3C;
        job[17] = 0x5A;
        job[43] = 0x00;  // protect layout 3 stores the inverse: Unprotect
        job[78] = 0x11;  // production limit
        std::filesystem::path jobFile = programDir.writeBytes("job.prog", job);
        if (visibility == Visibility::Delivered) {
            programDir.write("KLW_Read.xml",
                             "<OperationDisplay><Auto>1</Auto><BlankCheck>1</BlankCheck>"
                             "<Program>1</Program><Verify>1</Verify><Read>1</Read>"
                             "</OperationDisplay>");
        } else if (visibility == Visibility::VerifyOff) {
            programDir.write("KLW_Read.xml",
                             "<OperationDisplay><Verify>0</Verify><Read>1</Read>"
                             "</OperationDisplay>");
        }
        context = std::make_unique<AppContext>(op, test::builtBaseDir(), Language::English);
        MainWindowOptions options;
        options.programDirectory = programDir.path();
        options.devicePollMs = 0;
        options.session.simulate = true;
        options.session.simulatedAttached = attached;
        options.session.simulatedVersion = version;
        options.session.simulatedJob = jobFile;
        window = std::make_unique<CWriterMainDlg>(*context, op, clock, options);
        window->session().connection().SelectTransport(false);
        window->OnInitDialog();
        window->show();
    }

    QString message(const char* key) const {
        return QString::fromStdString(context->messages.GetMultiLanguageMsg(key));
    }
    QStringList shown() const {
        QStringList texts;
        for (const auto& text : op.texts()) {
            texts << QString::fromStdString(text);
        }
        return texts;
    }
    void trigger(const char* actionName) {
        auto* action = window->findChild<QAction*>(actionName);
        QVERIFY2(action, actionName);
        action->trigger();
    }
    QWidget* control(ControlId id) const { return window->control(id); }
    bool hidden(ControlId id) const { return control(id)->isHidden(); }
    QString text(ControlId id) const {
        if (auto* edit = qobject_cast<QLineEdit*>(control(id))) {
            return edit->text();
        }
        return static_cast<QLabel*>(control(id))->text();
    }
    const ControlState& panel(ControlId id) const { return context->shell.panel.at(id); }

    test::ScratchDir programDir;
    test::RecordingOperator op;
    VirtualClock clock;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<CWriterMainDlg> window;
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void startWithWriterRestoresItsJob();
    void startWithoutWriter();
    void operationVisibility_data();
    void operationVisibility();
    void arrivalByVersion_data();
    void arrivalByVersion();
    void writerWithoutBaseFirmwareIsReset();
    void removalDisablesTheWriterControls();
    void menuStatesCombineRulesAndBuiltCommands();
    void operationButtonsFollowTheJob();
    void exitIsAskedOnce_data();
    void exitIsAskedOnce();
    void checkNewVersionOnlyTells();
    void pinPictureOpensEnlarged();
    void mouseMoveShowsThePosition();
    void pressesAreIgnoredWhileTheWriterIsBusy();
    void aboutBoxOpensFromTheMenu();
    void droppedFilesGoToTheBoundHandler();
    void everyControlAndItemIsNamed();
};

void MainWindowTest::startWithWriterRestoresItsJob() {
    Harness h;
    QCOMPARE(h.window->windowTitle(), QString("Vexlor_Writer_QR62J61"));
    QCOMPARE(h.text(ControlId::ChipName), QString("QR62J61"));
    QCOMPARE(h.text(ControlId::Checksum), QString("3C5A"));
    QVERIFY(!h.hidden(ControlId::JobModeLabel));
    QCOMPARE(h.text(ControlId::JobModeLabel), QString("Production Limit"));
    QVERIFY(h.hidden(ControlId::EraseModeLabel));
    QVERIFY(h.hidden(ControlId::IspModeLabel));
    QVERIFY(static_cast<QCheckBox*>(h.control(ControlId::Unprotect))->isChecked());
    QVERIFY(!static_cast<QCheckBox*>(h.control(ControlId::Protect))->isChecked());
    QVERIFY(h.hidden(ControlId::FastMode));
    QVERIFY(h.hidden(ControlId::Clock32kEnable));
    QCOMPARE(h.window->progStatusBar()->paneText(1), QString("USB STANDALONE WRITER"));
    QVERIFY(h.window->progStatusBar()->connectedIconShown());
    QVERIFY(!static_cast<QLabel*>(h.control(ControlId::PinPicture))->pixmap().isNull());
    QVERIFY(h.control(ControlId::PinPlacement)->isEnabled());
    auto* area = h.window->findChild<QStackedWidget*>("LogArea");
    QCOMPARE(area->currentWidget(), static_cast<QWidget*>(h.window->hexView()));
    const HexViewOptions& hexOptions = h.window->hexView()->model().options();
    QVERIFY(hexOptions.wideAddress && hexOptions.showAddress && hexOptions.showHex &&
            hexOptions.showCharacters);
    // The job's production limit leaves Auto and Read; the writer test stays hidden.
    QVERIFY(h.panel(ControlId::Auto).enabled);
    QVERIFY(!h.panel(ControlId::BlankCheck).enabled);
    QVERIFY(!h.panel(ControlId::Verify).enabled);
    QVERIFY(h.hidden(ControlId::WriterTest));
    QVERIFY(h.shown().isEmpty());
    QCOMPARE(h.context->link.hwVersionName, std::string("hwversion1.1"));
}

void MainWindowTest::startWithoutWriter() {
    Harness h(false);
    QCOMPARE(h.window->windowTitle(), QString("Vexlor_Writer  "));
    QCOMPARE(h.text(ControlId::ChipName), QString());
    QCOMPARE(h.window->progStatusBar()->paneText(1), QString("USB was not connected"));
    QVERIFY(!h.window->progStatusBar()->connectedIconShown());
    for (ControlId id :
         {ControlId::EraseModeLabel, ControlId::IspModeLabel, ControlId::JobModeLabel}) {
        QVERIFY(h.hidden(id));
    }
    for (ControlId id : {ControlId::Auto, ControlId::BlankCheck, ControlId::Read,
                         ControlId::SmartOption, ControlId::PinPlacement, ControlId::PinPicture}) {
        QVERIFY(!h.control(id)->isEnabled());
        QVERIFY(!h.panel(id).enabled);
    }
    QVERIFY(static_cast<QLabel*>(h.control(ControlId::PinPicture))->pixmap().isNull());
    QVERIFY(h.shown().isEmpty());
}

void MainWindowTest::operationVisibility_data() {
    QTest::addColumn<int>("visibility");
    QTest::addColumn<bool>("readShown");
    QTest::addColumn<bool>("verifyShown");
    QTest::newRow("no file: Read stays hidden") << int(Visibility::None) << false << true;
    QTest::newRow("Verify 0") << int(Visibility::VerifyOff) << true << false;
    QTest::newRow("delivered file") << int(Visibility::Delivered) << true << true;
}

void MainWindowTest::operationVisibility() {
    QFETCH(int, visibility);
    QFETCH(bool, readShown);
    QFETCH(bool, verifyShown);
    Harness h(true, static_cast<Visibility>(visibility));
    QCOMPARE(!h.hidden(ControlId::Read), readShown);
    QCOMPARE(!h.hidden(ControlId::Verify), verifyShown);
    QVERIFY(!h.hidden(ControlId::Auto));
    QVERIFY(!h.hidden(ControlId::Program));
    QVERIFY(h.hidden(ControlId::WriterTest));
    QVERIFY(h.shown().isEmpty());
}

void MainWindowTest::arrivalByVersion_data() {
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("voltageFault");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("hwVersionName");
    QTest::newRow("V1.0") << kV10 << false << QStringList{"USBDetectMsg"} << "hwversion1.0";
    QTest::newRow("V1.1") << kV11 << false << QStringList{"USBDetectMsg"} << "hwversion1.1";
    QTest::newRow("V2.0 good voltages") << kV20 << false << QStringList{} << "hwversion1.1";
    QTest::newRow("V2.0 bad voltages")
        << kV20 << true << QStringList{"VoltageFailMsg"} << "hwversion1.1";
}

void MainWindowTest::arrivalByVersion() {
    QFETCH(QString, version);
    QFETCH(bool, voltageFault);
    QFETCH(QStringList, keys);
    QFETCH(QString, hwVersionName);
    Harness h(false);
    h.window->session().setSimulatedVersion(version.toStdString());
    h.window->session().setSimulatedVoltageFault(voltageFault);
    h.trigger("simAttach");

    QStringList want;
    for (const QString& key : keys) {
        want << h.message(key.toUtf8().constData());
    }
    QCOMPARE(h.shown(), want);
    QCOMPARE(QString::fromStdString(h.context->link.hwVersionName), hwVersionName);
    QVERIFY(h.context->link.knownWriterVersion);
    QCOMPARE(h.text(ControlId::ChipName), QString("QR62J61"));
    QCOMPARE(h.window->progStatusBar()->paneText(1), QString("USB STANDALONE WRITER"));
    QVERIFY(h.panel(ControlId::Auto).enabled);
    // The 1200 ms settling wait after the mode change, on the test's clock.
    QVERIFY(h.clock.waits().size() >= 1);
    QCOMPARE(h.clock.waits().back(), 1200u);
}

void MainWindowTest::writerWithoutBaseFirmwareIsReset() {
    Harness h(false);
    h.window->session().setSimulatedForeignFirmware(true);
    h.trigger("simAttach");

    QCOMPARE(h.shown(), (QStringList{h.message("AUTOResetMsg"), h.message("AUTOResetOKMsg")}));
    QCOMPARE(h.text(ControlId::ChipName), QString());
    QCOMPARE(h.text(ControlId::Checksum), QString());
    auto* area = h.window->findChild<QStackedWidget*>("LogArea");
    QCOMPARE(area->currentWidget(), static_cast<QWidget*>(h.window->logEdit()));
    QVERIFY(!h.window->logEdit()->isEnabled());
    QCOMPARE(h.op.log, std::string());
    QCOMPARE(h.context->link.writerFirmwareVersion, 0);
    QCOMPARE(h.context->link.familyWord, 0);
    for (ControlId id : {ControlId::Auto, ControlId::Read, ControlId::PinPicture}) {
        QVERIFY(!h.panel(id).enabled);
    }

    // The writer now runs the base firmware: a second attach goes through to the restore,
    // which finds the reset's own test job and leaves the chip unselected.
    h.op.shown.clear();
    h.trigger("simRemove");
    h.trigger("simAttach");
    QCOMPARE(h.shown(), QStringList{});
    QVERIFY(h.panel(ControlId::Auto).enabled);
    QCOMPARE(h.text(ControlId::ChipName), QString());
}

void MainWindowTest::removalDisablesTheWriterControls() {
    Harness h;
    h.trigger("simRemove");
    QVERIFY(!h.context->link.writerConnected);
    QCOMPARE(h.window->progStatusBar()->paneText(1), QString("USB was not connected"));
    QVERIFY(!h.window->progStatusBar()->connectedIconShown());
    for (ControlId id : {ControlId::Auto, ControlId::BlankCheck, ControlId::Program,
                         ControlId::Verify, ControlId::Read, ControlId::SmartOption,
                         ControlId::WriterTest, ControlId::PinPlacement, ControlId::PinPicture}) {
        QVERIFY(!h.panel(id).enabled);
        QVERIFY(!h.control(id)->isEnabled());
    }
    QVERIFY(static_cast<QLabel*>(h.control(ControlId::PinPicture))->pixmap().isNull());
    // The job display itself stays until another job replaces it.
    QCOMPARE(h.text(ControlId::ChipName), QString("QR62J61"));
    QVERIFY(h.shown().isEmpty());
}

void MainWindowTest::menuStatesCombineRulesAndBuiltCommands() {
    Harness h;
    h.window->updateMenuStates();
    for (int id : {kExit, kAbout, kCheckNewVersion}) {
        QVERIFY(h.window->action(id)->isEnabled());
    }
    // Commands of later work are off whatever the rules say.
    for (int id : {kUpdateFirmware, kCompareFile, kReadHardwareId, kUserManual, kUpdateChip}) {
        QVERIFY(!h.window->action(id)->isEnabled());
    }
    int ran = 0;
    for (int id : {kLoadFile, kDevice, kSetProtect, kSerialNumberProgram, kReadChipInfo, kSaveAs}) {
        h.window->bindCommand(id, [&ran] { ++ran; });
    }
    h.window->updateMenuStates();
    QVERIFY(h.window->action(kLoadFile)->isEnabled());
    QVERIFY(h.window->action(kDevice)->isEnabled());
    QVERIFY(h.window->action(kSetProtect)->isEnabled());            // MenuSet_Protect 1
    QVERIFY(!h.window->action(kSerialNumberProgram)->isEnabled());  // MenuSerial_Num 0
    QVERIFY(!h.window->action(kReadChipInfo)->isEnabled());         // production limit job
    QVERIFY(!h.window->action(kSaveAs)->isEnabled());               // never
    h.window->action(kLoadFile)->trigger();
    QCOMPARE(ran, 1);

    h.trigger("simRemove");
    QVERIFY(!h.window->action(kLoadFile)->isEnabled());
    QVERIFY(!h.window->action(kSetProtect)->isEnabled());
    QVERIFY(h.window->action(kDevice)->isEnabled());
}

void MainWindowTest::operationButtonsFollowTheJob() {
    Harness h;
    for (ControlId id : {ControlId::Auto, ControlId::BlankCheck, ControlId::Program,
                         ControlId::Verify, ControlId::Read}) {
        h.window->bindCommand(static_cast<int>(id), [] {});
    }
    QVERIFY(h.control(ControlId::Auto)->isEnabled());
    QVERIFY(h.control(ControlId::Read)->isEnabled());
    QVERIFY(!h.control(ControlId::BlankCheck)->isEnabled());
    QVERIFY(!h.control(ControlId::Program)->isEnabled());
    QVERIFY(!h.control(ControlId::Verify)->isEnabled());
    h.window->disableOperationButtons();
    QVERIFY(!h.control(ControlId::Auto)->isEnabled());
    h.window->enableOperationButtons();
    QVERIFY(h.control(ControlId::Auto)->isEnabled());
    QVERIFY(!h.control(ControlId::Verify)->isEnabled());
}

void MainWindowTest::exitIsAskedOnce_data() {
    QTest::addColumn<bool>("answer");
    QTest::newRow("No keeps the window") << false;
    QTest::newRow("Yes closes it") << true;
}

void MainWindowTest::exitIsAskedOnce() {
    QFETCH(bool, answer);
    Harness h;
    h.op.answers = {answer};
    h.trigger("menuExit");
    QCOMPARE(h.op.shown.size(), std::size_t{1});
    QCOMPARE(h.op.last().text, std::string("Are you sure to Exit ?"));
    QVERIFY(h.op.last().question);
    QCOMPARE(int(h.op.last().icon), int(MessageIcon::Question));
    QCOMPARE(h.window->isVisible(), !answer);

    Harness closeBox;
    closeBox.op.answers = {answer};
    closeBox.window->close();
    QCOMPARE(closeBox.op.shown.size(), std::size_t{1});
    QCOMPARE(closeBox.window->isVisible(), !answer);
}

void MainWindowTest::checkNewVersionOnlyTells() {
    Harness h;
    h.window->action(kCheckNewVersion)->trigger();
    QCOMPARE(h.shown(), QStringList{"This is newer version"});
    QCOMPARE(h.op.last().caption, std::string());
    QVERIFY(!h.op.last().question);
}

void MainWindowTest::pinPictureOpensEnlarged() {
    Harness h;
    QVERIFY(!h.window->pinPictureDialog());
    QTest::mouseClick(static_cast<QPushButton*>(h.control(ControlId::PinPlacement)),
                      Qt::LeftButton);
    QVERIFY(h.window->pinPictureDialog());
    QVERIFY(h.window->pinPictureDialog()->isVisible());
    QVERIFY(!h.window->pinPictureDialog()->isModal());
    QCOMPARE(h.window->pinPictureDialog()->windowTitle(), QString("Pin Picture"));
}

void MainWindowTest::mouseMoveShowsThePosition() {
    Harness h;
    QWidget* surface = h.window->centralWidget();
    QMouseEvent move(QEvent::MouseMove, QPointF(37, 52), surface->mapToGlobal(QPointF(37, 52)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(surface, &move);
    QCOMPARE(h.window->progStatusBar()->paneText(0), QString("X=37 Y=52"));
}

void MainWindowTest::pressesAreIgnoredWhileTheWriterIsBusy() {
    Harness h;
    QWidget* surface = h.window->centralWidget();
    for (bool busy : {false, true}) {
        h.context->link.busy = busy;
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5),
                          surface->mapToGlobal(QPointF(5, 5)), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(surface, &press);
        // The surface itself turns a press down; while busy it never gets to see it.
        QCOMPARE(press.isAccepted(), busy);
    }
}

void MainWindowTest::aboutBoxOpensFromTheMenu() {
    Harness h;
    QString title;
    QTimer::singleShot(0, [&title] {
        QWidget* box = QApplication::activeModalWidget();
        if (box) {
            title = box->windowTitle();
            box->close();
        }
    });
    h.window->action(kAbout)->trigger();
    QCOMPARE(title, QString("About Vexlor_Writer"));
    QVERIFY(h.shown().isEmpty());
}

void MainWindowTest::droppedFilesGoToTheBoundHandler() {
    Harness h;
    // The job commands take drops from the start; without a handler the window takes none.
    QVERIFY(h.window->acceptDrops());
    h.window->bindDropHandler({});
    QVERIFY(!h.window->acceptDrops());
    std::vector<std::vector<std::string>> received;
    h.window->bindDropHandler(
        [&received](const std::vector<std::string>& paths) { received.push_back(paths); });
    QVERIFY(h.window->acceptDrops());

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/data/a.hex"), QUrl("http://example.invalid/b.hex"),
                  QUrl::fromLocalFile("/data/c.otp")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QCoreApplication::sendEvent(h.window.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(h.window.get(), &drop);
    QCOMPARE(received.size(), std::size_t{1});
    QCOMPARE(received[0], (std::vector<std::string>{"/data/a.hex", "/data/c.otp"}));

    QMimeData text;
    text.setText("not a file");
    QDragEnterEvent textEnter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    textEnter.ignore();
    QCoreApplication::sendEvent(h.window.get(), &textEnter);
    QVERIFY(!textEnter.isAccepted());
}

void MainWindowTest::everyControlAndItemIsNamed() {
    Harness h;
    QSet<QString> names;
    for (QWidget* widget : h.window->findChildren<QWidget*>()) {
        if (widget->parentWidget() == h.window->centralWidget() ||
            qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget)) {
            if (widget->objectName().startsWith("qt_")) {
                continue;
            }
            QVERIFY2(!widget->objectName().isEmpty(), widget->metaObject()->className());
        }
    }
    for (QAction* action : h.window->findChildren<QAction*>()) {
        if (action->isSeparator() || action->menu() || action->text().isEmpty()) {
            continue;
        }
        QVERIFY2(!action->objectName().isEmpty(), qPrintable(action->text()));
        QVERIFY2(!names.contains(action->objectName()), qPrintable(action->objectName()));
        names.insert(action->objectName());
    }
    for (int id :
         {kLoadFile, kSaveAs, kExportSetting, kExit, kDevice, kUpdateFirmware, kSerialNumberProgram,
          kCompareFile, kSetProtect, kReadChipInfo, kUserManual, kCheckNewVersion, kReadHardwareId,
          kReadSerialInfo, kResetWriterFirmware, kWriterSimpleTest, kUpdateChip, kAbout}) {
        QVERIFY2(h.window->action(id), qPrintable(QString::number(id)));
    }
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
