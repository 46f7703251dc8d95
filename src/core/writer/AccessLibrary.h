#pragma once

#include <cstdint>

namespace vexlor {

// The maker's writer-access library, which takes whole commands. Ordinal numbers are those
// the writer link calls.
class AccessLibrary {
  public:
    virtual ~AccessLibrary() = default;
    // Ordinal 1: 0 means a writer was opened.
    virtual std::int32_t open(std::uint32_t a, std::uint32_t b, std::uint32_t c) = 0;
    // Ordinal 5.
    virtual void close() = 0;
    // Ordinals 20 (data out) and 21 (data in): non-zero on success.
    virtual std::int32_t sendCommand(std::uint8_t command, std::uint8_t* data,
                                     std::uint32_t length) = 0;
    virtual std::int32_t receiveCommand(std::uint8_t command, std::uint8_t* buffer,
                                        std::uint32_t length) = 0;
    virtual void setTimeout(std::uint32_t value) = 0;
};

// A build or installation without the library: ordinal 1 never opens a writer.
class AbsentAccessLibrary final : public AccessLibrary {
  public:
    std::int32_t open(std::uint32_t, std::uint32_t, std::uint32_t) override { return 1; }
    void close() override {}
    std::int32_t sendCommand(std::uint8_t, std::uint8_t*, std::uint32_t) override { return 0; }
    std::int32_t receiveCommand(std::uint8_t, std::uint8_t*, std::uint32_t) override { return 0; }
    void setTimeout(std::uint32_t) override {}
};

}  // namespace vexlor

// The C entry points an access-library plugin (liborvoapi.so) exports, one per ordinal.
extern "C" {
using OrvoOpenFn = std::int32_t (*)(std::uint32_t, std::uint32_t, std::uint32_t);
using OrvoCloseFn = std::int32_t (*)();
using OrvoCommandFn = std::int32_t (*)(std::uint8_t, std::uint8_t*, std::uint32_t);
using OrvoSetTimeoutFn = std::int32_t (*)(std::uint32_t);
}
inline constexpr const char* kOrvoOpenSymbol = "orvo_ordinal_1";
inline constexpr const char* kOrvoCloseSymbol = "orvo_ordinal_5";
inline constexpr const char* kOrvoSendSymbol = "orvo_ordinal_20";
inline constexpr const char* kOrvoReceiveSymbol = "orvo_ordinal_21";
inline constexpr const char* kOrvoSetTimeoutSymbol = "QVSetTimeout";
