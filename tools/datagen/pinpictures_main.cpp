// Draws res/ICPicture/QV<internal number>.jpg for every chip of the catalogue.
//
//   vexlor-pinpictures --data <data source directory> --out <base directory>

#include <cstdio>
#include <filesystem>
#include <iostream>

#include <QGuiApplication>

#include "DataSet.h"
#include "PinPicture.h"

namespace fs = std::filesystem;
using namespace vexlor::datagen;

int main(int argc, char** argv) {
    const auto directories = ParseGeneratorArguments(argc, argv, "vexlor-pinpictures");
    if (!directories) {
        return 2;
    }
    const fs::path& data = directories->data;
    const fs::path& out = directories->out;
    // Fonts need a GUI application; the build has no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);

    const auto chips = ReadCatalogueChips(data / "ChipList" / "KLW21_mcu.xml");
    if (!chips) {
        return 1;
    }
    const fs::path pictures = out / "res" / "ICPicture";
    std::error_code ec;
    fs::create_directories(pictures, ec);
    bool ok = true;
    for (const CatalogueChip& chip : *chips) {
        const auto parameters = ReadChipParameters(data, chip.name);
        const auto shape = chip.packages.empty() ? std::nullopt : ParsePackage(chip.packages[0]);
        if (!parameters || !shape) {
            std::cerr << "vexlor-pinpictures: no parameters or package for " << chip.name << '\n';
            ok = false;
            continue;
        }
        char name[32];
        std::snprintf(name, sizeof name, "QV%x.jpg", parameters->Inside_Number);
        const QImage image = DrawPinPicture(*shape, chip.name, chip.packages[0]);
        if (!image.save(QString::fromStdString((pictures / name).string()), "JPG", 90)) {
            std::cerr << "vexlor-pinpictures: cannot write " << (pictures / name) << '\n';
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
