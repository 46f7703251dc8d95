#include "UsbdevfsWriter.h"

#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>
#include <umockdev.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <set>
#include <span>
#include <utility>

namespace vexlor::usbtest {

namespace {

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T>
using GRef = std::unique_ptr<T, GObjectUnref>;

// What a current xHCI host reports: whole transfers in one URB, no 16 KiB split.
constexpr std::uint32_t kCapabilities =
    USBDEVFS_CAP_ZERO_PACKET | USBDEVFS_CAP_BULK_CONTINUATION | USBDEVFS_CAP_NO_PACKET_SIZE_LIM |
    USBDEVFS_CAP_BULK_SCATTER_GATHER | USBDEVFS_CAP_REAP_AFTER_DISCONNECT;
constexpr unsigned kConfiguration = 1;
constexpr unsigned kInterface = 0;
constexpr unsigned char kBulkIn = 0x81;
constexpr unsigned char kBulkOut = 0x02;

// The memory the client's ioctl argument points to, copied over; written back on completion
// when changed.
GRef<UMockdevIoctlData> resolveArgument(UMockdevIoctlClient* client, std::size_t size) {
    return GRef<UMockdevIoctlData>(
        umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, size, nullptr));
}

}  // namespace

struct UsbdevfsWriter::Urb {
    GRef<UMockdevIoctlClient> client;
    GRef<UMockdevIoctlData> urb;     // struct usbdevfs_urb of the client
    GRef<UMockdevIoctlData> buffer;  // its data; null for a transfer of no bytes
    bool done = false;
    bool held = false;
    std::size_t limit = SIZE_MAX;  // of the bytes an IN URB may take

    usbdevfs_urb& fields() const { return *reinterpret_cast<usbdevfs_urb*>(urb->data); }
    std::span<std::uint8_t> bytes() const {
        return buffer ? std::span(buffer->data,
                                  std::min(limit, static_cast<std::size_t>(buffer->data_len)))
                      : std::span<std::uint8_t>();
    }
    void finish(int status, std::size_t length) {
        fields().status = status;
        fields().actual_length = static_cast<int>(length);
        done = true;
    }
};

UsbdevfsWriter::UsbdevfsWriter(sim::SimWriter& writer, std::function<void()> onVanished)
    : writer_(writer),
      endpoint_(writer),
      onVanished_(std::move(onVanished)),
      handler_(umockdev_ioctl_base_new()) {
    g_signal_connect(
        handler_, "handle-ioctl",
        G_CALLBACK(+[](UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self) -> gboolean {
            static_cast<UsbdevfsWriter*>(self)->handle(client);
            return TRUE;
        }),
        this);
}

UsbdevfsWriter::~UsbdevfsWriter() {
    g_signal_handlers_disconnect_by_data(handler_, this);
    g_object_unref(handler_);
}

std::size_t UsbdevfsWriter::urbsQueued() const {
    return urbs_.size();
}

void UsbdevfsWriter::handle(UMockdevIoctlClient* client) {
    const int error = answerRequest(client);
    umockdev_ioctl_client_complete(client, error == 0 ? 0 : -1, error);
    serve();
}

int UsbdevfsWriter::answerRequest(UMockdevIoctlClient* client) {
    const unsigned long request = umockdev_ioctl_client_get_request(client);
    if (request == USBDEVFS_GET_CAPABILITIES) {
        const auto data = resolveArgument(client, sizeof kCapabilities);
        if (!data) {
            return EFAULT;
        }
        std::memcpy(data->data, &kCapabilities, sizeof kCapabilities);
        return 0;
    }
    // URBs that a removal ended are still reaped, as the kernel allows.
    if (request == USBDEVFS_REAPURB || request == USBDEVFS_REAPURBNDELAY) {
        return reap(client);
    }
    if (!writer_.attached()) {
        return ENODEV;
    }
    switch (request) {
        case USBDEVFS_SETCONFIGURATION:
            return setConfiguration(client);
        case USBDEVFS_CLAIMINTERFACE:
        case USBDEVFS_RELEASEINTERFACE:
            return expectNumber(client, kInterface, ENOENT);
        case USBDEVFS_SUBMITURB:
            return submit(client);
        case USBDEVFS_DISCARDURB:
            return discard(client);
        default:
            return ENOTTY;
    }
}

int UsbdevfsWriter::expectNumber(UMockdevIoctlClient* client, unsigned expected, int otherwise) {
    const auto data = resolveArgument(client, sizeof expected);
    if (!data) {
        return EFAULT;
    }
    unsigned value = 0;
    std::memcpy(&value, data->data, sizeof value);
    return value == expected ? 0 : otherwise;
}

// The writer starts afresh on its configuration, as a host that gave up on a command expects.
int UsbdevfsWriter::setConfiguration(UMockdevIoctlClient* client) {
    const int error = expectNumber(client, kConfiguration, EINVAL);
    if (error == 0) {
        endpoint_.reset();
    }
    return error;
}

