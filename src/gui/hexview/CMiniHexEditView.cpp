#include "gui/hexview/CMiniHexEditView.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSettings>
#include <QSignalBlocker>
#include <QStyleHints>
#include <QWheelEvent>
#include <filesystem>

#include "core/hexview/HexViewFile.h"
#include "gui/hexview/CGotoAddressDlg.h"

namespace vexlor {

namespace {

// Repeat rate of the scrolling while a drag is held above or below the view.
constexpr int kDragScrollMs = 50;
constexpr int kTextMargin = 4;

std::optional<HexKey> navigationKey(int key) {
    switch (key) {
        case Qt::Key_PageUp:
            return HexKey::PageUp;
        case Qt::Key_PageDown:
            return HexKey::PageDown;
        case Qt::Key_Home:
            return HexKey::Home;
        case Qt::Key_End:
            return HexKey::End;
        case Qt::Key_Left:
            return HexKey::Left;
        case Qt::Key_Right:
            return HexKey::Right;
        case Qt::Key_Up:
            return HexKey::Up;
        case Qt::Key_Down:
            return HexKey::Down;
        default:
            return std::nullopt;
    }
}

QFont viewFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(12);
    // The view draws hex digits and printable ASCII only: no fallback faces to look up.
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

}  // namespace

CMiniHexEditView::CMiniHexEditView(QWidget* parent, int parentControlId)
    : QAbstractScrollArea(parent), parentControlId_(parentControlId) {
    setObjectName(QStringLiteral("hexView"));
    setFont(viewFont());
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setCursor(Qt::IBeamCursor);
    // A little room between the frame and the text; the margins take the text background.
    setViewportMargins(kTextMargin, kTextMargin / 2, kTextMargin, 0);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(1);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            &CMiniHexEditView::onScrollAction);
    measureFont();
    applyScrollBar();
}

void CMiniHexEditView::setOptions(const HexViewOptions& options) {
    model_.setOptions(options);
    updateGeometry();
    refresh();
}

QString CMiniHexEditView::rowLengthSettingsKey() const {
    QString section = QString::fromStdString(rowLengthProfileSection(parentControlId_));
    section.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return section + QLatin1Char('/') + QLatin1String(kRowLengthProfileValue);
}

bool CMiniHexEditView::showFile(const QString& path) {
    if (path.isEmpty()) {
        blank_ = true;
        viewport()->update();
        return true;
    }
    ViewFileResult read =
        readViewFile(std::filesystem::path(QFile::encodeName(path).toStdString()));
    if (!read.ok()) {
        lastError_ = QString::fromStdString(read.error);
        return false;
    }
    lastError_.clear();
    bool stored = false;
    const int rowLength =
        QSettings().value(rowLengthSettingsKey(), model_.rowLength()).toInt(&stored);
    if (stored) {
        model_.setRowLength(rowLength);
    }
    model_.replaceBuffer(std::move(read.bytes));
    blank_ = false;
    refresh();
    return true;
}

void CMiniHexEditView::measureFont() {
    const QFontMetrics metrics(font());
    ViewMetrics m = model_.metrics();
    m.lineHeight = metrics.height();
    m.charWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    m.clientWidth = viewport()->width();
    m.clientHeight = viewport()->height();
    model_.setMetrics(m);
}

QSize CMiniHexEditView::sizeHint() const {
    const ViewMetrics& m = model_.metrics();
    const int columns = model_.columnOffsets().characters +
                        (model_.options().showCharacters ? model_.rowLength() * m.charWidth : 0);
    const int frame = 2 * frameWidth();
    return {columns + 2 * kTextMargin + verticalScrollBar()->sizeHint().width() + frame,
            24 * m.lineHeight + kTextMargin / 2 + frame};
}

QSize CMiniHexEditView::minimumSizeHint() const {
    return {sizeHint().width(), QAbstractScrollArea::minimumSizeHint().height()};
}

void CMiniHexEditView::applyScrollBar() {
    const ScrollBarState state = model_.scrollBar();
    QScrollBar* bar = verticalScrollBar();
    const QSignalBlocker block(bar);
    bar->setRange(0, static_cast<int>(state.maximum));
    bar->setPageStep(static_cast<int>(std::max<std::int64_t>(1, state.page)));
    bar->setValue(static_cast<int>(state.position));
    bar->setEnabled(state.enabled);
}

