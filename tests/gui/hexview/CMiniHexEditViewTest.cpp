// The view hands every key, click, wheel turn and scroll-bar action to HexViewModel, shows a
// file through it and paints what it holds; the movement and editing rules are the model's.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QWheelEvent>
#include <functional>
#include <tuple>

#include "gui/hexview/CMiniHexEditView.h"
#include "support/ScratchDir.h"
#include "support/gui/QtTestApp.h"

namespace vexlor::test {
namespace {

class HexViewTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { EnsureQtApplication(); }
    HexViewTest() {
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, qt(dir / "settings"));
        std::vector<std::uint8_t> bytes(1000);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<std::uint8_t>(i);
        }
        file = qt(dir.writeBytes("data.bin", bytes));
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
        view.resize(view.sizeHint().width(), 10 * view.model().metrics().lineHeight + 40);
        QApplication::setActiveWindow(&view);
        view.setFocus();
    }
    static QString qt(const std::filesystem::path& path) {
        return QString::fromStdString(path.string());
    }
    // The middle of byte `index`'s cell in the character column of the first page.
    QPoint charPoint(int index) const {
        const auto& model = view.model();
        const int row = index / model.rowLength();
        const int column = index % model.rowLength();
        const auto& m = model.metrics();
        return {model.columnOffsets().characters + column * m.charWidth + m.charWidth / 2,
                row * m.lineHeight + m.lineHeight / 2};
    }
    static void expectSameState(const HexViewModel& got, const HexViewModel& want,
                                const char* what) {
        const auto state = [](const HexViewModel& m) {
            return std::tuple(m.cursor(), m.top(), m.nibble(), m.selection().start,
                              m.selection().end,
                              std::vector<std::uint8_t>(m.data().begin(), m.data().end()));
        };
        EXPECT_EQ(state(got), state(want)) << what;
    }

    ScratchDir dir;
    QString file;
    CMiniHexEditView view;
};

struct InputCase {
    std::string what;
    std::function<void(CMiniHexEditView&)> act;
    std::function<void(HexViewModel&)> expect;
};

InputCase keyCase(const char* what, Qt::Key key, Qt::KeyboardModifiers qtModifiers, HexKey hexKey,
                  KeyModifiers modifiers = {}) {
    return {what, [=](CMiniHexEditView& v) { QTest::keyClick(&v, key, qtModifiers); },
            [=](HexViewModel& m) { m.key(hexKey, modifiers); }};
}

InputCase scrollCase(const char* what, QAbstractSlider::SliderAction action, ScrollCode code) {
    return {what, [=](CMiniHexEditView& v) { v.verticalScrollBar()->triggerAction(action); },
            [=](HexViewModel& m) {
                m.scroll(code, code == ScrollCode::ThumbTrack ? m.scrollBar().maximum : 0);
            }};
}

TEST_F(HexViewTest, EveryInputReachesTheModel) {
    const Qt::KeyboardModifiers none;
    const InputCase cases[] = {
        keyCase("Right", Qt::Key_Right, none, HexKey::Right),
        keyCase("Shift+Left", Qt::Key_Left, Qt::ShiftModifier, HexKey::Left, {true, false}),
        keyCase("Down", Qt::Key_Down, none, HexKey::Down),
        keyCase("Up", Qt::Key_Up, none, HexKey::Up),
        keyCase("Home", Qt::Key_Home, none, HexKey::Home),
        keyCase("Ctrl+End", Qt::Key_End, Qt::ControlModifier, HexKey::End, {false, true}),
        keyCase("PageDown", Qt::Key_PageDown, none, HexKey::PageDown),
        keyCase("PageUp", Qt::Key_PageUp, none, HexKey::PageUp),
        {"typing", [](auto& v) { QTest::keyClicks(&v, "Hi"); },
         [](auto& m) {
             m.type('H', false);
             m.type('i', false);
         }},
        {"Ctrl+X",
         [](auto& v) {
             QTest::keyClick(&v, Qt::Key_Right, Qt::ShiftModifier);
             QTest::keyClick(&v, Qt::Key_X, Qt::ControlModifier);
         },
         [](auto& m) {
             m.key(HexKey::Right, {true, false});
             m.deleteSelection();
         }},
        {"wheel",
         [](auto& v) {
             const QPointF at(10, 10);
             QWheelEvent wheel(at, v.viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120),
                               Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
             QApplication::sendEvent(v.viewport(), &wheel);
         },
         [](auto& m) { m.wheel(-120); }},
        {"shift click",
         [this](auto& v) {
             QTest::mouseClick(v.viewport(), Qt::LeftButton, Qt::ShiftModifier, charPoint(70));
         },
         [this](auto& m) { m.press(charPoint(70).x(), charPoint(70).y(), true); }},
        scrollCase("line down", QAbstractSlider::SliderSingleStepAdd, ScrollCode::LineDown),
        scrollCase("page down", QAbstractSlider::SliderPageStepAdd, ScrollCode::PageDown),
        scrollCase("to the end", QAbstractSlider::SliderToMaximum, ScrollCode::ThumbTrack),
    };
    ASSERT_TRUE(view.showFile(file));
    for (const InputCase& c : cases) {
        HexViewModel expected = view.model();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, charPoint(37));
        expected.press(charPoint(37).x(), charPoint(37).y(), false);
        c.act(view);
        c.expect(expected);
        expectSameState(view.model(), expected, c.what.c_str());
        EXPECT_EQ(view.verticalScrollBar()->value(), view.model().scrollBar().position) << c.what;
    }
}