int UsbdevfsWriter::submit(UMockdevIoctlClient* client) {
    auto urbData = resolveArgument(client, sizeof(usbdevfs_urb));
    if (!urbData) {
        return EFAULT;
    }
    const auto& fields = *reinterpret_cast<usbdevfs_urb*>(urbData->data);
    if (fields.type != USBDEVFS_URB_TYPE_BULK ||
        (fields.endpoint != kBulkIn && fields.endpoint != kBulkOut) || fields.buffer_length < 0) {
        return ENOENT;
    }
    GRef<UMockdevIoctlData> buffer(
        umockdev_ioctl_data_resolve(urbData.get(), offsetof(usbdevfs_urb, buffer),
                                    static_cast<std::size_t>(fields.buffer_length), nullptr));
    if (!buffer && fields.buffer_length > 0) {
        return EFAULT;
    }
    const auto fault = strikes(fields);
    if (fault && fault->kind == UrbFault::Kind::RefuseSubmit) {
        return fault->value;
    }
    submittedAfterGivingUp_ += gaveUp_ ? 1 : 0;
    Urb& urb = urbs_.emplace_back(
        GRef<UMockdevIoctlClient>(static_cast<UMockdevIoctlClient*>(g_object_ref(client))),
        std::move(urbData), std::move(buffer));
    if (!fault) {
        return 0;
    }
    switch (fault->kind) {
        case UrbFault::Kind::Status:
            urb.finish(fault->value, 0);
            break;
        case UrbFault::Kind::Hold:
            urb.held = true;
            break;
        case UrbFault::Kind::Short:
            urb.limit = static_cast<std::size_t>(fault->value);
            break;
        case UrbFault::Kind::FailReap:
            failingReap_ = fault->value;
            break;
        case UrbFault::Kind::RefuseSubmit:
            break;
    }
    return 0;
}

std::optional<UrbFault> UsbdevfsWriter::strikes(const usbdevfs_urb& fields) {
    if (!fault_ || fields.endpoint != fault_->endpoint || fields.buffer_length != fault_->length ||
        ++matches_ < fault_->nth) {
        return std::nullopt;
    }
    return std::exchange(fault_, std::nullopt);
}

int UsbdevfsWriter::discard(UMockdevIoctlClient* client) {
    // The argument is the client's URB address itself.
    gulong address = 0;
    std::memcpy(&address, umockdev_ioctl_client_get_arg(client)->data, sizeof address);
    const auto it = std::find_if(urbs_.begin(), urbs_.end(), [&](const Urb& urb) {
        return urb.client.get() == client && urb.urb->client_addr == address && !urb.done;
    });
    if (it == urbs_.end()) {
        return EINVAL;
    }
    it->finish(-ENOENT, 0);
    gaveUp_ = true;
    return 0;
}

int UsbdevfsWriter::reap(UMockdevIoctlClient* client) {
    if (failingReap_ != 0) {
        return std::exchange(failingReap_, 0);
    }
    const auto it = std::find_if(urbs_.begin(), urbs_.end(), [&](const Urb& urb) {
        return urb.client.get() == client && urb.done;
    });
    if (it == urbs_.end()) {
        return writer_.attached() ? EAGAIN : ENODEV;
    }
    // The client gets the address of its URB, whose status, length and data go back with it.
    const auto slot = resolveArgument(client, sizeof(void*));
    if (!slot) {
        return EFAULT;
    }
    umockdev_ioctl_data_set_ptr(slot.get(), 0, it->urb.get());
    urbs_.erase(it);
    return 0;
}

void UsbdevfsWriter::serve() {
    bool moved = true;
    while (moved) {
        moved = false;
        // An endpoint's URBs complete in the order they were submitted.
        std::set<unsigned char> waiting;
        for (Urb& urb : urbs_) {
            const unsigned char endpoint = urb.fields().endpoint;
            if (urb.done || waiting.contains(endpoint)) {
                continue;
            }
            if (!urb.held && serveOne(urb)) {
                moved = true;
            } else {
                waiting.insert(endpoint);
            }
        }
    }
    if (writer_.attached()) {
        vanishReported_ = false;
        return;
    }
    for (Urb& urb : urbs_) {
        if (!urb.done) {
            urb.finish(-ESHUTDOWN, 0);
        }
    }
    if (!vanishReported_) {
        vanishReported_ = true;
        onVanished_();
    }
}

bool UsbdevfsWriter::serveOne(Urb& urb) {
    const auto bytes = urb.bytes();
    if (urb.fields().endpoint == kBulkOut) {
        if (endpoint_.hostWrite(bytes)) {
            urb.finish(0, bytes.size());
        } else {
            urb.finish(-ESHUTDOWN, 0);
        }
        return true;
    }
    // An IN transfer waits, as on the wire, until the writer has something to send.
    const std::size_t n = endpoint_.hostRead(bytes);
    if (n == 0 && !bytes.empty()) {
        return false;
    }
    urb.finish(0, n);
    return true;
}

}  // namespace vexlor::usbtest
