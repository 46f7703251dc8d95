#include <gtest/gtest.h>

#include <numeric>

#include "JobRig.h"
#include "SampleProgram.h"
#include "core/convert/FileFilters.h"
#include "core/convert/InsideNumberDispatch.h"
#include "core/convert/ProgramConversion.h"
#include "core/ops/CompareImage.h"
#include "core/ops/ConversionSetup.h"
#include "core/ops/FileCompare.h"
#include "core/ops/OptionWord.h"
#include "support/HexText.h"

namespace vexlor::test {
namespace {

OptionHeader compareHeader(std::uint16_t length, std::uint8_t wordFlags, std::uint8_t order) {
    OptionHeader h{};
    h[24] = static_cast<std::uint8_t>(length >> 8);
    h[25] = static_cast<std::uint8_t>(length & 0xFF);
    h[30] = wordFlags;
    h[31] = order;
    return h;
}

TEST(AreaMatchesImage, ByteAndWordModes) {
    // Compare length, word flags (offset 30), word order (offset 31).
    const auto h = compareHeader;
    const struct {
        Bytes image;
        Bytes area;
        OptionHeader header;
        bool equal;
    } cases[] = {
        {{1, 2}, {1, 2, 9}, h(3, 0x10, 0), true},  // byte length past the file
        {{1, 2, 3}, {1, 2, 4}, h(3, 0x10, 0), false},
        {{1, 2, 3}, {1, 2, 4}, h(2, 0, 0), true},              // difference past the length
        {{0x12, 0x34}, {0x34, 0x12}, h(1, 0x31, 0xF0), true},  // words swapped
        {{0x12, 0x34}, {0x12, 0x34}, h(1, 1, 0), false},
        {{0x12, 0x34}, {0x12, 0x34}, h(1, 1, 0x12), true},  // words in stored order
        {{0x12, 0x34}, {0x34, 0x12}, h(1, 1, 0x12), false},
        {{0x12, 0x34, 0x56}, {0x34, 0x12}, h(0x8000, 1, 0), true},  // word length past both
        {{1, 2, 3, 4}, {2, 1, 3, 4}, h(2, 1, 0), false},
        {{}, {1, 2}, h(2, 0, 0), false},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(AreaMatchesImage(cases[i].image, cases[i].area, cases[i].header), cases[i].equal)
            << "case " << i;
    }
}

TEST(FileCompare, DownloadFileTexts) {
    OptionHeader h{};
    std::copy_n("QRV7049X12345", 13, h.begin());
    // 2026 little-endian, then month, day, hour, minute and second at their offsets.
    for (auto [offset, value] :
         {std::pair{192, 0xEA}, {193, 0x07}, {194, 12}, {198, 6}, {200, 9}, {202, 5}, {204, 59}}) {
        h[offset] = static_cast<std::uint8_t>(value);
    }
    EXPECT_EQ(DownloadFileInfoTexts(h).chipName, "Chip Name : QRV7049X12");
    EXPECT_EQ(DownloadFileInfoTexts(h).downloadTime, "Download File Time :2026/12/6_9:5:59");
}

TEST(CompareImage, ReadingByChipAndFilter) {
    JobRig rig;
    Bytes otp(0x2020);
    std::iota(otp.begin(), otp.end(), std::uint8_t{0});
    otp[0x201F] = 0x0F;
    const auto file = rig.base.writeBytes("prog.otp", otp);
    const struct {
        const char* chip;
        std::string_view filter;
        std::uint8_t heldConfigLow;  // bit 0: the protect choice the writer holds
        Bytes start;
        std::size_t size;
    } cases[] = {
        {"QR64G98", kOtpFilter, 0xFE, {0x0E, 0x00, 0x20, 0x21}, 0x2000},
        {"QR64G98", kOtpFilter, 0x01, {0x0F, 0x00, 0x20, 0x21}, 0x2000},
        {"QRV7049", kOtpFilter, 0x00, {0x20, 0x21, 0x22, 0x23}, 0x2000},
        {"QRV7049", kObjFilter, 0x00, {0x00, 0x01, 0x02, 0x03}, 0x2020},
    };
    JobServices services = rig.services();
    for (const auto& c : cases) {
        rig.selectChip(c.chip);
        rig.context.chipXml.chipDisplayInfo().IC_FileType = c.filter;
        rig.header()[0x25] = c.heldConfigLow;
        const auto image = MakeCompareImage(services, file);
        ASSERT_TRUE(image) << c.chip;
        const Bytes bytes = readBytes(*image);
        ASSERT_EQ(bytes.size(), c.size) << c.chip;
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 4), c.start) << c.chip << " " << c.filter;
    }
    EXPECT_EQ(readBytes(file), otp);
    // A program file where its own image would go is kept; the image goes beside it.
    const auto inWork = rig.base.writeBytes("work/prog.bin", otp);
    EXPECT_EQ(MakeCompareImage(services, inWork), rig.base / "work" / "prog.bin.bin");
    EXPECT_EQ(readBytes(inWork), otp);
}

