#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <memory>

#include "gui/hexview/CGotoAddressDlg.h"
#include "gui/hexview/CMiniHexEditView.h"

using vexlor::CGotoAddressDlg;
using vexlor::CMiniHexEditView;
using vexlor::EditMode;

namespace {

constexpr int kLines = 10;

QByteArray countingBytes(int length) {
    QByteArray bytes(length, '\0');
    for (int i = 0; i < length; ++i) {
        bytes[i] = static_cast<char>(i);
    }
    return bytes;
}

// "Shift+Left", "Ctrl+End", "Right" ...
void pressKeys(QWidget* widget, const QString& keys) {
    static const QMap<QString, Qt::Key> names{
        {"Left", Qt::Key_Left},     {"Right", Qt::Key_Right},       {"Up", Qt::Key_Up},
        {"Down", Qt::Key_Down},     {"Home", Qt::Key_Home},         {"End", Qt::Key_End},
        {"PageUp", Qt::Key_PageUp}, {"PageDown", Qt::Key_PageDown}, {"X", Qt::Key_X}};
    for (const QString& chord : keys.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        Qt::KeyboardModifiers modifiers;
        QStringList parts = chord.split(QLatin1Char('+'));
        const QString name = parts.takeLast();
        for (const QString& part : parts) {
            modifiers |= part == QLatin1String("Shift") ? Qt::ShiftModifier : Qt::ControlModifier;
        }
        QVERIFY2(names.contains(name), qPrintable(name));
        QTest::keyClick(widget, names.value(name), modifiers);
    }
}

}  // namespace

class CMiniHexEditViewTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    QString file1000_;
    QString file20_;

    QString writeFile(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            qFatal("cannot write %s", qPrintable(path));
        }
        return path;
    }

    // A shown view, wide address, whose client area holds exactly kLines lines.
    std::unique_ptr<CMiniHexEditView> makeView(const QString& file) {
        auto view = std::make_unique<CMiniHexEditView>();
        vexlor::HexViewOptions options;
        options.wideAddress = true;
        view->setOptions(options);
        view->show();
        if (!QTest::qWaitForWindowExposed(view.get())) {
            qFatal("view not exposed");
        }
        const int lineHeight = view->model().metrics().lineHeight;
        const int around = view->height() - view->viewport()->height();
        view->resize(view->sizeHint().width(), kLines * lineHeight + around);
        if (view->model().visibleLines() != kLines) {
            qFatal("view not sized to %d lines", kLines);
        }
        QApplication::setActiveWindow(view.get());
        view->setFocus();
        if (!file.isEmpty() && !view->showFile(file)) {
            qFatal("cannot show %s", qPrintable(file));
        }
        return view;
    }

    static QPoint hexPoint(const CMiniHexEditView& view, int row, int column, bool low = false) {
        const auto& m = view.model().metrics();
        const int x = view.model().columnOffsets().hex + column * 3 * m.charWidth +
                      (low ? m.charWidth : 0) + m.charWidth / 2;
        return {x, row * m.lineHeight + m.lineHeight / 2};
    }

    static QPoint charPoint(const CMiniHexEditView& view, int row, int column) {
        const auto& m = view.model().metrics();
        return {view.model().columnOffsets().characters + column * m.charWidth + m.charWidth / 2,
                row * m.lineHeight + m.lineHeight / 2};
    }

    // The middle of the blank that follows a byte in the hex column.
    static QPoint hexBlankPoint(const CMiniHexEditView& view, int row, int column) {
        const auto& m = view.model().metrics();
        return hexPoint(view, row, column) + QPoint(2 * m.charWidth, 0);
    }

    static void click(CMiniHexEditView& view, const QPoint& point,
                      Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, point);
    }

    static void sendMouse(QWidget* target, QEvent::Type type, const QPoint& point,
                          Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(point), target->mapToGlobal(QPointF(point)), Qt::LeftButton,
                          buttons, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }

    // Answers the "Go to address" dialog once it is open.
    static void answerGoTo(const QString& text, bool accept) {
        QTimer::singleShot(0, [text, accept] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<CGotoAddressDlg*>(widget);
                if (dialog && dialog->isVisible()) {
                    dialog->findChild<QLineEdit*>(QStringLiteral("address"))->setText(text);
                    accept ? dialog->accept() : dialog->reject();
                    return;
                }
            }
            qFatal("the Go to address dialog did not open");
        });
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.filePath("settings"));
        QApplication::setOrganizationName(QStringLiteral("VexlorTest"));
        QApplication::setApplicationName(QStringLiteral("hexview-test"));
        file1000_ = writeFile("data1000.bin", countingBytes(1000));
        file20_ = writeFile("data20.bin", countingBytes(20));
    }

    void keys_data() {
        QTest::addColumn<bool>("hex");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<qint64>("cursor");
        QTest::addColumn<int>("nibble");
        QTest::addColumn<qint64>("top");
        QTest::addColumn<qint64>("selectionStart");
        QTest::addColumn<qint64>("selectionEnd");

        // The cursor starts on byte 5; 1000 bytes and 10 lines, so the last page is at 840.
        // One row per key and modifier: the arithmetic itself is the model's.
        QTest::newRow("right") << true << "Right" << 5LL << 1 << 0LL << -1LL << -1LL;
        QTest::newRow("left") << true << "Left" << 4LL << 1 << 0LL << -1LL << -1LL;
        QTest::newRow("down") << false << "Down,Down" << 37LL << 2 << 0LL << -1LL << -1LL;
        QTest::newRow("up") << false << "Up" << 0LL << 2 << 0LL << -1LL << -1LL;
        QTest::newRow("end, home") << true << "End,Home" << 0LL << 2 << 0LL << -1LL << -1LL;
        QTest::newRow("ctrl end") << true << "Ctrl+End" << 999LL << 2 << 840LL << -1LL << -1LL;
        QTest::newRow("page down") << false << "PageDown" << 5LL << 2 << 144LL << -1LL << -1LL;
        QTest::newRow("page up") << false << "Ctrl+End,PageUp" << 999LL << 2 << 696LL << -1LL
                                 << -1LL;
        QTest::newRow("shift left") << false << "Shift+Left" << 4LL << 2 << 0LL << 5LL << 4LL;
        QTest::newRow("shift right in hex")
            << true << "Shift+Right,Shift+Right" << 6LL << 2 << 0LL << 5LL << 7LL;
        QTest::newRow("plain move clears")
            << false << "Shift+Right,Left" << 5LL << 2 << 0LL << -1LL << -1LL;
    }

    void keys() {
        QFETCH(bool, hex);
        QFETCH(QString, keys);
        auto view = makeView(file1000_);
        click(*view, hex ? hexPoint(*view, 0, 5) : charPoint(*view, 0, 5));
        QCOMPARE(view->model().cursor(), 5);
        pressKeys(view.get(), keys);
        const auto& model = view->model();
        QTEST(qint64(model.cursor()), "cursor");
        QTEST(model.nibble(), "nibble");
        QTEST(qint64(model.top()), "top");
        QTEST(qint64(model.selection().start), "selectionStart");
        QTEST(qint64(model.selection().end), "selectionEnd");
    }

    void typingHexDigits_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("low");
        QTest::addColumn<int>("byte");  // byte 0x12 afterwards
        QTest::newRow("F") << "F" << false << 0xF2;
        QTest::newRow("f") << "f" << false << 0xF2;
        QTest::newRow("low digit") << "c" << true << 0x1C;
        QTest::newRow("both digits") << "aB" << false << 0xAB;
        QTest::newRow("not a digit") << "g" << false << 0x12;
    }

    void typingHexDigits() {
        QFETCH(QString, typed);
        QFETCH(bool, low);
        auto view = makeView(file1000_);
        click(*view, hexPoint(*view, 1, 2, low));
        QCOMPARE(view->model().cursor(), 0x12);
        QTest::keyClicks(view.get(), typed);
        QTEST(int(view->model().data()[0x12]), "byte");
    }

    void typingCharacters() {
        auto view = makeView(file1000_);
        click(*view, charPoint(*view, 0, 1));
        QTest::keyClicks(view.get(), "Hi");
        QCOMPARE(int(view->model().data()[1]), int('H'));
        QCOMPARE(int(view->model().data()[2]), int('i'));
        QCOMPARE(view->model().cursor(), 3);
    }

    void ctrlXDeletesTheSelectionInEitherOrder_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("byteAt3");
        QTest::newRow("backwards") << "Shift+Left,Shift+Left,Ctrl+X" << 998 << 5;
        QTest::newRow("forwards") << "Shift+Right,Shift+Right,Ctrl+X" << 998 << 3;
        QTest::newRow("no selection") << "Ctrl+X" << 1000 << 3;
    }

    void ctrlXDeletesTheSelectionInEitherOrder() {
        QFETCH(QString, keys);
        auto view = makeView(file1000_);
        click(*view, charPoint(*view, 0, 5));
        pressKeys(view.get(), keys);
        QTEST(int(view->model().length()), "length");
        QTEST(int(view->model().data()[3]), "byteAt3");
        QVERIFY(!view->model().selection().exists());
    }

    void goToAddress_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<qint64>("top");
        QTest::newRow("inside") << "100" << true << 256LL;
        QTest::newRow("one past the end") << "3E8" << true << 840LL;
        QTest::newRow("far beyond the end") << "fffff" << true << 840LL;
        QTest::newRow("not a number keeps the field's last value") << "zz" << true << 0LL;
        QTest::newRow("cancelled") << "100" << false << 160LL;
    }

    void goToAddress() {
        QFETCH(QString, text);
        QFETCH(bool, accept);
        auto view = makeView(file1000_);
        view->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(view->model().top(), 160);
        answerGoTo(text, accept);
        QTest::keyClick(view.get(), Qt::Key_G, Qt::ControlModifier);
        QTEST(qint64(view->model().top()), "top");
    }

    void goToDialogStartsAtZero() {
        CGotoAddressDlg dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Go to address"));
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("address"))->text(),
                 QStringLiteral("00000"));
        QCOMPARE(dialog.findChild<QLabel*>()->text(), QStringLiteral("(hex)"));
        QCOMPARE(dialog.address(), 0u);
        dialog.findChild<QLineEdit*>(QStringLiteral("address"))->setText("0x1F");
        QCOMPARE(dialog.address(), 0x1Fu);
    }

    void emptyPathPaintsWhiteAndKeepsTheBuffer() {
        auto view = makeView(file1000_);
        click(*view, charPoint(*view, 2, 3));
        view->clearFocus();
        QVERIFY(view->showFile(QString()));
        QVERIFY(view->isBlank());
        QCOMPARE(view->model().length(), 1000);
        QCOMPARE(view->model().cursor(), 35);
        const QImage blank =
            view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        bool allWhite = true;
        for (int y = 0; y < blank.height() && allWhite; ++y) {
            for (int x = 0; x < blank.width() && allWhite; ++x) {
                allWhite = blank.pixel(x, y) == qRgb(255, 255, 255);
            }
        }
        QVERIFY(allWhite);
        // Keys do nothing while the view is blank.
        QTest::keyClick(view.get(), Qt::Key_Right);
        QCOMPARE(view->model().cursor(), 35);

        QVERIFY(view->showFile(file20_));
        QVERIFY(!view->isBlank());
        QCOMPARE(view->model().length(), 20);
    }

    void unreadableFileLeavesTheView() {
        auto view = makeView(file1000_);
        click(*view, charPoint(*view, 1, 1));
        const QString missing = dir_.filePath("missing.bin");
        QVERIFY(!view->showFile(missing));
        QVERIFY(view->lastError().contains(missing));
        QVERIFY(!view->showFile(dir_.path()));
        QCOMPARE(view->model().length(), 1000);
        QCOMPARE(view->model().cursor(), 17);
        QVERIFY(!view->isBlank());
    }

    void rowLengthKeptInTheProfile_data() {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("rowLength");
        QTest::newRow("eight") << QVariant(8) << 8;
        QTest::newRow("zero is refused") << QVariant(0) << 16;
        QTest::newRow("text is refused") << QVariant(QStringLiteral("wide")) << 16;
        QTest::newRow("too long") << QVariant(100000) << 16;
    }

    void rowLengthKeptInTheProfile() {
        QFETCH(QVariant, stored);
        const QString key = QStringLiteral("Application state/Dockbar/-SCBar-1021/m_lpr");
        auto view = makeView(QString());
        QCOMPARE(view->rowLengthSettingsKey(), key);
        QCOMPARE(QSettings().value(key).toInt(), 16);  // written by the resize
        QSettings().setValue(key, stored);
        QVERIFY(view->showFile(file1000_));
        QTEST(view->model().rowLength(), "rowLength");
        view->resize(view->width() + 10, view->height());
        QTRY_COMPARE(view->model().rowLength(), 16);
        QCOMPARE(QSettings().value(key).toInt(), 16);
    }

    void paintsTheSelectionInItsColumn() {
        auto view = makeView(file1000_);
        const QRgb highlight = view->palette().color(QPalette::Highlight).rgb();
        const QRgb base = view->palette().color(QPalette::Base).rgb();
        // Bytes 3, 4 and 5 in the hex column.
        click(*view, hexPoint(*view, 0, 3));
        pressKeys(view.get(), "Shift+Right,Shift+Right,Shift+Right,Shift+Right,Shift+Right");
        QCOMPARE(view->model().selection().end, 6);
        view->clearFocus();
        QImage image = view->viewport()->grab().toImage();
        QCOMPARE(image.pixel(hexBlankPoint(*view, 0, 2)), base);
        QCOMPARE(image.pixel(hexBlankPoint(*view, 0, 3)), highlight);
        QCOMPARE(image.pixel(hexBlankPoint(*view, 0, 5)), highlight);
        QCOMPARE(image.pixel(hexBlankPoint(*view, 0, 6)), base);

        // Byte 0x20 is a blank character: selected in the character column only in that mode.
        click(*view, hexPoint(*view, 2, 0));
        pressKeys(view.get(), "Shift+Right");
        view->clearFocus();
        image = view->viewport()->grab().toImage();
        QCOMPARE(image.pixel(charPoint(*view, 2, 0)), base);
        QCOMPARE(image.pixel(hexBlankPoint(*view, 2, 0)), highlight);
        click(*view, charPoint(*view, 2, 0));
        pressKeys(view.get(), "Shift+Right");
        view->clearFocus();
        image = view->viewport()->grab().toImage();
        QCOMPARE(image.pixel(charPoint(*view, 2, 0)), highlight);
        QCOMPARE(image.pixel(hexBlankPoint(*view, 2, 0)), base);
    }

    void caretInvertsTheCellUnderIt() {
        auto view = makeView(file1000_);
        click(*view, charPoint(*view, 2, 0));  // byte 0x20, a blank cell
        QVERIFY(view->hasFocus());
        const QImage focused = view->viewport()->grab().toImage();
        QCOMPARE(focused.pixel(charPoint(*view, 2, 0)), qRgb(0, 0, 0));
        view->clearFocus();
        const QImage unfocused = view->viewport()->grab().toImage();
        QCOMPARE(unfocused.pixel(charPoint(*view, 2, 0)),
                 view->palette().color(QPalette::Base).rgb());
    }

    void scrollBarAndWheel() {
        auto view = makeView(file1000_);
        QScrollBar* bar = view->verticalScrollBar();
        QVERIFY(bar->isEnabled());
        QCOMPARE(bar->maximum(), 53);  // 63 rows, 10 of them on a page
        QCOMPARE(bar->pageStep(), 10);
        click(*view, charPoint(*view, 0, 5));

        const QPointF at(10, 10);
        QWheelEvent wheel(at, view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &wheel);
        QCOMPARE(view->model().top(), 32);
        QCOMPARE(bar->value(), 2);
        QCOMPARE(view->model().cursor(), 5);

        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(view->model().top(), 48);
        QCOMPARE(view->model().cursor(), 21);
        QCOMPARE(bar->value(), 3);
        bar->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(view->model().top(), 53 * 16);

        auto shortView = makeView(file20_);
        QVERIFY(!shortView->verticalScrollBar()->isEnabled());
        QVERIFY(shortView->verticalScrollBar()->isVisible());
    }

    void mouseDragAndShiftClick() {
        auto view = makeView(file1000_);
        QWidget* port = view->viewport();
        sendMouse(port, QEvent::MouseButtonPress, hexPoint(*view, 0, 3), Qt::LeftButton);
        sendMouse(port, QEvent::MouseMove, hexPoint(*view, 0, 5), Qt::LeftButton);
        sendMouse(port, QEvent::MouseMove, hexPoint(*view, 0, 7), Qt::LeftButton);
        sendMouse(port, QEvent::MouseButtonRelease, hexPoint(*view, 0, 7), Qt::NoButton);
        QCOMPARE(view->model().selection().start, 3);
        QCOMPARE(view->model().selection().end, 8);
        QCOMPARE(view->model().cursor(), 7);

        click(*view, charPoint(*view, 0, 2));
        QVERIFY(!view->model().selection().exists());
        click(*view, charPoint(*view, 1, 6), Qt::ShiftModifier);
        QCOMPARE(view->model().selection().start, 2);
        QCOMPARE(view->model().selection().end, 22);
        QCOMPARE(view->model().editMode(), EditMode::Character);
    }
};

QTEST_MAIN(CMiniHexEditViewTest)
#include "CMiniHexEditViewTest.moc"
