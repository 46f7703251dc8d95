#include "SelectFixture.h"

namespace vexlor::test {

std::string ChipEntry(const std::string& name, const std::string& modeKeys,
                      const std::string& packages, int haveSmartOpt) {
    auto key = [&](const char* tag, std::size_t i) {
        return std::string("<") + tag + ">" + modeKeys.at(i) + "</" + tag + ">";
    };
    std::string text = "<Chip name=\"" + name + "\"><ICSelectDisplay>" + key("RollingCode", 0) +
                       key("MassProduction", 1) + key("ProductionLimit", 2) + key("ExHVISP", 3) +
                       key("ISP", 4) + key("EraseMode", 5);
    if (!packages.empty()) {
        text += "<Packages>" + packages + "</Packages>";
    }
    return text + "</ICSelectDisplay><HaveSmartOPT>" + std::to_string(haveSmartOpt) +
           "</HaveSmartOPT><FW_File>" + name + ".nce</FW_File></Chip>";
}

namespace {

std::string catalogue(bool withPackages) {
    auto packages = [&](const std::string& list) { return withPackages ? list : std::string(); };
    return "<?xml version=\"1.0\"?><Catalogue><ChipSeries>"
           "<Series type=\"OTP\">"
           "<Group name=\"QR31\">" +
           ChipEntry("QR31A100", "111111", packages("<P>DIP 8</P><P>SOP16</P>"), 1) +
           ChipEntry("QR31ZJ0115", "111111", packages("<P>SOP28</P>")) +
           ChipEntry("QR31K1C13", "111101", packages("<P>DIP 6</P>")) +
           "</Group>"
           "<Group name=\"QR46\">" +
           ChipEntry("QR46YJ45", "110111") + ChipEntry("QR46A200", "000000") +
           ChipEntry("31A100", "000000") + ChipEntry("QR46b7", "000000") +
           "</Group>"
           "</Series>"
           "<Series type=\"MTP\">"
           "<Group name=\"M10\">" +
           ChipEntry("M10X1", "011110") + ChipEntry("SHARED1", "101001") +
           "</Group>"
           "<Group name=\"M20\">" +
           ChipEntry("M20Y2", "111110") + ChipEntry("SHARED1", "101001") +
           "</Group>"
           "</Series>"
           "</ChipSeries></Catalogue>";
}

}  // namespace

void WriteICInfoFile(const ScratchDir& base, const std::string& chip, const std::string& inside) {
    base.write("ICInfo/" + chip + ".ic", "<IC><Chip_Information><ChipName>" + chip +
                                             "</ChipName><Inside_Number>" + inside +
                                             "</Inside_Number></Chip_Information></IC>");
}

void WriteSampleCatalogue(const ScratchDir& base) {
    base.write("ChipList/KLW20_mcu.xml", catalogue(false));
    base.write("ChipList/KLW21_mcu.xml", catalogue(true));
    const char* chips[][2] = {{"QR31A100", "3a1"},  {"QR31ZJ0115", "115"}, {"QR31K1C13", "1c13"},
                              {"QR46YJ45", "4645"}, {"QR46A200", "46a2"},  {"M10X1", "101"},
                              {"SHARED1", "5d1"},   {"M20Y2", "202"}};
    for (const auto& chip : chips) {
        WriteICInfoFile(base, chip[0], chip[1]);
    }
}

}  // namespace vexlor::test
