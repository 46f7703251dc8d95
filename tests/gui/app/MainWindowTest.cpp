// The main window shows what core decided and hands every click to it; the rules themselves
// are core's and tested there.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QStackedWidget>
#include <QStyleFactory>
#include <QTest>
#include <memory>

#include "gui/app/CommandIds.h"
#include "gui/app/DeferredIconStyle.h"
#include "support/gui/MainWindowHarness.h"
#include "support/gui/QtTestApp.h"

namespace vexlor::test {
namespace {

const char* const kAllShown =
    "<OperationDisplay><Auto>1</Auto><BlankCheck>1</BlankCheck><Program>1</Program>"
    "<Verify>1</Verify><Read>1</Read></OperationDisplay>";

// QR62J61 with checksum 3C5A in production-limit mode.
WindowSetup restoredJob() {
    std::vector<std::uint8_t> job(512, 0);
    const std::string name = "QR62J61";
    std::copy(name.begin(), name.end(), job.begin());
    job[16] = 0x3C;
    job[17] = 0x5A;
    job[78] = 0x11;
    return {.job = job, .visibility = kAllShown};
}

// Every control shows the panel state core keeps for it; a command control may in addition be
// off while its command is not built, and the log shows only as the log area's page.
void expectControlsShowThePanel(MainWindowHarness& h) {
    const QMap<int, QWidget*>& controls = h.window().controls();
    const QWidget* page = h.window().findChild<QStackedWidget*>("LogArea")->currentWidget();
    for (auto it = controls.cbegin(); it != controls.cend(); ++it) {
        const ControlState& state = h.context->shell.panel.at(static_cast<ControlId>(it.key()));
        const bool covered = it.value() == h.window().logEdit() && page != it.value();
        EXPECT_EQ(!it.value()->isHidden(), state.visible && !covered) << it.key();
        EXPECT_TRUE(state.enabled || !it.value()->isEnabled()) << it.key();
        if (auto* box = qobject_cast<QCheckBox*>(it.value())) {
            EXPECT_EQ(box->isChecked(), state.checked) << it.key();
        }
    }
}

TEST(MainWindow, StartWithAWriterShowsTheJobItHolds) {
    MainWindowHarness h(restoredJob());
    gui::CProgStatusBar* status = h.window().progStatusBar();
    EXPECT_EQ(h.window().windowTitle().toStdString(), h.context->shell.titleText);
    EXPECT_EQ(h.text(ControlId::ChipName), "QR62J61");
    EXPECT_EQ(h.text(ControlId::Checksum), "3C5A");
    EXPECT_EQ(h.text(ControlId::JobModeLabel), "Production Limit");
    EXPECT_EQ(status->paneText(1), "USB STANDALONE WRITER");
    EXPECT_TRUE(status->connectedIconShown());
    EXPECT_FALSE(qobject_cast<QLabel*>(h.control(ControlId::PinPicture))->pixmap().isNull());
    EXPECT_EQ(h.window().findChild<QStackedWidget*>("LogArea")->currentWidget(),
              h.window().hexView());
    EXPECT_TRUE(h.control(ControlId::Auto)->isEnabled());
    EXPECT_FALSE(h.control(ControlId::Program)->isEnabled());
    expectControlsShowThePanel(h);

    h.window().disableOperationButtons();
    EXPECT_FALSE(h.control(ControlId::Auto)->isEnabled());
    h.window().enableOperationButtons();
    EXPECT_TRUE(h.control(ControlId::Auto)->isEnabled());
    expectControlsShowThePanel(h);
    EXPECT_TRUE(h.op.shown.empty());

    // The log takes its own face when it first shows.
    h.window().show();
    EXPECT_TRUE(h.window().logEdit()->isHidden());
    h.context->shell.panel.hexViewShown = false;
    h.window().refreshPanel();
    EXPECT_TRUE(h.window().hexView()->isHidden());
    EXPECT_EQ(h.window().logEdit()->font().family(), "Times New Roman");
    EXPECT_EQ(h.window().logEdit()->font().pixelSize(), 15);
    expectControlsShowThePanel(h);
}

TEST(MainWindow, SimulatedWriterMenuPlugsTheWriterInAndOut) {
    MainWindowHarness h({.attached = false});
    EXPECT_EQ(h.window().progStatusBar()->paneText(1), "USB was not connected");
    EXPECT_FALSE(h.window().progStatusBar()->connectedIconShown());
    EXPECT_TRUE(h.control(ControlId::Read)->isHidden());  // no visibility file
    expectControlsShowThePanel(h);
    ASSERT_TRUE(h.trigger("simVersion_V1.0"));
    ASSERT_TRUE(h.trigger("simAttach"));
    EXPECT_EQ(h.op.texts(), std::vector<std::string>{h.message("USBDetectMsg")});
    EXPECT_EQ(h.context->link.hwVersionName, "hwversion1.0");
    EXPECT_TRUE(h.window().progStatusBar()->connectedIconShown());
    expectControlsShowThePanel(h);

    ASSERT_TRUE(h.trigger("simRemove"));
    EXPECT_EQ(h.window().progStatusBar()->paneText(1), "USB was not connected");
    EXPECT_FALSE(h.control(ControlId::Auto)->isEnabled());
    expectControlsShowThePanel(h);
}

TEST(MainWindow, MenuItemsNeedTheirRuleAndABuiltCommandAndAskForTheirFiles) {
    MainWindowHarness h(restoredJob());
    gui::CWriterMainDlg& w = h.window();
    int ran = 0;
    for (int id : {gui::kLoadFile, gui::kSaveAs}) {
        w.bindCommand(id, [&ran] { ++ran; });
    }
    w.updateMenuStates();
    EXPECT_FALSE(w.action(gui::kSaveAs)->isEnabled());         // the rule says never
    EXPECT_FALSE(w.action(gui::kExportSetting)->isEnabled());  // no job loaded in this run
    ASSERT_TRUE(w.action(gui::kLoadFile)->isEnabled());
    w.action(gui::kLoadFile)->trigger();
    EXPECT_EQ(ran, 1);

    ASSERT_TRUE(w.action(gui::kUpdateChip)->isEnabled());
    ASSERT_TRUE(h.trigger("menuUpdateChip"));
    EXPECT_EQ(h.op.filters, std::vector<std::string>{"Update Zip Files (*.zip)|*.zip||"});
    h.context->shell.job.loadedFilePath = "prog.hex";
    w.updateMenuStates();
    ASSERT_TRUE(w.action(gui::kExportSetting)->isEnabled());
    w.action(gui::kExportSetting)->trigger();
    EXPECT_EQ(h.op.filters.back(), "Zip Files (*.zip)|*.zip|All Files (*.*)|*.*||");
    EXPECT_TRUE(h.op.shown.empty());

    ASSERT_TRUE(h.trigger("simRemove"));
    EXPECT_FALSE(w.action(gui::kLoadFile)->isEnabled());
}

TEST(MainWindow, ExitIsAskedOnceFromTheMenuAndTheCloseBox) {
    for (bool yes : {false, true}) {
        for (bool fromMenu : {false, true}) {
            MainWindowHarness h;
            h.op.answers = {yes};
            if (fromMenu) {
                ASSERT_TRUE(h.trigger("menuExit"));
            } else {
                h.window().close();
            }
            ASSERT_EQ(h.op.shown.size(), 1u);
            EXPECT_EQ(h.op.last().text, "Are you sure to Exit ?");
            EXPECT_EQ(h.op.last().icon, MessageIcon::Question);
            EXPECT_EQ(h.window().isVisible(), !yes) << yes << fromMenu;
        }
    }
}

TEST(MainWindow, HelpItemsAndThePinPictureOpenTheirWindows) {
    MainWindowHarness h(restoredJob());
    ASSERT_TRUE(h.trigger("menuCheckNewVersion"));
    EXPECT_EQ(h.op.texts(), std::vector<std::string>{"This is newer version"});

    std::string about;
    AnswerNextModal([&about](QWidget* box) {
        about = box->windowTitle().toStdString();
        box->close();
    });
    ASSERT_TRUE(h.trigger("menuAbout"));
    EXPECT_EQ(about, "About Vexlor_Writer");

    QTest::mouseClick(h.control(ControlId::PinPlacement), Qt::LeftButton);
    ASSERT_NE(h.window().pinPictureDialog(), nullptr);
    EXPECT_TRUE(h.window().pinPictureDialog()->isVisible());
    EXPECT_FALSE(h.window().pinPictureDialog()->isModal());
}

// Every menu title and item has a mnemonic of its own among its neighbours.
void expectDistinctMnemonics(const QList<QAction*>& actions) {
    QSet<QString> seen;
    for (QAction* action : actions) {
        const QString key = QKeySequence::mnemonic(action->text()).toString();
        EXPECT_TRUE(action->isSeparator() || (!key.isEmpty() && !seen.contains(key)))
            << action->text().toStdString();
        seen.insert(key);
        // The simulated writer's own menu is a demonstration aid, not the program's.
        if (action->menu() != nullptr && action->menu()->objectName() != "menuSimulatedWriter") {
            expectDistinctMnemonics(action->menu()->actions());
        }
    }
}

TEST(MainWindow, MenusHaveMnemonicsAndLoadFileItsShortcutAndItsFolder) {
    std::filesystem::path folder;
    {
        MainWindowHarness h(restoredJob());
        expectDistinctMnemonics(h.window().menuBar()->actions());
        EXPECT_EQ(h.window().action(gui::kExit)->shortcut(), QKeySequence("Ctrl+Q"));
        folder = h.base / "programs";
        h.context->shell.programFolder = folder;
        h.window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&h.window()));
        // From the hex view too: the shortcut is none of the view's keys.
        QTest::keyClick(h.window().hexView(), Qt::Key_O, Qt::ControlModifier);
        EXPECT_EQ(h.op.startFolders, std::vector<std::filesystem::path>{folder});
    }
    MainWindowHarness next(restoredJob());
    EXPECT_EQ(next.context->shell.programFolder, folder);
}

