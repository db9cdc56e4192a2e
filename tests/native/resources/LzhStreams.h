// Hand-made LZHUF streams for the codec tests: symbols are coded with the
// decoder's own adaptive tree, so a test can say exactly which literals and
// matches a stream holds.
#pragma once

#include <cstdint>
#include <vector>

#include "skin/resources/lzh.h"

class StreamBuilder {
public:
    StreamBuilder() { tree_.Start(); }

    StreamBuilder& Literal(std::uint8_t byte) {
        Symbol(byte);
        return *this;
    }
    // A match of `length` (3..60) bytes starting `position` + 1 bytes back.
    StreamBuilder& Match(int length, unsigned position) {
        Symbol(length + 253);
        unsigned first = 0;
        while (skin::lzh::kPosition.upper[first] != position >> 6) ++first;
        const int codeLength = skin::lzh::kPosition.length[first];
        Bits(first >> (8 - codeLength), codeLength);
        Bits(position & 0x3F, 6);
        return *this;
    }
    std::vector<std::uint8_t> Bytes() const {
        std::vector<std::uint8_t> out = bytes_;
        if (count_ > 0) out.push_back(std::uint8_t(acc_ << (8 - count_)));
        return out;
    }

private:
    void Symbol(int symbol) {
        std::vector<int> path;
        for (unsigned k = tree_.prnt[symbol + skin::lzh::T]; k != unsigned(skin::lzh::R); k = tree_.prnt[k])
            path.push_back(int(k & 1));
        for (auto it = path.rbegin(); it != path.rend(); ++it) Bits(unsigned(*it), 1);
        tree_.Update(symbol);
    }
    void Bits(unsigned value, int n) {
        for (int i = n - 1; i >= 0; --i) {
            acc_ = acc_ << 1 | ((value >> i) & 1);
            if (++count_ == 8) {
                bytes_.push_back(std::uint8_t(acc_));
                acc_ = 0;
                count_ = 0;
            }
        }
    }
    skin::lzh::Tree tree_;
    std::vector<std::uint8_t> bytes_;
    unsigned acc_ = 0;
    int count_ = 0;
};
