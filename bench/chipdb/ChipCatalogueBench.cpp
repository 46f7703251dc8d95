// Timing of the catalogue readers IC Type Select calls on every click: on the delivered catalogue
// (from the laid-out base directory) and on a generated 2000-chip catalogue.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "core/chipdb/CatalogueFile.h"
#include "core/chipdb/ChipSearch.h"
#include "core/chipdb/ReadChipXml.h"

namespace vexlor {
namespace {

constexpr int kTypes = 4;
constexpr int kSeriesPerType = 10;
constexpr int kChipsPerSeries = 50;  // 4 * 10 * 50 = 2000 chips

class CountingOperator final : public SilentOperator {
  public:
    void message(std::string_view, std::string_view, MessageIcon) override { ++messages; }

    int messages = 0;
};

class DiscardingLists final : public ChipListView {
  public:
    void clear(ChipList) override {}
    void add(ChipList, std::string_view text) override { benchmark::DoNotOptimize(text.data()); }
};

std::string chipName(int type, int series, int chip) {
    return "QR" + std::to_string(type) + std::to_string(series) + "C" + std::to_string(chip);
}

// A base directory holding ChipList/KLW20_mcu.xml with 2000 chips carrying every key.
class GeneratedBase {
  public:
    GeneratedBase() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vexlor-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        path_ = pattern;
        std::filesystem::create_directories(path_ / "ChipList");
        std::ofstream out(CatalogueFilePath(path_, kChipListKLW20));
        out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ChipList>\n  <ChipSeries>\n";
        for (int type = 0; type < kTypes; ++type) {
            out << "    <Series type=\"Type" << type << "\">\n";
            for (int series = 0; series < kSeriesPerType; ++series) {
                out << "      <Family name=\"QR" << type << series << "\">\n";
                for (int chip = 0; chip < kChipsPerSeries; ++chip) {
                    out << "        <Chip name=\"" << chipName(type, series, chip) << "\">\n"
                        << "          <IcTransfileforPath>0</IcTransfileforPath>\n"
                        << "          <ICSelectDisplay><ExHVISP>1</ExHVISP><ISP>1</ISP>"
                           "<Buzzer>0</Buzzer><EraseMode>1</EraseMode>"
                           "<RollingCode>1</RollingCode><MassProduction>1</MassProduction>"
                           "<ProductionLimit>1</ProductionLimit></ICSelectDisplay>\n"
                        << "          <MenuOperationDisplay><MenuSerial_Num>1</MenuSerial_Num>"
                           "<MenuCompare_File>1</MenuCompare_File>"
                           "<MenuSet_Protect>1</MenuSet_Protect>"
                           "<MenuRead_ChipInfo>1</MenuRead_ChipInfo></MenuOperationDisplay>\n"
                        << "          <HextoBinMode>2</HextoBinMode>"
                           "<SetProtectMode>3</SetProtectMode><HaveSmartOPT>0</HaveSmartOPT>"
                           "<FuseCheckBoxDisplay>1</FuseCheckBoxDisplay>\n"
                        << "          <FW_File>QR" << type << series << ".nce</FW_File>\n"
                        << "          <IC_FileType><T>Hex Files (*.hex)|*.hex|</T>"
                           "<T>All Files (*.*)|*.*||</T></IC_FileType>\n"
                        << "        </Chip>\n";
                }
                out << "      </Family>\n";
            }
            out << "    </Series>\n";
        }
        out << "  </ChipSeries>\n</ChipList>\n";
    }
    ~GeneratedBase() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

const GeneratedBase& generated() {
    static const GeneratedBase base;
    return base;
}

std::filesystem::path deliveredBase() {
    const char* dir = std::getenv("VEXLOR_BASE_DIR");
    return dir != nullptr ? std::filesystem::path(dir) : std::filesystem::path(VEXLOR_BUILT_BASE);
}

void reportCatalogueSize(benchmark::State& state, const std::filesystem::path& base) {
    std::error_code error;
    state.counters["file_kB"] = static_cast<double>(std::filesystem::file_size(
                                    CatalogueFilePath(base, kChipListKLW20), error)) /
                                1024.0;
}

// The worst click: the last chip of the last series of the last type.
void BM_LoadChipLists(benchmark::State& state, const std::filesystem::path& base, int type,
                      int series, int chip) {
    CountingOperator op;
    ReadChipXml document(op, base);
    DiscardingLists lists;
    for (auto _ : state) {
        benchmark::DoNotOptimize(document.LoadChipLists(lists, type, series, chip, kChipListKLW20));
    }
    if (op.messages != 0) {
        state.SkipWithError("the catalogue could not be read");
    }
    reportCatalogueSize(state, base);
}

void BM_ReadChipDisplayInfo(benchmark::State& state, const std::filesystem::path& base,
                            const std::string& name) {
    CountingOperator op;
    ReadChipXml document(op, base);
    for (auto _ : state) {
        benchmark::DoNotOptimize(document.ReadChipDisplayInfo(name, kChipListKLW20));
    }
    if (op.messages != 0 || document.chipDisplayInfo().FW_File.empty()) {
        state.SkipWithError("the chip was not read");
    }
    reportCatalogueSize(state, base);
}

void BM_Generated_LoadChipLists(benchmark::State& state) {
    BM_LoadChipLists(state, generated().path(), kTypes - 1, kSeriesPerType - 1,
                     kChipsPerSeries - 1);
}
void BM_Generated_ReadChipDisplayInfo(benchmark::State& state) {
    BM_ReadChipDisplayInfo(state, generated().path(),
                           chipName(kTypes - 1, kSeriesPerType - 1, kChipsPerSeries - 1));
}

// The first read after start or after a catalogue update parses the whole file.
void BM_Generated_LoadChipLists_FirstRead(benchmark::State& state) {
    CountingOperator op;
    DiscardingLists lists;
    for (auto _ : state) {
        ReadChipXml document(op, generated().path());
        benchmark::DoNotOptimize(document.LoadChipLists(lists, 0, 0, 0, kChipListKLW20));
    }
    if (op.messages != 0) {
        state.SkipWithError("the catalogue could not be read");
    }
}

void BM_Generated_FilterChips(benchmark::State& state) {
    const auto catalogue = CatalogueFilePath(generated().path(), kChipListKLW20);
    for (auto _ : state) {
        benchmark::DoNotOptimize(FilterChipsInCatalogue(catalogue, "QR3"));
    }
}

// The delivered catalogue: the last entry the search finds with the empty text.
void BM_Delivered_LoadChipLists(benchmark::State& state) {
    const auto catalogue = CatalogueFilePath(deliveredBase(), kChipListKLW20);
    const auto chips = FilterChipsInCatalogue(catalogue, "");
    if (chips.empty()) {
        state.SkipWithError("no delivered catalogue in the base directory");
        return;
    }
    const ChipPath& last = chips.back();
    BM_LoadChipLists(state, deliveredBase(), last.typeIndex, last.seriesIndex, last.nameIndex);
}
void BM_Delivered_ReadChipDisplayInfo(benchmark::State& state) {
    const auto chips =
        FilterChipsInCatalogue(CatalogueFilePath(deliveredBase(), kChipListKLW20), "");
    if (chips.empty()) {
        state.SkipWithError("no delivered catalogue in the base directory");
        return;
    }
    BM_ReadChipDisplayInfo(state, deliveredBase(), chips.back().name);
}

BENCHMARK(BM_Generated_LoadChipLists)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Generated_ReadChipDisplayInfo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Generated_LoadChipLists_FirstRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Generated_FilterChips)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Delivered_LoadChipLists)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Delivered_ReadChipDisplayInfo)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vexlor

BENCHMARK_MAIN();
