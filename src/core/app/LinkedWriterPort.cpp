#include "core/app/LinkedWriterPort.h"

namespace vexlor {

void LinkedWriterPort::SelectTransport(bool afterAttach, std::string_view notifiedDeviceName) {
    writer_.connection().SelectTransport(afterAttach, notifiedDeviceName);
}

bool LinkedWriterPort::WriterRemoved(std::string_view notifiedDeviceName) {
    return writer_.connection().WriterRemoved(notifiedDeviceName);
}

std::string LinkedWriterPort::ReadVersionBlock() {
    WriterLink& link = writer_.link();
    link.hwVersionText.fill(0);
    writer_.ReadVersionBlock(cmd::kVersion, link.hwVersionText.data(),
                             static_cast<std::uint32_t>(link.hwVersionText.size()));
    return VersionString(link.hwVersionText);
}

void LinkedWriterPort::setVersion(std::string_view hwVersionName, bool knownWriterVersion) {
    writer_.link().hwVersionName = std::string(hwVersionName);
    writer_.link().knownWriterVersion = knownWriterVersion;
}

std::uint8_t LinkedWriterPort::ReadWriterByte(std::uint16_t address) {
    return writer_.ReadWriterByte(address);
}

std::array<std::uint8_t, 6> LinkedWriterPort::ReadVoltageBlock() {
    std::array<std::uint8_t, 6> reading{};
    writer_.ReadVoltageBlock(reading);
    return reading;
}

bool LinkedWriterPort::WriteAreaFromFile(const std::filesystem::path& path, int area) {
    return writer_.WriteAreaFromFile(path, static_cast<std::uint8_t>(area));
}

}  // namespace vexlor
