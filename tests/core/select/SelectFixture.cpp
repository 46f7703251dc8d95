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

void WriteICInfoFile(const ScratchDir& base, const std::string& chip, const std::string& inside) {
    base.write("ICInfo/" + chip + ".ic", "<IC><Chip_Information><ChipName>" + chip +
                                             "</ChipName><Inside_Number>" + inside +
                                             "</Inside_Number></Chip_Information></IC>");
}

void WriteSampleCatalogue(const ScratchDir& base) {
    base.copyData("select");
}

}  // namespace vexlor::test
