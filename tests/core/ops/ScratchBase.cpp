#include "ScratchBase.h"

namespace vexlor::test {

void layOutBase(const std::filesystem::path& dir, const std::filesystem::path& builtBase) {
    for (const char* part : {"ChipList", "ICInfo", "firmware", "hwversion1.0", "hwversion1.1",
                             "res", "VexlorMsg.xml"}) {
        std::filesystem::create_symlink(builtBase / part, dir / part);
    }
    std::filesystem::copy_file(builtBase / "serial.txt", dir / "serial.txt");
    std::filesystem::copy_file(builtBase / "test_option.prog", dir / "test_option.prog");
}

}  // namespace vexlor::test
