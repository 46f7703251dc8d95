#include "core/writer/PluginAccessLibrary.h"

#include <dlfcn.h>

namespace vexlor {

namespace {

class PluginAccessLibrary final : public AccessLibrary {
  public:
    struct EntryPoints {
        OrvoOpenFn open;
        OrvoCloseFn close;
        OrvoCommandFn send;
        OrvoCommandFn receive;
        OrvoSetTimeoutFn setTimeout;
    };

    PluginAccessLibrary(void* handle, EntryPoints entries) : handle_(handle), entries_(entries) {}
    ~PluginAccessLibrary() override { dlclose(handle_); }
    PluginAccessLibrary(const PluginAccessLibrary&) = delete;
    PluginAccessLibrary& operator=(const PluginAccessLibrary&) = delete;

    std::int32_t open(std::uint32_t a, std::uint32_t b, std::uint32_t c) override {
        return entries_.open(a, b, c);
    }
    void close() override { entries_.close(); }
    std::int32_t sendCommand(std::uint8_t command, std::uint8_t* data,
                             std::uint32_t length) override {
        return entries_.send(command, data, length);
    }
    std::int32_t receiveCommand(std::uint8_t command, std::uint8_t* buffer,
                                std::uint32_t length) override {
        return entries_.receive(command, buffer, length);
    }
    void setTimeout(std::uint32_t value) override { entries_.setTimeout(value); }

  private:
    void* handle_;
    EntryPoints entries_;
};

template <typename Fn>
bool Resolve(void* handle, const char* name, Fn& out, const Diagnostics& diagnostics) {
    out = reinterpret_cast<Fn>(dlsym(handle, name));
    if (out == nullptr) {
        diagnostics.printf("Access library lacks %s\n", name);
    }
    return out != nullptr;
}

}  // namespace

std::unique_ptr<AccessLibrary> LoadAccessLibrary(const std::filesystem::path& pluginPath,
                                                 const Diagnostics& diagnostics) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(pluginPath, error)) {
        return std::make_unique<AbsentAccessLibrary>();
    }
    void* handle = dlopen(pluginPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        diagnostics.printf("Access library not loaded: %s\n", dlerror());
        return std::make_unique<AbsentAccessLibrary>();
    }
    PluginAccessLibrary::EntryPoints entries{};
    const bool complete = Resolve(handle, kOrvoOpenSymbol, entries.open, diagnostics) &&
                          Resolve(handle, kOrvoCloseSymbol, entries.close, diagnostics) &&
                          Resolve(handle, kOrvoSendSymbol, entries.send, diagnostics) &&
                          Resolve(handle, kOrvoReceiveSymbol, entries.receive, diagnostics) &&
                          Resolve(handle, kOrvoSetTimeoutSymbol, entries.setTimeout, diagnostics);
    if (!complete) {
        dlclose(handle);
        return std::make_unique<AbsentAccessLibrary>();
    }
    return std::make_unique<PluginAccessLibrary>(handle, entries);
}

}  // namespace vexlor
