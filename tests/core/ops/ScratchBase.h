#pragma once

#include <filesystem>

namespace vexlor::test {

// Makes dir a base directory over the built data set: the read-only parts are linked in, the
// files a job writes (buffers, serial block, read data) stay in dir.
void layOutBase(const std::filesystem::path& dir, const std::filesystem::path& builtBase);

}  // namespace vexlor::test
