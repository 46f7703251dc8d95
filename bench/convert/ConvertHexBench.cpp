#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/convert/HexImage.h"

namespace {

// Same shape as make_full_hex.py: 4096 records of 16 bytes covering 64 KiB.
std::filesystem::path writeFullHex(const std::filesystem::path& directory) {
    const auto path = directory / "full64k.hex";
    std::ofstream out(path);
    std::mt19937 random(6842);
    char line[64];
    for (unsigned address = 0; address < 0x10000; address += 16) {
        unsigned sum = 16 + (address >> 8) + (address & 0xFF);
        int at = std::snprintf(line, sizeof line, ":10%04X00", address);
        for (int i = 0; i < 16; ++i) {
            const unsigned byte = random() & 0xFF;
            sum += byte;
            at += std::snprintf(line + at, sizeof line - at, "%02X", byte);
        }
        std::snprintf(line + at, sizeof line - at, "%02X\n", (0x100 - (sum & 0xFF)) & 0xFF);
        out << line;
    }
    out << ":00000001FF\n";
    return path;
}

void BM_ConvertHexToImage(benchmark::State& state) {
    const auto directory = std::filesystem::temp_directory_path() / "vexlor-convert-bench";
    std::filesystem::create_directories(directory);
    const auto input = writeFullHex(directory);
    const vexlor::Diagnostics quiet([](std::string_view) {});
    for (auto _ : state) {
        const vexlor::HexImageRules rules{static_cast<int>(state.range(0))};
        benchmark::DoNotOptimize(
            vexlor::ConvertHexToImage(input, directory / "full64k.bin", rules, quiet));
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(input)));
    std::filesystem::remove_all(directory);
}
BENCHMARK(BM_ConvertHexToImage)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
