// The program checksum (CRC-16, fed word by word as the converters do) over a 64 KiB image,
// next to zlib's CRC-32 over the same bytes as the anchor.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdint>
#include <random>
#include <vector>

#include "core/convert/ProgramChecksum.h"

namespace {

const std::vector<std::uint8_t>& image64k() {
    static const std::vector<std::uint8_t> image = [] {
        std::vector<std::uint8_t> bytes(0x10000);
        std::mt19937 random(6842);
        for (std::uint8_t& b : bytes) {
            b = static_cast<std::uint8_t>(random());
        }
        return bytes;
    }();
    return image;
}

void BM_ProgramChecksum64K(benchmark::State& state) {
    const auto& image = image64k();
    for (auto _ : state) {
        vexlor::ProgramChecksum checksum(0xFFFF);
        checksum.feedWords(image);
        benchmark::DoNotOptimize(checksum.value());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(image.size()));
}
BENCHMARK(BM_ProgramChecksum64K)->Unit(benchmark::kMicrosecond);

void BM_ZlibCrc32_64K(benchmark::State& state) {
    const auto& image = image64k();
    for (auto _ : state) {
        benchmark::DoNotOptimize(crc32(0, image.data(), static_cast<uInt>(image.size())));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(image.size()));
}
BENCHMARK(BM_ZlibCrc32_64K)->Unit(benchmark::kMicrosecond);

}  // namespace
