#include "core/writer/WriterListing.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <system_error>

#include "core/base/Diagnostics.h"
#include "core/writer/DeviceDirectoryWatcher.h"
#include "core/writer/WriterIdentity.h"

namespace vexlor {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The interface name without the class suffix every writer interface shares.
std::string ShortInterfaceName(const std::string& name) {
    const std::string suffix = "#{" + std::string(kWriterClassGuidText) + "}";
    const std::string lower = Lower(name);
    if (lower.size() > suffix.size() && lower.ends_with(suffix)) {
        return name.substr(0, name.size() - suffix.size());
    }
    return name;
}

// The first line of a sysfs attribute; empty when it cannot be read.
std::string Attribute(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) {
        line.pop_back();
    }
    return line;
}

template <typename Key>
std::map<Key, int> Counts(const std::vector<Key>& keys) {
    std::map<Key, int> counts;
    for (const Key& key : keys) {
        ++counts[key];
    }
    return counts;
}

void AddUsbWriters(const std::vector<UsbWriterPlace>& places, std::vector<WriterListing>& out) {
    std::vector<std::string> serials;
    for (const UsbWriterPlace& place : places) {
        serials.push_back(place.serial);
    }
    const auto serialCounts = Counts(serials);
    for (const UsbWriterPlace& place : places) {
        // Two writers that report the same serial number are told apart by where they sit.
        const bool bySerial = !place.serial.empty() && serialCounts.at(place.serial) == 1;
        std::string description = "USB writer at " + place.portPath;
        if (!place.serial.empty()) {
            description += ", serial number " + place.serial;
        }
        out.push_back({bySerial ? "usb-serial:" + place.serial : "usb:" + place.portPath,
                       WriterKind::Usb, place.portPath, std::move(description)});
    }
}

void AddPipeWriters(const std::vector<std::string>& interfaces, std::vector<WriterListing>& out) {
    std::vector<std::string> shortNames;
    for (const std::string& name : interfaces) {
        shortNames.push_back(ShortInterfaceName(name));
    }
    const auto shortCounts = Counts(shortNames);
    for (std::size_t i = 0; i < interfaces.size(); ++i) {
        const std::string& shortName =
            shortCounts.at(shortNames[i]) == 1 ? shortNames[i] : interfaces[i];
        out.push_back({"pipe:" + shortName, WriterKind::Pipe, interfaces[i],
                       "device-file interface " + interfaces[i]});
    }
}

}  // namespace

std::string_view KindName(WriterKind kind) {
    switch (kind) {
        case WriterKind::Usb:
            return "usb";
        case WriterKind::Pipe:
            return "pipe";
        case WriterKind::AccessLibrary:
            return "library";
    }
    return "";
}

std::vector<WriterListing> ListWriters(const WriterSources& sources) {
    std::vector<WriterListing> writers;
    AddUsbWriters(sources.usb, writers);
    AddPipeWriters(sources.pipeInterfaces, writers);
    if (sources.accessLibraryWriter) {
        writers.push_back({std::string(kLibraryWriterId), WriterKind::AccessLibrary, "",
                           "the writer the access library opens"});
    }
    return writers;
}

const WriterListing* FindWriter(std::span<const WriterListing> writers, std::string_view id) {
    for (const WriterListing& writer : writers) {
        if (writer.id == id || (writer.kind == WriterKind::Usb && id == "usb:" + writer.place)) {
            return &writer;
        }
    }
    return nullptr;
}

std::string WriterIdList(std::span<const WriterListing> writers) {
    std::string list;
    for (const WriterListing& writer : writers) {
        list += (list.empty() ? "" : ", ") + writer.id;
    }
    return list.empty() ? "none" : list;
}

std::size_t CountOwnPathWriters(std::span<const WriterListing> writers) {
    return static_cast<std::size_t>(std::count_if(
        writers.begin(), writers.end(),
        [](const WriterListing& writer) { return writer.kind != WriterKind::AccessLibrary; }));
}

std::vector<std::string> PipeInterfaceNames(const std::filesystem::path& deviceDirectory) {
    std::vector<std::string> found;
    for (const std::string& path : PresentDeviceInterfaces(deviceDirectory)) {
        std::string name = std::filesystem::path(path).filename().string();
        if (Lower(name).find(kWriterClassGuidText) != std::string::npos) {
            found.push_back(std::move(name));
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::vector<UsbWriterPlace> SysfsUsbWriters(const std::filesystem::path& sysfsDevices,
                                            std::uint16_t vendorId, std::uint16_t productId) {
    const std::string vendor = format("%04x", vendorId);
    const std::string product = format("%04x", productId);
    std::vector<UsbWriterPlace> found;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(sysfsDevices, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (Lower(Attribute(it->path() / "idVendor")) == vendor &&
            Lower(Attribute(it->path() / "idProduct")) == product) {
            found.push_back({it->path().filename().string(), Attribute(it->path() / "serial")});
        }
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.portPath < b.portPath; });
    return found;
}

}  // namespace vexlor
