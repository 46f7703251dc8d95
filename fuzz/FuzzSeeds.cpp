// Writes seed inputs of a fuzz target into the directory given, from delivered data files:
//   vexlor_fuzz_seeds DIRECTORY [--copy | --decode-definitions | --option-headers] FILE...
// Each mode applies to the files after it; --copy is the default.
//   --copy                the file as it is
//   --decode-definitions  an encoded option definition file, decoded to its XML
//   --option-headers      a writer's option header holding a job of the chip the file is named
//                         after (an IC information file "<chip>.ic")
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "core/smartopt/OptionDefinitionCodec.h"
#include "core/writer/WriterLink.h"

namespace {

namespace fs = std::filesystem;

enum class Mode { Copy, DecodeDefinitions, OptionHeaders };

std::optional<std::string> readText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool writeBytes(const fs::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

// The job settings vary with the seed's number so the seeds start from different branches.
std::string optionHeader(const std::string& chipName, std::size_t number) {
    std::array<std::uint8_t, vexlor::kOptionHeaderSize> header{};
    for (std::size_t i = 0; i < chipName.size() && i < 10; ++i) {
        header[i] = static_cast<std::uint8_t>(chipName[i]);
    }
    header[16] = static_cast<std::uint8_t>(number);
    header[17] = 0xA5;
    header[36] = static_cast<std::uint8_t>(number * 7);
    header[37] = static_cast<std::uint8_t>(number * 13);
    header[53] = static_cast<std::uint8_t>((number % 3) << 4);
    header[76] = static_cast<std::uint8_t>(number % 4);
    header[77] = number % 5 == 0 ? 0x10 : 0;
    header[78] = number % 2 == 0 ? 0x10 : 0x11;
    header[95] = static_cast<std::uint8_t>(number % 2);
    return std::string(header.begin(), header.end());
}

bool writeSeed(Mode mode, const fs::path& file, const fs::path& out, std::size_t number) {
    const std::string prefix = std::to_string(number) + "-";
    if (mode == Mode::OptionHeaders) {
        return writeBytes(out / (prefix + file.stem().string() + ".header"),
                          optionHeader(file.stem().string(), number));
    }
    const fs::path seed = out / (prefix + file.filename().string());
    const std::optional<std::string> text = readText(file);
    if (!text) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return false;
    }
    if (mode == Mode::Copy) {
        return writeBytes(seed, *text);
    }
    const vexlor::DecodedDefinition decoded = vexlor::DecodeOptionDefinition(*text);
    if (!decoded.ok) {
        std::fprintf(stderr, "%s: %s\n", file.c_str(), decoded.error.c_str());
        return false;
    }
    return writeBytes(seed, decoded.xml);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: %s DIRECTORY [--copy | --decode-definitions | --option-headers] "
                     "FILE...\n",
                     argv[0]);
        return 2;
    }
    const fs::path out = argv[1];
    Mode mode = Mode::Copy;
    for (int i = 2; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--copy") {
            mode = Mode::Copy;
        } else if (argument == "--decode-definitions") {
            mode = Mode::DecodeDefinitions;
        } else if (argument == "--option-headers") {
            mode = Mode::OptionHeaders;
        } else if (!writeSeed(mode, argument, out, static_cast<std::size_t>(i))) {
            std::fprintf(stderr, "cannot write the seed of %s into %s\n", argv[i], out.c_str());
            return 1;
        }
    }
    return 0;
}