TEST(MainWindow, AtItsMinimumSizeTheHexViewShowsWholeRows) {
    MainWindowHarness h;
    h.window().resize(1, 1);
    QCoreApplication::processEvents();
    const CMiniHexEditView* view = h.window().hexView();
    const int rowEnd = view->model().columnOffsets().characters +
                       view->model().rowLength() * view->model().metrics().charWidth;
    EXPECT_GE(view->viewport()->width(), rowEnd);
}

TEST(MainWindow, MouseMovesShowThePositionAndPressesWaitForTheWriter) {
    MainWindowHarness h;
    QWidget* surface = h.window().centralWidget();
    auto send = [surface](QEvent::Type type, Qt::MouseButton button) {
        QMouseEvent event(type, QPointF(37, 52), surface->mapToGlobal(QPointF(37, 52)), button,
                          button, Qt::NoModifier);
        QCoreApplication::sendEvent(surface, &event);
        return event.isAccepted();
    };
    send(QEvent::MouseMove, Qt::NoButton);
    EXPECT_EQ(h.window().progStatusBar()->mousePositionText(), "X=37 Y=52");
    // The surface itself turns a press down; while busy it never gets to see it.
    EXPECT_FALSE(send(QEvent::MouseButtonPress, Qt::LeftButton));
    h.context->link.busy = true;
    EXPECT_TRUE(send(QEvent::MouseButtonPress, Qt::LeftButton));
}

