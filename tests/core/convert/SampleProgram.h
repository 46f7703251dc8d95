#pragma once

#include <filesystem>

#include "core/chipdb/ICInfo.h"

namespace vexlor::test {

// A program file the chip's converter accepts, placed in directory: a copy of one of the
// hand-made files under tests/data/convert for the small families, or an image made for the
// chip for the families whose files are large (raw images with the chip's device ID in place
// and differing bytes at 0x20-0x5F).
std::filesystem::path sampleProgramFor(const ICInfo& ic, const std::filesystem::path& directory);

}  // namespace vexlor::test
