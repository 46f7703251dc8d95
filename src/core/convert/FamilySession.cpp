#include "core/convert/FamilySession.h"

#include "core/base/PlainFileName.h"

#include "core/convert/HexProgram.h"
#include "core/convert/MessageCaption.h"
#include "core/convert/RawImage.h"
#include "core/convert/WorkFiles.h"

namespace vexlor {

FamilySession::FamilySession(const ConversionJob& job, ConversionOutput& out,
                             bool usesSerialNumbers, std::size_t templateBytes)
    : job_(job), out_(out), usesSerialNumbers_(usesSerialNumbers), templateLimit_(templateBytes) {
    out_.result.checksum = checksum.value();
}

std::filesystem::path FamilySession::templatePath() const {
    return job_.baseDirectory / job_.hwVersionName / (job_.ic.ChipName + ".txt");
}

int FamilySession::begin() {
    if (usesSerialNumbers_ && job_.flags.displaySerialNumber) {
        serialBlock_ = readSerialBlock(job_.baseDirectory);
        if (!serialBlock_) {
            return fail(kConvertSerialOrTemplate, "SNFile open file error\n");
        }
    }
    // The name comes from a data file; it may only name a file inside the template directory.
    const std::string& name = job_.ic.ChipName;
    const std::optional<Bytes> prototype =
        IsPlainFileName(name) ? readFileBytes(templatePath()) : std::nullopt;
    if (!prototype) {
        return fail(kConvertSerialOrTemplate,
                    openFileError(templatePath(), "The chip's option template cannot be read."));
    }
    template_ = *prototype;
    const std::size_t used = std::min(templateLimit_, template_.size());
    option = OptionBuffer(std::span(template_.data(), used));
    sourceFile_ = job_.programFile;
    return kConvertOk;
}

std::optional<Bytes> FamilySession::readProgram(std::size_t minimumLength,
                                                std::size_t maximumLength) {
    std::optional<Bytes> bytes = readFileBytes(sourceFile_);
    if (!bytes) {
        failOpen(kConvertProgramFile, unreadableReason(sourceFile_));
        return std::nullopt;
    }
    // An image the converter made itself may be longer than it reads: only its start is used.
    const bool made = sourceFile_ != job_.programFile;
    const ImageNeeds needs{minimumLength, made ? bytes->size() : maximumLength, job_.ic.ChipName,
                           job_.fileTypes};
    if (const std::string problem = rawImageProblem(*bytes, needs, made); !problem.empty()) {
        failOpen(kConvertProgramFile, problem);
        return std::nullopt;
    }
    return bytes;
}

std::optional<Bytes> FamilySession::convertHex(int fillMode, std::uint32_t lengthOverride,
                                               std::size_t readLimit) {
    const std::filesystem::path imagePath = sideFile(".bin");
    std::optional<Bytes> image =
        convertProgramHex(job_, out_, imagePath, {fillMode, lengthOverride, readLimit, false});
    if (!image) {
        lastCode_ = kConvertImage;
        return std::nullopt;
    }
    // The image file holds exactly these bytes; it becomes the description without a re-read.
    sourceFile_ = imagePath;
    return image;
}

std::filesystem::path FamilySession::sideFile(std::string_view suffix) const {
    return sideFilePath(job_.baseDirectory, job_.programFile, suffix);
}

std::optional<Bytes> FamilySession::readConvertedFile(const std::filesystem::path& path) {
    sourceFile_ = path;
    return readProgram(0, kLargestReadableFile);
}

int FamilySession::failOpen(int code, std::string_view reason) {
    return fail(code, openFileError(job_.programFile, reason));
}

int FamilySession::fail(int code, const std::string& text) {
    out_.op.message(text, kMessageCaption);
    lastCode_ = code;
    return code;
}

int FamilySession::finish(std::span<const std::uint8_t> data) {
    option.put16(0x10, checksum.value());
    putProductionFields(option, job_.flags);
    if (serialBlock_) {
        putSerialBytes(option, *serialBlock_);
    }
    putLocalTime(option, job_.time);
    // Set before the files are written, so the replaced option file is complete at once.
    option.put8(kWriterModelOffset, writerModelCode(job_.writerModelKLW20));
    out_.result.checksum = checksum.value();
    if (const int code = writeBufferFiles(job_.baseDirectory, option, data); code != kConvertOk) {
        return failOpen(code, bufferWriteReason(job_.baseDirectory, code));
    }
    out_.result.descriptionText = sourceFile_.string();
    return kConvertOk;
}

void copyWordsStraight(const Bytes& image, std::size_t from, std::size_t count, Bytes& data,
                       ProgramChecksum& checksum) {
    const std::span<const std::uint8_t> words(image.data() + from, 2 * count);
    data.insert(data.end(), words.begin(), words.end());
    checksum.feedWords(words);
}

void copyWordsSwapped(const Bytes& image, std::size_t from, std::size_t count, Bytes& data,
                      ProgramChecksum& checksum) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t b0 = image[from + 2 * i];
        const std::uint8_t b1 = image[from + 2 * i + 1];
        data.push_back(b1);
        data.push_back(b0);
        checksum.feedBytes(b1, b0);
    }
}

}  // namespace vexlor
