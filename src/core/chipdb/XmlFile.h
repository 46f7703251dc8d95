#pragma once

#include <filesystem>
#include <string>

#include <sys/stat.h>

#include <pugixml.hpp>

#include "core/base/Operator.h"
#include "core/base/PlainFileName.h"

namespace vexlor {

// How loading one of the system's XML files ended. Every reader has its own message for each
// failure, so the outcome is reported, not a text.
enum class XmlLoad {
    Loaded,
    NoParser,      // the parser could not get memory for the document
    OpenFailed,    // missing, unreadable or malformed
    NoRootElement  // well-formed, but without any element
};

// Only a regular file is read: a directory or a pipe in its place fails to open.
XmlLoad LoadXmlFile(const std::filesystem::path& file, pugi::xml_document& document);
// The same with pugixml's parse options; status gets the opened file's own identity and times
// (ElementText reads an element's text whether or not it was embedded as its value).
XmlLoad LoadXmlFile(const std::filesystem::path& file, pugi::xml_document& document,
                    unsigned options, struct stat& status);

// The same, for text already read from a file.
XmlLoad LoadXmlText(std::string_view text, pugi::xml_document& document);

// Each reader's own texts for the three ways loading can fail.
struct XmlLoadMessages {
    const char* noParser;
    const char* openFailed;
    const char* noRootElement;
};

// Shows the reader's message for a failed load, with the file's path on a second line so the
// operator knows which data file is broken; true when the document was loaded.
bool ReportXmlLoad(Operator& op, XmlLoad outcome, const XmlLoadMessages& messages,
                   const std::filesystem::path& file);

// The element's text content with its descendants (or a text node's own text), as the
// readers take values: the layout white space around the value is not part of it.
std::string ElementText(pugi::xml_node element);
// The text without the layout white space around it.
std::string TrimmedXmlText(std::string_view text);

// The text of the element's first attribute, whatever its name; empty without attributes.
std::string FirstAttributeText(pugi::xml_node element);

// Only regular files are read: a directory or a pipe in a data file's place must give the
// reader's open failure, not an endless wait or a bogus size.
bool IsReadableFile(const std::filesystem::path& file);

}  // namespace vexlor
