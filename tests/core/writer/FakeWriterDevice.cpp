#include "FakeWriterDevice.h"

#include <algorithm>
#include <cstring>

namespace vexlor::test {

namespace {
constexpr std::size_t kBlock = 13;
const std::array<std::uint8_t, kBlock> kStatusBlock{'U', 'S', 'B', 'S'};
}  // namespace

FakeWriterDevice::FakeWriterDevice() : memory(0x20000, 0xFF) {}

bool FakeWriterDevice::isOut(std::uint8_t command) {
    switch (command) {
        case 0x04:
        case 0x05:
        case 0x11:
        case 0x13:
        case 0x16:
        case 0x18:
            return false;
        default:
            return true;
    }
}

void FakeWriterDevice::commandOut(std::uint8_t command, const std::uint8_t* data,
                                  std::uint32_t length) {
    std::vector<std::uint8_t> payload(data, data + length);
    transcript.push_back({command, payload, 0});
    switch (command) {
        case 0x0F:
            address_ = 0;
            for (std::uint8_t byte : payload) {
                address_ = (address_ << 8) | byte;
            }
            break;
        case 0x10:
            for (std::size_t i = 0; i < payload.size() && address_ + i < memory.size(); ++i) {
                memory[address_ + i] = payload[i];
            }
            break;
        case 0x14:
            openArea_ = payload.size() == 2 && payload[1] == 0x17 ? payload[0] : -1;
            break;
        case 0x12:
            if (openArea_ >= 0) {
                areas[openArea_] = payload;
            }
            break;
        default:
            break;
    }
}

std::vector<std::uint8_t> FakeWriterDevice::commandIn(std::uint8_t command, std::uint32_t length) {
    transcript.push_back({command, {}, length});
    std::vector<std::uint8_t> answer(length, 0);
    switch (command) {
        case 0x04:
            std::copy_n(versionText.begin(), std::min<std::size_t>(length, versionText.size()),
                        answer.begin());
            break;
        case 0x05:
            std::copy_n(voltages.begin(), std::min<std::size_t>(length, 6), answer.begin());
            break;
        case 0x11:
            for (std::size_t i = 0; i < length && address_ + i < memory.size(); ++i) {
                answer[i] = memory[address_ + i];
            }
            if (corruptMemoryReadBack && length > 0) {
                answer[length / 2] ^= 0x01;
            }
            break;
        case 0x13: {
            const auto& area = areas[openArea_];
            std::copy_n(area.begin(), std::min<std::size_t>(length, area.size()), answer.begin());
            if (corruptAreaReadBack[openArea_] && length > 0) {
                answer[0] ^= 0x80;
            }
            break;
        }
        case 0x16:
            if (length > 0) {
                if (statuses.empty()) {
                    answer[0] = statusWhenScriptEnds;
                } else {
                    answer[0] = statuses.front();
                    statuses.pop_front();
                }
            }
            break;
        case 0x18:
            std::copy_n(jobData.begin(), std::min<std::size_t>(length, jobData.size()),
                        answer.begin());
            break;
        default:
            break;
    }
    return answer;
}

std::vector<std::uint8_t> FakeWriterDevice::consume(const std::uint8_t* data, std::size_t length) {
    std::vector<std::uint8_t> out;
    const auto finishOut = [&] {
        commandOut(command_, pendingData_.data(), static_cast<std::uint32_t>(pendingData_.size()));
        pendingData_.clear();
        inData_ = false;
        if (answerStatus) {
            out.insert(out.end(), kStatusBlock.begin(), kStatusBlock.end());
        }
    };
    for (std::size_t i = 0; i < length; ++i) {
        if (inData_) {
            pendingData_.push_back(data[i]);
            if (pendingData_.size() == expected_) {
                finishOut();
            }
            continue;
        }
        pendingBlock_.push_back(data[i]);
        if (pendingBlock_.size() < kBlock) {
            continue;
        }
        command_ = pendingBlock_[12];
        std::memcpy(&expected_, &pendingBlock_[8], 4);  // little-endian host
        pendingBlock_.clear();
        if (isOut(command_)) {
            inData_ = true;
            if (expected_ == 0) {
                finishOut();
            }
        } else {
            const auto answer = commandIn(command_, expected_);
            out.insert(out.end(), answer.begin(), answer.end());
            if (answerStatus) {
                out.insert(out.end(), kStatusBlock.begin(), kStatusBlock.end());
            }
        }
    }
    return out;
}

int FakeUsbDevice::setConfiguration(int) {
    return configurationResult;
}

int FakeUsbDevice::claimInterface(int) {
    return claimResult;
}

int FakeUsbDevice::bulkWrite(std::uint8_t endpoint, const std::uint8_t* data, int length) {
    endpointsUsed.push_back(endpoint);
    const auto answer = device_.consume(data, static_cast<std::size_t>(length));
    answer_.insert(answer_.end(), answer.begin(), answer.end());
    return length;
}

int FakeUsbDevice::bulkRead(std::uint8_t endpoint, std::uint8_t* buffer, int length) {
    endpointsUsed.push_back(endpoint);
    if (answer_.empty()) {
        return -7;  // a time-out, as libusb reports it
    }
    const int n = std::min<int>(length, static_cast<int>(answer_.size()));
    std::copy_n(answer_.begin(), n, buffer);
    answer_.erase(answer_.begin(), answer_.begin() + n);
    return n;
}

std::unique_ptr<UsbDevice> FakeUsbBus::openFirst(std::uint16_t vendorId, std::uint16_t productId) {
    searched.emplace_back(vendorId, productId);
    if (device_ == nullptr) {
        return nullptr;
    }
    auto device = std::make_unique<FakeUsbDevice>(*device_);
    device->configurationResult = configurationResult;
    return device;
}

std::int32_t FakeAccessLibrary::open(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    calls.push_back("open " + std::to_string(a) + " " + std::to_string(b) + " " +
                    std::to_string(c));
    return openResult;
}

std::int32_t FakeAccessLibrary::sendCommand(std::uint8_t command, std::uint8_t* data,
                                            std::uint32_t length) {
    device_.commandOut(command, data, length);
    return 1;
}

std::int32_t FakeAccessLibrary::receiveCommand(std::uint8_t command, std::uint8_t* buffer,
                                               std::uint32_t length) {
    const auto answer = device_.commandIn(command, length);
    std::copy(answer.begin(), answer.end(), buffer);
    return 1;
}

}  // namespace vexlor::test