TEST(MainWindow, DroppedLocalFilesGoToTheDropHandler) {
    MainWindowHarness h;
    std::vector<std::vector<std::string>> received;
    h.window().bindDropHandler(
        [&received](const std::vector<std::string>& paths) { received.push_back(paths); });
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/data/a.hex"), QUrl("http://example.invalid/b.hex"),
                  QUrl::fromLocalFile("/data/c.otp")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QCoreApplication::sendEvent(&h.window(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&h.window(), &drop);
    EXPECT_EQ(received, (std::vector<std::vector<std::string>>{{"/data/a.hex", "/data/c.otp"}}));

    h.window().bindDropHandler({});
    EXPECT_FALSE(h.window().acceptDrops());
}

// Icons built on first use draw what the style's own icons draw.
TEST(DeferredIconStyle, GivesTheBaseStylesIcons) {
    EnsureQtApplication();
    const std::unique_ptr<QStyle> plain(QStyleFactory::create("Fusion"));
    gui::DeferredIconStyle deferred(QStyleFactory::create("Fusion"));
    for (QStyle::StandardPixmap icon :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton,
          QStyle::SP_DialogOkButton}) {
        const QIcon want = plain->standardIcon(icon);
        const QIcon got = deferred.standardIcon(icon);
        ASSERT_FALSE(want.availableSizes().isEmpty()) << icon;
        EXPECT_EQ(got.availableSizes(), want.availableSizes()) << icon;
        for (const QSize& size : want.availableSizes()) {
            EXPECT_EQ(got.pixmap(size, QIcon::Disabled).toImage(),
                      want.pixmap(size, QIcon::Disabled).toImage())
                << icon;
        }
    }
}

}  // namespace
}  // namespace vexlor::test
