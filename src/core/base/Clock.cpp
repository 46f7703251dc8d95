#include "core/base/Clock.h"

#include <chrono>
#include <thread>

namespace vexlor {

std::uint64_t SteadyClock::tickMs() {
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SteadyClock::busyWait(std::uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace vexlor