TEST(CompareImage, UnusableProgramFilesAreRefusedWithTheirReason) {
    JobRig rig;
    const auto shortOtp = rig.base.writeBytes("short.otp", Bytes(0x1F, 0));
    std::filesystem::create_directories(rig.base / "work" / "blocked.bin");
    const struct {
        const char* chip;
        std::string_view filter;
        std::filesystem::path file;
        const char* message;
    } cases[] = {
        {"QRV7049", kHexFilter, rig.base.write("bad.hex", "no HEX\n"), "open file error\n"},
        {"QRV7049", kOtpFilter, rig.base / "absent.otp", "open file error\n"},
        {"QRV7049", kOtpFilter, shortOtp, "is too short for QRV7049"},
        {"QR64G98", kOtpFilter, shortOtp, "is too short for QR64G98"},
        {"QRV7038", kHexOrBinFilter, rig.base.writeBytes("big.bin", Bytes(257, 0)),
         "bin file Length over 256 Byte"},
        {"QRV7049", kOtpFilter, rig.base.writeBytes("blocked.otp", Bytes(0x2020, 0)),
         "blocked.bin open file error\n"},
    };
    JobServices services = rig.services();
    for (const auto& c : cases) {
        rig.selectChip(c.chip);
        rig.job().chipNameText = c.chip;
        rig.context.chipXml.chipDisplayInfo().IC_FileType = c.filter;
        rig.op.shown.clear();
        EXPECT_FALSE(MakeCompareImage(services, c.file)) << c.file;
        ASSERT_EQ(rig.op.shown.size(), 1u) << c.file;
        EXPECT_NE(rig.op.last().text.find(c.message), std::string::npos) << rig.op.last().text;
    }
}

struct RecordingCompareView : CompareFileView {
    void setButtonsEnabled(bool enabled) override { buttons.push_back(enabled); }
    void showResult(const std::string& text) override { results.push_back(text); }
    std::vector<bool> buttons;
    std::vector<std::string> results;
};

// The result is cleared while the buttons are off; only a finished comparison shows a verdict.
TEST(CompareFile, TheButtonShowsAVerdictOnlyForAComparisonMade) {
    JobRig rig;
    rig.selectChip("QRV7049");
    rig.context.chipXml.chipDisplayInfo().IC_FileType = kOtpFilter;
    rig.header()[24] = 0x20;  // compare 0x2000 bytes
    // An OTP file holds a 0x20-byte header before the area's bytes.
    Bytes same(0x2020, 0);
    std::copy_n(rig.device.dataArea().begin(), 0x2000, same.begin() + 0x20);
    Bytes other = same;
    other[0x20 + 0x1FFF] ^= 0x01;
    const std::string blank = "Compare Result : ";
    const struct {
        std::optional<std::filesystem::path> chosen;
        CompareOutcome outcome;
        std::vector<std::string> results;
    } cases[] = {
        {std::nullopt, CompareOutcome::Cancelled, {blank}},
        {rig.base / "absent.otp", CompareOutcome::Unreadable, {blank}},
        {rig.base.writeBytes("other.otp", other),
         CompareOutcome::Different,
         {blank, "Compare Result : Fail"}},
        {rig.base.writeBytes("same.otp", same),
         CompareOutcome::Equal,
         {blank, "Compare Result : OK"}},
    };
    JobServices services = rig.services();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.results.back() + c.chosen.value_or("cancelled").string());
        if (c.chosen) {
            rig.op.files.push_back(c.chosen->string());
        }
        RecordingCompareView view;
        EXPECT_EQ(OnCompareFileButton(services, view), c.outcome);
        EXPECT_EQ(view.results, c.results);
        EXPECT_EQ(view.buttons, (std::vector<bool>{false, true}));
        EXPECT_EQ(rig.op.filters.back(), kOtpFilter);
    }
}

