#pragma once

#include <string_view>

namespace vexlor {

// Whether a name taken from a data file names a file inside one folder: not empty, no
// directory separator, not "." or "..". Such names cannot reach outside the folder.
inline bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name.find_first_of("/\\") == std::string_view::npos && name != "." &&
           name != "..";
}

}  // namespace vexlor
