#include "gui/app/DeferredIcon.h"

#include <QIconEngine>
#include <utility>

namespace vexlor::gui {

namespace {

class DeferredIconEngine final : public QIconEngine {
  public:
    explicit DeferredIconEngine(std::function<QIcon()> make) : make_(std::move(make)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

  private:
    QIcon& icon() {
        if (make_) {
            made_ = make_();
            make_ = nullptr;
        }
        return made_;
    }

    std::function<QIcon()> make_;
    QIcon made_;
};

}  // namespace

QIcon DeferredIcon(std::function<QIcon()> make) {
    return QIcon(new DeferredIconEngine(std::move(make)));
}

}  // namespace vexlor::gui
