// compress, decompress: the LZH layer alone (32-bit size, then the stream).
#include "Skinpack.h"
#include "lzhenc/LzhEncode.h"
#include "skin/resources/SkinRead.h"

namespace skinpack {

int RunCompress(Context& context) {
    ExpectArgs(context, 2);
    const auto data = ReadFile(context.args[0]);
    if (data.size() > 0x7FFFFFFF) throw InputError(context.args[0] + ": too large (2 GiB at most)");
    WriteFile(context.args[1], lzhenc::Pack(data));
    return kExitOk;
}

int RunDecompress(Context& context) {
    ExpectArgs(context, 2);
    std::vector<std::uint8_t> data;
    if (!skin::TSkinReader::UnpackStream(ReadFile(context.args[0]), data))
        throw InputError(context.args[0] + ": not a compressed file (short, or an impossible size)");
    WriteFile(context.args[1], data);
    return kExitOk;
}

}  // namespace skinpack
