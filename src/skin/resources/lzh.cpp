#include "skin/resources/lzh.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

namespace skin {
namespace lzh {

void Tree::Start() {
    for (int i = 0; i < N_CHAR; ++i) {
        freq[i] = 1;
        son[i] = std::uint16_t(i + T);
        prnt[i + T] = std::uint16_t(i);
    }
    int i = 0;
    for (int j = N_CHAR; j <= R; ++j) {
        freq[j] = std::uint16_t(freq[i] + freq[i + 1]);
        son[j] = std::uint16_t(i);
        prnt[i] = prnt[i + 1] = std::uint16_t(j);
        i += 2;
    }
    freq[T] = 0xFFFF;
    prnt[R] = 0;
}

void Tree::Rebuild() {
    int j = 0;
    for (int i = 0; i < T; ++i) {
        if (son[i] >= T) {
            freq[j] = std::uint16_t((freq[i] + 1) / 2);
            son[j] = son[i];
            ++j;
        }
    }
    int i = 0;
    for (j = N_CHAR; j < T; ++j) {
        const unsigned f = unsigned(freq[i]) + freq[i + 1];
        int k = j - 1;
        while (f < freq[k]) --k;
        ++k;
        const int moved = j - k;
        std::memmove(&freq[k + 1], &freq[k], sizeof(freq[0]) * moved);
        std::memmove(&son[k + 1], &son[k], sizeof(son[0]) * moved);
        freq[k] = std::uint16_t(f);
        son[k] = std::uint16_t(i);
        i += 2;
    }
    for (i = 0; i < T; ++i) {
        const int k = son[i];
        prnt[k] = std::uint16_t(i);
        if (k < T) prnt[k + 1] = std::uint16_t(i);
    }
}

void Tree::Update(int symbol) {
    if (freq[R] == MAX_FREQ) Rebuild();
    int c = prnt[symbol + T];
    do {
        const unsigned k = ++freq[c];
        if (k > freq[c + 1]) {
            int l = c + 1;
            while (k > freq[l + 1]) ++l;
            freq[c] = freq[l];
            freq[l] = std::uint16_t(k);
            const int i = son[c];
            prnt[i] = std::uint16_t(l);
            if (i < T) prnt[i + 1] = std::uint16_t(l);
            const int j = son[l];
            son[l] = std::uint16_t(i);
            prnt[j] = std::uint16_t(c);
            if (j < T) prnt[j + 1] = std::uint16_t(c);
            son[c] = std::uint16_t(j);
            c = l;
        }
        c = prnt[c];
    } while (c != 0);
}

}  // namespace lzh

namespace {
using namespace lzh;

const char kNoMemory[] = "LZH : Cannot get memory for dictionary tables";

std::unique_ptr<Tree> AllocateTree() {
    try {
        return std::make_unique<Tree>();
    } catch (const std::bad_alloc&) {
        throw ElzhException(kNoMemory);
    }
}

// Bits from memory, most significant first, 64 at a time; zero bits past the
// end. It counts what it has taken so the caller can tell where a reader that
// fetched one byte at a time would stand.
class MemoryBits {
public:
    MemoryBits(const std::uint8_t* begin, const std::uint8_t* end) : begin_(begin), p_(begin), end_(end) {}

    unsigned Bit() {
        if (count_ == 0) [[unlikely]] Refill();
        const unsigned bit = unsigned(bits_ >> 63);
        bits_ <<= 1;
        --count_;
        return bit;
    }
    // Up to 16 bits at once.
    unsigned Take(int n) {
        if (count_ < n) Refill();
        const unsigned value = unsigned(bits_ >> (64 - n));
        bits_ <<= n;
        count_ -= n;
        return value;
    }
    std::uint64_t Consumed() const { return std::uint64_t(p_ - begin_ + zeros_) * 8 - count_; }

private:
    void Refill() {
        if (end_ - p_ >= 8) {
            std::uint64_t v = 0;
            for (int i = 0; i < 8; ++i) v = v << 8 | p_[i];
            bits_ |= v >> count_;
            const int taken = (63 - count_) >> 3;
            p_ += taken;
            count_ += taken * 8;
            return;
        }
        while (count_ <= 56) {
            std::uint64_t byte = 0;
            if (p_ < end_) byte = *p_++;
            else ++zeros_;
            bits_ |= byte << (56 - count_);
            count_ += 8;
        }
    }

