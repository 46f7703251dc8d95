#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/convert/ByteFiles.h"
#include "support/ScratchDir.h"

namespace vexlor {
namespace {

using test::readBytes;
using test::ScratchDir;

TEST(WriteFileBytes, LeavesExactlyTheNewBytes) {
    struct Case {
        const char* name;
        Bytes old;
        Bytes written;
    };
    const Case cases[] = {
        {"shorter over longer: the old tail goes", Bytes{9, 9, 9, 9, 9}, {1, 2}},
        {"empty over content", Bytes{9, 9}, {}},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        dir.writeBytes("image.bin", c.old);
        EXPECT_TRUE(writeFileBytes(dir / "image.bin", c.written)) << c.name;
        EXPECT_EQ(readBytes(dir / "image.bin"), c.written) << c.name;
    }
}

TEST(ReadFileBytes, ReadsRegularFilesOnly) {
    ScratchDir dir;
    dir.writeBytes("file", {1, 0, 2});
    std::filesystem::create_directory(dir / "folder");
    // A pipe with no writer must be refused at once, not waited on.
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    EXPECT_EQ(readFileBytes(dir / "file"), (Bytes{1, 0, 2}));
    for (const char* name : {"missing", "folder", "pipe"}) {
        EXPECT_FALSE(readFileBytes(dir / name)) << name;
    }
}

}  // namespace
}  // namespace vexlor
