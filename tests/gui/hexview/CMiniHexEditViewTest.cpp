// The view hands every key, click, wheel turn and scroll-bar action to HexViewModel, shows a
// file through it and paints what it holds; the movement and editing rules are the model's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QWheelEvent>
#include <functional>
#include <memory>

#include "gui/hexview/CGotoAddressDlg.h"
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
        EXPECT_EQ(got.cursor(), want.cursor()) << what;
        EXPECT_EQ(got.top(), want.top()) << what;
        EXPECT_EQ(got.nibble(), want.nibble()) << what;
        EXPECT_EQ(got.selection().start, want.selection().start) << what;
        EXPECT_EQ(got.selection().end, want.selection().end) << what;
        EXPECT_EQ(got.length(), want.length()) << what;
        EXPECT_TRUE(std::equal(got.data().begin(), got.data().end(), want.data().begin(),
                               want.data().end()))
            << what;
    }

    ScratchDir dir;
    QString file;
    CMiniHexEditView view;
};

TEST_F(HexViewTest, EveryInputReachesTheModel) {
    using Act = std::function<void(CMiniHexEditView&)>;
    using Expect = std::function<void(HexViewModel&)>;
    auto key = [](Qt::Key k, Qt::KeyboardModifiers mods = {}) -> Act {
        return [k, mods](CMiniHexEditView& v) { QTest::keyClick(&v, k, mods); };
    };
    auto scroll = [](QAbstractSlider::SliderAction action) -> Act {
        return [action](CMiniHexEditView& v) { v.verticalScrollBar()->triggerAction(action); };
    };
    const struct {
        const char* what;
        Act act;
        Expect expect;
    } cases[] = {
        {"Right", key(Qt::Key_Right), [](auto& m) { m.key(HexKey::Right, {}); }},
        {"Shift+Left", key(Qt::Key_Left, Qt::ShiftModifier),
         [](auto& m) {
             m.key(HexKey::Left, {true, false});
         }},
        {"Down", key(Qt::Key_Down), [](auto& m) { m.key(HexKey::Down, {}); }},
        {"Up", key(Qt::Key_Up), [](auto& m) { m.key(HexKey::Up, {}); }},
        {"Home", key(Qt::Key_Home), [](auto& m) { m.key(HexKey::Home, {}); }},
        {"Ctrl+End", key(Qt::Key_End, Qt::ControlModifier),
         [](auto& m) {
             m.key(HexKey::End, {false, true});
         }},
        {"PageDown", key(Qt::Key_PageDown), [](auto& m) { m.key(HexKey::PageDown, {}); }},
        {"PageUp", key(Qt::Key_PageUp), [](auto& m) { m.key(HexKey::PageUp, {}); }},
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
        {"line down", scroll(QAbstractSlider::SliderSingleStepAdd),
         [](auto& m) { m.scroll(ScrollCode::LineDown); }},
        {"page down", scroll(QAbstractSlider::SliderPageStepAdd),
         [](auto& m) { m.scroll(ScrollCode::PageDown); }},
        {"to the end", scroll(QAbstractSlider::SliderToMaximum),
         [](auto& m) { m.scroll(ScrollCode::ThumbTrack, m.scrollBar().maximum); }},
    };
    ASSERT_TRUE(view.showFile(file));
    for (const auto& c : cases) {
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, charPoint(37));
        HexViewModel expected = view.model();
        c.act(view);
        c.expect(expected);
        expectSameState(view.model(), expected, c.what);
        EXPECT_EQ(view.verticalScrollBar()->value(), view.model().scrollBar().position) << c.what;
    }
}

TEST_F(HexViewTest, ClicksAndShiftClicksPlaceTheCursorThroughTheModel) {
    ASSERT_TRUE(view.showFile(file));
    HexViewModel expected = view.model();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, charPoint(5));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ShiftModifier, charPoint(22));
    expected.press(charPoint(5).x(), charPoint(5).y(), false);
    expected.press(charPoint(22).x(), charPoint(22).y(), true);
    expectSameState(view.model(), expected, "clicks");
    EXPECT_TRUE(view.model().selection().exists());
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
    QSettings().setValue(key, 8);
    ASSERT_TRUE(view.showFile(file));
    EXPECT_EQ(view.model().rowLength(), 8);
    QSettings().setValue(key, "wide");
    ASSERT_TRUE(view.showFile(file));
    EXPECT_EQ(view.model().rowLength(), 8);
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

TEST(GotoAddressDlg, StartsAtZeroAndReadsHex) {
    EnsureQtApplication();
    CGotoAddressDlg dialog;
    auto* edit = dialog.findChild<QLineEdit*>("address");
    EXPECT_EQ(edit->text(), "00000");
    edit->setText("0x1F");
    EXPECT_EQ(dialog.address(), 0x1Fu);
}

}  // namespace
}  // namespace vexlor::test
