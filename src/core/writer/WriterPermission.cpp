#include "core/writer/WriterPermission.h"

#include "core/base/Diagnostics.h"
#include "core/writer/WriterIdentity.h"

namespace vexlor {

std::string WriterUdevRule() {
    return format(
        R"(SUBSYSTEM=="usb", ATTR{idVendor}=="%04x", ATTR{idProduct}=="%04x", TAG+="uaccess")",
        kWriterVendorId, kWriterProductId);
}

std::string WriterAccessDeniedMessage() {
    return format(
        "No permission to open the writer (USB %04X:%04X).\n"
        "Install the udev rule %s, which holds\n"
        "  %s\n"
        "either by installing the vexlor-writer package or with\n"
        "  sudo cp packaging/udev/%s /etc/udev/rules.d/ && sudo udevadm control --reload && "
        "sudo udevadm trigger\n"
        "then plug the writer in again.",
        kWriterVendorId, kWriterProductId, kUdevRuleFileName, WriterUdevRule().c_str(),
        kUdevRuleFileName);
}

}  // namespace vexlor
