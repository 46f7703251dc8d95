#include "core/base/CodePageText.h"

#include <iconv.h>

#include <cerrno>

namespace vexlor {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

class Converter {
  public:
    explicit Converter(const char* codePage) : handle_(::iconv_open("UTF-8", codePage)) {}
    ~Converter() {
        if (valid()) {
            ::iconv_close(handle_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t handle() const { return handle_; }

  private:
    iconv_t handle_;
};

std::string asciiOnly(std::string_view bytes) {
    std::string text;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) < 0x80) {
            text += c;
        } else {
            text += kReplacement;
        }
    }
    return text;
}

}  // namespace

std::string CodePageToUtf8(std::string_view bytes, const char* codePage) {
    Converter converter(codePage);
    if (!converter.valid()) {
        return asciiOnly(bytes);
    }
    std::string text;
    std::string chunk(4 * bytes.size() + 4, '\0');
    // iconv's interface takes a non-const input pointer but never writes through it.
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* out = chunk.data();
        std::size_t outLeft = chunk.size();
        const std::size_t done = ::iconv(converter.handle(), &in, &inLeft, &out, &outLeft);
        text.append(chunk.data(), chunk.size() - outLeft);
        if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // An undefined or cut-off sequence: mark it and go on behind its first byte.
            text += kReplacement;
            ++in;
            --inLeft;
        }
    }
    return text;
}

}  // namespace vexlor
