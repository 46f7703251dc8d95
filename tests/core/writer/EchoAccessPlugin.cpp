// A stand-in access library for loader tests: opens only with the writer's argument and
// answers each data-in command with the bytes of the last data-out command.
#include <algorithm>
#include <cstdint>
#include <vector>

namespace {
std::vector<std::uint8_t>& LastSent() {
    static std::vector<std::uint8_t> bytes;
    return bytes;
}
std::uint32_t& TimeoutValue() {
    static std::uint32_t value = 0;
    return value;
}
}  // namespace

extern "C" {
__attribute__((visibility("default"))) std::int32_t orvo_ordinal_1(std::uint32_t a, std::uint32_t,
                                                                   std::uint32_t) {
    return a == 0x5A5B ? 0 : 1;
}
#ifndef ECHO_PLUGIN_INCOMPLETE
__attribute__((visibility("default"))) std::int32_t orvo_ordinal_5() {
    LastSent().clear();
    return 0;
}
__attribute__((visibility("default"))) std::int32_t orvo_ordinal_20(std::uint8_t command,
                                                                    std::uint8_t* data,
                                                                    std::uint32_t length) {
    LastSent().assign(data, data + length);
    LastSent().insert(LastSent().begin(), command);
    return 1;
}
__attribute__((visibility("default"))) std::int32_t orvo_ordinal_21(std::uint8_t command,
                                                                    std::uint8_t* buffer,
                                                                    std::uint32_t length) {
    if (command == 0x7E) {  // report the time-out value set last
        buffer[0] = static_cast<std::uint8_t>(TimeoutValue());
        return 1;
    }
    const auto& sent = LastSent();
    std::copy_n(sent.begin(), std::min<std::size_t>(length, sent.size()), buffer);
    return sent.empty() ? 0 : 1;
}
__attribute__((visibility("default"))) std::int32_t QVSetTimeout(std::uint32_t value) {
    TimeoutValue() = value;
    return 0;
}
#endif
}
