#pragma once

#include "core/app/WriterPort.h"
#include "core/writer/Writer.h"

namespace vexlor {

// The attach sequences' view of the real writer link.
class LinkedWriterPort final : public WriterPort {
  public:
    explicit LinkedWriterPort(Writer& writer) : writer_(writer) {}

    void SelectTransport(bool afterAttach, std::string_view notifiedDeviceName) override;
    bool writerConnected() const override { return writer_.link().writerConnected; }
    bool usesAccessLibrary() const override { return writer_.link().useAccessLibrary; }
    bool WriterRemoved(std::string_view notifiedDeviceName) override;

    std::string ReadVersionBlock() override;
    void setVersion(std::string_view hwVersionName, bool knownWriterVersion) override;

    std::uint8_t ReadWriterByte(std::uint16_t address) override;
    void ChangeWriterMode(std::uint8_t mode) override { writer_.ChangeWriterMode(mode); }
    void SetOperationLamp(std::uint8_t value) override { writer_.SetOperationLamp(value); }
    void WriteControlByte(std::uint8_t value) override { writer_.WriteControlByte(value); }
    void WriteControlWord(std::uint16_t value) override { writer_.WriteControlWord(value); }
    std::array<std::uint8_t, 6> ReadVoltageBlock() override;
    void BusyWait(std::uint32_t ms) override { writer_.BusyWait(ms); }
    bool WriteFirmwareImage(const std::filesystem::path& path, bool prepare) override {
        return writer_.WriteFirmwareImage(path, prepare);
    }
    bool WriteAreaFromFile(const std::filesystem::path& path, int area) override;

    void ReadOptionHeader() override { writer_.ReadOptionHeader(writer_.link().optionHeader); }
    const OptionHeader& optionHeader() const override { return writer_.link().optionHeader; }

    void setWriterFirmwareVersion(std::uint16_t version) override {
        writer_.link().writerFirmwareVersion = version;
    }
    void setFamilyWord(std::uint16_t word) override { writer_.link().familyWord = word; }
    void setFamilyFirmwareLoaded(bool loaded) override {
        writer_.link().familyFirmwareLoaded = loaded;
    }

  private:
    Writer& writer_;
};

}  // namespace vexlor
