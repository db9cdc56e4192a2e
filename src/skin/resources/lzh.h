// LZHUF decoder for packed skins.
//
// Contract: the input is an LZHUF bit stream (LZSS over a 4096-byte window, one
// adaptive Huffman tree for literals and match lengths, a fixed table for the
// upper six bits of match positions). The unpacked size is not in the stream;
// the caller passes it. Damaged or short input is not detected: past the end of
// the input the bit reader yields zero bits, and decoding stops once at least
// `size` bytes were written (a final match is written whole, so the output may
// overshoot by up to 59 bytes). A size of 0 or less writes and reads nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "base/Error.h"

namespace skin {

class ElzhException : public base::Error {
public:
    explicit ElzhException(const std::string& message) : base::Error(message) {}
};

namespace lzh {
inline constexpr int N = 4096;            // window size
inline constexpr int F = 60;              // longest match
inline constexpr int THRESHOLD = 2;       // shorter matches are sent as literals
inline constexpr int N_CHAR = 256 - THRESHOLD + F;  // 314 symbols
inline constexpr int T = N_CHAR * 2 - 1;  // 627 tree nodes
inline constexpr int R = T - 1;           // root
inline constexpr unsigned MAX_FREQ = 0x8000;

// By the first eight bits of a position code: the upper six bits of the
// position, and the length of the code (before its six plain bits).
struct PositionTables {
    std::uint8_t upper[256];
    std::uint8_t length[256];
};
constexpr PositionTables MakePositionTables() {
    PositionTables t{};
    // entries per value, first value, last value, code length
    constexpr int kRuns[6][4] = {{32, 0, 0, 3},   {16, 1, 3, 4},   {8, 4, 11, 5},
                                 {4, 12, 23, 6},  {2, 24, 47, 7},  {1, 48, 63, 8}};
    int i = 0;
    for (const auto& run : kRuns)
        for (int value = run[1]; value <= run[2]; ++value)
            for (int k = 0; k < run[0]; ++k) {
                t.upper[i] = std::uint8_t(value);
                t.length[i] = std::uint8_t(run[3]);
                ++i;
            }
    return t;
}
inline constexpr PositionTables kPosition = MakePositionTables();

// The adaptive Huffman tree shared by the decoder and the tools' encoder.
struct Tree {
    std::uint16_t freq[T + 1];
    std::uint16_t prnt[T + N_CHAR];
    std::uint16_t son[T];

    void Start();
    void Update(int symbol);

private:
    void Rebuild();
};
}  // namespace lzh

class TLZH {
public:
    // (buffer, requested count, actual count): the codec asks for one byte a call.
    using Callback = std::function<void(std::uint8_t* buffer, std::uint16_t requested, std::uint16_t& actual)>;

    // The packed data, read from InputPosition on; unpacked bytes are appended
    // to *Output. Neither is owned.
    std::span<const std::uint8_t> Input;
    std::size_t InputPosition = 0;
    std::vector<std::uint8_t>* Output = nullptr;

    // Decodes through ReadInput/WriteOutput. Buffered: it reads Input directly
    // and leaves InputPosition where the byte-at-a-time reader would.
    void Unpack(std::int32_t size);
    // Decodes through any pair of callbacks, one byte per call.
    void Unpack(std::int32_t size, const Callback& read, const Callback& write);

    // The stream callbacks: read what is left of Input (0 bytes at its end),
    // append to Output.
    void ReadInput(std::uint8_t* buffer, std::uint16_t requested, std::uint16_t& actual);
    void WriteOutput(std::uint8_t* buffer, std::uint16_t requested, std::uint16_t& actual);
};

}  // namespace skin
