#include "core/base/Diagnostics.h"

#include <cstdio>

namespace vexlor {

Diagnostics::Diagnostics() : sink_([](std::string_view) {}) {}

Diagnostics Diagnostics::ForVerbosity(bool verbose) {
    if (!verbose) {
        return Diagnostics();
    }
    return Diagnostics([](std::string_view text) {
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fflush(stderr);
    });
}

bool VerboseEnvironment(const char* value) {
    return value != nullptr && std::string_view(value) == "1";
}

void Diagnostics::printf(const char* fmt, ...) const {
    std::va_list args;
    va_start(args, fmt);
    std::string text = vformat(fmt, args);
    va_end(args);
    sink_(text);
}

std::string vformat(const char* fmt, std::va_list args) {
    std::va_list copy;
    va_copy(copy, args);
    const int size = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    if (size <= 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), fmt, args);
    text.resize(static_cast<std::size_t>(size));
    return text;
}

std::string format(const char* fmt, ...) {
    std::va_list args;
    va_start(args, fmt);
    std::string text = vformat(fmt, args);
    va_end(args);
    return text;
}

}  // namespace vexlor
