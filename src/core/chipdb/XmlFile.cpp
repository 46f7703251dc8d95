#include "core/chipdb/XmlFile.h"

#include "core/base/OpenFile.h"
#include "core/base/WholeTransfer.h"

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

namespace {
// Reads the open file whole into a buffer the document takes over, then parses it in place.
XmlLoad parseOpenFile(int fd, pugi::xml_document& document, unsigned options, struct stat& status) {
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        return XmlLoad::OpenFailed;
    }
    const auto size = static_cast<std::size_t>(status.st_size);
    void* buffer = pugi::get_memory_allocation_function()(size == 0 ? 1 : size);
    if (buffer == nullptr) {
        return XmlLoad::NoParser;
    }
    if (!ReadAll(fd, {static_cast<std::uint8_t*>(buffer), size})) {
        pugi::get_memory_deallocation_function()(buffer);
        return XmlLoad::OpenFailed;
    }
    return outcomeOf(document.load_buffer_inplace_own(buffer, size, options), document);
}
}  // namespace

XmlLoad LoadXmlFile(const std::filesystem::path& file, pugi::xml_document& document,
                    unsigned options, struct stat& status) {
    document.reset();
    const OpenFile opened(file, kReadFlags);
    if (opened.fd() < 0) {
        return XmlLoad::OpenFailed;
    }
    return parseOpenFile(opened.fd(), document, options, status);
}

XmlLoad LoadXmlFile(const std::filesystem::path& file, pugi::xml_document& document) {
    struct stat status {};
    return LoadXmlFile(file, document, pugi::parse_default, status);
}

XmlLoad LoadXmlText(std::string_view text, pugi::xml_document& document) {
    return outcomeOf(document.load_buffer(text.data(), text.size()), document);
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

// An element's own value is the text it starts with, when that was embedded at parsing.
bool carriesText(pugi::xml_node node) {
    return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata ||
           node.type() == pugi::node_element;
}

// Walks without recursion: a hostile file may nest elements arbitrarily deep.
void appendText(pugi::xml_node root, std::string& out) {
    out += root.value();
    pugi::xml_node node = root.first_child();
    while (node) {
        if (carriesText(node)) {
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
    // Values are leaves; the common case needs no walk.
    const pugi::xml_node only = element.first_child();
    if (!only) {
        return TrimmedXmlText(element.value());
    }
    if (!only.next_sibling() && only.type() == pugi::node_pcdata && *element.value() == '\0') {
        return TrimmedXmlText(only.value());
    }
    std::string text;
    appendText(element, text);
    return TrimmedXmlText(text);
}

std::string TrimmedXmlText(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isXmlSpace(text[begin])) {
        ++begin;
    }
    while (end > begin && isXmlSpace(text[end - 1])) {
        --end;
    }
    return std::string(text.substr(begin, end - begin));
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