// The chip's sample program as its file dialog offers it: a raw image becomes a HEX file for a
// chip that takes HEX files, when it fits one. Empty for a HEX-only chip whose converter reads
// past a HEX image's end: such a chip converts the raw image, with nothing to compare.
std::filesystem::path comparableSample(JobRig& rig, const std::filesystem::path& program) {
    const std::string& filter = rig.context.chipXml.chipDisplayInfo().IC_FileType;
    const Bytes bytes = readBytes(program);
    const bool fits = bytes.size() <= 0x10000;
    if (program.extension() != ".bin" ||
        eepromFamilyOf(rig.context.chipXml.icInfo().Inside_Number) ||
        (filter != kHexFilter && !(filter == kHexOrBinFilter && fits))) {
        return program;
    }
    return fits ? rig.base.write("sample.hex", hexText(bytes)) : std::filesystem::path();
}

// Every delivered chip converts its sample program for the first chip list's writer (a chip
// the dispatcher serves by its internal number is the chip the data set gives that number);
// downloaded, the file compares equal with the writer's data area, and the same image with one
// byte changed compares different.
TEST(CompareFile, LoadedFileComparesEqualOnEveryDeliveredChip) {
    JobRig rig;
    JobServices services = rig.services();
    int chips = 0, routed = 0, compared = 0;
    for (const auto& entry : std::filesystem::directory_iterator(rig.base / "ICInfo")) {
        const std::string name = entry.path().stem().string();
        rig.selectChip(name);
        if (const auto served = chipOfInsideNumber(rig.context.chipXml.icInfo().Inside_Number)) {
            EXPECT_EQ(*served, name);
            ++routed;
        }
        const auto raw = sampleProgramFor(rig.context.chipXml.icInfo(), rig.base.path());
        const auto program = comparableSample(rig, raw);
        ConversionResult result;
        ConversionOutput out{rig.op, rig.diagnostics, result};
        std::filesystem::remove(rig.base / "buffer_option.prog");
        ASSERT_EQ(convertProgram(MakeConversionJob(rig.context, program.empty() ? raw : program,
                                                   kInitialOptionWord),
                                 out, ConverterDirectories(rig.base.path())),
                  0)
            << name << testing::PrintToString(rig.op.texts());
        EXPECT_EQ(rig.file("buffer_option.prog").at(0xCF), 0x5A) << name;
        ++chips;
        if (program.empty()) {
            continue;
        }
        ASSERT_TRUE(rig.writer.DownloadBuffers()) << name;
        rig.writer.ReadOptionHeader(rig.header());
        EXPECT_EQ(CompareProgramFile(services, program), CompareOutcome::Equal) << name;
        const auto image = MakeCompareImage(services, program);
        ASSERT_TRUE(image) << name;
        Bytes changed = readBytes(*image);
        changed.at(0) ^= 0x10;
        rig.base.writeBytes(image->string(), changed);
        EXPECT_FALSE(CompareAreaWithFile(services, *image, kDataArea)) << name;
        ++compared;
    }
    EXPECT_GE(chips, 100);
    EXPECT_GE(compared, 100);
    EXPECT_GE(routed, 20);
}

}  // namespace
}  // namespace vexlor::test
