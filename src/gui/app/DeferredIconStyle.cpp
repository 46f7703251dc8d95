#include "gui/app/DeferredIconStyle.h"

#include "gui/app/DeferredIcon.h"

namespace vexlor::gui {

DeferredIconStyle::DeferredIconStyle(QStyle* base) : QProxyStyle(base) {}

QIcon DeferredIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                      const QWidget* widget) const {
    const bool extension =
        icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton;
    // Without an option the base style picks these by the application's direction alone, so the
    // widget (which may be gone by then) is not needed later.
    if (!extension || option != nullptr) {
        return QProxyStyle::standardIcon(icon, option, widget);
    }
    QStyle* base = baseStyle();
    return DeferredIcon([base, icon] { return base->standardIcon(icon, nullptr, nullptr); });
}

}  // namespace vexlor::gui
