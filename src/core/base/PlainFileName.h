#pragma once

#include <string_view>

namespace vexlor {

// True for a name that can only name a file directly inside its folder: not empty, not "." or
// "..", no directory separator or NUL. Names come from the writer and from data files (chip
// names, firmware names) and must not reach outside the data directories.
inline bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

}  // namespace vexlor
