#include "core/serial/SerialSetModel.h"

#include "core/base/Diagnostics.h"
#include "core/base/ScanHex.h"
#include "core/serial/SerialBlock.h"
#include "core/serial/SerialChipRules.h"
#include "core/serial/SerialNumber.h"

namespace vexlor {

namespace {

constexpr const char* kCaption = "Message";
constexpr std::uint32_t kLoadWaitMs = 1500;

}  // namespace

void SerialSetModel::open() {
    if (!state_.viewOnly) {
        state_.ResetToStartUp();
    }
    fields_.amount = state_.amountText;
    fields_.firstSerial = PadSerialForDisplay(state_.currentSerial, state_.lengthBytes)
                              .value_or(state_.currentSerial);
    fields_.startAddress = format("%04X", state_.startAddress);
    fields_.length = format("%X", state_.lengthBytes);
}

void SerialSetModel::lengthEdited(std::string_view text, Operator& op) {
    state_.lengthBytes = static_cast<std::uint8_t>(ScanHex(text).value_or(0));
    fields_.length = format("%X", state_.lengthBytes);
    if (state_.lengthBytes >= 1 && state_.lengthBytes <= kMaxSerialLength) {
        state_.currentSerial = std::string(2u * state_.lengthBytes, '0');
        fields_.firstSerial = state_.currentSerial;
    } else {
        op.message("'Input Serial Number Length Error", kCaption);
    }
}

void SerialSetModel::startAddressEdited(std::string_view text) {
    if (auto address = ScanHex(text)) {
        state_.startAddress = static_cast<std::uint32_t>(*address);
    }
    fields_.startAddress = std::string(text);
}

void SerialSetModel::firstSerialEdited(std::string_view text) {
    if (text.size() > 2u * state_.lengthBytes) {
        fields_.firstSerial = state_.currentSerial;
        return;
    }
    state_.currentSerial = std::string(text);
    fields_.firstSerial = state_.currentSerial;
}

void SerialSetModel::amountEdited(std::string_view text) {
    state_.amountText = std::string(text);
    fields_.amount = state_.amountText;
}

bool SerialSetModel::load(const SerialLoadTarget& t) {
    // A length outside 1..16 has no place in the 16-byte numbers of the block.
    if (state_.lengthBytes < 1 || state_.lengthBytes > kMaxSerialLength) {
        t.op.message("'Input Serial Number Length Error", kCaption);
        return false;
    }
    if (auto refusal =
            CheckSerialPlacement(t.chipName, t.chip, state_.startAddress, state_.lengthBytes)) {
        t.op.message(*refusal, kCaption);
        return false;
    }
    const std::optional<SerialNumber> start = SerialNumber::FromHex(fields_.firstSerial);
    if (!start) {
        t.op.message("Start Serial NO must be a hexadecimal number", kCaption);
        return false;
    }
    const std::optional<SerialNumber> amount = SerialNumber::FromHex(fields_.amount);
    if (!amount) {
        t.op.message("S/N Amount must be a hexadecimal number", kCaption);
        return false;
    }
    state_.currentSerial = fields_.firstSerial;
    SerialNumber end = *start + *amount;
    state_.endSerial = end.ToHex();
    state_.amountText = amount->ToHex();
    if (amount->isZero()) {
        t.op.message("Please Keyin 'S/N Amount'. ( >= 1 )", kCaption);
        return false;
    }
    HexTextToImage(state_.currentSerial, state_.startImage);
    HexTextToImage(state_.endSerial, state_.endImage);
    end.decrement();
    state_.endSerial = end.ToHex();
    if (state_.endSerial.size() > 2u * state_.lengthBytes) {
        t.op.message("End Serial Number > SN Length", kCaption);
        return false;
    }
    if (auto address = ScanHex(fields_.startAddress)) {
        state_.startAddress = static_cast<std::uint32_t>(*address);
    }
    fields_.startAddress = format("%X", state_.startAddress);
    state_.endAddress = state_.startAddress + state_.lengthBytes - 1;

    SerialBlockFields block;
    block.withData = options_.withData;
    block.direction = state_.direction;
    block.lengthBytes = state_.lengthBytes;
    block.startAddress = state_.startAddress;
    block.addressSpan =
        InHalfAddressSerialSet(t.chipName) ? state_.lengthBytes / 2u : state_.lengthBytes;
    block.isp = options_.exhvIsp || options_.isp;
    block.endImage = state_.endImage;
    block.startImage = state_.startImage;
    block.writerModelKLW20 = t.writerModelKLW20;
    const std::filesystem::path path = t.baseDirectory / kSerialBlockFile;
    switch (UpdateSerialBlockFile(path, block)) {
        case SerialBlockUpdate::Written:
            if (!options_.withData) {
                state_.loadedToWriter = SendSerialBlock(t.writer, path);
            }
            break;
        case SerialBlockUpdate::WriteFailed:
            t.op.message(format("%s could not be written; it keeps the previous run.",
                                path.string().c_str()),
                         kCaption, MessageIcon::Stop);
            return false;
        case SerialBlockUpdate::Missing:
            break;
    }
    t.writer.BusyWait(kLoadWaitMs);
    return true;
}

bool SendSerialBlock(Writer& writer, const std::filesystem::path& blockPath) {
    const std::uint8_t code = job::kHostSequence;
    writer.SendCommand(cmd::kStartJob, &code, 1);
    writer.SetOperationLamp(kLampBusy);
    const bool written = writer.WriteAreaFromFile(blockPath, kOptionArea);
    writer.ChangeWriterMode(kModeDone);
    writer.SetOperationLamp(kLampIdle);
    return written;
}

}  // namespace vexlor
