#include "core/base/ProgressJson.h"

#include <gtest/gtest.h>

namespace vexlor {
namespace {

TEST(ProgressJson, StringsAreEscapedAndKeptValidUtf8) {
    const auto check = [&](const std::string_view& text, const std::string& json) {
        EXPECT_EQ(JsonString(text), json) << json;
    };
    check(R"(say "hi" \ bye)", R"("say \"hi\" \\ bye")");
    check("a\nb\r\tc", R"("a\nb\r\tc")");
    check(std::string_view("\x01\x1f\x7f", 3), R"("\u0001\u001f\u007f")");
    check(std::string_view("nul\0end", 7), R"("nul\u0000end")");
    check("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80",
          "\"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\"");
    // Stray, truncated, overlong and surrogate sequences each lose every byte to U+FFFD.
    check("x\xFFy", "\"x\xEF\xBF\xBDy\"");
    check("end\xC3", "\"end\xEF\xBF\xBD\"");
    check("\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\"");
    check("\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\"");
}

TEST(ProgressJson, EachKindCarriesItsOwnKeys) {
    const auto check = [&](const ProgressEvent& event, const std::string& line) {
        EXPECT_EQ(ProgressEventJson(event, 7), line);
    };
    check({.kind = ProgressKind::Stage, .stage = "Program"},
          R"({"event":"stage","t":7,"stage":"Program"})");
    check({.kind = ProgressKind::Range, .low = 0, .high = 50},
          R"({"event":"range","t":7,"low":0,"high":50})");
    check({.kind = ProgressKind::AlmostDone}, R"({"event":"almost-done","t":7})");
    check({.kind = ProgressKind::Bytes, .done = 1024, .total = 4096},
          R"({"event":"bytes","t":7,"done":1024,"total":4096})");
    check({.kind = ProgressKind::Result,
           .stage = "Verify",
           .ok = false,
           .message = "Verify \"FAIL\""},
          R"({"event":"result","t":7,"stage":"Verify","ok":false,"message":"Verify \"FAIL\""})");
    check({.kind = ProgressKind::Message, .message = "two\nlines"},
          R"({"event":"message","t":7,"message":"two\nlines"})");
}

}  // namespace
}  // namespace vexlor
