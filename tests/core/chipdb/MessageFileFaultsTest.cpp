// A message file without any element is told apart from one that cannot be read.
#include <gtest/gtest.h>

#include "core/chipdb/MultiLanguageCatalogue.h"
#include "support/ScratchDir.h"

namespace vexlor {
namespace {

TEST(MessageFileFaults, AFileWithoutMessagesSaysSo) {
    test::ScratchDir scratch;
    const std::pair<const char*, const char*> cases[] = {
        {"", "holds no messages"},
        {"<?xml version=\"1.0\"?>\n<!-- nothing -->\n", "holds no messages"},
        {"<VexlorMsg><Msg key=\"A\">", "Can't read the message file"},
    };
    for (const auto& [text, reason] : cases) {
        MultiLanguageCatalogue catalogue;
        EXPECT_FALSE(catalogue.LoadMultiLanguageMsgFile(scratch.write("m.xml", text)));
        EXPECT_NE(catalogue.loadError().find(reason), std::string::npos) << catalogue.loadError();
    }
}

}  // namespace
}  // namespace vexlor
