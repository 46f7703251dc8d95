#include "core/writer/LibusbApi.h"

#include <dlfcn.h>

#include <optional>

namespace vexlor {

namespace {

constexpr const char* kLibusbSoname = "libusb-1.0.so.0";

template <typename Fn>
bool resolve(void* handle, const char* name, Fn& out) {
    out = reinterpret_cast<Fn>(dlsym(handle, name));
    return out != nullptr;
}

std::optional<LibusbApi> load() {
    // Kept for the life of the process: contexts and callbacks may outlive any one user.
    void* handle = dlopen(kLibusbSoname, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        return std::nullopt;
    }
    LibusbApi api;
#define VEXLOR_LIBUSB_RESOLVE(name) &&resolve(handle, "libusb_" #name, api.name)
    const bool complete = true VEXLOR_LIBUSB_ENTRIES(VEXLOR_LIBUSB_RESOLVE);
#undef VEXLOR_LIBUSB_RESOLVE
    if (!complete) {
        dlclose(handle);
        return std::nullopt;
    }
    return api;
}

}  // namespace

const LibusbApi* Libusb() {
    static const std::optional<LibusbApi> loaded = load();
    return loaded ? &*loaded : nullptr;
}

}  // namespace vexlor
