#pragma once

#include <string>
#include <string_view>

namespace vexlor {

// Text stored in one of the writer's code pages ("BIG5", "GBK", ...) as UTF-8 for display.
// A byte sequence the code page does not define becomes U+FFFD and decoding goes on; an
// unknown code page gives every non-ASCII byte as U+FFFD.
std::string CodePageToUtf8(std::string_view bytes, const char* codePage);

}  // namespace vexlor
