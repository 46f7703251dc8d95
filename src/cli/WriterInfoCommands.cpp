#include "cli/WriterInfoCommands.h"

#include "cli/CliSession.h"
#include "cli/JobCommands.h"
#include "core/app/VoltageCheck.h"
#include "core/app/WriterVersion.h"
#include "core/base/Diagnostics.h"
#include "core/writer/VoltageRanges.h"
#include "core/writer/WriterIdentity.h"
#include "core/writer/WriterListing.h"
#include "core/writer/WriterPermission.h"

namespace vexlor::cli {

namespace {

std::string accessLibraryFinding(CliSession& session) {
    if (session.options().simulate) {
        return "not used with --simulate";
    }
    const auto& path = session.accessLibraryPath();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return path.string() + ": not installed";
    }
    AccessLibrary& library = session.accessLibrary();
    if (library.open(AccessLibraryTransport::kOpenArgument, 0, 0) != 0) {
        return path.string() + ": no writer";
    }
    library.close();
    return path.string() + ": writer found";
}

std::string hexByte(std::uint8_t value) {
    return format("%02X", value);
}

}  // namespace

CommandOutcome runDevices(CliSession& session, std::span<const std::string>) {
    std::ostream& out = session.out();
    out << "access library: " << accessLibraryFinding(session) << '\n';
    UsbBus& bus = session.usbBus();
    const bool usbWriter = bus.openFirst(kWriterVendorId, kWriterProductId) != nullptr;
    const bool denied = bus.lastOpenError() == kUsbErrorAccess;
    out << (session.options().simulate ? "usb (simulated): " : "usb: ")
        << format("%s %04X:%04X", usbWriter || denied ? "writer" : "no writer", kWriterVendorId,
                  kWriterProductId)
        << (usbWriter ? " found"
            : denied  ? " found, no permission to open it"
                      : "")
        << '\n';
    if (denied) {
        out << WriterAccessDeniedMessage() << '\n';
    }
    const auto interfaces = PipeInterfaceNames(session.deviceDirectory());
    out << "device files: " << session.deviceDirectory().string()
        << (interfaces.empty() ? ": none" : "") << '\n';
    for (const auto& name : interfaces) {
        out << "  " << (session.deviceDirectory() / name).string() << '\n';
    }
    return CommandOutcome::success();
}

CommandOutcome runWriters(CliSession& session, std::span<const std::string>) {
    const auto writers = session.listWriters();
    if (writers.empty()) {
        session.out() << "no writer attached (see the devices command)\n";
    }
    // Tab-separated, so a script can cut the columns.
    for (const WriterListing& writer : writers) {
        session.out() << writer.id << '\t' << KindName(writer.kind) << '\t' << writer.description
                      << '\n';
    }
    return CommandOutcome::success();
}

CommandOutcome runInfo(CliSession& session, std::span<const std::string>) {
    std::string reason;
    if (!session.connect(reason)) {
        return CommandOutcome::failure(reason, session.connectFailureStatus());
    }
    std::ostream& out = session.out();
    Writer& writer = session.writer();
    const WriterLink& link = writer.link();
    const std::string versionText = VersionString(link.hwVersionText);
    out << "transport: " << session.transportName() << '\n';
    out << "version: " << versionText << '\n';

    const int firmwareWord = writer.ReadWriterByte(0xFA90) * 256 + writer.ReadWriterByte(0xFA91);
    writer.ChangeWriterMode(kModeDone);
    out << "firmware: " << format("%04X", firmwareWord) << '\n';

    // The measurement set-up of the attach check: DAC levels set, outputs grounded.
    writer.WriteControlByte(kOutputsGround);
    for (std::uint16_t word : kDacSetupWords) {
        writer.WriteControlWord(word);
    }
    writer.BusyWait(100);
    std::array<std::uint8_t, 6> m{};
    if (!writer.ReadVoltageBlock(m)) {
        return CommandOutcome::failure("the writer did not answer the voltage read");
    }
    out << "voltages: P_VDD=" << hexByte(m[0]) << " P_VPP=" << hexByte(m[1])
        << " DAC_VPP=" << hexByte(m[2]) << " DAC_WVDD=" << hexByte(m[3])
        << " DAC_RVDD=" << hexByte(m[4]) << " DAC_LS=" << hexByte(m[5]) << '\n';

    if (ClassifyWriterVersion(versionText).model == WriterModel::V2_0) {
        const bool good = RunVoltageCheck(writer);
        // The check ends with the programming outputs up; an idle socket should be grounded.
        writer.WriteControlByte(kOutputsGround);
        out << "voltage check: " << (good ? "OK" : "FAIL") << '\n';
        if (!good) {
            return CommandOutcome::failure("voltage check failed");
        }
    }
    return CommandOutcome::success();
}

}  // namespace vexlor::cli
