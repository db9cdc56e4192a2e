// PNG files from raster::Bitmap.
//
// 24-bit pixels are written as 8-bit RGB; 32-bit ones as 8-bit RGBA with the alpha byte as
// stored (straight alpha), or as RGB when that byte means nothing, as in a GDI screen
// capture. Each row takes the filter that leaves the smallest residue. The zlib stream holds
// LZ77 matches in fixed-Huffman deflate blocks, and a stored block wherever coding would not
// pay (noise); our sheets and screenshots are mostly flat colour, on which fixed codes do well
// without the bulk of dynamic tables.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

#include "raster/Bitmap.h"

namespace raster {

class PngError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct PngOptions {
    bool alpha = true;     // 32-bit pixels keep their alpha channel
    bool compress = true;  // false: stored deflate blocks only
};

// An empty bitmap has no PNG form: PngError.
std::vector<std::uint8_t> EncodePng(const Bitmap& bitmap, const PngOptions& options = {});

// A zlib stream (RFC 1950/1951) of the data, as PNG's image data and other writers need it.
std::vector<std::uint8_t> ZlibCompress(std::span<const std::uint8_t> data, bool compress = true);

// The checksums of PNG chunks and zlib streams. Pass the previous result to continue a sum
// over data that arrives in parts.
std::uint32_t Crc32(std::span<const std::uint8_t> data, std::uint32_t crc = 0);
std::uint32_t Adler32(std::span<const std::uint8_t> data, std::uint32_t adler = 1);

}  // namespace raster
