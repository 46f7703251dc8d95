#include <gtest/gtest.h>

#include "core/convert/BufferFiles.h"
#include "support/ScratchDir.h"

namespace vexlor {
namespace {

using test::readBytes;
using test::ScratchDir;

TEST(WriteBufferFiles, BothOrNeither) {
    const Bytes oldData{1, 2, 3};
    const Bytes oldOption{4, 5, 6};
    OptionBuffer option;
    option.put8(0, 0x77);
    const Bytes data{9, 8};
    struct Case {
        const char* blocked;  // a directory where this pending file would go
        int code;
    };
    for (const Case& c : {Case{"buffer_data.prog.new", kConvertDataFile},
                          Case{"buffer_option.prog.new", kConvertOptionFile}, Case{nullptr, 0}}) {
        ScratchDir base;
        base.writeBytes(kBufferDataName, oldData);
        base.writeBytes(kBufferOptionName, oldOption);
        if (c.blocked != nullptr) {
            std::filesystem::create_directory(base / c.blocked);
        }
        EXPECT_EQ(writeBufferFiles(base.path(), option, data), c.code);
        const bool written = c.code == kConvertOk;
        EXPECT_EQ(readBytes(base / kBufferDataName), written ? data : oldData);
        EXPECT_EQ(readBytes(base / kBufferOptionName), written ? option.bytes() : oldOption);
    }
}

}  // namespace
}  // namespace vexlor
