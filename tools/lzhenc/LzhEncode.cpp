// Classic LZHUF compression: LZSS with a binary search tree per first byte
// over the window, the adaptive Huffman tree of the decoder for literals and
// lengths, and the fixed position code.
#include "LzhEncode.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "base/LittleEndian.h"
#include "skin/resources/lzh.h"

namespace lzhenc {
namespace {
using namespace skin::lzh;

constexpr int NIL = N;  // "no node"

class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    // The top `length` bits of the 16-bit `code`.
    void Put(int length, unsigned code) {
        buffer_ = buffer_ << length | (code >> (16 - length));
        count_ += length;
        while (count_ >= 8) {
            count_ -= 8;
            out_.push_back(std::uint8_t(buffer_ >> count_));
        }
    }
    void Flush() {
        if (count_ > 0) out_.push_back(std::uint8_t(buffer_ << (8 - count_)));
        count_ = 0;
    }

private:
    std::vector<std::uint8_t>& out_;
    std::uint64_t buffer_ = 0;
    int count_ = 0;
};

class Encoder {
public:
    Encoder(std::span<const std::uint8_t> data, std::vector<std::uint8_t>& out) : data_(data), bits_(out) {
        tree_.Start();
        // Position codes: the first table index of each upper value.
        for (int i = 255; i >= 0; --i) {
            positionCode_[kPosition.upper[i]] = std::uint8_t(i);
            positionLength_[kPosition.upper[i]] = kPosition.length[i];
        }
    }

    void Run() {
        if (data_.empty()) return;
        for (int i = N + 1; i <= N + 256; ++i) rson_[i] = NIL;
        for (int i = 0; i < N; ++i) dad_[i] = NIL;
        int s = 0, r = N - F;
        for (int i = 0; i < r; ++i) text_[i] = ' ';
        int len = 0;
        while (len < F && next_ < data_.size()) text_[r + len++] = data_[next_++];
        for (int i = 1; i <= F; ++i) InsertNode(r - i);
        InsertNode(r);
        do {
            if (matchLength_ > len) matchLength_ = len;
            if (matchLength_ <= THRESHOLD) {
                matchLength_ = 1;
                EncodeSymbol(text_[r]);
            } else {
                EncodeSymbol(255 - THRESHOLD + matchLength_);
                EncodePosition(unsigned(matchPosition_));
            }
            const int last = matchLength_;
            int i = 0;
            for (; i < last && next_ < data_.size(); ++i) {
                const std::uint8_t c = data_[next_++];
                DeleteNode(s);
                text_[s] = c;
                if (s < F - 1) text_[s + N] = c;
                s = (s + 1) & (N - 1);
                r = (r + 1) & (N - 1);
                InsertNode(r);
            }
            while (i++ < last) {
                DeleteNode(s);
                s = (s + 1) & (N - 1);
                r = (r + 1) & (N - 1);
                if (--len) InsertNode(r);
            }
        } while (len > 0);
        bits_.Flush();
    }

private:
    void EncodeSymbol(int symbol) {
        // Walk up from the leaf; a node at an odd slot is its parent's second child.
        std::uint64_t path = 0;
        int length = 0;
        unsigned k = tree_.prnt[symbol + T];
        do {
            path >>= 1;
            if (k & 1) path |= std::uint64_t(1) << 63;
            if (++length > 64) throw std::logic_error("lzhenc: Huffman code deeper than 64 bits");
        } while ((k = tree_.prnt[k]) != unsigned(R));
        for (int sent = 0; sent < length; sent += 16) {
            const int part = std::min(16, length - sent);
            bits_.Put(part, unsigned(path >> (48 - sent)) & 0xFFFF);
        }
        tree_.Update(symbol);
    }

    void EncodePosition(unsigned position) {
        const unsigned upper = position >> 6;
        bits_.Put(positionLength_[upper], unsigned(positionCode_[upper]) << 8);
        bits_.Put(6, (position & 0x3F) << 10);
    }

    void InsertNode(int r) {
        int cmp = 1;
        const std::uint8_t* key = &text_[r];
        int p = N + 1 + key[0];
        rson_[r] = lson_[r] = NIL;
        matchLength_ = 0;
        for (;;) {
            if (cmp >= 0) {
                if (rson_[p] != NIL) {
                    p = rson_[p];
                } else {
                    rson_[p] = r;
                    dad_[r] = p;
                    return;
                }
            } else {
                if (lson_[p] != NIL) {
                    p = lson_[p];
                } else {
                    lson_[p] = r;
                    dad_[r] = p;
                    return;
                }
            }
            int i = 1;
            for (; i < F; ++i)
                if ((cmp = key[i] - text_[p + i]) != 0) break;
            if (i > THRESHOLD) {
                const int position = ((r - p) & (N - 1)) - 1;
                if (i > matchLength_) {
                    matchPosition_ = position;
                    if ((matchLength_ = i) >= F) break;
                } else if (i == matchLength_ && position < matchPosition_) {
                    matchPosition_ = position;
                }
            }
        }
        // Full-length match: r replaces p in the tree.
        dad_[r] = dad_[p];
        lson_[r] = lson_[p];
        rson_[r] = rson_[p];
        dad_[lson_[p]] = r;
        dad_[rson_[p]] = r;
        if (rson_[dad_[p]] == p) rson_[dad_[p]] = r;
        else lson_[dad_[p]] = r;
        dad_[p] = NIL;
    }

    void DeleteNode(int p) {
        if (dad_[p] == NIL) return;
        int q;
        if (rson_[p] == NIL) {
            q = lson_[p];
        } else if (lson_[p] == NIL) {
            q = rson_[p];
        } else {
            q = lson_[p];
            if (rson_[q] != NIL) {
                do q = rson_[q];
                while (rson_[q] != NIL);
                rson_[dad_[q]] = lson_[q];
                dad_[lson_[q]] = dad_[q];
                lson_[q] = lson_[p];
                dad_[lson_[p]] = q;
            }
            rson_[q] = rson_[p];
            dad_[rson_[p]] = q;
        }
        dad_[q] = dad_[p];
        if (rson_[dad_[p]] == p) rson_[dad_[p]] = q;
        else lson_[dad_[p]] = q;
        dad_[p] = NIL;
    }

    std::span<const std::uint8_t> data_;
    std::size_t next_ = 0;
    BitWriter bits_;
    Tree tree_;
    std::uint8_t positionCode_[64]{};
    std::uint8_t positionLength_[64]{};

    // The window, with its first F - 1 bytes mirrored at the end so that a
    // comparison never wraps. The part never written stays zero, as the
    // decoder's window does.
    std::uint8_t text_[N + F - 1]{};
    // Tree links; slots N+1..N+256 are the roots, one per first byte, and
    // slot N is the NIL sink that unlinking may write to.
    int lson_[N + 1]{};
    int rson_[N + 257]{};
    int dad_[N + 1]{};
    int matchPosition_ = 0;
    int matchLength_ = 0;
};
}  // namespace

std::vector<std::uint8_t> Encode(std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> out;
    out.reserve(data.size() / 2 + 16);
    auto encoder = std::make_unique<Encoder>(data, out);
    encoder->Run();
    return out;
}

std::vector<std::uint8_t> Pack(std::span<const std::uint8_t> data) {
    if (data.size() > 0x7FFFFFFF) throw std::length_error("lzhenc: data too large to pack");
    std::vector<std::uint8_t> out;
    base::le::Append32(out, std::uint32_t(data.size()));
    const auto stream = Encode(data);
    out.insert(out.end(), stream.begin(), stream.end());
    return out;
}

}  // namespace lzhenc
