#include <gtest/gtest.h>

#include "core/base/CodePageText.h"

namespace vexlor {
namespace {

TEST(CodePageText, DecodesAndMarksWhatTheCodePageDoesNotDefine) {
    const auto check = [&](const char* bytes, const char* codePage, const char* utf8) {
        EXPECT_EQ(CodePageToUtf8(bytes, codePage), utf8) << codePage << " " << bytes;
    };
    check("USB \xB1\xB5\xBD\x75", "BIG5", "USB 接線");
    check("\xBD\xD3 \xCF\xDF", "GBK", "接 线");
    // A lead byte with no trail byte, then one the code page never starts a character with.
    check("a\xB1", "BIG5", "a\xEF\xBF\xBD");
    check("\xFFz", "GBK", "\xEF\xBF\xBDz");
    check("x\xB1\xB5", "NO-SUCH-CODE-PAGE", "x\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
}  // namespace vexlor
