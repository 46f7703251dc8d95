#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "core/app/WriterPort.h"

namespace vexlor::test {

// A writer whose answers are set up front; every call is written down as one line.
class ScriptedWriter : public WriterPort {
  public:
    void SelectTransport(bool afterAttach, std::string_view name) override {
        calls.push_back(std::string("select ") + (afterAttach ? "attach " : "start ") +
                        std::string(name));
        connected = connectsOnSelect;
    }
    bool writerConnected() const override { return connected; }
    bool usesAccessLibrary() const override { return accessLibrary; }
    bool WriterRemoved(std::string_view name) override {
        calls.push_back("removed? " + std::string(name));
        if (removes) {
            connected = false;
        }
        return removes;
    }

    std::string ReadVersionBlock() override {
        calls.push_back("version");
        return versionText;
    }
    void setVersion(std::string_view name, bool known) override {
        hwVersionName = name;
        knownWriterVersion = known;
    }
    std::uint8_t ReadWriterByte(std::uint16_t address) override {
        auto found = memory.find(address);
        return found == memory.end() ? 0 : found->second;
    }
    void ChangeWriterMode(std::uint8_t mode) override { calls.push_back(hex("mode", mode)); }
    void SetOperationLamp(std::uint8_t value) override { calls.push_back(hex("lamp", value)); }
    void WriteControlByte(std::uint8_t value) override { calls.push_back(hex("byte", value)); }
    void WriteControlWord(std::uint16_t value) override { calls.push_back(hex("word", value)); }
    std::array<std::uint8_t, 6> ReadVoltageBlock() override {
        calls.push_back("voltage");
        auto reading = voltages.front();
        voltages.pop_front();
        return reading;
    }
    void BusyWait(std::uint32_t ms) override { calls.push_back("wait " + std::to_string(ms)); }
    bool WriteFirmwareImage(const std::filesystem::path& path, bool prepare) override {
        calls.push_back("firmware " + path.string() + (prepare ? " prepare" : ""));
        return firmwareWrites;
    }
    bool WriteAreaFromFile(const std::filesystem::path& path, int area) override {
        calls.push_back("area " + std::to_string(area) + " " + path.string());
        return true;
    }
    void ReadOptionHeader() override {
        calls.push_back("header");
        header = storedHeader;
    }
    const OptionHeader& optionHeader() const override { return header; }
    void setWriterFirmwareVersion(std::uint16_t version) override {
        writerFirmwareVersion = version;
    }
    void setFamilyWord(std::uint16_t word) override { familyWord = word; }
    void setFamilyFirmwareLoaded(bool loaded) override { familyFirmwareLoaded = loaded; }

    // Script
    bool connectsOnSelect = true;
    bool accessLibrary = false;
    bool removes = true;
    bool firmwareWrites = true;
    std::string versionText;
    std::map<std::uint16_t, std::uint8_t> memory;
    std::deque<std::array<std::uint8_t, 6>> voltages;
    OptionHeader storedHeader{};

    // State and record
    bool connected = false;
    std::string hwVersionName;
    bool knownWriterVersion = false;
    std::uint16_t writerFirmwareVersion = 0xFFFF;
    std::uint16_t familyWord = 0xFFFF;
    bool familyFirmwareLoaded = true;
    OptionHeader header{};
    std::vector<std::string> calls;

  private:
    static std::string hex(const char* what, unsigned value) {
        char text[32];
        std::snprintf(text, sizeof text, "%s %02X", what, value);
        return text;
    }
};

}  // namespace vexlor::test
