#include "core/packages/ZipCipher.h"

#include <zlib.h>

namespace vexlor {

namespace {

std::uint32_t crcStep(std::uint32_t crc, std::uint8_t byte) {
    static const z_crc_t* const table = get_crc_table();
    return static_cast<std::uint32_t>(table[(crc ^ byte) & 0xFF]) ^ (crc >> 8);
}

}  // namespace

ZipCipher::ZipCipher(std::string_view password) : keys_{0x12345678, 0x23456789, 0x34567890} {
    for (char c : password) {
        update(static_cast<std::uint8_t>(c));
    }
}

std::uint8_t ZipCipher::keyByte() const {
    const std::uint32_t temp = (keys_[2] & 0xFFFF) | 2;
    return static_cast<std::uint8_t>((temp * (temp ^ 1)) >> 8);
}

void ZipCipher::update(std::uint8_t plain) {
    keys_[0] = crcStep(keys_[0], plain);
    keys_[1] = (keys_[1] + (keys_[0] & 0xFF)) * 134775813u + 1;
    keys_[2] = crcStep(keys_[2], static_cast<std::uint8_t>(keys_[1] >> 24));
}

std::uint8_t ZipCipher::decrypt(std::uint8_t byte) {
    const std::uint8_t plain = byte ^ keyByte();
    update(plain);
    return plain;
}

std::uint8_t ZipCipher::encrypt(std::uint8_t byte) {
    const std::uint8_t key = keyByte();
    update(byte);
    return byte ^ key;
}

}  // namespace vexlor