    const std::uint8_t* begin_;
    const std::uint8_t* p_;
    const std::uint8_t* end_;
    std::uint64_t bits_ = 0;
    int count_ = 0;
    std::uint64_t zeros_ = 0;
};

// The reader the format was defined with: a 16-bit buffer topped up one byte
// at a time through the read callback.
class CallbackBits {
public:
    explicit CallbackBits(const TLZH::Callback& read) : read_(read) {}
    unsigned Bit() {
        Fill();
        const unsigned bit = buffer_ >> 15;
        buffer_ = std::uint16_t(buffer_ << 1);
        --count_;
        return bit;
    }
    unsigned Take8() {
        Fill();
        const unsigned byte = buffer_ >> 8;
        buffer_ = std::uint16_t(buffer_ << 8);
        count_ -= 8;
        return byte;
    }

private:
    void Fill() {
        while (count_ <= 8) {
            std::uint8_t byte = 0;
            std::uint16_t actual = 0;
            read_(&byte, 1, actual);
            if (actual != 1) byte = 0;
            buffer_ = std::uint16_t(buffer_ | (unsigned(byte) << (8 - count_)));
            count_ += 8;
        }
    }
    const TLZH::Callback& read_;
    std::uint16_t buffer_ = 0;
    int count_ = 0;
};

template <class Bits>
int DecodeSymbol(Tree& tree, Bits& bits) {
    unsigned c = tree.son[R];
    while (c < unsigned(T)) c = tree.son[c + bits.Bit()];
    const int symbol = int(c) - T;
    tree.Update(symbol);
    return symbol;
}

unsigned DecodePosition(MemoryBits& bits) {
    const unsigned first = bits.Take(8);
    const int extra = kPosition.length[first] - 2;
    const unsigned rest = bits.Take(extra);
    return unsigned(kPosition.upper[first]) << 6 | (((first << extra) | rest) & 0x3F);
}

unsigned DecodePosition(CallbackBits& bits) {
    unsigned i = bits.Take8();
    const unsigned upper = unsigned(kPosition.upper[i]) << 6;
    for (int n = kPosition.length[i] - 2; n > 0; --n) i = i * 2 + bits.Bit();
    return upper | (i & 0x3F);
}

// The window starts as N - F spaces; the rest of it is zero until written.
constexpr std::uint8_t InitialWindowByte(int index) { return index < N - F ? 0x20 : 0; }
}  // namespace

void TLZH::ReadInput(std::uint8_t* buffer, std::uint16_t requested, std::uint16_t& actual) {
    const std::size_t left = InputPosition < Input.size() ? Input.size() - InputPosition : 0;
    actual = std::uint16_t(std::min<std::size_t>(requested, left));
    if (actual) std::memcpy(buffer, Input.data() + InputPosition, actual);
    InputPosition += actual;
}

void TLZH::WriteOutput(std::uint8_t* buffer, std::uint16_t requested, std::uint16_t& actual) {
    actual = requested;
    Output->insert(Output->end(), buffer, buffer + requested);
}

void TLZH::Unpack(std::int32_t size, const Callback& read, const Callback& write) {
    if (size <= 0) return;
    auto tree = AllocateTree();
    tree->Start();
    std::unique_ptr<std::uint8_t[]> ring;
    try {
        ring.reset(new std::uint8_t[N]);
    } catch (const std::bad_alloc&) {
        throw ElzhException(kNoMemory);
    }
    for (int i = 0; i < N; ++i) ring[i] = InitialWindowByte(i);

    CallbackBits bits(read);
    int r = N - F;
    std::int64_t count = 0;
    auto put = [&](std::uint8_t byte) {
        std::uint16_t actual = 0;
        write(&byte, 1, actual);
        ring[r] = byte;
        r = (r + 1) & (N - 1);
        ++count;
    };
    while (count < size) {
        const int c = DecodeSymbol(*tree, bits);
        if (c < 256) {
            put(std::uint8_t(c));
        } else {
            const int start = (r - int(DecodePosition(bits)) - 1) & (N - 1);
            const int length = c - 255 + THRESHOLD;
            for (int k = 0; k < length; ++k) put(ring[(start + k) & (N - 1)]);
        }
    }
}

void TLZH::Unpack(std::int32_t size) {
    if (size <= 0) return;
    auto tree = AllocateTree();
    tree->Start();

    const std::size_t startPosition = std::min(InputPosition, Input.size());
    MemoryBits bits(Input.data() + startPosition, Input.data() + Input.size());

    // The output itself is the window: a match reaches at most N bytes back,
    // and anything before this call's first byte is the initial window.
    std::vector<std::uint8_t>& out = *Output;
    const std::size_t base = out.size();
    std::size_t written = 0;
    const std::size_t wanted = std::size_t(size);
    out.resize(base + std::min<std::size_t>(wanted, std::size_t(1) << 20) + F);
    std::uint8_t* o = out.data() + base;

    while (written < wanted) {
        if (base + written + F > out.size()) {
            out.resize(base + std::max(written * 2, written + F));
            o = out.data() + base;
        }
        const int c = DecodeSymbol(*tree, bits);
        if (c < 256) {
            o[written++] = std::uint8_t(c);
            continue;
        }
        const std::size_t length = std::size_t(c - 255 + THRESHOLD);
        const std::size_t distance = DecodePosition(bits) + 1;
        std::uint8_t* dst = o + written;
        if (distance <= written) {
            const std::uint8_t* src = dst - distance;
            if (distance >= length) {
                std::memcpy(dst, src, length);
            } else {
                for (std::size_t k = 0; k < length; ++k) dst[k] = src[k];
            }
        } else {
            for (std::size_t k = 0; k < length; ++k) {
                const std::ptrdiff_t from = std::ptrdiff_t(written + k) - std::ptrdiff_t(distance);
                dst[k] = from >= 0 ? o[from] : InitialWindowByte(int((N - F + from) & (N - 1)));
            }
        }
        written += length;
    }
    out.resize(base + written);

    // Every symbol ends with a single bit, before which that reader had
    // topped its 16-bit buffer up to more than 8 bits.
    const std::uint64_t consumed = bits.Consumed();
    const std::uint64_t fetched = consumed == 0 ? 0 : (consumed - 1) / 8 + 2;
    InputPosition = startPosition + std::size_t(std::min<std::uint64_t>(fetched, Input.size() - startPosition));
}

}  // namespace skin
