// Draws res/ICPicture/QV<internal number>.jpg for every chip of the catalogue.
//
//   vexlor-pinpictures --data <data source directory> --out <base directory>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>

#include <QGuiApplication>

#include "DataSet.h"
#include "PinPicture.h"

namespace fs = std::filesystem;
using namespace vexlor::datagen;

int main(int argc, char** argv) {
    fs::path data;
    fs::path out;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--data") == 0) {
            data = argv[i + 1];
        } else if (std::strcmp(argv[i], "--out") == 0) {
            out = argv[i + 1];
        }
    }
    if (data.empty() || out.empty()) {
        std::cerr << "usage: vexlor-pinpictures --data <data directory> --out <base directory>\n";
        return 2;
    }
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
