#include <fstream>
#include <optional>
#include <vector>

#include "core/base/Diagnostics.h"
#include "core/writer/FirmwareImageCheck.h"
#include "core/writer/Writer.h"

namespace vexlor {

namespace {

// Up to limit + 1 bytes of the file, so callers can tell an over-long file; nullopt when the
// file cannot be opened.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path,
                                                       std::size_t limit) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(limit + 1);
    file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (file.bad()) {
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return bytes;
}

// Sets a flag of the link for the duration of one transfer.
class FlagScope {
  public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

  private:
    bool& flag_;
};

}  // namespace

bool Writer::WriteFirmwareImage(const std::filesystem::path& path, bool prepare) {
    WriterLink& state = link();
    const auto image = ReadFileBytes(path, kFirmwareImageSize);
    if (!image || !FirmwareImageProblem(*image).empty()) {
        connection_.diagnostics().printf("Not a firmware image of %u bytes: %s\n",
                                         kFirmwareImageSize, path.string().c_str());
        return false;
    }
    constexpr const char* kStage = "Firmware image";
    connection_.progress().beginStage(kStage);
    const bool addressed = MayAddressMemory();
    if (!traits().reportsPieces) {
        connection_.progress().setRange(0, 0);
        connection_.progress().setRange(0, 100);
        connection_.progress().setPosition(15);
    }
    FlagScope busy(state.busy);
    state.showTransferProgress = false;
    if (prepare) {
        const std::uint8_t code = job::kFirmwareImage;
        SendCommand(cmd::kStartJob, &code, 1);
    }
    BusyWait(300);
    ChangeWriterMode(kModeAddressed);
    if (addressed) {
        SetAddress(0);
    }
    ReportStepProgress(30);
    {
        FlagScope progress(state.showTransferProgress);
        SendCommand(cmd::kWriteMemory, image->data(), kFirmwareImageSize);
    }
    std::vector<std::uint8_t> readBack(kFirmwareImageSize, 0);
    ReportStepProgress(60);
    if (addressed) {
        SetAddress(0);
    }
    {
        FlagScope progress(state.showTransferProgress);
        ReceiveData(cmd::kReadMemory, readBack.data(), kFirmwareImageSize);
    }
    const bool equal = std::equal(readBack.begin(), readBack.end(), image->begin());
    state.firmwareWriteFailed = !equal;
    ChangeWriterMode(kModeDone);
    SetOperationLamp(kLampIdle);
    if (equal) {
        BusyWait(1000);
        ReportStepProgress(100);
    }
    connection_.progress().result(kStage, equal);
    return equal;
}

bool Writer::WriteAreaFromFile(const std::filesystem::path& path, std::uint8_t area) {
    WriterLink& state = link();
    ChangeWriterMode(kModeTransfer);
    state.showTransferProgress = false;
    const auto data = ReadFileBytes(path, kAreaBufferSize);
    if (!data) {
        host_.op.message(format("Open Fail ! (%s)", path.string().c_str()));
        return false;
    }
    if (data->size() > kAreaBufferSize) {
        host_.op.message(format("File Too Large ! (%s)", path.string().c_str()));
        return false;
    }
    const auto length = static_cast<std::uint32_t>(data->size());
    const std::array<std::uint8_t, 2> open{area, kAreaOpenTag};
    SendCommand(cmd::kOpenArea, open.data(), open.size());
    {
        FlagScope progress(state.showTransferProgress);
        SendCommand(cmd::kWriteArea, data->data(), length);
    }
    std::vector<std::uint8_t> readBack(length, 0);
    {
        FlagScope progress(state.showTransferProgress);
        ReceiveData(cmd::kReadArea, readBack.data(), length);
    }
    const std::array<std::uint8_t, 2> close{kAreaCloseFirst, kAreaCloseSecond};
    SendCommand(cmd::kOpenArea, close.data(), close.size());
    return readBack == *data;
}

bool Writer::EnsureFamilyFirmware(const std::filesystem::path& ncePath) {
    WriterLink& state = link();
    const auto image = ReadFileBytes(ncePath, kFirmwareImageSize);
    if (!image) {
        host_.op.message(format("Can't Find NceFile\n%s", ncePath.string().c_str()));
        return false;
    }
    // A random file sent as firmware would leave the writer unusable.
    if (const std::string problem = FirmwareImageProblem(*image); !problem.empty()) {
        host_.op.message(format("%s is not a writer firmware image: %s", ncePath.string().c_str(),
                                problem.c_str()));
        return false;
    }
    const auto word = [&](std::uint32_t offset) {
        return static_cast<std::uint16_t>(((*image)[offset] << 8) | (*image)[offset + 1]);
    };
    const std::uint16_t version = word(kImageVersionOffset);
    state.familyWord = word(kImageFamilyOffset);

    const std::filesystem::path optionPath = host_.baseDirectory / "buffer_option.prog";
    std::fstream option(optionPath, std::ios::in | std::ios::out | std::ios::binary);
    if (!option) {
        host_.op.message("buffer_option.prog open file error\n");
        return false;
    }
    const std::array<char, 4> stamp{0x20, 0x23, static_cast<char>(state.familyWord >> 8),
                                    static_cast<char>(state.familyWord & 0xFF)};
    option.seekp(240);
    option.write(stamp.data(), stamp.size());
    option.close();

    if (state.writerFirmwareVersion != version || !state.familyFirmwareLoaded) {
        // A failed image write leaves the writer's firmware unknown: say so, and write it again
        // next time instead of taking it as loaded.
        if (!WriteFirmwareImage(ncePath, true)) {
            state.familyFirmwareLoaded = false;
            state.writerFirmwareVersion = 0;
            return false;
        }
        state.writerFirmwareVersion = version;
        state.familyFirmwareLoaded = true;
        BusyWait(3000);
    }
    return true;
}

}  // namespace vexlor
