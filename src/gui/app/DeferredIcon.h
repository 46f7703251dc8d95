#pragma once

#include <QIcon>
#include <functional>

namespace vexlor::gui {

// An icon that `make` builds when something first asks for its sizes or pixels. Many icons are
// set at every start and seldom drawn (a window's icon on a platform that shows none, the
// menu bar's extension button); building them costs drawing or reading image files. The icon
// counts as not null before it is built, so `make` must not give a null icon.
QIcon DeferredIcon(std::function<QIcon()> make);

}  // namespace vexlor::gui
