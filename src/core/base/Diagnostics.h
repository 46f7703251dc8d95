#pragma once

#include <cstdarg>
#include <functional>
#include <string>
#include <string_view>

namespace vexlor {

// Diagnostic lines of the transport and the file readers. Nobody acts on them, so they go
// nowhere unless a sink is installed: standard error when the operator asks for them (never
// standard output, which belongs to the programs' own results), a capture in tests.
class Diagnostics {
  public:
    using Sink = std::function<void(std::string_view)>;

    Diagnostics();
    explicit Diagnostics(Sink sink) : sink_(std::move(sink)) {}

    // Lines to standard error when verbose, else none.
    static Diagnostics ForVerbosity(bool verbose);

    void print(std::string_view text) const { sink_(text); }
    [[gnu::format(printf, 2, 3)]] void printf(const char* format, ...) const;

  private:
    Sink sink_;
};

// Whether VEXLOR_VERBOSE (its value as the environment holds it, or null) asks for the
// diagnostic log; only the mains read the environment.
bool VerboseEnvironment(const char* value);

// Formats like printf into a std::string, without a fixed-size buffer.
[[gnu::format(printf, 1, 2)]] std::string format(const char* format, ...);
std::string vformat(const char* format, std::va_list args);

}  // namespace vexlor
