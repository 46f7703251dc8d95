#include "core/base/ProgressJson.h"

#include <gtest/gtest.h>

namespace vexlor {
namespace {

TEST(ProgressJson, StringsAreEscapedAndKeptValidUtf8) {
    const struct {
        std::string_view text;
        std::string json;
    } cases[] = {
        {R"(say "hi" \ bye)", R"("say \"hi\" \\ bye")"},
        {"a\nb\r\tc", R"("a\nb\r\tc")"},
        {std::string_view("\x01\x1f\x7f", 3), R"("\u0001\u001f\u007f")"},
        {std::string_view("nul\0end", 7), R"("nul\u0000end")"},
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80",
         "\"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\""},
        // Stray, truncated, overlong and surrogate sequences each lose every byte to U+FFFD.
        {"x\xFFy", "\"x\xEF\xBF\xBDy\""},
        {"end\xC3", "\"end\xEF\xBF\xBD\""},
        {"\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
        {"\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(JsonString(c.text), c.json) << c.json;
    }
}

TEST(ProgressJson, EachKindCarriesItsOwnKeys) {
    const struct {
        ProgressEvent event;
        std::string line;
    } cases[] = {
        {{.kind = ProgressKind::Stage, .stage = "Program"},
         R"({"event":"stage","t":7,"stage":"Program"})"},
        {{.kind = ProgressKind::Range, .low = 0, .high = 50},
         R"({"event":"range","t":7,"low":0,"high":50})"},
        {{.kind = ProgressKind::AlmostDone}, R"({"event":"almost-done","t":7})"},
        {{.kind = ProgressKind::Bytes, .done = 1024, .total = 4096},
         R"({"event":"bytes","t":7,"done":1024,"total":4096})"},
        {{.kind = ProgressKind::Result,
          .stage = "Verify",
          .ok = false,
          .message = "Verify \"FAIL\""},
         R"({"event":"result","t":7,"stage":"Verify","ok":false,"message":"Verify \"FAIL\""})"},
        {{.kind = ProgressKind::Message, .message = "two\nlines"},
         R"({"event":"message","t":7,"message":"two\nlines"})"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProgressEventJson(c.event, 7), c.line);
    }
}

}  // namespace
}  // namespace vexlor
