#include "core/packages/InstallTransaction.h"

#include <gtest/gtest.h>

#include "support/PackageFiles.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

// The tree holds keep.txt ("old"); a commit stages a replacement of it, then `second`.
TEST(InstallTransaction, AFailedStepPutsTheWholeTreeBack) {
    struct Case {
        const char* label;
        const char* blocker;  // a file (or, ending in '/', a folder) in the way of `second`
        const char* second;
        const char* problem;  // empty: the commit succeeds
    };
    const Case cases[] = {
        {"new file in new folders", nullptr, "a/b/new.txt", ""},
        {"a file where a folder must go", "a", "a/new.txt", "The folder "},
        {"a folder where the file must go", "a/new.txt/", "a/new.txt", "is a folder, not a file."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ScratchDir root;
        root.write("keep.txt", "old");
        if (c.blocker != nullptr && std::string(c.blocker).ends_with('/')) {
            std::filesystem::create_directories(root / c.blocker);
        } else if (c.blocker != nullptr) {
            root.write(c.blocker, "in the way");
        }
        const auto before = treeOf(root.path());
        bool committed = false;
        {
            InstallTransaction install(root.path());
            ASSERT_TRUE(install.stage("keep.txt", bytesOf("new")));
            ASSERT_TRUE(install.stage(c.second, bytesOf("second")));
            committed = install.commit();
            EXPECT_NE(install.problem().find(c.problem), std::string::npos) << install.problem();
        }  // the staging folder goes with the transaction
        EXPECT_EQ(committed, *c.problem == '\0');
        if (committed) {
            EXPECT_EQ(readText(root / "keep.txt"), "new");
            EXPECT_EQ(readText(root / c.second), "second");
        } else {
            EXPECT_EQ(treeOf(root.path()), before);
        }
    }
}

TEST(InstallTransaction, ARootThatIsNoFolderStagesNothing) {
    ScratchDir dir;
    InstallTransaction install(dir / "missing");
    EXPECT_FALSE(install.stage("a.txt", bytesOf("x")));
    EXPECT_NE(install.problem().find("cannot hold a staging folder"), std::string::npos);
}

}  // namespace
}  // namespace vexlor::test
