// Icons built on first use must draw what the style's own icons draw.
#include <gtest/gtest.h>

#include <QStyleFactory>
#include <memory>

#include "gui/app/DeferredIconStyle.h"
#include "support/gui/QtTestApp.h"

namespace vexlor::test {
namespace {

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
            EXPECT_EQ(got.pixmap(size).toImage(), want.pixmap(size).toImage()) << icon;
            EXPECT_EQ(got.pixmap(size, QIcon::Disabled).toImage(),
                      want.pixmap(size, QIcon::Disabled).toImage())
                << icon;
        }
    }
}

}  // namespace
}  // namespace vexlor::test
