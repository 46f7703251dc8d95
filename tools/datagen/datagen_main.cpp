// Lays the generated binary files into a base directory: firmware images, the test buffers,
// serial.txt and the option templates of the chips converted by internal number.
//
//   vexlor-datagen --data <data source directory> --out <base directory>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <span>
#include <string>

#include "DataSet.h"
#include "FirmwareFamilies.h"
#include "OptionTemplate.h"
#include "TestBuffers.h"

namespace fs = std::filesystem;
using namespace vexlor::datagen;

namespace {

bool WriteFile(const fs::path& file, std::span<const std::uint8_t> bytes) {
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::cerr << "datagen: cannot write " << file << '\n';
        return false;
    }
    return true;
}

bool WriteImage(const fs::path& file, const FirmwareIdentity& identity) {
    return WriteFile(file, MakeFirmwareImage(identity));
}

bool WriteChipFiles(const fs::path& data, const fs::path& out) {
    const auto chips = ReadCatalogueChips(data / "ChipList" / "KLW20_mcu.xml");
    if (!chips) {
        return false;
    }
    bool ok = true;
    std::set<std::string> images;
    for (const CatalogueChip& chip : *chips) {
        const auto parameters = ReadChipParameters(data, chip.name);
        if (!parameters) {
            ok = false;
            continue;
        }
        if (UsesFamilyConverter(*parameters)) {
            const OptionBlock block = MakeOptionTemplate(*parameters);
            for (const char* hw : {"hwversion1.0", "hwversion1.1"}) {
                ok = WriteFile(out / hw / (chip.name + ".txt"), block) && ok;
            }
        }
        if (!images.insert(chip.fwFile).second) {
            continue;
        }
        const auto identity = FamilyFirmware(chip.fwFile);
        if (!identity) {
            std::cerr << "datagen: " << chip.name << " names unknown firmware '" << chip.fwFile
                      << "'\n";
            ok = false;
            continue;
        }
        ok = WriteImage(out / "firmware" / chip.fwFile, *identity) && ok;
    }
    return ok;
}

bool WriteWriterFiles(const fs::path& out) {
    const OptionBlock testOption = MakeTestOptionBuffer();
    bool ok = WriteImage(out / "firmware" / "20test.nce", kBaseFirmware);
    ok = WriteImage(out / "teststop.nce", kStopFirmware) && ok;
    ok = WriteImage(out / "test.nce", kTestFirmware) && ok;
    ok = WriteFile(out / "test_data.prog", MakeTestDataBuffer()) && ok;
    ok = WriteFile(out / "serial.txt", MakeSerialBlock()) && ok;
    // The download reads it from the base directory itself, the reset and self-tests from
    // the hardware-version folders.
    for (const char* dir : {"", "hwversion1.0", "hwversion1.1"}) {
        ok = WriteFile(out / dir / "test_option.prog", testOption) && ok;
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    const auto directories = ParseGeneratorArguments(argc, argv, "vexlor-datagen");
    if (!directories) {
        return 2;
    }
    const fs::path& data = directories->data;
    const fs::path& out = directories->out;
    const bool chipsOk = WriteChipFiles(data, out);
    const bool writerOk = WriteWriterFiles(out);
    return chipsOk && writerOk ? 0 : 1;
}
