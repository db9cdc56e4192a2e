// The straightforward decoder the fast one is measured against (and checked
// against in the tests): every byte in and out goes through a callback, the
// bit buffer holds 16 bits, the window is a separate ring.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace baseline {

// A growable memory stream with a position, as the skin reader's streams.
class MemoryStream {
public:
    std::vector<std::uint8_t> bytes;
    std::size_t position = 0;

    std::size_t Read(std::uint8_t* buffer, std::size_t count);
    void Write(const std::uint8_t* buffer, std::size_t count);
};

class Lzh {
public:
    using Callback = std::function<void(std::uint8_t* buffer, std::uint16_t requested, std::uint16_t& actual)>;

    MemoryStream* input = nullptr;
    MemoryStream* output = nullptr;

    void Unpack(std::int32_t size, const Callback& read, const Callback& write);
    void ReadInput(std::uint8_t* buffer, std::uint16_t requested, std::uint16_t& actual);
    void WriteOutput(std::uint8_t* buffer, std::uint16_t requested, std::uint16_t& actual);

    // Unpack through ReadInput/WriteOutput.
    void Unpack(std::int32_t size);
};

}  // namespace baseline
