#include "core/convert/FileFilters.h"

namespace vexlor {

std::vector<std::string> filterExtensions(std::string_view filter) {
    std::vector<std::string> extensions;
    for (std::size_t at = filter.find("|*."); at != std::string_view::npos;
         at = filter.find("|*.", at + 1)) {
        const std::size_t end = filter.find('|', at + 1);
        extensions.emplace_back(filter.substr(
            at + 2, end == std::string_view::npos ? std::string_view::npos : end - at - 2));
    }
    return extensions;
}

std::string filterPatternList(std::string_view filter) {
    std::string list;
    for (const std::string& extension : filterExtensions(filter)) {
        list += (list.empty() ? "*" : ", *") + extension;
    }
    return list;
}

}  // namespace vexlor
