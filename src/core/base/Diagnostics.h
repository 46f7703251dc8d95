#pragma once

#include <cstdarg>
#include <functional>
#include <string>
#include <string_view>

namespace vexlor {

// Diagnostic lines of the transport and the file readers. Nobody acts on them; they go to
// standard output unless a sink is installed (tests capture them, the GUI may log them).
class Diagnostics {
  public:
    using Sink = std::function<void(std::string_view)>;

    Diagnostics();
    explicit Diagnostics(Sink sink) : sink_(std::move(sink)) {}

    void print(std::string_view text) const { sink_(text); }
    [[gnu::format(printf, 2, 3)]] void printf(const char* format, ...) const;

  private:
    Sink sink_;
};

// Formats like printf into a std::string, without a fixed-size buffer.
[[gnu::format(printf, 1, 2)]] std::string format(const char* format, ...);
std::string vformat(const char* format, std::va_list args);

}  // namespace vexlor
