#include <gtest/gtest.h>

#include "ConvertTestSupport.h"
#include "ModelChipSample.h"
#include "core/convert/ConverterLibrary.h"

namespace vexlor::test {
namespace {

const std::filesystem::path kPluginDirectory = VEXLOR_TEST_PLUGIN_DIR;

TEST(ConverterLibrary, ExportByChipTypeAndMemoryKind) {
    struct Case {
        const char* chipType;
        std::int32_t romType;
        const char* library;  // nullptr: no export
        const char* symbol;
    };
    // Examples of each kind: the first and the last memory kind of a family, and kinds and
    // families without an export.
    const Case cases[] = {
        {"37", 1, "Qv93ConverFileDLL", "NewQv93SeriesConvertFile"},
        {"37", 6, "Qv93ConverFileDLL", "NewQv93SeriesConvertFile5"},
        {"37", 0, nullptr, nullptr},
        {"27", 1, "Qv83ConverFileDLL", "NewQv83MTP_FLASHSeriesConvertFile"},
        {"89", 4, "Qv68B8XMConverFileDLL", "NewQv64EJ38SeriesConvertFile"},
        {"USB", 5, "USBConverFileDLL", "Other_ConvertFile4"},
        {"USB", 2, nullptr, nullptr},
        {"64", 1, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.chipType << "/" << c.romType);
        const auto entry = findLibraryExport(c.chipType, c.romType);
        ASSERT_EQ(entry.has_value(), c.library != nullptr);
        if (entry) {
            EXPECT_EQ(entry->library, c.library);
            EXPECT_EQ(entry->symbol, c.symbol);
        }
    }
    for (const auto& [chipType, library] :
         {std::pair{"USB", true}, {"89", true}, {"64", false}, {"14", false}}) {
        EXPECT_EQ(isLibraryFamily(chipType), library) << chipType;
    }
}

ICInfo libraryChip(const char* chipType, std::int32_t romType) {
    ICInfo ic = modelChip();
    ic.ChipName = "QL2801";
    ic.ChipType = chipType;
    ic.ROMtype = romType;
    return ic;
}

TEST(ConverterLibrary, PluginResultsAreCopiedBackEvenOnFailure) {
    ConvertBench bench;
    const ICInfo ic = libraryChip("28", 0);
    ConversionJob job = bench.job(ic, bench.dir / "prog.otp");
    job.packageCode = "02";
    job.optionWord = 0x1234;
    job.flags.massProduction = true;
    job.flags.productionLimit = true;
    job.flags.packedCount = 0x9876;
    const Bytes data{1, 2, 3};
    const Bytes option{4, 5, 6};
    bench.dir.writeBytes("buffer_data.prog", data);
    bench.dir.writeBytes("buffer_option.prog", option);
    EXPECT_EQ(convertWithLibrary(job, bench.out, {bench.dir.path(), kPluginDirectory}), 7);
    // The plugin emptied one buffer file before failing; the last good pair is back.
    EXPECT_EQ(bench.data(), data);
    EXPECT_EQ(bench.option(), option);
    EXPECT_EQ(bench.result.descriptionText, "fake QL2801 02 " + (bench.dir / "prog.otp").string());
    EXPECT_EQ(bench.result.checksum, 0x1235);
    EXPECT_EQ(bench.result.secondaryChecksum, 0x9876u);
    EXPECT_TRUE(bench.result.unprotect);  // 1 + 2 * 1 = 3, non-zero
}

TEST(ConverterLibrary, ContextCarriesTheJob) {
    ConvertBench bench;
    const ICInfo ic = libraryChip("28", 1);
    ConversionJob job = bench.job(ic, bench.dir / "prog.hex");
    job.hexToBinMode = 2;
    job.writerModelKLW20 = true;
    job.flags = {true, false, true, false, true, true, 0};
    EXPECT_EQ(convertWithLibrary(job, bench.out, {kPluginDirectory}), 0);
    EXPECT_EQ(bench.result.descriptionText, bench.dir.path().string() + "|101011|1");
    EXPECT_EQ(bench.result.checksum, 2);
    EXPECT_EQ(bench.result.secondaryChecksum, 0xFFFFFFFFu);
    EXPECT_FALSE(bench.result.unprotect);
}

TEST(ConverterLibrary, BuiltInConverterWorksLikeTheModel) {
    struct Case {
        const char* fileName;
        bool hex;
    };
    for (const Case c : {Case{"prog.bin", false}, Case{"prog.hex", true}}) {
        SCOPED_TRACE(c.fileName);
        ConvertBench bench;
        const ICInfo ic = libraryChip("37", 3);
        const auto program = c.hex ? bench.dir.write(c.fileName, hexText({{0, modelProgram()}}))
                                   : bench.dir.writeBytes(c.fileName, modelProgram());
        ConversionJob job = bench.job(ic, program);
        job.packageCode = "1A";
        job.hexToBinMode = 1;
        ASSERT_EQ(convertWithLibrary(job, bench.out, {bench.dir.path()}), 0)
            << testing::PrintToString(bench.messages());
        Bytes option = modelOption("QL2801");
        option[0x47] = 0x31;  // ROMtype 3 * 16 | Check_Have_Protect 1
        EXPECT_EQ(bench.option(), option);
        EXPECT_EQ(bench.data(), modelData());
        EXPECT_EQ(bench.result.checksum, 0x8005);
        EXPECT_TRUE(bench.result.unprotect);
        EXPECT_EQ(bench.result.descriptionText,
                  (c.hex ? bench.dir / "work" / "prog.bin" : program).string());
    }
}

TEST(ConverterLibrary, BuiltInConverterSaysWhyAHexFileCannotBeUsed) {
    struct Case {
        std::string text;
        int code;
        std::string reason;
    };
    // The model chip's converter reads 0x3E bytes (its information words end there).
    const Case cases[] = {
        {"; not a record\n", 4, "it is not in Intel HEX format"},
        {":020000001234B8\n:00000001FF\n", 5,
         "The image made from it is 2 bytes; QL2801 needs 62 bytes (up to offset 0x3D)."},
    };
    for (const Case& c : cases) {
        ConvertBench bench;
        const ICInfo ic = libraryChip("89", 1);
        const auto program = bench.dir.write("prog.hex", c.text);
        EXPECT_EQ(convertWithLibrary(bench.job(ic, program), bench.out, {}), c.code) << c.reason;
        EXPECT_EQ(bench.messages(), Texts{program.string() + " open file error\n" + c.reason});
    }
}

TEST(ConverterLibrary, MemoryKindWithoutExportIsRefused) {
    ConvertBench bench;
    bench.dir.writeBytes("buffer_data.prog", {1, 2, 3});
    const ICInfo ic = libraryChip("USB", 3);
    EXPECT_EQ(convertWithLibrary(bench.job(ic, bench.dir / "prog.bin"), bench.out, {}), 1);
    EXPECT_EQ(bench.messages(), Texts{"No support !"});
    EXPECT_EQ(bench.data(), (Bytes{1, 2, 3}));
}

}  // namespace
}  // namespace vexlor::test
