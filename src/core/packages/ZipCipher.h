#pragma once

#include <cstdint>
#include <string_view>

namespace vexlor {

// The traditional password encryption of zip archives, one byte at a time. The zip library of
// the distribution is built without it, so the packages are read and written raw and pass
// through here.
class ZipCipher {
  public:
    // Encrypted data starts with this many header bytes; the last one checks the password.
    static constexpr int kHeaderSize = 12;

    explicit ZipCipher(std::string_view password);

    std::uint8_t decrypt(std::uint8_t byte);
    std::uint8_t encrypt(std::uint8_t byte);

  private:
    std::uint8_t keyByte() const;
    void update(std::uint8_t plain);

    std::uint32_t keys_[3];
};

}  // namespace vexlor
