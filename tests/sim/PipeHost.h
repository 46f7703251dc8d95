#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "core/writer/CommandBlock.h"

namespace vexlor::sim::test {

using Bytes = std::vector<std::uint8_t>;

// A command block as the host sends it, before any data.
inline Bytes commandBytes(std::uint8_t command, std::uint32_t length) {
    const CommandBlock block = MakeCommandBlock(length, command);
    return {block.begin(), block.end()};
}

// The host's ends of a served interface's FIFOs, both non-blocking so a test never waits on
// the server.
class PipeHost {
  public:
    explicit PipeHost(const std::filesystem::path& interface)
        : in_(::open((interface / "PIPE00").c_str(), O_RDONLY | O_NONBLOCK)),
          out_(::open((interface / "PIPE01").c_str(), O_WRONLY | O_NONBLOCK)) {}
    ~PipeHost() {
        ::close(in_);
        ::close(out_);
    }
    PipeHost(const PipeHost&) = delete;
    PipeHost& operator=(const PipeHost&) = delete;

    bool open() const { return in_ >= 0 && out_ >= 0; }
    void send(const Bytes& bytes) const {
        ASSERT_EQ(::write(out_, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }
    // At most max bytes of what the server has answered so far.
    Bytes take(std::size_t max) const {
        Bytes got(max);
        const ssize_t n = ::read(in_, got.data(), got.size());
        got.resize(n > 0 ? std::size_t(n) : 0);
        return got;
    }
    // Everything the server has answered so far.
    Bytes drain() const {
        Bytes all;
        std::array<std::uint8_t, 4096> chunk;
        ssize_t n = 0;
        while ((n = ::read(in_, chunk.data(), chunk.size())) > 0) {
            all.insert(all.end(), chunk.begin(), chunk.begin() + n);
        }
        return all;
    }
    // Shrinks the answer pipe so the server can hand over only part of a long answer per round;
    // the size the kernel granted, or -1.
    int limitAnswerPipe(int bytes) const { return ::fcntl(in_, F_SETPIPE_SZ, bytes); }

  private:
    int in_;
    int out_;
};

}  // namespace vexlor::sim::test
