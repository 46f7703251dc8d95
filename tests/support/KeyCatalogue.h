#pragma once

#include <string>

#include "core/base/MessageCatalogue.h"

namespace vexlor::test {

// Answers every key with the key itself in angle brackets, so a test sees which text was meant.
class KeyCatalogue final : public MessageCatalogue {
  public:
    std::string text(std::string_view key) const override { return "<" + std::string(key) + ">"; }
};

}  // namespace vexlor::test
