// SHA-256 against the FIPS 180-2 example messages.
#include <gtest/gtest.h>

#include <string>

#include "core/base/Sha256.h"

namespace vexlor::test {
namespace {

std::string hashOf(const std::string& text, std::size_t piece) {
    Sha256 hash;
    for (std::size_t at = 0; at < text.size(); at += piece) {
        const std::string part = text.substr(at, piece);
        hash.update({reinterpret_cast<const std::uint8_t*>(part.data()), part.size()});
    }
    return Sha256Hex(hash.finish());
}

TEST(Sha256, PublishedVectorsWhateverThePieces) {
    const auto check = [&](const std::string& message, const char* digest) {
        for (std::size_t piece :
             {std::size_t{1}, std::size_t{55}, std::size_t{64}, std::size_t{4096}}) {
            EXPECT_EQ(hashOf(message, piece), digest) << message.size() << "/" << piece;
        }
    };
    check("", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    check("abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    check("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
          "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    check(std::string(1000000, 'a'),
          "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

}  // namespace
}  // namespace vexlor::test
