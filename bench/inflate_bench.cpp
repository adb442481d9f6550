// Benchmark: our inflater (whole and streamed) against zlib's inflate on the same raw deflate
// streams, and our CRC-32 against zlib's, in process. Built for Linux and Windows; on Windows
// it measures what the installer stub uses (run it under Wine: wine inflate_bench.exe).
// The data: about 24 MB in pieces like a package's (text-like tables, repeated and
// incompressible spans), deflated by zlib at level 6. Medians of N runs (argument 1, 9).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>
#include <zlib.h>

#include "archive/zip/crc32.h"
#include "archive/zip/inflater.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

Bytes packageLike(std::mt19937& rng, std::size_t size) {
    static const char* words[] = {"Dodatki", "szafka ", "blat ", "0,45;", "fronty ", "Kolor;", "1200;", "uchwyt "};
    Bytes out;
    out.reserve(size);
    while (out.size() < size) {
        const std::size_t span = 1 + rng() % 20000;
        switch (rng() % 5) {
            case 0:
                for (std::size_t i = 0; i < span; ++i) out.push_back(static_cast<std::uint8_t>(rng()));
                break;
            case 1:
                if (out.size() > 40000) {
                    const std::size_t from = out.size() - 1 - rng() % 32768;
                    for (std::size_t i = 0; i < span; ++i) out.push_back(out[from + i]);
                    break;
                }
                [[fallthrough]];
            default: {
                const std::size_t end = std::min(size, out.size() + span);
                while (out.size() < end) {
                    for (const char* w = words[rng() % 8]; *w; ++w) out.push_back(static_cast<std::uint8_t>(*w));
                    if (rng() % 4 == 0) out.push_back(static_cast<std::uint8_t>('0' + rng() % 10));
                    if (rng() % 12 == 0) out.push_back('\n');
                }
            }
        }
    }
    out.resize(size);
    return out;
}

struct Stream {
    Bytes compressed;
    std::size_t size;
};

Stream deflateRaw(const Bytes& data) {
    z_stream s{};
    deflateInit2(&s, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    Bytes out(deflateBound(&s, static_cast<uLong>(data.size())));
    s.next_in = const_cast<Bytef*>(data.data());
    s.avail_in = static_cast<uInt>(data.size());
    s.next_out = out.data();
    s.avail_out = static_cast<uInt>(out.size());
    deflate(&s, Z_FINISH);
    out.resize(s.total_out);
    deflateEnd(&s);
    return {out, data.size()};
}

template <class F>
double medianSeconds(int runs, F&& f) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        f();
        times.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

class MemoryInput : public zip::InflateInput {
public:
    explicit MemoryInput(const Bytes& b) : bytes_(b) {}
    std::size_t read(std::uint8_t* buffer, std::size_t capacity) override {
        const std::size_t n = std::min(capacity, bytes_.size() - at_);
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(at_), n, buffer);
        at_ += n;
        return n;
    }

private:
    const Bytes& bytes_;
    std::size_t at_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 9;
    std::mt19937 rng(1);
    std::vector<Stream> streams;
    std::size_t total = 0, compressed = 0;
    for (int i = 0; i < 12; ++i) {
        streams.push_back(deflateRaw(packageLike(rng, 2'000'000)));
        total += streams.back().size;
        compressed += streams.back().compressed.size();
    }
    std::printf("%zu streams, %.1f MB inflated from %.1f MB; medians of %d runs\n", streams.size(), total / 1e6,
                compressed / 1e6, runs);
    Bytes out(2'000'000 + 16);
    std::uint32_t sink = 0;

    const double zlibTime = medianSeconds(runs, [&] {
        for (const Stream& s : streams) {
            z_stream z{};
            inflateInit2(&z, -15);
            z.next_in = const_cast<Bytef*>(s.compressed.data());
            z.avail_in = static_cast<uInt>(s.compressed.size());
            z.next_out = out.data();
            z.avail_out = static_cast<uInt>(s.size);
            if (inflate(&z, Z_FINISH) != Z_STREAM_END) std::abort();
            inflateEnd(&z);
            sink += out[s.size / 2];
        }
    });
    const double wholeTime = medianSeconds(runs, [&] {
        for (const Stream& s : streams) {
            std::size_t produced = 0;
            if (zip::inflateInto(s.compressed.data(), s.compressed.size(), out.data(), s.size, produced) !=
                    zip::InflateStatus::End ||
                produced != s.size)
                std::abort();
            sink += out[s.size / 2];
        }
    });
    const double streamTime = medianSeconds(runs, [&] {
        for (const Stream& s : streams) {
            MemoryInput input(s.compressed);
            zip::StreamInflater inflater(input);
            std::size_t produced = 0;
            zip::InflateStatus status;
            do status = inflater.read(out.data(), 256u << 10, produced);
            while (status == zip::InflateStatus::More);
            if (status != zip::InflateStatus::End) std::abort();
            sink += out[0];
        }
    });
    Bytes data = packageLike(rng, 24'000'000);
    const double zlibCrc = medianSeconds(runs, [&] { sink += crc32(0, data.data(), static_cast<uInt>(data.size())); });
    const double ourCrc = medianSeconds(runs, [&] { sink += zip::crc32Update(0, data.data(), data.size()); });

    std::printf("inflate, zlib:           %8.1f ms\n", zlibTime * 1e3);
    std::printf("inflate, ours whole:     %8.1f ms   %.2f x zlib's time\n", wholeTime * 1e3, wholeTime / zlibTime);
    std::printf("inflate, ours streamed:  %8.1f ms   %.2f x zlib's time\n", streamTime * 1e3, streamTime / zlibTime);
    std::printf("CRC-32 of 24 MB, zlib:   %8.1f ms\n", zlibCrc * 1e3);
    std::printf("CRC-32 of 24 MB, ours:   %8.1f ms   %.2f x zlib's time\n", ourCrc * 1e3, ourCrc / zlibCrc);
    return sink == 42 ? 1 : 0;
}
