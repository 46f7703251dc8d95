#include "core/packages/InstallTransaction.h"

#include <gtest/gtest.h>

#include "support/PackageFiles.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

// The tree holds keep.txt ("old"); a commit stages a replacement of it, then `second`.
TEST(InstallTransaction, AFailedStepPutsTheWholeTreeBack) {
    // The blocker is a file (or, ending in '/', a folder) in the way of `second`; an empty
    // problem means the commit succeeds.
    const auto check = [&](const char* label, const char* blocker, const char* second,
                           const char* problem) {
        SCOPED_TRACE(label);
        ScratchDir root;
        root.write("keep.txt", "old");
        if (blocker != nullptr && std::string(blocker).ends_with('/')) {
            std::filesystem::create_directories(root / blocker);
        } else if (blocker != nullptr) {
            root.write(blocker, "in the way");
        }
        const auto before = treeOf(root.path());
        bool committed = false;
        {
            InstallTransaction install(root.path());
            ASSERT_TRUE(install.stage("keep.txt", bytesOf("new")));
            ASSERT_TRUE(install.stage(second, bytesOf("second")));
            committed = install.commit();
            EXPECT_NE(install.problem().find(problem), std::string::npos) << install.problem();
        }  // the staging folder goes with the transaction
        EXPECT_EQ(committed, *problem == '\0');
        if (committed) {
            EXPECT_EQ(readText(root / "keep.txt"), "new");
            EXPECT_EQ(readText(root / second), "second");
        } else {
            EXPECT_EQ(treeOf(root.path()), before);
        }
    };
    check("new file in new folders", nullptr, "a/b/new.txt", "");
    check("a file where a folder must go", "a", "a/new.txt", "The folder ");
    check("a folder where the file must go", "a/new.txt/", "a/new.txt", "is a folder, not a file.");
}

TEST(InstallTransaction, ARootThatIsNoFolderStagesNothing) {
    ScratchDir dir;
    InstallTransaction install(dir / "missing");
    EXPECT_FALSE(install.stage("a.txt", bytesOf("x")));
    EXPECT_NE(install.problem().find("cannot hold a staging folder"), std::string::npos);
}

}  // namespace
}  // namespace vexlor::test
