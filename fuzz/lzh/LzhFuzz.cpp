// The buffered decoder must match the byte-at-a-time one on any input: same
// bytes out, same stopping point in the input, never more than 59 bytes over.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "LzhBaseline.h"
#include "skin/resources/SkinRead.h"
#include "skin/resources/lzh.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    std::int32_t declared;
    std::memcpy(&declared, data, 4);
    // Keep runs short: past the input the decoder goes on with zero bits.
    const std::int32_t wanted = declared < 0 ? declared : declared % 12000;
    const std::vector<std::uint8_t> stream(data + 4, data + size);

    std::vector<std::uint8_t> fast;
    skin::TLZH lzh;
    lzh.Input = stream;
    lzh.Output = &fast;
    lzh.Unpack(wanted);

    baseline::MemoryStream in, out;
    in.bytes = stream;
    baseline::Lzh slow;
    slow.input = &in;
    slow.output = &out;
    slow.Unpack(wanted);

    if (fast != out.bytes || lzh.InputPosition != in.position) std::abort();
    if (wanted <= 0 ? !fast.empty() : fast.size() < std::size_t(wanted) || fast.size() > std::size_t(wanted) + 59)
        std::abort();

    // The size guard of the reader: whatever it accepts, it unpacks.
    std::vector<std::uint8_t> unpacked;
    if (skin::TSkinReader::UnpackStream({data, size}, unpacked) && declared > 0 &&
        unpacked.size() < std::size_t(declared))
        std::abort();
    return 0;
}
