#include "support/ScratchDir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace vexlor::test {

ScratchDir::ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vexlor-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path ScratchDir::write(const std::string& name, const std::string& text) const {
    const auto file = path_ / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
    return file;
}

std::filesystem::path ScratchDir::writeBytes(const std::string& name,
                                             const std::vector<std::uint8_t>& bytes) const {
    return write(name, std::string(bytes.begin(), bytes.end()));
}

void ScratchDir::copyData(const std::string& set) const {
    std::filesystem::copy(testDataDir() / set, path_,
                          std::filesystem::copy_options::recursive |
                              std::filesystem::copy_options::overwrite_existing);
}

std::vector<std::uint8_t> readBytes(const std::filesystem::path& path) {
    const std::string text = readText(path);
    return {text.begin(), text.end()};
}

std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

namespace {
std::filesystem::path fromEnv(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr) {
        throw std::runtime_error(std::string(name) + " is not set; run the tests through ctest");
    }
    return value;
}
}  // namespace

std::filesystem::path testDataDir() {
    return fromEnv("VEXLOR_TEST_DATA");
}
std::string dataText(const std::string& name) {
    const auto path = testDataDir() / name;
    if (!std::filesystem::is_regular_file(path)) {
        throw std::runtime_error("no test data file " + path.string());
    }
    return readText(path);
}
std::filesystem::path builtBaseDir() {
    return fromEnv("VEXLOR_BASE_DIR");
}

}  // namespace vexlor::test