void CMiniHexEditView::refresh() {
    applyScrollBar();
    // The caret shows at once after a move, then blinks.
    caretOn_ = true;
    if (hasFocus()) {
        caretTimer_.start(QApplication::cursorFlashTime() / 2, this);
    }
    viewport()->update();
}

void CMiniHexEditView::scrollContentsBy(int, int) {
    // The model owns the top row; the bar only reports to it (onScrollAction).
}

void CMiniHexEditView::onScrollAction(int action) {
    QScrollBar* bar = verticalScrollBar();
    switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            model_.scroll(ScrollCode::LineDown);
            break;
        case QAbstractSlider::SliderSingleStepSub:
            model_.scroll(ScrollCode::LineUp);
            break;
        case QAbstractSlider::SliderPageStepAdd:
            model_.scroll(ScrollCode::PageDown);
            break;
        case QAbstractSlider::SliderPageStepSub:
            model_.scroll(ScrollCode::PageUp);
            break;
        case QAbstractSlider::SliderMove:
            model_.scroll(ScrollCode::ThumbTrack, bar->sliderPosition());
            break;
        case QAbstractSlider::SliderToMinimum:
            model_.scroll(ScrollCode::ThumbTrack, 0);
            break;
        case QAbstractSlider::SliderToMaximum:
            model_.scroll(ScrollCode::ThumbTrack, bar->maximum());
            break;
        default:
            return;
    }
    bar->setSliderPosition(static_cast<int>(model_.scrollBar().position));
    refresh();
}

void CMiniHexEditView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    model_.resize(viewport()->width(), viewport()->height());
    // Writing the profile replaces its file and syncs it to disk; a resize rarely changes it.
    QSettings profile;
    const QString key = rowLengthSettingsKey();
    if (profile.value(key).toInt() != model_.rowLength()) {
        profile.setValue(key, model_.rowLength());
    }
    refresh();
}

void CMiniHexEditView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        measureFont();
        updateGeometry();
        refresh();
    }
}

bool CMiniHexEditView::handleCtrlKey(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_X:
            model_.deleteSelection();
            return true;
        case Qt::Key_G:
            openGoToAddress();
            return true;
        case Qt::Key_C:
        case Qt::Key_V:
            // Copy and paste have no meaning for this view yet.
            return true;
        default:
            return false;
    }
}

void CMiniHexEditView::keyPressEvent(QKeyEvent* event) {
    if (blank_) {
        event->ignore();
        return;
    }
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    if (const std::optional<HexKey> key = navigationKey(event->key())) {
        model_.key(*key, {shift, ctrl});
    } else if (ctrl && handleCtrlKey(*event)) {
        // handled
    } else if (!event->text().isEmpty()) {
        for (char32_t character : event->text().toUcs4()) {
            model_.type(character, ctrl);
        }
    } else {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
    refresh();
}

void CMiniHexEditView::openGoToAddress() {
    CGotoAddressDlg dialog(this);
    if (dialog.exec() == QDialog::Accepted) {
        model_.goToAddress(dialog.address());
    }
}

void CMiniHexEditView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || blank_) {
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPoint point = event->position().toPoint();
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    model_.press(point.x(), point.y(), shift);
    pressPending_ = !shift;
    dragging_ = false;
    pressPoint_ = point;
    refresh();
}

void CMiniHexEditView::dragTo(const QPoint& point) {
    model_.dragTo(point.x(), point.y());
    lastDragPoint_ = point;
    const bool outside = point.y() < 0 || point.y() >= viewport()->height();
    if (outside && !dragScrollTimer_.isActive()) {
        dragScrollTimer_.start(kDragScrollMs, this);
    } else if (!outside) {
        dragScrollTimer_.stop();
    }
    refresh();
}

void CMiniHexEditView::mouseMoveEvent(QMouseEvent* event) {
    if (!event->buttons().testFlag(Qt::LeftButton) || !pressPending_) {
        return;
    }
    const QPoint point = event->position().toPoint();
    if (!dragging_) {
        if ((point - pressPoint_).manhattanLength() < QApplication::startDragDistance()) {
            return;
        }
        dragging_ = true;
        model_.beginDrag();
    }
    dragTo(point);
}

