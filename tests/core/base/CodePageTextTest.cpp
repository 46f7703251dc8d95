#include <gtest/gtest.h>

#include "core/base/CodePageText.h"

namespace vexlor {
namespace {

TEST(CodePageText, DecodesAndMarksWhatTheCodePageDoesNotDefine) {
    const struct {
        const char* bytes;
        const char* codePage;
        const char* utf8;
    } cases[] = {
        {"USB \xB1\xB5\xBD\x75", "BIG5", "USB 接線"},
        {"\xBD\xD3 \xCF\xDF", "GBK", "接 线"},
        // A lead byte with no trail byte, then one the code page never starts a character with.
        {"a\xB1", "BIG5", "a\xEF\xBF\xBD"},
        {"\xFFz", "GBK", "\xEF\xBF\xBDz"},
        {"x\xB1\xB5", "NO-SUCH-CODE-PAGE", "x\xEF\xBF\xBD\xEF\xBF\xBD"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CodePageToUtf8(c.bytes, c.codePage), c.utf8) << c.codePage << " " << c.bytes;
    }
}

}  // namespace
}  // namespace vexlor
