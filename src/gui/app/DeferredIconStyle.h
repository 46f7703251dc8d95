#pragma once

#include <QProxyStyle>

namespace vexlor::gui {

// The application's style, except that the extension-button icons are read from their image
// files when first drawn: every menu bar makes that button at once, and it shows only when the
// bar is too narrow for its menus.
class DeferredIconStyle final : public QProxyStyle {
  public:
    // Takes `base` over, as QProxyStyle does.
    explicit DeferredIconStyle(QStyle* base);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace vexlor::gui