void CMiniHexEditView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressPending_ = false;
        dragging_ = false;
        dragScrollTimer_.stop();
    }
}

void CMiniHexEditView::wheelEvent(QWheelEvent* event) {
    if (blank_) {
        return;
    }
    model_.wheel(event->angleDelta().y());
    event->accept();
    refresh();
}

void CMiniHexEditView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    refresh();
}

void CMiniHexEditView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    caretTimer_.stop();
    viewport()->update();
}

void CMiniHexEditView::timerEvent(QTimerEvent* event) {
    if (event->timerId() == caretTimer_.timerId()) {
        caretOn_ = !caretOn_;
        viewport()->update();
    } else if (event->timerId() == dragScrollTimer_.timerId()) {
        dragTo(lastDragPoint_);
    } else {
        QAbstractScrollArea::timerEvent(event);
    }
}

void CMiniHexEditView::paintEvent(QPaintEvent*) {
    // The backing store already keeps a half-drawn view off the screen.
    QPainter painter(viewport());
    if (blank_) {
        painter.fillRect(viewport()->rect(), Qt::white);
        return;
    }
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Base));
    painter.setFont(font());
    paintRows(painter);
    paintCaret(painter);
}

void CMiniHexEditView::paintRows(QPainter& painter) const {
    if (!model_.hasBuffer()) {
        return;
    }
    const ViewMetrics& m = model_.metrics();
    const HexViewOptions& options = model_.options();
    const ColumnOffsets offsets = model_.columnOffsets();
    const int ascent = QFontMetrics(font()).ascent();
    const std::int64_t rowLength = model_.rowLength();
    const std::int64_t length = model_.length();
    const std::span<const std::uint8_t> bytes = model_.data();
    const QColor text = palette().color(QPalette::Text);
    const QColor highlight = palette().color(QPalette::Highlight);
    const QColor highlightedText = palette().color(QPalette::HighlightedText);
    const bool hexSelection = model_.editMode() == EditMode::Hex;
    const bool charSelection = model_.editMode() == EditMode::Character;

    auto drawCell = [&](int x, int y, int width, const QString& cell, bool selected) {
        if (selected) {
            painter.fillRect(x, y, width, m.lineHeight, highlight);
        }
        painter.setPen(selected ? highlightedText : text);
        painter.drawText(x, y + ascent, cell);
    };

    for (std::int64_t row = 0; row < model_.visibleLines(); ++row) {
        const std::int64_t rowStart = model_.top() + row * rowLength;
        if (rowStart >= length) {
            break;
        }
        const int y = static_cast<int>(row) * m.lineHeight;
        if (options.showAddress) {
            painter.setPen(text);
            painter.drawText(offsets.address, y + ascent,
                             QString::fromStdString(addressText(rowStart, options.wideAddress)));
        }
        for (std::int64_t column = 0; column < rowLength && rowStart + column < length; ++column) {
            const std::int64_t index = rowStart + column;
            const std::uint8_t byte = bytes[static_cast<std::size_t>(index)];
            const bool selected = model_.isSelected(index);
            if (options.showHex) {
                drawCell(offsets.hex + static_cast<int>(column) * kHexCellChars * m.charWidth, y,
                         kHexCellChars * m.charWidth, QString::fromStdString(hexCellText(byte)),
                         selected && hexSelection);
            }
            if (options.showCharacters) {
                drawCell(offsets.characters + static_cast<int>(column) * m.charWidth, y,
                         m.charWidth, QString(QLatin1Char(displayChar(byte))),
                         selected && charSelection);
            }
        }
    }
}

void CMiniHexEditView::paintCaret(QPainter& painter) const {
    const CaretPlacement caret = model_.caret();
    if (!hasFocus() || !caretOn_ || !caret.visible) {
        return;
    }
    // A solid caret that inverts what lies under it.
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    painter.fillRect(caret.x, caret.y, caret.width, caret.height, Qt::white);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

}  // namespace vexlor
