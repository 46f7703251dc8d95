#pragma once

#include <QString>
#include <string_view>

namespace vexlor::gui {

// "Desc (*.a)|*.a;*.b|Other|*.c||" -> "Desc (*.a *.b);;Other (*.c)": the patterns of each pair
// go into the parentheses Qt reads them from. An unpaired last description is dropped.
QString ConvertFileFilter(std::string_view filter);

}  // namespace vexlor::gui
