#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vexlor {

// An unsigned serial number or counter of up to 128 bits. Arithmetic wraps at 128 bits, as the
// writer's own 16-byte numbers do.
class SerialNumber {
  public:
    SerialNumber() = default;

    // Hexadecimal digits of either case, no prefix; an empty text is zero. Any other character,
    // or more than 32 significant digits, gives nullopt.
    static std::optional<SerialNumber> FromHex(std::string_view text);
    static SerialNumber Of(std::uint64_t value) { return SerialNumber(value); }
    // Upper-case, without leading zeros; "0" for zero.
    std::string ToHex() const;

    SerialNumber operator+(const SerialNumber& other) const {
        return SerialNumber(value_ + other.value_);
    }
    SerialNumber operator-(const SerialNumber& other) const {
        return SerialNumber(value_ - other.value_);
    }
    void increment() { ++value_; }
    void decrement() { --value_; }
    bool isZero() const { return value_ == 0; }
    auto operator<=>(const SerialNumber&) const = default;

  private:
    explicit SerialNumber(unsigned __int128 value) : value_(value) {}

    unsigned __int128 value_ = 0;
};

}  // namespace vexlor