TEST_F(HexViewTest, GoToAddressHandsTheTypedAddressToTheModel) {
    ASSERT_TRUE(view.showFile(file));
    for (bool accept : {false, true}) {
        HexViewModel expected = view.model();
        AnswerNextModal([accept](QWidget* dialog) {
            dialog->findChild<QLineEdit*>("address")->setText("100");
            accept ? static_cast<QDialog*>(dialog)->accept()
                   : static_cast<QDialog*>(dialog)->reject();
        });
        QTest::keyClick(&view, Qt::Key_G, Qt::ControlModifier);
        if (accept) {
            expected.goToAddress(0x100);
        }
        expectSameState(view.model(), expected, accept ? "accepted" : "cancelled");
    }
}

TEST_F(HexViewTest, EmptyPathBlanksTheViewAndAnUnreadableFileLeavesIt) {
    ASSERT_TRUE(view.showFile(file));
    ASSERT_TRUE(view.showFile(QString()));
    EXPECT_TRUE(view.isBlank());
    const QImage blank = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(blank.pixel(charPoint(20)), qRgb(255, 255, 255));
    const std::int64_t cursor = view.model().cursor();
    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_EQ(view.model().cursor(), cursor);

    const QString missing = qt(dir / "missing.bin");
    EXPECT_FALSE(view.showFile(missing));
    EXPECT_TRUE(view.lastError().contains(missing));
    EXPECT_EQ(view.model().length(), 1000);
}

TEST_F(HexViewTest, RowLengthIsKeptInTheProfile) {
    const QString key = view.rowLengthSettingsKey();
    EXPECT_EQ(QSettings().value(key).toInt(), view.model().rowLength());  // written on resize
    // The profile is replaced by a new file when written; an unchanged row length leaves it.
    auto profileInode = [] {
        struct stat status {};
        return ::stat(QFile::encodeName(QSettings().fileName()).constData(), &status) == 0
                   ? status.st_ino
                   : ino_t{0};
    };
    const ino_t before = profileInode();
    ASSERT_NE(before, ino_t{0});
    view.resize(view.size() + QSize(0, 20));
    EXPECT_EQ(profileInode(), before);

    QSettings().setValue(key, 8);
    ASSERT_TRUE(view.showFile(file));
    EXPECT_EQ(view.model().rowLength(), 8);
    view.resize(view.size() + QSize(0, 20));
    EXPECT_EQ(QSettings().value(key).toInt(), 16);
}

TEST_F(HexViewTest, PaintsTheSelectionAndTheCaret) {
    ASSERT_TRUE(view.showFile(file));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, charPoint(3));
    QTest::keyClick(&view, Qt::Key_Right, Qt::ShiftModifier);
    const QImage image = view.viewport()->grab().toImage();
    // The lowest pixel row of a cell holds no glyph: only the cell's background shows there.
    const QPoint bottom(0, view.model().metrics().lineHeight / 2 - 1);
    const QRgb base = view.palette().color(QPalette::Base).rgb();
    EXPECT_EQ(image.pixel(charPoint(3) + bottom), view.palette().color(QPalette::Highlight).rgb());
    EXPECT_EQ(image.pixel(charPoint(6) + bottom), base);
    const CaretPlacement caret = view.model().caret();
    ASSERT_TRUE(caret.visible);
    EXPECT_NE(image.pixel(caret.x, caret.y + caret.height - 1), base);
}

}  // namespace
}  // namespace vexlor::test
