#include <gtest/gtest.h>

#include "core/convert/FileCopy.h"
#include "support/ScratchDir.h"

namespace vexlor {
namespace {

using test::readText;
using test::ScratchDir;

TEST(CopyFileContents, KeepsOrReplacesTheDestination) {
    struct Case {
        const char* name;
        bool sourceExists;
        bool destinationExists;
        int keepExisting;
        int expectedResult;
        std::string expectedDestination;  // empty: must not exist
    };
    const Case cases[] = {
        {"fresh copy", true, false, 0, 1, std::string("new\0data", 8)},
        {"replace existing", true, true, 0, 1, std::string("new\0data", 8)},
        {"keep existing", true, true, 1, 0, "old"},
        {"keep flag without destination copies", true, false, 1, 1, std::string("new\0data", 8)},
        {"missing source", false, false, 0, 0, ""},
        {"missing source keeps destination", false, true, 0, 0, "old"},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        if (c.sourceExists) {
            dir.write("src.bin", std::string("new\0data", 8));
        }
        if (c.destinationExists) {
            dir.write("dst.bin", "old");
        }
        EXPECT_EQ(CopyFileContents(dir / "src.bin", dir / "dst.bin", c.keepExisting),
                  c.expectedResult)
            << c.name;
        if (c.expectedDestination.empty()) {
            EXPECT_FALSE(std::filesystem::exists(dir / "dst.bin")) << c.name;
        } else {
            EXPECT_EQ(readText(dir / "dst.bin"), c.expectedDestination) << c.name;
        }
    }
}

}  // namespace
}  // namespace vexlor
