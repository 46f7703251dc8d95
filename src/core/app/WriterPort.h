#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/app/PanelRules.h"

namespace vexlor {

// The writer as the attach, removal and start-up sequences see it: the writer link's commands
// and the few process-wide values those sequences set. The program binds the real writer link;
// tests script the answers.
class WriterPort {
  public:
    virtual ~WriterPort() = default;

    virtual void SelectTransport(bool afterAttach, std::string_view notifiedDeviceName) = 0;
    virtual bool writerConnected() const = 0;
    virtual bool usesAccessLibrary() const = 0;
    // A removal notice: true when the writer is gone (closed, no longer connected), false when
    // the notice is about another device or the access library still reaches the writer.
    virtual bool WriterRemoved(std::string_view notifiedDeviceName) = 0;

    // The 26 bytes of command 0x04, up to the first zero byte.
    virtual std::string ReadVersionBlock() = 0;
    virtual void setVersion(std::string_view hwVersionName, bool knownWriterVersion) = 0;

    virtual std::uint8_t ReadWriterByte(std::uint16_t address) = 0;
    virtual void ChangeWriterMode(std::uint8_t mode) = 0;
    virtual void SetOperationLamp(std::uint8_t value) = 0;
    virtual void WriteControlByte(std::uint8_t value) = 0;
    virtual void WriteControlWord(std::uint16_t value) = 0;
    virtual std::array<std::uint8_t, 6> ReadVoltageBlock() = 0;
    virtual void BusyWait(std::uint32_t ms) = 0;
    virtual bool WriteFirmwareImage(const std::filesystem::path& path, bool prepare) = 0;
    virtual bool WriteAreaFromFile(const std::filesystem::path& path, int area) = 0;

    // Reads into the process-wide option header.
    virtual void ReadOptionHeader() = 0;
    virtual const OptionHeader& optionHeader() const = 0;

    virtual void setWriterFirmwareVersion(std::uint16_t version) = 0;
    virtual void setFamilyWord(std::uint16_t word) = 0;
    virtual void setFamilyFirmwareLoaded(bool loaded) = 0;
};

}  // namespace vexlor
