#include "LzhBaseline.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace baseline {
namespace {
constexpr int N = 4096, F = 60, THRESHOLD = 2, N_CHAR = 256 - THRESHOLD + F, T = N_CHAR * 2 - 1, R = T - 1;
constexpr unsigned MAX_FREQ = 0x8000;

std::uint8_t d_code[256], d_len[256];

void MakeTables() {
    static bool made = false;
    if (made) return;
    int i = 0;
    auto run = [&](int per, int first, int last, int len) {
        for (int v = first; v <= last; ++v)
            for (int k = 0; k < per; ++k) {
                d_code[i] = std::uint8_t(v);
                d_len[i] = std::uint8_t(len);
                ++i;
            }
    };
    run(32, 0, 0, 3);
    run(16, 1, 3, 4);
    run(8, 4, 11, 5);
    run(4, 12, 23, 6);
    run(2, 24, 47, 7);
    run(1, 48, 63, 8);
    made = true;
}

struct State {
    std::uint8_t ring[N];
    std::uint16_t freq[T + 1];
    std::uint16_t prnt[T + N_CHAR];
    std::uint16_t son[T];
    std::uint16_t getbuf = 0;
    std::uint8_t getlen = 0;
    const Lzh::Callback* read = nullptr;

    void Fill() {
        while (getlen <= 8) {
            std::uint8_t b = 0;
            std::uint16_t actual = 0;
            (*read)(&b, 1, actual);
            if (actual != 1) b = 0;
            getbuf = std::uint16_t(getbuf | (b << (8 - getlen)));
            getlen = std::uint8_t(getlen + 8);
        }
    }
    unsigned GetBit() {
        Fill();
        const unsigned bit = getbuf >> 15;
        getbuf = std::uint16_t(getbuf << 1);
        --getlen;
        return bit;
    }
    unsigned GetByte() {
        Fill();
        const unsigned byte = getbuf >> 8;
        getbuf = std::uint16_t(getbuf << 8);
        getlen = std::uint8_t(getlen - 8);
        return byte;
    }

    void StartHuff() {
        int i, j;
        for (i = 0; i < N_CHAR; i++) {
            freq[i] = 1;
            son[i] = std::uint16_t(i + T);
            prnt[i + T] = std::uint16_t(i);
        }
        i = 0;
        j = N_CHAR;
        while (j <= R) {
            freq[j] = std::uint16_t(freq[i] + freq[i + 1]);
            son[j] = std::uint16_t(i);
            prnt[i] = prnt[i + 1] = std::uint16_t(j);
            i += 2;
            j++;
        }
        freq[T] = 0xFFFF;
        prnt[R] = 0;
    }

    void Reconst() {
        int i, j, k;
        unsigned f;
        j = 0;
        for (i = 0; i < T; i++) {
            if (son[i] >= T) {
                freq[j] = std::uint16_t((freq[i] + 1) / 2);
                son[j] = son[i];
                j++;
            }
        }
        for (i = 0, j = N_CHAR; j < T; i += 2, j++) {
            f = unsigned(freq[i]) + freq[i + 1];
            k = j - 1;
            while (f < freq[k]) k--;
            k++;
            for (int m = j; m > k; --m) {
                freq[m] = freq[m - 1];
                son[m] = son[m - 1];
            }
            freq[k] = std::uint16_t(f);
            son[k] = std::uint16_t(i);
        }
        for (i = 0; i < T; i++) {
            k = son[i];
            prnt[k] = std::uint16_t(i);
            if (k < T) prnt[k + 1] = std::uint16_t(i);
        }
    }

    void Update(int c) {
        int i, j, k, l;
        if (freq[R] == MAX_FREQ) Reconst();
        c = prnt[c + T];
        do {
            k = ++freq[c];
            if (k > freq[c + 1]) {
                l = c + 1;
                while (k > freq[l + 1]) l++;
                freq[c] = freq[l];
                freq[l] = std::uint16_t(k);
                i = son[c];
                prnt[i] = std::uint16_t(l);
                if (i < T) prnt[i + 1] = std::uint16_t(l);
                j = son[l];
                son[l] = std::uint16_t(i);
                prnt[j] = std::uint16_t(c);
                if (j < T) prnt[j + 1] = std::uint16_t(c);
                son[c] = std::uint16_t(j);
                c = l;
            }
            c = prnt[c];
        } while (c != 0);
    }

    int DecodeChar() {
        unsigned c = son[R];
        while (c < unsigned(T)) c = son[c + GetBit()];
        c -= T;
        Update(int(c));
        return int(c);
    }

    unsigned DecodePosition() {
        unsigned i = GetByte();
        const unsigned c = unsigned(d_code[i]) << 6;
        int j = d_len[i] - 2;
        while (j--) i = (i << 1) + GetBit();
        return c | (i & 0x3F);
    }
};
}  // namespace

std::size_t MemoryStream::Read(std::uint8_t* buffer, std::size_t count) {
    const std::size_t left = position < bytes.size() ? bytes.size() - position : 0;
    count = std::min(count, left);
    if (count) std::memcpy(buffer, bytes.data() + position, count);
    position += count;
    return count;
}

void MemoryStream::Write(const std::uint8_t* buffer, std::size_t count) {
    if (position + count > bytes.size()) bytes.resize(position + count);
    std::memcpy(bytes.data() + position, buffer, count);
    position += count;
}

void Lzh::ReadInput(std::uint8_t* buffer, std::uint16_t requested, std::uint16_t& actual) {
    actual = std::uint16_t(input->Read(buffer, requested));
}

void Lzh::WriteOutput(std::uint8_t* buffer, std::uint16_t requested, std::uint16_t& actual) {
    actual = requested;
    output->Write(buffer, requested);
}

void Lzh::Unpack(std::int32_t size) {
    Unpack(
        size, [this](std::uint8_t* b, std::uint16_t n, std::uint16_t& a) { ReadInput(b, n, a); },
        [this](std::uint8_t* b, std::uint16_t n, std::uint16_t& a) { WriteOutput(b, n, a); });
}

void Lzh::Unpack(std::int32_t size, const Callback& read, const Callback& write) {
    if (size <= 0) return;
    MakeTables();
    auto s = std::make_unique<State>();
    s->read = &read;
    s->StartHuff();
    std::memset(s->ring, 0, N);
    std::memset(s->ring, ' ', N - F);
    int r = N - F;
    std::int64_t count = 0;
    while (count < size) {
        const int c = s->DecodeChar();
        if (c < 256) {
            std::uint8_t b = std::uint8_t(c);
            std::uint16_t actual;
            write(&b, 1, actual);
            s->ring[r++] = b;
            r &= N - 1;
            count++;
        } else {
            const int i = (r - int(s->DecodePosition()) - 1) & (N - 1);
            const int j = c - 255 + THRESHOLD;
            for (int k = 0; k < j; k++) {
                std::uint8_t b = s->ring[(i + k) & (N - 1)];
                std::uint16_t actual;
                write(&b, 1, actual);
                s->ring[r++] = b;
                r &= N - 1;
                count++;
            }
        }
    }
}

}  // namespace baseline
