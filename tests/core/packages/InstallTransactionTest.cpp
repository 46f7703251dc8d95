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

std::filesystem::path stagingFolderIn(const std::filesystem::path& root) {
    for (const auto& entry : std::filesystem::directory_iterator(root)) {
        if (entry.path().filename().string().starts_with(".vexlor-install-")) {
            return entry.path();
        }
    }
    ADD_FAILURE() << "no staging folder in " << root;
    return root / "none";
}

// Something outside the program takes away part of the staging folder between staging and
// commit: the rename that needs it fails, and what was already swapped goes back.
TEST(InstallTransaction, AStagedCopyLostBeforeTheCommitLeavesTheTreeAsItWas) {
    const struct {
        const char* second;
        const char* lost;  // below the staging folder; empty: the folder itself
        const char* problem;
    } cases[] = {
        {"second.txt", "new1", "second.txt cannot be written: No such file or directory"},
        {"fresh.txt", "new1", "fresh.txt cannot be written: No such file or directory"},
        {"second.txt", "", "keep.txt cannot be replaced: No such file or directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problem);
        ScratchDir root;
        root.write("keep.txt", "old");
        root.write("second.txt", "old second");
        const auto before = treeOf(root.path());
        {
            InstallTransaction install(root.path());
            ASSERT_TRUE(install.stage("keep.txt", bytesOf("new")));
            ASSERT_TRUE(install.stage(c.second, bytesOf("second")));
            std::filesystem::remove_all(stagingFolderIn(root.path()) / c.lost);
            EXPECT_FALSE(install.commit());
            EXPECT_NE(install.problem().find(c.problem), std::string::npos) << install.problem();
        }
        EXPECT_EQ(treeOf(root.path()), before);
    }
    ScratchDir root;
    InstallTransaction install(root.path());
    std::filesystem::remove_all(stagingFolderIn(root.path()));
    EXPECT_FALSE(install.stage("a.txt", bytesOf("x")));
    EXPECT_TRUE(install.problem().ends_with("new0 cannot be written.")) << install.problem();
}

TEST(InstallTransaction, ARootThatIsNoFolderStagesNothing) {
    ScratchDir dir;
    InstallTransaction install(dir / "missing");
    EXPECT_FALSE(install.stage("a.txt", bytesOf("x")));
    EXPECT_NE(install.problem().find("cannot hold a staging folder"), std::string::npos);
}

}  // namespace
}  // namespace vexlor::test
