#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vexlor {

// An encoded option definition file: the line "VXOPT1", then base64 lines of the definition
// XML with every byte XOR-ed with the key "Vexlor-QR46IC" repeated from the first byte.
struct DecodedDefinition {
    bool ok = false;
    std::string xml;    // when ok
    std::string error;  // otherwise, one line for the operator
};

DecodedDefinition DecodeOptionDefinition(std::string_view encoded);

// "<name>_Dec.ic" for the encoded file "<name>.IC".
std::string DecodedDefinitionName(const std::filesystem::path& encodedFile);

// Decodes the file into DecodedDefinitionName in outputDirectory, all or nothing. Returns an
// empty text on success, else what went wrong.
std::string DecodeDefinitionFile(const std::filesystem::path& encodedFile,
                                 const std::filesystem::path& outputDirectory);

}  // namespace vexlor
