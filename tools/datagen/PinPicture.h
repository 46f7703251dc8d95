#pragma once

#include <string>

#include <QImage>

#include "DataSet.h"

namespace vexlor::datagen {

// Pin placement drawing of a chip in its package: outline with the pin-1 mark, every pin
// numbered counter-clockwise from pin 1, the chip name in the body and the package below.
QImage DrawPinPicture(const PackageShape& shape, const std::string& chipName,
                      const std::string& packageName);

}  // namespace vexlor::datagen
