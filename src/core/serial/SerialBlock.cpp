#include "core/serial/SerialBlock.h"

#include <algorithm>
#include <fstream>

#include "core/serial/AtomicFile.h"

namespace vexlor {

using namespace serial_block;

namespace {

void putHighFirst(SerialBlock& block, std::size_t offset, std::uint32_t value) {
    block[offset] = static_cast<std::uint8_t>(value >> 8);
    block[offset + 1] = static_cast<std::uint8_t>(value);
}

}  // namespace

void PutSerialFields(SerialBlock& block, const SerialBlockFields& fields) {
    const std::uint8_t usage = fields.withData ? 0x20 : 0x10;
    block[kMode] = static_cast<std::uint8_t>(usage | (fields.direction & 0x0F));
    block[kLength] = fields.lengthBytes;
    putHighFirst(block, kStartAddress, fields.startAddress);
    putHighFirst(block, kEndAddress, fields.startAddress + fields.addressSpan);
    block[kIsp] = fields.isp ? 1 : 0;
    std::copy(fields.endImage.begin(), fields.endImage.end(), block.begin() + kEndNumber);
    std::copy(fields.startImage.begin(), fields.startImage.end(), block.begin() + kCurrentNumber);
    block[kWriterModel] = fields.writerModelKLW20 ? 0x5A : 0x5B;
}

SerialBlockUpdate UpdateSerialBlockFile(const std::filesystem::path& path,
                                        const SerialBlockFields& fields) {
    SerialBlock block{};
    {
        std::ifstream in(path, std::ios::binary);
        if (!in.read(reinterpret_cast<char*>(block.data()), block.size())) {
            return SerialBlockUpdate::Missing;
        }
    }
    PutSerialFields(block, fields);
    return ReplaceFileAtomically(path, block) ? SerialBlockUpdate::Written
                                              : SerialBlockUpdate::WriteFailed;
}

}  // namespace vexlor
