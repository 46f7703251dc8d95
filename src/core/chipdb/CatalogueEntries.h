#pragma once

#include <cstring>

#include <pugixml.hpp>

namespace vexlor {

// A catalogue entry at the type, series or chip level: an element with at least one attribute.
// Everything else at those levels is neither shown nor counted.
inline bool IsCatalogueEntry(pugi::xml_node node) {
    return node.type() == pugi::node_element && node.first_attribute();
}

template <typename Visit>
void ForEachCatalogueEntry(pugi::xml_node parent, Visit&& visit) {
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (IsCatalogueEntry(child)) {
            visit(child);
        }
    }
}

// The entry at index among the parent's entries; empty when index lies outside.
inline pugi::xml_node CatalogueEntryAt(pugi::xml_node parent, int index) {
    if (index < 0) {
        return {};
    }
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (IsCatalogueEntry(child) && index-- == 0) {
            return child;
        }
    }
    return {};
}

// Element names are compared exactly, case-sensitively.
inline bool IsNamed(pugi::xml_node node, const char* name) {
    return node.type() == pugi::node_element && std::strcmp(node.name(), name) == 0;
}

}  // namespace vexlor
