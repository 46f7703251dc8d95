#include <gtest/gtest.h>

#include "core/packages/PrivateTempDir.h"
#include "support/PackageFiles.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

TEST(PrivateTempDir, GoesWithAllItHoldsButNeverFollowsALink) {
    ScratchDir scratch;
    scratch.write("outside/keep.txt", "kept");
    std::filesystem::path made;
    {
        PrivateTempDir temp(scratch.path(), "t-");
        ASSERT_TRUE(temp.made());
        made = temp.path();
        EXPECT_EQ(std::filesystem::status(made).permissions() & std::filesystem::perms::all,
                  std::filesystem::perms::owner_all);
        scratch.write(std::filesystem::relative(made / "a/b/c.txt", scratch.path()), "x");
        std::filesystem::create_directory_symlink(scratch / "outside", made / "a" / "link");
    }
    EXPECT_FALSE(std::filesystem::exists(made));
    // What the link pointed at is all that is left.
    const std::map<std::string, std::string> left = treeOf(scratch.path());
    EXPECT_EQ(left.size(), 2u);
    EXPECT_EQ(readText(scratch / "outside/keep.txt"), "kept");
}

}  // namespace
}  // namespace vexlor::test
