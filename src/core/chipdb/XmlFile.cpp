#include "core/chipdb/XmlFile.h"

namespace vexlor {

namespace {
XmlLoad outcomeOf(const pugi::xml_parse_result& result, const pugi::xml_document& document) {
    switch (result.status) {
        case pugi::status_ok:
            return document.document_element() ? XmlLoad::Loaded : XmlLoad::NoRootElement;
        case pugi::status_out_of_memory:
            return XmlLoad::NoParser;
        case pugi::status_no_document_element:
            return XmlLoad::NoRootElement;
        default:
            return XmlLoad::OpenFailed;
    }
}
}  // namespace

XmlLoad LoadXmlFile(const std::filesystem::path& file, pugi::xml_document& document) {
    if (!IsReadableFile(file)) {
        return XmlLoad::OpenFailed;
    }
    return outcomeOf(document.load_file(file.c_str()), document);
}

XmlLoad LoadXmlText(std::string_view text, pugi::xml_document& document) {
    return outcomeOf(document.load_buffer(text.data(), text.size()), document);
}

XmlLoad LoadXmlTextInPlace(std::string& text, pugi::xml_document& document) {
    return outcomeOf(document.load_buffer_inplace(text.data(), text.size()), document);
}

bool ReportXmlLoad(Operator& op, XmlLoad outcome, const XmlLoadMessages& messages,
                   const std::filesystem::path& file) {
    const char* text = nullptr;
    switch (outcome) {
        case XmlLoad::Loaded:
            return true;
        case XmlLoad::NoParser:
            text = messages.noParser;
            break;
        case XmlLoad::OpenFailed:
            text = messages.openFailed;
            break;
        case XmlLoad::NoRootElement:
            text = messages.noRootElement;
            break;
    }
    op.message(std::string(text != nullptr ? text : messages.openFailed) + "\n" + file.string());
    return false;
}

namespace {
bool isXmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Walks without recursion: a hostile file may nest elements arbitrarily deep.
void appendText(pugi::xml_node root, std::string& out) {
    pugi::xml_node node = root.first_child();
    while (node) {
        if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
            out += node.value();
        }
        if (node.type() == pugi::node_element && node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node != root && !node.next_sibling()) {
            node = node.parent();
        }
        if (node == root) {
            break;
        }
        node = node.next_sibling();
    }
}
}  // namespace

std::string ElementText(pugi::xml_node element) {
    std::string text;
    // Values are leaves; the common case needs no walk.
    pugi::xml_node only = element.first_child();
    if (element.type() == pugi::node_pcdata || element.type() == pugi::node_cdata) {
        text = element.value();
    } else if (only && !only.next_sibling() && only.type() == pugi::node_pcdata) {
        text = only.value();
    } else {
        appendText(element, text);
    }
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isXmlSpace(text[begin])) {
        ++begin;
    }
    while (end > begin && isXmlSpace(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

std::string FirstAttributeText(pugi::xml_node element) {
    const pugi::xml_attribute first = element.first_attribute();
    return first ? std::string(first.value()) : std::string();
}

bool IsReadableFile(const std::filesystem::path& file) {
    std::error_code error;
    return !file.empty() && std::filesystem::is_regular_file(file, error);
}

}  // namespace vexlor
