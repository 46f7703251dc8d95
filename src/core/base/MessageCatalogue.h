#pragma once

#include <string>
#include <string_view>

namespace vexlor {

// Operator texts that depend on the system language, looked up by key ("LoadingdataFailMsg").
class MessageCatalogue {
  public:
    virtual ~MessageCatalogue() = default;
    // Never empty: an unknown key yields a visible fallback naming the key.
    virtual std::string text(std::string_view key) const = 0;
};

}  // namespace vexlor
