// The external decoder as a child process: how it ended, and which copy of it is used.
#include "core/smartopt/DecoderProcess.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/base/Clock.h"
#include "support/ScratchDir.h"

namespace vexlor::test {
namespace {

namespace fs = std::filesystem;

fs::path program(const ScratchDir& dir, const std::string& name, const std::string& text,
                 mode_t mode = 0700) {
    const fs::path file = dir.write(name, text);
    ::chmod(file.c_str(), mode);
    return file;
}

TEST(DecoderProcess, EachEndingIsToldApart) {
    ScratchDir dir;
    fs::create_directories(dir / "work");
    const struct {
        fs::path decoder;
        fs::path workingDirectory;
        DecoderRun run;
    } cases[] = {
        {program(dir, "ok", "#!/bin/sh\necho \"$1 $2\" > args\n"), dir / "work",
         DecoderRun::Finished},
        {program(dir, "fails", "#!/bin/sh\nexit 3\n"), dir / "work", DecoderRun::Failed},
        {dir / "absent", dir / "work", DecoderRun::NotStarted},
        {program(dir, "plain", "#!/bin/sh\nexit 0\n", 0600), dir / "work", DecoderRun::NotStarted},
        {dir / "ok", dir / "no-such-folder", DecoderRun::NotStarted},
    };
    // The limit only bounds a broken run; each of these ends on its own.
    SteadyClock clock;
    for (const auto& c : cases) {
        EXPECT_EQ(RunOptionDecoder(c.decoder, "in.IC", c.workingDirectory, clock, 20000), c.run)
            << c.decoder << " in " << c.workingDirectory;
    }
    EXPECT_EQ(readText(dir / "work" / "args"), "--f in.IC\n");
}

TEST(DecoderProcess, TheFirstExecutableCopyIsUsed) {
    ScratchDir dir;
    program(dir, "a/xmldec", "", 0600);
    program(dir, "b/xmldec", "");
    program(dir, "c/xmldec", "");
    fs::create_directories(dir / "d/xmldec");
    EXPECT_EQ(FindOptionDecoder({dir / "none", dir / "a", dir / "b", dir / "c"}), dir / "b/xmldec");
    EXPECT_EQ(FindOptionDecoder({dir / "a", dir / "d"}), std::nullopt);
}

}  // namespace
}  // namespace vexlor::test
