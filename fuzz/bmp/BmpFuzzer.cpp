// Any byte string either decodes or raises BmpError; a decoded image survives our own writer.
#include <cstdlib>

#include "raster/BmpCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const raster::Bitmap bmp = raster::DecodeBmp({data, size});
        if (bmp.Empty()) std::abort();
        const raster::Bitmap again = raster::DecodeBmp(raster::EncodeBmp24(bmp));
        if (again.Width() != bmp.Width() || again.Height() != bmp.Height()) std::abort();
        for (int y = 0; y < bmp.Height(); ++y)
            for (int x = 0; x < bmp.Width(); ++x)
                if ((again.GetPixel(x, y) ^ bmp.GetPixel(x, y)) & 0xFFFFFF) std::abort();
    } catch (const raster::BmpError&) {
    }
    return 0;
}
